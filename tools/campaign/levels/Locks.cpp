#include "Levels.h"

#include "Kit.h"

// Locks, gravity. Teaches climbing through timed gates, and that the way on
// can lead back past where it began: a flight of two tall lock chambers
// climbs the east flank of a rock hill, each entered through a door low in
// its side, a gallery with a third door runs west over the hilltop, and a
// drop shaft comes down the west flank past the arrival bay, seen through a
// barred window from the moment the ship arrives, to the exit at its foot.
// The chambers are wide enough to hover in while a door comes round.
// Mechanics: doors (solid models with the "door" sound), a fuel tank,
// "song_fade" (the music fades out on the drop into the deep).
void locksLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.room(12, 12, 70, 296);    // the drop shaft
  cave.room(12, 12, 456, 73);    // the gallery over the hill
  cave.room(98, 212, 122, 96);   // the arrival bay
  cave.room(218, 232, 66, 76);   // the first gate
  cave.room(282, 112, 80, 196);  // the lower lock
  cave.room(360, 112, 32, 72);   // the second gate
  cave.room(390, 12, 78, 172);   // the upper lock
  cave.room(78, 236, 24, 60);    // the window
  cave.disc(322, 300, 30);
  cave.disc(160, 214, 24);
  k.rock(cave, {0.55f, 0.4f, 0.4f}, 8);
  // The window's bars reach into the rock above and below it.
  for (float x : {85.0f, 90.0f, 95.0f}) k.wall(x, 228, x, 304, ofColor(170, 190, 210));

  k.arrival(140, 262, "u");
  k.place("door_a", 250, 270);
  k.checkpoint("b", 322, 262, "u");
  k.place("door_b", 376, 148);
  k.fuelPickup("fuel_tank", 429, 110, 6);
  k.checkpoint("c", 429, 150, "u");
  k.place("door_a", 330, 48);
  k.checkpoint("d", 270, 48, "u");
  k.checkpoint("e", 47, 100, "u");
  k.zone(12, 140, 70, 40, "song_fade");
  k.exit(20, 258, 54, 44, next, "in");

  k.route(215, 268, "cap 1.0 stop wait");
  k.route(300, 270, "cap 1.6");
  k.route(322, 230, "cap 1.0 stop");
  k.route(338, 148, "cap 1.0 stop wait");
  k.route(420, 148, "cap 1.6");
  k.route(429, 100, "cap 1.0 stop");
  k.route(429, 50, "cap 1.0 stop");
  k.route(368, 48, "cap 1.0 stop wait");
  k.route(270, 48, "cap 1.6");
  k.route(110, 48, "cap 1.6");
  k.route(47, 60, "cap 1.0 stop");
  k.route(47, 150, "cap 1.0");
  k.route(47, 278, "cap 1.2", 14);
}
