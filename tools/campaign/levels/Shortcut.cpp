#include "Levels.h"

#include "Kit.h"

// Shortcut, gravity. Teaches that a switch can save the way back: the exit
// lies just past the arrival, barred by a force field, and the way on
// spirals once round the whole cave into the hall at its heart. The lever
// at the far end of the hall lifts that field and a second one over a drop
// from the hall, a short way back down past the arrival to the exit; a
// checkpoint beside the lever means the long spiral is flown once.
// Mechanics: "remove" (both fields and the lever), "addX" (the thrown
// lever), "sound", fuel tank.
void shortcutLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{455, 271}, {49, 271}, {49, 49}, {431, 49}, {431, 160}, {280, 160}}, 74);
  cave.room(102, 102, 276, 116);
  cave.tunnel({{180, 190}, {180, 250}}, 74);
  k.rock(cave, {0.16f, 0.4f, 0.45f}, 14);

  k.arrival(300, 262, "u");
  k.place("force_field", 405, 220);
  k.checkpoint("b", 95, 262, "u");
  k.checkpoint("c", 49, 110, "u");
  k.fuelPickup("fuel_tank", 150, 49, 5);
  k.checkpoint("d", 260, 49, "u");
  k.checkpoint("e", 431, 110, "u");
  k.place("force_field_flat", 130, 226);
  k.checkpoint("f", 150, 150, "u");
  // The switch, as in the switchyard: the lever stands on the floor and is
  // swapped for the thrown one (drawn from the receiver "switch").
  const ofxVec2f lever(125, 197);
  k.place("lever", lever.x, lever.y);
  k.receiver("switch", lever.x - 22, lever.y - 23);
  for (const char* lifted : {"force_field", "force_field_flat", "lever"}) {
    k.zone(lever.x - 30, lever.y - 60, 60, 80, "remove", lifted);
  }
  k.zone(lever.x - 30, lever.y - 60, 60, 80, "addX", "lever_thrown", "switch");
  k.zone(lever.x - 30, lever.y - 60, 60, 80, "sound", "beep");
  k.exit(432, 242, 30, 58, next, "in");

  // The first point is where the ship arrives, so that a player starting
  // there picks up the long way, not the shortcut past the same spot.
  k.route(300, 262, "cap 1.4");
  k.route(150, 262, "cap 1.4");
  k.route(55, 250, "cap 1.0 stop");
  k.route(49, 160, "cap 1.2");
  k.route(45, 50, "cap 1.0 stop");
  k.route(150, 45, "cap 1.4");
  k.route(330, 45, "cap 1.4");
  k.route(435, 50, "cap 1.0 stop");
  k.route(431, 150, "cap 1.0 stop");
  k.route(320, 160, "cap 1.2");
  k.route(220, 160, "cap 1.2");
  k.route(lever.x, 170, "cap 1.0 stop", 12);
  k.route(180, 175, "cap 1.0 stop");
  k.route(180, 232, "cap 1.0 stop");
  k.route(270, 262, "cap 1.2");
  k.route(447, 268, "cap 1.2", 14);
}
