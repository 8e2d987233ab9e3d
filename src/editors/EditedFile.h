#pragma once
// The level file the editing state works on: which file it is, what it held
// when last loaded or saved (so that unsaved edits show), saving back to it,
// loading another one in its place, and the recovery copy that keeps unsaved
// edits when the program ends. Every operation returns what the status line
// should say. Saves go to the data folder, or to a folder of the player's
// own when the data folder cannot be written (an installed game).

#include <string>

#include "level/LevelData.h"

class EditedFile {
 public:
  // Where unsaved edits go when the program ends, in the folder saved into.
  static constexpr const char* recoveryName = "recovered.xml";

  // Saves (their numbered copies and the recovery copy too) go to folder, an
  // absolute path, instead of the data folder; "" is the data folder. A file
  // is read from there when it is there, else from the data folder. Set
  // before open().
  void saveInto(const std::string& folder);

  // "data.xml" into data, or a fresh set when it does not load; returns ""
  // or what went wrong, and where saves go when that is not the data folder.
  std::string open(LevelData& data);
  // Writes data back to the file it came from, with its numbered copy.
  std::string save(LevelData& data);
  // Replaces data by the file typed (".xml" added when missing), which
  // becomes the file edited. Unsaved edits are first kept in the recovery
  // copy, and nothing is loaded when they cannot be; a file that does not
  // load leaves data as it was. Loading the
  // recovery copy brings back the edits of the file it was written for,
  // which a save then writes.
  std::string load(LevelData& data, const std::string& typed);
  // data differs in anything a save writes from what the file held.
  bool unsaved(const LevelData& data) const;
  // Writes data to the recovery copy, atomically, naming the file it was
  // edited from; false (logged) when it could not be written.
  bool writeRecovery(const LevelData& data) const;
  // How to load the recovery copy when it is newer than the file it was
  // written for; "" otherwise.
  std::string recoveryHint() const;

  const std::string& name() const { return fileName; }  // in the folder saved into
  // Where a save goes, as the log shows it: "data/data.xml", or
  // "~/.local/share/orvane/levels/data.xml" (the home folder as "~").
  std::string path() const;
  // Where the recovery copy goes, shown the same way.
  std::string recoveryPath() const;

 private:
  // The name in the folder saved into, as the loaders and savers take it.
  std::string saved(const std::string& name) const;
  // Where name is read from: the folder saved into when it is there.
  std::string source(const std::string& name) const;
  std::string recoveryOrigin() const;

  std::string folder;
  std::string fileName = "data.xml";
  LevelData stored{LevelData::Empty{}};
};
