#!/usr/bin/env bash
# Started without a graphical session, scripts/run.sh and the installed launcher say so
# in one line on stderr and fail, before they install, build or make anything; with a
# Wayland session or a platform that needs no display they go on (the launcher then
# stops at the missing HOME, which shows it got past the check).
# Usage: no_display_test.sh <run.sh> <launcher, as configured in the build>
set -u
run_sh="$1"
launcher="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=0

# <name> <expected stderr pattern> <shell> <script> [VAR=value ...]: runs the script with
# only the variables given (and PATH) and a HOME in the scratch folder unless HOME=
# is given empty; the program must fail with exactly one line on stderr that matches.
row() {
  local name="$1" pattern="$2" shell="$3" program="$4"
  shift 4
  local home="$scratch/$name"
  mkdir -p "$home"
  local status=0
  env -i PATH="$PATH" HOME="$home" "$@" "$shell" "$program" "$scratch/$name/work" \
    >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
  local lines
  lines="$(wc -l <"$scratch/err")"
  if [ "$status" -ne 0 ] && [ "$lines" -eq 1 ] && grep -q -- "$pattern" "$scratch/err" \
     && [ ! -e "$home/Orvane" ] && [ ! -e "$scratch/$name/work" ]; then
    echo "PASS: $name"
  else
    echo "FAIL: $name (status $status, $lines lines on stderr)"
    sed 's/^/   /' "$scratch/err"
    failed=1
  fi
}

refused="^orvane: no graphical session (DISPLAY and WAYLAND_DISPLAY are not set)"
row run-sh-without-display "$refused" bash "$run_sh"
row run-sh-xcb-without-display "$refused" bash "$run_sh" QT_QPA_PLATFORM=xcb
row launcher-without-display "$refused" sh "$launcher"
row launcher-wayland-without-display "$refused" sh "$launcher" QT_QPA_PLATFORM=wayland
row launcher-in-wayland-session "HOME is not set" sh "$launcher" WAYLAND_DISPLAY=wayland-0 HOME=
row launcher-offscreen "HOME is not set" sh "$launcher" QT_QPA_PLATFORM=offscreen HOME=
exit "$failed"
