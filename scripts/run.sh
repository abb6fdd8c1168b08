#!/usr/bin/env bash
# Builds Orvane and starts it in its working folder (./run unless a folder is given),
# which is prepared with the shipped airport database, its source note and the
# read-me. Files already in the folder are the pilot's and are never overwritten.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${1:-$root/run}"
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
