#!/usr/bin/env bash
# Builds Orvane and starts it from the repository root, so that data/ resolves.
# Options after the script's name go to the game (e.g. --edit, --help).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
# The game alone: the tests, benchmarks and tools are built by scripts/test.sh.
cmake --build "$root/build" -j "$(nproc)" --target orvane
cd "$root"
exec ./build/orvane "$@"
