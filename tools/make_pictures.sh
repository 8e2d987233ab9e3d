#!/usr/bin/env bash
# Regenerates every picture of the README in docs/images, all drawn by the
# game itself:
#   campaign.png           every level of data/data.xml on one sheet
#   paused.png scores.png  from the player's-eye tests (tools/take_screenshots.sh)
#   title.png play.png     the real game on the shipped data: the title, and a
#                          moment into the first level with the ship moving
#
# Usage: tools/make_pictures.sh [--build DIR]
#   Without --build, builds build/ first (scripts/build.sh) and takes
#   paused.png and scores.png through tools/take_screenshots.sh. With
#   --build, uses the binaries already built in DIR as they are.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
images="$root/docs/images"

build=""
if [[ $# -eq 2 && "$1" == "--build" ]]; then
  build="$(cd "$2" && pwd)"
elif [[ $# -ne 0 ]]; then
  echo "usage: tools/make_pictures.sh [--build DIR]" >&2
  exit 2
fi
if [[ -z "$build" ]]; then
  "$root/scripts/build.sh" >/dev/null
  build="$root/build"
fi
for tool in convert montage import xdotool Xvfb xvfb-run; do
  command -v "$tool" >/dev/null || { echo "make_pictures: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

scratch="$(mktemp -d /tmp/orvane-pictures-XXXXXX)"
game_pid=""
server_pid=""
# Ends only the game and the server this script started.
cleanup() {
  local pid
  for pid in $game_pid $server_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$images"

# --- The campaign sheet ------------------------------------------------------
levels_program="$build/tools/level_pictures/orvane_level_pictures"
if [[ -n "${DISPLAY:-}" ]]; then
  "$levels_program" "$root/data/data.xml" "$scratch/levels" >/dev/null
else
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    "$levels_program" "$root/data/data.xml" "$scratch/levels" >/dev/null
fi

# Each tile is labelled with the level's number and guid, read back from
# the file name level-NN-<guid>.png.
tiles=()
for picture in "$scratch"/levels/level-*.png; do
  name="$(basename "$picture" .png)"
  number="${name#level-}"
  number="${number%%-*}"
  tiles+=(-label "${number#0}  ${name#level-??-}" "$picture")
done
montage -font "$root/data/fonts/DejaVuSansMono.ttf" -pointsize 16 \
  -fill '#c8c8c8' -background '#141414' -tile 4x -geometry +6+6 \
  "${tiles[@]}" "$images/campaign.png"
echo "wrote $images/campaign.png ($(( ${#tiles[@]} / 3 )) levels)"

# --- The paused game and the score screen, from the tests' fixtures ---------
fixture_shots() {
  if [[ "$build" == "$root/build" ]]; then
    "$root/tools/take_screenshots.sh"
  else
    # The same two tests tools/take_screenshots.sh runs, from the given build.
    ORVANE_SCREENSHOT_DIR="$images" "$build/tests/orvane_tests" \
      --gtest_filter='Play.EnterStartsARunWhoseShipThrustsAndPauses:Play.AFinishedRunShowsTheScoresAndEntersTheTable'
  fi
}
# A failure here is reported at the end; the game's own pictures are still taken.
fixtures_failed=""
if fixture_shots >"$scratch/tests.log" 2>&1; then
  echo "wrote $images/paused.png and $images/scores.png"
else
  fixtures_failed=1
fi

# --- The title and a run, from the real game on the shipped data -----------
# A server of our own, so that the game's window is the only one on it;
# Xvfb writes its display number to descriptor 3 once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  [[ -s "$scratch/display" ]] && break
  sleep 0.1
done
[[ -s "$scratch/display" ]] || { echo "make_pictures: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# The game reads data/ from the folder it starts in: the repository's own.
# Its sounds go to SDL's silent output, and a player's records and
# settings of its own to the scratch folder: no ghost or binding of whoever
# runs this shows in the pictures.
(cd "$root" && SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$scratch/share" XDG_CONFIG_HOME="$scratch/config" \
  exec "$build/orvane" >"$scratch/game.log" 2>&1) &
game_pid=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --onlyvisible --name '^Orvane$' 2>/dev/null | head -n1 || true)"
  [[ -n "$window" ]] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ -z "$window" ]]; then
  echo "make_pictures: the game's window did not appear; its output:" >&2
  cat "$scratch/game.log" >&2
  exit 1
fi
# Without a window manager the window sits at (-1, -1), a pixel off screen.
xdotool windowmove "$window" 0 0

# A key pressed and released within one frame (16 ms) is never seen by the
# game: every key is held for a while.
# (xdotool's complaint about the focus on a server without a window manager
# is noise: the events go to the window named.)
press() { xdotool keydown --window "$window" "$@" 2>/dev/null; }
release() { xdotool keyup --window "$window" "$@" 2>/dev/null; }

# True once the HUD's fuel and time text (cyan, along the top) is on screen.
hud_shown() {
  local lit
  lit="$(import -window "$window" png:- | convert - -crop 530x16+0+0 +repage -fuzz 12% \
    -fill white -opaque '#14cddc' -fill black +opaque white -format '%[fx:mean]' info:)"
  [[ "$lit" != "0" ]]
}

sleep 1.5  # the title scene and its menu
import -window "$window" "$images/title.png"
echo "wrote $images/title.png"

# The fade into the first level takes about a second; a busy machine may
# take longer, or miss the key, so wait for the HUD and press again if need be.
started=""
for _ in 1 2 3; do
  press Return
  sleep 0.2
  release Return
  for _ in $(seq 10); do
    sleep 0.5
    if hud_shown; then started=1; break; fi
  done
  [[ -n "$started" ]] && break
done
[[ -n "$started" ]] || { echo "make_pictures: Return did not start a run" >&2; exit 1; }
# Thrust while turning left, then straight on; the picture is taken with the
# engine still lit.
press Up Left
sleep 0.12
release Left
sleep 0.5
import -window "$window" "$images/play.png"
release Up
echo "wrote $images/play.png"

ls -l "$images"
if [[ -n "$fixtures_failed" ]]; then
  cat "$scratch/tests.log" >&2
  echo "make_pictures: the tests that take paused.png and scores.png failed (output above)" >&2
  exit 1
fi
