// The level tool's selection as data work on one level: the band chooses
// what lies wholly inside it, and moving, deleting, duplicating and pasting
// touch exactly what was chosen.

#include <gtest/gtest.h>

#include "editors/Selection.h"
#include "level/SameContent.h"

namespace {
// A wall, a zone, a receiver, a placement and a gravity point around
// (10..50, 10..50), and the same far away at (300, 300).
Level twoClusters() {
  Level level{Level::Blank{}};
  for (float at : {0.0f, 290.0f}) {
    level.walls.emplace_back(at + 10, at + 10, at + 40, at + 20, 0, 255, 0, 'w');
    level.warps.push_back(Warp{ofRectangle(at + 20, at + 20, 20, 20), "mark", "in", "u"});
    level.receivers.push_back(Receiver{ofxVec2f(at + 30, at + 30), "in"});
    level.modelRefs.push_back(ModelRef{"rock", ofxVec2f(at + 35, at + 15), false, "", ""});
    level.gravityPoints.emplace_back(at + 45, at + 45);
  }
  return level;
}
}  // namespace

TEST(Selection, TheBandTakesWhatLiesWhollyInsideItAndAModifierTogglesInto) {
  const Level level = twoClusters();
  Selection selection;
  selection.select(level, bandBetween(ofxVec2f(55, 55), ofxVec2f(5, 5)), false);
  EXPECT_EQ(selection.walls, std::vector<size_t>{0});
  EXPECT_EQ(selection.warps, std::vector<size_t>{0});
  EXPECT_EQ(selection.count(), 5u);

  selection.select(level, bandBetween(ofxVec2f(5, 5), ofxVec2f(30, 30)), false);
  EXPECT_TRUE(selection.walls.empty()) << "one end outside";
  EXPECT_TRUE(selection.warps.empty()) << "the zone reaches 40";
  EXPECT_EQ(selection.receivers, std::vector<size_t>{0});

  selection.select(level, bandBetween(ofxVec2f(280, 280), ofxVec2f(400, 400)), true);
  EXPECT_EQ(selection.count(), 6u);
  selection.select(level, bandBetween(ofxVec2f(25, 25), ofxVec2f(35, 35)), true);
  EXPECT_EQ(selection.receivers, std::vector<size_t>{1}) << "toggled out";
  selection.selectAll(level);
  EXPECT_EQ(selection.count(), 10u);
}

TEST(Selection, MovingDeletingAndDuplicatingTouchOnlyTheSelected) {
  Level level = twoClusters();
  const Level before = level;
  Selection selection;
  selection.select(level, bandBetween(ofxVec2f(0, 0), ofxVec2f(60, 60)), false);
  EXPECT_TRUE(selection.contains(level, ofxVec2f(25, 15))) << "on the wall's line";
  EXPECT_FALSE(selection.contains(level, ofxVec2f(300, 300)));

  selection.moveBy(level, ofxVec2f(5, -5));
  EXPECT_EQ(level.walls[0].x, 15);
  EXPECT_EQ(level.walls[0].w, 15);
  EXPECT_EQ(level.warps[0].rect.y, 15);
  EXPECT_EQ(level.gravityPoints[0].x, 50);
  EXPECT_TRUE(sameContent(level.walls[1], before.walls[1]));
  EXPECT_EQ(level.receivers[1].pos.x, 320);

  selection.duplicate(level, ofxVec2f(10, 10));
  ASSERT_EQ(level.walls.size(), 3u);
  EXPECT_EQ(level.walls[2].x, 25);
  EXPECT_EQ(selection.walls, std::vector<size_t>{2}) << "the copies are selected";
  selection.erase(level);
  EXPECT_TRUE(selection.empty());
  EXPECT_EQ(level.walls.size(), 2u);
  EXPECT_EQ(level.receivers.size(), 2u);
  selection.moveBy(level, ofxVec2f(-5, 5));
  EXPECT_EQ(level.walls[0].x, 15) << "an empty selection moves nothing";
}

TEST(Selection, APasteIntoAnotherLevelPlacesTheCopiesTopLeftAtTheMouse) {
  const Level from = twoClusters();
  Selection selection;
  selection.select(from, bandBetween(ofxVec2f(280, 280), ofxVec2f(400, 400)), false);
  const LevelClipboard copied = selection.copy(from);
  EXPECT_EQ(copied.corner.x, 300);  // the wall's first end
  EXPECT_EQ(copied.corner.y, 300);
  Level other{Level::Blank{}};
  other.walls.emplace_back(0, 0, 1, 1, 0, 0, 0, 'w');
  Selection there;
  there.paste(other, copied, ofxVec2f(100, 50));
  ASSERT_EQ(other.walls.size(), 2u);
  EXPECT_EQ(other.walls[1].x, 100);
  EXPECT_EQ(other.walls[1].y, 50);
  EXPECT_EQ(other.warps[0].rect.x, 110);
  EXPECT_EQ(other.warps[0].level, "mark");
  EXPECT_EQ(there.walls, std::vector<size_t>{1});
  EXPECT_EQ(there.count(), 5u);
  there.walls.push_back(7);
  there.fit(other);
  EXPECT_EQ(there.walls, std::vector<size_t>{1});
}
