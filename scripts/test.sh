#!/usr/bin/env bash
# Checks the C++ files' format (scripts/check-format.sh), then builds Orvane with its
# tests and runs every test: the core's GoogleTest suite and
# the window tests on Qt's offscreen platform. The window tests then run again under
# a German locale and under two other time zones, and the data files they write must
# be byte for byte those of the first run. The Debian package is built and checked as
# installed, started under Xvfb (scripts/test-package.sh). Last, the whole suite runs
# once more built with AddressSanitizer and UndefinedBehaviorSanitizer, and that build
# of the program is started under Xvfb and openbox (scripts/run-asan.sh --check); each
# fuzz target runs for 30 seconds (scripts/fuzz.sh). Each stage prints its time.
#
# The build folders are build/test and build/asan (the CMake presets "test" and
# "asan"), and build/package for the package; ORVANE_TEST_BUILD, ORVANE_ASAN_BUILD and
# ORVANE_PACKAGE_BUILD put them elsewhere.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_TEST_BUILD:-$root/build/test}"
asan_build="${ORVANE_ASAN_BUILD:-$root/build/asan}"
kept="$build/kept-files"  # the data files each window test run wrote, one folder a run
jobs="$(nproc)"

# Ends the running stage with its time, and starts the next.
stage() {
  if [ -n "${stage_name:-}" ]; then echo "   ($stage_name: $((SECONDS - stage_began)) s)"; fi
  stage_name="$1"
  stage_began=$SECONDS
  echo "== $1"
}

# Runs the window tests with the environment given (VAR=value ...), keeping the data
# files they write in $kept/<run>.
window_tests() {  # <run> [VAR=value ...]
  local run="$1"
  shift
  rm -rf "${kept:?}/$run"
  env "$@" QT_QPA_PLATFORM=offscreen ORVANE_TEST_KEEP_FILES="$kept/$run" \
    ctest --test-dir "$build" -L windows --output-on-failure -j"$jobs"
}

stage "dependencies"
# The packages of every stage (the package check's and the fuzzers' clang too) in one
# step at the start, so that sudo asks once and the later stages find them there.
"$root/scripts/install-deps.sh" --tests --package --fuzz --format
# A locale or zone the machine lacks falls back to C or UTC without a word, and the
# runs under them would prove nothing.
if [ "$(LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" != "," ]; then
  echo "the German locale de_DE.UTF-8 is missing" >&2
  exit 1
fi
for zone in Europe/Berlin Pacific/Auckland; do
  [ -f "/usr/share/zoneinfo/$zone" ] || { echo "the time zone $zone is missing (tzdata)" >&2; exit 1; }
done

stage "format (clang-format-14, .clang-format)"
# A file out of format fails the run: scripts/check-format.sh --apply formats the tree.
"$root/scripts/check-format.sh"

stage "build (Debug)"
cmake --preset test -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$jobs"

stage "all tests (C locale, UTC)"
rm -rf "${kept:?}/c"
LC_ALL=C TZ=UTC0 QT_QPA_PLATFORM=offscreen ORVANE_TEST_KEEP_FILES="$kept/c" \
  ctest --test-dir "$build" --output-on-failure -j"$jobs"
# Without kept files the comparisons below would pass on nothing.
if [ -z "$(ls -A "$kept/c" 2>/dev/null)" ]; then
  echo "the window tests kept no data files in $kept/c" >&2
  exit 1
fi
echo "   $(ls "$kept/c" | wc -l) data files kept"

stage "window tests (German locale, UTC)"
window_tests de LC_ALL=de_DE.UTF-8 TZ=UTC0
diff -r "$kept/c" "$kept/de"

stage "window tests (C locale, Europe/Berlin)"
window_tests berlin LC_ALL=C TZ=Europe/Berlin
diff -r "$kept/c" "$kept/berlin"

stage "window tests (C locale, Pacific/Auckland)"
window_tests auckland LC_ALL=C TZ=Pacific/Auckland
diff -r "$kept/c" "$kept/auckland"

stage "Debian package (built, unpacked, started under Xvfb)"
"$root/scripts/test-package.sh"

stage "sanitizers (ASan+UBSan)"
# The build gives ctest its sanitizer options (cmake/Sanitizers.cmake): stop at the
# first finding, with its stack; a finding fails the test.
cmake --preset asan -S "$root" -B "$asan_build" >/dev/null
cmake --build "$asan_build" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$asan_build" --output-on-failure -j"$jobs"
# The program itself under a real X display with openbox, as a pilot would try it.
ORVANE_ASAN_BUILD="$asan_build" "$root/scripts/run-asan.sh" --check

stage "fuzzing (libFuzzer, 30 s a target)"
"$root/scripts/fuzz.sh" 30

stage "done"
