// Fuzzes the high-score file "high.dat". Whatever its bytes and length,
// loading the tables, offering them finished runs (NaN and infinite ones
// included), saving and showing them as the score screen does must not crash
// or trip a sanitizer; and a saved file must load back to the same tables:
// saving those again writes the same 70 bytes, bit for bit.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzScratch.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "framework/ofUtils.h"
#include "game/Game.h"
#include "shell/HighScores.h"

namespace fs = std::filesystem;
using namespace fuzz;

namespace {

constexpr size_t fileBytes = 70;

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float floatOf(const uint8_t* bytes) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The 70 bytes a whole file saves back to: its own, with every time and
// fuel that is not a finite number made 0.
std::string expectedSave(const uint8_t* bytes) {
  std::string expected(reinterpret_cast<const char*>(bytes), fileBytes);
  for (size_t row = 0; row < 5; ++row) {
    for (size_t field : {6, 10}) {
      const size_t at = row * 14 + field;
      if (!std::isfinite(floatOf(bytes + at))) expected.replace(at, 4, 4, '\0');
    }
  }
  return expected;
}

// The tables always hold five rows each, whatever was loaded or entered.
void checkShape(const HighScores& scores) {
  if (scores.timeNames.size() != 5 || scores.fuelNames.size() != 5 ||
      scores.bestTimes.size() != 5 || scores.bestFuel.size() != 5) {
    fail("a table does not hold five rows");
  }
  if (scores.newTimeRow < -1 || scores.newTimeRow > 4 || scores.newFuelRow < -1 ||
      scores.newFuelRow > 4) {
    fail("a new row mark is outside the table");
  }
}

// A name as the file holds it: three bytes, blanks after a shorter name.
std::string storedName(const std::string& name) {
  std::string stored = name.substr(0, 3);
  stored.resize(3, ' ');
  return stored;
}

// True when both hold the same rows, names as the file holds them and values
// bit for bit (NaN payloads included).
bool sameRows(const HighScores& a, const HighScores& b) {
  for (int i = 0; i < 5; ++i) {
    if (storedName(a.timeNames[i]) != storedName(b.timeNames[i]) ||
        storedName(a.fuelNames[i]) != storedName(b.fuelNames[i]) ||
        bitsOf(a.bestTimes[i]) != bitsOf(b.bestTimes[i]) ||
        bitsOf(a.bestFuel[i]) != bitsOf(b.bestFuel[i])) {
      return false;
    }
  }
  return true;
}

// The tables were just saved to path: the file is 70 bytes, loads whole into
// fresh tables equal to the saved ones, and saving those writes the same
// bytes again. Returns the file.
std::string checkLoadsBack(const HighScores& scores, const fs::path& path) {
  const std::string saved = readFile(path);
  if (saved.size() != fileBytes) fail("a saved file is not 70 bytes long");
  HighScores reloaded;
  if (!reloaded.load(path.string())) fail("a saved file does not load back whole");
  checkShape(reloaded);
  if (!sameRows(reloaded, scores)) fail("saved tables did not load back bit for bit");
  if (!reloaded.save("data/again.dat")) fail("saving reloaded tables failed");
  if (readFile("data/again.dat") != saved) fail("saving reloaded tables wrote other bytes");
  return saved;
}

// Every row as the score screen writes it.
void formatRows(const HighScores& scores) {
  for (int j = 0; j < 5; ++j) {
    const std::string time = "        " + playTimeText(scores.bestTimes[j]);
    const std::string fuel = "        " + ofToString(static_cast<double>(scores.bestFuel[j]), 0);
    const std::string rank = ofToString(j + 1);
    if (time.size() < 13 || fuel.size() < 9 || rank.empty()) fail("a row was formatted empty");
  }
}

struct Run {
  float time, fuel;
  std::string name;
};

void exercise(const uint8_t* bytes, size_t size) {
  writeFile("data/high.dat", bytes, size);
  HighScores scores;
  const bool whole = scores.load();
  if (whole != (size >= fileBytes)) fail("load() misjudged whether the file was whole");
  checkShape(scores);
  formatRows(scores);
  if (!scores.save()) fail("saving loaded tables failed");
  const std::string saved = checkLoadsBack(scores, "data/high.dat");
  // A whole file is written back as it was read, but for numbers that are
  // not finite: they read, and so are written, as 0.
  if (whole && saved != expectedSave(bytes)) fail("a whole file did not save back to its own bytes");

  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  constexpr float inf = std::numeric_limits<float>::infinity();
  std::vector<Run> runs = {{754.5f, 12.0f, "ABC"},
                           {nan, nan, "NAN"},
                           {inf, -inf, "INF"},
                           {-inf, inf, "NEG"},
                           {0.0f, 0.0f, ""},
                           {-0.0f, -0.0f, "Z"},
                           {1e30f, std::numeric_limits<float>::denorm_min(), "TOOLONG"},
                           {754.5f, 12.0f, std::string("\0\xff\n", 3)}};
  // And a run of the input's own last bytes, whatever floats they make.
  if (size >= 8) runs.push_back({floatOf(bytes + size - 8), floatOf(bytes + size - 4), "FUZ"});

  for (const Run& run : runs) {
    HighScores before = scores;
    scores.clearNewMarks();
    scores.insert(run.time, run.fuel, run.name);
    checkShape(scores);
    formatRows(scores);
    if (scores.newRecord) {
      // insert() saved the tables to data/high.dat.
      checkLoadsBack(scores, "data/high.dat");
    } else if (!sameRows(before, scores) || scores.newTimeRow != -1 || scores.newFuelRow != -1) {
      fail("a run that entered neither table changed it");
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("high_dat_fuzz");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  clearDataFolder();
  return 0;
}
