#pragma once
// The player's settings: the keys of the game's actions, the music and
// effects volumes, the window's scale and full screen, calm mode and the
// ghost. Kept in the file "settings" of the settings folder
// ($XDG_CONFIG_HOME/orvane, ~/.config/orvane), one "name = value" a line,
// for a player to read and edit. Each default is stated here and nowhere
// else. The application owns the one in use; main reads it first, to open
// the window at its size.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/ofLog.h"
#include "platform/KeyBindings.h"

class Settings {
 public:
  KeyBindings keys;
  int musicVolume = 100;    // 0 to 100
  int effectsVolume = 100;  // 0 to 100
  int scale = 1;            // the window is scale times the screen's size
  bool fullscreen = false;
  bool calm = false;   // the flicker held still and flashes softened
  bool ghosts = true;  // the best run's ghost flown beside the ship

  // Replaces the settings with the file's. A missing file leaves the
  // defaults (said as a notice: every player starts without one). Each line
  // that cannot be used is logged once, naming the file, the line and why,
  // and leaves its setting as it was; the other lines apply. A file that is
  // there but cannot be read (a folder, a pipe, no permission) leaves the
  // defaults for this run, said in the log and to the window, and is never
  // written over. False when the file was missing or not read.
  bool load();
  // Applies the lines of text over the settings as load does; where names
  // the text in the log. Returns how many lines could not be used.
  int read(const std::string& text, const std::string& where);
  // The file's text for these settings, with notes saying what each means.
  std::string text() const;
  // Writes the settings this game changed since it loaded (or last saved)
  // over what the file holds now, under a lock, so that two games running
  // at once keep each other's changes; the settings in use then become the
  // file's. The folder is made first. A file with lines that cannot be
  // used is first kept beside as settings.broken, so that a player's edits
  // are never lost; one that cannot be read is never written over. False,
  // said once in the log and to the window, when it was not written.
  bool save();
  // The settings file; empty when there is no folder for it.
  static std::string path();

  // The last load or read gave the setting of this file name a value.
  bool given(const std::string& name) const { return named.count(name) != 0; }

  // A failure to read or write the file that the window has not shown yet,
  // in a line naming the file; "" when there is none. Taking it forgets it.
  std::string takeProblem() { return std::exchange(problem, std::string()); }

  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }

 private:
  struct Reading;
  struct Line;
  // Each setting as the file writes it, in the file's order.
  std::vector<Line> lines() const;
  std::vector<std::string> values() const;
  int parse(const std::string& text, const std::string& where, bool quiet);
  // Why the line cannot be used, or "" once it is applied.
  std::string apply(const std::string& name, const std::string& value, Reading& reading);
  std::string applyKey(KeyBindings::Action action, const std::string& value, Reading& reading);
  // This game's changes since the file was last loaded or saved, over other.
  void applyChangesTo(Settings& other) const;
  // Logs message at level and keeps it for the window, unless it is what
  // was said last: every save tries again, and is not said again.
  void complain(ofLogLevel level, const std::string& message);

  std::set<std::string> named;
  // The value of each line as the file had it at the last load or save; empty
  // for the defaults.
  std::vector<std::string> fileValues;
  std::string problem;
  std::string lastComplaint;
};
