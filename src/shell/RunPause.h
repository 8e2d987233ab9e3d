#pragma once
// Pausing a run pauses its song; resuming resumes it. Used by the pause
// screen and by the editors' game test.

#include "game/Game.h"

inline void setRunPaused(Game& game, bool paused) {
  game.paused = paused;
  if (paused) {
    game.ownAudio.pauseSong();
  } else {
    game.ownAudio.resumeSong();
  }
}
