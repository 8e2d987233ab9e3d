#include "editors/Autosave.h"

#include <chrono>

#include "framework/ofClock.h"
#include "level/SameContent.h"

void Autosave::update(EditedFile& file, const LevelData& data) {
  const int now = ofGetElapsedTimeMillis();
  if (!started) {
    started = true;
    lastAt = now;
  }
  if (pending.valid() && pending.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    const bool ok = pending.get();
    file.recoveryWritten(ok);
    if (!ok) kept = LevelData{LevelData::Empty{}};  // tried again next time
  }
  if (pending.valid() || now - lastAt < intervalMs) return;
  lastAt = now;
  if (!file.unsaved(data) || sameContent(kept, data)) return;
  kept = data;
  pending = std::async(std::launch::async, file.recoveryJob(data));
}

void Autosave::finish(EditedFile& file) {
  if (pending.valid()) file.recoveryWritten(pending.get());
}
