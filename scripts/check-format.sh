#!/usr/bin/env bash
# Checks that every C++ file of src, tests, bench, fuzz and tools is formatted as
# .clang-format says (clang-format-14), and fails, naming the files, when one is not.
# Usage: scripts/check-format.sh [--report | --apply]
#   --report  counts the files and lines clang-format would change, and succeeds all
#             the same
#   --apply   formats the files in place
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:---check}"
case "$mode" in
  --check | --report | --apply) ;;
  *) echo "usage: $0 [--report | --apply]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh" --format
format=clang-format-14

cd "$root"
mapfile -t files < <(find src tests bench fuzz tools -type f \( -name '*.cpp' -o -name '*.hpp' \) | LC_ALL=C sort)
if [ "$mode" = --apply ]; then
  "$format" -i --style=file "${files[@]}"
  echo "formatted ${#files[@]} files"
  exit 0
fi

# One pass over every file; each place out of format is reported as "FILE:LINE:COLUMN: error: ...".
mapfile -t unformatted < <("$format" --dry-run --Werror --style=file "${files[@]}" 2>&1 |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' | uniq)
lines=0
for file in "${unformatted[@]}"; do
  changed="$("$format" --style=file "$file" | diff "$file" - | grep -c '^<' || true)"
  lines=$((lines + changed))
done
if [ "${#unformatted[@]}" -eq 0 ]; then
  echo "all ${#files[@]} files formatted"
  exit 0
fi
if [ "$mode" = --check ]; then printf 'not formatted: %s\n' "${unformatted[@]}"; fi
echo "${#unformatted[@]} of ${#files[@]} files, $lines lines to change (scripts/check-format.sh --apply formats them)"
[ "$mode" = --report ]
