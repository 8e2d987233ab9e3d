#include "shell/HighScores.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "platform/WritableData.h"

namespace {
constexpr int rows = 5;
constexpr int recordBytes = 14;
const char* const defaultName = "ZKW";

// The default rows' values, m from 0: sixteen hours and more, far slower
// than any run, and more fuel than a tank holds.
float defaultTime(int m) { return static_cast<float>(57600000 + 60000 * m); }
float defaultFuel(int m) { return static_cast<float>(50 - 10 * m); }

bool isDefaultRow(const std::vector<std::string>& names, const std::vector<float>& values, int row,
                  float (*defaultValue)(int)) {
  if (row < 0 || row >= static_cast<int>(names.size()) || row >= static_cast<int>(values.size()) ||
      names[row] != defaultName) {
    return false;
  }
  for (int m = 0; m < rows; ++m) {
    if (values[row] == defaultValue(m)) return true;
  }
  return false;
}

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
  timeNames.assign(rows, defaultName);
  fuelNames.assign(rows, defaultName);
  bestTimes.clear();
  bestFuel.clear();
  for (int m = 0; m < rows; ++m) {
    bestTimes.push_back(defaultTime(m));
    bestFuel.push_back(defaultFuel(m));
  }
}

bool HighScores::isDefaultTimeRow(int row) const {
  return isDefaultRow(timeNames, bestTimes, row, defaultTime);
}

bool HighScores::isDefaultFuelRow(int row) const {
  return isDefaultRow(fuelNames, bestFuel, row, defaultFuel);
}

std::string HighScores::filePath() { return writableDataFile("high.dat"); }

bool HighScores::load(const std::string& path) {
  const ofFileRead file = ofReadFile(path);
  if (!file.ok) {
    if (file.missing) {
      ofLog(OF_NOTICE, "no high scores yet in %s: %s", path.c_str(), file.error.c_str());
      return false;
    }
    unreadPath = path;
    unreadWhy = file.error;
    complain(OF_WARNING, "could not read the high scores in " + path + ": " + file.error +
                             "; the table starts from its defaults, and the file is not "
                             "written over");
    return false;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(file.bytes.data());
  // Bytes past the five rows are no part of the table.
  const size_t got = std::min(file.bytes.size(), static_cast<size_t>(rows * recordBytes));
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
  if (path == unreadPath) unreadPath.clear();
  if (got < static_cast<size_t>(rows * recordBytes)) {
    ofLog(OF_NOTICE, "%s holds %zu of 70 bytes; the rest of the table keeps its defaults",
          path.c_str(), got);
    return false;
  }
  return true;
}

void HighScores::complain(int level, const std::string& message) {
  problem = message;
  if (message == lastSaid) return;
  lastSaid = message;
  ofLog(level, "%s", message.c_str());
}

bool HighScores::save(const std::string& path) {
  // What could not be read at the start holds rows this table never saw;
  // what cannot be read now may be a pipe or a player's own file.
  std::string unreadable = path == unreadPath ? unreadWhy : std::string();
  if (unreadable.empty()) {
    const ofFileRead now = ofReadFile(path);
    if (!now.ok && !now.missing) unreadable = now.error;
  }
  if (!unreadable.empty()) {
    complain(OF_ERROR, "could not save the high scores to " + path + ": it could not be read (" +
                           unreadable + "), so it is not written over");
    return false;
  }
  std::string bytes(static_cast<size_t>(rows * recordBytes), '\0');
  for (int i = 0; i < rows; ++i) {
    auto* record = reinterpret_cast<unsigned char*>(&bytes[static_cast<size_t>(i) * recordBytes]);
    std::memcpy(record, fitName(timeNames[i]).data(), nameBytes);
    std::memcpy(record + nameBytes, fitName(fuelNames[i]).data(), nameBytes);
    putFloat(record + 6, bestTimes[i]);
    putFloat(record + 10, bestFuel[i]);
  }
  std::string error;
  if (!ofWriteFile(path, bytes, error)) {
    complain(OF_ERROR, "could not save the high scores to " + path + ": " + error);
    return false;
  }
  problem.clear();
  lastSaid.clear();
  return true;
}

void HighScores::insert(float time, float fuel, const std::string& runName) {
  // No run takes forever or burns infinite fuel; the file could not keep
  // such a row either (it reads back as 0).
  if (!std::isfinite(time) || !std::isfinite(fuel)) return;
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
