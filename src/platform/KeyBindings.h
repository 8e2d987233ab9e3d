#pragma once
// The keys of the game's actions (turning, thrust, pause and the keys of
// the screens around a run), their names as the settings file and the keys
// screen write them, and the translation of a key pressed into the key
// code the game reads. A key bound to an action arrives as that action's
// usual key; a key bound to none keeps its own meaning. The editors never
// go through here: their keys stay as they are.

#include <optional>
#include <string>

class KeyBindings {
 public:
  enum Action {
    turnLeft, turnRight, thrust, pause, back, start, quit, checkpoint, restart, actionCount
  };

  struct ActionInfo {
    const char* name;   // in the settings file
    const char* label;  // on the keys screen
    int usualKey;       // its key by default, and the code the game reads for it
  };
  static const ActionInfo& info(Action action);
  // The action of a settings-file name, or actionCount.
  static Action actionNamed(const std::string& name);

  // Every action on its usual key.
  KeyBindings();

  int key(Action action) const { return keys[action]; }
  // The action the key is bound to, or actionCount. Letters count in either
  // case: Shift does not change what a key does.
  Action actionOf(int key) const;
  // Binds a bindable key (see whyNotBindable) to the action. A key that
  // another action had already swaps: that action takes this one's old
  // key, so that no key does two things. Returns the action that took the
  // old key, or actionCount.
  Action bind(Action action, int key);
  // The key code the game reads when key is pressed: the usual key of its
  // action when it is bound to one, else the key itself, a letter in small
  // case: Shift and Caps Lock do not change what a key does.
  int gameCode(int key) const;

  bool operator==(const KeyBindings& other) const;
  bool operator!=(const KeyBindings& other) const { return !(*this == other); }

 private:
  int keys[actionCount];
};

// The name of a key code as the settings file and the screens write it:
// "left", "space", "enter", "esc", "f1", or the character itself ("a",
// "7", "/"); empty for codes without a name (control codes, bytes beyond
// ASCII, special keys the game has no name for). Letters are lower case.
std::string keyName(int code);
// The key code a name stands for (names of more than one character in any
// case, a capital letter as its small one); none for an unknown name.
std::optional<int> keyNamed(const std::string& name);
// Why the key cannot be bound to an action, or "" when it can: keys without
// a name, and the keys kept for the title's menu and for full screen.
std::string whyNotBindable(int key);
