// A player's progress: the rules of the record (reached levels, best times)
// and the file it is kept in, read back whatever state the file is in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "framework/ofLog.h"
#include "level/LevelData.h"
#include "progress/PlayerProgress.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

using Guids = std::vector<std::string>;
const float inf = std::numeric_limits<float>::infinity();
const float notANumber = std::numeric_limits<float>::quiet_NaN();

int lines(const std::string& log) {
  return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

LevelData levelsNamed(const Guids& guids) {
  LevelData data{LevelData::Empty{}};
  for (const std::string& guid : guids) {
    data.levels.emplace_back(Level::Blank{});
    data.levels.back().guid = guid;
  }
  return data;
}

// The per-user folder inside a scratch folder, with notices shown: a missing
// file is said only as a notice.
struct ProgressFile : testing::Test {
  ScratchFolder scratch{false};
  ScopedEnvironment xdg{"XDG_DATA_HOME", scratch.path() + "/share"};
  const std::string file = "share/orvane/progress.xml";
  int logLevel = ofGetLogLevel();

  void SetUp() override {
    fs::create_directories(scratch.path() + "/share/orvane");
    ofSetLogLevel(OF_NOTICE);
  }
  void TearDown() override { ofSetLogLevel(logLevel); }
  std::vector<std::string> folderContent() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch.path() + "/share/orvane")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};
}  // namespace

TEST(PlayerProgress, OnlyABetterFiniteTimeIsANewBestAndATimedLevelIsReached) {
  struct Offer {
    const char* guid;
    float ms;
    bool newBest;
    std::optional<float> best;  // of that guid afterwards
  };
  const Offer offers[] = {
      {"a", 5000, true, 5000},
      {"a", 6000, false, 5000},
      {"a", 5000, false, 5000},
      {"a", 4000.5f, true, 4000.5f},
      {"a", notANumber, false, 4000.5f},
      {"a", inf, false, 4000.5f},
      {"a", -1, false, 4000.5f},
      {"b", inf, false, std::nullopt},
      {"b", -inf, false, std::nullopt},
      {"", 10, false, std::nullopt},
      {"c", 0, true, 0},
      {"c", -0.5f, false, 0},
  };
  PlayerProgress progress;
  for (const Offer& o : offers) {
    EXPECT_EQ(progress.offerTime(o.guid, o.ms), o.newBest) << o.guid << " " << o.ms;
    EXPECT_EQ(progress.bestTime(o.guid), o.best) << o.guid << " " << o.ms;
  }
  EXPECT_TRUE(progress.hasReached("a"));
  EXPECT_FALSE(progress.hasReached("b"));  // refused times reach nothing
  EXPECT_FALSE(progress.hasReached(""));
  EXPECT_EQ(progress.reachedIn(levelsNamed({"c", "b", "a"})), (Guids{"a", "c"}));
}

TEST(PlayerProgress, LevelsAreListedInFirstReachedOrderWhileTheyStillExist) {
  PlayerProgress progress;
  for (const char* guid : {"cave", "shaft", "", "cave", "core", "shaft"}) progress.reach(guid);
  struct Case {
    Guids levelSet;
    Guids listed;
  };
  const Case cases[] = {
      {{"core", "shaft", "cave"}, {"cave", "shaft", "core"}},
      {{"core", "cave", "new"}, {"cave", "core"}},  // shaft was removed from the set
      {{"new"}, {}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(progress.reachedIn(levelsNamed(c.levelSet)), c.listed) << c.levelSet.size();
  }
  // Listing forgets nothing: a level that comes back is still reached.
  EXPECT_TRUE(progress.hasReached("shaft"));
}

TEST_F(ProgressFile, AnOlderRecordsSwitchesAreReadToBeCarriedOverAndNeverWrittenAgain) {
  using Switch = std::optional<bool>;
  struct Case {
    const char* settings;  // the older record's Settings element, if any
    Switch ghosts, calm;
  };
  const Case cases[] = {
      {"<Settings ghosts=\"0\" calm=\"1\"></Settings>", false, true},
      {"<Settings ghosts=\"1\" calm=\"0\"></Settings>", true, false},
      {"<Settings ghosts=\"0\"></Settings>", false, std::nullopt},
      {"<Settings calm=\"yes\"></Settings>", std::nullopt, std::nullopt},  // not a number
      {"", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    scratch.write(file, std::string("<Progress version=\"1\">") + c.settings +
                            "<Reached guid=\"a\"></Reached></Progress>");
    PlayerProgress progress;
    ASSERT_TRUE(progress.load()) << c.settings;
    EXPECT_EQ(progress.olderSwitches.ghosts, c.ghosts) << c.settings;
    EXPECT_EQ(progress.olderSwitches.calm, c.calm) << c.settings;
    EXPECT_TRUE(progress.hasReached("a")) << c.settings;
    ASSERT_TRUE(progress.save());
    EXPECT_EQ(scratch.read(file).find("Settings"), std::string::npos) << scratch.read(file);
  }
}

TEST_F(ProgressFile, ARecordReadsBackAsItWasSaved) {
  PlayerProgress saved;
  saved.reach("first");
  saved.offerTime("a \"quoted\" <guid> & more", 61234.5f);
  saved.offerTime("third", 1.0f / 3.0f);  // needs every digit
  saved.offerTime("zero", 0);
  saved.reach("no time yet");
  ASSERT_TRUE(saved.save());

  PlayerProgress loaded;
  loaded.reach("left over");  // a load replaces the record
  ASSERT_TRUE(loaded.load());
  const Guids order{"first", "a \"quoted\" <guid> & more", "third", "zero", "no time yet"};
  EXPECT_EQ(loaded.reachedIn(levelsNamed({"zero", "no time yet", "third", "first",
                                          "a \"quoted\" <guid> & more", "left over"})),
            order);
  for (const std::string& guid : order)
    EXPECT_EQ(loaded.bestTime(guid), saved.bestTime(guid)) << guid;
  EXPECT_NE(scratch.read(file).find("<Reached guid=\"first\""), std::string::npos)
      << scratch.read(file);
}

TEST_F(ProgressFile, ASaveLeavesTheFileAloneBesideNoTemporaryOrKeptCopy) {
  PlayerProgress progress;
  progress.offerTime("a", 1000);
  testing::internal::CaptureStdout();
  ASSERT_TRUE(progress.save());
  progress.offerTime("a", 900);
  ASSERT_TRUE(progress.save());  // over a good record: nothing to keep
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"progress.xml"}));
}

TEST_F(ProgressFile, AFileThatCannotBeReadLeavesAnEmptyRecordAndOneLineSayingWhy) {
  struct Case {
    const char* name;
    std::optional<std::string> text;  // none: no file; "/": a folder in its place
    const char* said;
  };
  const Case cases[] = {
      {"missing", std::nullopt, "OF_NOTICE: no progress in "},
      {"empty", "", "OF_WARNING: could not load "},
      {"damaged", "<Progress><Reached guid=\"a\"></Progress>", "OF_WARNING: could not load "},
      {"cut short", "<Progress version=\"1\"><Reached guid=\"a\" bestMs=\"12", "OF_WARNING: "},
      {"another file", "<Info count=\"3\"></Info>", "there is no Progress element"},
      {"a folder", "/", "it is not a regular file"},
  };
  for (const Case& c : cases) {
    if (c.text == "/") {
      fs::create_directory(scratch.path() + "/" + file);
    } else if (c.text) {
      scratch.write(file, *c.text);
    }
    PlayerProgress progress;
    progress.offerTime("earlier", 5);
    progress.olderSwitches.calm = true;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(progress.load()) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_NE(log.find(c.said), std::string::npos) << c.name << ": " << log;
    EXPECT_NE(log.find(scratch.path() + "/" + file), std::string::npos) << c.name << ": " << log;
    EXPECT_FALSE(progress.hasReached("earlier")) << c.name;
    EXPECT_EQ(progress.olderSwitches.calm, std::nullopt) << c.name;
    std::error_code ignored;
    fs::remove_all(scratch.path() + "/" + file, ignored);
  }
}

TEST_F(ProgressFile, TimesThatAreNotFiniteNumbersCountAsNoTime) {
  scratch.write(file,
                "<Progress version=\"1\">\n"
                "  <Settings ghosts=\"0\"></Settings>\n"
                "  <Reached guid=\"nan\" bestMs=\"nan\"></Reached>\n"
                "  <Reached guid=\"inf\" bestMs=\"inf\"></Reached>\n"
                "  <Reached guid=\"huge\" bestMs=\"1e39\"></Reached>\n"
                "  <Reached guid=\"below\" bestMs=\"-5\"></Reached>\n"
                "  <Reached guid=\"words\" bestMs=\"12 seconds\"></Reached>\n"
                "  <Reached guid=\"\" bestMs=\"3\"></Reached>\n"
                "  <Reached guid=\"good\" bestMs=\"12.5\"></Reached>\n"
                "  <Reached guid=\"nan\" bestMs=\"7\"></Reached>\n"
                "</Progress>\n");
  PlayerProgress progress;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(progress.load());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  const Guids all{"nan", "inf", "huge", "below", "words", "good"};
  EXPECT_EQ(progress.reachedIn(levelsNamed(all)), all);
  for (const char* guid : {"inf", "huge", "below", "words"}) {
    EXPECT_EQ(progress.bestTime(guid), std::nullopt) << guid;
  }
  EXPECT_EQ(progress.bestTime("good"), 12.5f);
  EXPECT_EQ(progress.bestTime("nan"), 7.0f);  // a guid twice keeps its best time
  EXPECT_EQ(progress.olderSwitches.ghosts, false);
  EXPECT_EQ(progress.olderSwitches.calm, std::nullopt);  // absent
}

TEST_F(ProgressFile, AFileThatHoldsNoRecordIsKeptBesideBeforeASaveReplacesIt) {
  struct Case {
    std::string text;
    std::vector<std::string> keptBefore;
    std::string keptAs;
  };
  const Case cases[] = {
      {"<Progress><Reached", {}, "progress.xml.broken"},
      {"<Info count=\"3\"></Info>", {}, "progress.xml.broken"},
      {"", {"progress.xml.broken"}, "progress.xml.broken.1"},
  };
  for (const Case& c : cases) {
    scratch.write(file, c.text);
    for (const std::string& name : c.keptBefore) scratch.write("share/orvane/" + name, name);
    PlayerProgress progress;
    testing::internal::CaptureStdout();
    progress.load();
    progress.reach("a");
    ASSERT_TRUE(progress.save());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(scratch.read("share/orvane/" + c.keptAs), c.text) << c.keptAs;
    for (const std::string& name : c.keptBefore)
      EXPECT_EQ(scratch.read("share/orvane/" + name), name);
    EXPECT_NE(log.find("kept it as " + scratch.path() + "/share/orvane/" + c.keptAs),
              std::string::npos)
        << log;
    PlayerProgress reloaded;
    EXPECT_TRUE(reloaded.load());
    EXPECT_TRUE(reloaded.hasReached("a"));
    for (const std::string& name : folderContent())
      fs::remove(scratch.path() + "/share/orvane/" + name);
  }
}

TEST_F(ProgressFile, ASaveWithNoFolderToWriteInFailsAndSaysSo) {
  scratch.write("blocked", "a file, not a folder");
  ScopedEnvironment blocked("XDG_DATA_HOME", scratch.path() + "/blocked");
  PlayerProgress progress;
  progress.reach("a");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(progress.save());
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("OF_ERROR: could not make the player's folder " + scratch.path() +
                     "/blocked/orvane"),
            std::string::npos)
      << log;
  EXPECT_EQ(scratch.read("blocked"), "a file, not a folder");
}
