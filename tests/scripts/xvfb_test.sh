#!/usr/bin/env bash
# scripts/lib/xvfb.sh: two scripts starting Xvfb at once get displays of their own that
# take connections at once, each with Qt's settings; the script's own exit steps still
# run, and its display is gone once it has ended.
# Usage: xvfb_test.sh <scripts/lib/xvfb.sh>
set -u
library="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=0
check() {  # <what> <command...>
  local what="$1"
  shift
  if "$@"; then echo "PASS: $what"; else echo "FAIL: $what"; failed=1; fi
}

# One script: its own exit step, the display, and what it saw, in <folder>.
cat > "$scratch/script.sh" <<'SCRIPT'
set -euo pipefail
library="$1" folder="$2"
trap 'touch "$folder/own-exit-step"' EXIT
source "$library"
start_xvfb 640x480x24
xdotool getdisplaygeometry > "$folder/geometry"
echo "$DISPLAY $QT_QPA_PLATFORM" > "$folder/display"
[ -d "$XDG_RUNTIME_DIR" ] && [ "$(stat -c %a "$XDG_RUNTIME_DIR")" = 700 ] && touch "$folder/runtime"
echo "$xvfb_pid" > "$folder/pid"
sleep 1  # both displays up at the same time
SCRIPT
mkdir -p "$scratch/a" "$scratch/b"
bash "$scratch/script.sh" "$library" "$scratch/a" & first=$!
bash "$scratch/script.sh" "$library" "$scratch/b" & second=$!
status=0
wait "$first" || status=$?
wait "$second" || status=$?

check "both scripts ended well" test "$status" -eq 0
for run in a b; do
  check "$run: the display took connections at once" grep -qx "640 480" "$scratch/$run/geometry"
  check "$run: QT_QPA_PLATFORM is xcb" grep -q " xcb$" "$scratch/$run/display"
  check "$run: a private runtime folder" test -e "$scratch/$run/runtime"
  check "$run: the script's own exit step ran" test -e "$scratch/$run/own-exit-step"
  check "$run: Xvfb is gone after the script" sh -c '! kill -0 "$(cat "$1")" 2>/dev/null' sh "$scratch/$run/pid"
done
check "the two scripts had displays of their own" \
  sh -c '[ "$(cut -d " " -f 1 "$1")" != "$(cut -d " " -f 1 "$2")" ]' sh "$scratch/a/display" "$scratch/b/display"
exit "$failed"
