#!/usr/bin/env bash
# scripts/check-includes.py on small source trees: it names a cycle between two units
# (a header and its source count as one), a longer cycle, and a layer that includes one
# above it, and passes a tree that has none of these.
# Usage: check_includes_test.sh <python3> <check-includes.py>
set -u
python="$1"
check="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=0

# <tree> <file> <included>...: a file that includes the others.
file() {
  local tree="$1" path="$2"
  shift 2
  mkdir -p "$scratch/$tree/$(dirname "$path")"
  { echo '#pragma once'; echo '#include <string>'; for i in "$@"; do echo "#include \"$i\""; done; } \
    >"$scratch/$tree/$path"
}

# <name> <tree> <expected status> [expected stderr line]...
row() {
  local name="$1" tree="$2" expected="$3"
  shift 3
  local status=0
  "$python" "$check" "$scratch/$tree" >"$scratch/out" 2>"$scratch/err" || status=$?
  local ok=1
  [ "$status" -eq "$expected" ] || ok=0
  for line in "$@"; do grep -qxF -- "$line" "$scratch/err" || ok=0; done
  if [ "$ok" -eq 1 ]; then
    echo "PASS: $name"
  else
    echo "FAIL: $name (status $status, expected $expected)"
    sed 's/^/   /' "$scratch/err"
    failed=1
  fi
}

# A clean tree: one way down, a header including its neighbour by its own folder.
file clean core/leg.hpp
file clean core/flight.hpp core/leg.hpp
file clean core/flight.cpp core/flight.hpp leg.hpp
file clean ui/fields.hpp core/leg.hpp
file clean windows/planner.cpp ui/fields.hpp core/flight.hpp
file clean app/main.cpp windows/planner.hpp
row clean-tree clean 0

# The header includes the other header, the other's source includes it back.
file pair core/flight.hpp core/nav_log.hpp
file pair core/nav_log.hpp
file pair core/nav_log.cpp core/nav_log.hpp core/flight.hpp
row cycle-through-a-source pair 1 \
  "include cycle: core/flight -> core/nav_log -> core/flight" \
  "  core/flight.hpp:3: core/flight includes core/nav_log" \
  "  core/nav_log.cpp:4: core/nav_log includes core/flight"

# Three headers in a ring, one included beside it.
file ring core/a.hpp core/b.hpp
file ring core/b.hpp c.hpp
file ring core/c.hpp core/a.hpp
row ring-of-three ring 1 "include cycle: core/a -> core/b -> core/c -> core/a"

# The core includes a window's header.
file upward core/flight.hpp windows/planner.hpp
file upward windows/planner.hpp
row core-includes-a-window upward 1 \
  "wrong-way include: core/flight.hpp:3: core includes windows/planner of windows"

exit "$failed"
