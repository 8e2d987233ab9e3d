#pragma once
// A snapshot of the keyboard and mouse: the last key code, 59 key flags, the
// mouse position and three buttons. The application keeps a current and a
// previous copy; every reader decides by comparing the two, and endFrame
// moves the current one into the previous one at the end of each frame. A
// key tapped between two frames shows as held for one frame, so no tap is
// lost however short.

#include <cstdint>

struct InputState {
  int32_t lastKey = -1;
  bool keyUp = false, keyRight = false, keyDown = false, keyLeft = false;
  bool keyEscape = false, keySpace = false, keyEnter = false;
  bool keyF1 = false, keyF2 = false, keyF3 = false, keyF4 = false, keyF5 = false, keyF6 = false;
  bool keyF7 = false, keyF8 = false, keyF9 = false, keyF10 = false, keyF11 = false, keyF12 = false;
  bool keyA = false, keyB = false, keyC = false, keyD = false, keyE = false, keyF = false;
  bool keyG = false, keyH = false, keyI = false, keyJ = false, keyK = false, keyL = false;
  bool keyM = false, keyN = false, keyO = false, keyP = false, keyQ = false, keyR = false;
  bool keyS = false, keyT = false, keyU = false, keyV = false, keyW = false, keyX = false;
  bool keyY = false, keyZ = false;
  bool key1 = false, key2 = false, key3 = false, key4 = false, key5 = false;
  bool key6 = false, key7 = false, key8 = false, key9 = false, key0 = false;
  bool keyMinus = false, keyAsterisk = false, keyBar = false, keyHome = false;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  bool mouseLeft = false, mouseMiddle = false, mouseRight = false;
  // How far the latest mouse event moved the mouse, in pixels. A drag follows
  // this rather than the two snapshots: several drag events can arrive
  // between two frames.
  int32_t mouseStepX = 0;
  int32_t mouseStepY = 0;
  // lastKey was pressed after the last frame ended, so no frame has seen it.
  bool lastKeyUnseen = false;
  // A key was released while lastKey was unseen; endFrame clears lastKey.
  bool lastKeyCleared = false;
  // The same for the key flags, one bit each in the order above: pressed
  // since the last frame ended, and released while so (endFrame clears
  // those flags, after the frame has seen them).
  uint64_t keysUnseen = 0;
  uint64_t keysReleasedUnseen = 0;
  // How far a gamepad's stick is pushed to turn: -1 full left .. 1 full
  // right, 0 without a stick. Flight turns by it when no turn key is held.
  float stickTurn = 0;

  // lastKey -1, every flag false, mouse at (0, 0).
  void reset();
  // lastKey = key; the flag of that code (if any) is set.
  void pressKey(int key);
  // lastKey = -1 whatever key was released; the flag of that code is cleared.
  // A key pressed since the last frame keeps its flag and stays the last key
  // until that frame has seen it (endFrame), so that a quick tap is not lost.
  void releaseKey(int key);
  // Lets go of every key and mouse button, as their releases would (when the
  // window loses the keyboard, their real releases go elsewhere).
  void releaseAll();
  void moveMouse(int x, int y);
  // Buttons 0, 1, 2 set left, middle, right; others only move the mouse.
  void pressButton(int button, int x, int y);
  void releaseButton(int button, int x, int y);

  // The flag for a key code, or nullptr for codes without one.
  bool* flagFor(int key);
  const bool* flagFor(int key) const;
};

// Key codes of the keys the snapshot has flags for, and of Backspace and
// Delete, read through lastKey or as typed.
enum : int {
  KEY_BACKSPACE = 8,
  KEY_DELETE = 127,
  KEY_ENTER = 13,
  KEY_ESCAPE = 27,
  KEY_SPACE = 32,
  KEY_F1 = 257,
  KEY_F11 = 267,
  KEY_LEFT = 356,
  KEY_UP = 357,
  KEY_RIGHT = 358,
  KEY_DOWN = 359,
  KEY_HOME = 362,
};

// The flag is set now and was not in the previous snapshot.
inline bool wentDown(bool current, bool previous) { return current && !previous; }
// The last key is code now and was not before (for keys without a flag).
bool codeWentDown(const InputState& current, const InputState& previous, int code);
// The flag of key code is set now.
bool keyHeld(const InputState& current, int code);
// The flag of key code went down between the snapshots.
bool keyWentDown(const InputState& current, const InputState& previous, int code);
// The key went down since the last frame, by its flag or, for keys without
// one, as the last key.
bool keyPressedNow(const InputState& current, const InputState& previous, int code);
// The last step of every frame: the frame has seen the last key and the
// flags, so releases that waited for it apply now; then previous becomes a
// copy of current. A key tapped between two frames is thus held (and the
// last key) for exactly one frame.
void endFrame(InputState& current, InputState& previous);
