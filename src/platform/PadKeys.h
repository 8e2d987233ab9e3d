#pragma once
// What the gamepads hold, turned into the keys they stand for in the
// keyboard's snapshot, so that every screen reads a pad as it reads keys.
// Owned by the Gamepad; kept free of SDL so that it can be tested alone.

#include "framework/InputState.h"

// The controls of all pads together in one frame.
struct PadReading {
  enum Control {
    a, b, x, y, start, back, dpadUp, dpadDown, dpadLeft, dpadRight, rightTrigger, controlCount
  };
  bool held[controlCount] = {};
  // The left stick across: -1 full left .. 1 full right, 0 in the dead zone.
  float turn = 0;
};

// A stick or trigger position on SDL's scale (-32768..32767) as a fraction
// of full deflection, -1..1: 0 inside the dead zone, else in proportion.
float padDeflection(int raw);
// Positions nearer the centre than this are taken as 0: a stick at rest is
// rarely exactly centred.
constexpr int padDeadZone = 8000;

class PadKeys {
 public:
  // Presses in input the key of each control newly held, in flight or on
  // the screens around it, releases the keys of controls let go, and sets
  // the stick's turn. A control keeps the key it pressed until it is let
  // go, so A still held as Enter when a run begins never thrusts. Called
  // once a frame, before anything reads input; a reading of no pad at all
  // lets every key go.
  void apply(InputState& input, const PadReading& pad, bool flying);

  // The keyboard's own presses and releases: a key held on the keyboard is
  // not released when a pad lets go of it, nor the other way round. Only
  // the flags are kept: no frame ends on this record, so a release lets go
  // at once rather than waiting, as a tap does, for a frame to see it.
  void keyboardPressed(int key) { setKeyboardFlag(key, true); }
  void keyboardReleased(int key) { setKeyboardFlag(key, false); }

 private:
  bool padHolds(int code) const;
  void setKeyboardFlag(int key, bool held) {
    if (bool* flag = keyboard.flagFor(key)) *flag = held;
  }

  // The key code each control pressed; 0 while it presses none. A control
  // acts when it goes down, so one held from a screen into flight (or back)
  // takes its new meaning only once pressed again.
  int pressed[PadReading::controlCount] = {};
  bool wasHeld[PadReading::controlCount] = {};
  InputState keyboard;
};
