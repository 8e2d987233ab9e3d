#!/usr/bin/env bash
# Draws the game's icon again: dist/icons/orvane-64.png, -128.png and
# -256.png, from the title logo in data/logo.xml, by the game's own drawing
# code (tools/icons/). The same bytes on every run; commit them after a
# change to the logo or to the tool. cmake --install puts them in the
# desktop's icon theme.
#
# Usage: tools/make_icons.sh [--build DIR]
#   Without --build, builds build/ first (scripts/build.sh); with it, uses
#   the tool already built in DIR.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

build=""
if [[ $# -eq 2 && "$1" == "--build" ]]; then
  build="$(cd "$2" && pwd)"
elif [[ $# -ne 0 ]]; then
  echo "usage: tools/make_icons.sh [--build DIR]" >&2
  exit 2
fi
if [[ -z "$build" ]]; then
  "$root/scripts/build.sh" >/dev/null
  build="$root/build"
fi

tool="$build/tools/icons/orvane_icons"
[[ -x "$tool" ]] || { echo "make_icons: $tool is not built" >&2; exit 1; }
if [[ -n "${DISPLAY:-}" ]]; then
  "$tool" "$root/data/logo.xml" "$root/dist/icons"
else
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$tool" "$root/data/logo.xml" "$root/dist/icons"
fi
