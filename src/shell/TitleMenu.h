#pragma once
// The title screen: the logo scene with the menu drawn over it, and which
// of the menu's keys the player chose in a frame. At most one choice a
// frame, so that two keys in one frame never open two screens.

#include <string>
#include <vector>

#include "level/LevelData.h"

class Settings;
class ofTrueTypeFont;
struct InputState;

class TitleMenu {
 public:
  enum class Choice { none, start, scores, levels, keys, edit, ghosts, calm, quit };

  // Loads the logo scene ("logo.xml").
  void load();
  // One frame: the logo's models animate. Enter held through two frames
  // starts a run; the other keys act as they go down.
  Choice update(const InputState& current, const InputState& previous);
  // While the fade into a run is under way the run is what comes next:
  // only Enter (held, restarting the fade) and Escape still count.
  Choice updateWhileLoading(const InputState& current, const InputState& previous);
  void draw(ofTrueTypeFont& font, const Settings& settings) const;
  // A line under the menu for a few seconds: why what the player asked for
  // (a level to practise, say) could not be done, or what the game could not
  // read or write. Lines said together are shown one after another.
  void say(const std::string& text);
  // What is said under the menu now, then what waits its turn.
  std::vector<std::string> notices() const;

  LevelData logo;

 private:
  // The next waiting line takes the place of one that has had its time.
  void nextNotice();

  std::string notice;
  int noticeAtMs = 0;
  std::vector<std::string> waiting;
};
