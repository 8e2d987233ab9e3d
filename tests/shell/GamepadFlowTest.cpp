// A gamepad as the player uses it, through a scripted pad in SDL's virtual
// joystick driver, with the application driven headless update by update:
// A held on the title starts a run, the stick turns, A and the trigger
// thrust, Start pauses, the d-pad and A choose a practice level, and a pad
// plugged in or pulled out mid-run is taken into account.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "framework/InputState.h"
#include "support/AppFixture.h"
#include "support/VirtualPad.h"

namespace {
// The play fixture's one level, without gravity: the ship stays where it is
// until it is flown.
struct PadFlow : AppFixture {
  VirtualPad pad;  // made before SetUp: SDL is started before the application

  void prepareData() override { scratch.write("data/data.xml", readFixture("play/data.xml")); }

  // A held through the title's two updates, as Enter is, then the fade to
  // the run.
  void startRunWithA() {
    pad.press(SDL_CONTROLLER_BUTTON_A);
    update();
    EXPECT_FALSE(app->fading()) << "a single update is not yet a hold";
    update();
    ASSERT_TRUE(app->fading()) << "A held through two updates starts the fade";
    pad.release(SDL_CONTROLLER_BUTTON_A);
    for (int i = 0; i < 100 && !app->playing(); ++i) update();
    ASSERT_TRUE(app->playing());
  }
  // Frames until the ship's turn has died away.
  void settle() { update(60); }
  // How far the ship turns in 30 frames of a stick push from rest.
  float turnOfStick(int push) {
    settle();
    const float before = app->game.angle;
    pad.push(SDL_CONTROLLER_AXIS_LEFTX, push);
    update(30);
    pad.push(SDL_CONTROLLER_AXIS_LEFTX, 0);
    return app->game.angle - before;
  }
};

struct PluggedInAtStart : PadFlow {
  void SetUp() override {
    ASSERT_TRUE(pad.plugIn());
    PadFlow::SetUp();
  }
};

// Both reached levels of the practice fixture listed on 'l'.
struct PadOnTheList : PluggedInAtStart {
  void prepareData() override {
    scratch.write("data/data.xml", readFixture("practice/data.xml"));
    std::filesystem::create_directories(scratch.path() + "/share/orvane");
    scratch.write("share/orvane/progress.xml",
                  "<Progress version=\"1\"><Reached guid=\"first\"></Reached>"
                  "<Reached guid=\"second\"></Reached></Progress>");
  }
};
}  // namespace

TEST_F(PluggedInAtStart, APadStartsARunAndItsStickTurnsInProportionAsTheKeysDo) {
  startRunWithA();

  settle();
  const float before = app->game.angle;
  press(KEY_LEFT);
  update(30);
  release(KEY_LEFT);
  const float byKey = app->game.angle - before;
  ASSERT_LT(byKey, -50);

  struct Case {
    int push;
    float ofTheKey;
  };
  const Case cases[] = {{-32767, 1}, {-16384, 0.5f}, {16384, -0.5f}, {32767, -1}, {-4000, 0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(turnOfStick(c.push), byKey * c.ofTheKey, 0.02f * std::fabs(byKey)) << c.push;
  }
}

TEST_F(PluggedInAtStart, AOrTheRightTriggerThrusts) {
  startRunWithA();
  struct Case {
    const char* what;
    void (*hold)(VirtualPad&);
    void (*letGo)(VirtualPad&);
  };
  const Case cases[] = {
      {"A", [](VirtualPad& p) { p.press(SDL_CONTROLLER_BUTTON_A); },
       [](VirtualPad& p) { p.release(SDL_CONTROLLER_BUTTON_A); }},
      {"the right trigger", [](VirtualPad& p) { p.push(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767); },
       [](VirtualPad& p) { p.push(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0); }},
  };
  for (const Case& c : cases) {
    const float fuel = app->game.fuel;
    const ofxVec2f pos = app->game.pos;
    c.hold(pad);
    update(20);
    c.letGo(pad);
    update();
    EXPECT_NEAR(app->game.fuel, fuel - 0.2f, 1e-3) << c.what << " burns fuel while held";
    EXPECT_GT(app->game.pos.distance(pos), 1) << c.what << " moves the ship";
    update(5);
    EXPECT_NEAR(app->game.fuel, fuel - 0.2f, 1e-3) << c.what << " let go: no more thrust";
  }
}

TEST_F(PluggedInAtStart, StartPausesAndResumesAndBackThenLeavesThePausedRun) {
  startRunWithA();
  for (bool pausedAfter : {true, false, true}) {
    pad.press(SDL_CONTROLLER_BUTTON_START);
    update();
    pad.release(SDL_CONTROLLER_BUTTON_START);
    update();
    EXPECT_EQ(app->game.paused, pausedAfter);
  }
  pad.press(SDL_CONTROLLER_BUTTON_BACK);
  update();
  EXPECT_FALSE(app->playing()) << "back to the title";
}

TEST_F(PluggedInAtStart, APadLettingGoLeavesAKeyTheKeyboardHolds) {
  startRunWithA();
  press(KEY_UP);
  update();
  pad.press(SDL_CONTROLLER_BUTTON_A);
  update();
  pad.release(SDL_CONTROLLER_BUTTON_A);
  update();
  const float fuel = app->game.fuel;
  update(10);
  EXPECT_NEAR(app->game.fuel, fuel - 0.1f, 1e-3) << "Up on the keyboard still thrusts";
  release(KEY_UP);
  update();
  EXPECT_FALSE(app->input.keyUp);
}

TEST_F(PluggedInAtStart, APadPulledOutMidRunLeavesNothingHeld) {
  startRunWithA();
  pad.press(SDL_CONTROLLER_BUTTON_A);
  pad.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  pad.push(SDL_CONTROLLER_AXIS_LEFTX, 32767);
  update(5);
  ASSERT_TRUE(app->input.keyUp && app->input.keyDown);
  pad.pullOut();
  update();
  EXPECT_EQ(app->gamepad.count(), 0);
  EXPECT_FALSE(app->input.keyUp || app->input.keyDown);
  EXPECT_EQ(app->input.stickTurn, 0);
  settle();
  const float fuel = app->game.fuel;
  const float angle = app->game.angle;
  update(10);
  EXPECT_EQ(app->game.fuel, fuel) << "no thrust";
  EXPECT_NEAR(app->game.angle, angle, 1e-3) << "no turn";
}

TEST_F(PadFlow, APadPluggedInDuringARunIsPickedUp) {
  press(KEY_ENTER);
  update(2);
  release(KEY_ENTER);
  for (int i = 0; i < 100 && !app->playing(); ++i) update();
  ASSERT_TRUE(app->playing());
  EXPECT_EQ(app->gamepad.count(), 0);

  ASSERT_TRUE(pad.plugIn());
  update();
  EXPECT_EQ(app->gamepad.count(), 1);
  const float fuel = app->game.fuel;
  pad.press(SDL_CONTROLLER_BUTTON_A);
  update(10);
  EXPECT_NEAR(app->game.fuel, fuel - 0.1f, 1e-3) << "its A thrusts";
}

TEST_F(PadOnTheList, TheDpadChoosesAPracticeLevelAndAStartsItWhileBGoesBack) {
  tap('l');
  ASSERT_TRUE(app->choosingLevel());
  auto padTap = [&](SDL_GameControllerButton button) {
    pad.press(button);
    update();
    pad.release(button);
    update();
  };
  padTap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(app->levelList.selected, 1);
  padTap(SDL_CONTROLLER_BUTTON_DPAD_UP);
  padTap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  padTap(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(app->choosingLevel()) << "B is Escape: back to the title";

  tap('l');
  ASSERT_TRUE(app->choosingLevel());
  EXPECT_EQ(app->levelList.chosen(), "second");
  padTap(SDL_CONTROLLER_BUTTON_A);
  for (int i = 0; i < 100 && !app->playing(); ++i) update();
  ASSERT_TRUE(app->playing());
  EXPECT_EQ(app->practiceLevel, "second");
}

TEST_F(PadOnTheList, WhilePausedXGoesBackToTheCheckpointAndYFliesTheLevelAgain) {
  tap('l');
  tap(KEY_DOWN);
  tap(KEY_ENTER);
  for (int i = 0; i < 100 && !app->playing(); ++i) update();
  ASSERT_EQ(app->practiceLevel, "second");
  auto padTap = [&](SDL_GameControllerButton button) {
    pad.press(button);
    update();
    pad.release(button);
    update();
  };
  update(60);
  app->game.pos = ofxVec2f(100, 300);
  padTap(SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(app->game.pos.x, 100) << "flying, X does nothing";
  padTap(SDL_CONTROLLER_BUTTON_START);
  ASSERT_TRUE(app->game.paused);
  padTap(SDL_CONTROLLER_BUTTON_X);
  EXPECT_FALSE(app->game.paused);
  EXPECT_EQ(app->game.pos.x, 240) << "at the level's start, its checkpoint";
  EXPECT_GT(app->game.playTime, 0.9f);

  padTap(SDL_CONTROLLER_BUTTON_START);
  padTap(SDL_CONTROLLER_BUTTON_Y);
  EXPECT_FALSE(app->game.paused);
  EXPECT_EQ(app->practiceLevel, "second");
  EXPECT_LT(app->game.playTime, 0.1f) << "the level flown again from its start";
}
