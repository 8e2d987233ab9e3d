#include "Levels.h"

#include "Kit.h"

// Caverns, gravity. Teaches flying a winding cave under gravity: rock
// bulges from the ceilings and floors, so the ship weaves up and down while
// it brakes its falls. Mechanics: gravity, fading moss ('t'), drips,
// crystals, gas fumes.
void cavernsLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{445, 50}, {60, 50}, {60, 160}, {420, 160}, {420, 270}, {35, 270}}, 84);
  for (const ofxVec2f& bump : {ofxVec2f(300, 8), ofxVec2f(180, 92), ofxVec2f(150, 118),
                               ofxVec2f(300, 202), ofxVec2f(330, 228), ofxVec2f(190, 312)}) {
    cave.boulder(bump.x, bump.y, 24);
  }
  k.rock(cave, {0.3f, 0.3f, 0.42f}, 11);
  k.retype(20, 290, 440, 30, WALL_FADE, ofColor(120, 240, 140));

  k.arrival(430, 50, "u");
  k.place("drip", 250, 10);
  k.place("drip", 390, 10);
  k.checkpoint("b", 60, 130, "u");
  k.place("crystals", 240, 200);
  k.fuelPickup("gas_fumes", 420, 200, 5);
  k.checkpoint("c", 420, 235, "u");
  k.place("drip", 250, 230);
  k.place("crystals", 110, 310);
  k.exit(20, 235, 30, 70, next, "in");

  k.route(330, 60, "cap 1.4");
  k.route(240, 40, "cap 1.2");
  k.route(120, 45, "cap 1.2");
  k.route(60, 110, "cap 1.0 stop");
  k.route(75, 160, "cap 1.0 stop");
  k.route(220, 145, "cap 1.2");
  k.route(330, 160, "cap 1.2");
  k.route(410, 175, "cap 1.0 stop");
  k.route(420, 250, "cap 1.0 stop");
  k.route(330, 280, "cap 1.2");
  k.route(190, 265, "cap 1.2");
  k.route(35, 270, "cap 1.2", 14);
}
