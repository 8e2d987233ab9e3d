// The shared models. Model coordinates are relative to where a level places
// the model. Hazards are solid; everything drawn for looks is not.

#include <cmath>
#include <string>

#include "Campaign.h"
#include "Hints.h"
#include "Kit.h"
#include "ReactorPit.h"

namespace {
const float pi = 3.14159265f;

// The ship's own colour (108, 140, 255) is left to the ship.
void roles(LevelData& data) {
  // A landing pad under the start position, its lamps blinking in turn.
  ModelKit pad(data, "spawner", 400, false);
  for (int f = 0; f < 2; ++f) {
    pad.frame()
        .line(-16, 10, 16, 10, ofColor(150, 160, 170))
        .line(-12, 10, -16, 16, ofColor(110, 120, 130))
        .line(12, 10, 16, 16, ofColor(110, 120, 130))
        .line(-16, 8, -13, 8, f == 0 ? ofColor(90, 255, 120) : ofColor(30, 80, 40))
        .line(13, 8, 16, 8, f == 1 ? ofColor(90, 255, 120) : ofColor(30, 80, 40));
  }

  // The explosion: shards flung outwards, cooling from yellow to red.
  ModelKit blast(data, "player_death", 45, false, true);
  for (int f = 0; f < 9; ++f) {
    blast.frame();
    const float heat = f / 8.0f;
    const ofColor color(255, 230 - 190 * heat, 120 - 110 * heat);
    for (int s = 0; s < 11; ++s) {
      const float a = s * 360.0f / 11 + noise(s, 1, 5) * 25;
      const float r = 3 + 4.5f * f * (0.7f + 0.6f * noise(s, 2, 5));
      const float length = 6 - 0.5f * f;
      const ofxVec2f p = turned(0, -r, a), q = turned(2, -r - length, a + 12 * f);
      blast.line(p.x, p.y, q.x, q.y, color);
    }
    if (f < 3) blast.ring(0, 0, 3 + 4 * f, 7, ofColor(255, 250, 200), WALL_FLICKER, f * 20.0f);
  }

  // The return: a shimmer of rings drawn in on the ship.
  ModelKit shimmer(data, "player_respawn", 40, false, true);
  for (int f = 0; f < 8; ++f) {
    const float r = 26 - 3 * f;
    shimmer.frame().ring(0, 0, r, 12, ofColor(120, 255, 230), WALL_FLICKER, f * 15.0f);
    for (int s = 0; s < 4; ++s) {
      const ofxVec2f p = turned(0, -r - 4, s * 90.0f + f * 20), q = turned(0, -r - 9, s * 90.0f + f * 20);
      shimmer.line(p.x, p.y, q.x, q.y, ofColor(220, 255, 250));
    }
  }

  // The swirl at the heart of the last level that swallows the ship.
  ModelKit swirl(data, "grav_center", 60, false);
  for (int f = 0; f < 12; ++f) {
    swirl.frame();
    for (int arm = 0; arm < 3; ++arm) {
      Polyline spiral;
      for (int k = 0; k <= 10; ++k) {
        const float r = 3 + 3.2f * k;
        spiral.push_back(turned(0, -r, arm * 120.0f + f * 10.0f + k * 24.0f));
      }
      swirl.path(spiral, hsl(0.78f + 0.05f * arm, 0.9f, 0.62f));
    }
    swirl.ring(0, 0, 5, 6, ofColor(255, 220, 255), WALL_FLICKER, f * 5.0f);
  }

  // Fuel pick-ups: a canister, a cloud of gas, a battery.
  ModelKit tank(data, "fuel_tank", 500, false);
  for (int f = 0; f < 2; ++f) {
    const ofColor label = f == 0 ? ofColor(255, 240, 150) : ofColor(160, 120, 40);
    tank.frame()
        .loop({{-7, -9}, {7, -9}, {7, 10}, {-7, 10}}, ofColor(255, 150, 40))
        .line(-3, -12, 3, -12, ofColor(255, 150, 40))
        .line(-3, -12, -3, -9, ofColor(255, 150, 40))
        .line(3, -12, 3, -9, ofColor(255, 150, 40))
        .path({{2, -4}, {-2, -4}, {-2, 5}}, label)
        .line(-2, 0, 1, 0, label);
  }
  ModelKit fumes(data, "gas_fumes", 250, false);
  for (int f = 0; f < 3; ++f) {
    fumes.frame();
    for (int puff = 0; puff < 3; ++puff) {
      const float cx = -8 + 8 * puff, cy = -2 * f + 4 * (puff % 2) - 3;
      fumes.ring(cx, cy, 6 + (puff + f) % 3, 7, hsl(0.3f, 0.8f, 0.45f + 0.08f * puff), WALL_FADE,
                 f * 25.0f + puff * 40);
    }
  }
  ModelKit battery(data, "battery_charge", 200, false);
  for (int f = 0; f < 4; ++f) {
    battery.frame()
        .loop({{-11, -6}, {9, -6}, {9, 6}, {-11, 6}}, ofColor(200, 255, 80))
        .loop({{9, -2}, {12, -2}, {12, 2}, {9, 2}}, ofColor(200, 255, 80));
    for (int bar = 0; bar < f; ++bar) {
      const float x = -8 + 5 * bar;
      battery.line(x, -3, x, 3, ofColor(120, 255, 60)).line(x + 2, -3, x + 2, 3, ofColor(120, 255, 60));
    }
  }
}

void markers(LevelData& data) {
  // Where a checkpoint is: a beacon drawn round the spot the ship comes
  // back to, its lamps pulsing slowly.
  ModelKit beacon(data, "checkpoint_marker", 300, false);
  for (int f = 0; f < 2; ++f) {
    const ofColor lamp = f == 0 ? hsl(0.35f, 0.9f, 0.6f) : hsl(0.35f, 0.6f, 0.35f);
    beacon.frame()
        .line(-14, -14, -8, -14, lamp).line(-14, -14, -14, -8, lamp)
        .line(14, -14, 8, -14, lamp).line(14, -14, 14, -8, lamp)
        .line(-14, 14, -8, 14, lamp).line(-14, 14, -14, 8, lamp)
        .line(14, 14, 8, 14, lamp).line(14, 14, 14, 8, lamp);
  }
  // Passing a checkpoint: a ring bursts out once.
  ModelKit glow(data, "checkpoint_glow", 60, false, true);
  for (int f = 0; f < 6; ++f) {
    glow.frame().ring(0, 0, 6 + 5 * f, 10, hsl(0.35f, 0.9f, 0.7f - 0.06f * f), WALL_SOLID, f * 9.0f);
  }
  // The way out of a level: two rings turning against each other.
  ModelKit portal(data, "exit_portal", 90, false);
  for (int f = 0; f < 8; ++f) {
    portal.frame()
        .ring(0, 0, 16, 6, ofColor(140, 255, 255), WALL_SOLID, f * 7.5f)
        .ring(0, 0, 10, 5, ofColor(255, 255, 255), WALL_FLICKER, -f * 9.0f)
        .ring(0, 0, 22, 8, ofColor(60, 160, 200), WALL_FADE, f * 5.0f);
  }
  // A pad that sends the ship across the level.
  ModelKit pad(data, "teleporter", 110, false);
  for (int f = 0; f < 4; ++f) {
    const ofColor c = hsl(0.55f + 0.04f * f, 1, 0.6f);
    pad.frame()
        .loop({{-20, -20}, {20, -20}, {20, 20}, {-20, 20}}, ofColor(80, 120, 160))
        .ring(0, 0, 4 + 4 * f, 8, c, WALL_SOLID, f * 11.0f)
        .ring(0, 0, 16 - 3 * f, 8, c, WALL_FLICKER);
  }
  // A lamp turning its beam round: the alarm of the piston hall.
  ModelKit lamp(data, "siren_lamp", 80, false);
  for (int f = 0; f < 8; ++f) {
    const ofxVec2f a = turned(0, -30, f * 45.0f - 12), b = turned(0, -30, f * 45.0f + 12);
    lamp.frame()
        .loop({{-6, 0}, {6, 0}, {4, -6}, {-4, -6}}, ofColor(255, 60, 40))
        .line(0, -3, a.x, a.y - 3, ofColor(255, 80, 60), WALL_FADE)
        .line(0, -3, b.x, b.y - 3, ofColor(255, 80, 60), WALL_FADE);
  }
}

void decorations(LevelData& data) {
  // A drop gathering under a stalactite and falling.
  ModelKit drip(data, "drip", 110, false, false, "drip");
  for (int f = 0; f < 12; ++f) {
    drip.frame().path({{-6, 0}, {-2, 10}, {0, 16}, {2, 10}, {6, 0}}, ofColor(110, 130, 150));
    const float y = f < 5 ? 17 + f : 22 + (f - 5) * (f - 5) * 3.5f;
    drip.line(0, y, 0, y + (f < 5 ? 1.5f : 3), ofColor(120, 200, 255));
  }
  // Crystals that glow and fade.
  ModelKit crystals(data, "crystals", 0, false);
  crystals.frame()
      .loop({{-10, 0}, {-7, -16}, {-4, 0}}, ofColor(190, 120, 255), WALL_FADE)
      .loop({{-4, 0}, {0, -24}, {4, 0}}, ofColor(230, 170, 255), WALL_FADE)
      .loop({{4, 0}, {8, -12}, {11, 0}}, ofColor(170, 100, 240), WALL_FADE);
  // A gravity well's mark: arcs drawn in on its centre.
  ModelKit well(data, "well", 70, false);
  for (int f = 0; f < 6; ++f) {
    well.frame();
    for (int k = 0; k < 3; ++k) {
      const float r = 36 - 6 * f - 12 * k;
      if (r < 6) continue;
      for (int s = 0; s < 4; ++s) {
        const ofxVec2f p = turned(0, -r, s * 90.0f + f * 12), q = turned(0, -r, s * 90.0f + f * 12 + 40);
        well.line(p.x, p.y, q.x, q.y, hsl(0.75f, 0.7f, 0.35f + 0.015f * r), WALL_SOLID);
      }
    }
  }
}

// A bar turning about its middle: 18 steps of 10 degrees, half a turn a cycle.
void rotor(LevelData& data, const std::string& guid, float radius, int animSpeed) {
  ModelKit bar(data, guid, animSpeed, true);
  for (int f = 0; f < 18; ++f) {
    const float a = f * 10.0f;
    Polyline outline;
    for (const ofxVec2f& c : {ofxVec2f(-radius, -2), ofxVec2f(radius, -2), ofxVec2f(radius, 2), ofxVec2f(-radius, 2)}) {
      outline.push_back(turned(c.x, c.y, a));
    }
    bar.frame().loop(outline, ofColor(255, 90, 50)).ring(0, 0, 6, 6, ofColor(255, 200, 80), WALL_SOLID, a);
  }
}

// A piston in the ceiling that slams down `reach` pixels and draws back
// slowly; `offset` steps later than the others so neighbours take turns.
void piston(LevelData& data, const std::string& guid, float reach, int offset) {
  // Fraction extended for each of the 20 steps of 90 ms.
  const float stroke[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5f, 1, 1, 1, 1, 0.85f, 0.7f, 0.5f, 0.3f, 0.12f, 0};
  ModelKit head(data, guid, 90, true);
  for (int f = 0; f < 20; ++f) {
    const float e = stroke[(f + offset) % 20] * reach;
    head.frame()
        .loop({{-12, e - 12}, {12, e - 12}, {12, e}, {-12, e}}, ofColor(255, 170, 60))
        .line(-4, -12, -4, e - 12, ofColor(180, 180, 190))
        .line(4, -12, 4, e - 12, ofColor(180, 180, 190));
  }
}

// Two leaves that meet across a vertical gap of 2·half pixels and part
// again; each cycle begins with the leaves opening and a clank.
void door(LevelData& data, const std::string& guid, float half, int offset) {
  // Fraction closed for each of the 20 steps of 100 ms.
  const float closed[20] = {0.7f, 0.35f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.3f, 0.6f, 0.85f, 1, 1, 1, 1, 1, 1};
  ModelKit gate(data, guid, 100, true, false, "door");
  for (int f = 0; f < 20; ++f) {
    const float leaf = closed[(f + offset) % 20] * half;
    gate.frame();
    for (float side : {-1.0f, 1.0f}) {
      const float root = side * (half + 6), tip = side * (half - leaf);
      gate.loop({{-8, root}, {8, root}, {8, tip}, {-8, tip}}, ofColor(120, 200, 255));
    }
  }
}

// An arc between two posts `span` apart that sparks for a while and rests.
void zapper(LevelData& data, const std::string& guid, float span, int offset) {
  ModelKit arc(data, guid, 100, true, false, offset == 0 ? "zap" : "");
  for (int f = 0; f < 20; ++f) {
    arc.frame()
        .loop({{-4, -6}, {4, -6}, {4, 0}, {-4, 0}}, ofColor(200, 200, 220))
        .loop({{-4, span}, {4, span}, {4, span + 6}, {-4, span + 6}}, ofColor(200, 200, 220));
    if ((f + offset) % 20 >= 8) continue;  // resting
    Polyline bolt;
    for (int k = 0; k <= 8; ++k) {
      const float jag = k == 0 || k == 8 ? 0 : (noise(f, k, 11) - 0.5f) * 16;
      bolt.emplace_back(jag, span * k / 8);
    }
    arc.path(bolt, ofColor(200, 230, 255), WALL_FLICKER);
  }
}

// A force field between two emitters, lifted by a switch somewhere else.
void forceField(LevelData& data) {
  ModelKit field(data, "force_field", 450, true, false, "zap");
  for (int f = 0; f < 2; ++f) {
    Polyline zig;
    for (int k = 0; k <= 10; ++k) zig.emplace_back(((k + f) % 2) * 10 - 5.0f, 10.0f * k);
    field.frame()
        .loop({{-8, -8}, {8, -8}, {8, 0}, {-8, 0}}, ofColor(255, 255, 255))
        .loop({{-8, 100}, {8, 100}, {8, 108}, {-8, 108}}, ofColor(255, 255, 255))
        .path(zig, ofColor(120, 255, 160), WALL_FLICKER);
  }
}

// The switch that lifts a force field: a lever on a plate, (dx, dy) from
// where it is placed. Until it is thrown its knob pulses in the field's
// green so it can be seen from afar; thrown, it leans the other way and its
// lamp goes dark.
void lever(LevelData& data, const std::string& guid, bool thrown, float dx, float dy) {
  const ofColor metal(200, 200, 220), arm(255, 210, 60), field(120, 255, 160);
  const ofxVec2f pivot(dx, dy + 8), tip(dx + (thrown ? 12 : -12), dy - 10);
  ModelKit switchModel(data, guid, thrown ? 0 : 300, false);
  for (int f = 0; f < (thrown ? 1 : 2); ++f) {
    const bool lit = !thrown && f == 0;
    switchModel.frame()
        .loop({{dx - 15, dy + 8}, {dx + 15, dy + 8}, {dx + 15, dy + 17}, {dx - 15, dy + 17}}, metal)
        .line(dx - 11, dy + 17, dx - 15, dy + 21, metal)
        .line(dx + 11, dy + 17, dx + 15, dy + 21, metal)
        .ring(pivot.x, pivot.y, 3, 6, metal)
        .line(pivot.x, pivot.y, tip.x, tip.y, arm)
        .ring(tip.x, tip.y, 4, 8, thrown ? ofColor(150, 150, 160) : ofColor(255, 120, 60))
        .ring(dx + (thrown ? -9 : 9), dy + 12.5f, 2, 6, lit ? field : ofColor(50, 80, 60));
    if (thrown) continue;
    // The pulse round the knob: bright rings on one frame, a faint one on the other.
    switchModel.ring(tip.x, tip.y, lit ? 9 : 7, 10, lit ? field : ofColor(60, 130, 80), WALL_FLICKER);
    if (lit) switchModel.ring(tip.x, tip.y, 14, 12, ofColor(80, 200, 120), WALL_FLICKER, 15);
  }
}

// Rocks that fall into a passage behind the ship and stay there; they land
// (dx, dy) from the corner of the zone that adds them.
void rubble(LevelData& data, float dx, float dy) {
  ModelKit rocks(data, "rubble", 0, true);
  rocks.frame();
  for (int k = 0; k < 6; ++k) {
    const float cx = dx - 30 + 12 * k, cy = dy - 4 + 9 * (k % 3);
    Polyline stone;
    for (int s = 0; s < 6; ++s) {
      const float r = 9 + noise(k, s, 3) * 6;
      stone.push_back(turned(0, -r, s * 60.0f + k * 17) + ofxVec2f(cx, cy));
    }
    rocks.loop(stone, hsl(0.08f, 0.3f, 0.45f + 0.05f * (k % 2)));
  }
}

// The set pieces of the slingshot, shortcut and escape levels.
void setPieces(LevelData& data) {
  // A strong well's mark: wide arcs drawn in on its centre.
  ModelKit well(data, "great_well", 60, false);
  for (int f = 0; f < 8; ++f) {
    well.frame();
    for (int k = 0; k < 4; ++k) {
      const float r = 78 - 2.5f * f - 20 * k;
      for (int s = 0; s < 5; ++s) {
        const float a = s * 72.0f + f * 9 + k * 20;
        const ofxVec2f p = turned(0, -r, a), q = turned(0, -r, a + 30), m = turned(0, -r + 3, a + 15);
        well.path({p, m, q}, hsl(0.8f, 0.75f, 0.3f + 0.004f * r));
      }
    }
  }
  // A force field lying across a shaft, lifted with the standing one.
  ModelKit field(data, "force_field_flat", 450, true);
  for (int f = 0; f < 2; ++f) {
    Polyline zig;
    for (int k = 0; k <= 10; ++k) zig.emplace_back(10.0f * k, ((k + f) % 2) * 10 - 5.0f);
    field.frame()
        .loop({{-8, -8}, {0, -8}, {0, 8}, {-8, 8}}, ofColor(255, 255, 255))
        .loop({{100, -8}, {108, -8}, {108, 8}, {100, 8}}, ofColor(255, 255, 255))
        .path(zig, ofColor(120, 255, 160), WALL_FLICKER);
  }
  // The reactor's cell, taken at the bottom of the pit.
  ModelKit cell(data, "core_cell", 150, false);
  for (int f = 0; f < 4; ++f) {
    cell.frame()
        .ring(0, 0, 10, 6, ofColor(120, 255, 200), WALL_SOLID, 30)
        .ring(0, 0, 4 + f, 6, hsl(0.42f, 1, 0.5f + 0.08f * f), WALL_FLICKER, f * 15.0f)
        .ring(0, 0, 15 + 2 * f, 12, hsl(0.42f, 0.8f, 0.45f - 0.08f * f), WALL_FADE);
  }
  // The shutter that slams down behind the ship when the cell is taken.
  ModelKit shutter(data, "blast_door", 0, true);
  shutter.frame().loop({{-7, -48}, {7, -48}, {7, 48}, {-7, 48}}, ofColor(200, 200, 210));
  for (float y = -40; y <= 32; y += 12) {
    shutter.path({{-5, y + 6}, {0, y}, {5, y + 6}}, ofColor(255, 190, 60));
  }
  reactorModels(data);
}
}  // namespace

void addModels(LevelData& data) {
  roles(data);
  markers(data);
  decorations(data);
  rotor(data, "rotor", 35, 60);
  rotor(data, "rotor_slow", 45, 90);
  piston(data, "piston_a", 100, 0);
  piston(data, "piston_b", 100, 7);
  piston(data, "piston_c", 100, 14);
  door(data, "door_a", 35, 0);
  door(data, "door_b", 35, 10);
  zapper(data, "zapper_a", 90, 0);
  zapper(data, "zapper_b", 90, 10);
  forceField(data);
  lever(data, "lever", false, 0, 0);
  // Added by the switch zone, so placed from that zone's corner.
  lever(data, "lever_thrown", true, 22, 23);
  rubble(data, -30, -40);
  setPieces(data);
  addHints(data);
}
