#!/usr/bin/env bash
# The program's start-up and its idle cost, under Xvfb:
#  1. milliseconds from process start to the end of the start-up sequence (window
#     enabled, the five caches replayed, a portfolio of 200 rows valued), median of
#     5 runs (target: at most 800 ms);
#  2. the program's CPU use over 60 idle seconds between fetches, after its first
#     full cycle against the demo quote service (target: below 1 %).
#
# Usage: bench/startup.sh [BUILD_DIR]
#   BUILD_DIR: where listorix, listorix-quoted and listorix-poll were built; else
#   $LISTORIX_BUILD_DIR, else ./build. IDLE_SECONDS (environment): 60 unless set.
set -euo pipefail

if [ "${1:-}" = "--inside" ]; then
  shift
  folder="$1"
  # 1. Start-up, five times.
  times=()
  for _ in 1 2 3 4 5; do
    start="$(date +%s%3N)"
    line="$("$folder/listorix" --quit-after-startup 2>/dev/null | grep '^startup-complete ' || true)"
    [ -n "$line" ] || { echo "startup: the program did not report its start-up" >&2; exit 1; }
    times+=($((${line#startup-complete } - start)))
  done
  sorted="$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')"
  median="$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)"
  echo "startup: median ${median} ms (runs, sorted: ${sorted% }; target <= 800 ms)"

  # 2. Idle between fetches: after the first full cycle every countdown runs for a
  #    minute or more before the next fetch.
  marker="$folder/cycle-start"
  touch "$marker"
  "$folder/listorix" >/dev/null 2>&1 &
  pid=$!
  trap 'kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
  for _ in $(seq 600); do
    fresh=0
    for cache in i.dat y_mibtel.dat y_obb.dat y_derivati.dat y_fondi.dat; do
      [ "$folder/$cache" -nt "$marker" ] && fresh=$((fresh + 1))
    done
    [ "$fresh" = 5 ] && break
    sleep 0.1
  done
  [ "$fresh" = 5 ] || { echo "startup: the first cycle did not complete" >&2; exit 1; }
  sleep 1
  ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
  seconds="${IDLE_SECONDS:-60}"
  before="$(ticks)"
  sleep "$seconds"
  after="$(ticks)"
  hz="$(getconf CLK_TCK)"
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle cpu: %.2f %% over %d s (%d ticks; target < 1 %%)\n", 100 * t / hz / s, s, t }'
  exit 0
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-${LISTORIX_BUILD_DIR:-build}}"
for program in listorix listorix-quoted listorix-poll; do
  [ -x "$build/$program" ] || { echo "startup: $build/$program not found; build the project first" >&2; exit 2; }
done
command -v xvfb-run >/dev/null || { echo "startup: xvfb-run is missing (scripts/setup installs it)" >&2; exit 2; }

. "$root/scripts/lib/demo-service.sh"
work="$(mktemp -d)"
trap 'stop_demo_service; rm -rf "$work"' EXIT
start_demo_service "$build/listorix-quoted" "$work" --now 2005-01-25T15:30 ||
  { echo "startup: the service did not start" >&2; exit 1; }
address="$demo_address"

. "$root/scripts/lib/bench-folder.sh"
folder="$work/program"
prepare_bench_folder "$build" "$root" "$folder" "$address" ||
  { echo "startup: could not fill the caches" >&2; exit 1; }

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$folder"
