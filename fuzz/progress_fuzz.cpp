// Fuzzes the player's record, progress.xml. Whatever its bytes (nested as
// deep as the input reaches), loading it, offering times, saving and loading
// again must not crash, hang or trip a sanitizer; no save loses a best or a
// level reached; and saving what was loaded back writes the same record.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "level/LevelData.h"
#include "progress/PlayerProgress.h"

using namespace fuzz;

namespace {
// Guids as level files can hold them: any bytes but NUL.
const std::vector<std::string> guids = {"l1", "l2", "", "nbcave", "../x", "\xff z"};

// The levels of a set naming every guid tried, so reachedIn lists them.
LevelData setOfGuids() {
  LevelData data;
  data.levels[0].guid = guids[0];
  for (size_t i = 1; i < guids.size(); ++i) {
    data.addLevel();
    data.levels.back().guid = guids[i];
  }
  return data;
}

// Nothing of what was saved is lost: every level reached is still reached
// and every best is still there, or a better one.
void checkKept(const PlayerProgress& saved, const PlayerProgress& loaded) {
  for (const std::string& guid : guids) {
    if (saved.hasReached(guid) && !loaded.hasReached(guid)) fail("a save lost a level reached");
    const std::optional<float> kept = saved.bestTime(guid), now = loaded.bestTime(guid);
    if (kept && (!now || *now > *kept)) fail("a save lost a best");
  }
}

void checkSame(const PlayerProgress& a, const PlayerProgress& b, const LevelData& set) {
  if (a.reachedIn(set) != b.reachedIn(set)) fail("the levels reached changed on a reload");
  for (const std::string& guid : guids) {
    const std::optional<float> x = a.bestTime(guid), y = b.bestTime(guid);
    if (x.has_value() != y.has_value() || (x && *x != *y)) fail("a best changed on a reload");
  }
}

void exercise(const uint8_t* bytes, size_t size) {
  writeFile(PlayerProgress::path(), bytes, size);
  const LevelData set = setOfGuids();
  PlayerProgress progress;
  progress.load();
  const float times[] = {1000.5f, 0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(), 3e38f};
  for (size_t i = 0; i < guids.size(); ++i) {
    progress.reach(guids[i]);
    progress.offerTime(guids[i], times[i % 6]);
  }
  for (const std::string& guid : guids) {
    const std::optional<float> best = progress.bestTime(guid);
    if (best && (!std::isfinite(*best) || *best < 0)) fail("a best that is no time was kept");
  }
  // A save may be refused (a file of a newer game is never written over).
  // One that is made keeps everything, merged with what the file held; a
  // second save of what was loaded back writes the same record again.
  if (!progress.save()) return;
  PlayerProgress loaded;
  if (!loaded.load()) fail("a saved record does not load");
  checkKept(progress, loaded);
  if (!loaded.save()) fail("a record loaded back could not be saved");
  PlayerProgress again;
  if (!again.load()) fail("a record saved twice does not load");
  checkSame(loaded, again, set);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("progress_fuzz");
  setenv("XDG_DATA_HOME", (std::filesystem::current_path() / "share").c_str(), 1);
  std::filesystem::create_directories("share/orvane");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  std::filesystem::remove_all("share/orvane");
  std::filesystem::create_directories("share/orvane");
  return 0;
}
