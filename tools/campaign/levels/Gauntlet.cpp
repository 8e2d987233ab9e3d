#include "Levels.h"

#include "Kit.h"

// Gauntlet, no gravity. Every timed hazard met so far, one after another:
// doors and sparking arcs across a snake of corridors, with one cloud of
// gas fumes on the way to refuel. Mechanics: doors, zappers, gas fumes.
void gauntletLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.tunnel({{445, 268}, {60, 268}, {60, 160}, {420, 160}, {420, 55}, {35, 55}}, 80);
  k.rock(cave, {0.95f, 0.35f, 0.42f}, 12);

  k.arrival(440, 268, "l");
  k.place("door_a", 300, 268);
  k.place("zapper_a", 180, 222);
  k.checkpoint("b", 60, 215, "u");
  k.fuelPickup("gas_fumes", 60, 165, 8);
  k.place("door_b", 200, 160);
  k.place("zapper_b", 320, 114);
  k.checkpoint("c", 420, 110, "u");
  k.place("door_a", 300, 55);
  k.place("zapper_a", 150, 9);
  k.exit(20, 20, 30, 70, next, "in");

  k.route(380, 268, "cap 1.2 stop wait");
  k.route(240, 268, "cap 1.2 stop wait");
  k.route(110, 268, "cap 1.2");
  k.route(60, 200, "cap 1.0 stop");
  k.route(130, 160, "cap 1.2 stop wait");
  k.route(260, 160, "cap 1.2 stop wait");
  k.route(380, 160, "cap 1.2");
  k.route(420, 90, "cap 1.0 stop");
  k.route(370, 55, "cap 1.2 stop wait");
  k.route(220, 55, "cap 1.2 stop wait");
  k.route(90, 55, "cap 1.2");
  k.route(35, 55, "cap 1.2", 14);
}
