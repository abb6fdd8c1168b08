#!/usr/bin/env bash
# Starts Orvane built with AddressSanitizer and UndefinedBehaviorSanitizer (the CMake
# preset "asan", build/asan) on the desktop, so that it can be tried by hand with the
# sanitizers watching. The working folder (./run-asan unless one is given) is prepared
# as scripts/run.sh prepares it; files already in it are the pilot's and are kept.
#
# The sanitizer options are the test suite's, strict string checks included. What a
# real X display adds is the desktop's own libraries: libxkbcommon-x11 hands strings
# that are not NUL-terminated to the C library, which strict_string_checks=1 reports
# and, with halt_on_error, ends the program at every start. The reports of those calls
# made from within that library alone are suppressed (tests/sanitizer/asan-desktop.supp);
# every call from our code or from Qt is checked as in the tests. Leaks are checked at
# exit with the suite's suppressions and the desktop's (tests/sanitizer/lsan-desktop.supp).
#
# Usage: scripts/run-asan.sh [--check] [WORK_FOLDER]
#   --check  starts it under Xvfb and openbox instead of the desktop, opens the course
#            window and weight and balance, quits, and fails on any sanitizer finding
#            or when the planner window does not come up (the test script runs this).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
check=0
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
build="${ORVANE_ASAN_BUILD:-$root/build/asan}"

if [ "$check" -eq 1 ]; then "$root/scripts/install-deps.sh" --tests; else "$root/scripts/install-deps.sh"; fi
cmake --preset asan -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target orvane

# The build's sanitizer options (cmake/Sanitizers.cmake), with the desktop's suppressions.
# shellcheck source=/dev/null
source "$build/sanitizer-env.sh"
export ASAN_OPTIONS="$ASAN_OPTIONS:suppressions=$root/tests/sanitizer/asan-desktop.supp"
# LeakSanitizer takes one suppression file (the last one named counts): the suite's and
# the desktop's together.
scratch="$(mktemp -d)"
cat "$root/tests/sanitizer/lsan.supp" "$root/tests/sanitizer/lsan-desktop.supp" > "$scratch/lsan.supp"
export LSAN_OPTIONS="$LSAN_OPTIONS:suppressions=$scratch/lsan.supp"

prepare() {  # <folder>
  mkdir -p "$1"
  for file in airports.fly AIRPORTS-SOURCE.md readme.txt; do
    [ -e "$1/$file" ] || cp "$root/data/$file" "$1/$file"
  done
}

if [ "$check" -eq 0 ]; then
  work="${1:-$root/run-asan}"
  prepare "$work"
  cd "$work"
  status=0
  "$build/src/app/orvane" || status=$?
  rm -rf "$scratch"
  exit "$status"
fi

# --- The check under Xvfb and openbox ---------------------------------------------
trap 'kill "${app:-}" "${openbox:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
work="$scratch/work"
prepare "$work"
cp "$root/scripts/example-config.fly" "$work/config.fly"

source "$root/scripts/lib/xvfb.sh"
start_xvfb 1280x900x24 || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
openbox >/dev/null 2>&1 &
openbox=$!

(cd "$work" && exec "$build/src/app/orvane") > "$scratch/app.log" 2>&1 &
app=$!

fail() {
  echo "FAIL: $1" >&2
  cat "$scratch/app.log" >&2
  exit 1
}

# Waits (at most 60 s: the sanitizers make the start slow) for a shown window of the
# program whose title matches <pattern>, and prints its id.
window_of() {  # <pattern>
  local id
  for _ in $(seq 300); do
    kill -0 "$app" 2>/dev/null || return 1
    id="$(xdotool search --all --onlyvisible --pid "$app" --name "$1" 2>/dev/null | head -n 1 || true)"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}

planner="$(window_of '^Orvane - by Halvick$')" || fail "the planner window did not come up"
sleep 3  # the start-up picture closes after 2.5 s
xdotool windowactivate --sync "$planner" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+g
window_of '^Get True Course & Distance$' >/dev/null || fail "the course window did not come up"
sleep 1
xdotool type --delay 80 "BOS"
xdotool key Tab
sleep 1
xdotool key Escape
sleep 1
xdotool windowactivate --sync "$planner" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+t
sleep 1
xdotool key b
window_of '^Weight & Balance version 1.0$' >/dev/null || fail "weight and balance did not come up"
sleep 1
xdotool key Return  # Calculate
sleep 1
xdotool key Escape
sleep 1
xdotool windowactivate --sync "$planner" >/dev/null 2>&1 || true
xdotool key Escape

status=0
for _ in $(seq 300); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$app" 2>/dev/null; then fail "the program did not end on Escape"; fi
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
if grep -q "Sanitizer" "$scratch/app.log"; then fail "a sanitizer reported"; fi
echo "ok: the sanitizer build started under Xvfb and openbox, opened the course window and weight and balance, and quit cleanly"
