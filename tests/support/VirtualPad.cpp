#include "support/VirtualPad.h"

#include <gtest/gtest.h>

VirtualPad::VirtualPad() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
}

VirtualPad::~VirtualPad() {
  pullOut();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool VirtualPad::plugIn() {
  // A controller with every button and axis, in SDL's own order, so that
  // SDL maps each to itself.
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.name = "scripted pad";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) {
    ADD_FAILURE() << "no virtual pad: " << SDL_GetError();
    return false;
  }
  joystick = SDL_JoystickOpen(index);
  if (!joystick) ADD_FAILURE() << "the virtual pad does not open: " << SDL_GetError();
  return joystick != nullptr;
}

void VirtualPad::pullOut() {
  if (!joystick) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
  SDL_JoystickClose(joystick);
  joystick = nullptr;
  // Device indices shift as devices come and go: find this one's now.
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) != id) continue;
    SDL_JoystickDetachVirtual(i);
    return;
  }
}

void VirtualPad::push(SDL_GameControllerAxis axis, int value) {
  // A trigger's whole travel is the joystick axis's -32768..32767.
  const bool trigger =
      axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
  const int raw = trigger ? value * 2 - 32768 : value;
  SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(raw < 32767 ? raw : 32767));
}

void VirtualPad::setButton(SDL_GameControllerButton button, bool down) {
  SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
}
