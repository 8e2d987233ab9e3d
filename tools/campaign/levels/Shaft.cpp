#include "Levels.h"

#include "Kit.h"

// Shaft, gravity. Teaches gravity: the ship is turned nose up where it
// arrives and words there say to tap thrust to hover; then it sinks down
// one wide shaft (a side chamber on the way holds fuel), crosses a gallery
// at the bottom and climbs another shaft to the exit, turned nose up again
// at the foot of the climb. Mechanics: gravity, "face" (the ship is turned
// to the checkpoint's facing, on arrival and at the foot of the climb),
// dripping stalactites (a model sound), fading moss walls ('t'), a fuel
// tank.
void shaftLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.room(20, 20, 250, 70);     // where the ship arrives
  cave.room(155, 60, 100, 245);   // the shaft down
  cave.room(35, 110, 125, 125);   // its side chamber
  cave.room(155, 195, 290, 113);  // the gallery at the bottom
  cave.room(345, 20, 100, 285);   // the shaft up
  cave.room(280, 105, 70, 65);    // its side chamber
  k.rock(cave, {0.08f, 0.35f, 0.48f}, 2);
  k.retype(160, 292, 280, 20, WALL_FADE, ofColor(90, 230, 120));

  k.arrival(205, 55, "u");
  k.zone(185, 35, 40, 40, "face");
  k.place("hint_gravity", 90, 57);
  k.place("drip", 60, 18);
  k.checkpoint("b", 205, 145, "u");
  k.fuelPickup("fuel_tank", 95, 148, 5);
  k.place("hint_sink", 100, 195);
  k.place("crystals", 60, 234);
  k.checkpoint("c", 290, 228, "u");
  k.place("hint_climb", 395, 288);
  k.zone(350, 215, 90, 50, "face");
  k.checkpoint("d", 395, 140, "u");
  k.place("drip", 315, 103);
  k.place("crystals", 310, 170);
  k.exit(365, 25, 60, 35, next, "in");

  k.route(205, 110, "cap 1.0");
  k.route(205, 145, "cap 1.0 stop");
  k.route(100, 148, "cap 1.0 stop");
  k.route(200, 155, "cap 1.0");
  k.route(205, 225, "cap 1.0 stop");
  k.route(290, 228, "cap 1.2");
  k.route(395, 232, "cap 1.0 stop");
  k.route(395, 140, "cap 1.2");
  k.route(395, 42, "cap 1.2", 14);
}
