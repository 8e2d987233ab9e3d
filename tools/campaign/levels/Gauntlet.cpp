#include "Levels.h"

#include "Kit.h"

// Gauntlet, no gravity. Every timed hazard met so far, one after another,
// along a single gash through the rock shaped like a lightning bolt: from
// the south-east corner to the north-west one the way zigzags between three
// treads that fall gently west and two steep shafts that climb between
// them. The first tread holds a door, the other two a sparking arc and then
// a door, with room to stop between them; the shafts are clear, and a cloud
// of fuel in the first one refuels. The treads are a little narrower
// than elsewhere, so the turns into the shafts want care. Mechanics: doors,
// zappers, a fuel tank.
void gauntletLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.tunnel({{445, 236}, {340, 266}, {305, 140}, {175, 170}, {140, 44}, {15, 74}}, 64);
  k.rock(cave, {0.95f, 0.35f, 0.42f}, 12);

  k.arrival(448, 240, "l");
  k.place("door_a", 365, 257);
  k.checkpoint("b", 327, 235, "u");
  k.fuelPickup("fuel_tank", 318, 192, 8);
  k.place("zapper_a", 270, 102);
  k.checkpoint("c", 235, 158, "l");
  // Every model restarts when the ship reappears: a ship sent back to c
  // finds this door opening, where door_b would be about to close on it.
  k.place("door_a", 200, 165);
  k.checkpoint("d", 163, 128, "u");
  k.place("zapper_b", 110, 7);
  k.place("door_b", 47, 65);
  k.exit(12, 38, 26, 62, next, "in");

  k.route(395, 250, "cap 1.0 stop wait");
  k.route(330, 250, "cap 1.6");
  k.route(318, 195, "cap 1.0");
  k.route(300, 148, "cap 1.0 stop wait");
  k.route(235, 158, "cap 1.4 stop wait");
  k.route(170, 165, "cap 1.6");
  k.route(160, 110, "cap 1.0 stop");
  k.route(142, 55, "cap 1.0 stop wait");
  k.route(80, 62, "cap 1.4 stop wait");
  k.route(25, 69, "cap 1.6", 14);
}
