# Sourced by the quoted_*.sh benchmarks: start_quoted PROGRAM [ARGS...] starts
# listorix-quoted in the background, stops it when the script exits, and sets
# quoted_base to the address it prints ("http://127.0.0.1:8080").
start_quoted() {
  quoted_out="$(mktemp)"
  "$@" > "$quoted_out" 2> /dev/null &
  quoted_pid=$!
  trap 'kill "$quoted_pid" 2> /dev/null; wait "$quoted_pid" 2> /dev/null; rm -f "$quoted_out"' EXIT
  for _ in $(seq 50); do
    grep -q "listening on" "$quoted_out" && break
    kill -0 "$quoted_pid" 2> /dev/null || { echo "listorix-quoted did not start" >&2; exit 1; }
    sleep 0.1
  done
  quoted_base="$(sed -n 's#.*listening on \(https*://[^ ]*\)/$#\1#p' "$quoted_out")"
  [[ -n "$quoted_base" ]] || { echo "listorix-quoted printed no address" >&2; exit 1; }
}
