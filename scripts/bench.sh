#!/usr/bin/env bash
# Orvane's speed figures, for the README: builds Release into build/bench-release and
# measures, on this machine,
#   1. process start until the planner window is mapped, under Xvfb without a window
#      manager, against a minimal Qt dialog of the planner's size (and the same dialog
#      with one line of text), started by turns in the same run, with the shipped
#      airports.fly and with a generated 100,000-record one (goal: planner/minimal at
#      most 1.2);
#   2. the peak memory (max RSS) of each, killed 1 s after its window is mapped;
#   3. the core's figures per call (Google Benchmark);
#   4. the course window over 100,000 airports and over an 8 MiB file of 311,000, and
#      its memory with a million short records (scripts/bench-course-window.sh --xvfb);
#   5. the airport directory: its file size, open time and search time (Google Benchmark).
# Prints a summary with the machine at the top and writes it to
# build/bench-release/bench-summary.md.
# Usage: scripts/bench.sh [--runs N] [--memory-runs N] [--start-only]
#   (rounds of starts per airport file: 20 timed, then 5 for the memory; --start-only
#   measures 1 and 2 alone)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=20
memory_runs=5
start_only=0
while [ "$#" -gt 0 ]; do
  case "$1" in
    --runs) runs="${2:?--runs needs a number}"; shift 2 ;;
    --memory-runs) memory_runs="${2:?--memory-runs needs a number}"; shift 2 ;;
    --start-only) start_only=1; shift ;;
    *) echo "usage: $0 [--runs N] [--memory-runs N] [--start-only]" >&2; exit 2 ;;
  esac
done
began=$(date +%s)
taken="$(date -u '+%Y-%m-%d %H:%M UTC')"
load="$(cut -d ' ' -f 1-3 /proc/loadavg)"
"$root/scripts/install-deps.sh" --tests --screenshot --bench

build="$root/build/bench-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
targets=(orvane orvane_minimal_dialog orvane_map_timer orvane_generated_airports)
if [ "$start_only" -eq 0 ]; then targets+=(orvane_core_bench orvane_directory_bench orvane_course_window_bench); fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

planner="$build/src/app/orvane"
minimal="$build/bench/orvane_minimal_dialog"
timer="$build/bench/orvane_map_timer"
title='Orvane - by Halvick'  # the planner's; its start-up picture has none
summary="$build/bench-summary.md"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Two working folders as a pilot has them: the defaults (so that no message box comes
# up before the planner), the read-me and the airports.
for folder in shipped large; do
  mkdir -p "$scratch/$folder"
  cp "$root/data/readme.txt" "$scratch/$folder/"
  cp "$root/scripts/example-config.fly" "$scratch/$folder/config.fly"
done
cp "$root/data/airports.fly" "$scratch/shipped/"
# The 100,000 records of the course window benchmark, from the same generator
# (bench/generated_airports.hpp).
"$build/bench/orvane_generated_airports" 100000 > "$scratch/large/airports.fly"

# The server stays up between the starts (scripts/lib/xvfb.sh).
source "$root/scripts/lib/xvfb.sh"
start_xvfb 1280x900x24

# start_once LINGER_MS FOLDER PROGRAM: one start in FOLDER, killed LINGER_MS after its window
# is mapped; prints map_timer's line (mapped_ms=... first_map_ms=... cpu_ms=... max_rss_kb=...).
start_once() {
  local linger="$1" folder="$2" program="$3"
  case "$program" in
    planner) (cd "$folder" && "$timer" --linger "$linger" "$title" "$planner") ;;
    minimal) (cd "$folder" && "$timer" --linger "$linger" 'Minimal dialog' "$minimal" "$width" "$height") ;;
    label) (cd "$folder" && "$timer" --linger "$linger" 'Minimal dialog' "$minimal" "$width" "$height" --label) ;;
  esac
}
field() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p"; }  # field NAME < lines: the values of NAME
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

# The planner's size on this screen, for the minimal dialog; this first start also brings
# the programs and their files into the cache and is not counted.
probe="$(start_once 0 "$scratch/shipped" planner)"
width="$(field width <<<"$probe")"
height="$(field height <<<"$probe")"
start_once 0 "$scratch/shipped" label >/dev/null

# Each round starts every program once in each folder, so that a busy moment of the
# machine falls on all of them alike.
echo "Timing $runs rounds of starts: the planner, the minimal dialog (${width}x${height}) and the same with a label..."
for _ in $(seq "$runs"); do
  for folder in shipped large; do
    for program in planner minimal label; do
      start_once 0 "$scratch/$folder" "$program" >> "$scratch/$folder.$program.time"
    done
  done
done
echo "Measuring the peak memory, $memory_runs rounds..."
for _ in $(seq "$memory_runs"); do
  for folder in shipped large; do
    for program in planner minimal label; do
      start_once 1000 "$scratch/$folder" "$program" >> "$scratch/$folder.$program.memory"
    done
  done
done

core=""
directory=""
course=""
missing=()
if [ "$start_only" -eq 0 ]; then
  core="$("$build/bench/orvane_core_bench" --benchmark_color=false \
    --benchmark_filter='^BM_(ComputeLeg|ComputeCourseDistance|ParseAirportText/100000|LeadingNumber|Format|FieldText|RoundTo|DecimalNumberLength|DecimalValue)' 2>&1)"
  for name in ComputeLeg ComputeCourseDistance ParseAirportText/100000 LeadingNumber FormatFixed FormatSixDecimals \
    FormatGeneral FieldText RoundToHundredths RoundToWhole DecimalNumberLength DecimalValue; do
    grep -q "^BM_$name" <<<"$core" || missing+=("BM_$name")
  done
  directory="$("$build/bench/orvane_directory_bench" --benchmark_color=false 2>&1)"
  # On the display above: 100,000 records; the 8 MiB limit nearly filled with 311,000 records
  # as the generator writes them, whose opening should take at most 3.5 times as long;
  # and a million short records, the most the lists can get, for the memory.
  echo "Timing the course window..."
  course="$("$build/bench/orvane_course_window_bench" 2>&1)"
  course_large="$("$build/bench/orvane_course_window_bench" --records 311000 --rounds 7 2>&1)"
  course_short="$("$build/bench/orvane_course_window_bench" --records 1000000 --short --rounds 3 2>&1)"
fi

shipped_records="$(grep -c ':' "$root/data/airports.fly" || true)"
folder_name() { if [ "$1" = shipped ]; then echo "shipped, $shipped_records records"; else echo "generated, 100,000 records"; fi; }
{
  echo "# Orvane speed figures"
  echo
  echo "| Machine | |"
  echo "|---|---|"
  echo "| CPU | $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1) |"
  echo "| Cores | $(nproc) |"
  echo "| RAM | $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) |"
  echo "| Debian | $(cat /etc/debian_version) |"
  echo "| Qt | $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) |"
  echo "| Load at start (1, 5, 15 min) | $load |"
  echo "| Taken | $taken |"
  echo
  echo "## Start until the window is mapped"
  echo
  echo "Xvfb 1280x900x24 without a window manager. $runs rounds, each starting the planner, a minimal"
  echo "Qt dialog of the planner's size (${width}x${height}) and that dialog with one label, in each"
  echo "working folder; medians. Elapsed: process start (exec) to the MapNotify of the window; the"
  echo "planner's start-up picture maps first and is not counted. CPU: the program's processor time"
  echo "until then. Goal: planner/minimal at most 1.2."
  echo
  echo "| airports.fly | planner ms | picture mapped at ms | minimal ms | with label ms | planner/minimal | planner/with label | CPU planner / minimal / with label ms |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|"
  for folder in shipped large; do
    p="$(field mapped_ms < "$scratch/$folder.planner.time" | median)"
    s="$(field first_map_ms < "$scratch/$folder.planner.time" | median)"
    m="$(field mapped_ms < "$scratch/$folder.minimal.time" | median)"
    l="$(field mapped_ms < "$scratch/$folder.label.time" | median)"
    cpu=""
    for program in planner minimal label; do
      cpu="$cpu${cpu:+ / }$(field cpu_ms < "$scratch/$folder.$program.time" | median)"
    done
    echo "| $(folder_name "$folder") | $p | $s | $m | $l | $(ratio "$p" "$m") | $(ratio "$p" "$l") | $cpu |"
  done
  echo
  echo "## Peak memory (max RSS), killed 1 s after the window is mapped"
  echo
  echo "Rounds: $memory_runs; medians."
  echo
  echo "| airports.fly | planner MiB | minimal MiB | with label MiB | planner/minimal |"
  echo "|---|---:|---:|---:|---:|"
  for folder in shipped large; do
    p="$(field max_rss_kb < "$scratch/$folder.planner.memory" | median)"
    m="$(field max_rss_kb < "$scratch/$folder.minimal.memory" | median)"
    l="$(field max_rss_kb < "$scratch/$folder.label.memory" | median)"
    echo "| $(folder_name "$folder") | $(mib "$p") | $(mib "$m") | $(mib "$l") | $(ratio "$p" "$m") |"
  done
  echo
  if [ "$start_only" -eq 0 ]; then
    echo "## The core, per call (Google Benchmark)"
    echo
    echo '```'
    grep -v '^\*\*\*' <<<"$core"
    echo '```'
    if [ "${#missing[@]}" -gt 0 ]; then
      echo
      echo "No benchmark yet for: ${missing[*]}."
    fi
    echo
    echo "## The airport directory (Google Benchmark)"
    echo
    echo "data/airport-directory.bin: $(stat -c %s "$root/data/airport-directory.bin") bytes. Load: reading, inflating,"
    echo "checking and indexing the whole file, once when the course window first opens. Search: one"
    echo "keystroke over every airport (goal: at most 16 ms)."
    echo
    echo '```'
    grep -v '^\*\*\*' <<<"$directory"
    echo '```'
    echo
    echo "## The course window over 100,000 airports"
    echo
    echo '```'
    echo "$course"
    echo '```'
    echo
    echo "## The course window over 8 MiB: 311,000 airports"
    echo
    echo '```'
    echo "$course_large"
    echo '```'
    echo
    echo "## The course window over a million short records (8,000,000 bytes)"
    echo
    echo '```'
    echo "$course_short"
    echo '```'
    echo
  fi
  echo "Whole script: $(( $(date +%s) - began )) s."
} > "$summary"
echo
cat "$summary"
echo
echo "Written to $summary"
