#include <gtest/gtest.h>

#include "level/LevelData.h"

TEST(SegmentIntersection, CrossingsEndsAndCollinearCases) {
  struct Case {
    const char* name;
    double a[4], p[4];
    bool crosses;
    double x, y;
  };
  const Case cases[] = {
      {"plain cross", {0, 0, 10, 0}, {5, -5, 5, 5}, true, 5, 0},
      {"shared end", {0, 0, 10, 0}, {10, 0, 10, 5}, false, 0, 0},
      {"end on the line from above", {0, 0, 10, 0}, {5, 0, 5, -5}, true, 5, 0},
      {"end on the line from below", {0, 0, 10, 0}, {5, 0, 5, 5}, false, 0, 0},
      {"collinear overlap", {0, 0, 10, 0}, {5, 0, 15, 0}, false, 0, 0},
      {"beyond the end", {0, 0, 10, 0}, {11, -5, 11, 5}, false, 0, 0},
      {"exactly at the end", {0, 0, 10, 0}, {10, -5, 10, 5}, true, 10, 0},
      {"zero-length wall", {0, 0, 10, 0}, {5, 0, 5, 0}, false, 0, 0},
      {"zero-length edge", {3, 3, 3, 3}, {0, 0, 9, 9}, false, 0, 0},
      {"diagonal", {0, 0, 10, 10}, {0, 10, 10, 0}, true, 5, 5},
      {"parallel apart", {0, 0, 10, 0}, {0, 1, 10, 1}, false, 0, 0},
  };
  for (const Case& c : cases) {
    double x = -99, y = -99;
    const bool hit = LevelData::intersectSegments(c.a[0], c.a[1], c.a[2], c.a[3], c.p[0], c.p[1],
                                                  c.p[2], c.p[3], &x, &y);
    EXPECT_EQ(hit, c.crosses) << c.name;
    if (c.crosses) {
      EXPECT_NEAR(x, c.x, 1e-9) << c.name;
      EXPECT_NEAR(y, c.y, 1e-9) << c.name;
    } else {
      EXPECT_EQ(x, -99) << c.name << ": outputs untouched";
    }
  }
}
