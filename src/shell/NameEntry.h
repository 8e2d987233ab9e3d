#pragma once
// The letters a player types on the score screen to sign a run that entered
// the high scores. It only collects keys; whoever shows the screen hands the
// name to HighScores::renameNewRows.

#include <string>

class NameEntry {
 public:
  // A key code as the game receives it. A letter (kept upper-case) or a digit
  // is typed while there is room; Backspace or Delete rubs out the last one.
  // True for those keys, even when a full entry ignores one; false, changing
  // nothing, for every other key (Enter, Escape, space, punctuation, arrows),
  // which stays the screen's.
  bool keyPressed(int key);
  // What was typed, or "YOU" when nothing was: a run always has a name.
  std::string name() const;
  const std::string& typed() const { return text; }
  void clear() { text.clear(); }

 private:
  std::string text;
};
