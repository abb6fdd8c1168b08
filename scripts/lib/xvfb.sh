# shellcheck shell=bash
# The virtual X display of the scripts that start the program under X (test-package.sh,
# run-asan.sh --check, screenshot.sh, screenshot-fuel.sh, bench.sh,
# bench-course-window.sh --xvfb). Sourced, not run:
#
#   source "$root/scripts/lib/xvfb.sh"
#   start_xvfb [WIDTHxHEIGHTxDEPTH]   (default 1280x900x24)
#   ...                               # DISPLAY, QT_QPA_PLATFORM=xcb and XDG_RUNTIME_DIR set
#   stop_xvfb                         # optional: it also stops when the script ends
#
# Xvfb picks a free display itself (-displayfd) and writes its number only once it
# takes connections, so no guessed display clashes with another one and no fixed sleep
# is needed. With -noreset it stays up while no client is connected: without it the
# server resets when its last client leaves, and a program started at that moment
# finds no display. start_xvfb adds stop_xvfb to the script's EXIT trap, after what the
# trap already does (which usually ends the programs on the display first), so a
# script sets its own trap before calling it.

xvfb_pid=""
xvfb_scratch=""

start_xvfb() {  # [WIDTHxHEIGHTxDEPTH]
  local screen="${1:-1280x900x24}"
  if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is not installed (apt-get install xvfb)" >&2
    return 1
  fi
  xvfb_scratch="$(mktemp -d)"
  local previous
  previous="$(trap -p EXIT)"
  if [ -n "$previous" ]; then
    eval "set -- $previous"  # trap -- 'COMMAND' EXIT
    trap "$3"$'\n''stop_xvfb' EXIT
  else
    trap 'stop_xvfb' EXIT
  fi

  Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp \
    3> "$xvfb_scratch/display" > "$xvfb_scratch/log" 2>&1 &
  xvfb_pid=$!
  local _
  for _ in $(seq 100); do  # up to 10 s
    [ -s "$xvfb_scratch/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$xvfb_scratch/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$xvfb_scratch/log" >&2
    stop_xvfb
    return 1
  fi
  DISPLAY=":$(head -n 1 "$xvfb_scratch/display")"
  export DISPLAY
  export QT_QPA_PLATFORM=xcb
  # Qt's own runtime folder, so that it does not warn on every start.
  export XDG_RUNTIME_DIR="$xvfb_scratch/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
  if [ -n "$xvfb_scratch" ]; then
    rm -rf "$xvfb_scratch"
    xvfb_scratch=""
  fi
}
