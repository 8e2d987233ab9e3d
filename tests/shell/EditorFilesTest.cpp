// The editing state's questions, saves and recovery, driven headless through
// the application's callbacks.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/AppFixture.h"

namespace {
struct EditorFiles : AppFixture {
  std::string campaign = readFixture("level/full_set.xml");  // count 5
  std::string logo = readFixture("level/fresh_saved.xml");   // count 1
  void prepareData() override {
    scratch.write("data/data.xml", campaign);
    scratch.write("data/logo.xml", logo);
  }
  void enter() {
    tap('e');
    ASSERT_TRUE(app->editing());
  }
  void ctrl(int code) {
    press(code);
    update();
    release(code);
    update();
  }
  void drawWall() {
    app->levelTool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));  // level points are window points
    press('w');
    update();
    app->mousePressed(10, 10, 0);
    app->mouseReleased(60, 10, 0);
    release('w');
    update();
  }
};
}  // namespace

TEST_F(EditorFiles, KeysTypedIntoAQuestionReachNothingElse) {
  enter();
  tap('$');
  ASSERT_TRUE(app->editor.prompt.isOpen());
  const bool gravity = app->editData.levels[0].gravity;
  for (int key : std::vector<int>{'w', '2', 257 /* F1 */, '>', 14 /* Ctrl+N */, 19 /* Ctrl+S */}) tap(key);
  type("\b\b\b\b\b");
  tap(27);  // Escape cancels the question and stays in the editor
  EXPECT_FALSE(app->editor.prompt.isOpen());
  EXPECT_TRUE(app->editing());
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->editData.levels.size(), 2u);
  EXPECT_EQ(app->editData.currentLevel, 0);
  EXPECT_EQ(app->editData.levels[0].gravity, gravity);
  EXPECT_FALSE(scratch.exists("data/save_6.xml"));
  EXPECT_EQ(app->levelTool.mapId, "");

  tap('$');
  type("fuel\r");
  EXPECT_EQ(app->levelTool.mapId, "fuel");
  EXPECT_FALSE(app->input.keyF || app->input.keyU || app->input.keyE || app->input.keyL);
}

TEST_F(EditorFiles, CtrlSWritesBackTheFileCtrlLLoadedAndNothingElse) {
  enter();
  ctrl(12);
  type("logo\r");
  EXPECT_EQ(app->editor.status.message(), "loaded data/logo.xml");
  EXPECT_FALSE(app->editor.editedFile.unsaved(app->editData));
  drawWall();
  EXPECT_TRUE(app->editor.editedFile.unsaved(app->editData));
  ctrl(19);
  const std::string said = app->editor.status.message();  // the checks may add their count
  EXPECT_EQ(said.rfind("saved data/logo.xml (copy save_2.xml)", 0), 0u) << said;
  EXPECT_FALSE(app->editor.editedFile.unsaved(app->editData));
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  EXPECT_FALSE(scratch.exists("data/save_6.xml"));
  EXPECT_NE(scratch.read("data/logo.xml").find("x1=\"10\" y1=\"10\" x2=\"60\""), std::string::npos);
  EXPECT_EQ(scratch.read("data/logo.xml"), scratch.read("data/save_2.xml"));
}

TEST_F(EditorFiles, QuittingWithUnsavedEditsKeepsThemForTheNextTime) {
  enter();
  app->exit();
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml")) << "nothing to keep";
  drawWall();
  testing::internal::CaptureStdout();
  app->exit();
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_NE(said.find("data/recovered_1.xml"), std::string::npos) << said;
  EXPECT_NE(scratch.read("data/recovered_1.xml").find("x1=\"10\" y1=\"10\""), std::string::npos);
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);

  // The next run, with data.xml older than what was kept.
  TearDown();
  SetUp();
  namespace fs = std::filesystem;
  const fs::path data = scratch.path() + "/data/data.xml";
  fs::last_write_time(data, fs::last_write_time(data) - std::chrono::seconds(10));
  enter();
  EXPECT_EQ(app->editor.status.message(), "unsaved edits of data.xml kept: Ctrl+L recovered");
  ctrl(12);
  type("recovered\r");
  EXPECT_TRUE(app->editor.editedFile.unsaved(app->editData));
  ctrl(19);
  EXPECT_NE(scratch.read("data/data.xml").find("x1=\"10\" y1=\"10\""), std::string::npos);
  tap(27);
  tap('e');
  EXPECT_EQ(app->editor.status.message().find("recovered"), std::string::npos) << "saved since";
}

// Escape keeps unsaved edits in their recovery copy before it leaves; when
// that copy cannot be written the window asks, and leaves only when told.
TEST_F(EditorFiles, LeavingWhenTheEditsCannotBeKeptAsksFirst) {
  enter();
  drawWall();
  namespace fs = std::filesystem;
  fs::create_directory(scratch.path() + "/data/recovered_1.xml");  // in the copy's way
  testing::internal::CaptureStdout();
  tap(27);
  EXPECT_TRUE(app->editing());
  ASSERT_TRUE(app->editor.question.isOpen());
  EXPECT_NE(app->editor.question.question().find("could not be kept"), std::string::npos);
  tap(27);  // stay
  EXPECT_TRUE(app->editing());
  EXPECT_FALSE(app->editor.question.isOpen());

  tap(27);
  tap('e');  // save them elsewhere
  ASSERT_TRUE(app->editor.prompt.isOpen());
  type(scratch.path() + "/kept\r");
  EXPECT_NE(scratch.read("kept.xml").find("x1=\"10\" y1=\"10\""), std::string::npos);
  EXPECT_FALSE(app->editor.editedFile.unsaved(app->editData));
  tap(27);
  EXPECT_FALSE(app->editing()) << "nothing unsaved: Escape leaves";

  enter();
  drawWall();
  tap(27);
  tap('l');  // leave without them
  update();
  EXPECT_FALSE(app->editing());
  testing::internal::GetCapturedStdout();
}

// Ctrl+S does not write over what was changed on disk since the load
// unasked; overwriting keeps the outside version as a numbered copy.
TEST_F(EditorFiles, CtrlSOverAFileChangedOnDiskAsksAndKeepsTheOutsideVersion) {
  enter();
  drawWall();
  const std::string byHand = campaign + "<!-- renamed by hand -->";
  scratch.write("data/data.xml", byHand);
  namespace fs = std::filesystem;
  const fs::path data = scratch.path() + "/data/data.xml";
  fs::last_write_time(data, fs::last_write_time(data) + std::chrono::seconds(5));
  ctrl(19);
  ASSERT_TRUE(app->editor.question.isOpen());
  tap(27);  // cancel
  EXPECT_EQ(scratch.read("data/data.xml"), byHand);
  ctrl(19);
  tap('o');
  EXPECT_NE(app->editor.status.message().find("the file on disk was kept as data/save_1.xml"),
            std::string::npos) << app->editor.status.message();
  EXPECT_EQ(scratch.read("data/save_1.xml"), byHand);
  EXPECT_NE(scratch.read("data/data.xml").find("x1=\"10\" y1=\"10\""), std::string::npos);
  ctrl(19);
  EXPECT_FALSE(app->editor.question.isOpen()) << "saved here since";
}

// About once a minute unsaved edits are written to their recovery copy, on
// a thread of their own.
TEST_F(EditorFiles, UnsavedEditsAreKeptEveryMinute) {
  enter();
  clock.advance(Autosave::intervalMs);
  update();
  app->editor.autosave.finish(app->editor.editedFile);
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml")) << "nothing unsaved";
  drawWall();
  clock.advance(Autosave::intervalMs - 100);
  update();
  app->editor.autosave.finish(app->editor.editedFile);
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml")) << "not a minute yet";
  clock.advance(100);
  update();
  app->editor.autosave.finish(app->editor.editedFile);
  EXPECT_NE(scratch.read("data/recovered_1.xml").find("x1=\"10\" y1=\"10\""), std::string::npos);
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
}
