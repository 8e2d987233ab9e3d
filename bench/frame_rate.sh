#!/usr/bin/env bash
# Runs the real game under a virtual X server for a few seconds and prints
# the achieved frame rate, the median and 99th-percentile frame interval and
# the process's CPU time per frame. Usage: bench/frame_rate.sh [seconds] [orvane args...]
# (--test-pattern measures an empty GL window: the yardstick for the game)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-5}"
shift || true
binary="$root/build/orvane"
[[ -x "$binary" ]] || { echo "build the game first (scripts/build.sh)" >&2; exit 1; }

log="$(mktemp)"
scratch="$(mktemp -d)"
trap 'rm -rf "$log" "$scratch"' EXIT
cd "$root"
# A run of the game never writes into the player's own folders.
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  timeout --signal=TERM "$seconds" "$binary" --frame-log "$log" "$@" >/dev/null 2>&1 || true

# Skip the first second: start-up (loading, window mapping) is not steady state.
awk 'NR == 1 { start = $2 } $2 - start >= 1000 { print }' "$log" > "$log.steady"
frames=$(wc -l < "$log.steady")
if (( frames < 3 )); then echo "too few frames logged ($frames)" >&2; exit 1; fi
awk 'NR > 1 { print $2 - prev } { prev = $2 }' "$log.steady" | sort -n > "$log.intervals"
count=$(wc -l < "$log.intervals")
median=$(awk -v n="$count" 'NR == int((n + 1) / 2) { print; exit }' "$log.intervals")
p99=$(awk -v n="$count" 'BEGIN { k = int(n * 0.99 + 0.999999) } NR == k { print; exit }' "$log.intervals")
read -r wall cpu < <(awk 'NR == 1 { w0 = $2; c0 = $3 } { w = $2; c = $3 } END { print w - w0, c - c0 }' "$log.steady")
awk -v f="$count" -v wall="$wall" -v cpu="$cpu" -v med="$median" -v p99="$p99" 'BEGIN {
  printf "frames per second      %8.2f\n", f * 1000 / wall
  printf "median frame interval  %8.2f ms\n", med
  printf "p99 frame interval     %8.2f ms\n", p99
  printf "CPU time per frame     %8.3f ms\n", cpu / f
}'
rm -f "$log.steady" "$log.intervals"
