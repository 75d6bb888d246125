#!/usr/bin/env bash
# Timing check of the demonstration quote service (not a unit test): starts
# listorix-quoted with no options (or with QUOTED_ARGS), asks the program's index
# request and a 200-symbol share request from the sample ticker list a number of
# times, prints the answer times and fails when a median exceeds 50 ms.
#
#   bench/quoted_latency.sh [BUILD_DIR] [REPEATS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
repeats="${2:-50}"
program="$build/listorix-quoted"
limit_ms=50
[[ -x "$program" ]] || { echo "no $program: build it first" >&2; exit 2; }
command -v curl > /dev/null || { echo "curl is needed" >&2; exit 2; }

# shellcheck source=quoted_start.sh
source "$root/bench/quoted_start.sh"
# shellcheck disable=SC2086
start_quoted "$program" ${QUOTED_ARGS:-}
base="$quoted_base"

# 200 symbols: the sample share list, repeated as needed.
mapfile -t shares < <(tr -d '\r' < "$root/tools/quoted/data/A_azioni.lst" | grep -v '^$')
symbols=""
for ((i = 0; i < 200; i++)); do
  symbols+="${symbols:++}${shares[i % ${#shares[@]}]}"
done

index_url="$base/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv"
shares_url="$base/d/quotes.csv?s=$symbols&f=snl1d1t1oghpc2v"

status=0
measure() {
  local name="$1" url="$2" lines
  lines="$(curl -s -g "$url" | grep -c $'\r$' || true)"
  local times=()
  for ((i = 0; i < repeats; i++)); do
    times+=("$(curl -s -g -o /dev/null -w '%{time_total}' "$url")")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk -v name="$name" -v lines="$lines" -v limit="$limit_ms" '
    { t[NR] = $1 * 1000 }
    END {
      median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "%-26s %3d lines  min %6.2f ms  median %6.2f ms  max %6.2f ms  (%d requests)\n",
             name, lines, t[1], median, t[NR], NR
      exit (median > limit) ? 1 : 0
    }' || status=1
}

echo "listorix-quoted at $base"
measure "index request" "$index_url"
measure "200-symbol share request" "$shares_url"
if ((status != 0)); then
  echo "FAILED: a median answer time is above $limit_ms ms"
else
  echo "OK: every median answer time is within $limit_ms ms"
fi
exit "$status"
