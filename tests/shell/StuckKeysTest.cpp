// Keys that never stick: whatever Shift, Caps Lock, a rebinding, key repeat
// or the window losing focus do between a press and its release, the
// release lets go of exactly what the press took.

#include <gtest/gtest.h>

#include "support/AppFixture.h"

namespace {
struct StuckKeys : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  // The flags the game reads that are held now.
  std::string held() const {
    std::string names;
    const InputState& in = app->input;
    const struct {
      const char* name;
      bool flag;
    } flags[] = {{"up ", in.keyUp}, {"left ", in.keyLeft},   {"right ", in.keyRight},
                 {"f ", in.keyF},   {"* ", in.keyAsterisk}, {"8 ", in.key8},
                 {"mouse ", in.mouseLeft}};
    for (const auto& f : flags) {
      if (f.flag) names += f.name;
    }
    return names;
  }
};
}  // namespace

TEST_F(StuckKeys, InARunAReleaseLetsGoOfWhatItsPressTook) {
  startRun();
  // Shift goes down after f: the release arrives as 'F'.
  press('f');
  update();
  release('F');
  update(2);
  EXPECT_EQ(held(), "");
  EXPECT_FALSE(app->game.report().helped) << "the ship is no longer stopped";

  // Thrust bound to Left, so turn-left moves to Up.
  app->settings.keys.bind(KeyBindings::thrust, KEY_LEFT);
  press(KEY_UP);
  update();
  EXPECT_EQ(held(), "left ");
  press(KEY_LEFT);
  update();
  EXPECT_EQ(held(), "up left ");
  release(KEY_LEFT);
  update();
  EXPECT_EQ(held(), "left ") << "Up still holds turn-left";
  release(KEY_UP);
  update();
  EXPECT_EQ(held(), "");
}

TEST_F(StuckKeys, LosingTheWindowLetsGoOfEverythingHeld) {
  startRun();
  press(KEY_UP);
  press('f');
  app->mousePressed(10, 10, 0);
  update();
  ASSERT_EQ(held(), "up f mouse ");
  app->windowFocusLost();
  update();
  EXPECT_EQ(held(), "");
  // The releases the window never heard change nothing when they come.
  release(KEY_UP);
  release('f');
  press(KEY_UP);
  update();
  EXPECT_EQ(held(), "up ");
}

TEST_F(StuckKeys, F11TogglesOncePerPressNotOnEveryRepeat) {
  const bool before = app->settings.fullscreen;
  for (int i = 0; i < 4; ++i) press(KEY_F11);  // held: the keyboard repeats
  release(KEY_F11);
  update();
  EXPECT_NE(app->settings.fullscreen, before);
  tap(KEY_F11);
  EXPECT_EQ(app->settings.fullscreen, before);
}

TEST_F(StuckKeys, AStarTypedWithShiftLetGoFirstEndsItsGestureInTheModelTool) {
  tap('e');
  tap(KEY_F1);
  ASSERT_EQ(app->editor.mode, EditingState::MODEL_TOOL);
  Model& model = app->editData.models[0];
  const size_t frames = model.frames.size();
  // Shift+8 types '*'; Shift is let go before the key, which comes up as '8'.
  press('*');
  update();
  release('8');
  update();
  EXPECT_EQ(held(), "");
  tap('*');
  ASSERT_EQ(model.frames.size(), frames + 2) << "each '*' adds a frame";
  tap(26);  // Ctrl+Z
  EXPECT_EQ(model.frames.size(), frames + 1) << "one undo takes back one gesture";
}
