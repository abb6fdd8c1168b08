#!/usr/bin/env bash
# Coverage-guided fuzzing of the core's readers of outside text (the field-reading
# rule, the number reader, the airport text, adding an airport, the defaults file, the
# airport-name table, the nav log's CSV text, the FlightPlan and GPX route files, the
# magnetic model's coefficient table, the copy an in-place save keeps, the airport
# directory file, plan files): builds the targets fuzz/CMakeLists.txt lists, each
# fuzz/<name>_fuzz.cpp, with clang's libFuzzer and the address and undefined-behaviour
# sanitizers into build/fuzz, and runs each target for the given seconds (default 30)
# from a copy of its seed corpus fuzz/corpus/<name>/, so the repository's corpus is
# never changed. Fails when any target finds a fault, or when a fuzz/<name>_fuzz.cpp is
# not listed; the input that found a fault is kept in build/fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds-per-target]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh" --fuzz

build="$root/build/fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DORVANE_BUILD_GUI=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF -DORVANE_BUILD_FUZZERS=ON
cmake --build "$build" -j"$(nproc)"

# The targets the build lists; a source it does not list would never run.
mapfile -t targets < "$build/fuzz/fuzz-targets.txt"
for source in "$root"/fuzz/*_fuzz.cpp; do
  target="$(basename "$source" .cpp)"
  if ! printf '%s\n' "${targets[@]}" | grep -qx "$target"; then
    echo "fuzz/$target.cpp is not listed in fuzz/CMakeLists.txt" >&2
    exit 1
  fi
done

work="$build/work"      # the corpora the runs grow, copied afresh from the seeds each time
findings="$build/findings"
mkdir -p "$work" "$findings"
failed=()
summary=()
for target in "${targets[@]}"; do
  name="${target%_fuzz}"
  rm -rf "${work:?}/$name"
  mkdir -p "$work/$name"
  if [ -d "$root/fuzz/corpus/$name" ]; then cp -R "$root/fuzz/corpus/$name/." "$work/$name/"; fi
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -artifact_prefix="$findings/$name-")

  echo "== $target: $seconds s"
  log="$work/$name.log"
  status=0
  "$build/fuzz/$target" "${options[@]}" "$work/$name" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" || true
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  coverage="$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    failed+=("$target")
    summary+=("$target: FAULT FOUND (exit $status), see $log and $findings")
  else
    summary+=("$target: ${runs:-?} runs, ${speed:-?} exec/s, ${coverage:-no coverage line}")
  fi
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "Faults found by: ${failed[*]}" >&2
  exit 1
fi
echo "No faults found."
