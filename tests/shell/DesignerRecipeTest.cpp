// The README's recipe for a designer: a three-level set built from nothing
// with the window's keys and the mouse alone, flown, saved under a name, and
// found again in a later run.

#include <gtest/gtest.h>

#include "editors/LevelChecks.h"
#include "support/AppFixture.h"

namespace {
constexpr int F1 = 257, ENTER = 13, INSERT = 364;
constexpr int CTRL_B = 2, CTRL_E = 5, CTRL_L = 12, CTRL_N = 14;

struct DesignerRecipe : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void answer(int key, const std::string& word) {
    tap(key);
    type(word + "\r");
  }
  // key held while the left button goes down at (x1, y1) and up at (x2, y2).
  void drag(int key, int x1, int y1, int x2, int y2) {
    press(key);
    update();
    app->mousePressed(x1, y1, 0);
    app->mouseDragged(x2, y2, 0);
    app->mouseReleased(x2, y2, 0);
    release(key);
    update();
  }
  // A room: four walls around (x1, y1) .. (x2, y2) in screen points.
  void room(int x1, int y1, int x2, int y2) {
    drag('w', x1, y1, x2, y1);
    drag('w', x2, y1, x2, y2);
    drag('w', x2, y2, x1, y2);
    drag('w', x1, y2, x1, y1);
  }
  // A level: its guid, a room, a checkpoint at (100, 100) where the ship
  // comes in, and a zone near the far corner to receiver "in" of level then
  // (or running the command then).
  void level(const std::string& guid, const std::string& arrival, const std::string& then) {
    answer(INSERT, guid);
    room(40, 40, 480, 330);
    checkpoint(arrival, 100, 100);
    answer('$', then);
    answer('%', "in");
    drag('c', 400, 250, 450, 300);
  }
  // A checkpoint: its receiver, and a mark zone around it.
  void checkpoint(const std::string& id, int x, int y) {
    answer('$', "mark");
    answer('%', id);
    drag('x', x, y, x, y);
    drag('c', x - 30, y - 30, x + 30, y + 30);
  }
};
}  // namespace

TEST_F(DesignerRecipe, AThreeLevelSetIsBuiltFromTheWindowSavedAndFoundAgain) {
  tap('e');
  ASSERT_TRUE(app->editing());
  tap(CTRL_B);
  ASSERT_TRUE(app->editor.editedFile.isNew());

  // The start marker: the set's one model, named spawner, with a mark drawn.
  tap(F1);
  ASSERT_EQ(app->editor.mode, 2);
  drag('w', 260, 180, 270, 190);
  answer('6', "spawner");
  tap(F1);  // the game test
  tap(F1);
  ASSERT_EQ(app->editor.mode, 1);

  // Level one: the spawner on its checkpoint. Level two arrives at "in" and
  // warps on to "three"; level three holds the finish.
  level("one", "start", "two");
  drag('m', 100, 100, 100, 100);
  tap(CTRL_N);
  level("two", "in", "three");
  tap(CTRL_N);
  level("three", "in", "finish_it");

  LevelData& set = app->editData;
  ASSERT_EQ(set.levels.size(), 3u);
  EXPECT_EQ(set.levels[1].guid, "two");
  EXPECT_TRUE(editor::checkLevels(set).empty()) << editor::checkLevels(set)[0].text;

  // Flown from the start in the game test.
  tap(F1);
  tap(F1);
  ASSERT_EQ(app->editor.mode, 0);
  EXPECT_FALSE(app->editor.noLevelToFly);
  tap(F1);

  tap(CTRL_E);
  type("my caves\r");
  const std::string saved = scratch.read("share/orvane/levels/my caves.xml");
  EXPECT_NE(saved.find("guid=\"three\""), std::string::npos) << app->editor.status.message();
  EXPECT_FALSE(app->editor.editedFile.unsaved(set));
  tap(27);
  EXPECT_FALSE(app->editing());

  // A later run finds it by its name.
  TearDown();
  SetUp();
  tap('e');
  tap(CTRL_L);
  type("my caves\r");
  EXPECT_EQ(app->editor.status.message(), "loaded " + scratch.path() + "/share/orvane/levels/my caves.xml");
  EXPECT_EQ(app->editData.levels.size(), 3u);
  EXPECT_EQ(app->editData.levels[2].guid, "three");
}
