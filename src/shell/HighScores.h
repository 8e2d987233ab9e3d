#pragma once
// The two high-score tables, five rows each: the shortest run times and the
// most fuel left, kept in "high.dat" (70 bytes: per row a 3-byte time
// name, a 3-byte fuel name, then time and fuel as little-endian floats).

#include <cstddef>
#include <string>
#include <vector>

struct HighScores {
  // Every name in the tables is this many bytes: a longer one is cut, a
  // shorter one padded with blanks.
  static constexpr size_t nameBytes = 3;

  HighScores();  // the default rows

  // Five rows named "ZKW" with times 57600000 + 60000·m s and fuel 50 − 10·m.
  void setDefaults();
  // Where the tables are kept: "high.dat" in the data folder, or the
  // player's own copy when the data folder cannot be written (an installed
  // game).
  static std::string filePath();
  // Replaces the rows the file covers; a missing or short file leaves the
  // rest as they are and logs a notice. False when the file was not whole.
  bool load(const std::string& path = filePath());
  // Writes all five rows through a temporary file renamed over the old one;
  // a failure is logged with the path and the file is left as it was.
  bool save(const std::string& path = filePath()) const;
  // Offers a finished run to both tables (an equal value ranks below the
  // older one) and saves if either took it.
  void insert(float time, float fuel, const std::string& name);
  // Puts name on the row or rows the last run entered (none when it entered
  // neither table). The file is not written: that is the caller's choice.
  void renameNewRows(const std::string& name);
  // Forgets which rows the last run entered.
  void clearNewMarks();

  std::vector<std::string> timeNames, fuelNames;
  std::vector<float> bestTimes, bestFuel;
  bool newRecord = false;
  int newTimeRow = -1;
  int newFuelRow = -1;
};
