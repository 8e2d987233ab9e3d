// The game's report of each frame: what happened in it, and where it left
// the run, as those who follow the run from outside learn it.

#include <gtest/gtest.h>

#include <functional>

#include "support/GameFixture.h"

using Report = GameFixture;

namespace {
// The events of a report as words, in a fixed order.
std::string events(const FrameReport& r) {
  std::string words;
  auto add = [&](bool happened, const std::string& word) {
    if (happened) words += (words.empty() ? "" : " ") + word;
  };
  add(r.enteredLevel, "entered");
  add(r.reachedCheckpoint, "checkpoint:" + r.checkpointReceiver);
  add(r.died, "died");
  add(r.respawned, "respawned");
  add(r.warped, "warped");
  add(r.finished, "finished");
  add(r.helped, "helped");
  add(r.paused, "paused");
  return words;
}

// "one": checkpoint "a" at (100, 100), a jump to its receiver "b" at
// (190, 100), a warp at (290, 100) to "two" at (50, 50). "two": a wall
// across x = 200 from y 140 to 180, the finish at (400, 200).
LevelData route() {
  LevelData data = GameFixture::emptyLevel();
  Level& one = data.levels[0];
  one.receivers = {Receiver{ofxVec2f(100, 100), "a"}, Receiver{ofxVec2f(150, 250), "b"}};
  one.warps = {zone(90, 90, 20, 20, "mark", "a", "u"), zone(180, 90, 20, 20, "this", "b"),
               zone(280, 90, 20, 20, "two", "in")};
  data.addLevel();
  Level& two = data.levels[1];
  two.guid = "two";
  two.gravity = two.friction = false;
  two.receivers = {Receiver{ofxVec2f(50, 50), "in"}};
  two.walls.emplace_back(200, 140, 200, 180, 255, 255, 255, 'w');
  two.warps = {zone(390, 190, 20, 20, "finish_it")};
  data.currentLevel = 0;
  return data;
}
}  // namespace

TEST_F(Report, EachFrameTellsWhatHappenedInItAndWhereTheRunStands) {
  start(route());
  EXPECT_EQ(events(game->report()), "entered") << "the start enters the level";

  struct Step {
    const char* what;
    std::function<void(Report&)> before;
    int frames;  // the report of the last is checked
    const char* events;
    const char* level;
  };
  auto placeAt = [](float x, float y) {
    return [x, y](Report& f) { f.game->pos = ofxVec2f(x, y); };
  };
  auto nothing = [](Report&) {};
  const Step steps[] = {
      {"a new checkpoint", placeAt(100, 100), 1, "checkpoint:a", "one"},
      {"the same checkpoint marked again", nothing, 1, "", "one"},
      {"F held while paused",
       [](Report& f) {
         f.game->paused = true;
         f.current.keyF = true;
       },
       1, "helped paused", "one"},
      {"a jump within the level",
       [](Report& f) {
         f.game->paused = false;
         f.current.keyF = false;
         f.game->pos = ofxVec2f(190, 100);
       },
       1, "warped", "one"},
      {"a warp to another level", placeAt(290, 100), 1, "entered warped", "two"},
      {"a crash after the checkpoint", placeAt(200, 160), 1, "died", "two"},
      {"the wait while dying", nothing, 30, "", "two"},
      {"the respawn at the checkpoint in the first level", nothing, 2, "entered respawned", "one"},
      {"the warp again", placeAt(290, 100), 1, "entered warped", "two"},
      {"the finish", placeAt(400, 200), 1, "finished", "two"},
  };
  for (const Step& s : steps) {
    s.before(*this);
    frames(s.frames);
    const FrameReport& r = game->report();
    EXPECT_EQ(events(r), s.events) << s.what;
    EXPECT_EQ(r.levelGuid, s.level) << s.what;
    EXPECT_EQ(r.levelIndex, game->levelData->currentLevel) << s.what;
    EXPECT_TRUE(r.position.x == game->pos.x && r.position.y == game->pos.y) << s.what;
    EXPECT_EQ(r.heading, game->angle) << s.what;
    EXPECT_EQ(r.playTime, game->playTime) << s.what;
  }
}
