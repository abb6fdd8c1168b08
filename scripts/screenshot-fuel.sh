#!/usr/bin/env bash
# Takes the README's fuel screenshots from the real program under Xvfb and openbox: the
# example flight JFK -> PVD -> BOS (WD 45, WV 20, take-off 9:00:00) typed as a pilot
# would, then
#   fuel-plan-window.png  Tools > Fuel Plan with 1 gallon taxi and 5 % contingency
#   navlog-fuel.png       File > Print Nav Log..., the page with the fuel check
#   navlog.png            that page alone
# The settings live in the scratch folder, so the pilot's own usual policy is untouched.
# Usage: scripts/screenshot-fuel.sh [OUT_FOLDER]   (default docs/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/docs}"
"$root/scripts/install-deps.sh" --screenshot
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target orvane >/dev/null
bin="$build/src/app/orvane"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'kill "${app:-}" "${openbox:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$root/data/airports.fly" "$root/data/readme.txt" "$work/"
cp "$root/scripts/example-config.fly" "$work/config.fly"
source "$root/scripts/lib/xvfb.sh"
start_xvfb 1280x1000x24
export XDG_CONFIG_HOME="$work/xdg"
openbox >/dev/null 2>&1 &
openbox=$!
sleep 1
(cd "$work" && exec "$bin") &
app=$!
sleep 4
shot() { local w; w="$(xdotool search --sync --name "$1" | head -n 1)"; import -frame -window "$w" "$out/$2"; echo "shot $out/$2"; }
window="$(xdotool search --sync --name 'Orvane - by Halvick' | head -n 1)"
xdotool windowactivate --sync "$window" || true
leg() {  # leg DEST
  xdotool key alt+g; sleep 1
  xdotool type --delay 60 "$1"; xdotool key Tab; sleep 0.3
  xdotool key Return; sleep 0.7   # OK
  xdotool key Return; sleep 0.7   # the course and distance message
}
leg PVD
# From Calculate round to TC, then the wind and the take-off time.
xdotool key --delay 60 Tab Tab Tab Tab Tab
xdotool type --delay 40 "45"; xdotool key Tab
xdotool type --delay 40 "20"; xdotool key Tab Tab Tab Tab Tab
xdotool type --delay 80 "090000"
xdotool key alt+c; sleep 1
leg BOS
xdotool key alt+c; sleep 1
xdotool key alt+t; sleep 0.5; xdotool key f; sleep 1
xdotool type --delay 40 "1"; xdotool key Tab
xdotool type --delay 40 "5"; xdotool key alt+c; sleep 0.7
shot 'Fuel Plan' fuel-plan-window.png
xdotool key --delay 80 Tab Tab Tab Tab Tab space; sleep 1   # from Contingency round to OK
xdotool key ctrl+p; sleep 3
pv="$(xdotool search --sync --name 'Print Nav Log' | head -n 1)"
xdotool windowsize "$pv" 900 980; sleep 1.5
shot 'Print Nav Log' navlog-fuel.png
convert "$out/navlog-fuel.png" -crop 610x866+145+96 +repage "$out/navlog.png"  # the page alone
