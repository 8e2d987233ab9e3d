#pragma once
// Where the files the game writes beside its data go. While the data folder
// can be written they stay there, as they always have; an installed game's
// data folder cannot, and then they go to the player's own folder.

#include <string>

// True when a file can be made in folder: one is made and removed again.
// Asking access() would not do: for root the permission bits never refuse.
bool folderWritable(const std::string& folder);

// The data folder (ofGetDataPathRoot) is there and no file can be made in
// it. A folder that is not there is not read-only: writes into it fail and
// say so, as they always have.
bool dataFolderReadOnly();

// The path of the data file name, to be read and written: in the data
// folder unless dataReadOnly, else in the per-user folder, which is first
// given a copy of the data folder's file when it has none of its own.
// Without a per-user folder the data folder's path (whose writes then fail
// and are logged where they are made).
std::string writableDataFile(const std::string& name, bool dataReadOnly);
// The same for the data folder as it is now.
std::string writableDataFile(const std::string& name);

// The folder the editors save into: "" (the data folder) unless it is
// read-only, else "levels" in the per-user folder.
std::string editorSaveFolder();
