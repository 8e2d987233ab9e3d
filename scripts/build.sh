#!/usr/bin/env bash
# Configures and builds Orvane in build/ (Release) after installing what it needs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
