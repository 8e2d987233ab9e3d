#!/usr/bin/env bash
# How hard each level of the campaign is for a person learning the game:
# novices (tools/autopilot/Novice.h) fly every level of data/data.xml from
# its entrance, 40 times each with different seeds, and a Markdown table
# gives per level the finishes, the median deaths and the median time.
# Builds first (scripts/build.sh); not part of the test suite.
# Usage: bench/novice.sh [--attempts N] [--level GUID] [--by-sight]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
# Each flight keeps its records in a scratch folder of its own, never in
# the player's.
exec "$root/build/tools/autopilot/orvane_novice" "$root/data/data.xml" "$@"
