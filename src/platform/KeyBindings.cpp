#include "platform/KeyBindings.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/InputState.h"

namespace {
// One row per action, in the order of the enum, the file and the screen.
const KeyBindings::ActionInfo actions[] = {
    {"turn_left", "turn left", KEY_LEFT},
    {"turn_right", "turn right", KEY_RIGHT},
    {"thrust", "thrust", KEY_UP},
    {"pause", "pause / resume", KEY_SPACE},
    {"back", "back / pause / exit", KEY_ESCAPE},
    {"start", "start / choose", KEY_ENTER},
    {"quit", "quit a paused run", 'q'},
    {"checkpoint", "to the checkpoint", 'r'},
    {"restart", "restart run / level", 'n'},
};
static_assert(sizeof(actions) / sizeof(actions[0]) == KeyBindings::actionCount,
              "one row per action");

struct NamedKey {
  const char* name;
  int code;
};
// Keys whose name is a word. The first name of a code is the one written;
// the others are read too.
const NamedKey namedKeys[] = {
    {"backspace", KEY_BACKSPACE}, {"tab", 9},        {"enter", KEY_ENTER},   {"return", KEY_ENTER},
    {"esc", KEY_ESCAPE},          {"escape", KEY_ESCAPE}, {"space", KEY_SPACE}, {"delete", KEY_DELETE},
    {"f1", 257},  {"f2", 258},  {"f3", 259},  {"f4", 260},  {"f5", 261},  {"f6", 262},
    {"f7", 263},  {"f8", 264},  {"f9", 265},  {"f10", 266}, {"f11", 267}, {"f12", 268},
    {"left", KEY_LEFT}, {"up", KEY_UP}, {"right", KEY_RIGHT}, {"down", KEY_DOWN},
    {"pageup", 360}, {"pagedown", 361}, {"home", KEY_HOME}, {"end", 363}, {"insert", 364},
};

// The title's own letters: each opens a screen or flips a switch there, and
// would be lost to it if an action took it.
const char titleLetters[] = "ekslhc";

bool printable(int code) { return code > ' ' && code < 127; }

// A capital letter as its small one: Shift does not change what a key does.
int folded(int code) { return code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code; }
}  // namespace

const KeyBindings::ActionInfo& KeyBindings::info(Action action) { return actions[action]; }

KeyBindings::Action KeyBindings::actionNamed(const std::string& name) {
  for (int a = 0; a < actionCount; ++a) {
    if (name == actions[a].name) return static_cast<Action>(a);
  }
  return actionCount;
}

KeyBindings::KeyBindings() {
  for (int a = 0; a < actionCount; ++a) keys[a] = actions[a].usualKey;
}

KeyBindings::Action KeyBindings::actionOf(int key) const {
  const int code = folded(key);
  for (int a = 0; a < actionCount; ++a) {
    if (keys[a] == code) return static_cast<Action>(a);
  }
  return actionCount;
}

KeyBindings::Action KeyBindings::bind(Action action, int key) {
  const int code = folded(key);
  const Action holder = actionOf(code);
  if (holder == action) return actionCount;
  if (holder != actionCount) keys[holder] = keys[action];
  keys[action] = code;
  return holder;
}

int KeyBindings::gameCode(int key) const {
  const Action action = actionOf(key);
  return action == actionCount ? folded(key) : actions[action].usualKey;
}

bool KeyBindings::operator==(const KeyBindings& other) const {
  return std::equal(keys, keys + actionCount, other.keys);
}

std::string keyName(int code) {
  for (const NamedKey& key : namedKeys) {
    if (key.code == code) return key.name;
  }
  if (printable(code)) return std::string(1, static_cast<char>(folded(code)));
  return "";
}

std::optional<int> keyNamed(const std::string& name) {
  if (name.size() == 1 && printable(static_cast<unsigned char>(name[0]))) {
    return folded(static_cast<unsigned char>(name[0]));
  }
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const NamedKey& key : namedKeys) {
    if (lower == key.name) return key.code;
  }
  return std::nullopt;
}

std::string whyNotBindable(int key) {
  const int code = folded(key);
  if (keyName(code).empty()) return "that key has no name the game knows";
  if (code == KEY_F11) return "f11 is kept for full screen";
  if (code < 128 && std::strchr(titleLetters, code)) {
    return keyName(code) + " is kept for the title's menu";
  }
  return "";
}
