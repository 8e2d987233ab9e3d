#include "Levels.h"

#include "Kit.h"

// Mill, gravity. Teaches moving hazards: rotating bars turn close to one
// wall after the other, leaving a lane beside each, so the way is a slalom
// between high and low lanes. Mechanics: solid animated models, "songAtFull"
// (the driving track cuts in), "shake".
void millLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.room(10, 10, 460, 135);
  cave.room(10, 175, 460, 135);
  cave.room(390, 10, 80, 300);
  k.rock(cave, {0.02f, 0.4f, 0.45f}, 4);

  k.arrival(40, 90, "u");
  k.zone(10, 40, 60, 100, "songAtFull", "drive");
  k.zone(10, 40, 60, 100, "shake", "900");
  k.place("rotor", 150, 48);
  k.place("rotor", 290, 107);
  k.fuelPickup("fuel_tank", 430, 50, 5);
  k.checkpoint("b", 430, 160, "u");
  k.place("rotor", 320, 272);
  k.place("rotor", 190, 213);
  k.exit(14, 250, 36, 56, next, "in");

  k.route(100, 115, "cap 1.3");
  k.route(200, 115, "cap 1.3");
  k.route(240, 45, "cap 1.0 stop");
  k.route(360, 40, "cap 1.2");
  k.route(430, 50, "cap 1.0 stop");
  k.route(430, 110, "cap 1.0 stop");
  k.route(430, 200, "cap 1.0 stop");
  k.route(340, 205, "cap 1.2");
  k.route(240, 230, "cap 1.0 stop");
  k.route(120, 280, "cap 1.2");
  k.route(32, 278, "cap 1.2", 14);
}
