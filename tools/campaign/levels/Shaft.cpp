#include "Levels.h"

#include "Kit.h"

// Shaft, gravity. Teaches gravity: braking a fall, hovering, climbing.
// Mechanics: gravity, dripping stalactites (a model sound), fading moss
// walls ('t'), "face" (the ship is turned to the checkpoint's facing at the
// foot of the climb), gas fumes as fuel.
void shaftLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{440, 55}, {60, 55}, {60, 268}, {420, 268}, {420, 160}, {220, 160}}, 76);
  k.rock(cave, {0.08f, 0.35f, 0.48f}, 2);
  k.retype(110, 292, 260, 20, WALL_FADE, ofColor(90, 230, 120));

  k.arrival(430, 55, "u");
  k.place("drip", 320, 18);
  k.place("drip", 170, 18);
  k.checkpoint("b", 75, 250, "u");
  k.fuelPickup("gas_fumes", 240, 262, 5);
  k.checkpoint("c", 420, 245, "u");
  k.zone(390, 195, 60, 25, "face");
  k.place("crystals", 300, 198);
  k.exit(190, 128, 35, 64, next, "in");

  k.route(380, 58, "cap 1.5");
  k.route(80, 62, "cap 1.5 stop");
  k.route(65, 180, "cap 1.2");
  k.route(90, 262, "cap 1.0 stop");
  k.route(240, 262, "cap 1.6");
  k.route(400, 262, "cap 1.2 stop");
  k.route(420, 175, "cap 1.0 stop");
  k.route(300, 160, "cap 1.5");
  k.route(207, 160, "cap 1.2", 14);
}
