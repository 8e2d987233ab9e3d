#include "Levels.h"

#include "Kit.h"

// Locks, gravity. Teaches climbing through timed gates: doors close across
// the corridors, and the way goes upwards against gravity. Mechanics: doors
// (solid models with the "door" sound), battery charge, "song_fade" (the
// music fades out before the deep).
void locksLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.room(20, 232, 440, 70);
  cave.room(380, 122, 80, 180);
  cave.room(20, 122, 440, 70);
  cave.room(20, 22, 80, 170);
  cave.room(20, 22, 440, 70);
  k.rock(cave, {0.55f, 0.4f, 0.4f}, 8);

  k.arrival(40, 267, "u");
  k.place("door_a", 170, 267);
  k.place("door_b", 290, 267);
  k.checkpoint("b", 420, 250, "u");
  k.fuelPickup("battery_charge", 420, 157, 6);
  k.place("door_a", 250, 157);
  k.checkpoint("c", 60, 160, "u");
  k.place("door_b", 200, 57);
  k.place("door_a", 320, 57);
  k.zone(360, 22, 40, 70, "song_fade");
  k.exit(430, 27, 30, 60, next, "in");

  k.route(110, 262, "cap 1.2 stop wait");
  k.route(230, 262, "cap 1.2 stop wait");
  k.route(350, 262, "cap 1.2 stop");
  k.route(420, 200, "cap 1.0 stop");
  k.route(400, 157, "cap 1.0 stop wait");
  k.route(150, 157, "cap 1.2 stop");
  k.route(60, 110, "cap 1.0 stop");
  k.route(60, 57, "cap 1.0 stop wait");
  k.route(260, 57, "cap 1.2 stop wait");
  k.route(380, 57, "cap 1.2");
  k.route(445, 57, "cap 1.2", 14);
}
