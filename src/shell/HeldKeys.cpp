#include "shell/HeldKeys.h"

#include <algorithm>

bool HeldKeys::sameKey(int a, int b) const {
  return (layout ? *layout : ofGetKeyboardLayout()).sameKey(a, b);
}

namespace {
// Enter, Tab, Backspace and Escape are keys of their own, though Ctrl with
// a letter types the same codes.
bool controlCode(int key) { return key >= 0 && key < 32; }
}  // namespace

bool HeldKeys::repeats(int typedKey) const {
  if (!lastStillHeld) return false;
  const int last = held.back().typed;
  if (last == typedKey) return true;
  // A repeat may arrive as another code than the press (Shift went down in
  // between), so the last key is matched as a key, not as a code.
  return !controlCode(last) && !controlCode(typedKey) && sameKey(last, typedKey);
}

bool HeldKeys::press(int typedKey, int code) {
  if (repeats(typedKey)) return true;
  // Typed so and held already, yet not repeating: that key's release went
  // to another window. This press is the same key again.
  held.erase(std::remove_if(held.begin(), held.end(),
                            [&](const Key& key) { return key.typed == typedKey; }),
             held.end());
  held.push_back({typedKey, code});
  lastStillHeld = true;
  return false;
}

// A code typed as pressed names its key; otherwise the latest key that
// shares one with it ('8' for '*' pressed with Shift).
int HeldKeys::releasedBy(int typedKey) const {
  for (int i = static_cast<int>(held.size()) - 1; i >= 0; --i) {
    if (held[i].typed == typedKey) return i;
  }
  for (int i = static_cast<int>(held.size()) - 1; i >= 0; --i) {
    if (sameKey(held[i].typed, typedKey)) return i;
  }
  return -1;
}

bool HeldKeys::holds(int code) const {
  return std::any_of(held.begin(), held.end(), [&](const Key& key) { return key.code == code; });
}

std::vector<int> HeldKeys::release(int typedKey) {
  const int at = releasedBy(typedKey);
  if (at < 0) return {};
  const int code = held[at].code;
  if (at == static_cast<int>(held.size()) - 1) lastStillHeld = false;
  held.erase(held.begin() + at);
  if (holds(code)) return {};
  return {code};
}

std::vector<int> HeldKeys::releaseAll() {
  std::vector<int> codes;
  for (const Key& key : held) {
    if (std::find(codes.begin(), codes.end(), key.code) == codes.end()) codes.push_back(key.code);
  }
  held.clear();
  lastStillHeld = false;
  return codes;
}
