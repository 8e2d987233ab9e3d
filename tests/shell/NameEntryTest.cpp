#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/InputState.h"
#include "shell/NameEntry.h"

namespace {
constexpr int BS = 8;
constexpr int DEL = 127;

NameEntry typedWith(const std::vector<int>& keys) {
  NameEntry entry;
  for (int key : keys) entry.keyPressed(key);
  return entry;
}
}  // namespace

TEST(NameEntry, KeySequencesGiveTheName) {
  struct Case {
    const char* label;
    std::vector<int> keys;
    const char* name;
  };
  const Case cases[] = {
      {"letters are kept upper-case", {'a', 'b', 'c'}, "ABC"},
      {"a fourth letter finds no room", {'a', 'b', 'c', 'd'}, "ABC"},
      {"Backspace rubs out the last", {'a', 'b', BS, 'x'}, "AX"},
      {"Delete rubs out too", {'a', 'b', DEL, 'x'}, "AX"},
      {"nothing typed", {}, "YOU"},
      {"Backspace on nothing", {BS}, "YOU"},
      {"everything rubbed out", {'a', 'b', 'c', BS, BS, BS, BS}, "YOU"},
      {"room again after a rub-out", {'a', 'b', 'c', 'd', BS, 'z'}, "ABZ"},
      {"digits and either case", {'r', '2', 'D', '2'}, "R2D"},
      {"punctuation and space ignored", {'a', '-', 'b', '.', ' ', 'c', '!'}, "ABC"},
      {"Enter, Escape and Ctrl+S ignored", {'a', KEY_ENTER, KEY_ESCAPE, 19, 'b'}, "AB"},
      // Left is 256 + 'd' and F1 is 256 + 1: a special key is never a letter.
      {"special keys ignored", {'a', KEY_LEFT, KEY_F1, KEY_HOME}, "A"},
      {"bytes above ASCII ignored", {0xE9, 'e', 0xC9}, "E"},
  };
  for (const Case& c : cases) EXPECT_EQ(typedWith(c.keys).name(), c.name) << c.label;
}

TEST(NameEntry, TakesOnlyItsOwnKeys) {
  struct Case {
    std::vector<int> before;
    int key;
    bool taken;
    const char* typedAfter;
  };
  const Case cases[] = {
      {{'a'}, 'b', true, "AB"},
      {{'a'}, '7', true, "A7"},
      {{'a', 'b', 'c'}, 'd', true, "ABC"},  // the entry's key, though there is no room
      {{'a', 'b'}, BS, true, "A"},
      {{}, BS, true, ""},
      {{'a', 'b'}, DEL, true, "A"},
      {{'a', 'b'}, KEY_ENTER, false, "AB"},
      {{'a', 'b'}, KEY_ESCAPE, false, "AB"},
      {{'a', 'b'}, KEY_SPACE, false, "AB"},
      {{'a', 'b'}, '-', false, "AB"},
      {{'a', 'b'}, KEY_LEFT, false, "AB"},
      {{'a', 'b'}, 0, false, "AB"},
  };
  for (const Case& c : cases) {
    NameEntry entry = typedWith(c.before);
    EXPECT_EQ(entry.keyPressed(c.key), c.taken) << "key " << c.key;
    EXPECT_EQ(entry.typed(), c.typedAfter) << "key " << c.key;
  }
}

TEST(NameEntry, ClearStartsAnEmptyEntry) {
  NameEntry entry = typedWith({'a', 'b', 'c'});
  entry.clear();
  EXPECT_EQ(entry.name(), "YOU");
  entry.keyPressed('q');
  EXPECT_EQ(entry.name(), "Q");
}
