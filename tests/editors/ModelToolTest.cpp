// The modeling tool driven frame by frame with hand-made input snapshots.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "editors/ModelTool.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "editors/EditorFixture.h"
#include "support/GlTestWindow.h"

namespace {
struct ModelToolTest : EditorFixture<ModelTool> {
  Model& model() { return data.models[0]; }
  // A press at (x1, y1) and a release at (x2, y2), screen pixels, key held.
  void drawWall(int key, int x1, int y1, int x2, int y2) { drag(key, x1, y1, x2, y2); }
};
}  // namespace

TEST_F(ModelToolTest, StarAddsAFrameAtTheEndAndBarRemovesTheShownOne) {
  struct Case {
    int frames, shown, key;
    std::string counter;
    std::vector<float> frameNames;  // each frame's one wall starts at x = its old index; -1 new
  };
  const Case cases[] = {
      {1, 0, '*', "frame: 2 of 2", {0, -1}},
      {3, 0, '*', "frame: 2 of 4", {0, 1, 2, -1}},
      {3, 2, '*', "frame: 4 of 4", {0, 1, 2, -1}},
      {3, 0, '|', "frame: 1 of 2", {1, 2}},
      {3, 2, '|', "frame: 2 of 2", {0, 1}},
      {1, 0, '|', "frame: 1 of 1", {0}},
      {0, 0, '*', "frame: 1 of 1", {-1}},  // a model without frames gets its first
      {0, 0, '|', "frame: 0 of 0", {}},
  };
  for (const Case& c : cases) {
    model().frames.assign(c.frames, ModelFrame());
    for (int i = 0; i < c.frames; ++i) model().frames[i].walls = {Wall(i, 0, i, 9, 1, 1, 1, 'w')};
    model().currentFrame = c.shown;
    const std::string was = frameCounterText(model());
    tap(c.key);
    std::vector<float> names;
    for (const ModelFrame& f : model().frames) names.push_back(f.walls.empty() ? -1 : f.walls[0].x);
    EXPECT_EQ(frameCounterText(model()), c.counter) << char(c.key) << " on " << was;
    EXPECT_EQ(names, c.frameNames) << char(c.key) << " on " << was;
  }
}

TEST_F(ModelToolTest, AnimSpeedKeysStepByFiveEveryFrameAndStopAtZero) {
  struct Case {
    int key, start;
    std::vector<int> speeds;
  };
  for (const Case& c : {Case{'3', 12, {7, 2, 0, 0}}, Case{'4', 0, {5, 10, 15}}}) {
    model().animSpeed = c.start;
    current.pressKey(c.key);
    std::vector<int> speeds;
    for (size_t i = 0; i < c.speeds.size(); ++i) {
      frame();
      speeds.push_back(model().animSpeed);
    }
    current.releaseKey(c.key);
    EXPECT_EQ(speeds, c.speeds) << char(c.key);
  }
}

TEST_F(ModelToolTest, ToggleKeysActOncePerPress) {
  struct Case {
    int key;
    std::function<bool()> value;
  };
  const Case cases[] = {
      {260, [&] { return tool.onionSkin; }},  // F4
      {'1', [&] { return tool.paramsHidden; }},
      {'2', [&] { return model().solid; }},
      {'5', [&] { return model().playOnce; }},
      {'r', [&] { return tool.rainbow; }},
  };
  for (const Case& c : cases) {
    const bool before = c.value();
    current.pressKey(c.key);
    frame(3);
    EXPECT_NE(c.value(), before) << c.key;
    current.releaseKey(c.key);
    frame();
    tap(c.key);
    EXPECT_EQ(c.value(), before) << c.key;
  }
}

TEST_F(ModelToolTest, SixAndSevenAskForTheGuidAndTheSoundTag) {
  model().guid = model().SE = "old";
  struct Case {
    int key;
    const char* question;
    std::vector<int> typed;
  };
  const Case cases[] = {
      {'6', "model guid: ", {'r', 'o', 'c', 'k', KEY_ENTER}},
      {'7', "sound tag: ", {'b', 'o', 'o', 'm', KEY_ENTER}},
      {'7', "sound tag: ", {'x', KEY_ESCAPE}},  // cancelled: nothing changes
  };
  for (const Case& c : cases) {
    tap(c.key);
    EXPECT_EQ(prompt.question(), c.question);
    for (int key : c.typed) EXPECT_TRUE(prompt.keyPressed(key));
    EXPECT_FALSE(prompt.isOpen());
  }
  EXPECT_EQ(model().guid, "rock");
  EXPECT_EQ(model().SE, "boom");
}

TEST_F(ModelToolTest, WallEndsSnapAcrossFramesWhileEditsStayInTheShownFrame) {
  model().frames.resize(2);
  model().frames[0].walls = {Wall(10, 10, 50, 10, 1, 2, 3, 'w')};
  model().frames[1].walls = {Wall(100, 100, 120, 100, 4, 5, 6, 'w')};
  model().currentFrame = 1;
  ASSERT_EQ(tool.origin.x, 265);
  ASSERT_EQ(tool.origin.y, 185);
  tool.color = ofColor(7, 8, 9);
  drawWall('w', 265 + 52, 185 + 12, 265 + 118, 185 + 103);
  ASSERT_EQ(model().frames[1].walls.size(), 2u);
  const Wall& wall = model().frames[1].walls[1];
  EXPECT_EQ((std::vector<float>{wall.x, wall.y, wall.z, wall.w}),
            (std::vector<float>{50, 10, 120, 100}));
  EXPECT_EQ(wall.color.b, 9);

  struct Case {
    int key, x, y;
    float blue;
    size_t wallsLeft;
  };
  const Case cases[] = {
      {'p', 10, 10, 0, 2},    // frame 0 is not picked from
      {'p', 120, 101, 9, 2},  // both walls end here: the last wins
      {127, 10, 10, 0, 2},    // nor deleted from
      {127, 100, 101, 0, 1},
  };
  for (const Case& c : cases) {
    tool.color = ofColor(0, 0, 0);
    current.moveMouse(265 + c.x, 185 + c.y);
    current.pressKey(c.key);
    frame();
    current.releaseKey(c.key);
    EXPECT_EQ(tool.color.b, c.blue) << c.key << " at " << c.x << "," << c.y;
    EXPECT_EQ(model().frames[1].walls.size(), c.wallsLeft) << c.key << " at " << c.x << "," << c.y;
  }
  EXPECT_EQ(model().frames[0].walls.size(), 1u);
}

TEST_F(ModelToolTest, ADeleteTappedBetweenFramesRemovesOneWall) {
  model().frames[0].walls.assign(3, Wall(0, 0, 9, 9, 1, 1, 1, 'w'));
  current.moveMouse(265, 185);
  quickTap(127);
  frame(2);
  EXPECT_EQ(model().frames[0].walls.size(), 2u);
}

TEST_F(ModelToolTest, SpaceHeldPlaysTheAnimationWhileFadingWallsAlwaysStep) {
  model().frames.resize(3);
  model().frames[0].walls = {Wall(0, 0, 9, 9, 1, 1, 1, 't')};
  model().frames[0].walls[0].alpha = 200;
  model().animSpeed = 100;
  model().lastFrameTime = ofGetElapsedTimeMillis();
  const int& alpha = model().frames[0].walls[0].alpha;
  frame(10);  // 160 ms
  EXPECT_EQ(model().currentFrame, 0);
  EXPECT_EQ(alpha, 100);
  current.pressKey(' ');
  frame();
  EXPECT_EQ(model().currentFrame, 1);
  EXPECT_EQ(alpha, 80);  // stepped twice in that frame
}

TEST_F(ModelToolTest, RightDragsPanAsFarAsTheMouseMovedAndHomeCentresAgain) {
  current.moveMouse(100, 100);
  frame();
  rightDrag(100, 100, 20, 2, -1, 5);  // five drag events a frame
  EXPECT_EQ(tool.origin.x, 265 + 40);
  EXPECT_EQ(tool.origin.y, 185 - 20);
  current.pressKey(KEY_HOME);
  frame();
  EXPECT_EQ(tool.origin.x, 265);
  EXPECT_EQ(tool.origin.y, 185);
  tool.centerOrigin(101, 51);
  EXPECT_EQ(tool.origin.x, 50);
  EXPECT_EQ(tool.origin.y, 25);
}

TEST_F(ModelToolTest, EveryOperationIsSafeWithoutAModelOrAFrame) {
  LevelData noModels;
  noModels.models.clear();
  LevelData frameless{LevelData::Empty{}};
  frameless.models.emplace_back(Model::Blank{});
  for (LevelData* set : {static_cast<LevelData*>(nullptr), &noModels, &frameless}) {
    tool.data = set;
    for (int key : std::vector<int>{260, '1', '2', '3', '4', '5', '6', '7', KEY_HOME, '|', 127, '8',
                                    'p', ' ', 'r'}) {
      tap(key);
      if (prompt.isOpen()) answer("word");
    }
    for (int key : {'w', 'e', 't'}) drawWall(key, 10, 10, 20, 20);
    tool.deleteWallAt(ofxVec2f(10, 10));
    tool.pickColor(ofxVec2f(10, 10));
    ofxVec2f end;
    EXPECT_FALSE(tool.snapToWallEnd(ofxVec2f(10, 10), end));
    tap('*');
  }
  EXPECT_EQ(frameless.models[0].guid, "word");
  EXPECT_EQ(frameless.models[0].SE, "word");
  EXPECT_TRUE(noModels.models.empty());
  EXPECT_EQ(frameless.models[0].frames.size(), 1u);  // '*' gave it its first frame
}

namespace {
using GlTestWindow::pixel;

// A cleared frame in the drawing state the program starts with: outlines and
// alpha blending.
void startFrame() {
  GlTestWindow::beginFrame();
  ofNoFill();
  ofEnableAlphaBlending();
}

void expectNear(const Rgb& seen, const Rgb& expected, const std::string& what) {
  EXPECT_LE(std::abs(seen.r - expected.r), 2) << what << ": " << seen;
  EXPECT_LE(std::abs(seen.g - expected.g), 2) << what << ": " << seen;
  EXPECT_LE(std::abs(seen.b - expected.b), 2) << what << ": " << seen;
}
}  // namespace

using ModelToolDrawing = ModelToolTest;

TEST_F(ModelToolDrawing, OnionSkinShowsOtherFramesFaintWhateverTheirType) {
  // Screen rows 215 and 245, clear of the origin cross and the overlay.
  model().frames.resize(2);
  model().frames[0].walls = {Wall(-150.5f, 30.5f, -50.5f, 30.5f, 200, 100, 250, 'w')};
  model().frames[1].walls = {Wall(-150.5f, 60.5f, -50.5f, 60.5f, 0, 255, 0, 'w')};
  model().currentFrame = 1;
  struct Case {
    bool onionSkin;
    Rgb otherFrame;
  };
  // Alpha 50 over black: 50/255 of the colour.
  for (const Case c : {Case{false, Rgb{0, 0, 0}}, Case{true, Rgb{39, 20, 49}}}) {
    tool.onionSkin = c.onionSkin;
    startFrame();
    tool.draw(current);
    const std::string what = c.onionSkin ? "onion skin" : "plain";
    expectNear(pixel(160, 215), c.otherFrame, what + ", other frame");
    expectNear(pixel(160, 245), Rgb{0, 255, 0}, what + ", shown frame");
  }
}

TEST_F(ModelToolDrawing, DrawingWithoutAModelOrAFrameShowsTheOverlay) {
  LevelData frameless{LevelData::Empty{}};
  frameless.models.emplace_back(Model::Blank{});
  for (LevelData* set : {static_cast<LevelData*>(nullptr), &frameless}) {
    tool.data = set;
    for (bool onionSkin : {false, true}) {
      tool.onionSkin = onionSkin;
      tool.clickKey = 'w';
      startFrame();
      tool.draw(current);
      EXPECT_GT(GlTestWindow::litPixels(5, 355, 80, 12), 0) << "\"modeling\" at the bottom left";
    }
  }
}
