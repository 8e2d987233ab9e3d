// A player's progress: the rules of the record (reached levels, best times)
// and the file it is kept in, read back whatever state the file is in.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "framework/ofLog.h"
#include "level/LevelData.h"
#include "progress/ChildProcess.h"
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
  // What a player who is not root finds: the scratch folder open to them
  // and the per-user folder theirs.
  void openToPlayer() const {
    chmod(scratch.path().c_str(), 0755);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.path() + "/share")) {
      (void)!lchown(entry.path().c_str(), 65534, 65534);
    }
    (void)!chown((scratch.path() + "/share").c_str(), 65534, 65534);
  }
};

// The levels named, each with the best given (below 0: none).
std::string recordText(const std::vector<std::pair<std::string, float>>& levels) {
  std::string text = "<Progress version=\"1\">";
  for (const auto& [guid, best] : levels) {
    text += "<Reached guid=\"" + guid + "\"";
    if (best >= 0) text += " bestMs=\"" + std::to_string(best) + "\"";
    text += "></Reached>";
  }
  return text + "</Progress>";
}
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
  // The lock file stays: removing it would let two games lock two files.
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"progress.xml", "progress.xml.lock"}));
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
      {"a folder", "/", "is a folder, not a file"},
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

// Two games started on the same record each save what they earned: neither
// loses the other's levels, and each level keeps the better of the bests.
TEST_F(ProgressFile, TwoGamesSavingInTurnKeepEachOthersLevelsAndTheBetterBests) {
  struct Case {
    bool firstSavesFirst;
    Guids order;  // the file's levels first, then each save's new ones
  };
  const Case cases[] = {
      {true, {"start", "shared", "first only", "second only"}},
      {false, {"start", "shared", "second only", "first only"}},
  };
  for (const Case& c : cases) {
    scratch.write(file, recordText({{"start", 100}, {"shared", 500}}));
    PlayerProgress first, second;
    ASSERT_TRUE(first.load());
    ASSERT_TRUE(second.load());
    first.reach("first only");
    first.offerTime("shared", 400);
    first.offerTime("start", 90);
    second.offerTime("second only", 70);
    second.offerTime("shared", 450);  // a best for this game, not on disk
    second.offerTime("start", 95);
    for (PlayerProgress* game : c.firstSavesFirst ? std::vector{&first, &second}
                                                  : std::vector{&second, &first}) {
      ASSERT_TRUE(game->save()) << c.firstSavesFirst;
    }
    PlayerProgress reread;
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.reachedIn(levelsNamed(c.order)), c.order) << c.firstSavesFirst;
    EXPECT_EQ(reread.bestTime("shared"), 400.0f) << c.firstSavesFirst;
    EXPECT_EQ(reread.bestTime("start"), 90.0f) << c.firstSavesFirst;
    EXPECT_EQ(reread.bestTime("second only"), 70.0f) << c.firstSavesFirst;
    EXPECT_EQ(reread.bestTime("first only"), std::nullopt) << c.firstSavesFirst;
    EXPECT_EQ(second.bestTime("shared"), 450.0f) << "a save changes no game's own record";
  }
}

// Two games saving as fast as they can while a third loads: every load
// finds a whole record, every save is made, nothing is kept aside, and the
// record ends with every level of both and the better best.
TEST_F(ProgressFile, TwoGamesSavingAtOnceLoseNothingAndNeverShowATornRecord) {
  const int saves = 150;
  scratch.write(file, recordText({{"start", 100000}}));
  auto game = [saves](const std::string& name, float from) {
    return [=]() -> std::string {
      PlayerProgress progress;
      if (!progress.load()) return name + " could not load the record";
      for (int i = 0; i < saves; ++i) {
        progress.reach(name + std::to_string(i));
        progress.offerTime("start", from - static_cast<float>(2 * i));
        if (!progress.save()) return name + "'s save " + std::to_string(i) + " failed";
      }
      return "";
    };
  };
  ofSetLogLevel(OF_WARNING);
  const ChildProcess games[] = {startChild(game("a", 90000)), startChild(game("b", 89999))};
  std::string said[2];
  bool ended[2] = {false, false};
  int loads = 0, failedLoads = 0;
  while (!ended[0] || !ended[1]) {
    PlayerProgress watcher;
    ++loads;
    if (!watcher.load()) ++failedLoads;
    for (int g = 0; g < 2; ++g) {
      if (!ended[g]) ended[g] = childEnded(games[g], said[g], false);
    }
  }
  EXPECT_EQ(said[0], "");
  EXPECT_EQ(said[1], "");
  EXPECT_EQ(failedLoads, 0) << "of " << loads;
  PlayerProgress reread;
  ASSERT_TRUE(reread.load());
  for (const char* name : {"a", "b"}) {
    for (int i = 0; i < saves; ++i) {
      EXPECT_TRUE(reread.hasReached(name + std::to_string(i))) << name << i;
    }
  }
  EXPECT_EQ(reread.bestTime("start"), 89999.0f - 2 * (saves - 1));
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"progress.xml", "progress.xml.lock"}));
}

// A file that is there but cannot be read may still hold the player's
// record: it is left as it is, said once, and what this run earns is kept
// in memory until the game ends.
TEST_F(ProgressFile, AFileThatIsThereButCannotBeReadIsNeverWrittenOverAndSaidOnce) {
  const std::string path = scratch.path() + "/" + file;
  struct Case {
    const char* name;
    std::function<void()> make;  // what stands at the path, made as root
    const char* reason;
    bool asPlayer;  // tried by a player who is not root
  };
  const Case cases[] = {
      {"a folder", [&] { fs::create_directory(path); }, "is a folder", false},
      {"a pipe", [&] { mkfifo(path.c_str(), 0644); }, "is a pipe", false},
      {"mode 000",
       [&] {
         scratch.write(file, recordText({{"kept", 5}}));
         openToPlayer();
         chmod(path.c_str(), 0);
       },
       "Permission denied", true},
      {"a folder the player cannot open",
       [&] {
         scratch.write(file, recordText({{"kept", 5}}));
         openToPlayer();
         chmod((scratch.path() + "/share/orvane").c_str(), 0);
       },
       "Permission denied", true},
  };
  for (const Case& c : cases) {
    fs::remove_all(scratch.path() + "/share");
    fs::create_directories(scratch.path() + "/share/orvane");
    testing::internal::CaptureStdout();
    const auto game = [&]() -> std::string {
      std::string wrong;
      PlayerProgress progress;
      if (progress.load()) wrong += "it loaded; ";
      progress.reach("earned");
      progress.offerTime("best", 5);
      if (progress.save()) wrong += "the first save was made; ";
      if (progress.save()) wrong += "the second save was made; ";
      if (!progress.hasReached("earned") || progress.bestTime("best") != 5.0f) {
        wrong += "the run's progress was lost; ";
      }
      const std::string problem = progress.problem();
      if (problem.find(path) == std::string::npos || problem.find(c.reason) == std::string::npos) {
        wrong += "the problem does not name the file and the reason: \"" + problem + "\"; ";
      }
      return wrong;
    };
    std::string said;
    if (c.asPlayer) {
      said = asPlayer(c.make, game);
    } else {
      c.make();
      said = inChild(game);
    }
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "") << c.name;
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_NE(log.find(path), std::string::npos) << c.name << ": " << log;
    EXPECT_NE(log.find(c.reason), std::string::npos) << c.name << ": " << log;
    chmod((scratch.path() + "/share/orvane").c_str(), 0755);
    struct stat st {};
    ASSERT_EQ(lstat(path.c_str(), &st), 0) << c.name;
    if (c.asPlayer) {
      EXPECT_EQ(scratch.read(file), recordText({{"kept", 5}})) << c.name;
    } else {
      EXPECT_EQ(S_ISDIR(st.st_mode), std::string(c.name) == "a folder") << c.name;
      EXPECT_EQ(S_ISFIFO(st.st_mode), std::string(c.name) == "a pipe") << c.name;
    }
    for (const std::string& name : folderContent()) {
      EXPECT_EQ(name.find(".broken"), std::string::npos) << c.name << ": " << name;
    }
  }
}

// A per-user folder that cannot be opened is no first start: the record
// may well be in it.
TEST_F(ProgressFile, AFolderThatCannotBeOpenedIsSaidAsItIsNotAsAFirstStart) {
  const std::string path = scratch.path() + "/" + file;
  struct Case {
    const char* name;
    bool asPlayer;
    const char* reason;
  };
  const Case cases[] = {
      {"a file in the folder's place", false, "Not a directory"},
      {"a folder the player may not open", true, "Permission denied"},
  };
  for (const Case& c : cases) {
    fs::remove_all(scratch.path() + "/share");
    fs::create_directories(scratch.path() + "/share/orvane");
    const auto load = [&]() -> std::string {
      PlayerProgress progress;
      if (progress.load()) return "it loaded";
      const std::string problem = progress.problem();
      if (problem.find(path) == std::string::npos || problem.find(c.reason) == std::string::npos) {
        return "the problem does not name the file and the reason: \"" + problem + "\"";
      }
      return "";
    };
    testing::internal::CaptureStdout();
    std::string said;
    if (c.asPlayer) {
      said = asPlayer(
          [&] {
            openToPlayer();
            chmod((scratch.path() + "/share/orvane").c_str(), 0);
          },
          load);
    } else {
      fs::remove_all(scratch.path() + "/share/orvane");
      scratch.write("share/orvane", "a file");
      said = inChild(load);
    }
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "") << c.name;
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_EQ(log.find("starting afresh"), std::string::npos) << c.name << ": " << log;
    EXPECT_NE(log.find("could not read " + path + ": " + c.reason), std::string::npos)
        << c.name << ": " << log;
    chmod((scratch.path() + "/share/orvane").c_str(), 0755);
  }
}

// What a load could not take into the record would be lost by the next
// save: the file is kept beside first, byte for byte.
TEST_F(ProgressFile, WhatALoadCouldNotTakeIsKeptBesideBeforeASaveWritesOverIt) {
  const std::string good = "<Reached guid=\"a\" bestMs=\"5\"></Reached>";
  struct Case {
    const char* name;
    std::string text;
    bool kept;
  };
  const Case cases[] = {
      {"a second root", "<Progress version=\"1\">" + good +
                            "</Progress><Progress version=\"1\"><Reached guid=\"z\"></Reached>"
                            "</Progress>",
       true},
      {"another root", "<Progress version=\"1\">" + good + "</Progress><Notes></Notes>", true},
      {"text after the record", "<Progress version=\"1\">" + good + "</Progress>notes", true},
      {"no guid", "<Progress version=\"1\">" + good + "<Reached bestMs=\"3\"></Reached></Progress>",
       true},
      {"an empty guid",
       "<Progress version=\"1\">" + good + "<Reached guid=\"\"></Reached></Progress>", true},
      // A best that is not a time: the text is made from the name below.
      {"12ms", "", true},
      {"0x10", "", true},
      {"nan", "", true},
      {"1e300", "", true},
      {"-5", "", true},
      {"a version that is not a number",
       "<Progress version=\"one\">" + good + "</Progress>", true},
      // What is read whole: nothing to keep.
      {"a declaration and notes",
       "<?xml version=\"1.0\" ?>\n<!-- mine -->\n<Progress version=\"1\">" + good +
           "</Progress>\n<!-- end -->\n",
       false},
      {"a guid twice", "<Progress version=\"1\">" + good + good + "</Progress>", false},
      {"no version", "<Progress>" + good + "</Progress>", false},
      {"an older game's switches",
       "<Progress version=\"1\"><Settings calm=\"1\"></Settings>" + good + "</Progress>", false},
  };
  for (Case c : cases) {
    if (c.text.empty()) {
      c.text = "<Progress version=\"1\">" + good + "<Reached guid=\"b\" bestMs=\"" + c.name +
               "\"></Reached></Progress>";
    }
    for (const std::string& name : folderContent()) {
      fs::remove(scratch.path() + "/share/orvane/" + name);
    }
    scratch.write(file, c.text);
    PlayerProgress progress;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(progress.load()) << c.name;
    progress.reach("new");
    EXPECT_TRUE(progress.save()) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    if (c.kept) {
      EXPECT_EQ(scratch.read(file + ".broken"), c.text) << c.name;
      EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
      EXPECT_NE(log.find("kept it as " + scratch.path() + "/" + file + ".broken"),
                std::string::npos)
          << c.name << ": " << log;
    } else {
      EXPECT_FALSE(scratch.exists(file + ".broken")) << c.name;
      EXPECT_EQ(log, "") << c.name;
    }
    PlayerProgress reread;
    ASSERT_TRUE(reread.load()) << c.name;
    EXPECT_EQ(reread.bestTime("a"), 5.0f) << c.name;
    EXPECT_TRUE(reread.hasReached("new")) << c.name;
  }
}

// A record written by a newer game may hold what this one cannot tell: it
// is read for nothing and never written over.
TEST_F(ProgressFile, ARecordOfANewerVersionIsNeitherReadNorWrittenOver) {
  const std::string text =
      "<Progress version=\"2\"><Reached guid=\"a\" bestMs=\"5\" medal=\"gold\"></Reached>"
      "</Progress>";
  scratch.write(file, text);
  PlayerProgress progress;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(progress.load());
  EXPECT_FALSE(progress.hasReached("a"));
  const std::string shown = progress.takeProblem();  // as the window would
  EXPECT_EQ(shown, progress.problem());
  progress.offerTime("b", 7);
  EXPECT_FALSE(progress.save());
  EXPECT_FALSE(progress.save());
  EXPECT_EQ(progress.takeProblem(), "") << "the same problem again is not news";
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(lines(log), 1) << log;
  EXPECT_NE(log.find(scratch.path() + "/" + file), std::string::npos) << log;
  EXPECT_NE(log.find("newer version"), std::string::npos) << log;
  EXPECT_NE(progress.problem().find("newer version"), std::string::npos) << progress.problem();
  EXPECT_EQ(progress.bestTime("b"), 7.0f);
  EXPECT_EQ(scratch.read(file), text);
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"progress.xml", "progress.xml.lock"}));
}

// A record of tens of thousands of levels, some twice, loads in order with
// the best of each, and is listed against a set of as many.
TEST_F(ProgressFile, ALargeRecordLoadsInFirstReachedOrderWithTheBestOfEachLevel) {
  const int count = 30000;
  std::string text = "<Progress version=\"1\">";
  Guids order;
  for (int i = 0; i < count; ++i) {
    order.push_back("level " + std::to_string((i * 7919) % count));
    text += "<Reached guid=\"" + order.back() + "\" bestMs=\"" + std::to_string(i + 1000) +
            "\"></Reached>";
  }
  for (int i = 0; i < count; i += 3) {  // again, the even ones faster
    text += "<Reached guid=\"" + order[i] + "\" bestMs=\"" + std::to_string(i % 2 ? 5000 : 1) +
            "\"></Reached>";
  }
  scratch.write(file, text + "</Progress>");
  PlayerProgress progress;
  ASSERT_TRUE(progress.load());
  Guids set = order;
  std::reverse(set.begin(), set.end());
  EXPECT_EQ(progress.reachedIn(levelsNamed(set)), order);
  for (int i : {0, 1, 3, 6, count - 1}) {
    const float best = i % 3 == 0 && i % 2 == 0 ? 1.0f : static_cast<float>(i + 1000);
    EXPECT_EQ(progress.bestTime(order[i]), best) << i;
  }
}
