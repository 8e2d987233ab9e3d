#include "Levels.h"

#include "Kit.h"

// Deep, gravity and gravity points. Puts it together: wells pull across a
// sinking cavern and arcs spark across its passages, in the deep track's
// gloom. The second well sits in a hollow above the last passage, where its
// pull on the way to the exit can be seen. Mechanics: "song" from silence,
// gravity points under gravity, fading walls ('t'), zappers, drips, fuel tank.
void deepLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{25, 55}, {425, 55}, {425, 170}, {255, 170}, {255, 268}, {40, 268}}, 80);
  cave.room(180, 130, 250, 90);
  cave.disc(60, 200, 33);
  k.rock(cave, {0.62f, 0.45f, 0.35f}, 9);
  k.retype(0, 0, 480, 30, WALL_FADE, ofColor(80, 120, 255));

  k.arrival(40, 55, "u");
  k.zone(10, 15, 60, 80, "song", "deep");
  k.place("drip", 200, 17);
  k.place("zapper_b", 250, 8);
  k.gravityPoint(330, 175);
  k.place("well", 330, 175);
  k.fuelPickup("fuel_tank", 425, 120, 6);
  k.checkpoint("b", 425, 150, "u");
  k.place("zapper_a", 150, 222);
  k.gravityPoint(60, 200);
  k.place("well", 60, 200);
  k.place("crystals", 350, 218);
  k.exit(22, 238, 30, 60, next, "in");

  k.route(160, 58, "cap 1.2 stop wait");
  k.route(340, 58, "cap 1.4");
  k.route(425, 80, "cap 1.0 stop");
  k.route(425, 120, "cap 1.0 stop");
  k.route(400, 175, "cap 1.0 stop");
  k.route(270, 185, "cap 1.2");
  k.route(245, 262, "cap 1.0 stop wait");
  k.route(60, 262, "cap 1.2");
  k.route(37, 268, "cap 1.2", 14);
}
