#include "Levels.h"

#include "Kit.h"

// Wells, no gravity, three gravity points. Teaches their pull: each well
// bends the course towards its flickering core ('e' walls), so the slalom
// between them needs counter-thrust. Mechanics: gravity points, "breaks"
// (the ship is caught on arrival), a fuel tank.
void wellsLevel(LevelData& data, const std::string& guid, const std::string& next) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(20, 130, 440, 170);
  cave.room(20, 20, 80, 280);
  cave.tunnel({{60, 55}, {445, 55}}, 64);
  k.rock(cave, {0.75f, 0.3f, 0.45f}, 3);
  for (const ofxVec2f& w : {ofxVec2f(340, 200), ofxVec2f(240, 250), ofxVec2f(150, 195)}) {
    k.gravityPoint(w.x, w.y);
    k.place("well", w.x, w.y);
    for (int s = 0; s < 8; ++s) {
      const ofxVec2f p = turned(0, -12, s * 45.0f), q = turned(0, -12, (s + 1) * 45.0f);
      k.wall(w.x + p.x, w.y + p.y, w.x + q.x, w.y + q.y, ofColor(230, 140, 255), WALL_FLICKER);
    }
  }

  k.arrival(435, 250, "l");
  k.checkpoint("b", 60, 170, "u");
  k.fuelPickup("fuel_tank", 250, 55, 5);
  k.exit(425, 27, 30, 56, next, "in");

  k.route(380, 270, "cap 1.2");
  k.route(290, 160, "cap 1.2");
  k.route(195, 275, "cap 1.2");
  k.route(90, 250, "cap 1.2");
  k.route(60, 150, "cap 1.2");
  k.route(70, 60, "cap 1.2 stop");
  k.route(250, 55, "cap 1.8");
  k.route(440, 55, "cap 1.2", 14);
}
