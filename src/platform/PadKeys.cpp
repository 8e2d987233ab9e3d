#include "platform/PadKeys.h"

#include <cstdlib>

namespace {
// The key each control stands for in flight and on the other screens (the
// title, the practice list, the scores, the editors); 0 for none.
struct ControlKeys {
  PadReading::Control control;
  int inFlight;
  int onScreens;
};

constexpr ControlKeys controlKeys[] = {
    {PadReading::a, KEY_UP, KEY_ENTER},
    {PadReading::rightTrigger, KEY_UP, 0},
    {PadReading::start, KEY_SPACE, KEY_ENTER},
    {PadReading::b, KEY_ESCAPE, KEY_ESCAPE},
    // While paused, q goes back to the title: without it a pad could not
    // leave a run.
    {PadReading::back, 'q', 0},
    // While paused, back to the checkpoint and a restart.
    {PadReading::x, 'r', 0},
    {PadReading::y, 'n', 0},
    {PadReading::dpadUp, KEY_UP, KEY_UP},
    {PadReading::dpadDown, KEY_DOWN, KEY_DOWN},
    {PadReading::dpadLeft, KEY_LEFT, KEY_LEFT},
    {PadReading::dpadRight, KEY_RIGHT, KEY_RIGHT},
};
static_assert(sizeof(controlKeys) / sizeof(controlKeys[0]) == PadReading::controlCount,
              "every control has a row");
}  // namespace

float padDeflection(int raw) {
  if (std::abs(raw) < padDeadZone) return 0;
  const float amount = static_cast<float>(raw) / 32767.0f;
  return amount < -1 ? -1.0f : amount;  // -32768 reaches a little past full
}

void PadKeys::apply(InputState& input, const PadReading& pad, bool flying) {
  for (const ControlKeys& row : controlKeys) {
    int& code = pressed[row.control];
    const bool held = pad.held[row.control];
    if (held && !wasHeld[row.control]) {
      code = flying ? row.inFlight : row.onScreens;
      if (code != 0) input.pressKey(code);
    } else if (!held && code != 0) {
      const int letGo = code;
      code = 0;
      if (!padHolds(letGo) && !keyHeld(keyboard, letGo)) input.releaseKey(letGo);
    }
    wasHeld[row.control] = held;
  }
  // A key let go on the keyboard while a pad still holds it stays held.
  for (int code : pressed) {
    if (bool* flag = input.flagFor(code)) *flag = true;
  }
  input.stickTurn = pad.turn;
}

bool PadKeys::padHolds(int code) const {
  for (int held : pressed) {
    if (held == code) return true;
  }
  return false;
}
