#!/usr/bin/env bash
# Runs the level benchmarks (load, save, update + draw of the biggest level)
# under a virtual X server when there is no display.
# Usage: bench/run_level_bench.sh [build-dir] [benchmark options...]
# The build folder defaults to build/ beside this folder; build the
# level_bench target first (scripts/build.sh builds everything).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
binary="$build/bench/level_bench"
[[ -x "$binary" ]] || { echo "build the level_bench target in $build first" >&2; exit 1; }

if [[ -n "${DISPLAY:-}" ]]; then
  exec "$binary" "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$binary" "$@"
