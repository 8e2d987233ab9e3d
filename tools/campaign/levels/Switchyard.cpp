#include "Levels.h"

#include "Kit.h"

// Switchyard, no gravity. Teaches that zones change the level: a force
// field bars the way until the lever in the loft above is thrown, and a
// teleporter pad is the only way into the sealed bay with the exit.
// Mechanics: "remove", the force field (a model sound), the lever ("remove"
// and "add" swap it for the thrown one), "this", a fuel tank.
void switchyardLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(20, 90, 190, 140);
  cave.tunnel({{110, 100}, {110, 40}}, 70);
  cave.room(60, 15, 110, 50);
  cave.room(200, 120, 50, 80);
  cave.room(240, 30, 220, 170);
  cave.room(240, 240, 220, 70);
  k.rock(cave, {0.45f, 0.35f, 0.45f}, 7);

  k.arrival(40, 160, "r");
  k.place("force_field", 225, 112);
  k.fuelPickup("fuel_tank", 80, 40, 5);
  // The switch: the lever stands in the middle of its zone and is swapped
  // for the thrown one when the field goes.
  k.place("lever", 142, 43);
  k.zone(120, 20, 45, 40, "remove", "force_field");
  k.zone(120, 20, 45, 40, "remove", "lever");
  k.zone(120, 20, 45, 40, "add", "lever_thrown");
  k.zone(120, 20, 45, 40, "sound", "beep");
  k.checkpoint("b", 300, 110, "r");
  k.place("teleporter", 420, 150);
  k.zone(400, 130, 40, 40, "this", "across");
  k.checkpoint("across", 275, 275, "r");
  k.exit(425, 245, 30, 60, next, "in");

  k.route(100, 130, "cap 1.2 stop");
  k.route(110, 70, "cap 1.2");
  k.route(140, 40, "cap 1.0 stop");
  k.route(110, 110, "cap 1.2 stop");
  k.route(225, 160, "cap 1.4");
  k.route(320, 120, "cap 1.2");
  k.route(420, 150, "cap 1.0", 10);
  k.route(380, 275, "cap 1.2");
  k.route(440, 275, "cap 1.2", 14);
}
