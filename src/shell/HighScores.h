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
  // The row is one of those defaults, wherever runs have pushed it: no run
  // stands there, and the score screen shows it as empty. Only the screen
  // asks; the file keeps the row's bytes as they are.
  bool isDefaultTimeRow(int row) const;
  bool isDefaultFuelRow(int row) const;
  // Where the tables are kept: "high.dat" in the data folder, or the
  // player's own copy when the data folder cannot be written (an installed
  // game).
  static std::string filePath();
  // Replaces the rows the file covers; a missing or short file leaves the
  // rest as they are and logs a notice. A file that is there but cannot be
  // read (a pipe, a folder, no permission) is refused at once, without
  // waiting on it: the rows keep their defaults and that file is never
  // written over. False when the file was not whole.
  bool load(const std::string& path = filePath());
  // Writes all five rows through a temporary file renamed over the old one.
  // A failure leaves the file as it was and is logged once with the path
  // and the reason, and kept in problem for the window.
  bool save(const std::string& path = filePath());
  // Offers a finished run to both tables (an equal value ranks below the
  // older one) and saves if either took it. A time or fuel that is not a
  // finite number is no run: neither table takes it.
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
  // Why the file could not be read or written at the last try, as the log
  // said it; "" once a load or save worked. The score screen shows it.
  std::string problem;

 private:
  // Logs message at level and keeps it as the problem; a message that is
  // the last one said is not logged again (every save tries again).
  void complain(int level, const std::string& message);

  // The file load found but could not read, and why: never written over.
  std::string unreadPath, unreadWhy;
  std::string lastSaid;
};
