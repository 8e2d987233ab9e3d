#include <gtest/gtest.h>

#include "support/GameFixture.h"

using Collision = GameFixture;

namespace {
// A solid model: one vertical wall 20 long through its origin.
Model post(const std::string& guid, bool solid) {
  Model model;
  model.guid = guid;
  model.solid = solid;
  model.frames[0].walls.emplace_back(0, -10, 0, 10, 255, 255, 255, 'w');
  return model;
}
}  // namespace

TEST_F(Collision, LevelWallsAndEveryPlacementOfSolidModels) {
  LevelData data = emptyLevel();
  data.levels[0].walls.emplace_back(50, 0, 50, 40, 255, 255, 255, 't');  // fading walls are solid too
  data.models.push_back(post("post", true));
  data.models.push_back(post("ghost", false));
  data.levels[0].modelRefs = {placed("post", 100, 0), placed("post", 200, 0),
                              placed("ghost", 300, 0), placed("nobody", 400, 0)};
  start(data);
  struct Case {
    float x1, y1, x2, y2;
    bool hits;
  };
  const Case cases[] = {
      {40, 20, 60, 20, true},      // the level wall
      {90, 0, 110, 0, true},       // first placement
      {190, 0, 210, 0, true},      // second placement
      {290, 0, 310, 0, false},     // not solid
      {390, 0, 410, 0, false},     // a reference to no model
      {60, 20, 80, 20, false},     // open space
      {50, 40, 60, 60, false},     // touching the wall's end point only
  };
  for (const Case& c : cases) {
    EXPECT_EQ(game->hitsWalls(c.x1, c.y1, c.x2, c.y2), c.hits)
        << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
  }
}

TEST_F(Collision, OnlyTheFrameShownCollides) {
  LevelData data = emptyLevel();
  Model blinker = post("blinker", true);
  blinker.frames.emplace_back();  // frame 1 is empty
  data.models.push_back(blinker);
  data.levels[0].modelRefs = {placed("blinker", 100, 100)};
  start(data);
  EXPECT_TRUE(game->hitsWalls(90, 100, 110, 100));
  game->levelData->models[0].currentFrame = 1;
  EXPECT_FALSE(game->hitsWalls(90, 100, 110, 100));
  game->levelData->models[0].frames.clear();  // frameless: nothing to hit
  EXPECT_FALSE(game->hitsWalls(90, 100, 110, 100));
}

TEST_F(Collision, TheHullHitsAWallOnlyAfterACheckpoint) {
  LevelData data = emptyLevel();
  data.levels[0].walls.emplace_back(100, 80, 100, 120, 255, 255, 255, 'w');
  start(data);
  game->pos = ofxVec2f(100, 100);  // the hull straddles the wall
  frame();
  EXPECT_FALSE(game->dying);
  game->markLevel = "one";
  frame();
  EXPECT_TRUE(game->dying);
  // The outline is kept relative to the ship for drawing.
  EXPECT_FLOAT_EQ(game->outline[0].y, -10);
}
