// Fuzzes a ghost file, the recording of a level's best pass. Whatever its
// bytes (nested as deep as the input reaches), loading it, replaying every
// frame, saving it and loading it again must not crash, hang or trip a
// sanitizer; a saved ghost loads back with its length, and what a save of
// that wrote loads back frame for frame (the file keeps tenths of a pixel,
// so the first save may round).

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "progress/Ghost.h"

using namespace fuzz;

namespace {
const std::string guid = "cave";

void exercise(const uint8_t* bytes, size_t size) {
  std::filesystem::create_directories(std::filesystem::path(Ghost::path(guid)).parent_path());
  writeFile(Ghost::path(guid), bytes, size);
  Ghost ghost;
  ghost.load(guid);
  for (size_t frame = 0; frame <= ghost.frames(); ++frame) {
    const Ghost::Frame* at = ghost.at(frame);
    if ((at == nullptr) != (frame == ghost.frames())) fail("a frame is missing or one too many");
    if (at && !(std::isfinite(at->x) && std::isfinite(at->y) && std::isfinite(at->angle))) {
      fail("a replayed frame is not finite");
    }
  }
  if (ghost.empty() || !ghost.save(guid)) return;
  Ghost saved;
  if (!saved.load(guid)) fail("a saved ghost does not load");
  if (saved.frames() != ghost.frames()) fail("a saved ghost loads with another length");
  if (!saved.save(guid)) fail("a loaded ghost could not be saved again");
  Ghost again;
  if (!again.load(guid) || again.frames() != saved.frames()) fail("a ghost saved twice changed");
  for (size_t frame = 0; frame < saved.frames(); ++frame) {
    const Ghost::Frame& a = *saved.at(frame);
    const Ghost::Frame& b = *again.at(frame);
    if (a.x != b.x || a.y != b.y || a.angle != b.angle) fail("a saved frame changed");
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("ghost_fuzz");
  setenv("XDG_DATA_HOME", (std::filesystem::current_path() / "share").c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  std::filesystem::remove_all("share");
  return 0;
}
