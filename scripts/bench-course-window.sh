#!/usr/bin/env bash
# Builds the course window benchmark (Release) and runs it: the course window over a
# generated 100,000-record airports.fly, opened from the planner and typed into.
# Runs on Qt's offscreen platform; with --xvfb on a virtual X display instead.
# Usage: scripts/bench-course-window.sh [--xvfb] [--rounds N] [--records N] [--trace]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

xvfb=0
args=()
for arg in "$@"; do
  case "$arg" in
    --xvfb) xvfb=1 ;;
    *) args+=("$arg") ;;
  esac
done

# The bench folder's CMake file needs Google Benchmark too.
if [ "$xvfb" -eq 1 ]; then
  "$root/scripts/install-deps.sh" --tests --screenshot
else
  "$root/scripts/install-deps.sh" --tests
fi

build="$root/build/benchgui"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target orvane_course_window_bench
bench="$build/bench/orvane_course_window_bench"

if [ "$xvfb" -eq 0 ]; then
  QT_QPA_PLATFORM=offscreen "$bench" "${args[@]}"
  exit
fi

source "$root/scripts/lib/xvfb.sh"
start_xvfb 1280x900x24
"$bench" "${args[@]}"
