#include "framework/GlyphAtlas.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {
long powerOfTwoAtLeast(long n) {
  long p = 2;
  while (p < n) p *= 2;
  return p;
}

// Rows of boxes from (spacing, spacing), each row as tall as its first
// (tallest) box, each box followed by the spacing. Returns the height used,
// the spacing below the last row included.
long shelve(const std::vector<GlyphBox>& boxes, const std::vector<size_t>& tallestFirst, int spacing,
            long width, std::vector<AtlasSpot>& spots) {
  long x = spacing, y = spacing, rowHeight = 0;
  for (const size_t i : tallestFirst) {
    if (x + boxes[i].width + spacing > width) {
      y += rowHeight + spacing;
      x = spacing;
      rowHeight = 0;
    }
    spots[i] = {static_cast<int>(x), static_cast<int>(y)};
    x += boxes[i].width + spacing;
    rowHeight = std::max<long>(rowHeight, boxes[i].height);
  }
  return y + rowHeight + spacing;
}
}  // namespace

GlyphAtlasLayout packGlyphBoxes(const std::vector<GlyphBox>& boxes, int spacing, int maxSide) {
  std::vector<size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return boxes[a].height > boxes[b].height; });
  long widest = 0;
  for (const GlyphBox& box : boxes) widest = std::max<long>(widest, box.width);

  GlyphAtlasLayout best;
  std::vector<AtlasSpot> spots(boxes.size());
  // Sides in long: doubling past the largest int side must not overflow.
  for (long width = powerOfTwoAtLeast(widest + 2L * spacing); width <= maxSide; width *= 2) {
    const long height = powerOfTwoAtLeast(shelve(boxes, order, spacing, width, spots));
    if (height > maxSide) continue;
    const long area = width * height;
    const long bestArea = static_cast<long>(best.width) * best.height;
    const bool squarer = std::labs(width - height) < std::labs(best.width - best.height);
    if (best.width == 0 || area < bestArea || (area == bestArea && squarer)) {
      best.width = static_cast<int>(width);
      best.height = static_cast<int>(height);
      best.spots = spots;
    }
  }
  return best;
}
