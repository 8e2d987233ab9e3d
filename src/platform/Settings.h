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
  // and leaves its setting as it was; the other lines apply. False when the
  // file was missing or not a settings file at all.
  bool load();
  // Applies the lines of text over the settings as load does; where names
  // the text in the log. Returns how many lines could not be used.
  int read(const std::string& text, const std::string& where);
  // The file's text for these settings, with notes saying what each means.
  std::string text() const;
  // Writes the file through a temporary file renamed over it, making the
  // folder first. A file whose lines could not all be used at the last load
  // is first kept beside as settings.broken, so that a player's edits are
  // never lost. False, logged, when it could not be written.
  bool save();
  // The settings file; empty when there is no folder for it.
  static std::string path();

  // The last load or read gave the setting of this file name a value.
  bool given(const std::string& name) const { return named.count(name) != 0; }

  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }

 private:
  struct Reading;
  // Why the line cannot be used, or "" once it is applied.
  std::string apply(const std::string& name, const std::string& value, Reading& reading);
  std::string applyKey(KeyBindings::Action action, const std::string& value, Reading& reading);

  std::set<std::string> named;
  bool keepBeforeSaving = false;
};
