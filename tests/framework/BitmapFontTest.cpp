#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ofBitmapFont.h"

namespace {

constexpr int kRows = 14;

// Row r of a glyph (0 = bottom of the cell).
unsigned char row(int code, int r) { return ofBitmapFontGlyphs[code][1 + r]; }

// Lowest and highest rows holding a set pixel, or -1 for an empty glyph.
int lowestRow(int code) {
  for (int r = 0; r < kRows; ++r)
    if (row(code, r) != 0) return r;
  return -1;
}

int highestRow(int code) {
  for (int r = kRows - 1; r >= 0; --r)
    if (row(code, r) != 0) return r;
  return -1;
}

std::string label(int code) {
  return "code " + std::to_string(code) + " '" + std::string(1, static_cast<char>(code)) + "'";
}

}  // namespace

TEST(BitmapFont, AnchorGlyphsMatchByteForByte) {
  struct Case {
    int code;
    unsigned char bytes[15];
  };
  const Case cases[] = {
      {'A', {8, 0x00, 0x00, 0x00, 0x42, 0x42, 0x42, 0x7E, 0x42, 0x42, 0x42, 0x24, 0x18, 0x00, 0x00}},
      {'0', {8, 0x00, 0x00, 0x00, 0x18, 0x24, 0x42, 0x42, 0x42, 0x42, 0x42, 0x24, 0x18, 0x00, 0x00}},
      {'g', {8, 0x00, 0x3C, 0x42, 0x3C, 0x40, 0x38, 0x44, 0x44, 0x3A, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {' ', {8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases)
    for (int i = 0; i < 15; ++i)
      EXPECT_EQ(ofBitmapFontGlyphs[c.code][i], c.bytes[i]) << label(c.code) << ", byte " << i;
}

TEST(BitmapFont, EveryGlyphIsEightPixelsWide) {
  for (int code = 0; code < 256; ++code) EXPECT_EQ(ofBitmapFontGlyphs[code][0], 8) << "code " << code;
}

TEST(BitmapFont, SpaceDeleteAndHighControlCodesAreBlank) {
  std::vector<int> blank = {32, 127};
  for (int code = 128; code <= 159; ++code) blank.push_back(code);
  for (int code : blank) EXPECT_EQ(lowestRow(code), -1) << "code " << code << " has ink";
}

TEST(BitmapFont, PrintableAsciiGlyphsHaveInkAndAreAllDifferent) {
  for (int code = 33; code <= 126; ++code) {
    EXPECT_NE(lowestRow(code), -1) << label(code) << " is blank";
    for (int other = 33; other < code; ++other) {
      bool same = true;
      for (int r = 0; r < kRows && same; ++r) same = row(code, r) == row(other, r);
      EXPECT_FALSE(same) << label(code) << " draws the same as " << label(other);
    }
  }
}

TEST(BitmapFont, RightmostColumnStaysFreeSoCharactersNeverTouch) {
  for (int code = 33; code <= 126; ++code)
    for (int r = 0; r < kRows; ++r) EXPECT_EQ(row(code, r) & 0x01, 0) << label(code) << ", row " << r;
}

// Vertical extent of each class of character: the lowest and highest inked rows
// must be exactly these, so a glyph that is shifted, flipped upside down or
// loses its ascender or descender is caught.
TEST(BitmapFont, LettersAndDigitsSitOnTheBaselineWithTheRightExtent) {
  struct Case {
    const char* chars;
    int lowest;
    int highest;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 3, 11},  // capitals: baseline to cap height
      {"0123456789", 3, 11},                  // digits: same as capitals
      {"acemnorsuvwxz", 3, 8},                // x-height only
      {"bdfhklt", 3, 11},                     // ascenders
      {"gpqy", 1, 8},                         // descenders
      {"i", 3, 10},                           // dot above the x-height
      {"j", 1, 10},                           // dot and descender
  };
  for (const Case& c : cases)
    for (const char* p = c.chars; *p != '\0'; ++p) {
      const int code = static_cast<unsigned char>(*p);
      EXPECT_EQ(lowestRow(code), c.lowest) << label(code);
      EXPECT_EQ(highestRow(code), c.highest) << label(code);
    }
}

// Marks that belong low or high in the cell must stay there.
TEST(BitmapFont, PunctuationStaysInItsPartOfTheCell) {
  struct Case {
    char ch;
    int minRow;  // no ink below this row
    int maxRow;  // no ink above this row
  };
  const Case cases[] = {
      {'.', 3, 4}, {',', 1, 4}, {'_', 0, 2},  {'\'', 8, 11},
      {'"', 8, 11}, {'`', 8, 11}, {'^', 8, 11}, {'-', 5, 8},
  };
  for (const Case& c : cases) {
    const int code = static_cast<unsigned char>(c.ch);
    EXPECT_GE(lowestRow(code), c.minRow) << label(code);
    EXPECT_LE(highestRow(code), c.maxRow) << label(code);
  }
}
