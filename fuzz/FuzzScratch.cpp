#include "FuzzScratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "framework/ofMath.h"

namespace fs = std::filesystem;

namespace fuzz {

ManualClock fuzzClock;

namespace {
fs::path scratchDir;
const char* name = "fuzz";

void removeScratchDirectory() {
  std::error_code ignored;
  fs::remove_all(scratchDir, ignored);
}
}  // namespace

void fail(const char* what) {
  std::fprintf(stderr, "%s: %s\n", name, what);
  std::abort();
}

void enterScratchDirectory(const char* targetName) {
  name = targetName;
  std::string pattern =
      (fs::temp_directory_path() / ("orvane-" + std::string(targetName) + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) fail("cannot create a scratch folder");
  scratchDir = pattern;
  fs::create_directory(scratchDir / "data");
  fs::current_path(scratchDir);
  std::atexit(removeScratchDirectory);
  ofSetClock(&fuzzClock);
}

void writeFile(const fs::path& path, const uint8_t* bytes, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  if (!out) fail("cannot write the input file");
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot read a saved file");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void clearDataFolder(std::initializer_list<const char*> keep) {
  for (const fs::directory_entry& entry : fs::directory_iterator("data")) {
    const std::string file = entry.path().filename().string();
    bool kept = false;
    for (const char* k : keep) kept = kept || file == k;
    if (!kept) fs::remove_all(entry.path());
  }
}

void resetTimeAndRandom() {
  fuzzClock.now = 0;
  ofResetElapsedTimeCounter();
  ofSeedRandom(1);
}

}  // namespace fuzz
