#include "Levels.h"

#include "Kit.h"
#include "ReactorPit.h"

// Escape, gravity. Teaches a race against the clock: the way in zigzags
// down to the reactor pit, where the passage to the exit is barred by a
// gate; taking the cell at the bottom sets off the alarm. A shutter slams
// down behind, the driving track starts with a siren, the gate opens,
// molten fill rises from the pit, and the gate closes again about eight
// seconds later. Too slow, and the fill takes the ship; it comes back at
// the cell, where both play-once models start their countdown again (every
// model restarts when the ship reappears), so the escape can always be
// tried again. Mechanics: "remove" (the cell, the shut gate), "addX" (the
// fill, the gate, the shutter, the alarm lamp), play-once solid models,
// "songAtFull", "cycle_siren", "sound", "shake", "cycle_end", a fuel tank.
void escapeLevel(LevelData& data, const std::string& guid, const std::string& next) {
  using namespace reactorPit;
  LevelKit k(data, guid, true);
  Cave cave;
  cave.tunnel({{465, 55}, {290, 55}, {400, 170}, {275, 250}, {195, 245}}, 80);
  cave.disc(hallX, hallY, hallRadius);
  cave.tunnel({{hallX, hallY}, {hallX, gateY}}, 2 * shaftHalf);
  cave.room(passageLeft, passageTop, hallX + shaftHalf - passageLeft, passageBottom - passageTop);
  cave.disc(hallX - shaftHalf, passageBottom, 7);  // no sharp corner to clip on the way out
  k.rock(cave, {0.0f, 0.45f, 0.4f}, 16);

  k.arrival(430, 50, "u");
  k.fuelPickup("fuel_tank", 345, 112, 5);
  k.checkpoint("b", 392, 165, "u");

  const ofxVec2f cell(hallX, hallY + 10);
  k.place("core_cell", cell.x, cell.y);
  k.checkpoint("c", cell.x, cell.y, "u");
  k.receiver("core", hallX, hallY);
  k.receiver("gate", gateX, gateY);
  k.receiver("shutter", hallX + hallRadius + 7, 245);
  k.receiver("lamp", 78, passageBottom);
  const float x = cell.x - 20, y = cell.y - 20;
  k.place("pit_gate_shut", gateX, gateY);
  k.zone(x, y, 40, 40, "remove", "core_cell");
  k.zone(x, y, 40, 40, "remove", "pit_gate_shut");
  for (const auto& [model, where] : {std::pair<const char*, const char*>{"meltdown", "core"},
                                     {"pit_gate", "gate"}, {"blast_door", "shutter"},
                                     {"siren_lamp", "lamp"}}) {
    k.zone(x, y, 40, 40, "addX", model, where);
  }
  k.zone(x, y, 40, 40, "songAtFull", "drive");
  k.zone(x, y, 40, 40, "cycle_siren");
  k.zone(x, y, 40, 40, "sound", "siren");
  k.zone(x, y, 40, 40, "shake", "600");
  k.zone(passageLeft, passageTop, 30, passageBottom - passageTop, "cycle_end");
  k.exit(passageLeft, passageTop + 10, 30, passageBottom - passageTop - 20, next, "in");

  k.route(430, 50, "cap 1.2");  // where the ship arrives: the way starts here
  k.route(310, 58, "cap 1.2 stop");
  k.route(345, 112, "cap 1.0");
  k.route(392, 165, "cap 1.0 stop");
  k.route(330, 212, "cap 1.2");
  k.route(260, 248, "cap 1.2");
  k.route(cell.x, cell.y, "cap 1.0 stop", 14);
  k.route(hallX, 170, "cap 1.2");
  k.route(hallX, gateY, "cap 1.0 stop");
  k.route(33, gateY, "cap 1.2", 14);
}
