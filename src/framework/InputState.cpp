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
static_assert(sizeof(keyFlags) / sizeof(keyFlags[0]) == 59, "the snapshot has 59 key flags");

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
  for (const KeyFlag& row : keyFlags) {
    if (row.code == key) return &(this->*row.flag);
  }
  return nullptr;
}

const bool* InputState::flagFor(int key) const {
  return const_cast<InputState*>(this)->flagFor(key);
}

void InputState::pressKey(int key) {
  lastKey = key;
  lastKeyUnseen = true;
  lastKeyCleared = false;
  if (bool* flag = flagFor(key)) *flag = true;
}

void InputState::releaseKey(int key) {
  if (lastKeyUnseen) {
    lastKeyCleared = true;
  } else {
    lastKey = -1;
  }
  if (bool* flag = flagFor(key)) *flag = false;
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

// The release is applied before the copy, so previous holds -1 after a tap
// and a second tap in the next frame counts as going down again.
void endFrame(InputState& current, InputState& previous) {
  if (current.lastKeyCleared) current.lastKey = -1;
  current.lastKeyUnseen = false;
  current.lastKeyCleared = false;
  previous = current;
}
