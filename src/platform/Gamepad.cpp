#include "platform/Gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "framework/SdlStartLock.h"
#include "framework/ofLog.h"

namespace {
// The pad button behind each control the game reads; the right trigger and
// the stick are axes, read apart.
struct ControlButton {
  PadReading::Control control;
  SDL_GameControllerButton button;
};

constexpr ControlButton controlButtons[] = {
    {PadReading::a, SDL_CONTROLLER_BUTTON_A},
    {PadReading::b, SDL_CONTROLLER_BUTTON_B},
    {PadReading::x, SDL_CONTROLLER_BUTTON_X},
    {PadReading::y, SDL_CONTROLLER_BUTTON_Y},
    {PadReading::start, SDL_CONTROLLER_BUTTON_START},
    {PadReading::back, SDL_CONTROLLER_BUTTON_BACK},
    {PadReading::dpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {PadReading::dpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {PadReading::dpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {PadReading::dpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

using PadList = std::vector<SDL_GameController*>;

// The open pad of a joystick instance, or pads.end().
PadList::const_iterator findPad(const PadList& pads, SDL_JoystickID id) {
  return std::find_if(pads.begin(), pads.end(), [&](SDL_GameController* pad) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
  });
}

// SDL gives no name for some pads.
const char* nameOr(const char* name) { return name ? name : "(without a name)"; }
}  // namespace

Gamepad::~Gamepad() {
  for (SDL_GameController* pad : pads) SDL_GameControllerClose(pad);
  std::lock_guard<std::mutex> guard(sdlStartLock());
  if (started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepad::open() {
  if (started) return;
  std::lock_guard<std::mutex> guard(sdlStartLock());
  // Ctrl+C in the terminal must still end the game at once, not become an
  // event that nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    ofLog(OF_WARNING, "gamepads are off: SDL could not start its game controllers: %s",
          SDL_GetError());
    return;
  }
  // The pads plugged in already are announced as added, like those plugged
  // in later.
  started = true;
}

void Gamepad::poll(InputState& input, bool flying) {
  if (!started) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) add(event.cdevice.which);
    if (event.type == SDL_CONTROLLERDEVICEREMOVED) remove(event.cdevice.which);
  }
  keys.apply(input, read(), flying);
}

void Gamepad::add(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  // One pad announced twice is opened once.
  if (findPad(pads, SDL_JoystickGetDeviceInstanceID(deviceIndex)) != pads.end()) return;
  SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
  if (!pad) {
    ofLog(OF_WARNING, "could not open the gamepad %s: %s",
          nameOr(SDL_GameControllerNameForIndex(deviceIndex)), SDL_GetError());
    return;
  }
  pads.push_back(pad);
  ofLog(OF_NOTICE, "gamepad plugged in: %s", nameOr(SDL_GameControllerName(pad)));
}

void Gamepad::remove(int32_t instanceId) {
  const auto gone = findPad(pads, instanceId);
  if (gone == pads.end()) return;
  SDL_GameControllerClose(*gone);
  pads.erase(gone);
  ofLog(OF_NOTICE, "gamepad pulled out");
}

// Every pad counts: a button held on any of them is held, and the stick
// pushed furthest turns.
PadReading Gamepad::read() const {
  PadReading reading;
  for (SDL_GameController* pad : pads) {
    for (const ControlButton& row : controlButtons) {
      if (SDL_GameControllerGetButton(pad, row.button)) reading.held[row.control] = true;
    }
    const int trigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    if (padDeflection(trigger) > 0) reading.held[PadReading::rightTrigger] = true;
    const float turn = padDeflection(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
    if (std::fabs(turn) > std::fabs(reading.turn)) reading.turn = turn;
  }
  return reading;
}
