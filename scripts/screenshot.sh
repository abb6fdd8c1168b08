#!/usr/bin/env bash
# Takes the README's screenshots from the real program: starts Orvane under Xvfb in a
# scratch working folder with example defaults and the shipped airports, and types as
# a pilot would:
#   planner.png            the worked leg, after Calculate
#   course-window.png      Get TC and Distance from JFK, with BOS typed as destination
#                          and "Use Variation" ticked
#   coordinate-window.png  Convesions, with 40 30 0 / 73 46 44 converted
#   legs-window.png        Flight > Legs over the example plan, JFK to PVD to BOS
#   altitude-airspeed-window.png  Altitude and Airspeed on a warm day at 6,500 ft
# Usage: scripts/screenshot.sh [--wm] [OUT_FOLDER]   (default docs/; --wm runs openbox)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wm=0
if [ "${1:-}" = "--wm" ]; then wm=1; shift; fi
out="${1:-$root/docs}"
"$root/scripts/install-deps.sh" --screenshot

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target orvane >/dev/null

work="$(mktemp -d)"
trap 'kill "${app:-}" "${openbox:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$root/data/airports.fly" "$root/data/readme.txt" "$work/"
cp "$root/scripts/example-config.fly" "$work/config.fly"
cp "$root/tests/data/exchange/example-flight.orvplan" "$work/"

source "$root/scripts/lib/xvfb.sh"
start_xvfb 1280x900x24
if [ "$wm" -eq 1 ]; then
  openbox >/dev/null 2>&1 &
  openbox=$!
  sleep 1
fi
(cd "$work" && exec "$build/src/app/orvane") &
app=$!
sleep "${SPLASH_WAIT:-4}"  # the start-up picture closes after 2.5 s

mkdir -p "$out"
shot() {  # shot WINDOW_TITLE FILE
  local window
  window="$(xdotool search --sync --name "$1" | head -n 1)"
  import -window "$window" "$out/$2"
  echo "screenshot: $out/$2"
}

window="$(xdotool search --sync --name 'Orvane - by Halvick' | head -n 1)"
xdotool windowactivate --sync "$window" || true
# From "Get TC and Distance" Tab goes on to Reset and Quit, then round to the course.
xdotool key --delay 60 Tab Tab Tab
xdotool type --delay 40 "90"; xdotool key Tab
xdotool type --delay 40 "45"; xdotool key Tab
xdotool type --delay 40 "20"; xdotool key Tab Tab Tab Tab
xdotool type --delay 40 "60"
xdotool key alt+c
sleep 1
shot 'Orvane - by Halvick' planner.png

# The course window opens on the destination entry.
xdotool key alt+g
sleep 1
xdotool type --delay 60 "BOS"; xdotool key Tab
xdotool key alt+v
sleep 0.5
shot 'Get True Course & Distance' course-window.png

xdotool key alt+c
sleep 1
xdotool type --delay 40 "40"; xdotool key Tab
xdotool type --delay 40 "30"; xdotool key Tab Tab Tab
xdotool type --delay 40 "73"; xdotool key Tab
xdotool type --delay 40 "46"; xdotool key Tab
xdotool type --delay 40 "44"; xdotool key Tab space
xdotool key Return
sleep 0.5
shot 'Coordinates Conversion' coordinate-window.png

# Back to the planner (Escape closes the converter, then the course window), then
# Tools > Altitude and Airspeed on a warm day at a field of 6,500 ft; Enter calculates.
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
xdotool key alt+t
sleep 0.5
xdotool key a
sleep 1
xdotool type --delay 40 "6500"; xdotool key Tab
xdotool type --delay 40 "1008"; xdotool key Tab Tab
xdotool type --delay 40 "24"; xdotool key Tab
xdotool type --delay 40 "105"
xdotool key Return
sleep 0.5
shot 'Altitude and Airspeed' altitude-airspeed-window.png

# The example plan through File > Open Plan (the dialog opens in the working folder),
# then Flight > Legs with its first leg chosen.
xdotool key Escape
sleep 0.5
xdotool key ctrl+o
sleep 1
xdotool type --delay 40 "example-flight.orvplan"
xdotool key Return
sleep 1
xdotool key ctrl+l
sleep 1
shot 'Legs' legs-window.png
