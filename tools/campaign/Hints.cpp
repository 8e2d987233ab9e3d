// The hints of the first three levels. Their colours are pale and calm, and
// kept clear of the rock's, the hazards' reds and oranges and the exit's
// cyan; a hint about a thing takes a soft tint of that thing's own colour
// (the beacon's green, the fuel's amber).

#include "Hints.h"

#include "Lettering.h"

namespace {
const ofColor plain(225, 215, 185), beacon(165, 230, 180), fuel(245, 210, 150);

struct Hint {
  const char* guid;
  const char* text;
  float height;
  ofColor color;
};

const Hint hints[] = {
    // The hangar: the keys, stopping without gravity, the first checkpoint,
    // the first fuel, the way out.
    {"hint_controls", "UP: THRUST\nLEFT / RIGHT: TURN", 8, plain},
    {"hint_stop", "NO GRAVITY HERE:\nTO STOP, TURN\nAND THRUST", 8, plain},
    {"hint_checkpoint", "BEACON = CHECKPOINT\nCRASH? YOU COME BACK\nTO THE LAST ONE", 8, beacon},
    {"hint_fuel", "FUEL: FLY THROUGH\nTO FILL THE TANK", 8, fuel},
    {"hint_exit", "EXIT", 8, plain},
    // The shaft: gravity.
    {"hint_gravity", "GRAVITY PULLS\nYOU DOWN:\nTAP UP TO HOVER", 8, plain},
    {"hint_sink", "LET GO TO SINK,\nTHRUST TO BRAKE", 8, plain},
    {"hint_climb", "HOLD UP\nTO CLIMB", 8, plain},
    // The caverns: moving sideways under gravity.
    {"hint_tilt", "TO GO SIDEWAYS,\nTILT A LITTLE\nAND TAP UP", 8, plain},
    {"hint_slow", "SLOW IS SAFE", 8, plain},
};
}  // namespace

void addHints(LevelData& data) {
  for (const Hint& h : hints) textModel(data, h.guid, h.text, h.height, h.color);
}
