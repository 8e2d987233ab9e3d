// Keys pressed and released between two updates, as a fast typist's are,
// driven through the application's callbacks.

#include <gtest/gtest.h>

#include "support/AppFixture.h"

namespace {
struct QuickTap : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void quickTap(int key) {
    press(key);
    release(key);
    update();
  }
};
}  // namespace

TEST_F(QuickTap, CtrlSAndTheLevelToolsConsoleKeysActOncePerTap) {
  tap('e');
  ASSERT_TRUE(app->editing());
  quickTap(19);
  update(3);
  EXPECT_EQ(app->editData.saveCount, 6);  // the fixture's count was 5
  EXPECT_FALSE(scratch.exists("data/save_7.xml"));

  quickTap('$');
  update(3);
  for (char key : std::string("dock\r")) quickTap(key);
  update(3);
  EXPECT_EQ(app->levelTool.mapId, "dock");
  EXPECT_FALSE(app->editor.prompt.isOpen()) << "asked twice";
}
