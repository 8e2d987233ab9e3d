#include "framework/InputState.h"

#include <cstddef>

namespace {
// Key code to flag, one row per flag, in the snapshot's field order.
struct KeyFlag {
  int code;
  bool InputState::*flag;
};

constexpr KeyFlag keyFlags[] = {
    {357, &InputState::keyUp},     {358, &InputState::keyRight},
    {359, &InputState::keyDown},   {356, &InputState::keyLeft},
    {27, &InputState::keyEscape},  {32, &InputState::keySpace},
    {13, &InputState::keyEnter},   {257, &InputState::keyF1},
    {258, &InputState::keyF2},     {259, &InputState::keyF3},
    {260, &InputState::keyF4},     {261, &InputState::keyF5},
    {262, &InputState::keyF6},     {263, &InputState::keyF7},
    {264, &InputState::keyF8},     {265, &InputState::keyF9},
    {266, &InputState::keyF10},    {267, &InputState::keyF11},
    {268, &InputState::keyF12},    {'a', &InputState::keyA},
    {'b', &InputState::keyB},      {'c', &InputState::keyC},
    {'d', &InputState::keyD},      {'e', &InputState::keyE},
    {'f', &InputState::keyF},      {'g', &InputState::keyG},
    {'h', &InputState::keyH},      {'i', &InputState::keyI},
    {'j', &InputState::keyJ},      {'k', &InputState::keyK},
    {'l', &InputState::keyL},      {'m', &InputState::keyM},
    {'n', &InputState::keyN},      {'o', &InputState::keyO},
    {'p', &InputState::keyP},      {'q', &InputState::keyQ},
    {'r', &InputState::keyR},      {'s', &InputState::keyS},
    {'t', &InputState::keyT},      {'u', &InputState::keyU},
    {'v', &InputState::keyV},      {'w', &InputState::keyW},
    {'x', &InputState::keyX},      {'y', &InputState::keyY},
    {'z', &InputState::keyZ},      {'1', &InputState::key1},
    {'2', &InputState::key2},      {'3', &InputState::key3},
    {'4', &InputState::key4},      {'5', &InputState::key5},
    {'6', &InputState::key6},      {'7', &InputState::key7},
    {'8', &InputState::key8},      {'9', &InputState::key9},
    {'0', &InputState::key0},      {'-', &InputState::keyMinus},
    {'*', &InputState::keyAsterisk}, {'|', &InputState::keyBar},
    {362, &InputState::keyHome},
};
constexpr int keyFlagCount = sizeof(keyFlags) / sizeof(keyFlags[0]);
static_assert(keyFlagCount == 59, "the snapshot has 59 key flags");
static_assert(keyFlagCount <= 64, "one bit a flag in keysUnseen");

// The row of a key code, or -1 for codes without a flag.
int rowOf(int key) {
  for (int i = 0; i < keyFlagCount; ++i) {
    if (keyFlags[i].code == key) return i;
  }
  return -1;
}

uint64_t bitOf(int row) { return uint64_t{1} << row; }

bool InputState::*buttonFlag(int button) {
  switch (button) {
    case 0: return &InputState::mouseLeft;
    case 1: return &InputState::mouseMiddle;
    case 2: return &InputState::mouseRight;
    default: return nullptr;
  }
}
}  // namespace

void InputState::reset() { *this = InputState(); }

bool* InputState::flagFor(int key) {
  const int row = rowOf(key);
  return row < 0 ? nullptr : &(this->*keyFlags[row].flag);
}

const bool* InputState::flagFor(int key) const {
  return const_cast<InputState*>(this)->flagFor(key);
}

void InputState::pressKey(int key) {
  lastKey = key;
  lastKeyUnseen = true;
  lastKeyCleared = false;
  const int row = rowOf(key);
  if (row < 0) return;
  this->*keyFlags[row].flag = true;
  keysUnseen |= bitOf(row);
  keysReleasedUnseen &= ~bitOf(row);
}

void InputState::releaseKey(int key) {
  if (lastKeyUnseen) {
    lastKeyCleared = true;
  } else {
    lastKey = -1;
  }
  const int row = rowOf(key);
  if (row < 0) return;
  if (keysUnseen & bitOf(row)) {
    keysReleasedUnseen |= bitOf(row);
  } else {
    this->*keyFlags[row].flag = false;
  }
}

void InputState::releaseAll() {
  for (const KeyFlag& row : keyFlags) {
    if (this->*row.flag) releaseKey(row.code);
  }
  // A held key without a flag is known only as the last key.
  releaseKey(-1);
  mouseLeft = mouseMiddle = mouseRight = false;
}

void InputState::moveMouse(int x, int y) {
  mouseStepX = x - mouseX;
  mouseStepY = y - mouseY;
  mouseX = x;
  mouseY = y;
}

void InputState::pressButton(int button, int x, int y) {
  moveMouse(x, y);
  if (auto flag = buttonFlag(button)) this->*flag = true;
}

void InputState::releaseButton(int button, int x, int y) {
  moveMouse(x, y);
  if (auto flag = buttonFlag(button)) this->*flag = false;
}

bool codeWentDown(const InputState& current, const InputState& previous, int code) {
  return current.lastKey == code && previous.lastKey != code;
}

bool keyPressedNow(const InputState& current, const InputState& previous, int code) {
  return keyWentDown(current, previous, code) || codeWentDown(current, previous, code);
}

bool keyWentDown(const InputState& current, const InputState& previous, int code) {
  const bool* now = current.flagFor(code);
  const bool* before = previous.flagFor(code);
  return now && before && wentDown(*now, *before);
}

bool keyHeld(const InputState& current, int code) {
  const bool* flag = current.flagFor(code);
  return flag && *flag;
}

// The releases are applied before the copy, so previous holds -1 and a
// clear flag after a tap, and a second tap in the next frame counts as going
// down again.
void endFrame(InputState& current, InputState& previous) {
  if (current.lastKeyCleared) current.lastKey = -1;
  current.lastKeyUnseen = false;
  current.lastKeyCleared = false;
  for (int row = 0; current.keysReleasedUnseen != 0 && row < keyFlagCount; ++row) {
    if (current.keysReleasedUnseen & bitOf(row)) current.*keyFlags[row].flag = false;
    current.keysReleasedUnseen &= ~bitOf(row);
  }
  current.keysUnseen = 0;
  previous = current;
}
