// A pad's controls turned into the keys of the snapshot: which key each
// control stands for, the stick's dead zone, and a pad and the keyboard
// holding the same key without cancelling each other.

#include <gtest/gtest.h>

#include <string>

#include "framework/InputState.h"
#include "platform/PadKeys.h"

namespace {
PadReading holding(PadReading::Control control) {
  PadReading pad;
  pad.held[control] = true;
  return pad;
}

// One frame of the application: the pad is read, then the frame ends.
void frame(PadKeys& keys, InputState& input, InputState& previous, const PadReading& pad,
           bool flying) {
  keys.apply(input, pad, flying);
  endFrame(input, previous);
}
}  // namespace

TEST(PadKeys, EachControlPressesItsKeyInFlightAndOnTheScreens) {
  struct Case {
    PadReading::Control control;
    bool flying;
    int key;  // 0: no key
  };
  const Case cases[] = {
      {PadReading::a, true, KEY_UP},
      {PadReading::a, false, KEY_ENTER},
      {PadReading::rightTrigger, true, KEY_UP},
      {PadReading::rightTrigger, false, 0},
      {PadReading::start, true, KEY_SPACE},
      {PadReading::start, false, KEY_ENTER},
      {PadReading::b, true, KEY_ESCAPE},
      {PadReading::b, false, KEY_ESCAPE},
      {PadReading::back, true, 'q'},
      {PadReading::back, false, 0},
      {PadReading::x, true, 'r'},
      {PadReading::x, false, 0},
      {PadReading::y, true, 'n'},
      {PadReading::y, false, 0},
      {PadReading::dpadUp, false, KEY_UP},
      {PadReading::dpadDown, false, KEY_DOWN},
      {PadReading::dpadLeft, true, KEY_LEFT},
      {PadReading::dpadRight, true, KEY_RIGHT},
  };
  for (const Case& c : cases) {
    const std::string label =
        "control " + std::to_string(c.control) + (c.flying ? " in flight" : " on a screen");
    PadKeys keys;
    InputState input, previous;
    frame(keys, input, previous, holding(c.control), c.flying);
    InputState expected;
    expected.lastKey = c.key ? c.key : -1;
    if (c.key) *expected.flagFor(c.key) = true;
    for (int code : {int{KEY_UP}, int{KEY_DOWN}, int{KEY_LEFT}, int{KEY_RIGHT}, int{KEY_ENTER},
                     int{KEY_ESCAPE}, int{KEY_SPACE}, int{'q'}, int{'r'}, int{'n'}}) {
      EXPECT_EQ(keyHeld(input, code), keyHeld(expected, code)) << label << ", key " << code;
    }
    EXPECT_EQ(input.lastKey, expected.lastKey) << label;

    frame(keys, input, previous, PadReading(), c.flying);
    EXPECT_FALSE(c.key && keyHeld(input, c.key)) << label << ": let go";
  }
}

TEST(PadKeys, TheStickTurnsInProportionOutsideTheDeadZone) {
  struct Case {
    int raw;
    float deflection;
  };
  const Case cases[] = {
      {0, 0},          {7999, 0},          {-7999, 0},       {padDeadZone, 8000 / 32767.0f},
      {16384, 0.5f},   {-16384, -0.5f},    {32767, 1},       {-32768, -1},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(padDeflection(c.raw), c.deflection, 1e-4) << c.raw;
    PadKeys keys;
    InputState input;
    PadReading pad;
    pad.turn = padDeflection(c.raw);
    keys.apply(input, pad, true);
    EXPECT_EQ(input.stickTurn, pad.turn) << c.raw;
    EXPECT_FALSE(input.keyLeft || input.keyRight) << "the stick presses no turn key";
  }
}

// A held A keeps Enter and presses on through two frames, as the title's
// start wants; only a new press in flight thrusts.
TEST(PadKeys, AControlHeldIntoFlightKeepsItsKeyUntilPressedAgain) {
  PadKeys keys;
  InputState input, previous;
  const PadReading a = holding(PadReading::a);
  frame(keys, input, previous, a, false);
  keys.apply(input, a, false);
  EXPECT_TRUE(input.lastKey == KEY_ENTER && previous.lastKey == KEY_ENTER);
  endFrame(input, previous);

  frame(keys, input, previous, a, true);  // the run has begun
  EXPECT_TRUE(input.keyEnter);
  EXPECT_FALSE(input.keyUp);
  frame(keys, input, previous, PadReading(), true);
  EXPECT_FALSE(input.keyEnter);
  frame(keys, input, previous, a, true);
  EXPECT_TRUE(input.keyUp);

  // The trigger stands for nothing on the screens: held into flight, it
  // thrusts only once pressed again.
  const PadReading trigger = holding(PadReading::rightTrigger);
  frame(keys, input, previous, PadReading(), true);
  frame(keys, input, previous, trigger, false);
  frame(keys, input, previous, trigger, true);
  EXPECT_FALSE(input.keyUp);
  frame(keys, input, previous, PadReading(), true);
  frame(keys, input, previous, trigger, true);
  EXPECT_TRUE(input.keyUp);
}

TEST(PadKeys, APadAndTheKeyboardHoldingOneKeyDoNotCancelEachOther) {
  struct Case {
    bool keyboardFirst;  // presses first; else the pad does
    bool keyboardLetsGoFirst;
  };
  const Case cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
  for (const Case& c : cases) {
    const std::string label = std::string(c.keyboardFirst ? "keyboard" : "pad") +
                              " presses first, " + (c.keyboardLetsGoFirst ? "keyboard" : "pad") +
                              " lets go first";
    PadKeys keys;
    InputState input, previous;
    PadReading pad = holding(PadReading::a);
    auto keyboardPress = [&] {
      input.pressKey(KEY_UP);
      keys.keyboardPressed(KEY_UP);
    };
    auto keyboardRelease = [&] {
      input.releaseKey(KEY_UP);
      keys.keyboardReleased(KEY_UP);
    };
    if (c.keyboardFirst) keyboardPress();
    frame(keys, input, previous, pad, true);
    if (!c.keyboardFirst) keyboardPress();
    frame(keys, input, previous, pad, true);

    auto letGo = [&](bool keyboard) {
      if (keyboard) {
        keyboardRelease();
      } else {
        pad = PadReading();
      }
      frame(keys, input, previous, pad, true);
    };
    letGo(c.keyboardLetsGoFirst);
    EXPECT_TRUE(input.keyUp) << label << ": the other still holds Up";
    letGo(!c.keyboardLetsGoFirst);
    EXPECT_FALSE(input.keyUp) << label << ": both let go";
  }
}

TEST(PadKeys, TwoControlsOnOneKeyHoldItUntilBothLetGo) {
  PadKeys keys;
  InputState input, previous;
  PadReading both = holding(PadReading::a);
  both.held[PadReading::rightTrigger] = true;
  frame(keys, input, previous, both, true);
  keys.apply(input, holding(PadReading::rightTrigger), true);
  EXPECT_TRUE(input.keyUp) << "the trigger still thrusts";
  EXPECT_EQ(input.lastKey, KEY_UP) << "nothing was released";
  endFrame(input, previous);
  frame(keys, input, previous, PadReading(), true);
  EXPECT_FALSE(input.keyUp);
}

TEST(PadKeys, AReadingWithoutPadsLetsEveryKeyGo) {
  PadKeys keys;
  InputState input, previous;
  PadReading pad = holding(PadReading::a);
  pad.held[PadReading::dpadLeft] = true;
  pad.held[PadReading::b] = true;
  pad.turn = -0.75f;
  frame(keys, input, previous, pad, true);
  keys.apply(input, PadReading(), true);
  EXPECT_FALSE(input.keyUp || input.keyLeft || input.keyEscape);
  EXPECT_EQ(input.stickTurn, 0);
}
