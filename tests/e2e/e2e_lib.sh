# Sourced by the end-to-end tests, inside Xvfb: the eyes and hands they share.
# Needs $helper (listorix-e2e-helper) and $out (where screenshots go).

fail() {
  echo "e2e: FAIL: $*" >&2
  exit 1
}

# The program's own windows named so (the window manager's frames carry names too).
listorix_window() {
  local w
  for w in $(xdotool search "$@" 2>/dev/null); do
    if xprop -id "$w" WM_CLASS 2>/dev/null | grep -q '"listorix"'; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# A dialog of the program, shown within five seconds and given half a second to paint.
wait_for_window() {
  local found
  for _ in $(seq 50); do
    if found="$(listorix_window --onlyvisible --name "$1")"; then
      sleep 0.5
      echo "$found"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Where a window's inside is on the screen (a window manager's frame aside): x y w h.
place_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    / Width:/ { w = $NF } / Height:/ { h = $NF } END { print x, y, w, h }'
}

# Where the tests click, from the main window's inside top left, measured by the
# helper on the program's own widgets laid out as the window lays them out:
#   tab.0 … tab.6                           the centre of each page's tab
#   toolbar.SpeedButtonReload … HTML         the tool bar's buttons (help, report)
#   portfolio.SpeedButtonTitoloPersonale     "Riga personale" on the portfolio page
#   shares.firstRow, portfolio.firstRow      the first row of the shares and portfolio tables
# (tab.K counts the tabs shown.) load_places WINDOW [CAPTION...] measures them with
# the tabs the window shows (all seven unless told) and where the window lies
# (X Y WIDTH HEIGHT).
declare -A at
load_places() {
  local window="$1"
  shift
  read -r X Y WIDTH HEIGHT < <(place_of "$window")
  local captions=("$@")
  [ ${#captions[@]} -gt 0 ] ||
    captions=("Indici" "Titoli azionari" "Obbligazioni" "Derivati" "Fondi" "Portafoglio" "Web")
  while read -r name x y; do at[$name]="$x $y"; done < <("$helper" places "${captions[@]}")
  [ -n "${at[tab.$((${#captions[@]} - 1))]:-}" ] || fail "the helper measured no tabs"
}
# click_at PLACE [BUTTON]
click_at() {
  local px py
  read -r px py <<<"${at[$1]}"
  xdotool mousemove $((X + px)) $((Y + py)) click "${2:-1}"
}
click_tab() {
  click_at "tab.$1"
  sleep 0.8
}
# shot NAME WINDOW: OUT/NAME.png
shot() { "$helper" grab "$out/$1.png" "$2"; }
