#pragma once
// Where a player's own files live (records, settings), in a folder of their
// own apart from the shipped data/, so that neither can overwrite the other.

#include <string>

// $XDG_DATA_HOME/orvane when that variable names an absolute folder, else
// $HOME/.local/share/orvane; empty when neither does (no home to write in).
std::string userDataFolder();

// The file name inside the per-user folder; empty when there is no folder.
std::string userDataPath(const std::string& name);

// Creates the per-user folder and its parents when they are missing. False
// when it cannot be made (no home, a file in the way, no permission); that is
// logged once per folder and reason, however often a caller tries again.
bool makeUserDataFolder();

// $XDG_CONFIG_HOME/orvane when that variable names an absolute folder, else
// $HOME/.config/orvane; empty when neither does. The player's settings live
// here, apart from the records.
std::string userConfigFolder();

// The file name inside the settings folder; empty when there is no folder.
std::string userConfigPath(const std::string& name);

// makeUserDataFolder for the settings folder.
bool makeUserConfigFolder();
