// The title scene: ORVANE in vector strokes with a shadow, twinkling stars,
// a ship flying round the name and a pulsing underline. The menu is drawn
// over the lower right corner (x >= 265 and y >= 200 here), which stays empty.

#include <cmath>

#include "Campaign.h"
#include "Kit.h"

namespace {
struct Letter {
  std::vector<Polyline> strokes;  // in a 60 by 80 box
};

const Letter letters[] = {
    {{{{12, 0}, {48, 0}, {60, 14}, {60, 66}, {48, 80}, {12, 80}, {0, 66}, {0, 14}, {12, 0}}}},
    {{{{0, 80}, {0, 0}, {46, 0}, {60, 12}, {60, 32}, {46, 44}, {0, 44}}, {{28, 44}, {60, 80}}}},
    {{{{0, 0}, {30, 80}, {60, 0}}}},
    {{{{0, 80}, {24, 0}, {36, 0}, {60, 80}}, {{10, 50}, {50, 50}}}},
    {{{{0, 80}, {0, 0}, {60, 80}, {60, 0}}}},
    {{{{60, 0}, {0, 0}, {0, 80}, {60, 80}}, {{0, 40}, {44, 40}}}},
};

bool keptForMenu(float x, float y) { return x >= 255 && y >= 190; }

void name(LevelKit& k) {
  const float left = 22, top = 62, advance = 76;
  for (int i = 0; i < 6; ++i) {
    const ofColor main = hsl(0.52f + 0.06f * i, 0.85f, 0.62f);
    const ofColor shade = hsl(0.52f + 0.06f * i, 0.7f, 0.28f);
    for (const Polyline& stroke : letters[i].strokes) {
      for (size_t s = 0; s + 1 < stroke.size(); ++s) {
        const float x1 = left + advance * i + stroke[s].x, y1 = top + stroke[s].y;
        const float x2 = left + advance * i + stroke[s + 1].x, y2 = top + stroke[s + 1].y;
        k.wall(x1 + 4, y1 + 4, x2 + 4, y2 + 4, shade);
        k.wall(x1, y1, x2, y2, main);
      }
    }
  }
}

void stars(LevelKit& k) {
  for (int i = 0; i < 90 ; ++i) {
    const float x = 4 + noise(i, 1, 42) * 472, y = 4 + noise(i, 2, 42) * 312;
    const bool onName = y > 50 && y < 156 && x > 10 && x < 470;
    if (onName || keptForMenu(x, y)) continue;
    const float size = 1 + noise(i, 3, 42) * 2.5f;
    const ofColor c = hsl(0.55f + noise(i, 4, 42) * 0.2f, 0.4f, 0.75f);
    k.wall(x - size, y, x + size, y, c, WALL_FLICKER);
    if (size > 2) k.wall(x, y - size, x, y + size, c, WALL_FLICKER);
  }
}

// A ship in the game's own colour flying an ellipse round the name.
void orbitingShip(LevelData& data) {
  ModelKit ship(data, "logo_ship", 40, false);
  const int steps = 72;
  for (int f = 0; f < steps; ++f) {
    const float t = 2 * 3.14159265f * f / steps;
    const float x = 240 + 226 * std::cos(t), y = 104 + 80 * std::sin(t);
    // Heading along the direction of travel (0 = nose up, clockwise).
    const float heading = std::atan2(226 * -std::sin(t), -(80 * std::cos(t))) * 180 / 3.14159265f;
    const ofxVec2f nose = turned(0, -10, heading), right = turned(6, 5, heading),
                   left = turned(-6, 5, heading), flame = turned(0, 11, heading);
    ship.frame()
        .loop({nose + ofxVec2f(x, y), right + ofxVec2f(x, y), left + ofxVec2f(x, y)}, ofColor(108, 140, 255))
        .line(x + (right.x + left.x) / 2, y + (right.y + left.y) / 2, x + flame.x, y + flame.y,
              ofColor(255, 90, 40), WALL_FLICKER);
  }
}

void underline(LevelData& data) {
  ModelKit glow(data, "logo_underline", 70, false);
  for (int f = 0; f < 12; ++f) {
    const float half = 190 + 28 * std::sin(2 * 3.14159265f * f / 12);
    const ofColor gold(255, 211, 0);
    glow.frame()
        .line(240 - half, 0, 240 + half, 0, gold)
        .line(240 - half * 0.8f, 5, 240 + half * 0.8f, 5, ofColor(150, 110, 0), WALL_FLICKER)
        .loop({{240 - half - 8, 0}, {240 - half - 4, -4}, {240 - half, 0}, {240 - half - 4, 4}}, gold)
        .loop({{240 + half, 0}, {240 + half + 4, -4}, {240 + half + 8, 0}, {240 + half + 4, 4}}, gold);
  }
}
}  // namespace

LevelData buildLogo() {
  LevelData data{LevelData::Empty{}};
  orbitingShip(data);
  underline(data);
  LevelKit k(data, "logo", false);
  name(k);
  stars(k);
  k.place("logo_ship", 0, 0);
  k.place("logo_underline", 0, 166);
  return data;
}
