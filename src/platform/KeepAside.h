#pragma once
// Keeping a file that cannot be read: before a save takes its place it is
// moved aside, so that its bytes are never lost. Level files and the
// player's progress file both go through here.

#include <string>

// True when any directory entry is at path, a dangling link included: none
// is written over.
bool pathTaken(const std::string& path);

// Moves the file at path to the first free name of path.broken,
// path.broken.1, ... and logs a warning naming both and why it could not be
// read. False, logged as an error, when it could not be moved.
bool keepAside(const std::string& path, const std::string& why);

// keepAside for the file name (resolved against the data folder) when it is a
// regular file that does not load as XML. False only when such a file could
// not be moved.
bool keepUnreadable(const std::string& name);
