#!/usr/bin/env bash
# The performance report: builds the game and its benchmarks, measures them
# on the shipped content under a virtual X server, and prints one table with
# the figure, what it should be, and what was measured. The game's own cost
# is given against an empty GL window (orvane --test-pattern) measured in
# the same run, so that the software renderer's fixed cost on this machine
# does not hide it.
# Figures from the running game are medians of interleaved rounds.
# Usage: bench/report.sh   (REPORT_SECONDS=N sets the length of a frame run,
# 20 by default; REPORT_ROUNDS=N the number of rounds, 3 by default)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
"$root/scripts/build.sh" >/dev/null
cd "$root"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
seconds="${REPORT_SECONDS:-20}"
rounds="${REPORT_ROUNDS:-3}"
x() { if [[ -n "${DISPLAY:-}" ]]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"; fi; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# Nothing measured writes into the player's own folders.
export XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"

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

echo "measuring (about $(((seconds + 5) * 3 * rounds / 60 + 1)) minutes)..." >&2
x "$build/bench/frame_cost_bench" > "$tmp/frames" 2>/dev/null
# The campaign level with the most in it, by the benchmark's count (1-based).
busiest=$(counter "$tmp/frames" BM_FrameBusiestLevel/process_time/real_time level)
guid=$(grep -o '<Level guid="[^"]*"' data/data.xml | sed -n "${busiest}p" | cut -d'"' -f2)

# Interleaved rounds, so that a slow spell of the machine falls on all three.
for round in $(seq "$rounds"); do
  "$root/bench/frame_rate.sh" "$seconds" --test-pattern > "$tmp/rate.empty.$round"
  "$root/bench/frame_rate.sh" "$seconds" > "$tmp/rate.title.$round"
  "$root/bench/frame_rate.sh" "$seconds" --level "$guid" > "$tmp/rate.play.$round"
  x "$build/bench/orvane_startup_probe" 3 --test-pattern > "$tmp/start.empty.$round"
  x "$build/bench/orvane_startup_probe" 3 > "$tmp/start.title.$round"
  x "$build/bench/orvane_startup_probe" 3 --level "$guid" > "$tmp/start.play.$round"
done
x "$build/bench/level_bench" --benchmark_filter=Shipped > "$tmp/level" 2>/dev/null
"$build/bench/game_bench" > "$tmp/game" 2>/dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The median over the rounds of a figure of frame_rate.sh or of the probe.
rate() { cat "$tmp/rate.$1".* | awk -v key="$2" 'index($0, key) == 1 { print $(NF - ($NF == "ms")) }' | median; }
probe() { cat "$tmp/start.$1".* | awk -v key="$2" '$1 == key { print $2 }' | median; }
# Process CPU time per iteration (column 4) of a frame benchmark, in ms.
frameCpu() { column "$tmp/frames" "$1/process_time/real_time" 4; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f (%.2f / %.2f ms)", a / b, a, b }'; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f MB (%.1f - %.1f)", a - b, a, b }'; }

empty=$(rate empty 'CPU time per frame')
row() { printf '%-54s %-12s %s\n' "$@"; }
row "Figure" "Target" "Measured"
row "CPU per frame in play ($guid) / empty window" "<= 1.6" "$(ratio "$(rate play 'CPU time per frame')" "$empty")"
row "CPU per frame at the title / empty window" "<= 1.3" "$(ratio "$(rate title 'CPU time per frame')" "$empty")"
row "level tool with markers: CPU per frame" "<= 3 ms" "$(printf '%.2f ms' "$(frameCpu BM_FrameLevelToolWithMarkers)")"
row "level tool, crossing display: CPU per frame" "<= 3 ms" "$(printf '%.2f ms' "$(frameCpu BM_FrameLevelToolCrossingDisplay)")"
row "peak resident memory in play - empty window" "<= 10 MB" "$(minus "$(probe play peak_rss_mb)" "$(probe empty peak_rss_mb)")"
row "exec to first frame (empty window: $(probe empty first_frame_ms) ms)" "<= 130 ms" "$(probe title first_frame_ms) ms"
for screen in title play; do
  row "frame interval p99 / median, $screen (${seconds} s runs)" "<= 16.5 / 16.00" \
    "$(rate $screen 'p99 frame interval') / $(rate $screen 'median frame interval') ms"
done
row "a 20,000-wall level: update + draw CPU" "<= 16 ms" "$(printf '%.2f ms' "$(frameCpu BM_FrameTwentyThousandWalls)")"
row "frames per second (title)" "62.5" "$(rate title 'frames per second')"
# The machine's own jitter: the empty window paced by the same frame loop.
row "frame interval p99 / median, empty window" "-" \
  "$(rate empty 'p99 frame interval') / $(rate empty 'median frame interval') ms"
row "CPU per frame: empty window / title / play (in-process)" "-" \
  "$(printf '%s / %.2f / %.2f ms' "$empty" "$(frameCpu BM_FrameTitle)" "$(frameCpu BM_FrameBusiestLevel)")"
row "load of data.xml" "< 50 ms" "$(printf '%.1f ms' "$(column "$tmp/level" BM_LoadShippedData/real_time 2)")"
row "save of data.xml (and its numbered copy)" "< 50 ms" "$(printf '%.1f ms' "$(column "$tmp/level" BM_SaveShippedData/real_time 2)")"
row "headless Game::update steps per second (5000 walls)" ">= 20000" \
  "$(printf '%.0f' "$(counter "$tmp/game" BM_GameUpdateThrusting items_per_second)")"
