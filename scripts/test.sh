#!/usr/bin/env bash
# Builds Orvane and runs every test; under a virtual X server when there is no display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" -DORVANE_WERROR=ON
cd "$root/build"
run=(ctest --output-on-failure -j 2)
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
fi
exec "${run[@]}"
