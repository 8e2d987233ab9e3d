#include "Levels.h"

#include "Kit.h"

// Glide, no gravity. Teaches letting the wells turn the ship: three round
// chambers in a chain, each with a well in the round tip of a tongue of
// rock (from below, above, below), so the long way swings over, under and
// over them. With no gravity and no friction the ship coasts for nothing
// and each well bends its course round its tongue; fuel goes on fighting
// the pull, and the only fuel here is a small tank. One unit of fuel is
// 100 frames of thrust: the expert spends about 1.6 units here, novices 1.5
// to 5. Empty, the thrust is a quarter (0.01 px/frame²), more than the pull
// in the middle of a lane (0.4/d, about 0.007), so the ship can always be
// steered. Mechanics: four gravity points in each tip, a fuel tank.
void glideLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  const ofxVec2f islands[] = {{365, 100}, {250, 200}, {135, 100}};
  Cave cave;
  for (const ofxVec2f& c : islands) cave.disc(c.x, c.y, 88);
  cave.tunnel({{70, 95}, {20, 100}}, 66);
  // Each well sits in the round tip of a tongue of rock, from below, above,
  // below, so the way has to go over, under and over them.
  for (const ofxVec2f& c : islands) {
    cave.boulder(c.x, c.y, 22);
    cave.pillar(c.x - 22, c.y < 150 ? c.y : c.y - 110, 44, 110);
  }
  k.rock(cave, {0.55f, 0.45f, 0.4f}, 15);

  for (const ofxVec2f& c : islands) {
    for (int p = 0; p < 4; ++p) k.gravityPoint(c.x, c.y);
    k.place("well", c.x, c.y);
  }

  k.arrival(440, 100, "l");
  k.checkpoint("b", 308, 152, "l");
  k.fuelPickup("fuel_tank", 250, 265, 2);
  k.checkpoint("c", 192, 152, "u");
  k.exit(15, 70, 30, 60, next, "in");

  k.route(420, 45, "cap 1.0");
  k.route(340, 42, "cap 1.0");
  k.route(298, 95, "cap 1.0");
  k.route(308, 152, "cap 1.0");
  k.route(300, 235, "cap 1.0");
  k.route(250, 265, "cap 1.0");
  k.route(195, 220, "cap 1.0");
  k.route(192, 152, "cap 1.0");
  k.route(195, 70, "cap 1.0");
  k.route(135, 38, "cap 1.0");
  k.route(75, 70, "cap 1.0");
  k.route(30, 100, "cap 1.2", 14);
}
