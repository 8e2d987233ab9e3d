#pragma once
// Keeps unsaved edits in their recovery copy about once a minute while the
// editors run, so that a crash or a power cut loses a minute's work at
// most. The copy is written on a thread of its own: no frame waits for the
// disk, however large the set.

#include <future>

#include "editors/EditedFile.h"
#include "level/LevelData.h"

class Autosave {
 public:
  static constexpr int intervalMs = 60000;

  // Each frame. A write that has ended gives its result to file; once
  // intervalMs (by the framework clock) have passed since the last write,
  // unsaved edits that differ from what was last kept start a new one.
  void update(EditedFile& file, const LevelData& data);
  // Waits for a write under way and gives its result to file: before the
  // program writes the copy itself, or loads another file.
  void finish(EditedFile& file);
  bool writing() const { return pending.valid(); }

 private:
  std::future<bool> pending;
  bool started = false;
  int lastAt = 0;
  LevelData kept{LevelData::Empty{}};
};
