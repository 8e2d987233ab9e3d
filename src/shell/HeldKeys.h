#pragma once
// The keys held on the keyboard, each with the code its press was taken as
// (after the key bindings), so that a key's release lets go of exactly what
// its press took, whatever Shift, Caps Lock, Ctrl or a new binding changed
// in between. The application feeds it from its key callbacks.

#include <vector>

#include "framework/ofKeyboardLayout.h"

class HeldKeys {
 public:
  // Keys are matched by layout (which must outlive this), or without one by
  // the window's (ofGetKeyboardLayout).
  explicit HeldKeys(const ofKeyboardLayout* layout = nullptr) : layout(layout) {}

  // A key typed as typedKey went down, taken as code. True for a key
  // repeat: the same physical key as the last one pressed, still held,
  // which keeps the code its first press took.
  bool press(int typedKey, int code);
  // A key typed as typedKey went up: the code its press took, unless
  // another key held still holds that code; nothing for a key not held.
  std::vector<int> release(int typedKey);
  // Every code held, once each (when the window loses the keyboard); after
  // it nothing is held.
  std::vector<int> releaseAll();

 private:
  struct Key {
    int typed;
    int code;
  };
  bool sameKey(int a, int b) const;
  bool repeats(int typedKey) const;
  // The held key a release typed as typedKey is, or -1.
  int releasedBy(int typedKey) const;
  bool holds(int code) const;

  const ofKeyboardLayout* layout;
  // In the order pressed.
  std::vector<Key> held;
  // held.back() is the key pressed last and still held: the only key the X
  // server repeats.
  bool lastStillHeld = false;
};
