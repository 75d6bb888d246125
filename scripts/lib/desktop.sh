# Sourced by the scripts that need a desktop on an X display (DISPLAY set): a
# window manager (for minimising) and a notification area at the top right.
#
# start_desktop LOG_DIR
#   starts openbox, then trayer, one after the other (started together, now and
#   then one of them could not open the display while the other was setting itself
#   up), and waits until each is there. Sets desktop_wm and desktop_tray (their
#   process ids); returns 1, with what went wrong on standard error, when one did
#   not start.
# stop_desktop
#   stops both, if they run.
start_desktop() {
  local log="$1"
  openbox >"$log/openbox.log" 2>&1 &
  desktop_wm=$!
  desktop_tray=""
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "the window manager did not start: $(cat "$log/openbox.log")" >&2
    return 1
  fi
  trayer --edge top --align right --widthtype request --height 28 --SetDockType true \
    --transparent false >"$log/trayer.log" 2>&1 &
  desktop_tray=$!
  for _ in $(seq 50); do
    xdotool search --classname '^panel$' >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the notification area did not start: $(cat "$log/trayer.log")" >&2
  return 1
}

stop_desktop() {
  kill -TERM ${desktop_tray:-} ${desktop_wm:-} 2>/dev/null || true
  desktop_tray=""
  desktop_wm=""
}
