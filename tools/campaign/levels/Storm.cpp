#include "Levels.h"

#include "Kit.h"

// Storm, gravity. Teaches crossing timed hazards while winding round an
// obstacle: the way circles a great rock mass against the clock's hands
// (down the west side, east along the floor, up the east side, back west
// over the top) and ends in a hook cut into the rock, the calm eye of the
// storm. Arcs spark across the floor and the roof passages, lightning
// flashes, and a rockfall seals the west side once the ship has come down
// it. Mechanics: "cycle_thunder", "song_pause" and "song_play" (the music
// drops out in the storm and comes back in the eye), zappers (a model
// sound), flickering walls ('e', the lightning-lit east side), "add" (the
// rockfall) with "shake", "cycle_end".
void stormLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  // The ring round the rock, from the arrival pocket to the hook; the rock
  // between the pocket and the roof passage keeps the ship from the short way.
  cave.tunnel({{100, 55}, {50, 55}, {50, 264}, {430, 264}, {430, 55}, {215, 55}}, 76);
  cave.tunnel({{215, 55}, {215, 160}, {285, 160}}, 68);
  // Bays that round the ring out and make the rock a lump, not a box.
  cave.disc(60, 255, 44);
  cave.disc(420, 258, 46);
  cave.disc(425, 62, 44);
  cave.disc(140, 290, 22);
  k.rock(cave, {0.7f, 0.25f, 0.42f}, 6);
  k.retype(384, 95, 16, 140, WALL_FLICKER, ofColor(200, 190, 255));
  k.retype(95, 218, 300, 16, WALL_FLICKER, ofColor(200, 190, 255));

  k.arrival(50, 55, "u");
  k.zone(12, 17, 70, 76, "cycle_thunder");
  k.zone(12, 17, 70, 76, "sound", "thunder");
  k.place("drip", 105, 19);
  k.zone(12, 125, 76, 30, "song_pause");
  k.checkpoint("b", 50, 165, "u");
  // The rockfall lands above and left of its zone's corner, filling the
  // west side; its zone lies inside checkpoint c's, so the ship that
  // triggers it has already marked the checkpoint beyond it.
  k.checkpoint("c", 115, 264, "u");
  k.zone(85, 240, 50, 50, "add", "rubble");
  k.zone(85, 240, 50, 50, "shake", "1500");
  k.place("zapper_a", 205, 219);
  k.place("zapper_b", 285, 219);
  k.checkpoint("d", 350, 264, "u");
  k.fuelPickup("fuel_tank", 432, 215, 6);
  k.checkpoint("e", 430, 150, "u");
  k.place("zapper_a", 330, 10);
  k.checkpoint("f", 270, 55, "u");
  k.zone(181, 130, 68, 60, "song_play");
  k.zone(235, 126, 25, 68, "cycle_end");
  k.exit(262, 130, 30, 60, next, "in");

  k.route(50, 120, "cap 1.2");
  k.route(55, 230, "cap 1.0 stop");
  k.route(120, 264, "cap 1.0 stop");
  k.route(172, 264, "cap 1.0 stop wait");
  k.route(252, 264, "cap 1.0 stop wait");
  k.route(330, 264, "cap 1.6");
  k.route(420, 250, "cap 1.0 stop");
  k.route(432, 200, "cap 1.0");
  k.route(430, 150, "cap 1.2");
  k.route(425, 70, "cap 1.0 stop");
  k.route(362, 55, "cap 1.0 stop wait");
  k.route(270, 55, "cap 1.6");
  k.route(215, 70, "cap 1.0 stop");
  k.route(215, 155, "cap 1.0 stop");
  k.route(280, 160, "cap 1.2", 14);
}
