#!/usr/bin/env bash
# Builds the sound generator and makes every sound of the game again:
# data/sounds/ and data/audio.xml are replaced by what it writes. The output
# is the same, byte for byte, on every run.
# Usage: tools/make_sounds.sh   (BUILD_DIR=... to build elsewhere than build/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVANE_TOOLS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target orvane_sounds

# Write everything aside first, so that a failure leaves data/ as it was.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/orvane-sounds.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
start=$(date +%s.%N)
"$build/tools/sound_generator/orvane_sounds" "$scratch"
end=$(date +%s.%N)

rm -rf "$root/data/sounds"
mv "$scratch/sounds" "$root/data/sounds"
mv "$scratch/audio.xml" "$root/data/audio.xml"
printf 'Made %d sounds (%s) in %.1f s: data/sounds/ and data/audio.xml\n' \
  "$(find "$root/data/sounds" -type f | wc -l)" "$(du -sh "$root/data/sounds" | cut -f1)" \
  "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
