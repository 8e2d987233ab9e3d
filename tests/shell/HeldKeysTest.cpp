#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/InputState.h"
#include "shell/HeldKeys.h"

namespace {
// One key event and what HeldKeys should answer: a press (typed, taken as
// code) and whether it is a repeat; a release (typed) or releaseAll ('*')
// and the codes let go.
struct Step {
  char kind;  // 'p' press, 'r' release, '*' release all
  int typed;
  int code;
  bool repeat;
  std::vector<int> letGo;
};

Step press(int typed, int code) { return {'p', typed, code, false, {}}; }
Step press(int typed) { return press(typed, typed); }
Step repeat(int typed) { return {'p', typed, 0, true, {}}; }
Step release(int typed, std::vector<int> letGo) { return {'r', typed, 0, false, letGo}; }
Step releaseAll(std::vector<int> letGo) { return {'*', 0, 0, false, letGo}; }

struct Case {
  const char* name;
  std::vector<Step> steps;
};

void play(HeldKeys& keys, const Case& c) {
  for (size_t i = 0; i < c.steps.size(); ++i) {
    const Step& s = c.steps[i];
    const std::string where = std::string(c.name) + ", step " + std::to_string(i + 1);
    switch (s.kind) {
      case 'p': EXPECT_EQ(keys.press(s.typed, s.code), s.repeat) << where; break;
      case 'r': EXPECT_EQ(keys.release(s.typed), s.letGo) << where; break;
      case '*': EXPECT_EQ(keys.releaseAll(), s.letGo) << where; break;
    }
  }
}
}  // namespace

TEST(HeldKeys, AReleaseLetsGoOfWhatItsPressTook) {
  const Case cases[] = {
      {"as typed", {press('f'), release('f', {'f'})}},
      {"Shift pressed while f is held", {press('f'), release('F', {'f'})}},
      {"Caps Lock let go while F is held", {press('F'), release('f', {'F'})}},
      {"Ctrl let go before s", {press(19), release('s', {19})}},
      {"Shift let go before *", {press('*'), release('8', {'*'})}},
      {"Shift let go before |", {press('|'), release('\\', {'|'})}},
      {"Shift let go before ! (no flag)", {press('!'), release('1', {'!'})}},
      // Thrust bound to Left: Left is taken as Up, Up as Left (turn left).
      {"keys swapped by a binding",
       {press(KEY_UP, KEY_LEFT), press(KEY_LEFT, KEY_UP), release(KEY_LEFT, {KEY_UP}),
        release(KEY_UP, {KEY_LEFT})}},
      {"a binding's code, not the key's",
       {press(KEY_SPACE, KEY_ESCAPE), release(KEY_SPACE, {KEY_ESCAPE})}},
      {"a key never pressed", {release('x', {})}},
      {"a key released twice", {press('x'), release('x', {'x'}), release('x', {})}},
      {"two keys held, let go in turn",
       {press('a'), press('b'), release('a', {'a'}), release('b', {'b'})}},
  };
  for (const Case& c : cases) {
    const ofKeyboardLayout us = ofUsKeyboardLayout();
    HeldKeys keys(&us);
    play(keys, c);
  }
}

TEST(HeldKeys, TwoKeysHoldingOneCodeLetItGoWhenBothAreUp) {
  // w bound to thrust beside Up, which keeps its meaning.
  const Case cases[] = {
      {"the arrow first up",
       {press(KEY_UP), press('w', KEY_UP), release(KEY_UP, {}), release('w', {KEY_UP})}},
      {"the letter first up",
       {press(KEY_UP), press('w', KEY_UP), release('w', {}), release(KEY_UP, {KEY_UP})}},
      {"everything at once",
       {press('a'), press(KEY_UP), press('w', KEY_UP), releaseAll({'a', KEY_UP}), release('a', {}),
        release('w', {})}},
  };
  for (const Case& c : cases) {
    const ofKeyboardLayout us = ofUsKeyboardLayout();
    HeldKeys keys(&us);
    play(keys, c);
  }
}

TEST(HeldKeys, OnlyTheKeyPressedLastRepeats) {
  const Case cases[] = {
      {"a held key repeats",
       {press(KEY_F11), repeat(KEY_F11), repeat(KEY_F11), release(KEY_F11, {KEY_F11})}},
      {"and keeps its code",
       {press(KEY_UP, KEY_LEFT), repeat(KEY_UP), release(KEY_UP, {KEY_LEFT})}},
      {"Shift pressed during the repeat",
       {press('f'), repeat('f'), repeat('F'), release('F', {'f'})}},
      {"pressed again after its release", {press('f'), release('f', {'f'}), press('f')}},
      // The server repeats no key once the last one pressed is up.
      {"an earlier key after the last is up",
       {press('a'), press('b'), release('b', {'b'}), press('b'), release('b', {'b'}),
        release('a', {'a'})}},
      // a's release went to another window: the new press replaces it.
      {"a key whose release was lost",
       {press('a'), press('b'), press('a'), release('a', {'a'}), release('b', {'b'}),
        release('a', {})}},
      {"nothing repeats after everything is let go", {press('f'), releaseAll({'f'}), press('f')}},
      // Enter, Backspace and Tab type the Ctrl codes of m, h and i: a fast
      // typist's Enter while the last letter is still down is a press.
      {"Enter while m is held", {press('m'), press(KEY_ENTER), release('m', {'m'})}},
      {"Backspace while h is held", {press('h'), press(KEY_BACKSPACE)}},
      {"Ctrl+S held repeats", {press(19), repeat(19), release('s', {19})}},
  };
  for (const Case& c : cases) {
    const ofKeyboardLayout us = ofUsKeyboardLayout();
    HeldKeys keys(&us);
    play(keys, c);
  }
}

TEST(HeldKeys, AReleaseTypedAsAPressGoesToThatKey) {
  // '*' on Shift+8 and on a key of its own (the keypad's).
  ofKeyboardLayout layout;
  layout.addKey({'8', '*'});
  layout.addKey({'*'});
  layout.addKey({'a'});
  HeldKeys keys(&layout);
  play(keys, {"keypad * and 8",
              {press('*', 1), press('a'), press('8', 2), release('*', {1}), release('8', {2}),
               release('a', {'a'})}});
}
