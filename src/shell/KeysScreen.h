#pragma once
// The screen 'k' opens on the title: the key of each of the game's actions
// and the two volumes. Up and Down choose a row; Enter on a key's row waits
// for the new key (Escape keeps the old one); Left and Right turn a volume
// down and up; Escape goes back. It reads keys as the keyboard gives them,
// never through the bindings, so that no binding can lock the player out.

#include <string>

class Settings;
class ofTrueTypeFont;
struct InputState;

class KeysScreen {
 public:
  enum class Step { none, changed, back };

  // Opens on the first row, waiting for nothing.
  void open();
  // One frame of the screen; changed when a key or a volume of settings
  // was changed (the caller keeps and applies them).
  Step update(const InputState& current, const InputState& previous, Settings& settings);
  void draw(ofTrueTypeFont& font, const Settings& settings) const;

  // The rows: one per action, then the music and the effects volume.
  static int rowCount();
  int selected = 0;
  // Enter was pressed on a key's row: the next key pressed is its new key.
  bool waiting = false;
  // Why the last key pressed could not be bound; empty when it could.
  std::string refusal;

 private:
  Step waitForKey(const InputState& current, const InputState& previous, Settings& settings);
};
