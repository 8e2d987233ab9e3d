// The campaign: twelve levels flown in order, from the landing pad in the
// hangar to the swirl at the core. Each level is one function; its comment
// says what it teaches and which mechanics it uses. Every level after the
// first sets a checkpoint where the ship arrives, and every level but the
// last ends in an exit portal that warps to the next level's arrival
// receiver, "in". The ship keeps its speed and
// heading through a warp, so each arrival faces open space in the direction
// the previous level was left in.
//
// The "trigger" zones written by route() do nothing in the game: they mark
// the way through the level for the autopilot (tools/autopilot), in order.

#include "Campaign.h"
#include "Kit.h"

namespace {
const char* const hangar = "hangar";
const char* const shaft = "shaft";
const char* const caverns = "caverns";
const char* const wells = "wells";
const char* const mill = "mill";
const char* const pistons = "pistons";
const char* const storm = "storm";
const char* const switchyard = "switchyard";
const char* const locks = "locks";
const char* const deep = "deep";
const char* const gauntlet = "gauntlet";
const char* const core = "core";

// Hangar, no gravity. Teaches turning and thrust in open space. The walls
// of the hangar cannot hurt the ship: nothing can before the first
// checkpoint, which waits in the shaft above. Mechanics: spawner, the first
// "mark", "song" (the cave music takes over from the menu's), "sound", a
// fuel tank, level warp.
void hangarLevel(LevelData& data) {
  LevelKit k(data, hangar, false);
  Cave cave;
  cave.room(20, 180, 180, 120);
  cave.tunnel({{90, 220}, {90, 70}, {250, 60}, {400, 80}, {410, 240}, {290, 250}}, 80);
  k.rock(cave, {0.58f, 0.35f, 0.5f}, 1);

  k.place("spawner", 90, 255);
  k.zone(20, 180, 180, 120, "song", "cave");
  k.zone(20, 180, 180, 120, "sound", "beep");
  k.place("crystals", 160, 298);
  k.place("crystals", 40, 298);
  k.checkpoint("a", 90, 150, "u");
  k.fuelPickup("fuel_tank", 250, 62, 4);
  k.checkpoint("b", 405, 150, "d");
  k.place("crystals", 330, 292);
  k.exit(250, 215, 30, 70, shaft, "in");

  k.route(90, 150, "cap 1.2");
  k.route(100, 85, "cap 1.5");
  k.route(250, 62, "cap 1.8");
  k.route(390, 90, "cap 1.5");
  k.route(408, 200, "cap 1.5");
  k.route(330, 248, "cap 1.5");
  k.route(265, 250, "cap 1.2", 14);
}

// Shaft, gravity. Teaches gravity: braking a fall, hovering, climbing.
// Mechanics: gravity, dripping stalactites (a model sound), fading moss
// walls ('t'), "face" (the ship is turned to the checkpoint's facing at the
// foot of the climb), gas fumes as fuel.
void shaftLevel(LevelData& data) {
  LevelKit k(data, shaft, true);
  Cave cave;
  cave.tunnel({{440, 55}, {60, 55}, {60, 268}, {420, 268}, {420, 160}, {220, 160}}, 76);
  k.rock(cave, {0.08f, 0.35f, 0.48f}, 2);
  k.retype(110, 292, 260, 20, WALL_FADE, ofColor(90, 230, 120));

  k.checkpoint("in", 430, 55, "u");
  k.place("drip", 320, 18);
  k.place("drip", 170, 18);
  k.checkpoint("b", 75, 250, "u");
  k.fuelPickup("gas_fumes", 240, 262, 5);
  k.checkpoint("c", 420, 245, "u");
  k.zone(390, 195, 60, 25, "face");
  k.place("crystals", 300, 198);
  k.exit(190, 128, 35, 64, caverns, "in");

  k.route(380, 58, "cap 1.5");
  k.route(80, 62, "cap 1.5 stop");
  k.route(65, 180, "cap 1.2");
  k.route(90, 262, "cap 1.0 stop");
  k.route(240, 262, "cap 1.6");
  k.route(400, 262, "cap 1.2 stop");
  k.route(420, 175, "cap 1.0 stop");
  k.route(300, 160, "cap 1.5");
  k.route(207, 160, "cap 1.2", 14);
}

// Caverns, gravity. Teaches flying a winding cave under gravity: rock
// bulges from the ceilings and floors, so the ship weaves up and down while
// it brakes its falls. Mechanics: gravity, fading moss ('t'), drips,
// crystals, gas fumes.
void cavernsLevel(LevelData& data) {
  LevelKit k(data, caverns, true);
  Cave cave;
  cave.tunnel({{445, 50}, {60, 50}, {60, 160}, {420, 160}, {420, 270}, {35, 270}}, 84);
  for (const ofxVec2f& bump : {ofxVec2f(300, 8), ofxVec2f(180, 92), ofxVec2f(150, 118),
                               ofxVec2f(300, 202), ofxVec2f(330, 228), ofxVec2f(190, 312)}) {
    cave.boulder(bump.x, bump.y, 24);
  }
  k.rock(cave, {0.3f, 0.3f, 0.42f}, 11);
  k.retype(20, 290, 440, 30, WALL_FADE, ofColor(120, 240, 140));

  k.checkpoint("in", 430, 50, "u");
  k.place("drip", 250, 10);
  k.place("drip", 390, 10);
  k.checkpoint("b", 60, 130, "u");
  k.place("crystals", 240, 200);
  k.fuelPickup("gas_fumes", 420, 200, 5);
  k.checkpoint("c", 420, 235, "u");
  k.place("drip", 250, 230);
  k.place("crystals", 110, 310);
  k.exit(20, 235, 30, 70, wells, "in");

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

// Wells, no gravity, three gravity points. Teaches their pull: each well
// bends the course towards its flickering core ('e' walls), so the slalom
// between them needs counter-thrust. Mechanics: gravity points, "breaks"
// (the ship is caught on arrival), battery charge.
void wellsLevel(LevelData& data) {
  LevelKit k(data, wells, false);
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

  k.checkpoint("in", 435, 250, "l");
  k.zone(405, 220, 60, 60, "breaks");
  k.checkpoint("b", 60, 170, "u");
  k.fuelPickup("battery_charge", 250, 55, 5);
  k.exit(425, 27, 30, 56, mill, "in");

  k.route(380, 270, "cap 1.2");
  k.route(290, 160, "cap 1.2");
  k.route(195, 275, "cap 1.2");
  k.route(90, 250, "cap 1.2");
  k.route(60, 150, "cap 1.2");
  k.route(70, 60, "cap 1.2 stop");
  k.route(250, 55, "cap 1.8");
  k.route(440, 55, "cap 1.2", 14);
}

// Mill, gravity. Teaches moving hazards: rotating bars turn close to one
// wall after the other, leaving a lane beside each, so the way is a slalom
// between high and low lanes. Mechanics: solid animated models, "songAtFull"
// (the driving track cuts in), "shake".
void millLevel(LevelData& data) {
  LevelKit k(data, mill, true);
  Cave cave;
  cave.room(10, 10, 460, 135);
  cave.room(10, 175, 460, 135);
  cave.room(390, 10, 80, 300);
  k.rock(cave, {0.02f, 0.4f, 0.45f}, 4);

  k.checkpoint("in", 40, 90, "u");
  k.zone(10, 40, 60, 100, "songAtFull", "drive");
  k.zone(10, 40, 60, 100, "shake", "900");
  k.place("rotor", 150, 48);
  k.place("rotor", 290, 107);
  k.fuelPickup("fuel_tank", 430, 50, 5);
  k.checkpoint("b", 430, 160, "u");
  k.place("rotor", 320, 272);
  k.place("rotor", 190, 213);
  k.exit(14, 250, 36, 56, pistons, "in");

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

// Pistons, no gravity. Teaches waiting for a gap: pistons slam across the
// corridors in turn while a siren wails. Mechanics: pistons (solid animated
// models), "cycle_siren", "cycle_end", "sound".
void pistonsLevel(LevelData& data) {
  LevelKit k(data, pistons, false);
  Cave cave;
  cave.room(20, 200, 450, 110);
  cave.room(20, 20, 80, 290);
  cave.room(20, 20, 450, 110);
  k.rock(cave, {0.1f, 0.45f, 0.42f}, 5);

  k.checkpoint("in", 440, 255, "l");
  k.zone(400, 200, 70, 110, "cycle_siren");
  k.zone(400, 200, 70, 110, "sound", "siren");
  k.place("siren_lamp", 400, 310);
  k.place("siren_lamp", 130, 310);
  k.place("piston_a", 330, 200);
  k.place("piston_b", 235, 200);
  k.place("piston_c", 140, 200);
  k.checkpoint("b", 60, 255, "u");
  k.fuelPickup("gas_fumes", 60, 165, 6);
  k.checkpoint("c", 60, 75, "r");
  k.place("piston_a", 190, 20);
  k.place("piston_c", 310, 20);
  k.zone(380, 20, 40, 110, "cycle_end");
  k.exit(430, 30, 30, 90, storm, "in");

  k.route(410, 255, "cap 1.0 stop");
  k.route(283, 255, "cap 1.5 stop wait");
  k.route(188, 255, "cap 1.5 stop wait");
  k.route(65, 240, "cap 1.2 stop");
  k.route(60, 110, "cap 1.4");
  k.route(120, 75, "cap 1.0 stop wait");
  k.route(250, 75, "cap 1.5 stop wait");
  k.route(370, 75, "cap 1.5 wait");
  k.route(445, 75, "cap 1.2", 14);
}

// Storm, gravity. Teaches crossing timed hazards on the way down: arcs
// spark across the passages, lightning flashes, and a rockfall seals the
// way back. Mechanics: "cycle_thunder", "song_pause" and "song_play" (the
// music drops out in the storm), zappers (a model sound), flickering walls
// ('e'), "add" (the rockfall), "shake", "cycle_end".
void stormLevel(LevelData& data) {
  LevelKit k(data, storm, true);
  Cave cave;
  cave.tunnel({{25, 60}, {385, 60}, {385, 160}, {100, 160}, {100, 268}, {455, 268}}, 76);
  k.rock(cave, {0.7f, 0.25f, 0.42f}, 6);
  k.retype(150, 110, 200, 20, WALL_FLICKER, ofColor(200, 190, 255));
  k.retype(150, 290, 250, 30, WALL_FLICKER, ofColor(200, 190, 255));

  k.checkpoint("in", 40, 60, "u");
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
  k.exit(430, 232, 30, 72, switchyard, "in");

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

// Switchyard, no gravity. Teaches that zones change the level: a force
// field bars the way until the lever in the loft above is thrown, and a
// teleporter pad is the only way into the sealed bay with the exit.
// Mechanics: "remove", the force field (a model sound), the lever ("remove"
// and "add" swap it for the thrown one), "this", battery.
void switchyardLevel(LevelData& data) {
  LevelKit k(data, switchyard, false);
  Cave cave;
  cave.room(20, 90, 190, 140);
  cave.tunnel({{110, 100}, {110, 40}}, 70);
  cave.room(60, 15, 110, 50);
  cave.room(200, 120, 50, 80);
  cave.room(240, 30, 220, 170);
  cave.room(240, 240, 220, 70);
  k.rock(cave, {0.45f, 0.35f, 0.45f}, 7);

  k.checkpoint("in", 40, 160, "r");
  k.place("force_field", 225, 112);
  k.fuelPickup("battery_charge", 80, 40, 5);
  // The switch: the lever stands in the middle of its zone and is swapped
  // for the thrown one when the field goes.
  k.place("lever", 142, 43);
  k.zone(120, 20, 45, 40, "remove", "force_field");
  k.zone(120, 20, 45, 40, "remove", "lever");
  k.zone(120, 20, 45, 40, "add", "lever_thrown");
  k.zone(120, 20, 45, 40, "sound", "beep");
  k.checkpoint("b", 300, 110, "r");
  k.place("teleporter", 420, 150);
  k.zone(400, 130, 40, 40, "this", "across");
  k.checkpoint("across", 275, 275, "r");
  k.exit(425, 245, 30, 60, locks, "in");

  k.route(100, 130, "cap 1.2 stop");
  k.route(110, 70, "cap 1.2");
  k.route(140, 40, "cap 1.0 stop");
  k.route(110, 110, "cap 1.2 stop");
  k.route(225, 160, "cap 1.4");
  k.route(320, 120, "cap 1.2");
  k.route(420, 150, "cap 1.0", 10);
  k.route(380, 275, "cap 1.2");
  k.route(440, 275, "cap 1.2", 14);
}

// Locks, gravity. Teaches climbing through timed gates: doors close across
// the corridors, and the way goes upwards against gravity. Mechanics: doors
// (solid models with the "door" sound), battery charge, "song_fade" (the
// music fades out before the deep).
void locksLevel(LevelData& data) {
  LevelKit k(data, locks, true);
  Cave cave;
  cave.room(20, 232, 440, 70);
  cave.room(380, 122, 80, 180);
  cave.room(20, 122, 440, 70);
  cave.room(20, 22, 80, 170);
  cave.room(20, 22, 440, 70);
  k.rock(cave, {0.55f, 0.4f, 0.4f}, 8);

  k.checkpoint("in", 40, 267, "u");
  k.place("door_a", 170, 267);
  k.place("door_b", 290, 267);
  k.checkpoint("b", 420, 250, "u");
  k.fuelPickup("battery_charge", 420, 157, 6);
  k.place("door_a", 250, 157);
  k.checkpoint("c", 60, 160, "u");
  k.place("door_b", 200, 57);
  k.place("door_a", 320, 57);
  k.zone(360, 22, 40, 70, "song_fade");
  k.exit(430, 27, 30, 60, deep, "in");

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

// Deep, gravity and gravity points. Puts it together: wells pull across a
// sinking cavern and arcs spark across its passages, in the deep track's
// gloom. The second well sits in a hollow above the last passage, where its
// pull on the way to the exit can be seen. Mechanics: "song" from silence,
// gravity points under gravity, fading walls ('t'), zappers, drips, fuel tank.
void deepLevel(LevelData& data) {
  LevelKit k(data, deep, true);
  Cave cave;
  cave.tunnel({{25, 55}, {425, 55}, {425, 170}, {255, 170}, {255, 268}, {40, 268}}, 80);
  cave.room(180, 130, 250, 90);
  cave.disc(60, 200, 33);
  k.rock(cave, {0.62f, 0.45f, 0.35f}, 9);
  k.retype(0, 0, 480, 30, WALL_FADE, ofColor(80, 120, 255));

  k.checkpoint("in", 40, 55, "u");
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
  k.exit(22, 238, 30, 60, gauntlet, "in");

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

// Gauntlet, no gravity. Every timed hazard met so far, one after another:
// doors and sparking arcs across a snake of corridors, with one cloud of
// gas fumes on the way to refuel. Mechanics: doors, zappers, gas fumes.
void gauntletLevel(LevelData& data) {
  LevelKit k(data, gauntlet, false);
  Cave cave;
  cave.tunnel({{445, 268}, {60, 268}, {60, 160}, {420, 160}, {420, 55}, {35, 55}}, 80);
  k.rock(cave, {0.95f, 0.35f, 0.42f}, 12);

  k.checkpoint("in", 440, 268, "l");
  k.place("door_a", 300, 268);
  k.place("zapper_a", 180, 222);
  k.checkpoint("b", 60, 215, "u");
  k.fuelPickup("gas_fumes", 60, 165, 8);
  k.place("door_b", 200, 160);
  k.place("zapper_b", 320, 114);
  k.checkpoint("c", 420, 110, "u");
  k.place("door_a", 300, 55);
  k.place("zapper_a", 150, 9);
  k.exit(20, 20, 30, 70, core, "in");

  k.route(380, 268, "cap 1.2 stop wait");
  k.route(240, 268, "cap 1.2 stop wait");
  k.route(110, 268, "cap 1.2");
  k.route(60, 200, "cap 1.0 stop");
  k.route(130, 160, "cap 1.2 stop wait");
  k.route(260, 160, "cap 1.2 stop wait");
  k.route(380, 160, "cap 1.2");
  k.route(420, 90, "cap 1.0 stop");
  k.route(370, 55, "cap 1.2 stop wait");
  k.route(220, 55, "cap 1.2 stop wait");
  k.route(90, 55, "cap 1.2");
  k.route(35, 55, "cap 1.2", 14);
}

// Core, no gravity. The finale: round the ring through the guardians' gate
// and arc to the swirl at the centre, which swallows the ship and ends the
// run. Mechanics: "song_stop", "songAtFull", "song_setFullVolume", a door
// and a zapper, flickering walls, grav_center, "sound" and "finish_it".
void coreLevel(LevelData& data) {
  LevelKit k(data, core, false);
  Cave cave;
  cave.room(10, 10, 460, 300);
  cave.pillar(130, 90, 220, 140);
  cave.disc(240, 160, 50);
  cave.tunnel({{240, 160}, {240, 80}}, 70);
  k.rock(cave, {0.85f, 0.5f, 0.45f}, 10);
  k.retype(130, 85, 220, 150, WALL_FLICKER, ofColor(255, 120, 220));

  k.checkpoint("in", 430, 270, "l");
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
}  // namespace

void addLevels(LevelData& data) {
  hangarLevel(data);
  shaftLevel(data);
  cavernsLevel(data);
  wellsLevel(data);
  millLevel(data);
  pistonsLevel(data);
  stormLevel(data);
  switchyardLevel(data);
  locksLevel(data);
  deepLevel(data);
  gauntletLevel(data);
  coreLevel(data);
}
