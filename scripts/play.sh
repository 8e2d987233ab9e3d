#!/usr/bin/env bash
# Builds Orvane and starts it from the repository root, so that data/ resolves.
# Options after the script's name go to the game (e.g. --edit, --help).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Only what the game needs; scripts/test.sh adds the test and benchmark tools.
"$root/scripts/install-deps.sh"
# The game alone: the tests, benchmarks and tools are built by scripts/test.sh.
# A fresh build/ leaves them out, since what they need is not installed here;
# one that scripts/build.sh configured keeps them.
game_only=()
if [[ ! -f "$root/build/CMakeCache.txt" ]]; then
  game_only=(-DORVANE_TESTS=OFF -DORVANE_BENCH=OFF -DORVANE_TOOLS=OFF)
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release "${game_only[@]}" >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target orvane
cd "$root"
exec ./build/orvane "$@"
