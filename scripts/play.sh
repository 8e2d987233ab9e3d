#!/usr/bin/env bash
# Builds Orvane and starts it from the repository root, so that data/ resolves.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root"
exec ./build/orvane "$@"
