#pragma once
// The editors as a player's test meets them: what they show, read off a
// screenshot, and the gestures a hand makes.

#include <string>

#include "support/PlayerHarness.h"

// The question line: a yellow box across the middle of the window, whose top
// edge alone is some 500 pixels long.
inline bool promptShown(const Screenshot& shot) {
  return shot.count(10, shot.height / 2 - 16, shot.width - 20, 5, Rgb{255, 211, 0}, 60) > 300;
}

// Holds key and drags with the left button from (x1, y1) to (x2, y2), a step
// at a time so that the game sees each one.
inline void dragWithKey(GameProcess& game, const std::string& key, int x1, int y1, int x2, int y2) {
  game.keyDown(key);
  GameProcess::pause(100);
  game.mouseMove(x1, y1);
  GameProcess::pause(100);
  game.mouseDown(1);
  GameProcess::pause(100);
  game.mouseMove(x2, y2);
  GameProcess::pause(100);
  game.mouseUp(1);
  GameProcess::pause(100);
  game.keyUp(key);
}
