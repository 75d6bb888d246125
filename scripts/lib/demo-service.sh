# Sourced by the scripts that need the demo quote service on this machine.
#
# start_demo_service QUOTED LOG_DIR [OPTION...]
#   starts QUOTED (listorix-quoted) on a free loopback port with the options given,
#   its output in LOG_DIR/quoted.out and LOG_DIR/quoted.err, and waits until it
#   listens. Sets demo_service (its process id) and demo_address (host:port);
#   returns 1, with the service's error on standard error, when it does not start.
# stop_demo_service
#   stops it, if it runs.
start_demo_service() {
  local quoted="$1" log="$2"
  shift 2
  "$quoted" --port 0 "$@" >"$log/quoted.out" 2>"$log/quoted.err" &
  demo_service=$!
  demo_address=""
  for _ in $(seq 100); do
    demo_address="$(sed -n 's|^listorix-quoted: listening on http://\([^/]*\)/.*|\1|p' "$log/quoted.out")"
    [ -n "$demo_address" ] && return 0
    kill -0 "$demo_service" 2>/dev/null || break
    sleep 0.1
  done
  cat "$log/quoted.err" >&2
  return 1
}

stop_demo_service() {
  if [ -n "${demo_service:-}" ] && kill -0 "$demo_service" 2>/dev/null; then
    kill -TERM "$demo_service" 2>/dev/null || true
    wait "$demo_service" 2>/dev/null || true
  fi
  demo_service=""
}
