#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <future>

#include "framework/ofLog.h"
#include "platform/WritableData.h"
#include "shell/HighScores.h"
#include "support/FileSizeLimit.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
std::string names(const std::vector<std::string>& list) {
  std::string all;
  for (const std::string& n : list) all += n + " ";
  return all;
}

// One 14-byte record as the file holds it, the floats given by their bits.
std::string record(const char* timeName, const char* fuelName, uint32_t timeBits, uint32_t fuelBits) {
  std::string bytes = std::string(timeName, 3) + std::string(fuelName, 3);
  for (uint32_t bits : {timeBits, fuelBits}) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return bytes;
}

// Bits of the floats the cases below use.
constexpr uint32_t f10 = 0x41200000, f20 = 0x41A00000, f30 = 0x41F00000, f35 = 0x420C0000;
constexpr uint32_t f40 = 0x42200000, f50 = 0x42480000, f60 = 0x42700000, f100 = 0x42C80000;
}  // namespace

TEST(HighScores, InsertsAsTheTablesRankThem) {
  ScratchFolder scratch;
  struct Case {
    const char* name;
    std::vector<float> times, fuel;
    float time, runFuel;
    int timeRow, fuelRow;
  };
  const Case cases[] = {
      {"beats every default time, too little fuel", {}, {}, 100, 5, 0, -1},
      {"equal fuel ranks below the older entry", {}, {50, 40, 30, 20, 10}, 1e9f, 30, -1, 3},
      {"last place", {10, 20, 30, 40, 50}, {}, 45, 0, 4, -1},
      {"no place at all", {10, 20, 30, 40, 50}, {50, 40, 30, 20, 10}, 60, 10, -1, -1},
      // The file could not keep these (they read back as 0): no run.
      {"an endless time", {}, {}, -INFINITY, 100, -1, -1},
      {"endless fuel", {}, {}, 100, INFINITY, -1, -1},
      {"a time that is no number", {}, {}, NAN, 100, -1, -1},
  };
  for (const Case& c : cases) {
    HighScores scores;
    if (!c.times.empty()) scores.bestTimes = c.times;
    if (!c.fuel.empty()) scores.bestFuel = c.fuel;
    scores.insert(c.time, c.runFuel, "YOU");
    EXPECT_EQ(scores.newTimeRow, c.timeRow) << c.name;
    EXPECT_EQ(scores.newFuelRow, c.fuelRow) << c.name;
    EXPECT_EQ(scores.newRecord, c.timeRow >= 0 || c.fuelRow >= 0) << c.name;
    EXPECT_EQ(scratch.exists("data/high.dat"), scores.newRecord) << c.name;
    std::remove("data/high.dat");
  }
}

TEST(HighScores, AnEntryPushesTheRowsBelowDownAndTheLastOneOut) {
  ScratchFolder scratch;
  HighScores scores;
  scores.timeNames = {"AAA", "BBB", "CCC", "DDD", "EEE"};
  scores.bestTimes = {10, 20, 30, 40, 50};
  scores.insert(15, 0, "YOU");
  EXPECT_EQ(names(scores.timeNames), "AAA YOU BBB CCC DDD ");
  EXPECT_EQ(scores.bestTimes, (std::vector<float>{10, 15, 20, 30, 40}));
  EXPECT_EQ(scores.fuelNames[0], "ZKW");
}

TEST(HighScores, TheFileIs70LittleEndianBytesAndRoundTripsBitForBit) {
  ScratchFolder scratch;
  HighScores scores;
  scores.timeNames[0] = std::string("Y\0U", 3);  // any byte is a character
  scores.bestTimes[0] = 123.456f;
  scores.bestFuel[4] = -0.0f;
  ASSERT_TRUE(scores.save());
  const std::string bytes = scratch.read("data/high.dat");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes.substr(0, 6), std::string("Y\0UZKW", 6));
  const float time = 123.456f;
  unsigned char expected[4];
  std::memcpy(expected, &time, 4);  // this machine is little-endian
  EXPECT_EQ(bytes.substr(6, 4), std::string(reinterpret_cast<char*>(expected), 4));

  HighScores loaded;
  ASSERT_TRUE(loaded.load());
  EXPECT_EQ(loaded.timeNames, scores.timeNames);
  EXPECT_EQ(loaded.bestTimes, scores.bestTimes);
  EXPECT_TRUE(std::signbit(loaded.bestFuel[4]));
  ASSERT_TRUE(loaded.save());
  EXPECT_EQ(scratch.read("data/high.dat"), bytes);
}

TEST(HighScores, NumbersThatAreNotFiniteReadAsZero) {
  ScratchFolder scratch;
  HighScores written;
  written.bestTimes = {NAN, INFINITY, -INFINITY, 4, 5};
  written.bestFuel = {1, 2, 3, NAN, -INFINITY};
  ASSERT_TRUE(written.save());
  HighScores loaded;
  ASSERT_TRUE(loaded.load());
  EXPECT_EQ(loaded.bestTimes, (std::vector<float>{0, 0, 0, 4, 5}));
  EXPECT_EQ(loaded.bestFuel, (std::vector<float>{1, 2, 3, 0, 0}));
}

TEST(HighScores, AShortFileReplacesOnlyWhatItCovers) {
  ScratchFolder scratch;
  HighScores written;
  written.timeNames = {"AAA", "BBB", "CCC", "DDD", "EEE"};
  written.bestTimes = {1, 2, 3, 4, 5};
  ASSERT_TRUE(written.save());
  scratch.write("data/high.dat", scratch.read("data/high.dat").substr(0, 20));  // row 0 and 6 bytes
  HighScores loaded;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(loaded.load());
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(names(loaded.timeNames), "AAA BBB ZKW ZKW ZKW ");
  EXPECT_EQ(loaded.bestTimes[0], 1);
  EXPECT_EQ(loaded.bestTimes[1], 57660000);  // its bytes did not all arrive
}

TEST(HighScores, MissingFilesAndFoldersKeepTheDefaults) {
  ScratchFolder scratch(false);
  HighScores scores;
  EXPECT_FALSE(scores.load());
  EXPECT_EQ(scores.bestTimes[0], 57600000);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(scores.save());  // no data folder to write into
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("OF_ERROR: could not save the high scores to data/high.dat"), std::string::npos);
}

TEST(HighScores, ASaveUsesATemporaryFileOfItsOwnAndAFailureSaysWhyAndKeepsTheFile) {
  ScratchFolder scratch;
  HighScores scores;
  // Another game's temporary file, under the name every game once used.
  mkdir("data/high.dat.tmp", 0755);
  scores.bestTimes[0] = 1;
  ASSERT_TRUE(scores.save());
  const std::string before = scratch.read("data/high.dat");
  scores.bestTimes[0] = 2;
  bool written = true;
  const int logLevel = ofGetLogLevel();
  {
    // The log would go to a file too (the captured output): the message is
    // read from problem, which is what the log says.
    ofSetLogLevel(OF_FATAL_ERROR);
    FileSizeLimit full(10);
    written = scores.save();
  }
  ofSetLogLevel(logLevel);
  EXPECT_FALSE(written);
  EXPECT_EQ(scores.problem, "could not save the high scores to data/high.dat: File too large");
  EXPECT_EQ(scratch.read("data/high.dat"), before);
  EXPECT_EQ(scores.bestTimes[0], 2);  // the table in memory stays as it is
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator("data")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"high.dat", "high.dat.tmp"}));
  ASSERT_TRUE(scores.save());
  EXPECT_EQ(scores.problem, "") << "a save that works takes the complaint back";
}

namespace {
// Loads path on a thread of its own. A load still waiting for a writer
// after two seconds fails the test and is let go by opening the other end.
bool loadWithin(HighScores& scores, const std::string& path) {
  auto loading = std::async(std::launch::async, [&] { return scores.load(path); });
  if (loading.wait_for(std::chrono::seconds(2)) == std::future_status::timeout) {
    ADD_FAILURE() << "loading " << path << " waits for a writer";
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
  }
  return loading.get();
}
}  // namespace

// A pipe, say, at high.dat: the start does not wait on it, the run's save
// does not replace it, and both say so.
TEST(HighScores, WhatIsNotAFileIsRefusedAtOnceAndNeverWrittenOver) {
  ScratchFolder scratch;
  ScopedEnvironment userData("XDG_DATA_HOME", scratch.path() + "/share");
  std::filesystem::create_directories("share/orvane");
  const std::string own = scratch.path() + "/share/orvane/high.dat";
  struct Case {
    const char* name;
    std::string path;
    bool pipe;  // else a folder
    const char* reason;
  };
  const Case cases[] = {
      {"a pipe in the data folder", "data/high.dat", true, "is a pipe, not a file"},
      {"a pipe in the player's folder", own, true, "is a pipe, not a file"},
      {"a folder in the data folder", "data/high.dat", false, "is a folder, not a file"},
  };
  for (const Case& c : cases) {
    if (c.pipe) {
      ASSERT_EQ(mkfifo(c.path.c_str(), 0600), 0) << c.name;
    } else {
      ASSERT_EQ(mkdir(c.path.c_str(), 0755), 0) << c.name;
    }
    // The player's copy is the one used when the data folder is read-only.
    const std::string path = writableDataFile("high.dat", c.path == own);
    EXPECT_EQ(path, c.path) << c.name;
    HighScores scores;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadWithin(scores, path)) << c.name;
    EXPECT_EQ(scores.bestTimes[0], 57600000) << c.name;
    scores.bestTimes[0] = 100;  // a run entered
    EXPECT_FALSE(scores.save(path)) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "OF_WARNING: could not read the high scores in " + path + ": " + c.reason +
                       "; the table starts from its defaults, and the file is not written over\n"
                       "OF_ERROR: could not save the high scores to " + path +
                       ": it could not be read (" + c.reason + "), so it is not written over\n")
        << c.name;
    EXPECT_EQ(scores.problem, "could not save the high scores to " + path +
                                  ": it could not be read (" + c.reason +
                                  "), so it is not written over")
        << c.name;
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0) << c.name;
    EXPECT_TRUE(c.pipe ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode)) << c.name << ": still there";
    std::filesystem::remove_all(path);
  }
}

TEST(HighScores, ARenamedRunIsWrittenBitForBit) {
  struct Case {
    const char* label;
    std::vector<float> times;  // empty: the defaults
    float time, fuel;
    const char* name;
    std::string file;
  };
  const Case cases[] = {
      {"both tables, a short name padded", {}, 100, 60, "AX",
       record("AX ", "AX ", f100, f60) + record("ZKW", "ZKW", 0x4C5BBA00, f50) +
           record("ZKW", "ZKW", 0x4C5BF498, f40) + record("ZKW", "ZKW", 0x4C5C2F30, f30) +
           record("ZKW", "ZKW", 0x4C5C69C8, f20)},
      {"the fuel table only, a long name cut", {10, 20, 30, 40, 50}, 60, 35, "ABCD",
       record("ZKW", "ZKW", f10, f50) + record("ZKW", "ZKW", f20, f40) + record("ZKW", "ABC", f30, f35) +
           record("ZKW", "ZKW", f40, f30) + record("ZKW", "ZKW", f50, f20)},
      {"neither table", {10, 20, 30, 40, 50}, 60, 5, "BOB",
       record("ZKW", "ZKW", f10, f50) + record("ZKW", "ZKW", f20, f40) + record("ZKW", "ZKW", f30, f30) +
           record("ZKW", "ZKW", f40, f20) + record("ZKW", "ZKW", f50, f10)},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    HighScores scores;
    if (!c.times.empty()) scores.bestTimes = c.times;
    scores.insert(c.time, c.fuel, "YOU");
    scores.renameNewRows(c.name);
    ASSERT_TRUE(scores.save()) << c.label;
    EXPECT_EQ(scratch.read("data/high.dat"), c.file) << c.label;
    // The table in memory holds the names the file does.
    HighScores loaded;
    ASSERT_TRUE(loaded.load()) << c.label;
    EXPECT_EQ(scores.timeNames, loaded.timeNames) << c.label;
    EXPECT_EQ(scores.fuelNames, loaded.fuelNames) << c.label;
  }
}

TEST(HighScores, TheFileGivesWholeNamesWhateverTheLengthInMemory) {
  ScratchFolder scratch;
  HighScores written;
  written.timeNames = {"BOB", "SUE", "ANN", "TIM", "JOE"};
  written.fuelNames = written.timeNames;
  ASSERT_TRUE(written.save());
  for (const char* name : {"", "A", "ABCD"}) {
    HighScores loaded;
    loaded.timeNames.assign(5, name);
    loaded.fuelNames.assign(5, name);
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.timeNames, written.timeNames) << '"' << name << '"';
    EXPECT_EQ(loaded.fuelNames, written.fuelNames) << '"' << name << '"';
  }
}

// A default row is known wherever runs have pushed it, and a run is never
// taken for one, whatever its name.
TEST(HighScores, TheDefaultRowsAreKnownWhereverRunsPushedThem) {
  ScratchFolder scratch;
  HighScores scores;
  scores.insert(90, 60, "ZKW");  // a run signed with the defaults' name
  scores.insert(95, 55, "ANN");
  for (int row = 0; row < 5; ++row) {
    // Both runs entered both tables, above the three defaults left.
    EXPECT_EQ(scores.isDefaultTimeRow(row), row >= 2) << row;
    EXPECT_EQ(scores.isDefaultFuelRow(row), row >= 2) << row;
  }
  EXPECT_FALSE(scores.isDefaultTimeRow(-1));
  EXPECT_FALSE(scores.isDefaultTimeRow(5));
  scores.timeNames[4] = "BOB";  // a default time under a name typed in
  EXPECT_FALSE(scores.isDefaultTimeRow(4));
}
