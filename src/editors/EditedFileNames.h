#pragma once
// The names and paths the edited level file and its recovery copies go by:
// what a typed name means, which names are recovery copies, and how a path
// is shown on the status line.

#include <string>

namespace editor {

// The attribute of the recovery copy's Info that names the file it was
// edited from; loaders of level files pass over it.
inline constexpr const char* recoveredFrom = "editedFile";

// typed with ".xml" added when it is missing.
std::string withExtension(const std::string& typed);
// A name with no folder in it, and not one of the folder's own names.
bool isPlainFileName(const std::string& name);
// The file newer was written after the file older (or older is not there).
bool modifiedLater(const std::string& newer, const std::string& older);
// The home folder as "~": the status line has room for a path in the
// player's folder only when it is shortened.
std::string shownPath(const std::string& path);
// Makes the folder; "" when it is there, else why not.
std::string makeFolder(const std::string& folder);
// "recovered_3.xml" is 3, "recovered.xml" (an older game's) 0; -1 for any
// other name.
int recoveryNumberOf(const std::string& name);
// The recovery copy numbered so.
std::string recoveryFileName(int number);

}  // namespace editor
