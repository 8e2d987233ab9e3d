#include <gtest/gtest.h>

#include <string>

#include "framework/ofClock.h"
#include "level/LevelData.h"

namespace {
struct WithClock : testing::Test {
  ManualClock clock{5000};
  void SetUp() override { ofSetClock(&clock); }
  void TearDown() override { ofSetClock(nullptr); }
};

ModelRef refTo(const std::string& guid, float x = 0, float y = 0) {
  ModelRef ref;
  ref.guid = guid;
  ref.pos = ofxVec2f(x, y);
  return ref;
}
}  // namespace

using LevelDataAnimation = WithClock;

TEST(LevelData, StartsWithOneEmptyLevelAndOneModelWithOneEmptyFrame) {
  const LevelData data;
  ASSERT_EQ(data.levels.size(), 1u);
  ASSERT_EQ(data.models.size(), 1u);
  EXPECT_TRUE(data.levels[0].walls.empty());
  EXPECT_TRUE(data.levels[0].gravity);
  EXPECT_TRUE(data.levels[0].friction);
  ASSERT_EQ(data.models[0].frames.size(), 1u);
  EXPECT_TRUE(data.models[0].frames[0].walls.empty());
  EXPECT_EQ(data.currentLevel, 0);
  EXPECT_EQ(data.saveCount, 0);
  EXPECT_FALSE(data.levels[0].guid.empty());
}

TEST(LevelData, NavigationWrapsAndRemovalSelectsThePrevious) {
  struct Case {
    const char* name;
    int count, start;
    void (LevelData::*op)();
    int expectedIndex;
    size_t expectedCount;
  };
  const Case cases[] = {
      {"next on last wraps", 3, 2, &LevelData::nextLevel, 0, 3},
      {"prev on first wraps", 3, 0, &LevelData::prevLevel, 2, 3},
      {"next with one level", 1, 0, &LevelData::nextLevel, 0, 1},
      {"prev with one level", 1, 0, &LevelData::prevLevel, 0, 1},
      {"remove 3 of 5", 5, 2, &LevelData::removeLevel, 1, 4},
      {"remove first", 2, 0, &LevelData::removeLevel, 0, 1},
      {"remove only", 1, 0, &LevelData::removeLevel, 0, 1},
      {"add selects it", 2, 0, &LevelData::addLevel, 2, 3},
  };
  for (const Case& c : cases) {
    LevelData data;
    for (int i = 1; i < c.count; ++i) data.addLevel();
    for (int i = 0; i < c.count; ++i) data.levels[i].guid = "L" + std::to_string(i);
    data.currentLevel = c.start;
    (data.*c.op)();
    EXPECT_EQ(data.currentLevel, c.expectedIndex) << c.name;
    EXPECT_EQ(data.levels.size(), c.expectedCount) << c.name;
  }
  // Removing level 0 of two leaves the former level 1 selected.
  LevelData data;
  data.addLevel();
  data.levels[1].guid = "second";
  data.currentLevel = 0;
  data.removeLevel();
  EXPECT_EQ(data.getCurrentLevel().guid, "second");
}

TEST_F(LevelDataAnimation, FrameChangesOnlyAfterMoreThanAnimSpeed) {
  LevelData data;
  Model& model = data.models[0];
  model.frames.resize(3);
  model.animSpeed = 100;
  data.resetAnimations();
  for (int update = 1; update <= 6; ++update) {
    clock.advance(16);
    data.update(true, false);
    EXPECT_EQ(model.currentFrame, 0) << "update " << update;  // 96 ms is not > 100
  }
  clock.advance(16);
  data.update(true, false);
  EXPECT_EQ(model.currentFrame, 1);  // 112 ms
}

TEST_F(LevelDataAnimation, WrappingMarksTheEndAndTheSoundOnlyWithATag) {
  for (const std::string& se : {std::string(""), std::string("boom")}) {
    Model model;
    model.frames.resize(3);
    model.SE = se;
    model.currentFrame = 2;
    model.sePending = false;
    clock.advance(5);
    model.update(true);
    EXPECT_EQ(model.currentFrame, 0);
    EXPECT_TRUE(model.ended);
    EXPECT_EQ(model.sePending, !se.empty()) << se;
  }
}

TEST_F(LevelDataAnimation, RestartingAModelPlaysItsSoundAgain) {
  LevelData data;
  data.models[0].guid = "door";
  data.models[0].SE = "creak";
  data.models[0].frames.resize(2);
  data.models[0].currentFrame = 1;
  data.models[0].ended = true;
  clock.advance(40);
  data.addModelRef(refTo("door", 5, 6));
  EXPECT_EQ(data.models[0].currentFrame, 0);
  EXPECT_FALSE(data.models[0].ended);
  EXPECT_TRUE(data.models[0].sePending);
  EXPECT_EQ(data.models[0].lastFrameTime, 40);
  EXPECT_TRUE(data.getCurrentLevel().hasModelRef("door"));
}

TEST(Wall, FadingWallsStepAndSnapBack) {
  struct Case {
    int type, alpha, afterOne, afterTwo;
  };
  const Case cases[] = {
      {'t', 60, 50, 255}, {'t', 55, 255, 245}, {'t', 30, 255, 245}, {'w', 60, 60, 60},
  };
  for (const Case& c : cases) {
    Wall wall(0, 0, 1, 1, 255, 255, 255, c.type);
    wall.alpha = c.alpha;
    wall.update();
    EXPECT_EQ(wall.alpha, c.afterOne) << c.alpha;
    wall.update();
    EXPECT_EQ(wall.alpha, c.afterTwo) << c.alpha;
  }
}

TEST(LevelData, RemoveModelRefsRemovesEveryMatchAndKeepsTheOrder) {
  LevelData data;
  for (const char* guid : {"x", "x", "a", "b", "x", "c"}) data.levels[0].modelRefs.push_back(refTo(guid));
  data.removeModelRefs("x");
  const auto& refs = data.levels[0].modelRefs;
  ASSERT_EQ(refs.size(), 3u);
  EXPECT_EQ(refs[0].guid + refs[1].guid + refs[2].guid, "abc");
  data.removeModelRefs("nothing");
  EXPECT_EQ(refs.size(), 3u);
}

TEST(LevelData, HslConversions) {
  const ofColor green = LevelData::rgbToHsl(ofColor(0, 255, 0));
  EXPECT_FLOAT_EQ(green.r, 1.0f / 3);
  EXPECT_FLOAT_EQ(green.g, 1.0f);
  EXPECT_FLOAT_EQ(green.b, 0.5f);

  // Hue 1.0 falls in no sextant: grey.
  const ofColor grey = LevelData::hslToRgb(1.0f, 1.0f, 0.4f);
  EXPECT_FLOAT_EQ(grey.r, 0.4f * 255);
  EXPECT_FLOAT_EQ(grey.g, 0.4f * 255);

  for (const ofColor& c : {ofColor(255, 0, 128), ofColor(10, 200, 90), ofColor(30, 60, 250)}) {
    const ofColor hsl = LevelData::rgbToHsl(c);
    const ofColor back = LevelData::hslToRgb(hsl.r, hsl.g, hsl.b);
    EXPECT_NEAR(back.r, c.r, 0.5);
    EXPECT_NEAR(back.g, c.g, 0.5);
    EXPECT_NEAR(back.b, c.b, 0.5);
  }
  const ofColor black = LevelData::rgbToHsl(ofColor(0, 0, 0));
  EXPECT_EQ(black.r + black.g + black.b, 0);
}

TEST(LevelData, DataWithoutLevelsModelsOrFramesIsSafeEverywhere) {
  LevelData data{LevelData::Empty{}};
  EXPECT_FALSE(data.hasLevel());
  EXPECT_FALSE(data.hasModel());
  data.update(true, true);
  data.draw(true);
  data.nextLevel();
  data.prevLevel();
  data.prevModel();
  data.removeLevel();
  data.removeModel();
  data.removeModelRefs("x");
  data.removeWarp(0);
  data.addModelRef(refTo("x"));
  data.resetAnimations();
  EXPECT_EQ(data.currentLevel, 0);
  EXPECT_EQ(data.currentModel, 0);
  data.getCurrentLevel().walls.emplace_back();  // an edit of the stand-in goes nowhere
  EXPECT_TRUE(data.getCurrentLevel().walls.empty());
  data.getCurrentModel().prevFrame();
  EXPECT_EQ(data.getCurrentModel().currentFrame, 0);

  Model frameless{Model::Blank{}};
  frameless.update(true);
  frameless.nextFrame();
  frameless.prevFrame();
  frameless.drawCurrentFrame();
  EXPECT_EQ(frameless.currentFrame, 0);
  EXPECT_FALSE(frameless.ended);
  EXPECT_TRUE(frameless.currentWalls().empty());
}

TEST(LevelData, GuidsJoinClockFrameAndRandom) {
  const std::string guid = LevelData::makeGuid();
  ASSERT_FALSE(guid.empty());
  EXPECT_EQ(guid.find_first_not_of("-0123456789"), std::string::npos) << guid;
}
