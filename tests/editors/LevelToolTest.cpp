// The level tool driven frame by frame with hand-made input snapshots.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "editors/EditorCommon.h"
#include "editors/LevelTool.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "editors/EditorFixture.h"
#include "support/GlTestWindow.h"

namespace {
// Screen and level points agree in these tests but where a case pans: the
// view starts with the level origin at the window's corner.
struct LevelToolTest : EditorFixture<LevelTool> {
  void SetUp() override {
    EditorFixture::SetUp();
    tool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));
  }
  Level& level() { return data.levels[0]; }
  // A key that asks for a word in the prompt, its question, and what it sets.
  struct Question {
    int key;
    const char* question;
    std::function<std::string()> value;
  };
  std::vector<Question> levelQuestions() {
    return {
        {364, "level guid: ", [this] { return level().guid; }},
        {'$', "map id: ", [this] { return tool.mapId; }},
        {'%', "receiver id: ", [this] { return tool.receiverId; }},
    };
  }
};

void expectPoint(const ofxVec2f& p, float x, float y, const std::string& what) {
  EXPECT_FLOAT_EQ(p.x, x) << what;
  EXPECT_FLOAT_EQ(p.y, y) << what;
}
}  // namespace

TEST_F(LevelToolTest, WallEndsSnapToWallEndsCloserThanFivePixels) {
  struct Case {
    int key;
    ofxVec2f offset;
    int pressX, pressY, releaseX, releaseY;
    float x1, y1, x2, y2;
  };
  const Case cases[] = {
      {'w', {0, 0}, 103, 100, 300, 250, 100, 100, 300, 250},  // 3 px away: snaps
      {'e', {0, 0}, 105, 100, 300, 250, 105, 100, 300, 250},  // 5 px away: does not
      {'t', {20, 10}, 123, 112, 222, 111, 100, 100, 200, 100},  // both ends, panned view
      {'w', {0, 0}, 150, 150, 150, 150, 150, 150, 150, 150},  // a click: zero length
  };
  for (const Case& c : cases) {
    level().walls = {Wall(100, 100, 200, 100, 9, 9, 9, 'w')};
    tool.showAt(ofxVec2f(0, 0), c.offset);
    tool.color = ofColor(10, 20, 30);
    drag(c.key, c.pressX, c.pressY, c.releaseX, c.releaseY);
    ASSERT_EQ(level().walls.size(), 2u);
    const Wall& wall = level().walls[1];
    const std::string what = "press " + std::to_string(c.pressX) + "," + std::to_string(c.pressY);
    expectPoint(ofxVec2f(wall.x, wall.y), c.x1, c.y1, what);
    expectPoint(ofxVec2f(wall.z, wall.w), c.x2, c.y2, what);
    EXPECT_EQ(wall.type, c.key);
    EXPECT_EQ(wall.color.g, 20);
    EXPECT_EQ(tool.clickKey, -1);
  }
}

TEST_F(LevelToolTest, ZonesSpanTheDragWhicheverWayItGoes) {
  struct Case {
    int x1, y1, x2, y2;
  };
  tool.mapId = "cave";
  tool.receiverId = "in";
  current.pressKey('k');
  frame();
  current.releaseKey('k');
  for (const Case c : {Case{200, 100, 150, 160}, Case{150, 100, 200, 160}, Case{200, 160, 150, 100},
                       Case{150, 160, 200, 100}}) {
    level().warps.clear();
    drag('c', c.x1, c.y1, c.x2, c.y2);
    ASSERT_EQ(level().warps.size(), 1u);
    const Warp& warp = level().warps[0];
    const ofRectangle& r = warp.rect;
    EXPECT_EQ((std::vector<float>{r.x, r.y, r.width, r.height}),
              (std::vector<float>{150, 100, 50, 60}))
        << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    EXPECT_EQ(warp.level, "cave");
    EXPECT_EQ(warp.id, "in");
    EXPECT_EQ(warp.dir, "r");
  }
}

TEST_F(LevelToolTest, ClickedElementsLandAtTheReleasePointLessTheOffset) {
  data.models[0].guid = "rock";
  tool.showAt(ofxVec2f(0, 0), ofxVec2f(40, -10));
  tool.mapId = "next";
  tool.receiverId = "door";
  drag('x', 0, 0, 100, 100);
  drag('m', 0, 0, 110, 120);
  drag('M', 0, 0, 130, 140);
  drag('.', 0, 0, 150, 160);
  drag('z', 0, 0, 170, 180);
  drag(-1, 0, 0, 190, 200);

  ASSERT_EQ(level().receivers.size(), 1u);
  expectPoint(level().receivers[0].pos, 60, 110, "receiver");
  EXPECT_EQ(level().receivers[0].id, "door");
  ASSERT_EQ(level().modelRefs.size(), 2u);
  const ModelRef& still = level().modelRefs[0];
  const ModelRef& warping = level().modelRefs[1];
  expectPoint(still.pos, 70, 130, "model");
  EXPECT_EQ(still.guid, "rock");
  EXPECT_FALSE(still.warpOnEndAnimation);
  EXPECT_EQ(still.level + still.id, "");
  expectPoint(warping.pos, 90, 150, "warping model");
  EXPECT_TRUE(warping.warpOnEndAnimation);
  EXPECT_EQ(warping.level, "next");
  EXPECT_EQ(warping.id, "door");
  ASSERT_EQ(level().gravityPoints.size(), 1u);
  expectPoint(level().gravityPoints[0], 110, 170, "gravity point");
  // 'z' and no key place nothing.
  EXPECT_TRUE(level().walls.empty());
  EXPECT_TRUE(level().warps.empty());
}

TEST_F(LevelToolTest, ColourKeysStepByThreeWithinTheByteRange) {
  struct Case {
    const char* name;
    std::vector<int> held;
    ofColor start;
    int frames;
    ofColor expected;
  };
  const Case cases[] = {
      {"8 for 100 frames", {'8'}, {0, 0, 0}, 100, {255, 0, 0}},
      {"8 with minus, one frame", {'8', '-'}, {255, 0, 0}, 1, {252, 0, 0}},
      {"8 with minus down to 0", {'8', '-'}, {255, 0, 0}, 100, {0, 0, 0}},
      {"minus alone", {'-'}, {10, 10, 10}, 5, {10, 10, 10}},
      {"all three, one frame", {'8', '9', '0'}, {0, 254, 100}, 1, {3, 255, 103}},
  };
  for (const Case& c : cases) {
    tool.color = c.start;
    for (int key : c.held) current.pressKey(key);
    frame(c.frames);
    for (int key : c.held) current.releaseKey(key);
    EXPECT_EQ((std::vector<float>{tool.color.r, tool.color.g, tool.color.b}),
              (std::vector<float>{c.expected.r, c.expected.g, c.expected.b}))
        << c.name;
  }
}

TEST_F(LevelToolTest, DeleteRemovesOneThingAFramePointsBeforeTheZoneAroundThem) {
  // Everything below is under the mouse at level point (50, 50).
  level().walls = {Wall(10, 10, 20, 20, 1, 1, 1, 'w'), Wall(52, 50, 90, 90, 1, 1, 1, 'w')};
  level().warps = {Warp{ofRectangle(40, 40, 20, 20), "", "", "u"}};
  level().receivers = {Receiver{ofxVec2f(50, 53), "r"}};
  level().modelRefs = {ModelRef{"m", ofxVec2f(47, 50), false, "", ""}};
  level().gravityPoints = {ofxVec2f(50, 46)};
  tool.showAt(ofxVec2f(0, 0), ofxVec2f(100, 100));
  current.moveMouse(150, 150);
  current.pressKey(127);
  using Counts = std::vector<size_t>;
  auto counts = [&] {
    const Level& l = level();
    return Counts{l.walls.size(), l.warps.size(), l.receivers.size(), l.modelRefs.size(),
                  l.gravityPoints.size()};
  };
  // Counts of walls, zones, receivers, references and gravity points, frame by frame.
  const Counts afterEachFrame[] = {{1, 1, 1, 1, 1}, {1, 1, 0, 1, 1}, {1, 1, 0, 0, 1},
                                   {1, 1, 0, 0, 0}, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}};
  for (const Counts& expected : afterEachFrame) {
    frame();
    EXPECT_EQ(counts(), expected);
  }
  EXPECT_EQ(level().walls[0].x, 10);
  // A point on a zone's border is not inside it.
  level().warps = {Warp{ofRectangle(40, 40, 20, 20), "", "", "u"}};
  tool.deleteAt(ofxVec2f(40, 45));
  EXPECT_EQ(level().warps.size(), 1u);
}

TEST_F(LevelToolTest, PickingTakesColoursAndIdsFromWhatIsUnderTheMouse) {
  level().walls = {Wall(0, 0, 10, 10, 1, 2, 3, 'w'), Wall(12, 10, 50, 50, 4, 5, 6, 'w'),
                   Wall(200, 200, 300, 300, 7, 8, 9, 'w')};
  level().receivers = {Receiver{ofxVec2f(100, 100), "dock"}};
  level().modelRefs = {ModelRef{"crate", ofxVec2f(102, 100), false, "", ""},
                       ModelRef{"barrel", ofxVec2f(200, 100), false, "", ""}};
  struct Case {
    int key, x, y;
    float red;
    const char* receiverId;
  };
  const Case cases[] = {
      {'p', 11, 10, 4, "kept"},       // two walls near: the last wins
      {'p', 400, 400, 0, "kept"},     // nothing near: unchanged
      {'5', 101, 100, 0, "dock"},     // a receiver beats a reference
      {'5', 199, 101, 0, "barrel"},   // a reference gives its model's guid
      {'5', 400, 400, 0, "kept"},
  };
  for (const Case& c : cases) {
    tool.color = ofColor(0, 0, 0);
    tool.receiverId = "kept";
    current.moveMouse(c.x, c.y);
    current.pressKey(c.key);
    frame();
    current.releaseKey(c.key);
    EXPECT_EQ(tool.color.r, c.red) << c.x << "," << c.y;
    EXPECT_EQ(tool.receiverId, c.receiverId) << c.x << "," << c.y;
  }
}

TEST_F(LevelToolTest, RainbowMovesTheHueOnAfterEachWall) {
  current.pressKey('r');
  frame(3);
  current.releaseKey('r');
  ASSERT_TRUE(tool.rainbow);
  tool.color = ofColor(0, 255, 0);
  drag('w', 10, 10, 50, 50);
  EXPECT_EQ(level().walls[0].color.g, 255);  // the wall keeps the colour it was drawn in
  EXPECT_EQ(level().walls[0].color.b, 0);
  const ofColor hsl = LevelData::rgbToHsl(tool.color);
  EXPECT_NEAR(hsl.r, 1.0f / 3 + 0.03f, 1e-4);
  EXPECT_NEAR(hsl.g, 1, 1e-4);

  tool.color = LevelData::hslToRgb(0.98f, 1, 0.5f);
  tool.advanceRainbow();
  EXPECT_NEAR(LevelData::rgbToHsl(tool.color).r, 0.01f, 1e-3);
  tool.color = ofColor(128, 128, 128);
  tool.advanceRainbow();
  EXPECT_NEAR(tool.color.r, 128, 1e-3);
  EXPECT_NEAR(tool.color.b, 128, 1e-3);
}

TEST_F(LevelToolTest, ToggleKeysActOncePerPress) {
  struct Case {
    int key;
    std::function<bool()> value;
  };
  const Case cases[] = {
      {'1', [&] { return tool.paramsHidden; }},
      {'2', [&] { return level().gravity; }},
      {'3', [&] { return level().friction; }},
      {'r', [&] { return tool.rainbow; }},
  };
  for (const Case& c : cases) {
    const bool before = c.value();
    current.pressKey(c.key);
    frame(3);
    EXPECT_NE(c.value(), before) << char(c.key);
    current.releaseKey(c.key);
    frame();
    current.pressKey(c.key);
    frame();
    current.releaseKey(c.key);
    EXPECT_EQ(c.value(), before) << char(c.key);
  }
}

TEST_F(LevelToolTest, WarpTypeKeysTheLastHeldInUJHKIOOrderWins) {
  struct Case {
    std::vector<int> held;
    const char* type;
  };
  const Case cases[] = {{{'u'}, "u"}, {{'j'}, "d"},      {{'h'}, "l"},      {{'k'}, "r"},
                        {{'i'}, "i"}, {{'o'}, "o"},      {{'o', 'u'}, "o"}, {{'k', 'h'}, "r"},
                        {{}, "r"}};
  for (const Case& c : cases) {
    for (int key : c.held) current.pressKey(key);
    frame();
    for (int key : c.held) current.releaseKey(key);
    EXPECT_EQ(tool.warpType, c.type);
  }
}

TEST_F(LevelToolTest, WordsAreAskedInThePromptAndACancelledQuestionChangesNothing) {
  level().guid = "old";
  data.models[0].guid = "old";
  tool.mapId = tool.receiverId = "old";
  std::vector<Question> cases = levelQuestions();
  cases.push_back({'6', "model guid: ", [&] { return data.models[0].guid; }});
  struct Typed {
    std::vector<int> keys;
    const char* value;
  };
  const Typed answers[] = {{{KEY_ENTER}, "old"}, {{'x', KEY_ESCAPE}, "old"},
                           {{'n', 'e', 'w', KEY_ENTER}, "new"}};
  for (const Question& c : cases) {
    for (const Typed& typed : answers) {
      current.pressKey(c.key);
      frame();
      current.releaseKey(c.key);
      frame();
      ASSERT_TRUE(prompt.isOpen()) << c.question;
      EXPECT_EQ(prompt.question(), c.question);
      for (int key : typed.keys) prompt.keyPressed(key);
      EXPECT_FALSE(prompt.isOpen()) << c.question;
      EXPECT_EQ(c.value(), typed.value) << c.question;
    }
  }
  tool.mapId = "";
  current.pressKey('4');
  frame();
  EXPECT_EQ(tool.mapId, "new");  // '4' copies the level's guid
}

TEST_F(LevelToolTest, RightDragsPanAsFarAsTheMouseMovedAndHomeResetsTheOffset) {
  struct Case {
    const char* name;
    int steps, dx, dy, perFrame;
    bool frameBeforeDrag;  // else the mouse arrives without a button in the drag's frame
  };
  const Case cases[] = {
      {"one 2-pixel move a frame", 20, 2, 0, 1, true},
      {"five moves a frame", 20, 2, 0, 5, true},
      {"twenty moves in one frame", 20, 2, -1, 20, true},
      {"moved there in the same frame", 3, -4, 5, 3, false},
  };
  for (const Case& c : cases) {
    tool.resetOffset();
    current.moveMouse(100, 100);
    if (c.frameBeforeDrag) frame();
    rightDrag(100, 100, c.steps, c.dx, c.dy, c.perFrame);
    expectPoint(tool.offset, static_cast<float>(c.steps * c.dx),
                static_cast<float>(c.steps * c.dy), c.name);
  }
  current.pressKey(KEY_HOME);
  frame();
  expectPoint(tool.offset, 0, 0, "home");
}

TEST_F(LevelToolTest, LastKeyCommandsCountAKeyTappedBetweenFramesOnce) {
  level().guid = "old";
  tool.mapId = tool.receiverId = "old";
  for (const Question& c : levelQuestions()) {
    quickTap(c.key);
    frame(2);
    EXPECT_EQ(prompt.question(), c.question);
    answer("first");
    frame(2);
    EXPECT_FALSE(prompt.isOpen()) << c.question << " asked again";
    EXPECT_EQ(c.value(), "first") << c.question;
  }
  // Three walls under the mouse: a tapped Delete removes one.
  level().walls.assign(3, Wall(50, 50, 90, 90, 1, 1, 1, 'w'));
  current.moveMouse(50, 50);
  quickTap(127);
  frame(2);
  EXPECT_EQ(level().walls.size(), 2u);
}

TEST_F(LevelToolTest, AnAnswerGoesToTheLevelOrModelCurrentWhenItComes) {
  data.addLevel();
  data.addModel();
  data.currentLevel = data.currentModel = 0;
  for (int key : {364, int{'6'}}) {  // Insert, '6'
    tap(key);
    data.nextLevel();
    data.nextModel();
    answer(key == '6' ? "model" : "level");
  }
  EXPECT_EQ(data.levels[1].guid, "level");
  EXPECT_EQ(data.models[0].guid, "model");
  // Gone before the answer: nothing to set, nothing broken.
  tap(364);
  data.levels.clear();
  answer("late");
  tap('6');
  data.models.clear();
  answer("late");
  EXPECT_FALSE(prompt.isOpen());
}

TEST_F(LevelToolTest, EveryOperationIsSafeWithoutALevelOrAModel) {
  LevelData noLevels{LevelData::Empty{}};
  noLevels.models.emplace_back(Model::Blank{});
  LevelData noModels;
  noModels.models.clear();
  for (LevelData* set : {static_cast<LevelData*>(nullptr), &noLevels, &noModels}) {
    tool.data = set;
    for (int key : std::vector<int>{364, 127, '1', '2', '3', '4', '$', '5', '%', '6', 'p', 'r',
                                    KEY_HOME}) {
      current.pressKey(key);
      frame();
      current.releaseKey(key);
      if (prompt.isOpen()) answer("word");
    }
    for (int key : {'w', 'c', 'x', 'm', 'M', '.'}) drag(key, 10, 10, 20, 20);
    tool.deleteAt(ofxVec2f(300, 300));
    tool.pickColor(ofxVec2f(300, 300));
    tool.pickReceiverId(ofxVec2f(300, 300));
    ofxVec2f end;
    EXPECT_FALSE(tool.snapToWallEnd(ofxVec2f(300, 300), end));
  }
  EXPECT_TRUE(noLevels.levels.empty());
  EXPECT_EQ(noLevels.models[0].guid, "word");  // the model is there to rename
  EXPECT_EQ(noModels.levels[0].walls.size(), 1u);
  EXPECT_TRUE(noModels.levels[0].modelRefs.empty());  // no model to place
}

namespace {
using GlTestWindow::pixel;

// Whether any pixel of the rectangle has colour c.
bool shows(int x, int y, int w, int h, Rgb c) {
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      if (pixel(px, py) == c) return true;
    }
  }
  return false;
}

const Rgb white{255, 255, 255}, frameRed{145, 0, 0}, red{255, 0, 0};

// A cleared frame in the drawing state the program starts with: outlines and
// alpha blending.
void startFrame() {
  GlTestWindow::beginFrame();
  ofNoFill();
  ofEnableAlphaBlending();
}
}  // namespace

using LevelToolDrawing = LevelToolTest;

TEST_F(LevelToolDrawing, OverlayFrameSwatchAndParameterLines) {
  tool.showAt(ofxVec2f(0, 0), ofxVec2f(20.5f, 10.5f));
  tool.color = ofColor(0, 200, 100);
  for (bool hidden : {false, true}) {
    tool.paramsHidden = hidden;
    startFrame();
    tool.draw(current);
    EXPECT_TRUE(shows(5, 355, 80, 12, white)) << "\"level tool\" at the bottom left";
    EXPECT_TRUE(shows(498, 100, 5, 1, frameRed)) << "the play area's right edge, panned";
    EXPECT_TRUE(shows(100, 329, 1, 5, frameRed)) << "the play area's bottom edge, panned";
    EXPECT_EQ(pixel(495, 335), (Rgb{0, 200, 100})) << "the swatch";
    EXPECT_EQ(GlTestWindow::litPixels(25, 42, 230, 72) == 0, hidden) << "parameter lines";
  }
}

TEST_F(LevelToolDrawing, TheIntersectionTestMarksACrossingInRed) {
  struct Case {
    int clickX, clickY, mouseX, mouseY;
    bool crosses;
  };
  tool.paramsHidden = true;  // the parameter lines would cover the segments
  for (const Case c : {Case{50, 50, 150, 100, true}, Case{150, 50, 200, 100, false}}) {
    tool.clickKey = 'z';
    tool.clickPos = ofxVec2f(static_cast<float>(c.clickX), static_cast<float>(c.clickY));
    current.moveMouse(c.mouseX, c.mouseY);
    startFrame();
    tool.draw(current);
    EXPECT_TRUE(shows(98, 55, 5, 1, c.crosses ? red : white)) << "the fixed segment";
    // The plus around the crossing at (100, 75) shows beside the red lines.
    EXPECT_EQ(shows(102, 73, 4, 5, white), c.crosses);
  }
}

TEST_F(LevelToolDrawing, DrawingWithoutALevelOrAModelShowsTheOverlay) {
  LevelData none{LevelData::Empty{}};
  for (LevelData* set : {static_cast<LevelData*>(nullptr), &none}) {
    tool.data = set;
    for (int key : {'w', 'c', 'x', 'm', '.', 'z'}) {
      tool.clickKey = key;
      startFrame();
      tool.draw(current);
      EXPECT_TRUE(shows(5, 355, 80, 12, white));
    }
  }
}

TEST(EditorTitle, SaysWhereTheShownItemStandsOrHowToAddTheFirst) {
  const struct {
    int index;
    size_t count;
    const char* text;
  } cases[] = {{0, 1, "1 of 1"}, {4, 5, "5 of 5"}, {0, 0, "none yet: Ctrl+N adds one"}};
  for (const auto& c : cases) EXPECT_EQ(editor::positionText(c.index, c.count), c.text) << c.count;
}

// 6 renames the current model and Insert the level: the overlay says which.
TEST_F(LevelToolTest, TheParameterLinesNameWhatEachKeyChanges) {
  data.models[0].guid = "rock";
  level().guid = "cave";
  const std::vector<std::string> lines = tool.paramLines();
  auto listed = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(listed("6->model guid: rock"));
  EXPECT_TRUE(listed("Insert->level guid: cave"));
}
