#include "Levels.h"

#include "Kit.h"

// Core, no gravity. The finale: round the ring through the guardians' gate
// and arc to the swirl at the centre, which swallows the ship and ends the
// run. Mechanics: "song_stop", "songAtFull", "song_setFullVolume", a door
// and a zapper, flickering walls, grav_center, "sound" and "finish_it".
void coreLevel(LevelData& data, const std::string& guid, const std::string& /*next*/) {
  LevelKit k(data, guid, false);
  Cave cave;
  cave.room(10, 10, 460, 300);
  cave.pillar(130, 90, 220, 140);
  cave.disc(240, 160, 50);
  cave.tunnel({{240, 160}, {240, 80}}, 70);
  k.rock(cave, {0.85f, 0.5f, 0.45f}, 10);
  k.retype(130, 85, 220, 150, WALL_FLICKER, ofColor(255, 120, 220));

  k.arrival(430, 270, "l");
  k.zone(390, 230, 80, 80, "song_stop");
  k.zone(340, 230, 40, 80, "songAtFull", "finale");
  k.zone(200, 230, 40, 80, "song_setFullVolume");
  k.place("door_b", 280, 270);
  k.place("siren_lamp", 240, 310);
  k.checkpoint("b", 70, 160, "u");
  k.place("zapper_b", 180, 4);
  k.place("grav_center", 240, 160);
  k.zone(215, 135, 50, 50, "sound", "finish");
  k.zone(215, 135, 50, 50, "finish_it");

  k.route(330, 270, "cap 1.2 stop wait");
  k.route(150, 275, "cap 1.4");
  k.route(70, 200, "cap 1.2 stop");
  k.route(70, 110, "cap 1.2 stop");
  k.route(130, 50, "cap 1.2 stop wait");
  k.route(240, 50, "cap 1.0 stop");
  k.route(240, 160, "cap 1.0", 14);
}
