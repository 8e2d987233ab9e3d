#include "Levels.h"

#include "Kit.h"

// Hangar, no gravity. Teaches the keys, and that without gravity the ship
// drifts until it is turned round and thrust the other way: words on the
// hangar floor say so. The pad is a checkpoint like every arrival, so walls
// hold from the first frame; the next checkpoint waits in the open, its
// beacon explained beside it; then a wide hall up, a fuel tank explained
// where it floats, and a corridor back to the exit. Mechanics: spawner,
// "mark", "song" (the cave music takes over from the menu's), "sound", a
// fuel tank, level warp.
void hangarLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(20, 135, 440, 165);  // the hangar floor
  cave.room(340, 12, 120, 208);  // the hall up
  cave.room(125, 12, 300, 98);   // the corridor back
  k.rock(cave, {0.58f, 0.35f, 0.5f}, 1);

  k.checkpoint("start", 55, 272, "r");
  k.place("spawner", 55, 272);
  k.zone(20, 135, 200, 165, "song", "cave");
  k.zone(20, 135, 200, 165, "sound", "beep");
  k.place("hint_controls", 165, 278);
  k.place("hint_stop", 95, 175);
  k.place("crystals", 300, 298);
  k.place("crystals", 440, 298);

  k.checkpoint("a", 300, 220, "r");
  k.place("hint_checkpoint", 290, 177);
  k.checkpoint("b", 400, 115, "u");
  k.fuelPickup("fuel_tank", 280, 57, 4);
  k.place("hint_fuel", 280, 90);
  k.exit(140, 30, 30, 62, next, "in");
  k.place("hint_exit", 155, 97);

  k.route(170, 235, "cap 1.2");
  k.route(300, 220, "cap 1.2");
  k.route(400, 205, "cap 1.2");
  k.route(400, 115, "cap 1.2");
  k.route(390, 62, "cap 1.2 stop");
  k.route(280, 57, "cap 1.5");
  k.route(155, 61, "cap 1.2", 14);
}
