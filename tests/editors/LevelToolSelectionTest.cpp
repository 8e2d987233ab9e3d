// The level tool's designer gestures, driven frame by frame: the band and
// what is done with the selection, a wall moved whole, a zone resized by its
// corner, the zoom around the mouse and the grid.

#include <gtest/gtest.h>

#include "editors/EditorCommon.h"
#include "editors/EditorFixture.h"
#include "editors/LevelTool.h"

using namespace editor;

namespace {
constexpr int PAGE_UP = 360;

struct LevelToolSelection : EditorFixture<LevelTool> {
  void SetUp() override {
    EditorFixture::SetUp();
    tool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));
    Level& level = data.levels[0];
    level.walls.clear();
    level.walls.emplace_back(100, 100, 200, 100, 0, 255, 0, 'w');
    level.walls.emplace_back(300, 300, 350, 300, 0, 255, 0, 'w');
    level.warps = {Warp{ofRectangle(120, 120, 40, 40), "mark", "in", "u"}};
    level.receivers = {Receiver{ofxVec2f(140, 140), "in"}};
  }
  Level& level() { return data.levels[0]; }
  void ctrl(int code) { tap(code); }
};
}  // namespace

TEST_F(LevelToolSelection, ABandChoosesAndVDragsTheWholeChoiceAsOne) {
  drag('s', 90, 90, 210, 170);
  EXPECT_EQ(tool.selection.count(), 3u) << "a wall, the zone and the receiver";
  drag('v', 150, 100, 160, 130);  // on the selected wall's line
  EXPECT_EQ(level().walls[0].x, 110);
  EXPECT_EQ(level().walls[0].w, 130);
  EXPECT_EQ(level().warps[0].rect.x, 130);
  EXPECT_EQ(level().receivers[0].pos.y, 170);
  EXPECT_EQ(level().walls[1].x, 300) << "not chosen";

  drag('S', 290, 290, 360, 310);
  EXPECT_EQ(tool.selection.count(), 4u) << "S adds";
  current.pressKey(KEY_DELETE);
  frame(3);
  current.releaseKey(KEY_DELETE);
  frame();
  EXPECT_TRUE(level().walls.empty());
  EXPECT_TRUE(level().warps.empty());
  EXPECT_EQ(data.levels[0].receivers.size(), 0u) << "Delete held took the selection once";
}

TEST_F(LevelToolSelection, CopiesPasteAtTheMouseIntoAnotherLevel) {
  ctrl(KEY_CTRL_A);
  EXPECT_EQ(tool.selection.count(), 4u);
  ctrl(KEY_CTRL_C);
  data.addLevel();
  data.currentLevel = 1;
  frame();
  EXPECT_TRUE(tool.selection.empty()) << "another level: nothing chosen there";
  current.moveMouse(50, 60);
  ctrl(KEY_CTRL_V);
  Level& other = data.levels[1];
  ASSERT_EQ(other.walls.size(), 2u);
  EXPECT_EQ(other.walls[0].x, 50);
  EXPECT_EQ(other.walls[0].y, 60);
  EXPECT_EQ(other.receivers[0].pos.x, 90);
  tap(KEY_DUPLICATE);
  EXPECT_EQ(other.walls.size(), 4u);
  EXPECT_EQ(other.walls[2].x, 60);
  ctrl(KEY_CTRL_X);
  EXPECT_EQ(other.walls.size(), 2u) << "the duplicates cut";
  EXPECT_EQ(data.levels[0].walls.size(), 2u);
}

TEST_F(LevelToolSelection, VTakesAWallByItsLineAndAZoneByItsCorner) {
  drag('v', 330, 300, 330, 320);  // the middle of the second wall
  EXPECT_EQ(level().walls[1].x, 300);
  EXPECT_EQ(level().walls[1].y, 320);
  EXPECT_EQ(level().walls[1].w, 320);
  drag('v', 160, 160, 180, 150);  // the zone's lower right corner
  const ofRectangle& r = level().warps[0].rect;
  EXPECT_EQ(r.x, 120);
  EXPECT_EQ(r.width, 60);
  EXPECT_EQ(r.height, 30);
  EXPECT_EQ(level().receivers[0].pos.x, 140) << "the receiver inside stays";
}

TEST_F(LevelToolSelection, TheZoomKeepsTheLevelPointUnderTheMouseAndPlacesThere) {
  current.moveMouse(200, 100);
  const ofxVec2f before = tool.levelPoint(ofxVec2f(200, 100));
  tap(PAGE_UP);
  tap(PAGE_UP);
  EXPECT_GT(tool.zoom, 1.5f);
  const ofxVec2f after = tool.levelPoint(ofxVec2f(200, 100));
  EXPECT_NEAR(after.x, before.x, 1e-3);
  EXPECT_NEAR(after.y, before.y, 1e-3);
  drag('w', 200, 100, 300, 100);
  const Wall& drawn = level().walls.back();
  EXPECT_NEAR(drawn.x, 200, 1e-3) << "snapped to the first wall's end";
  EXPECT_NEAR(drawn.z - drawn.x, 100 / tool.zoom, 1e-3);
  current.keyHome = true;
  frame();
  current.keyHome = false;
  EXPECT_EQ(tool.zoom, 1);
}

TEST_F(LevelToolSelection, TheGridSnapsNewAndMovedPoints) {
  tap('#');
  ASSERT_TRUE(tool.grid.on);
  drag('x', 43, 58, 43, 58);
  EXPECT_EQ(level().receivers.back().pos.x, 40);
  EXPECT_EQ(level().receivers.back().pos.y, 60);
  drag('v', 140, 140, 153, 146);  // the first receiver, moved by (13, 6)
  EXPECT_EQ(level().receivers[0].pos.x, 150);
  EXPECT_EQ(level().receivers[0].pos.y, 150);
  tap('#');
  drag('x', 43, 58, 43, 58);
  EXPECT_EQ(level().receivers.back().pos.x, 43);
}

// 'n' and 'N' over a placed zone ask for its map id and receiver id anew;
// the smallest zone under the mouse is the one changed.
TEST_F(LevelToolSelection, NAndShiftNRetypeTheWordsOfTheZoneUnderTheMouse) {
  level().warps.push_back(Warp{ofRectangle(100, 100, 200, 200), "fuel", "20", "u"});
  current.moveMouse(130, 130);
  tap(KEY_ZONE_MAP);
  ASSERT_TRUE(prompt.isOpen());
  EXPECT_EQ(prompt.question(), "zone's map id (now \"mark\"): ");
  answer("finish_it");
  tap(KEY_ZONE_ID);
  EXPECT_EQ(prompt.question(), "zone's receiver id (now \"in\"): ");
  answer("start 2");
  EXPECT_EQ(level().warps[0].level, "finish_it");
  EXPECT_EQ(level().warps[0].id, "start 2");
  EXPECT_EQ(level().warps[1].level, "fuel") << "the larger zone around it";
  current.moveMouse(500, 20);
  tap(KEY_ZONE_MAP);
  EXPECT_FALSE(prompt.isOpen()) << "no zone there";
}
