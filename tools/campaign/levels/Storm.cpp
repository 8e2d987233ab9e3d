#include "Levels.h"

#include "Kit.h"

// Storm, gravity. Teaches crossing timed hazards on the way down: arcs
// spark across the passages, lightning flashes, and a rockfall seals the
// way back. Mechanics: "cycle_thunder", "song_pause" and "song_play" (the
// music drops out in the storm), zappers (a model sound), flickering walls
// ('e'), "add" (the rockfall), "shake", "cycle_end".
void stormLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{25, 60}, {385, 60}, {385, 160}, {100, 160}, {100, 268}, {455, 268}}, 76);
  k.rock(cave, {0.7f, 0.25f, 0.42f}, 6);
  k.retype(150, 110, 200, 20, WALL_FLICKER, ofColor(200, 190, 255));
  k.retype(150, 290, 250, 30, WALL_FLICKER, ofColor(200, 190, 255));

  k.arrival(40, 60, "u");
  k.zone(10, 20, 60, 80, "cycle_thunder");
  k.zone(10, 20, 60, 80, "sound", "thunder");
  k.zone(150, 20, 30, 80, "song_pause");
  k.place("zapper_a", 240, 14);
  k.place("drip", 330, 23);
  k.fuelPickup("fuel_tank", 385, 110, 6);
  k.checkpoint("b", 330, 160, "u");
  k.place("zapper_b", 220, 114);
  k.zone(130, 232, 60, 72, "add", "rubble");
  k.zone(130, 232, 60, 72, "shake", "1500");
  k.checkpoint("c", 215, 268, "u");
  k.place("zapper_a", 320, 222);
  k.zone(360, 230, 40, 76, "song_play");
  k.zone(400, 230, 30, 76, "cycle_end");
  k.exit(430, 232, 30, 72, next, "in");

  k.route(120, 60, "cap 1.4 stop wait");
  k.route(300, 60, "cap 1.6");
  k.route(385, 75, "cap 1.0 stop");
  k.route(385, 145, "cap 1.0 stop");
  k.route(290, 160, "cap 1.2 stop wait");
  k.route(150, 160, "cap 1.6");
  k.route(100, 200, "cap 1.0 stop");
  k.route(115, 262, "cap 1.0 stop");
  k.route(250, 262, "cap 1.2 stop wait");
  k.route(400, 262, "cap 1.6");
  k.route(445, 268, "cap 1.2", 14);
}
