#pragma once
// A scripted gamepad in SDL's virtual joystick driver: the game sees it as
// any game controller plugged in. SDL's game controllers stay started for
// the object's life, so the pad can be plugged in before the application
// starts them, or while it runs.

#include <SDL.h>

class VirtualPad {
 public:
  VirtualPad();
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  // False (with SDL's reason in the test's failure) when SDL cannot make it.
  bool plugIn();
  void pullOut();

  void press(SDL_GameControllerButton button) { setButton(button, true); }
  void release(SDL_GameControllerButton button) { setButton(button, false); }
  // An axis on SDL's scale: sticks -32768..32767, triggers 0 (rest)..32767.
  void push(SDL_GameControllerAxis axis, int value);

 private:
  void setButton(SDL_GameControllerButton button, bool down);

  SDL_Joystick* joystick = nullptr;
};
