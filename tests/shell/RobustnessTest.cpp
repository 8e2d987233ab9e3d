// Broken or missing data as a player meets it: the real binary starts,
// plays what it can, says once what is wrong and where, and never crashes
// or loses the high scores or the levels being edited.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"
#include "support/SoundFixtures.h"

namespace fs = std::filesystem;

namespace {
void write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// The title's menu lines are drawn in yellow in the lower right. A loaded
// machine, or the sanitized build, draws its first frames late: wait for them.
bool titleShown(GameProcess& game) {
  return game.waitFor(
      [](const Screenshot& s) { return s.count(290, 225, 200, 100, Rgb{255, 211, 0}, 150) > 10; },
      5000);
}


// A notice along the bottom of the title, in red: what went wrong.
bool noticeShown(const Screenshot& s) {
  return s.count(0, 342, 530, 28, Rgb{255, 90, 90}, 60) > 20;
}

struct Case {
  const char* name;
  std::function<void(const std::string& data)> spoil;
  const char* said;  // a log line the game prints exactly once
  bool runStarts;    // holding Enter on the title starts a run
  bool noticed;      // the title says what is wrong, at the start or when Enter is refused
};

// A failing case names itself.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// Tags that do not match: no parser takes this for a document.
const std::string garbage = "<Levels><Level guid=\"x\"></Levels>";

const Case cases[] = {
    {"logo.xml missing", [](const std::string& d) { fs::remove(d + "/logo.xml"); },
     "OF_ERROR: could not load data/logo.xml: No such file or directory", true, false},
    {"font.xml missing", [](const std::string& d) { fs::remove(d + "/font.xml"); },
     "OF_ERROR: could not load data/font.xml: No such file or directory", true, true},
    {"audio.xml missing", [](const std::string& d) { fs::remove(d + "/audio.xml"); },
     "OF_ERROR: could not load data/audio.xml: No such file or directory", true, false},
    {"data.xml garbage", [](const std::string& d) { write(d + "/data.xml", garbage); },
     "OF_ERROR: could not load data/data.xml: line 1:", false, true},
    {"data.xml empty", [](const std::string& d) { write(d + "/data.xml", ""); },
     "OF_ERROR: could not load data/data.xml:", false, true},
    {"logo.xml garbage", [](const std::string& d) { write(d + "/logo.xml", garbage); },
     "OF_ERROR: could not load data/logo.xml: line 1:", true, false},
    {"font.xml garbage", [](const std::string& d) { write(d + "/font.xml", garbage); },
     "OF_ERROR: could not load data/font.xml: line 1:", true, true},
    {"audio.xml garbage", [](const std::string& d) { write(d + "/audio.xml", garbage); },
     "OF_ERROR: could not load data/audio.xml: line 1:", true, false},
    {"data.xml without levels",
     [](const std::string& d) { write(d + "/data.xml", "<Info count=\"2\"></Info>"); },
     "OF_ERROR: cannot start a run: data/data.xml holds no level", false, true},
    {"a sound file that is not one", [](const std::string& d) { write(d + "/tone.wav", garbage); },
     "OF_ERROR: ofSoundPlayer: Could not load sound file data/tone.wav", true, false},
};
}  // namespace

class Robustness : public testing::TestWithParam<Case> {};

TEST_P(Robustness, StartsSaysOnceWhatIsWrongAndEndsCleanly) {
  const Case& c = GetParam();
  GameProcess game(fixturePath("robust"), {}, [&](const std::string& scratch) {
    writeTone(scratch + "/data/tone.wav", 0.2f);
    writeTone(scratch + "/data/beep.wav", 0.1f);
    c.spoil(scratch + "/data");
  });
  ASSERT_TRUE(game.waitForWindow()) << game.output();
  // Without a font the menu is drawn in the built-in bitmap text.
  EXPECT_TRUE(titleShown(game));
  // What is wrong is said along the bottom of the title: a font at the
  // start, the levels when Enter is refused.
  auto saidInWindow = [&] {
    return c.noticed ? game.waitFor(noticeShown, 3000) : !noticeShown(game.screenshot());
  };
  if (c.runStarts) {
    EXPECT_TRUE(saidInWindow()) << c.name;
  }
  // A run shows the HUD; a refused one is back on the title well within
  // the shorter wait (the fade takes under a second each way).
  const bool running = game.startRun(c.runStarts ? 8000 : 2500);
  EXPECT_EQ(running, c.runStarts) << c.name;
  if (!running) {
    EXPECT_TRUE(saidInWindow()) << c.name;
  }
  GameProcess::pause(300);
  game.key("Escape");  // pause, or leave from the title
  if (c.runStarts) {
    GameProcess::pause(200);
    game.key("q");
    GameProcess::pause(1200);
    game.key("Escape");
  }
  EXPECT_EQ(game.waitForExit(), 0) << game.output();
  EXPECT_EQ(occurrences(game.output(), c.said), 1) << game.output();
}

INSTANTIATE_TEST_SUITE_P(BrokenData, Robustness, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

// The only data folder is one the game cannot use: the window and the
// terminal say what is wrong with it. A data/ without data.xml is not the
// game's data, whatever else it holds.
TEST(RobustnessAlone, ADataFolderWithoutUsableDataSaysWhatIsWrongWithIt) {
  struct Place {
    const char* name;
    bool named;             // by ORVANE_DATA, else data/ in the working folder
    const char* dataXml;    // nullptr: none
    fs::perms perms;
    const char* said;
  };
  const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                         fs::perms::others_read | fs::perms::others_exec;
  const Place places[] = {
      {"data/ without data.xml", false, nullptr, open,
       "  data  (in the working folder)\n    it holds no data.xml\n"},
      {"ORVANE_DATA names an empty folder", true, nullptr, open,
       "  ../chosen  (ORVANE_DATA)\n    it holds no data.xml\n"},
      {"ORVANE_DATA names a folder the player cannot read", true, "<Info count=\"1\"></Info>",
       fs::perms::none,
       "  ../chosen  (ORVANE_DATA)\n    its data.xml cannot be read: Permission denied\n"},
  };
  // Root reads whatever the permissions say: the game then runs as nobody.
  const std::string user = geteuid() == 0 ? "nobody" : "";
  for (const Place& p : places) {
    std::string folder;
    GameProcess game(
        GameProcess::Start{"", "work", user}, {},
        [&](const std::string& scratch) {
          folder = scratch + (p.named ? "/chosen" : "/work/data");
          fs::create_directory(folder);
          // Everything a data folder holds but what the case leaves out.
          for (const char* name : {"font.xml", "logo.xml", "audio.xml"}) {
            fs::copy_file(fixturePath("robust") + "/" + name, folder + "/" + name);
          }
          if (p.dataXml) write(folder + "/data.xml", p.dataXml);
          fs::permissions(folder, p.perms);
        },
        {{"ORVANE_DATA", p.named ? "../chosen" : ""}});  // from the working folder
    ASSERT_TRUE(game.waitForWindow()) << p.name << "\n" << game.output();
    EXPECT_TRUE(game.waitFor(
        [](const Screenshot& s) { return s.count(0, 20, 530, 250, Rgb{255, 211, 0}, 40) > 300; },
        5000))
        << p.name << ": the lines are drawn";
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << p.name;
    EXPECT_EQ(occurrences(game.output(), p.said), 1) << p.name << "\n" << game.output();
    fs::permissions(folder, fs::perms::owner_all);
  }
}

// Neither in the working folder nor beside the program nor installed, and
// no ORVANE_DATA: the window and the terminal say where the game looked.
TEST(RobustnessAlone, NoDataFolderAtAllSaysWhereItLooked) {
  GameProcess game("");
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.count(0, 20, 530, 180, Rgb{255, 211, 0}, 40) > 300; },
      5000))
      << "the lines are drawn, in the bitmap text that needs no font";
  EXPECT_FALSE(game.startRun(2500));
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
  const std::string out = game.output();
  for (const char* said : {"Orvane cannot find its data folder.", "ORVANE_DATA: not set",
                           "  data  (in the working folder)", "/data  (beside the program)",
                           "/share/orvane/data  (installed)"}) {
    EXPECT_EQ(occurrences(out, said), 1) << said << "\n" << out;
  }
  EXPECT_EQ(occurrences(out, "could not load"), 0) << "nothing is loaded from no folder\n" << out;
}

TEST(RobustnessAlone, AWarpToAMissingLevelLeavesTheShipFlying) {
  // The ship starts inside a zone that leads to a level that does not exist.
  GameProcess game(fixturePath("robust"), {}, [](const std::string& scratch) {
    writeTone(scratch + "/data/tone.wav", 0.2f);
  });
  ASSERT_TRUE(game.waitForWindow());
  ASSERT_TRUE(game.startRun());
  GameProcess::pause(500);  // frames inside the zone that leads nowhere
  EXPECT_GT(game.screenshot().count(0, 0, 530, 16, Rgb{20, 205, 220}, 50), 10);
  game.key("Escape");
  game.key("q");
  GameProcess::pause(1200);
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0) << game.output();
}

TEST(RobustnessAlone, NoSoundDeviceMeansSilentSound) {
  GameProcess game(fixturePath("robust"), {"--verbose"},
                   [](const std::string& scratch) { writeTone(scratch + "/data/tone.wav", 0.2f); },
                   {{"SDL_AUDIODRIVER", "alsa"}});  // a driver with no card behind it
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(titleShown(game));
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_EQ(occurrences(game.output(), "no sound device: sounds play silently"), 1) << game.output();
}

TEST(RobustnessAlone, AHighScoreFileThatCannotBeWrittenKeepsTheTable) {
  GameProcess game(fixturePath("robust"), {}, [](const std::string& scratch) {
    writeTone(scratch + "/data/tone.wav", 0.2f);
    fs::create_directory(scratch + "/data/high.dat");  // neither a file to read nor to replace
  });
  ASSERT_TRUE(game.waitForWindow());
  game.key("s");
  GameProcess::pause(300);
  game.key("Return");  // writes the table
  // The default rows are still shown: "1" to "5" and the fuel 50.
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.count(330, 125, 150, 150, Rgb{255, 170, 0}, 60) > 10; },
      5000));
  game.key("Escape");
  GameProcess::pause(300);
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_EQ(occurrences(game.output(), "OF_ERROR: could not save the high scores to data/high.dat"), 1)
      << game.output();
}

TEST(RobustnessAlone, QuestionsWithStandardInputClosedWaitForTheWindowAndKeepTheLevels) {
  GameProcess game(fixturePath("robust"), {"--edit"}, [](const std::string& scratch) {
    writeTone(scratch + "/data/tone.wav", 0.2f);
  });
  ASSERT_TRUE(game.waitForWindow());
  for (const char* key : {"ctrl+l", "Insert", "dollar", "percent", "6"}) {
    game.key(key);  // each asks in the window; the closed terminal cancels nothing
    ASSERT_TRUE(game.waitFor(promptShown, 5000)) << key;
    game.key("Escape");
    ASSERT_TRUE(game.waitFor([](const Screenshot& s) { return !promptShown(s); }, 5000)) << key;
  }
  game.key("ctrl+s");
  GameProcess::pause(300);
  std::ifstream saved(game.folder() + "/data/data.xml");
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("guid=\"start\""), std::string::npos) << "the edited levels were kept";
  EXPECT_NE(text.find("<Info count=\"4\">"), std::string::npos);
  game.key("Escape");
  GameProcess::pause(200);
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
}
