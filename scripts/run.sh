#!/usr/bin/env bash
# Builds Orvane and starts it in its working folder (./run unless a folder is given),
# which is prepared with the shipped airport database, its source note and the
# read-me. Files already in the folder are the pilot's and are never overwritten.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${1:-$root/run}"

# Without a desktop the toolkit aborts with advice to reinstall it; say what is wrong
# before installing or building anything. A platform that needs no display
# (QT_QPA_PLATFORM=offscreen, vnc...) goes on.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  case "${QT_QPA_PLATFORM:-}" in
    '' | xcb* | wayland*)
      echo "orvane: no graphical session (DISPLAY and WAYLAND_DISPLAY are not set); start Orvane from a desktop session." >&2
      exit 1
      ;;
  esac
fi
"$root/scripts/install-deps.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j"$(nproc)" --target orvane

mkdir -p "$work"
for file in airports.fly AIRPORTS-SOURCE.md readme.txt; do
  [ -e "$work/$file" ] || cp "$root/data/$file" "$work/$file"
done
cd "$work"
exec "$build/src/app/orvane"
