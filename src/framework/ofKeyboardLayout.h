#pragma once
// Which typed key codes come from the same physical key, so that a key's
// release can be matched to its press when Shift, Caps Lock or Ctrl changed
// the code in between: a letter, its capital and its Ctrl code; a key's
// characters with and without Shift (or AltGr). Codes are those the key
// callbacks deliver (characters as typed, special keys as GLUT code + 256).

#include <map>
#include <vector>

struct _XDisplay;

class ofKeyboardLayout {
 public:
  // Adds a physical key that types these codes. A letter brings its other
  // case and its Ctrl code with it.
  void addKey(const std::vector<int>& codes);
  // Some key types both a and b (every code is its own key's too). A code
  // may sit on several keys ('*' on Shift+8 and on the keypad): they match
  // when they share one.
  bool sameKey(int a, int b) const;

 private:
  // The keys (numbered as added) each code is typed by.
  std::map<int, std::vector<int>> keysOf;
  int keyCount = 0;
};

// Letter case, Ctrl codes and the shifted pairs of a US keyboard's main
// block ('1' '!', '8' '*', '\\' '|', ...): for when there is no X server.
ofKeyboardLayout ofUsKeyboardLayout();
// The X server's keyboard map, every level of every key (one round trip);
// the US layout when display is null.
ofKeyboardLayout ofReadKeyboardLayout(_XDisplay* display);

// The layout keys are matched by: the X server's, once the window runner
// has read it (ofSetKeyboardLayout), the US layout before.
const ofKeyboardLayout& ofGetKeyboardLayout();
void ofSetKeyboardLayout(const ofKeyboardLayout& layout);
