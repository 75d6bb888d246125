#!/usr/bin/env bash
# Fetches a 2 MB CSV answer from a loopback server 50 times with listorix-fetch
# and 50 times with curl speaking HTTP/1.0, and prints the time of ours over
# curl's as "ratio: X" (target: at most 1.2).
#
# Usage: bench/http_vs_curl.sh [BUILD_DIR]
#   BUILD_DIR: where listorix-fetch was built; else $LISTORIX_BUILD_DIR, else ./build.
#   ROUNDS (environment): fetches per client, 50 unless set.
set -euo pipefail

build="${1:-${LISTORIX_BUILD_DIR:-build}}"
fetch="$build/listorix-fetch"
rounds="${ROUNDS:-50}"
if [ ! -x "$fetch" ]; then
  echo "http_vs_curl: $fetch not found; build the project first" >&2
  exit 2
fi
command -v curl >/dev/null || { echo "http_vs_curl: curl is missing" >&2; exit 2; }
command -v python3 >/dev/null || { echo "http_vs_curl: python3 is missing" >&2; exit 2; }

work="$(mktemp -d)"
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server: HTTP/1.0, one fixed CSV answer of 2 MB with its length, on 127.0.0.1 and
# a free port, which it writes on its first line.
python3 -u - >"$work/server.out" 2>/dev/null <<'PY' &
import http.server

line = b'"ENI.MI",14.235,"5/31/2024","5:35pm",+0.115,14.12,14.30,14.08,12345678\r\n'
body = (line * (2 * 1024 * 1024 // len(line) + 1))[: 2 * 1024 * 1024]

class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass

server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
PY
server_pid=$!

for _ in $(seq 50); do
  [ -s "$work/server.out" ] && break
  sleep 0.1
done
port="$(head -n1 "$work/server.out")"
[ -n "$port" ] || { echo "http_vs_curl: the server did not start" >&2; exit 1; }
url="http://127.0.0.1:$port/d/quotes.csv?s=^MIBTEL+^MIB30&f=sl1d1t1c1ohgv&e=.csv"

# Both clients must bring back the same 2 MB before their times mean anything.
"$fetch" "$url" >"$work/ours" 2>/dev/null
curl -s -0 -g "$url" >"$work/theirs"
if ! cmp -s "$work/ours" "$work/theirs" || [ "$(wc -c <"$work/ours")" -ne 2097152 ]; then
  echo "http_vs_curl: the two clients brought back different answers" >&2
  exit 1
fi

now() { date +%s%N; }
ours=0
theirs=0
# Alternate blocks of ten so that a change in machine load touches both alike.
done_rounds=0
while [ "$done_rounds" -lt "$rounds" ]; do
  block=$(( rounds - done_rounds < 10 ? rounds - done_rounds : 10 ))
  start=$(now)
  for _ in $(seq "$block"); do "$fetch" "$url" >/dev/null 2>&1; done
  ours=$(( ours + $(now) - start ))
  start=$(now)
  for _ in $(seq "$block"); do curl -s -0 -g "$url" >/dev/null; done
  theirs=$(( theirs + $(now) - start ))
  done_rounds=$(( done_rounds + block ))
done

awk -v o="$ours" -v t="$theirs" -v n="$rounds" 'BEGIN {
  printf "listorix-fetch: %.3f s for %d fetches\n", o / 1e9, n
  printf "curl -0:        %.3f s for %d fetches\n", t / 1e9, n
  printf "ratio: %.2f\n", o / t
}'
