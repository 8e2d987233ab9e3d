#include <gtest/gtest.h>

#include <vector>

#include "framework/InputState.h"
#include "framework/ofKeyboardLayout.h"

// Last: Xlib's macros (None, Bool) would clash with gtest's names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
struct Pair {
  int a, b;
  bool same;
};

void expectPairs(const ofKeyboardLayout& layout, const std::vector<Pair>& pairs, const char* what) {
  for (const Pair& p : pairs) {
    EXPECT_EQ(layout.sameKey(p.a, p.b), p.same) << what << ": " << p.a << " and " << p.b;
    EXPECT_EQ(layout.sameKey(p.b, p.a), p.same) << what << ": " << p.b << " and " << p.a;
  }
}

// What a US keyboard's main block makes, whichever way the layout was read.
const std::vector<Pair> usMainBlock = {
    {'f', 'F', true},         {'8', '*', true},          {'\\', '|', true},
    {'1', '!', true},         {'/', '?', true},          {'\'', '"', true},
    {'s', 19, true},          {'S', 19, true},           {'f', 'g', false},
    {'8', '(', false},        {'*', '|', false},         {'!', '@', false},
    {KEY_UP, KEY_UP, true},   {KEY_UP, KEY_LEFT, false}, {KEY_ESCAPE, 'a', false},
    {KEY_F1, KEY_F11, false},
};
}  // namespace

TEST(KeyboardLayout, WithoutAServerTheUsKeyboardsPairsAreOneKey) {
  expectPairs(ofUsKeyboardLayout(), usMainBlock, "US");
  expectPairs(ofReadKeyboardLayout(nullptr), usMainBlock, "no display");
}

TEST(KeyboardLayout, ACharacterOnTwoKeysMatchesBoth) {
  ofKeyboardLayout layout;
  layout.addKey({'8', '*'});
  layout.addKey({'*'});
  layout.addKey({KEY_HOME, '7'});
  layout.addKey({'7', '&'});
  expectPairs(layout,
              {{'8', '*', true},
               {'7', '&', true},
               {'7', KEY_HOME, true},
               {'&', KEY_HOME, false},
               {'8', '7', false}},
              "two keys");
}

TEST(KeyboardLayout, TheServersMapIsRead) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) GTEST_SKIP() << "no X server";
  const ofKeyboardLayout server = ofReadKeyboardLayout(d);
  expectPairs(server, usMainBlock, "the server's US map");
  // The keypad: 7 and Home, 4 and Left, the decimal point and Delete.
  expectPairs(server, {{'7', KEY_HOME, true}, {'4', KEY_LEFT, true}, {'.', 256 + 111, true}},
              "the server's keypad");

  // A key the map leaves empty, given two signs a US keyboard has nowhere.
  int first = 0, last = 0, perKey = 0;
  XDisplayKeycodes(d, &first, &last);
  KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(first), last - first + 1, &perKey);
  ASSERT_NE(syms, nullptr);
  int empty = -1;
  for (int key = last - first; key >= 0 && empty < 0; --key) {
    bool none = true;
    for (int level = 0; level < perKey; ++level)
      none = none && syms[key * perKey + level] == NoSymbol;
    if (none) empty = first + key;
  }
  XFree(syms);
  ASSERT_GE(empty, 0) << "no empty key in the server's map";
  KeySym signs[] = {XK_section, XK_degree};
  XChangeKeyboardMapping(d, empty, 2, signs, 1);
  const ofKeyboardLayout changed = ofReadKeyboardLayout(d);
  KeySym nothing[] = {NoSymbol, NoSymbol};
  XChangeKeyboardMapping(d, empty, 2, nothing, 1);
  XCloseDisplay(d);
  EXPECT_TRUE(changed.sameKey(XK_section, XK_degree));
  EXPECT_FALSE(ofUsKeyboardLayout().sameKey(XK_section, XK_degree));
}
