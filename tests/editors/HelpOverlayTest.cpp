// The F2 help: every mode's keys fit the game's window, line by line.

#include <gtest/gtest.h>

#include <string>

#include "editors/HelpOverlay.h"

namespace {
constexpr int width = 530, height = 370;
constexpr float glyphWidth = 8, glyphHeight = 14;

bool mentions(int mode, const std::string& keys) {
  for (const HelpGroup& group : helpGroups(mode)) {
    for (const HelpKey& key : group.keys) {
      if (keys == key.keys) return true;
    }
  }
  return false;
}
}  // namespace

TEST(HelpOverlay, EveryLineOfEveryModeFitsTheWindowWithoutOverlapping) {
  for (int mode = 0; mode < 3; ++mode) {
    const std::vector<HelpLine> lines = helpLayout(mode, width, height);
    ASSERT_GT(lines.size(), 10u) << mode;
    for (size_t i = 0; i < lines.size(); ++i) {
      const HelpLine& a = lines[i];
      const float right = a.x + glyphWidth * a.text.size();
      EXPECT_LE(right, width) << mode << ": " << a.text;
      EXPECT_LE(a.y, height) << mode << ": " << a.text;
      EXPECT_GE(a.y - glyphHeight, 0) << mode << ": " << a.text;
      for (size_t j = 0; j < i; ++j) {
        const HelpLine& b = lines[j];
        const bool sameRows = a.y - b.y < glyphHeight - 1 && b.y - a.y < glyphHeight - 1;
        const bool sameColumns = a.x < b.x + glyphWidth * b.text.size() && b.x < right;
        EXPECT_FALSE(sameRows && sameColumns) << mode << ": \"" << a.text << "\" on \"" << b.text << "\"";
      }
    }
  }
}

TEST(HelpOverlay, EachModeListsItsOwnKeys) {
  struct Case {
    int mode;
    const char* keys;
    bool listed;
  };
  const Case cases[] = {
      {0, "space", true}, {0, "g / Escape", true}, {0, "F2", true}, {0, "F3", false},
      {1, "g", true},     {1, "F2 / F3", true}, {1, "s / S drag", true}, {1, "c drag", true},
      {2, "F3", true},    {2, "F4", true}, {2, "g", false}, {2, "* / |", true},
  };
  for (const Case& c : cases) EXPECT_EQ(mentions(c.mode, c.keys), c.listed) << c.mode << " " << c.keys;
  EXPECT_TRUE(helpGroups(3).empty());
}
