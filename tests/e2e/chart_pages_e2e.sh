#!/usr/bin/env bash
# End to end: with the web source the chart entries of a quote table open charts
# the program draws. The real listorix in a temporary program folder, its web
# source pointed at listorix-quoted on loopback (which serves the chart endpoint's
# history forms with an invented history), under Xvfb, driven with xdotool: the
# 1-day and the 5-year chart of the first share are photographed in the web tab;
# then the service goes away and the next chart is a page that says why.
#
#   chart_pages_e2e.sh LISTORIX LISTORIX_QUOTED E2E_HELPER SOURCE_DIR OUT_DIR
set -euo pipefail

if [ "${1:-}" = "--drive" ]; then
  shift
  drive=1
else
  drive=0
fi
listorix="$1" quoted="$2" helper="$3" source="$4" out="$5"
. "$source/tests/e2e/e2e_lib.sh"

# --- inside Xvfb: the user's hands and eyes ---------------------------------------
if [ "$drive" = 1 ]; then
  program="$6" service="$7"
  "$program/listorix" >"$program/listorix.log" 2>&1 &
  pid=$!
  trap 'kill -TERM "$pid" 2>/dev/null || true' EXIT
  main_window() { listorix_window --onlyvisible --name '^Listorix 4\.35$' 2>/dev/null | head -n 1 || true; }
  window=""
  for _ in $(seq 150); do
    window="$(main_window)"
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "listorix ended at start-up: $(cat "$program/listorix.log")"
    sleep 0.2
  done
  [ -n "$window" ] || fail "no main window"
  # The shares, as the web source answered them.
  for _ in $(seq 300); do
    [ -s "$program/y_mibtel.dat" ] && break
    sleep 0.1
  done
  [ -s "$program/y_mibtel.dat" ] || fail "the web source gave no shares: $(cat "$program/listorix.log")"
  sleep 1
  window="$(main_window)"
  load_places "$window" "Titoli azionari" "Portafoglio" "Web" # the other categories are off

  # The chart entry DOWNS items down the table's menu, photographed as NAME.
  chart() {
    rm -f "$program/grafico.html"
    click_tab 0
    click_at shares.firstRow
    sleep 0.3
    click_at shares.firstRow 3
    sleep 0.5
    local keys=()
    for _ in $(seq "$1"); do keys+=(Down); done
    xdotool key "${keys[@]}" Return
    for _ in $(seq 100); do
      [ -s "$program/grafico.html" ] && break
      sleep 0.1
    done
    [ -s "$program/grafico.html" ] || fail "no chart page for $2"
    sleep 3 # the page in the web tab
    shot "$2" "$(main_window)"
  }
  # The menu: Aggiungi al portafoglio, Avviso di prezzo, Avvisi, then the charts.
  chart 4 chart-1-giorno
  grep -q '<svg' "$program/grafico.html" || fail "the 1-day page holds no chart"
  chart 10 chart-5-anni
  grep -q '<svg' "$program/grafico.html" || fail "the 5-year page holds no chart"
  kill -TERM "$service"
  sleep 0.5
  chart 6 chart-senza-connessione
  grep -q '<svg' "$program/grafico.html" && fail "a chart without a service"

  kill -TERM "$pid"
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "listorix did not end on SIGTERM"
  trap - EXIT
  exit 0
fi

# --- outside: the program folder and the service -----------------------------------
command -v xvfb-run >/dev/null || fail "xvfb-run is missing (scripts/setup installs it)"
mkdir -p "$out"
rm -f "$out"/chart-*.png
. "$source/scripts/lib/demo-service.sh"
program="$(mktemp -d)"
trap 'stop_demo_service; rm -rf "$program"' EXIT

cp "$listorix" "$program/listorix"
cp -R "$source/web" "$program/web"
# A few shares, the other categories off: the web source asks one symbol at a time.
printf 'ENI.MI\r\nA2A.MI\r\nG.MI\r\n' >"$program/A_azioni.lst"
start_demo_service "$quoted" "$program" --now 2005-01-25T15:30 || fail "listorix-quoted did not start"
web="http://$demo_address"
printf '[CONNESSIONI]\r\nINDICI ENABLED=0\r\nOBBLIGAZIONI ENABLED=0\r\nDERIVATI ENABLED=0\r\nFONDI ENABLED=0\r\n[SERVIZIO]\r\nSORGENTE=web\r\nWEB_GRAFICI=%s\r\nWEB_BORSA=%s\r\nWEB_RICERCA=%s\r\n' \
  "$web" "$web" "$web" >"$program/LISTORIX.INI"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --drive "$listorix" "$quoted" "$helper" "$source" "$out" \
  "$program" "$demo_service"

for page in chart-1-giorno chart-5-anni chart-senza-connessione; do
  [ -s "$out/$page.png" ] || fail "no screenshot $page.png"
done
echo "e2e: passed; screenshots in $out"
