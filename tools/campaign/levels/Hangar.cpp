#include "Levels.h"

#include "Kit.h"

// Hangar, no gravity. Teaches turning and thrust in open space. The walls
// of the hangar cannot hurt the ship: nothing can before the first
// checkpoint, which waits in the shaft above. Mechanics: spawner, the first
// "mark", "song" (the cave music takes over from the menu's), "sound", a
// fuel tank, level warp.
void hangarLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(20, 180, 180, 120);
  cave.tunnel({{90, 220}, {90, 70}, {250, 60}, {400, 80}, {410, 240}, {290, 250}}, 80);
  k.rock(cave, {0.58f, 0.35f, 0.5f}, 1);

  k.place("spawner", 90, 255);
  k.zone(20, 180, 180, 120, "song", "cave");
  k.zone(20, 180, 180, 120, "sound", "beep");
  k.place("crystals", 160, 298);
  k.place("crystals", 40, 298);
  k.checkpoint("a", 90, 150, "u");
  k.fuelPickup("fuel_tank", 250, 62, 4);
  k.checkpoint("b", 405, 150, "d");
  k.place("crystals", 330, 292);
  k.exit(250, 215, 30, 70, next, "in");

  k.route(90, 150, "cap 1.2");
  k.route(100, 85, "cap 1.5");
  k.route(250, 62, "cap 1.8");
  k.route(390, 90, "cap 1.5");
  k.route(408, 200, "cap 1.5");
  k.route(330, 248, "cap 1.5");
  k.route(265, 250, "cap 1.2", 14);
}
