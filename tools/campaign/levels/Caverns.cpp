#include "Levels.h"

#include "Kit.h"

// Caverns, gravity. Teaches moving sideways under gravity: three wide
// round chambers and a grotto, each with room to hover, joined by short
// wide passages: up and across into the high one, down into the next, then
// back underneath into the grotto with the exit. The ship is tilted a
// little and thrust in taps to drift from one to the next; words in the
// first chamber say so. Mechanics: gravity, fading moss ('t'), drips,
// crystals, a fuel tank.
void cavernsLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  // The chambers: where the ship arrives, the high one, the one on the
  // right, the grotto underneath with the exit.
  cave.disc(95, 195, 78);
  cave.room(35, 195, 120, 110);
  cave.disc(245, 90, 75);
  cave.disc(390, 210, 75);
  cave.room(335, 210, 110, 98);
  cave.disc(245, 262, 50);
  // The passages between them.
  cave.tunnel({{140, 150}, {195, 115}}, 95);
  cave.tunnel({{295, 115}, {355, 165}}, 95);
  cave.tunnel({{350, 258}, {280, 262}}, 90);
  // Rock jutting in where chamber meets passage, so each chamber reads as one.
  cave.boulder(152, 62, 38);
  cave.boulder(358, 60, 35);
  k.rock(cave, {0.3f, 0.3f, 0.42f}, 11);
  k.retype(20, 292, 440, 30, WALL_FADE, ofColor(120, 240, 140));

  k.arrival(95, 212, "u");
  k.place("hint_tilt", 95, 272);
  k.place("drip", 80, 118);
  k.checkpoint("b", 245, 70, "u");
  k.place("drip", 260, 14);
  k.place("crystals", 225, 166);
  k.checkpoint("c", 390, 190, "u");
  k.place("hint_slow", 400, 120);
  k.fuelPickup("fuel_tank", 315, 258, 5);
  k.place("crystals", 420, 286);
  k.exit(200, 235, 30, 55, next, "in");

  k.route(170, 125, "cap 1.0");
  k.route(245, 70, "cap 1.0 stop");
  k.route(325, 130, "cap 1.0");
  k.route(390, 190, "cap 1.0 stop");
  k.route(375, 235, "cap 1.0 stop");
  k.route(315, 255, "cap 1.0");
  k.route(215, 262, "cap 1.0", 14);
}
