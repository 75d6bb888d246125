#!/usr/bin/env bash
# Timing check of the demonstration quote service under a slow-client attack (not a
# unit test): starts listorix-quoted with no options (or with QUOTED_ARGS), keeps
# SLOW_CLIENTS connections (130 unless set) sending their request a byte at a time,
# 65 bytes a second in all, reconnecting when the service cuts them off; meanwhile asks
# the program's index request REPEATS times (50 unless set). Prints the answer times and
# fails when a request is not answered with 200 or the median exceeds 50 ms.
#
#   bench/quoted_slow_clients.sh [BUILD_DIR] [REPEATS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-${LISTORIX_BUILD_DIR:-$root/build}}"
repeats="${2:-50}"
program="$build/listorix-quoted"
[[ -x "$program" ]] || { echo "no $program: build it first" >&2; exit 2; }
command -v python3 > /dev/null || { echo "python3 is needed" >&2; exit 2; }

# shellcheck source=quoted_start.sh
source "$root/bench/quoted_start.sh"
# shellcheck disable=SC2086
start_quoted "$program" --port 0 ${QUOTED_ARGS:-}
address="${quoted_base#http://}"

python3 - "$address" "${SLOW_CLIENTS:-130}" "$repeats" << 'EOF'
import socket, statistics, sys, threading, time

host, port = sys.argv[1].rsplit(":", 1)
port, slow_count, repeats = int(port), int(sys.argv[2]), int(sys.argv[3])
slow_request = b"GET /d/quotes.csv?s=" + b"ENI.MI+" * 200 + b" HTTP/1.0\r\n\r\n"
bytes_per_second = 65
stop = threading.Event()

def attack():
    clients = [None] * slow_count
    sent = [0] * slow_count
    turn = 0
    while not stop.is_set():
        i = turn % slow_count
        turn += 1
        try:
            if clients[i] is None:
                clients[i] = socket.create_connection((host, port))
                sent[i] = 0
            clients[i].send(slow_request[sent[i]:sent[i] + 1])
            sent[i] += 1
        except OSError:
            if clients[i] is not None:
                clients[i].close()
            clients[i] = None
        stop.wait(1.0 / bytes_per_second)
    for c in clients:
        if c is not None:
            c.close()

def ask():
    start = time.monotonic()
    with socket.create_connection((host, port)) as s:
        s.sendall(b"GET /d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv HTTP/1.0\r\n\r\n")
        answer = b""
        while chunk := s.recv(65536):
            answer += chunk
    return (time.monotonic() - start) * 1000, answer[:12]

attacker = threading.Thread(target=attack)
attacker.start()
time.sleep(3)  # every slow client connected and dripping
times, failures = [], 0
for _ in range(repeats):
    ms, status = ask()
    times.append(ms)
    failures += status != b"HTTP/1.0 200"
    time.sleep(0.1)
stop.set()
attacker.join()

times.sort()
median = statistics.median(times)
print(f"index request during {slow_count} slow clients ({bytes_per_second} bytes/s in all): "
      f"min {times[0]:.2f} ms  median {median:.2f} ms  max {times[-1]:.2f} ms  "
      f"({repeats} requests, {failures} not answered with 200)")
if failures or median > 50:
    print("FAILED: requests went unanswered or the median answer time is above 50 ms")
    sys.exit(1)
print("OK: every request answered, median within 50 ms")
EOF
