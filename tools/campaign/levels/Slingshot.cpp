#include "Levels.h"

#include "Kit.h"

// Slingshot, gravity. Teaches swinging on a strong pull: a great well
// hangs on a chain under a stalactite in the middle of a bowl, and the only
// way from the high ledge on the left to the far side swings under it like
// a pendulum. The dive into the bowl gathers speed, the pull (straight
// below the well it matches gravity about 80 px down) turns the ship round
// and the speed carries it up the far slope; the checkpoint at the bottom
// is where the two cancel, so the ship floats there. Mechanics: several
// gravity points in one place (a pull many times a single well's), its
// flickering core ('e' walls), "breaks", a fuel tank.
void slingshotLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.room(20, 22, 440, 95);
  cave.disc(240, 115, 185);
  cave.pillar(0, 0, 480, 14);
  cave.pillar(212, 0, 56, 70);
  cave.boulder(240, 85, 28);
  k.rock(cave, {0.08f, 0.35f, 0.45f}, 13);

  // The pull of eight wells in one: below the core it matches gravity
  // about 80 px down, where the swing passes.
  const ofxVec2f well(240, 160);
  for (int p = 0; p < 8; ++p) k.gravityPoint(well.x, well.y);
  k.place("great_well", well.x, well.y);
  k.place("well", well.x, well.y);
  for (int s = 0; s < 10; ++s) {
    const ofxVec2f p = turned(0, -13, s * 36.0f), q = turned(0, -13, (s + 1) * 36.0f);
    k.wall(well.x + p.x, well.y + p.y, well.x + q.x, well.y + q.y, ofColor(240, 150, 255), WALL_FLICKER);
  }
  k.wall(240, 113, 240, 147, ofColor(150, 110, 170));  // the chain the core hangs by

  k.arrival(55, 65, "r");
  k.checkpoint("b", 240, 250, "u");
  k.place("crystals", 150, 272);
  k.place("crystals", 330, 272);
  k.fuelPickup("fuel_tank", 395, 70, 4);
  k.exit(430, 35, 30, 60, next, "in");

  k.route(140, 90, "cap 1.2");
  k.route(170, 200, "cap 1.3");
  k.route(240, 250, "cap 1.3");
  k.route(310, 200, "cap 1.3");
  k.route(350, 110, "cap 1.2");
  k.route(395, 70, "cap 1.0 stop");
  k.route(445, 65, "cap 1.2", 14);
}
