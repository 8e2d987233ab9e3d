// The undo history: on its own over edits of a level set, and in the
// editing state through the keys and the mouse, compared as saved files.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editors/EditHistory.h"
#include "support/AppFixture.h"
#include "support/ScratchFolder.h"

namespace {
// What a save writes for data, without the save counter line.
std::string savedFile(const ScratchFolder& scratch, const LevelData& data) {
  LevelData copy = data;
  EXPECT_TRUE(copy.save());
  const std::string text = scratch.read("data/data.xml");
  return text.substr(text.find('\n') + 1);
}

LevelData threeLevels() {
  LevelData data;
  data.levels.resize(3);
  for (size_t i = 0; i < data.levels.size(); ++i) data.levels[i].guid = "level" + std::to_string(i);
  data.models[0].guid = "rock";
  data.levels[1].modelRefs.push_back(ModelRef{"rock", ofxVec2f(5, 5), false, "", ""});
  return data;
}

Wall wallAt(float x) { return Wall(x, 0, x + 10, 10, 1, 2, 3, WALL_SOLID); }
}  // namespace

TEST(EditHistory, UndoAndRedoRestoreWhatEachKindOfChangeTouched) {
  struct Case {
    const char* name;
    std::function<void(LevelData&)> edit;
    int shownLevel;  // the current level after the undo
  };
  const Case cases[] = {
      {"one level", [](LevelData& d) { d.levels[1].walls.push_back(wallAt(1)); }, 1},
      {"two levels apart",
       [](LevelData& d) {
         d.levels[0].gravity = false;
         d.levels[2].guid = "renamed";
       },
       0},
      {"a level inserted in the middle",
       [](LevelData& d) { d.levels.insert(d.levels.begin() + 1, Level()); }, 1},
      {"the first level removed", [](LevelData& d) { d.levels.erase(d.levels.begin()); }, 0},
      {"the last level removed", [](LevelData& d) { d.levels.pop_back(); }, 2},
      {"a model and its placement removed",
       [](LevelData& d) {
         d.models.clear();
         d.levels[1].modelRefs.clear();
       },
       1},
      {"a model only", [](LevelData& d) { d.models[0].frames.emplace_back(); }, 2},
      {"walls of a level changed and the level renamed",
       [](LevelData& d) {
         d.levels[1].walls.push_back(wallAt(1));
         d.levels[1].walls.push_back(wallAt(2));
         d.levels[1].guid = "renamed";
         d.levels[1].friction = false;
       },
       1},
      {"every list of a level changed at once",
       [](LevelData& d) {
         Level& l = d.levels[0];
         l.walls.push_back(wallAt(3));
         l.warps.push_back(Warp{ofRectangle(1, 2, 3, 4), "finish_it", "", ""});
         l.receivers.push_back(Receiver{ofxVec2f(7, 8), "in"});
         l.gravityPoints.push_back(GravityPoint(9, 9));
         d.levels[1].modelRefs[0].pos = ofxVec2f(6, 6);
       },
       0},
      {"two levels swapped",
       [](LevelData& d) {
         d.levels[0].walls.push_back(wallAt(4));
         std::swap(d.levels[0], d.levels[1]);
       },
       0},
      {"a model renamed and its frame changed",
       [](LevelData& d) {
         d.models[0].guid = "boulder";
         d.models[0].animSpeed = 300;
         d.models[0].frames[0].walls.push_back(wallAt(5));
       },
       2},
  };
  ScratchFolder scratch;
  for (const Case& c : cases) {
    LevelData data = threeLevels();
    data.currentLevel = 2;
    EditHistory history;
    history.restart(data);
    const std::string before = savedFile(scratch, data);
    c.edit(data);
    const std::string after = savedFile(scratch, data);
    ASSERT_NE(before, after) << c.name;
    ASSERT_TRUE(history.record(data)) << c.name;
    EXPECT_FALSE(history.record(data)) << c.name << ": recorded twice";
    ASSERT_TRUE(history.undo(data)) << c.name;
    EXPECT_EQ(savedFile(scratch, data), before) << c.name;
    EXPECT_EQ(data.currentLevel, c.shownLevel) << c.name;
    ASSERT_TRUE(history.redo(data)) << c.name;
    EXPECT_EQ(savedFile(scratch, data), after) << c.name;
    EXPECT_TRUE(history.undo(data)) << c.name;
    EXPECT_FALSE(history.undo(data)) << c.name << ": one step only";
    EXPECT_EQ(savedFile(scratch, data), before) << c.name << ": undone again";
  }
}

// Every step after the first of a chain lands on content that earlier steps
// have spliced in place; each undo and redo must find its items there.
TEST(EditHistory, ChainsOfStepsUndoAndRedoToTheSavedBytesOfEachState) {
  const std::function<void(LevelData&)> edits[] = {
      [](LevelData& d) { d.levels[1].walls = {wallAt(1), wallAt(2), wallAt(3)}; },
      [](LevelData& d) { d.levels[1].walls[1].x = 50; },  // one wall moved
      [](LevelData& d) { d.levels.insert(d.levels.begin(), Level()); },  // before the moved one
      [](LevelData& d) {
        d.levels[2].walls.erase(d.levels[2].walls.begin());
        d.levels[2].guid = "cave";
      },
      [](LevelData& d) { d.levels[3].gravity = false; },
      [](LevelData& d) { d.levels.erase(d.levels.begin() + 1); },
      [](LevelData& d) { d.models[0].frames.emplace_back(); },
      [](LevelData& d) { d.models[0].frames[1].walls.push_back(wallAt(7)); },
      [](LevelData& d) { d.models.insert(d.models.begin(), Model()); },
      [](LevelData& d) { d.models[1].solid = false; },
      [](LevelData& d) { d.levels[1].walls[0].y = 20; },
  };
  ScratchFolder scratch;
  LevelData data = threeLevels();
  EditHistory history;
  history.restart(data);
  std::vector<std::string> states = {savedFile(scratch, data)};
  for (const auto& edit : edits) {
    edit(data);
    ASSERT_TRUE(history.record(data)) << states.size();
    states.push_back(savedFile(scratch, data));
  }
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.undo(data)) << i;
    ASSERT_EQ(savedFile(scratch, data), states[i - 1]) << "undoing step " << i;
  }
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(history.redo(data)) << i;
    ASSERT_EQ(savedFile(scratch, data), states[i]) << "redoing step " << i;
  }
  // Back halfway, and a new edit on the way: the old redo steps are gone,
  // the ones before still take the content back.
  for (int i = 0; i < 6; ++i) history.undo(data);
  data.levels[0].walls.push_back(wallAt(9));
  ASSERT_TRUE(history.record(data));
  EXPECT_EQ(history.redoCount(), 0u);
  ASSERT_TRUE(history.undo(data));
  EXPECT_EQ(savedFile(scratch, data), states[5]);
  for (size_t i = 5; i > 0; --i) {
    ASSERT_TRUE(history.undo(data));
    ASSERT_EQ(savedFile(scratch, data), states[i - 1]) << "undoing step " << i << " again";
  }
}

TEST(EditHistory, AnimationIsNotAnEdit) {
  LevelData data = threeLevels();
  data.levels[0].walls.push_back(Wall(0, 0, 5, 5, 1, 1, 1, WALL_FADE));
  data.models[0].frames.emplace_back();
  EditHistory history;
  history.restart(data);
  data.levels[0].walls[0].alpha = 3;
  data.models[0].currentFrame = 1;
  data.models[0].lastFrameTime = 99;
  data.currentLevel = 1;
  data.saveCount = 7;
  EXPECT_FALSE(history.record(data));
}

TEST(EditHistory, KeepsTwoHundredStepsAndDropsTheOldest) {
  LevelData data;
  EditHistory history;
  history.restart(data);
  for (int i = 0; i < 201; ++i) {
    data.levels[0].walls.push_back(wallAt(static_cast<float>(i)));
    ASSERT_TRUE(history.record(data));
  }
  EXPECT_EQ(history.undoCount(), 200u);
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(history.undo(data)) << i;
  EXPECT_FALSE(history.undo(data));
  ASSERT_EQ(data.levels[0].walls.size(), 1u);  // the first edit is past the history's reach
  EXPECT_EQ(history.redoCount(), 200u);
}

TEST(EditHistory, ANewEditDropsWhatCouldBeRedone) {
  LevelData data;
  EditHistory history;
  history.restart(data);
  data.levels[0].walls.push_back(wallAt(1));
  history.record(data);
  history.undo(data);
  ASSERT_EQ(history.redoCount(), 1u);
  data.levels[0].gravity = false;
  // Not recorded yet: a redo takes the edit first, and then has nothing left.
  EXPECT_FALSE(history.redo(data));
  EXPECT_EQ(history.redoCount(), 0u);
  EXPECT_FALSE(data.levels[0].gravity);
  EXPECT_TRUE(data.levels[0].walls.empty());
}

TEST(EditHistory, AnyKeyOrButtonHeldKeepsAGestureOpen) {
  struct Case {
    const char* name;
    std::function<void(InputState&)> hold;
    bool held;
  };
  const Case cases[] = {
      {"nothing", [](InputState&) {}, false},
      {"a flagged key", [](InputState& s) { s.key3 = true; }, true},
      {"Delete, which has no flag", [](InputState& s) { s.lastKey = 127; }, true},
      {"the left button", [](InputState& s) { s.mouseLeft = true; }, true},
      {"the right button", [](InputState& s) { s.mouseRight = true; }, true},
  };
  for (const Case& c : cases) {
    InputState state;
    c.hold(state);
    EXPECT_EQ(gestureHeld(state), c.held) << c.name;
  }
}

namespace {
// The editing state on a small level set, driven as a player would.
struct History : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void SetUp() override {
    AppFixture::SetUp();
    tap('e');
    app->levelTool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));  // level points are window points
  }
  std::string saved() { return savedFile(scratch, app->editData); }
  size_t steps() const { return app->editor.history.undoCount(); }
  void hold(int key, int frames) {
    press(key);
    update(frames);
    release(key);
    update();
  }
  // The left button down at (x1, y1), dragged over a frame, up at (x2, y2),
  // with key held throughout.
  void drag(int key, int x1, int y1, int x2, int y2) {
    press(key);
    update();
    app->mousePressed(x1, y1, 0);
    update();
    app->mouseDragged((x1 + x2) / 2, (y1 + y2) / 2, 0);
    update();
    app->mouseDragged(x2, y2, 0);
    app->mouseReleased(x2, y2, 0);
    update();
    release(key);
    update();
  }
  // Answers the question key asks, in the window.
  void answer(int key, const std::string& word) {
    tap(key);
    for (char c : word) {
      press(c);
      release(c);
    }
    tap(13);
  }
  // On the model's first frame: the level tool animated it.
  void toModelTool() {
    tap(257);
    ASSERT_EQ(app->editor.mode, 2);
    app->editData.models[0].currentFrame = 0;
  }
};

struct Gesture {
  const char* name;
  std::function<void(History&)> act;
};
}  // namespace

TEST_F(History, EveryGestureIsOneStepThatUndoAndRedoTakeBackAndRestore) {
  const Gesture levelTool[] = {
      {"wall drawn", [](History& t) { t.drag('w', 300, 200, 350, 220); }},
      {"zone drawn", [](History& t) { t.drag('c', 300, 100, 340, 150); }},
      {"receiver placed", [](History& t) { t.drag('x', 300, 250, 300, 250); }},
      {"model placed", [](History& t) { t.drag('m', 200, 250, 200, 250); }},
      {"gravity point placed", [](History& t) { t.drag('.', 400, 250, 400, 250); }},
      {"wall end moved", [](History& t) { t.drag('v', 5, 6, 50, 60); }},
      // Away from the moved wall's line, which crosses the zone.
      {"zone moved", [](History& t) { t.drag('v', 25, 10, 65, 60); }},
      {"Delete held over a moved wall end and zone",
       [](History& t) {
         t.app->mouseMoved(52, 62);
         t.hold(127, 4);
       }},
      {"gravity toggled", [](History& t) { t.tap('2'); }},
      {"friction toggled", [](History& t) { t.tap('3'); }},
      {"level guid typed", [](History& t) { t.answer(364, "newcave"); }},
      {"level added", [](History& t) { t.tap(14); }},
      {"level removed", [](History& t) { t.tap(4); }},
  };
  const Gesture modelTool[] = {
      {"frame wall drawn", [](History& t) { t.drag('w', 300, 200, 320, 230); }},
      {"frame wall end moved", [](History& t) { t.drag('v', 275, 185, 285, 195); }},
      {"Delete held over a frame wall", [](History& t) {
         t.app->mouseMoved(285, 215);
         t.hold(127, 3);
       }},
      {"speed lowered over frames", [](History& t) { t.hold('3', 5); }},
      {"speed raised over frames", [](History& t) { t.hold('4', 5); }},
      {"solid toggled", [](History& t) { t.tap('2'); }},
      {"play-once toggled", [](History& t) { t.tap('5'); }},
      {"model guid typed", [](History& t) { t.answer('6', "wheel"); }},
      {"sound tag typed", [](History& t) { t.answer('7', "hum"); }},
      {"frame added", [](History& t) { t.tap('*'); }},
      {"frame removed", [](History& t) { t.tap('|'); }},
      {"model added", [](History& t) { t.tap(14); }},
      {"model removed", [](History& t) { t.tap(4); }},
  };
  auto check = [this](const Gesture& g) {
    const size_t stepsBefore = steps();
    const std::string before = saved();
    g.act(*this);
    const std::string after = saved();
    ASSERT_NE(before, after) << g.name << " changed nothing";
    EXPECT_EQ(steps(), stepsBefore + 1) << g.name;
    tap(26);  // Ctrl+Z
    EXPECT_EQ(saved(), before) << g.name << " undone";
    tap(25);  // Ctrl+Y
    EXPECT_EQ(saved(), after) << g.name << " redone";
  };
  for (const Gesture& g : levelTool) check(g);
  toModelTool();
  for (const Gesture& g : modelTool) check(g);
}

TEST_F(History, NavigationAndViewKeysRecordNothing) {
  tap('>');
  tap(358);  // next frame
  tap('1');  // parameter lines
  tap('r');  // rainbow
  update(30);  // the models animate
  toModelTool();
  tap(260);  // onion skin
  hold(' ', 20);  // the animation plays
  EXPECT_EQ(steps(), 0u);
}

TEST_F(History, TheHistoryOutlivesAToolSwitch) {
  const std::string before = saved();
  drag('w', 300, 200, 350, 220);
  toModelTool();
  tap(26);
  EXPECT_EQ(saved(), before);
}

TEST_F(History, ALoadedFileStartsANewHistoryAndAFailedLoadKeepsIt) {
  scratch.write("data/other.xml", readFixture("level/full_set.xml"));
  drag('w', 300, 200, 350, 220);
  answer(12, "nosuchfile");
  EXPECT_EQ(steps(), 1u);
  tap(26);
  tap(25);
  ASSERT_EQ(app->editor.history.redoCount(), 0u);
  answer(12, "other");
  EXPECT_EQ(app->editData.levels[0].walls.size(), 1u);  // loaded
  EXPECT_EQ(steps(), 0u);
  tap(26);
  EXPECT_EQ(app->editData.levels[0].walls.size(), 1u);
}

TEST_F(History, EachDragIsOneStepEvenWithItsKeyHeldThroughSeveral) {
  const size_t walls = app->editData.getCurrentLevel().walls.size();
  press('w');
  update();
  for (int i = 0; i < 4; ++i) {
    const int y = 100 + 20 * i;
    app->mousePressed(300, y, 0);
    update();
    app->mouseDragged(340, y + 5, 0);
    app->mouseReleased(340, y + 5, 0);
    update();
  }
  release('w');
  update();
  ASSERT_EQ(app->editData.getCurrentLevel().walls.size(), walls + 4);
  EXPECT_EQ(steps(), 4u);
  tap(26);  // Ctrl+Z
  EXPECT_EQ(app->editData.getCurrentLevel().walls.size(), walls + 3) << "one undo, one wall";
}
