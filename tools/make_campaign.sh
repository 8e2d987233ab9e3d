#!/usr/bin/env bash
# Rebuilds the game's content from code: the campaign's levels
# (data/data.xml), the title scene (data/logo.xml), and the input timeline
# that finishes the campaign (tests/fixtures/playthrough/campaign.timeline),
# in that order: the autopilot flies the levels just written.
# Usage: tools/make_campaign.sh [--pictures FOLDER]   (draws each level with
# the track flown, as PPM files, for a look at the design)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
"$root/build/tools/campaign/orvane_campaign" "$root"
"$root/build/tools/autopilot/orvane_autopilot" "$root/data/data.xml" \
  "$root/tests/fixtures/playthrough/campaign.timeline" "$@"
