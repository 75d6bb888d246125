#!/usr/bin/env bash
# End to end: the real listorix in a temporary program folder against listorix-quoted
# on loopback, under Xvfb, driven from outside with xdotool as a user would. It waits
# for the first full cycle (indices, shares, bonds, derivatives, funds), photographs
# every page and the configuration dialog into OUT_DIR, edits a portfolio row, sends
# SIGTERM, and checks that the settings file then holds the portfolio, widths, series
# and window sections and that nothing else in it changed. A window manager and a
# notification area run on the display: the program's icon must show up there, carry
# a hint when the mouse is over it (photographed), minimising must hide the window and
# a click on the icon bring it back; the help page, the about box and an HTML report
# are photographed too, and last the share page in a larger window (main-window.png,
# from which docs/screenshot.png is made).
#
#   main_window_e2e.sh LISTORIX LISTORIX_QUOTED E2E_HELPER SOURCE_DIR OUT_DIR
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
  program="$6"
  # A window manager (for minimising), then a notification area at the top right.
  . "$source/scripts/lib/desktop.sh"
  trap 'stop_desktop' EXIT
  start_desktop "$program" 2>"$program/desktop.err" || fail "$(cat "$program/desktop.err")"

  "$program/listorix" >"$program/listorix.log" 2>&1 &
  pid=$!
  trap 'kill -TERM "$pid" 2>/dev/null || true; stop_desktop' EXIT

  window=""
  for _ in $(seq 150); do
    window="$(listorix_window --name '^Listorix 4\.35$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "listorix ended at start-up: $(cat "$program/listorix.log")"
    sleep 0.2
  done
  [ -n "$window" ] || fail "no main window"

  # The first full cycle: each category's cache file, written in the fixed order.
  caches=(i.dat y_mibtel.dat y_obb.dat y_derivati.dat y_fondi.dat)
  for _ in $(seq 600); do
    all=1
    for cache in "${caches[@]}"; do [ -s "$program/$cache" ] || all=0; done
    [ "$all" = 1 ] && break
    sleep 0.1
  done
  [ "$all" = 1 ] || fail "the first cycle did not complete: $(ls "$program")"
  previous=0
  for cache in "${caches[@]}"; do
    written="$(stat -c %.9Y "$program/$cache" | tr -d .)"
    [ "$written" -ge "$previous" ] || fail "$cache was written out of order"
    previous="$written"
  done
  sleep 1
  window="$(listorix_window --onlyvisible --name '^Listorix 4\.35$' || true)"
  [ -n "$window" ] || fail "the main window went away"

  load_places "$window"

  names=(indici titoli-azionari obbligazioni derivati fondi portafoglio web)
  for k in 0 1 2 3 4 6; do
    click_tab "$k"
    shot "page-$((k + 1))-${names[$k]}" "$window"
  done

  # A personal row on the portfolio page, its quantity and price typed in.
  click_tab 5
  click_at portfolio.SpeedButtonTitoloPersonale
  sleep 0.5
  xdotool key Home Right Right Right
  xdotool type --delay 60 "250"
  xdotool key Return
  sleep 0.3
  xdotool key Right Right
  xdotool type --delay 60 "12.5"
  xdotool key Return
  sleep 0.8
  shot "page-6-portafoglio" "$window"

  # The notification icon: embedded in the area, its hint the index changes.
  icon=""
  for candidate in $(xdotool search --classname '^listorix$' 2>/dev/null); do
    read -r ix iy iw ih < <(place_of "$candidate")
    if [ "$iw" -le 64 ] && [ "$ih" -le 64 ] && [ "$iy" -lt 40 ] && [ "$ix" -gt 512 ]; then
      icon="$candidate"
      break
    fi
  done
  [ -n "$icon" ] || fail "no notification icon in the notification area"
  icon_x=$((ix + iw / 2)) icon_y=$((iy + ih / 2))
  # The hint's text is the widget tests' business; here it must show up over the
  # icon (the screen changes) and is photographed for a look.
  "$helper" grab "$program/no-hint.png" 0
  xdotool mousemove "$icon_x" "$icon_y"
  sleep 2
  "$helper" grab "$out/tray-hint.png" 0
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  cmp -s "$program/no-hint.png" "$out/tray-hint.png" && fail "no hint over the notification icon"

  # Minimised as the window manager's button does it (WM_CHANGE_STATE), the window
  # goes away with its taskbar entry; a click on the icon brings it back in front.
  until_within_5s() {
    for _ in $(seq 50); do
      "$@" && return 0
      sleep 0.1
    done
    return 1
  }
  window_hex="$(printf '0x%x' "$window")"
  on_screen() { xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
  managed() { xprop -root _NET_CLIENT_LIST | grep -qw "$window_hex"; }
  in_front() { xprop -root _NET_ACTIVE_WINDOW | grep -qw "$window_hex"; }
  hidden() { ! on_screen && ! managed && ! listorix_window --onlyvisible --name '^Listorix 4\.35$' >/dev/null; }
  shown() { on_screen && managed && in_front; }
  xdotool windowminimize "$window"
  until_within_5s hidden || fail "minimising did not hide the window: $(xwininfo -id "$window" | grep 'Map State')"
  xdotool mousemove "$icon_x" "$icon_y" click 1
  until_within_5s shown || fail "a click on the notification icon did not bring the window back"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  read -r X Y WIDTH HEIGHT < <(place_of "$window")

  # The help page, then an HTML report of the shares, in the web tab.
  click_at toolbar.SpeedButtonHelp
  sleep 4
  shot "web-help" "$window"
  click_tab 1
  click_at toolbar.SpeedButtonHTML
  sleep 4
  shot "web-report" "$window"
  [ -s "$program/report.html" ] || fail "no report.html beside the program"

  # A price alert on the first share, at or above a level its price is over: the
  # next download of the shares (the reload button) fires it. It shows in the
  # status line, marks the price cell, and the settings file keeps it fired.
  click_tab 1
  click_at shares.firstRow
  sleep 0.3
  click_at shares.firstRow 3
  sleep 0.5
  xdotool key Down Down Return
  alert="$(wait_for_window '^Avviso di prezzo$')" || fail "the price alert dialog did not open"
  xdotool type --delay 60 "0,001"
  xdotool key Return
  sleep 0.5
  grep -q '^1=TA;[^;]*;0,001;;;A--;' "$program/LISTORIX.INI" || fail "the alert was not stored: $(cat "$program/LISTORIX.INI")"
  click_at toolbar.SpeedButtonReload
  for _ in $(seq 100); do
    grep -q '^1=TA;[^;]*;0,001;;;S--;' "$program/LISTORIX.INI" && break
    sleep 0.1
  done
  grep -q '^1=TA;[^;]*;0,001;;;S--;' "$program/LISTORIX.INI" || fail "the alert did not fire at the next download"
  sleep 0.5
  shot "alert-fired" "$window"

  # The portfolio to a CSV file and back: the file dialogs answered with a path.
  click_tab 5
  click_at portfolio.firstRow 3
  sleep 0.5
  xdotool key Up Up Return # "Esporta portafoglio (CSV)...", second from the bottom
  wait_for_window '^Esporta portafoglio \(CSV\)$' >/dev/null || fail "the export dialog did not open"
  xdotool key ctrl+a
  xdotool type --delay 20 "$program/portafoglio.csv"
  xdotool key Return
  for _ in $(seq 50); do [ -s "$program/portafoglio.csv" ] && break; sleep 0.1; done
  [ -s "$program/portafoglio.csv" ] || fail "the portfolio was not exported"
  grep -q 'PERSONALE' "$program/portafoglio.csv" || fail "the export lacks the personal row: $(cat "$program/portafoglio.csv")"
  rows_before="$(grep -c '^[0-9]*=' <(sed -n '/^\[Portafoglio\]/,/^\[/p' "$program/LISTORIX.INI") || true)"
  click_at portfolio.firstRow 3
  sleep 0.5
  xdotool key Up Return # "Importa portafoglio (CSV)...", the last
  wait_for_window '^Importa portafoglio \(CSV\)$' >/dev/null || fail "the import dialog did not open"
  xdotool key ctrl+a
  xdotool type --delay 20 "$program/portafoglio.csv"
  xdotool key Return
  sleep 1.5 # "Confermi l'importazione di N righe?"
  xdotool key Return # "Sì", the default
  sleep 1
  rows_after="$(grep -c '^[0-9]*=' <(sed -n '/^\[Portafoglio\]/,/^\[/p' "$program/LISTORIX.INI") || true)"
  [ "$rows_after" -gt "$rows_before" ] || fail "the import saved no rows ($rows_before before, $rows_after after)"
  shot "portfolio-imported" "$window"

  # "Informazioni" from the icon's menu, photographed, then OK.
  xdotool mousemove "$icon_x" "$icon_y" click 3
  sleep 0.5
  xdotool key Down Down Down Down Return
  about="$(wait_for_window '^Informazioni$')" || fail "the about box did not open"
  shot "dialog-informazioni" "$about"
  xdotool key Return
  sleep 0.5

  # "Configurazione" from the tab strip's menu, photographed, then "Annulla".
  click_at tab.0 3
  sleep 0.5
  xdotool key Down Down Return
  dialog="$(wait_for_window '^Configurazione$')" || fail "the configuration dialog did not open"
  shot "dialog-configurazione" "$dialog"
  xdotool key Escape
  sleep 0.5

  # The share page in a larger window, every column in view: the picture of the
  # program (docs/screenshot.png is this one).
  click_tab 1
  xdotool windowmove "$window" 32 48 windowsize "$window" 960 660
  sleep 1
  shot "main-window" "$window"

  kill -TERM "$pid"
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "listorix did not end on SIGTERM"
  trap 'stop_desktop' EXIT
  wait "$pid" || fail "listorix ended with status $?: $(cat "$program/listorix.log")"
  exit 0
fi

# --- outside: the program folder, the service, and the checks ----------------------
command -v xvfb-run >/dev/null || fail "xvfb-run is missing (scripts/setup installs it)"
for tool in xdotool xwininfo openbox trayer; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done
mkdir -p "$out"
rm -f "$out"/*.png
. "$source/scripts/lib/demo-service.sh"
program="$(mktemp -d)"
trap 'stop_demo_service; rm -rf "$program"' EXIT

cp "$listorix" "$program/listorix"
cp -R "$source/web" "$program/web"
cp "$source"/tools/quoted/data/*.lst "$program/"

# A trading Tuesday afternoon, so every run sees the same market.
start_demo_service "$quoted" "$program" --now 2005-01-25T15:30 || fail "listorix-quoted did not start"
address="$demo_address"

printf '[PROXY]\r\nENABLED=N\r\nADDRESS=\r\n[CONNESSIONI]\r\nFONDI INTERVALLO=180\r\n[SERVIZIO]\r\nHOST=%s\r\n[Note]\r\nDi mano=mia \xe0 \x80\r\n' \
  "$address" >"$program/LISTORIX.INI"
cp "$program/LISTORIX.INI" "$program/before.ini"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --drive "$listorix" "$quoted" "$helper" "$source" "$out" "$program"

for cache in i.dat y_mibtel.dat y_obb.dat y_derivati.dat y_fondi.dat; do
  grep -q $'\r$' "$program/$cache" || fail "$cache has no CR LF line ends"
done

ini="$program/LISTORIX.INI"
section() { # the lines of one section, without the header
  awk -v name="[$1]" '{ line = $0; sub(/\r$/, "", line) }
    line ~ /^\[/ { inside = (line == name); next } inside { print line }' "$ini"
}
section Portafoglio | grep -qx '1=;PERSONALE;PERS;250;;12,5;;' ||
  fail "the edited portfolio row is not saved: $(section Portafoglio)"
for key in Portafoglio Azioni Obbligazioni Derivati Fondi; do
  section Grids | grep -q "^$key=[0-9]" || fail "no widths of $key"
done
for series in "MIBTEL Series" "MIB30 Series" "MIDEX Series"; do
  section "$series" | grep -qx 'DATA=25/01/2005' || fail "$series has no date"
  section "$series" | grep -q '^1=' || fail "$series has no point"
done
section Window | grep -q '^NormPos=' || fail "no window placement"
section Avvisi | grep -qx '1=TA;A2A.MI;0,001;;;S--;A2A' || fail "the fired alert is not kept: $(section Avvisi)"
section Portafoglio | grep -qx '2=;PERSONALE;PERS;250;;12,5;;' || fail "the imported row is not saved: $(section Portafoglio)"

# Everything else is as it was, byte for byte.
awk '{ line = $0; sub(/\r$/, "", line) }
  line ~ /^\[/ { skip = (line ~ /^\[(Portafoglio|Grids|MIBTEL Series|MIB30 Series|MIDEX Series|Window|Avvisi)\]$/) }
  !skip { print $0 }' "$ini" >"$program/others.ini"
cmp -s "$program/others.ini" "$program/before.ini" ||
  fail "other settings changed: $(diff <(cat -A "$program/before.ini") <(cat -A "$program/others.ini"))"

for page in page-1-indici page-2-titoli-azionari page-3-obbligazioni page-4-derivati page-5-fondi \
  page-6-portafoglio page-7-web dialog-configurazione tray-hint web-help web-report dialog-informazioni \
  alert-fired portfolio-imported main-window; do
  [ -s "$out/$page.png" ] || fail "no screenshot $page.png"
done
echo "e2e: passed; screenshots in $out"
