#!/usr/bin/env bash
# Regenerates the README's pictures in docs/images: the title, a paused game
# and the score screen, taken from the real game by the player's-eye tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
mkdir -p "$root/docs/images"
ORVANE_SCREENSHOT_DIR="$root/docs/images" "$root/build/tests/orvane_tests" \
  --gtest_filter='Play.EnterStartsARunWhoseShipThrustsAndPauses:Play.AFinishedRunShowsTheScoresAndEntersTheTable'
ls -l "$root/docs/images"
