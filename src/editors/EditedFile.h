#pragma once
// The level file the editing state works on: which file it is, what it held
// when last loaded or saved (so that unsaved edits show), saving back to it
// or to another file, loading another one in its place, and the recovery
// copies that keep unsaved edits when the program ends. Every operation
// returns what the status line should say. Saves go to the data folder, or
// to a folder of the player's own when the data folder cannot be written
// (an installed game).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level/LevelData.h"

// A recovery copy waiting to be loaded: its file name in the folder saved
// into, and the file its edits were made on.
struct RecoveryCopy {
  std::string name;    // "recovered_3.xml"
  std::string origin;  // "data.xml"
};

class EditedFile {
 public:
  // Unsaved edits go to "recovered_<n>.xml" in the folder saved into, one
  // number for each set of edits, so that one never replaces another. A
  // copy named "recovered.xml" (of an older game) is offered too.
  static constexpr const char* recoveryStem = "recovered";
  // The newest copies kept; an older one goes when a new one is made.
  static constexpr int recoveryCopiesKept = 8;

  // Saves (their numbered copies and the recovery copies too) go to folder,
  // an absolute path, instead of the data folder; "" is the data folder. A
  // file is read from there when it is there, else from the data folder.
  // Set before open().
  void saveInto(const std::string& folder);

  // "data.xml" into data, or a fresh set when it does not load; returns ""
  // or what went wrong, and where saves go when that is not the data folder.
  std::string open(LevelData& data);
  // Writes data back to the file it came from, then its numbered copy.
  std::string save(LevelData& data);
  // Writes data to the file typed, which becomes the file edited: a plain
  // name goes into the player's level folder, a path ("/media/stick/a") is
  // taken as it stands; ".xml" is added when missing. A file already there
  // is kept as a numbered copy first.
  std::string saveAs(LevelData& data, const std::string& typed);
  // Replaces data by the file typed (".xml" added when missing), which
  // becomes the file edited: a name is looked for in the folder saved
  // into, the player's level folder and the data folder, in that order; a
  // path is read where it says. Unsaved edits are first kept in their recovery
  // copy, and nothing is loaded when they cannot be; a file that does not
  // load leaves data as it was. "recovered" is the newest recovery copy.
  // Loading a recovery copy brings back the edits of the file it was
  // written for, which a save then writes.
  std::string load(LevelData& data, const std::string& typed);
  // A fresh set in place of data, with no file yet (a save asks for a
  // name); unsaved edits are first kept in their recovery copy, and nothing
  // changes when they cannot be.
  std::string startNew(LevelData& data);
  // The set edited is new: it has no file yet.
  bool isNew() const { return target.empty(); }
  // data differs in anything a save writes from what the file held.
  bool unsaved(const LevelData& data) const;
  // The file was changed on disk (by hand, by another program) since it
  // was loaded or saved here: a save would write over those changes.
  bool changedOnDisk() const;
  // Keeps the file as it is on disk as a numbered copy; what the status
  // line says about it.
  std::string keepOutsideVersion() const;

  // Writes data to this set of edits' recovery copy, atomically, naming
  // the file it was edited from; false (logged) when it could not be
  // written. The copy is numbered on its first write.
  bool writeRecovery(const LevelData& data);
  // writeRecovery in two halves, for a write on another thread: the job
  // (which holds the document made from data now) writes and says whether
  // it could; its result is then given back here, on the frame's thread.
  std::function<bool()> recoveryJob(const LevelData& data);
  void recoveryWritten(bool ok);
  // The last attempt to keep unsaved edits in their recovery copy failed
  // (and nothing was written or saved since).
  bool recoveryFailed() const { return recoveryWriteFailed; }
  // The recovery copies newer than the files they were written for,
  // newest first.
  std::vector<RecoveryCopy> recoveryOffers() const;
  // What the status line says on entering when there are offers; "" when none.
  std::string recoveryHint() const;

  const std::string& name() const { return fileName; }
  // Where a save goes, as the log shows it: "data/data.xml", or
  // "~/.local/share/orvane/levels/data.xml" (the home folder as "~").
  std::string path() const;
  // Where this set of edits' recovery copy goes (or will go), shown the same way.
  std::string recoveryPath() const;
  // The player's level folder, where "save as" puts a plain name.
  static std::string playerLevelFolder();

 private:
  // The name in the folder saved into, as the loaders and savers take it.
  std::string saved(const std::string& name) const;
  // Where name is read from: the folder saved into when it is there.
  std::string source(const std::string& name) const;
  std::string saveTargetOf(const std::string& name) const;
  // The file a recovery copy's edits were made on, as the loaders take it.
  std::string recoveryOrigin(const std::string& copy) const;
  std::string recoveryName() const;
  std::string saveTo(LevelData& data, const std::string& target);
  void noteDiskState();
  // file becomes the file edited ("" a new set).
  void adopt(const std::string& file);
  // Numbers in use by recovery copies in the folder saved into.
  std::vector<int> recoveryNumbers() const;
  void pruneRecoveryCopies() const;

  std::string folder;
  // The file edited as the loaders and savers take it, and its name.
  std::string target = "data.xml";
  std::string fileName = "data.xml";
  LevelData stored{LevelData::Empty{}};
  // This set of edits' recovery copy number; 0 until it is first written.
  int recoveryNumber = 0;
  bool recoveryWriteFailed = false;
  // The file on disk when it was last loaded or saved here.
  std::int64_t diskTime = 0;
  std::int64_t diskSize = -1;
};
