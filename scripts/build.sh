#!/usr/bin/env bash
# Configures and builds Orvane in build/ (Release) with its tests, benchmarks
# and content tools, after installing what they need.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" "$root/scripts/packages-test.txt"
# Named on: scripts/play.sh may have configured build/ for the game alone.
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=ON -DORVANE_BENCH=ON \
  -DORVANE_TOOLS=ON "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
