// Fuzzes the level file format. Whatever the bytes of a level file, loading
// it and then drawing, animating, editing, saving and reloading it must not
// crash or trip a sanitizer, and a saved file must load back to the same
// content: saving the reloaded data must write the same bytes again.

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzScratch.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "level/LevelData.h"

namespace fs = std::filesystem;
using namespace fuzz;

namespace {

void drawBoth(const LevelData& data) {
  data.draw(false);
  data.draw(true);
}

// The clock only moves when told to: these steps pass small and large
// animSpeed values alike, so model frames really change and finish.
void animate(LevelData& data) {
  data.resetAnimations();
  for (int ms : {1, 40, 120, 1000, 5000}) {
    fuzzClock.advance(ms);
    data.update(true, true);
    data.draw(false);
  }
}

// Walks the selections past both ends of their lists and adds and removes
// levels and models, drawing in between, as the editors do.
void navigate(LevelData& data) {
  data.nextLevel();
  drawBoth(data);
  data.prevLevel();
  data.prevLevel();  // from the first level this wraps to the last
  drawBoth(data);
  data.nextModel();
  data.prevModel();
  data.prevModel();
  Model& model = data.getCurrentModel();
  model.nextFrame();
  model.prevFrame();
  model.prevFrame();
  data.update(false, true);
  drawBoth(data);
  data.addLevel();
  data.addModel();
  animate(data);
  data.removeLevel();
  data.removeModel();
  data.removeLevel();  // now one of the loaded ones, unless it is the last
  data.removeModel();
  drawBoth(data);
}

void removeFirstReferenceAndWarp(LevelData& data) {
  const std::vector<ModelRef>& refs = data.getCurrentLevel().modelRefs;
  if (!refs.empty()) {
    const std::string guid = refs.front().guid;  // a copy: the list changes under it
    data.removeModelRefs(guid);
  }
  data.removeWarp(0);
  drawBoth(data);
}

// Info's count goes up by one with every save; nothing else may change.
std::string withoutSaveCount(std::string text) {
  const std::string key = "<Info count=\"";
  const size_t start = text.find(key);
  if (start == std::string::npos) return text;
  const size_t from = start + key.size();
  const size_t end = text.find('"', from);
  if (end != std::string::npos) text.erase(from, end - from);
  return text;
}

void checkRoundTrip(LevelData& data) {
  if (!data.save()) fail("the first save failed");
  const std::string first = readFile("data/data.xml");
  LevelData reloaded{LevelData::Empty{}};
  if (!reloaded.load("data.xml")) fail("a saved file does not load back");
  // At the top of the range the count stays put, and its numbered copy is
  // never written over: the second save is refused, as it should be.
  if (reloaded.saveCount == INT_MAX) return;
  if (!reloaded.save()) fail("the second save failed");
  const std::string second = readFile("data/data.xml");
  if (withoutSaveCount(first) != withoutSaveCount(second)) {
    std::fprintf(stderr, "first save:\n%s\nsecond save:\n%s\n", first.c_str(), second.c_str());
    fail("saving a reloaded file wrote different content");
  }
}

void exercise(const uint8_t* bytes, size_t size) {
  writeFile("data/fuzz.xml", bytes, size);
  LevelData data;
  if (!data.load("fuzz.xml")) return;  // logged; the content stays as it was
  drawBoth(data);
  animate(data);
  navigate(data);
  removeFirstReferenceAndWarp(data);
  checkRoundTrip(data);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("level_file_fuzz");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  clearDataFolder();
  return 0;
}
