#pragma once
// Where each glyph image of a font goes in the font's one texture: boxes laid
// in shelves, tallest first, in the power-of-two texture of least area.

#include <vector>

struct GlyphBox {
  int width = 0, height = 0;
};

struct AtlasSpot {
  int x = 0, y = 0;  // texels from the texture's top-left corner
};

struct GlyphAtlasLayout {
  int width = 0, height = 0;     // powers of two; 0 when the boxes do not fit
  std::vector<AtlasSpot> spots;  // the top-left corner of each box, in the order given
};

// Lays the boxes out with at least `spacing` texels free between any two and
// between each and the texture's edges, in a texture whose sides are powers
// of two no larger than maxSide, choosing the least area (the squarer of two
// equal ones). Power-of-two sides keep texel edges exact in texture
// coordinates, and any GL 1.x driver takes them.
GlyphAtlasLayout packGlyphBoxes(const std::vector<GlyphBox>& boxes, int spacing, int maxSide);
