#include "framework/ofKeyboardLayout.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cctype>

namespace {
// Keys without a character arrive as GLUT's special code + 256.
struct SpecialKey {
  KeySym sym;
  int glutCode;
};

constexpr SpecialKey specialKeys[] = {
    {XK_F1, 1},       {XK_F2, 2},          {XK_F3, 3},         {XK_F4, 4},
    {XK_F5, 5},       {XK_F6, 6},          {XK_F7, 7},         {XK_F8, 8},
    {XK_F9, 9},       {XK_F10, 10},        {XK_F11, 11},       {XK_F12, 12},
    {XK_Left, 100},   {XK_KP_Left, 100},   {XK_Up, 101},       {XK_KP_Up, 101},
    {XK_Right, 102},  {XK_KP_Right, 102},  {XK_Down, 103},     {XK_KP_Down, 103},
    {XK_Prior, 104},  {XK_KP_Prior, 104},  {XK_Next, 105},     {XK_KP_Next, 105},
    {XK_Home, 106},   {XK_KP_Home, 106},   {XK_End, 107},      {XK_KP_End, 107},
    {XK_Insert, 108}, {XK_KP_Insert, 108}, {XK_KP_Begin, 110}, {XK_KP_Delete, 111},
};

// The code GLUT delivers for a key symbol, or -1 for none. Characters are
// what Xlib's XLookupString makes of the symbol: Latin-1 as itself, and the
// control and keypad keys it turns into ASCII.
int codeOf(KeySym sym) {
  if (sym >= 0x20 && sym <= 0xff) return static_cast<int>(sym);
  if (sym == XK_KP_Space) return ' ';
  const bool ascii = (sym >= XK_BackSpace && sym <= XK_Clear) || sym == XK_Return ||
                     sym == XK_Escape || sym == XK_KP_Tab || sym == XK_KP_Enter ||
                     (sym >= XK_KP_Multiply && sym <= XK_KP_9) || sym == XK_KP_Equal ||
                     sym == XK_Delete;
  if (ascii) return static_cast<int>(sym & 0x7f);
  for (const SpecialKey& key : specialKeys) {
    if (key.sym == sym) return key.glutCode + 256;
  }
  return -1;
}

ofKeyboardLayout& currentLayout() {
  static ofKeyboardLayout layout = ofUsKeyboardLayout();
  return layout;
}
}  // namespace

void ofKeyboardLayout::addKey(const std::vector<int>& codes) {
  std::vector<int> all;
  for (int code : codes) {
    all.push_back(code);
    if (code < 0 || code > 127 || !std::isalpha(code)) continue;
    // Caps Lock gives the other case, and Ctrl the code GLUT delivers for
    // Ctrl with the letter (Ctrl+S = 19).
    all.push_back(std::islower(code) ? std::toupper(code) : std::tolower(code));
    all.push_back(std::tolower(code) - 'a' + 1);
  }
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  for (int code : all) keysOf[code].push_back(keyCount);
  ++keyCount;
}

bool ofKeyboardLayout::sameKey(int a, int b) const {
  if (a == b) return true;
  const auto keysA = keysOf.find(a);
  const auto keysB = keysOf.find(b);
  if (keysA == keysOf.end() || keysB == keysOf.end()) return false;
  for (int key : keysA->second) {
    if (std::find(keysB->second.begin(), keysB->second.end(), key) != keysB->second.end()) {
      return true;
    }
  }
  return false;
}

ofKeyboardLayout ofUsKeyboardLayout() {
  ofKeyboardLayout layout;
  for (int c = 'a'; c <= 'z'; ++c) layout.addKey({c});
  const char* const pairs[] = {"`~", "1!", "2@", "3#", "4$",  "5%", "6^",  "7&", "8*", "9(", "0)",
                               "-_", "=+", "[{", "]}", "\\|", ";:", "'\"", ",<", ".>", "/?"};
  for (const char* pair : pairs) layout.addKey({pair[0], pair[1]});
  return layout;
}

ofKeyboardLayout ofReadKeyboardLayout(_XDisplay* display) {
  if (!display) return ofUsKeyboardLayout();
  int first = 0, last = 0, perKey = 0;
  XDisplayKeycodes(display, &first, &last);
  KeySym* syms =
      XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKey);
  if (!syms) return ofUsKeyboardLayout();
  ofKeyboardLayout layout;
  std::vector<int> codes;
  for (int key = 0; key <= last - first; ++key) {
    codes.clear();
    for (int level = 0; level < perKey; ++level) {
      const int code = codeOf(syms[key * perKey + level]);
      if (code >= 0) codes.push_back(code);
    }
    if (!codes.empty()) layout.addKey(codes);
  }
  XFree(syms);
  return layout;
}

const ofKeyboardLayout& ofGetKeyboardLayout() { return currentLayout(); }

void ofSetKeyboardLayout(const ofKeyboardLayout& layout) { currentLayout() = layout; }
