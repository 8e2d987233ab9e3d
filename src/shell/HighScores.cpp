#include "shell/HighScores.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/ofLog.h"
#include "platform/WritableData.h"

namespace {
constexpr int rows = 5;
constexpr int recordBytes = 14;

void putFloat(unsigned char* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

// Not-a-number or infinity would break the ranking and print as "nan":
// such a field reads as 0.
float getFloat(const unsigned char* in) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(in[i]) << (8 * i);
  float value;
  std::memcpy(&value, &bits, 4);
  return std::isfinite(value) ? value : 0.0f;
}

template <typename T>
void insertAt(std::vector<T>& list, int row, const T& value) {
  list.insert(list.begin() + row, value);
  list.pop_back();
}

// The one rule for a name's length, so that the names stored, loaded and
// written agree.
std::string fitName(const std::string& name) {
  std::string fitted = name.substr(0, HighScores::nameBytes);
  fitted.resize(HighScores::nameBytes, ' ');
  return fitted;
}

// A row of -1 (the run did not enter that table) names nothing.
void renameRow(std::vector<std::string>& names, int row, const std::string& name) {
  if (row >= 0 && row < static_cast<int>(names.size())) names[row] = name;
}
}  // namespace

HighScores::HighScores() { setDefaults(); }

void HighScores::setDefaults() {
  timeNames.assign(rows, "ZKW");
  fuelNames.assign(rows, "ZKW");
  bestTimes.clear();
  bestFuel.clear();
  for (int m = 0; m < rows; ++m) {
    bestTimes.push_back(static_cast<float>(57600000 + 60000 * m));
    bestFuel.push_back(static_cast<float>(50 - 10 * m));
  }
}

std::string HighScores::filePath() { return writableDataFile("high.dat"); }

bool HighScores::load(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    ofLog(OF_NOTICE, "no high scores yet in %s: %s", path.c_str(), std::strerror(errno));
    return false;
  }
  unsigned char bytes[rows * recordBytes];
  const size_t got = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  // Each field is taken only when the file covers all of its bytes.
  auto covered = [&](size_t end) { return got >= end; };
  for (int i = 0; i < rows; ++i) {
    const size_t at = static_cast<size_t>(i) * recordBytes;
    // The file's bytes replace characters in place; a name of another
    // length, set from outside, would put them past its end.
    timeNames[i] = fitName(timeNames[i]);
    fuelNames[i] = fitName(fuelNames[i]);
    for (size_t c = 0; c < nameBytes; ++c) {
      if (covered(at + c + 1)) timeNames[i][c] = static_cast<char>(bytes[at + c]);
      const size_t fuelAt = at + nameBytes + c;
      if (covered(fuelAt + 1)) fuelNames[i][c] = static_cast<char>(bytes[fuelAt]);
    }
    if (covered(at + 10)) bestTimes[i] = getFloat(bytes + at + 6);
    if (covered(at + 14)) bestFuel[i] = getFloat(bytes + at + 10);
  }
  if (got < sizeof bytes) {
    ofLog(OF_NOTICE, "%s holds %zu of 70 bytes; the rest of the table keeps its defaults",
          path.c_str(), got);
    return false;
  }
  return true;
}

bool HighScores::save(const std::string& path) const {
  unsigned char bytes[rows * recordBytes];
  for (int i = 0; i < rows; ++i) {
    unsigned char* record = bytes + i * recordBytes;
    std::memcpy(record, fitName(timeNames[i]).data(), nameBytes);
    std::memcpy(record + nameBytes, fitName(fuelNames[i]).data(), nameBytes);
    putFloat(record + 6, bestTimes[i]);
    putFloat(record + 10, bestFuel[i]);
  }
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  bool ok = file != nullptr;
  if (ok) {
    ok = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
    ok = std::fclose(file) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  }
  if (!ok) {
    ofLog(OF_ERROR, "could not save the high scores to %s: %s", path.c_str(), std::strerror(errno));
    std::remove(temporary.c_str());
  }
  return ok;
}

void HighScores::insert(float time, float fuel, const std::string& runName) {
  const std::string name = fitName(runName);
  bool entered = false;
  for (int i = 0; i < rows; ++i) {
    if (bestTimes[i] > time) {
      insertAt(timeNames, i, name);
      insertAt(bestTimes, i, time);
      newTimeRow = i;
      entered = true;
      break;
    }
  }
  for (int j = 0; j < rows; ++j) {
    if (bestFuel[j] < fuel) {
      insertAt(fuelNames, j, name);
      insertAt(bestFuel, j, fuel);
      newFuelRow = j;
      entered = true;
      break;
    }
  }
  if (entered) {
    newRecord = true;
    save();
  }
}

void HighScores::renameNewRows(const std::string& name) {
  const std::string fitted = fitName(name);
  renameRow(timeNames, newTimeRow, fitted);
  renameRow(fuelNames, newFuelRow, fitted);
}

void HighScores::clearNewMarks() {
  newRecord = false;
  newTimeRow = -1;
  newFuelRow = -1;
}
