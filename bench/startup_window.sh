#!/usr/bin/env bash
# Start-up and rest as a user meets them, under Xvfb:
#  1. milliseconds from process start to the first visible window of each kind (the
#     splash, the main window) and to the end of the start-up sequence (the window
#     enabled, the tables filled from the caches), polling the window list every
#     10 ms, median of 5; beside the same figure for a bare Qt window (a table and a
#     chart in a main window) that this script builds, linked against the same Qt
#     libraries as the program, the browser's included but not started. Target: the
#     program's main window, enabled and filled, within 100 ms of the bare window.
#  2. the proportional set size of the program and all its descendant processes
#     together (the browser's helpers), from /proc/PID/smaps_rollup: after start-up,
#     after the first full cycle against the demo quote service, and after 60 s
#     hidden in the notification area. Target while hidden: at most 150 MB.
#
# Usage: bench/startup_window.sh [BUILD_DIR]
#   BUILD_DIR: where listorix, listorix-quoted and listorix-poll were built; else
#   $LISTORIX_BUILD_DIR, else ./build. HIDDEN_SECONDS (environment): 60 unless set.
set -euo pipefail

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# The program's visible windows, polled every 10 ms: prints "SPLASH MAIN", the
# milliseconds from START to the first visible window of PID and to its first one
# named MAIN_NAME ("-" when none appeared within 20 s).
window_times() {
  local pid="$1" start="$2" main_name="$3" first="-" main="-" ids id seen=""
  for _ in $(seq 2000); do
    ids="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)"
    if [ -n "$ids" ]; then
      local at
      at=$(($(now_ms) - start))
      [ "$first" = "-" ] && first=$at
      for id in $ids; do
        case " $seen " in *" $id "*) continue ;; esac
        seen="$seen $id"
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$main_name" ]; then
          main=$at
        fi
      done
      [ "$main" != "-" ] && break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
  done
  echo "$first $main"
}

# The visible main window of PID, if it has one (the notification icon is named
# after the program too, so the whole name is compared).
main_window() {
  local id found=""
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Listorix 4.35" ] && found="$id"
  done
  echo "$found"
}

# The proportional set size of PID and every process below it, in MB.
pss_of_tree() {
  local pids="$1" all="$1" next
  while [ -n "$pids" ]; do
    next=""
    for p in $pids; do
      next="$next $(awk -v parent="$p" '$4 == parent { print $1 }' /proc/[0-9]*/stat 2>/dev/null | tr '\n' ' ')"
    done
    pids="$(echo $next)"
    all="$all $pids"
  done
  local kb=0
  for p in $all; do
    [ -r "/proc/$p/smaps_rollup" ] || continue
    kb=$((kb + $(awk '/^Pss:/ { print $2 }' "/proc/$p/smaps_rollup")))
  done
  echo $((kb / 1024))
}

if [ "${1:-}" = "--inside" ]; then
  shift
  folder="$1" bare="$2" root="$3"

  # 1. Five starts of each, one after the other.
  program_splash=() program_main=() program_ready=() bare_main=()
  for _ in 1 2 3 4 5; do
    start=$(now_ms)
    "$bare" &
    pid=$!
    read -r _ main < <(window_times "$pid" "$start" "Listorix")
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    bare_main+=("$main")

    start=$(now_ms)
    "$folder/listorix" --quit-after-startup >"$folder/startup.out" 2>/dev/null &
    pid=$!
    read -r splash main < <(window_times "$pid" "$start" "Listorix 4.35")
    wait "$pid" 2>/dev/null || true
    ready="$(sed -n 's/^startup-complete //p' "$folder/startup.out")"
    [ -n "$ready" ] || { echo "startup_window: the program did not report its start-up" >&2; exit 1; }
    program_splash+=("$splash")
    program_main+=("$main")
    program_ready+=($((ready - start)))
  done
  b=$(median "${bare_main[@]}")
  s=$(median "${program_splash[@]}")
  m=$(median "${program_main[@]}")
  r=$(median "${program_ready[@]}")
  echo "bare window: ${b} ms (runs: ${bare_main[*]})"
  echo "splash: ${s} ms (runs: ${program_splash[*]})"
  echo "main window: ${m} ms (runs: ${program_main[*]})"
  echo "enabled and filled: ${r} ms (runs: ${program_ready[*]})"
  if [ "$m" = "-" ] || [ "$b" = "-" ]; then
    echo "startup_window: a main window did not show" >&2
    exit 1
  fi
  later=$((m > r ? m : r))
  echo "difference: $((later - b)) ms (target <= 100 ms)"

  # 2. Memory, on a desktop with a notification area to rest in.
  . "$root/scripts/lib/desktop.sh"
  trap 'stop_desktop' EXIT
  start_desktop "$folder" || exit 1
  marker="$folder/cycle-start"
  touch "$marker"
  "$folder/listorix" >/dev/null 2>&1 &
  pid=$!
  trap 'kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; stop_desktop' EXIT
  window=""
  for _ in $(seq 200); do
    window="$(main_window "$pid")"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "startup_window: no main window" >&2; exit 1; }
  sleep 3
  echo "pss after start-up: $(pss_of_tree "$pid") MB"
  for _ in $(seq 600); do
    fresh=0
    for cache in i.dat y_mibtel.dat y_obb.dat y_derivati.dat y_fondi.dat; do
      [ "$folder/$cache" -nt "$marker" ] && fresh=$((fresh + 1))
    done
    [ "$fresh" = 5 ] && break
    sleep 0.1
  done
  [ "$fresh" = 5 ] || { echo "startup_window: the first cycle did not complete" >&2; exit 1; }
  sleep 2
  echo "pss after the first cycle: $(pss_of_tree "$pid") MB"
  # Found again: the browser's start may give the window a new native window.
  window="$(main_window "$pid")"
  xdotool windowminimize "$window"
  sleep "${HIDDEN_SECONDS:-60}"
  if [ -n "$(main_window "$pid")" ]; then
    echo "startup_window: minimising did not hide the window in the notification area" >&2
    exit 1
  fi
  echo "pss after ${HIDDEN_SECONDS:-60} s hidden: $(pss_of_tree "$pid") MB (target <= 150 MB)"
  exit 0
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-${LISTORIX_BUILD_DIR:-build}}"
for program in listorix listorix-quoted listorix-poll; do
  [ -x "$build/$program" ] ||
    { echo "startup_window: $build/$program not found; build the project first" >&2; exit 2; }
done
for tool in xvfb-run xdotool xwininfo openbox trayer; do
  command -v "$tool" >/dev/null || { echo "startup_window: $tool is missing (scripts/setup installs it)" >&2; exit 2; }
done

. "$root/scripts/lib/demo-service.sh"
work="$(mktemp -d)"
trap 'stop_demo_service; rm -rf "$work"' EXIT
start_demo_service "$build/listorix-quoted" "$work" --always-open ||
  { echo "startup_window: the service did not start" >&2; exit 1; }

. "$root/scripts/lib/bench-folder.sh"
folder="$work/program"
prepare_bench_folder "$build" "$root" "$folder" "$demo_address" ||
  { echo "startup_window: could not fill the caches" >&2; exit 1; }

# The bare window: a table and a chart, linked against the program's Qt libraries
# (kept even where nothing of them is used, as the program's are).
mkdir "$work/bare"
cat >"$work/bare/main.cpp" <<'CPP'
#include <QApplication>
#include <QChartView>
#include <QLineSeries>
#include <QMainWindow>
#include <QTableWidget>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Listorix");
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* table = new QTableWidget(20, 11, central);
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 11; ++col)
            table->setItem(row, col, new QTableWidgetItem(QString::number(row * col)));
    layout->addWidget(table);
    auto* series = new QLineSeries;
    for (int k = 0; k < 50; ++k)
        series->append(k, k % 7);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    layout->addWidget(new QChartView(chart, central));
    window.setCentralWidget(central);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
CPP
cat >"$work/bare/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(bare_window LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Qt6 REQUIRED COMPONENTS Widgets Charts WebEngineWidgets Svg)
add_executable(bare_window main.cpp)
target_link_options(bare_window PRIVATE -Wl,--no-as-needed)
target_link_libraries(bare_window PRIVATE Qt6::Widgets Qt6::Charts Qt6::WebEngineWidgets Qt6::Svg)
CMAKE
cmake -S "$work/bare" -B "$work/bare/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$work/bare/build" >/dev/null
echo "linked: $(ldd "$build/listorix" | grep -o 'libQt6[A-Za-z]*' | sort -u | tr '\n' ' ')"
echo "bare:   $(ldd "$work/bare/build/bare_window" | grep -o 'libQt6[A-Za-z]*' | sort -u | tr '\n' ' ')"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$folder" "$work/bare/build/bare_window" "$root"
