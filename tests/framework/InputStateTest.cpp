#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/InputState.h"

namespace {
// One input event between frames; 'f' marks the end of a frame (the step
// that moves the current snapshot into the previous one).
struct Event {
  char kind;  // 'p' press key, 'r' release key, 'B' press button, 'b' release button, 'f' frame
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
      // The flag never shows a tap, but the frame after it sees it as the last key, once.
      {"tap between frames", {{'f', 0}, {'p', 'a'}, {'r', 'a'}}, false, false, 'a'},
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
