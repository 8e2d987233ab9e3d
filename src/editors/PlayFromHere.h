#pragma once
// 'g' in the level tool: the game test flies a fresh copy of the edited set
// from the level shown, with the ship at the level point under the mouse;
// 'g' again, or the end of that run, goes back to the level tool, whose
// level and view the run leaves alone. The application switches the modes;
// this starts the run and remembers that it was started here.

#include "editors/LevelTool.h"
#include "framework/InputState.h"
#include "game/Game.h"
#include "level/LevelData.h"

class PlayFromHere {
 public:
  // Starts game on a copy of data in its current level, the ship under the
  // mouse of the level tool. False, with no run started, when data has no
  // level.
  bool start(Game& game, const LevelData& data, const LevelTool& tool, const InputState& input);
  bool isRunning() const { return running; }
  // The run ended, or the game test was left another way.
  void stop() { running = false; }

 private:
  bool running = false;
};

// "paused", over the game test while its pause holds.
void drawGameTestPaused();
