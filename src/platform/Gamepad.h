#pragma once
// The gamepads plugged in, through SDL's game controllers (SDL draws no
// window: the window stays freeglut's), read once a frame and fed into the
// keyboard's snapshot as the keys they stand for. Owned by the application.
// With no pad plugged in, or SDL unable to start, nothing changes.

#include <cstdint>
#include <vector>

#include "framework/InputState.h"
#include "platform/PadKeys.h"

typedef struct _SDL_GameController SDL_GameController;

class Gamepad {
 public:
  Gamepad() = default;
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;
  // Closes the pads and lets SDL's game controllers go.
  ~Gamepad();

  // Starts SDL's game controllers; the pads already plugged in are opened
  // by the first poll. When SDL cannot start, says so once; the game goes
  // on without pads.
  void open();
  // Once a frame, before anything reads input: opens the pads plugged in
  // and closes those pulled out since the last frame, then presses and
  // releases in input the keys the pads hold (their meaning in flight when
  // flying, else on the screens) and sets the stick's turn.
  void poll(InputState& input, bool flying);

  // The keyboard's own presses and releases, so that a pad letting go of a
  // key does not release it while the keyboard holds it.
  void keyboardPressed(int key) { keys.keyboardPressed(key); }
  void keyboardReleased(int key) { keys.keyboardReleased(key); }

  // The pads open now.
  int count() const { return static_cast<int>(pads.size()); }

 private:
  void add(int deviceIndex);
  void remove(int32_t instanceId);
  PadReading read() const;

  bool started = false;
  std::vector<SDL_GameController*> pads;
  PadKeys keys;
};
