#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/InputState.h"

namespace {
// One input event between frames; 'f' marks the end of a frame (the step
// that moves the current snapshot into the previous one).
struct Event {
  // 'p' press key, 'r' release key, 'a' release all, 'B' press button,
  // 'b' release button, 'f' frame
  char kind;
  int code;
};

struct Frames {
  InputState current, previous;
  void run(const std::vector<Event>& events) {
    current.reset();
    previous = current;
    for (const Event& e : events) {
      switch (e.kind) {
        case 'p': current.pressKey(e.code); break;
        case 'r': current.releaseKey(e.code); break;
        case 'B': current.pressButton(e.code, 3, 4); break;
        case 'b': current.releaseButton(e.code, 5, 6); break;
        case 'f': endFrame(current, previous); break;
      }
    }
  }
};
}  // namespace

TEST(InputState, EveryFlaggedKeyCodeSetsExactlyOneFlag) {
  std::vector<int> codes = {357, 358, 359, 356, 27, 32, 13, 362, '-', '*', '|'};
  for (int f = 257; f <= 268; ++f) codes.push_back(f);
  for (int c = 'a'; c <= 'z'; ++c) codes.push_back(c);
  for (int c = '0'; c <= '9'; ++c) codes.push_back(c);
  ASSERT_EQ(codes.size(), 59u);
  for (int code : codes) {
    InputState s;
    s.reset();
    s.pressKey(code);
    int set = 0;
    for (int other : codes) set += keyHeld(s, other) ? 1 : 0;
    EXPECT_EQ(set, 1) << code;
    EXPECT_TRUE(keyHeld(s, code)) << code;
  }
}

TEST(InputState, CodesWithoutFlagsOnlyChangeTheLastKey) {
  for (int code : {int{'A'}, 19, 12, int{'$'}, 360, 127, 0}) {
    InputState s;
    s.reset();
    s.pressKey(code);
    EXPECT_EQ(s.lastKey, code);
    EXPECT_EQ(s.flagFor(code), nullptr) << code;
  }
}

TEST(InputState, EventSequencesAsTheReadersSeeThem) {
  struct Case {
    const char* name;
    std::vector<Event> events;
    bool aHeld, aWentDown;
    int lastKey;
  };
  const Case cases[] = {
      {"press between frames", {{'f', 0}, {'p', 'a'}}, true, true, 'a'},
      {"held over a frame", {{'p', 'a'}, {'f', 0}}, true, false, 'a'},
      // The frame after a tap sees it held and as the last key, once.
      {"tap between frames", {{'f', 0}, {'p', 'a'}, {'r', 'a'}}, true, true, 'a'},
      {"the frame after a tap", {{'p', 'a'}, {'r', 'a'}, {'f', 0}}, false, false, -1},
      {"release of a seen key clears lastKey", {{'p', 'a'}, {'p', 'b'}, {'f', 0}, {'r', 'b'}},
       true, false, -1},
      {"release of another key waits for the frame", {{'p', 'b'}, {'f', 0}, {'p', 'a'}, {'r', 'b'}},
       true, true, 'a'},
      {"and then clears lastKey", {{'p', 'b'}, {'f', 0}, {'p', 'a'}, {'r', 'b'}, {'f', 0}},
       true, false, -1},
      {"a later press replaces a tap", {{'p', 'b'}, {'r', 'b'}, {'p', 'a'}}, true, true, 'a'},
      {"shifted release leaves the flag", {{'p', 'a'}, {'f', 0}, {'r', 'A'}}, true, false, -1},
      {"key repeat keeps the flag", {{'p', 'a'}, {'f', 0}, {'p', 'a'}}, true, false, 'a'},
      {"key repeat as release and press", {{'p', 'a'}, {'f', 0}, {'r', 'a'}, {'p', 'a'}},
       true, false, 'a'},
  };
  for (const Case& c : cases) {
    Frames f;
    f.run(c.events);
    EXPECT_EQ(f.current.keyA, c.aHeld) << c.name;
    EXPECT_EQ(keyWentDown(f.current, f.previous, 'a'), c.aWentDown) << c.name;
    EXPECT_EQ(f.current.lastKey, c.lastKey) << c.name;
  }
}

namespace {
// What the frames see of key a: at each 'f' event, before the snapshot moves
// on, '-' not held, 'D' held and went down, 'H' held since before.
std::string framesSeeA(const std::vector<Event>& events) {
  InputState current, previous;
  std::string seen;
  for (const Event& e : events) {
    switch (e.kind) {
      case 'p': current.pressKey(e.code); break;
      case 'r': current.releaseKey(e.code); break;
      case 'a': current.releaseAll(); break;
      case 'f':
        seen += !current.keyA ? '-' : keyWentDown(current, previous, 'a') ? 'D' : 'H';
        endFrame(current, previous);
        break;
    }
  }
  return seen;
}
}  // namespace

TEST(InputState, AKeyTappedBetweenFramesIsHeldForExactlyOneFrame) {
  struct Case {
    const char* name;
    std::vector<Event> events;
    const char* seen;
  };
  const Case cases[] = {
      {"tap", {{'f', 0}, {'p', 'a'}, {'r', 'a'}, {'f', 0}, {'f', 0}}, "-D-"},
      {"taps in two frames running",
       {{'p', 'a'}, {'r', 'a'}, {'f', 0}, {'p', 'a'}, {'r', 'a'}, {'f', 0}, {'f', 0}},
       "DD-"},
      {"two taps before one frame",
       {{'p', 'a'}, {'r', 'a'}, {'p', 'a'}, {'r', 'a'}, {'f', 0}, {'f', 0}},
       "D-"},
      {"a tap and a press again", {{'p', 'a'}, {'r', 'a'}, {'p', 'a'}, {'f', 0}, {'f', 0}}, "DH"},
      {"a release the frame has seen lets go at once",
       {{'p', 'a'}, {'f', 0}, {'r', 'a'}, {'f', 0}},
       "D-"},
      {"a tap released in capitals stays held", {{'p', 'a'}, {'r', 'A'}, {'f', 0}, {'f', 0}}, "DH"},
      {"a tap of another key leaves a alone",
       {{'p', 'a'}, {'f', 0}, {'p', 'b'}, {'r', 'b'}, {'f', 0}},
       "DH"},
      {"everything let go, seen", {{'p', 'a'}, {'f', 0}, {'a', 0}, {'f', 0}}, "D-"},
      {"everything let go, a tapped", {{'p', 'a'}, {'a', 0}, {'f', 0}, {'f', 0}}, "D-"},
      {"a pressed again after everything",
       {{'p', 'a'}, {'a', 0}, {'p', 'a'}, {'f', 0}, {'f', 0}},
       "DH"},
  };
  for (const Case& c : cases) EXPECT_EQ(framesSeeA(c.events), c.seen) << c.name;
}

TEST(InputState, EveryKeyFlagLatchesATap) {
  InputState probe;
  for (int code = 0; code < 512; ++code) {
    if (!probe.flagFor(code)) continue;
    Frames f;
    f.run({{'f', 0}, {'p', code}, {'r', code}});
    EXPECT_TRUE(keyHeld(f.current, code)) << code;
    EXPECT_TRUE(keyWentDown(f.current, f.previous, code)) << code;
    endFrame(f.current, f.previous);
    EXPECT_FALSE(keyHeld(f.current, code)) << code;
    EXPECT_FALSE(keyWentDown(f.current, f.previous, code)) << code;
  }
}

TEST(InputState, ReleaseAllLetsGoOfKeysButtonsAndTheLastKey) {
  Frames f;
  // Up and the left button held over a frame, 'A' (no flag) too, the right
  // button pressed since.
  f.run({{'p', KEY_UP}, {'B', 0}, {'p', 'A'}, {'f', 0}, {'B', 2}});
  f.current.releaseAll();
  EXPECT_FALSE(f.current.keyUp);
  EXPECT_FALSE(f.current.mouseLeft);
  EXPECT_FALSE(f.current.mouseRight);
  EXPECT_EQ(f.current.lastKey, -1);
  EXPECT_EQ(f.current.mouseX, 3);
}

TEST(InputState, CodeWentDownFiresOncePerPress) {
  struct Case {
    const char* name;
    std::vector<Event> events;
    bool wentDown;
  };
  // Ctrl+S = 19; freeglut repeats a held key as a release and a press.
  const Case cases[] = {
      {"pressed", {{'f', 0}, {'p', 19}}, true},
      {"held", {{'p', 19}, {'f', 0}}, false},
      {"held with key repeat", {{'p', 19}, {'f', 0}, {'p', 19}}, false},
      {"held with release-press repeat", {{'p', 19}, {'f', 0}, {'r', 19}, {'p', 19}}, false},
      {"tapped between frames", {{'f', 0}, {'p', 19}, {'r', 19}}, true},
      {"the frame after the tap", {{'p', 19}, {'r', 19}, {'f', 0}}, false},
      {"tapped in two frames running", {{'p', 19}, {'r', 19}, {'f', 0}, {'p', 19}, {'r', 19}}, true},
      {"released", {{'p', 19}, {'f', 0}, {'r', 19}}, false},
  };
  for (const Case& c : cases) {
    Frames f;
    f.run(c.events);
    EXPECT_EQ(codeWentDown(f.current, f.previous, 19), c.wentDown) << c.name;
  }
  // A reset snapshot never matches code 0.
  InputState reset;
  reset.reset();
  EXPECT_FALSE(codeWentDown(reset, reset, 0));
  EXPECT_EQ(reset.lastKey, -1);
}

TEST(InputState, MouseButtons) {
  Frames f;
  f.run({{'B', 0}, {'B', 2}, {'B', 4}, {'f', 0}, {'b', 2}});
  EXPECT_TRUE(f.current.mouseLeft);
  EXPECT_FALSE(f.current.mouseRight);
  EXPECT_TRUE(f.previous.mouseRight);
  EXPECT_FALSE(f.current.mouseMiddle);
  EXPECT_EQ(f.current.mouseX, 5);

  f.run({{'f', 0}, {'B', 1}, {'b', 1}});
  EXPECT_FALSE(f.current.mouseMiddle);
  EXPECT_FALSE(f.previous.mouseMiddle);
}
