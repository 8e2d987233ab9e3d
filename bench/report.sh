#!/usr/bin/env bash
# The performance report: builds the game and its benchmarks, measures them
# on the shipped content under a virtual X server, and prints one table with
# the figure, what it should be, and what was measured.
# Usage: bench/report.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
"$root/scripts/build.sh" >/dev/null
cd "$root"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
x() { if [[ -n "${DISPLAY:-}" ]]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"; fi; }

# A field of a benchmark's row in Google Benchmark's console output: 2 the
# real time, 4 the CPU time (both in the row's unit).
column() {  # file benchmark field
  awk -v name="$2" -v col="$3" '$1 == name { print $col; exit }' "$1"
}
# A user counter of a benchmark's row ("items_per_second=64.5k/s" gives 64500).
counter() {  # file benchmark counter
  awk -v name="$2" -v key="$3" '$1 == name {
    for (i = 1; i <= NF; ++i) if (index($i, key "=") == 1) {
      v = substr($i, length(key) + 2); sub("/s$", "", v)
      m = 1; if (v ~ /k$/) m = 1e3; if (v ~ /M$/) m = 1e6; sub("[kM]$", "", v)
      print v * m; exit
    } }' "$1"
}

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
echo "measuring (about a minute)..." >&2
"$root/bench/frame_rate.sh" 5 > "$tmp/rate"
x "$build/bench/orvane_startup_probe" 3 > "$tmp/startup"
x "$build/bench/frame_cost_bench" > "$tmp/frames" 2>/dev/null
x "$build/bench/level_bench" --benchmark_filter=Shipped > "$tmp/level" 2>/dev/null
"$build/bench/game_bench" > "$tmp/game" 2>/dev/null

rate() { awk -v key="$1" 'index($0, key) == 1 { print $(NF - ($NF == "ms")) }' "$tmp/rate"; }
probe() { awk -v key="$1" '$1 == key { print $2 }' "$tmp/startup"; }
# Process CPU time per iteration (column 4) of a frame benchmark, in ms.
frameCpu() { column "$tmp/frames" "$1/process_time/real_time" 4; }

printf '%-52s %-14s %s\n' "Figure" "Expected" "Measured"
printf '%-52s %-14s %s\n' "frames per second (title, under Xvfb)" "62.5" "$(rate 'frames per second')"
printf '%-52s %-14s %s\n' "99th-percentile frame interval" "<= 17 ms" "$(rate 'p99 frame interval') ms"
printf '%-52s %-14s %s\n' "CPU per frame, title screen (whole process)" "<= 3 ms" "$(rate 'CPU time per frame') ms"
printf '%-52s %-14s %.2f ms\n' "CPU per frame, busiest shipped level" "<= 3 ms" "$(frameCpu BM_FrameBusiestLevel)"
printf '%-52s %-14s %.2f ms\n' "CPU per frame, level tool with markers" "-" "$(frameCpu BM_FrameLevelToolWithMarkers)"
printf '%-52s %-14s %.2f ms\n' "frame time, level tool crossing display (z)" "-" "$(frameCpu BM_FrameLevelToolCrossingDisplay)"
printf '%-52s %-14s %s ms\n' "exec to first drawn frame" "<= 300 ms" "$(probe first_frame_ms)"
printf '%-52s %-14s %s MB\n' "peak resident memory (title)" "< 60 MB" "$(probe peak_rss_mb)"
printf '%-52s %-14s %s MB\n' "  of it allocated rather than mapped from files" "-" "$(probe allocated_mb)"
printf '%-52s %-14s %.1f ms\n' "load of data.xml" "< 50 ms" "$(column "$tmp/level" BM_LoadShippedData/real_time 2)"
printf '%-52s %-14s %.1f ms\n' "save of data.xml (and its numbered copy)" "< 50 ms" "$(column "$tmp/level" BM_SaveShippedData/real_time 2)"
steps=$(counter "$tmp/game" BM_GameUpdateThrusting items_per_second)
printf '%-52s %-14s %.0f\n' "headless Game::update steps per second (5000 walls)" ">= 20000" "$steps"
