#!/usr/bin/env bash
# One full cycle of the five categories through the program's spine (requests,
# clean-up, parsing, sorting, cache files), as listorix-poll runs it against the
# demo quote service with its full sample lists, timed against one curl process
# fetching the same URLs one after another (target: at most 1.3).
#
# curl keeps nothing, while the spine writes five cache files and, at its end,
# the settings file, each flushed to disk. The time of those flushes belongs to
# the disk rather than to the code, and on a busy machine it swamps everything
# else; so the figure printed as "ratio: X" is taken with the program folder in
# a memory file system (/dev/shm), where a flush costs nothing. The same cycle
# with the folder on disk (beside the build) follows as "ratio on disk: Y".
#
# Usage: bench/poll_vs_curl.sh [BUILD_DIR]
#   BUILD_DIR: where listorix-poll and listorix-quoted were built (a release build
#   gives the meaningful figure); else $LISTORIX_BUILD_DIR, else ./build.
#   ROUNDS (environment): runs of each, 20 unless set.
#   MEMORY_DIR (environment): the memory file system to use, /dev/shm unless set.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-${LISTORIX_BUILD_DIR:-build}}"
poll="$build/listorix-poll"
quoted="$build/listorix-quoted"
rounds="${ROUNDS:-20}"
memory="${MEMORY_DIR:-/dev/shm}"
for program in "$poll" "$quoted"; do
  if [ ! -x "$program" ]; then
    echo "poll_vs_curl: $program not found; build the project first" >&2
    exit 2
  fi
done
command -v curl >/dev/null || { echo "poll_vs_curl: curl is missing" >&2; exit 2; }
[ -d "$memory" ] && [ -w "$memory" ] || { echo "poll_vs_curl: no memory file system at $memory" >&2; exit 2; }

work="$(mktemp -d "$build/poll_vs_curl.XXXXXX")"
in_memory="$(mktemp -d "$memory/poll_vs_curl.XXXXXX")"
service_pid=""
cleanup() {
  if [ -n "$service_pid" ]; then
    kill "$service_pid" 2>/dev/null || true
    wait "$service_pid" 2>/dev/null || true
  fi
  rm -rf "$work" "$in_memory"
}
trap cleanup EXIT

# The service on a free port, its clock pinned inside a trading day so that every
# security has a price.
"$quoted" --port 0 --now 2005-01-25T15:30 >"$work/service.out" 2>/dev/null &
service_pid=$!
for _ in $(seq 50); do
  grep -q listening "$work/service.out" 2>/dev/null && break
  sleep 0.1
done
address="$(sed -n 's|.*listening on http://\([^/]*\)/.*|\1|p' "$work/service.out")"
[ -n "$address" ] || { echo "poll_vs_curl: the service did not start" >&2; exit 1; }

# A program folder: the sample ticker lists and the service as the quote host.
make_folder() {
  mkdir "$1"
  cp "$root"/tools/quoted/data/*.lst "$1/"
  printf '[SERVIZIO]\r\nHOST=%s\r\n' "$address" >"$1/LISTORIX.INI"
}
make_folder "$in_memory/program"
make_folder "$work/program"
mapfile -t urls < <("$poll" --dir "$work/program" --print-requests)
[ "${#urls[@]}" -ge 5 ] || { echo "poll_vs_curl: expected at least five requests" >&2; exit 1; }

# Both must bring back every category before their times mean anything.
for folder in "$in_memory/program" "$work/program"; do
  "$poll" --dir "$folder" --cycles 1 --no-wait >"$work/tables" 2>"$work/status" ||
    { echo "poll_vs_curl: listorix-poll failed:" >&2; cat "$work/status" >&2; exit 1; }
  for category in Indici "Titoli azionari" Obbligazioni Derivati Fondi; do
    grep -q "^$category" "$work/tables" || { echo "poll_vs_curl: no table $category" >&2; exit 1; }
  done
done
curl -s -f -0 -g "${urls[@]}" >"$work/curl" || { echo "poll_vs_curl: curl failed" >&2; exit 1; }

now() { date +%s%N; }
# Prints the nanoseconds of `rounds` cycles in `folder` and of as many curl runs,
# alternated so that a change in machine load touches both alike.
measure() {
  local folder="$1" ours=0 theirs=0 start
  for _ in $(seq "$rounds"); do
    start=$(now)
    "$poll" --dir "$folder" --cycles 1 --no-wait >/dev/null 2>&1
    ours=$((ours + $(now) - start))
    start=$(now)
    curl -s -0 -g "${urls[@]}" >/dev/null
    theirs=$((theirs + $(now) - start))
  done
  echo "$ours $theirs"
}

read -r ours theirs < <(measure "$in_memory/program")
read -r ours_disk theirs_disk < <(measure "$work/program")
echo "requests per cycle: ${#urls[@]}; rounds: $rounds"
echo "listorix-poll, folder in memory: $((ours / rounds / 1000)) us per cycle"
echo "listorix-poll, folder on disk:   $((ours_disk / rounds / 1000)) us per cycle"
echo "curl:                            $(((theirs + theirs_disk) / rounds / 2000)) us per cycle"
awk -v a="$ours_disk" -v b="$theirs_disk" 'BEGIN { printf "ratio on disk: %.2f\n", a / b }'
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio: %.2f\n", a / b }'
