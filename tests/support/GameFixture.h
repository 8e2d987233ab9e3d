#pragma once
// A game run headless: a scratch folder with a small sound bank, a
// hand-driven clock at 16 ms a frame, a window of 530 by 370 without a
// screen, and level data built in code.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/InputState.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "game/Game.h"
#include "support/ScratchFolder.h"

struct GameFixture : testing::Test {
  ScratchFolder scratch;
  ManualClock clock{10000};
  ofHeadlessWindow window;
  std::unique_ptr<Game> game;
  InputState current, previous;

  void SetUp() override;
  void TearDown() override;

  // One level without gravity or friction, guid "one", and no models.
  static LevelData emptyLevel();
  // Starts a run on data and steps nothing yet.
  void start(const LevelData& data);
  // One frame: the clock advances 16 ms, the game updates, the input moves on.
  bool frame();
  bool frames(int n);
  Level& level() { return game->levelData->getCurrentLevel(); }

  // The effect tags the fixture's sound bank knows, each a one-second tone.
  static const char* const effectTags[];
  bool effectPlaying(const std::string& tag);
  int channelsPlaying();
  void stopAllSounds();
};

ModelRef placed(const std::string& guid, float x, float y);
Warp zone(float x, float y, float w, float h, const std::string& command,
          const std::string& id = "", const std::string& dir = "");
