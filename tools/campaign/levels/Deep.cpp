#include "Levels.h"

#include "Kit.h"

// Deep, gravity and gravity points. Puts it together in the deep track's
// gloom: a cavern that sinks from the north-east to the south-west through
// four irregular chambers, each lower than the last, the way swinging west,
// east and west again. Arcs spark across the neck out of each chamber that
// leads west, and two wells pull: the strong one in the second chamber
// draws the ship west as it comes out of the first neck and over the drop,
// the other hangs in the rock over the second neck and tugs at the ship
// waiting there. Mechanics: "song" from silence, gravity points under
// gravity (several at one spot make a stronger well), fading walls ('t'),
// zappers, drips, fuel tank.
void deepLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  // The arrival chamber, high in the north-east, and the neck west of it.
  cave.disc(385, 62, 55);
  cave.disc(440, 75, 35);
  cave.disc(330, 60, 40);
  cave.disc(355, 98, 36);
  cave.tunnel({{310, 100}, {225, 100}}, 70);
  // The well chamber, and the drop out of its floor.
  cave.disc(150, 105, 65);
  cave.disc(95, 85, 45);
  cave.tunnel({{190, 150}, {225, 215}}, 72);
  // The low chamber, with the fuel in its eastern bay, and the neck west.
  cave.disc(270, 235, 58);
  cave.disc(340, 225, 48);
  cave.disc(395, 255, 40);
  cave.tunnel({{220, 268}, {140, 268}}, 70);
  // The last chamber and the way out west.
  cave.disc(127, 258, 44);
  cave.tunnel({{127, 266}, {15, 266}}, 68);
  k.rock(cave, {0.62f, 0.45f, 0.35f}, 9);
  k.retype(25, 30, 205, 150, WALL_FADE, ofColor(80, 120, 255));

  k.arrival(400, 30, "u");
  k.zone(360, 10, 90, 60, "song", "deep");
  k.place("zapper_b", 262, 55);
  k.checkpoint("b", 200, 100, "u");
  for (int p = 0; p < 4; ++p) k.gravityPoint(140, 112);
  k.place("well", 140, 112);
  k.place("drip", 150, 42);
  k.checkpoint("c", 255, 232, "u");
  for (int p = 0; p < 2; ++p) k.gravityPoint(200, 224);
  k.place("well", 200, 224);
  k.fuelPickup("fuel_tank", 378, 228, 6);
  k.place("crystals", 350, 271);
  k.place("zapper_a", 178, 223);
  k.checkpoint("d", 127, 258, "u");
  // Every model restarts when the ship reappears; this arc then rests for
  // a second, so a ship sent back to d is not met by sparks.
  k.place("zapper_b", 68, 221);
  k.exit(12, 238, 30, 60, next, "in");

  k.route(370, 92, "cap 1.0 stop");
  k.route(295, 100, "cap 1.0 stop wait");
  k.route(205, 100, "cap 1.6");
  k.route(195, 160, "cap 1.0 stop");
  k.route(245, 230, "cap 1.0 stop");
  k.route(375, 228, "cap 1.2 stop");
  k.route(210, 266, "cap 1.0 stop wait");
  k.route(130, 262, "cap 1.6 stop");
  k.route(100, 266, "cap 1.0 stop wait");
  k.route(27, 266, "cap 1.4", 14);
}
