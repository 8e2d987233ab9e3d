#include "Levels.h"

#include "Kit.h"

// Pistons, no gravity. Teaches waiting for a gap: pistons slam across the
// corridors in turn while a siren wails. Mechanics: pistons (solid animated
// models), "cycle_siren", "cycle_end", "sound".
void pistonsLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(20, 200, 450, 110);
  cave.room(20, 20, 80, 290);
  cave.room(20, 20, 450, 110);
  k.rock(cave, {0.1f, 0.45f, 0.42f}, 5);

  k.arrival(440, 255, "l");
  k.zone(400, 200, 70, 110, "cycle_siren");
  k.zone(400, 200, 70, 110, "sound", "siren");
  k.place("siren_lamp", 400, 310);
  k.place("siren_lamp", 130, 310);
  k.place("piston_a", 330, 200);
  k.place("piston_b", 235, 200);
  k.place("piston_c", 140, 200);
  k.checkpoint("b", 60, 255, "u");
  k.fuelPickup("fuel_tank", 60, 165, 6);
  k.checkpoint("c", 60, 75, "r");
  k.place("piston_a", 190, 20);
  k.place("piston_c", 310, 20);
  k.zone(380, 20, 40, 110, "cycle_end");
  k.exit(430, 30, 30, 90, next, "in");

  k.route(410, 255, "cap 1.0 stop wait");
  k.route(283, 255, "cap 1.5 stop wait");
  k.route(188, 255, "cap 1.5 stop wait");
  k.route(65, 240, "cap 1.2 stop");
  k.route(60, 110, "cap 1.4");
  k.route(120, 75, "cap 1.0 stop wait");
  k.route(250, 75, "cap 1.5 stop wait");
  k.route(370, 75, "cap 1.5 wait");
  k.route(445, 75, "cap 1.2", 14);
}
