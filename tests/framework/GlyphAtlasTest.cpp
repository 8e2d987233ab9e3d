#include "framework/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Whether two boxes come closer than `spacing` texels.
bool tooClose(const GlyphBox& a, const AtlasSpot& p, const GlyphBox& b, const AtlasSpot& q, int spacing) {
  return p.x < q.x + b.width + spacing && q.x < p.x + a.width + spacing &&
         p.y < q.y + b.height + spacing && q.y < p.y + a.height + spacing;
}

// Glyph-like boxes: widths and heights cycling through a font's spread.
std::vector<GlyphBox> glyphLike(int count, int base) {
  std::vector<GlyphBox> boxes;
  for (int i = 0; i < count; ++i) boxes.push_back({base + (i * 7) % 5, base + (i * 11) % 9});
  return boxes;
}
}  // namespace

TEST(GlyphAtlas, BoxesLieApartInsideAPowerOfTwoTextureOfLittleWaste) {
  struct Case {
    std::string name;
    std::vector<GlyphBox> boxes;
    int spacing, maxSide;
  };
  const Case cases[] = {
      {"one box", {{13, 19}}, 3, 4096},
      {"empty glyphs", {{0, 0}, {0, 0}, {5, 0}}, 3, 4096},
      {"the title's 95", glyphLike(95, 6), 3, 4096},
      {"play's 256", glyphLike(256, 6), 3, 4096},
      {"a large face", glyphLike(256, 60), 3, 4096},
      {"one wide among narrow", {{200, 8}, {5, 5}, {5, 9}, {7, 3}}, 3, 4096},
      {"just fits", {{64, 64}, {64, 64}, {64, 64}, {64, 64}}, 0, 128},
      {"just fits with spacing", {{60, 60}, {60, 61}, {61, 60}, {60, 60}}, 2, 128},
  };
  for (const Case& c : cases) {
    const GlyphAtlasLayout layout = packGlyphBoxes(c.boxes, c.spacing, c.maxSide);
    ASSERT_EQ(layout.spots.size(), c.boxes.size()) << c.name;
    EXPECT_TRUE(powerOfTwo(layout.width) && powerOfTwo(layout.height)) << c.name;
    EXPECT_LE(layout.width, c.maxSide) << c.name;
    EXPECT_LE(layout.height, c.maxSide) << c.name;
    const int s = c.spacing;
    long area = 0;  // of the boxes with their spacing
    for (size_t i = 0; i < c.boxes.size(); ++i) {
      const GlyphBox& b = c.boxes[i];
      const AtlasSpot& p = layout.spots[i];
      area += static_cast<long>(b.width + s) * (b.height + s);
      EXPECT_TRUE(p.x >= s && p.y >= s && p.x + b.width + s <= layout.width &&
                  p.y + b.height + s <= layout.height)
          << c.name << ": box " << i;
      for (size_t j = 0; j < i; ++j) {
        EXPECT_FALSE(tooClose(b, p, c.boxes[j], layout.spots[j], s))
            << c.name << ": boxes " << j << ", " << i;
      }
    }
    // A font's worth of boxes leaves at most half the texture unused: some
    // at the shelves' ends, the rest in rounding up to powers of two.
    if (c.boxes.size() >= 95) {
      EXPECT_LE(static_cast<long>(layout.width) * layout.height, 2 * area) << c.name;
    }
  }
}

TEST(GlyphAtlas, BoxesThatCannotFitGiveNoTexture) {
  EXPECT_EQ(packGlyphBoxes({{300, 10}}, 0, 256).width, 0);
  EXPECT_EQ(packGlyphBoxes(glyphLike(256, 60), 0, 512).width, 0);
  EXPECT_EQ(packGlyphBoxes({{64, 64}, {64, 64}, {64, 64}, {64, 65}}, 0, 128).width, 0);
  EXPECT_EQ(packGlyphBoxes({{60, 60}, {60, 61}, {62, 60}, {62, 60}}, 2, 128).width, 0);
}
