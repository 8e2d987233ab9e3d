#include <gtest/gtest.h>

#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "level/LevelData.h"
#include "support/GlTestWindow.h"

using GlTestWindow::beginFrame;
using GlTestWindow::litPixels;
using GlTestWindow::pixel;

namespace {
ModelRef refTo(const std::string& guid, float x, float y) {
  ModelRef ref;
  ref.guid = guid;
  ref.pos = ofxVec2f(x, y);
  return ref;
}

// A model of one horizontal 10-pixel wall right of its origin, clear of the
// editor's marker cross.
Model dash(const std::string& guid, float r, float g, float b) {
  Model model;
  model.guid = guid;
  model.frames[0].walls.emplace_back(12.5f, 0.5f, 22.5f, 0.5f, r, g, b, 'w');
  return model;
}
}  // namespace

TEST(LevelDrawing, SolidWallsDrawInTheirColour) {
  LevelData data;
  data.levels[0].walls.emplace_back(20.5f, 40.5f, 120.5f, 40.5f, 200, 100, 50, 'w');
  beginFrame();
  ofEnableAlphaBlending();
  data.draw(false);
  EXPECT_EQ(pixel(60, 40), (Rgb{200, 100, 50}));
}

TEST(LevelDrawing, ModelsDrawAtEveryReferenceAndUnknownGuidsDrawNothing) {
  LevelData data;
  data.models.clear();
  data.models.push_back(dash("a", 255, 0, 0));
  data.models.push_back(dash("a", 0, 255, 0));  // same guid: drawn too, later in list order
  data.levels[0].modelRefs = {refTo("a", 100, 100), refTo("a", 200, 150), refTo("ghost", 300, 50)};
  beginFrame();
  data.draw(true);
  EXPECT_EQ(pixel(117, 100), (Rgb{0, 255, 0}));  // the second model stacks on top
  EXPECT_EQ(pixel(217, 150), (Rgb{0, 255, 0}));
  // No model named "ghost": neither its frame nor its marker cross and label.
  EXPECT_EQ(litPixels(285, 35, 90, 40), 0);
}

TEST(LevelDrawing, WallsOfUnknownTypeKeepTheCurrentColour) {
  LevelData data;
  data.levels[0].walls.emplace_back(20.5f, 60.5f, 120.5f, 60.5f, 255, 255, 255, 0);
  beginFrame();
  ofSetColor(0, 0, 255);
  data.draw(false);
  EXPECT_EQ(pixel(60, 60), (Rgb{0, 0, 255}));
}

TEST(LevelDrawing, RandomNumbersAreConsumedOncePerShimmeringThing) {
  LevelData data;
  Level& level = data.levels[0];
  level.walls.emplace_back(0, 0, 5, 5, 255, 255, 255, 'e');
  level.walls.emplace_back(0, 0, 5, 5, 255, 255, 255, 'w');
  level.warps.push_back(Warp{ofRectangle(10, 10, 20, 20), "m", "i", "u"});
  level.receivers.push_back(Receiver{ofxVec2f(50, 50), "r"});
  level.gravityPoints.emplace_back(80, 80);
  struct Case {
    bool markers;
    int randoms;
  };
  for (const Case c : {Case{false, 1}, Case{true, 4}}) {
    beginFrame();
    ofSeedRandom(9u);
    data.draw(c.markers);
    const float next = ofRandom(0, 1);
    ofSeedRandom(9u);
    for (int i = 0; i < c.randoms; ++i) ofRandom(0, 1);
    EXPECT_EQ(ofRandom(0, 1), next) << "markers " << c.markers;
  }
}

TEST(LevelDrawing, NothingIsDrawnWithoutALevel) {
  LevelData data{LevelData::Empty{}};
  beginFrame();
  ofSetColor(1, 2, 3);
  data.draw(true);
  EXPECT_EQ(litPixels(0, 0, 530, 370), 0);
  EXPECT_EQ(ofGetStyle().color.r, 1);
}

// A placement's marker names the model it places, and a warping one where
// it leads: the text is the same picture as those strings drawn alone.
TEST(LevelDrawing, APlacementsMarkerIsLabelledWithItsModelsName) {
  LevelData data;
  data.models.clear();
  data.models.push_back(dash("rock", 255, 0, 0));
  ModelRef warping = refTo("rock", 300, 150);
  warping.warpOnEndAnimation = true;
  warping.level = "two";
  warping.id = "in";
  data.levels[0].modelRefs = {refTo("rock", 100, 100), warping};
  beginFrame();
  data.draw(true);
  // Below the marker's cross and the model's dash, which lie along y.
  auto label = [](int x, int y) { return litPixels(x + 5, y + 2, 60, 38); };
  const int plain = label(100, 100), leads = label(300, 150);
  beginFrame();
  ofSetHexColor(0xFFFFFF);
  ofDrawBitmapString("rock", 105, 110);
  ofDrawBitmapString("rock", 305, 160);
  ofDrawBitmapString("map: two", 305, 173);
  ofDrawBitmapString("id: in", 305, 186);
  EXPECT_EQ(plain, label(100, 100));
  EXPECT_EQ(leads, label(300, 150));
  EXPECT_GT(plain, 20);
}
