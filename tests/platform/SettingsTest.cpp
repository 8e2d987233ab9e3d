// The player's settings: the keys of the game's actions and what they turn
// into, the lines of the settings file read one by one whatever state the
// file is in, and the file written and read back.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/InputState.h"
#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "platform/KeyBindings.h"
#include "platform/Settings.h"
#include "support/FileSizeLimit.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

int lines(const std::string& log) {
  return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

// The settings folder inside a scratch folder, with notices shown.
struct SettingsFile : testing::Test {
  ScratchFolder scratch{false};
  ScopedEnvironment xdg{"XDG_CONFIG_HOME", scratch.path() + "/config"};
  const std::string file = "config/orvane/settings";
  int logLevel = ofGetLogLevel();

  void SetUp() override {
    fs::create_directories(scratch.path() + "/config/orvane");
    ofSetLogLevel(OF_NOTICE);
  }
  void TearDown() override { ofSetLogLevel(logLevel); }
  std::vector<std::string> folderContent() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch.path() + "/config/orvane")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};
}  // namespace

TEST(KeyBindings, ABoundKeyArrivesAsItsActionsUsualKeyAndOtherKeysAsThemselves) {
  KeyBindings keys;
  keys.bind(KeyBindings::thrust, 'w');
  keys.bind(KeyBindings::turnLeft, 'A');  // Shift does not matter
  // Enter was start's: start takes pause's old key, space.
  EXPECT_EQ(keys.bind(KeyBindings::pause, KEY_ENTER), KeyBindings::start);
  struct Case {
    int pressed;
    int arrives;
  };
  const Case cases[] = {
      {'w', KEY_UP},        {'W', KEY_UP},          {'a', KEY_LEFT},
      {KEY_ENTER, KEY_SPACE}, {KEY_SPACE, KEY_ENTER}, {KEY_RIGHT, KEY_RIGHT},
      {KEY_UP, KEY_UP},     // bound to nothing now: still itself
      {'q', 'q'},           {'z', 'z'},             {'k', 'k'},
      // Shift or Caps Lock on a letter bound to nothing: still the letter.
      {'S', 's'},           {'K', 'k'},             {'*', '*'},
  };
  for (const Case& c : cases) EXPECT_EQ(keys.gameCode(c.pressed), c.arrives) << c.pressed;
  EXPECT_EQ(keys.key(KeyBindings::start), KEY_SPACE);
  EXPECT_EQ(keys.key(KeyBindings::turnLeft), 'a');
  EXPECT_EQ(keys.actionOf(KEY_UP), KeyBindings::actionCount);
}

TEST(KeyBindings, KeyNamesReadBackAndKeysWithoutOneOrKeptForTheMenuCannotBeBound) {
  struct Case {
    int code;
    const char* name;  // "" for none
    bool bindable;
  };
  const Case cases[] = {
      {KEY_LEFT, "left", true},  {KEY_SPACE, "space", true}, {KEY_ESCAPE, "esc", true},
      {KEY_ENTER, "enter", true}, {9, "tab", true},          {261, "f5", true},
      {'w', "w", true},          {'W', "w", true},           {'7', "7", true},
      {'/', "/", true},          {'#', "#", true},           {'=', "=", true},
      {'k', "k", false},         {'E', "e", false},          {'s', "s", false},
      {'l', "l", false},         {'h', "h", false},          {'c', "c", false},
      {KEY_F11, "f11", false},   {19, "", false},            {200, "", false},
      {256 + 112, "", false},  // Shift alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyName(c.code), c.name) << c.code;
    EXPECT_EQ(whyNotBindable(c.code).empty(), c.bindable) << c.code;
    if (*c.name) {
      EXPECT_EQ(keyNamed(c.name), c.code >= 'A' && c.code <= 'Z' ? c.code + 32 : c.code);
    }
  }
  EXPECT_EQ(keyNamed("LEFT"), KEY_LEFT);
  EXPECT_EQ(keyNamed("Escape"), KEY_ESCAPE);
  EXPECT_EQ(keyNamed("Return"), KEY_ENTER);
  EXPECT_EQ(keyNamed("Q"), 'q');
  for (const char* unknown : {"", "ctrl", "left arrow", "é"}) {
    EXPECT_EQ(keyNamed(unknown), std::nullopt) << unknown;
  }
}

TEST(Settings, EachLineAppliesOnItsOwnAndABadOneIsSaidOnceWithItsNumber) {
  struct Case {
    const char* name;
    std::string text;
    void (*expect)(Settings&);  // what the lines change in the defaults
    std::vector<std::string> said;
    int bad;
  };
  const std::string garbage = std::string("\x01\x02 garbage \0 \xff", 14) + "\n";
  std::string damaged;
  for (int i = 0; i < 11; ++i) damaged += garbage;
  const Case cases[] = {
      {"nothing", "", [](Settings&) {}, {}, 0},
      {"good (and CRLF)",
       "# mine\r\n\r\nturn_left = a\r\nturn_right=d\r\n  thrust   =   W  \r\npause = p\r\n"
       "back = tab\r\nstart = Return\r\nquit = x\r\nmusic_volume = 35\r\neffects_volume = 0\r\n"
       "scale = 3\r\nfullscreen = on\r\ncalm = yes\r\nghosts = off",
       [](Settings& s) {
         s.keys.bind(KeyBindings::turnLeft, 'a');
         s.keys.bind(KeyBindings::turnRight, 'd');
         s.keys.bind(KeyBindings::thrust, 'w');
         s.keys.bind(KeyBindings::pause, 'p');
         s.keys.bind(KeyBindings::back, 9);
         s.keys.bind(KeyBindings::quit, 'x');
         s.musicVolume = 35;
         s.effectsVolume = 0;
         s.scale = 3;
         s.fullscreen = true;
         s.calm = true;
         s.ghosts = false;
       },
       {},
       0},
      {"a key taken from a default swaps", "turn_left = right\n",
       [](Settings& s) { s.keys.bind(KeyBindings::turnLeft, KEY_RIGHT); }, {}, 0},
      {"unknown names", "volume = 50\nthrust = w\nShip_colour = red\n= 4\n",
       [](Settings& s) { s.keys.bind(KeyBindings::thrust, 'w'); },
       {"line 1: there is no setting \"volume\"", "line 3: there is no setting \"Ship_colour\"",
        "line 4: there is no setting \"\""},
       3},
      {"bad values",
       "music_volume = 150\neffects_volume = 50%\nscale = 0\nfullscreen = maybe\nthrust = ctrl\n"
       "turn_left = k\ncalm = on\npause = w\nquit = w\nscale = 2\nghosts =\n",
       [](Settings& s) {
         s.calm = true;
         s.keys.bind(KeyBindings::pause, 'w');
         s.scale = 2;
       },
       {"line 1: music_volume must be a whole number from 0 to 100, not \"150\"",
        "line 2: effects_volume must be a whole number from 0 to 100, not \"50%\"",
        "line 3: scale must be a whole number from 1 to 4, not \"0\"",
        "line 4: fullscreen must be on or off, not \"maybe\"", "line 5: \"ctrl\" names no key",
        "line 6: k is kept for the title's menu", "line 9: w is bound to pause already",
        "line 11: ghosts must be on or off, not \"\""},
       8},
      {"damaged", damaged + "ghosts = off\n", [](Settings& s) { s.ghosts = false; },
       {"line 1: \"?? garbage ? ?\" is not \"name = value\"", "line 8: ",
        "settings: 3 more lines are left out"},
       11},
  };
  for (const Case& c : cases) {
    Settings expected;
    c.expect(expected);
    Settings read;
    testing::internal::CaptureStdout();
    EXPECT_EQ(read.read(c.text, "settings"), c.bad) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(read == expected) << c.name << "\n" << read.text();
    EXPECT_EQ(lines(log), std::min(c.bad, 8) + (c.bad > 8 ? 1 : 0)) << c.name << ": " << log;
    for (const std::string& words : c.said) {
      EXPECT_NE(log.find(words), std::string::npos) << c.name << ": " << words << " in " << log;
    }
    std::istringstream logLines(log);
    for (std::string line; std::getline(logLines, line);) {
      EXPECT_EQ(line.rfind("OF_WARNING: settings: ", 0), 0u) << c.name << ": " << line;
    }
    EXPECT_TRUE(std::all_of(log.begin(), log.end(),
                            [](char ch) { return ch == '\n' || (ch >= ' ' && ch < 127); }))
        << c.name << ": the log shows no raw bytes of the file";
  }
}

TEST(Settings, OnlyTheNamesGivenAValueCountAsGiven) {
  Settings settings;
  testing::internal::CaptureStdout();
  settings.read("calm = off\nghosts = perhaps\n", "settings");
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(settings.given("calm"));
  EXPECT_FALSE(settings.given("ghosts"));
  EXPECT_FALSE(settings.given("scale"));
}

TEST_F(SettingsFile, WhatIsSavedReadsBackAndNothingElseIsLeftInTheFolder) {
  Settings saved;
  saved.keys.bind(KeyBindings::thrust, 'w');
  saved.keys.bind(KeyBindings::back, '#');
  saved.musicVolume = 40;
  saved.effectsVolume = 70;
  saved.scale = 4;
  saved.fullscreen = true;
  saved.calm = true;
  saved.ghosts = false;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(saved.save());
  ASSERT_TRUE(saved.save());
  Settings loaded;
  EXPECT_TRUE(loaded.load());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(loaded == saved) << loaded.text();
  EXPECT_TRUE(loaded.given("thrust"));
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"settings", "settings.lock"}));
  const std::string text = scratch.read(file);
  for (const char* line : {"\nthrust = w\n", "\nback = #\n", "\nscale = 4\n", "\ncalm = on\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
}

TEST_F(SettingsFile, WithoutAFileToReadTheDefaultsApplyAndOneLineSaysWhy) {
  struct Case {
    const char* name;
    std::optional<std::string> text;  // none: no file; "/": a folder in its place
    const char* said;
  };
  const Case cases[] = {
      {"missing", std::nullopt, "OF_NOTICE: no settings in "},
      {"a folder", "/", "OF_WARNING: could not load "},
      {"far too large", std::string(70000, '#'), "is larger than a settings file can be"},
  };
  for (const Case& c : cases) {
    if (c.text == "/") {
      fs::create_directory(scratch.path() + "/" + file);
    } else if (c.text) {
      scratch.write(file, *c.text);
    }
    Settings settings;
    settings.calm = true;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.load()) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_NE(log.find(c.said), std::string::npos) << c.name << ": " << log;
    EXPECT_NE(log.find(scratch.path() + "/" + file), std::string::npos) << c.name << ": " << log;
    EXPECT_TRUE(settings == Settings()) << c.name;
    std::error_code ignored;
    fs::remove_all(scratch.path() + "/" + file, ignored);
  }
}

TEST_F(SettingsFile, AFileWithLinesThatCouldNotBeUsedIsKeptBesideBeforeASaveReplacesIt) {
  struct Case {
    std::string text;
    std::vector<std::string> left;  // in the folder after two saves
  };
  const Case cases[] = {
      {"music_volume = loud\ncalm = on\n", {"settings", "settings.broken", "settings.lock"}},
      {std::string(70000, '#'), {"settings", "settings.broken", "settings.lock"}},
      {"# all good\ncalm = on\n", {"settings", "settings.lock"}},
  };
  for (const Case& c : cases) {
    scratch.write(file, c.text);
    Settings settings;
    testing::internal::CaptureStdout();
    settings.load();
    ASSERT_TRUE(settings.save());
    ASSERT_TRUE(settings.save());  // kept once, not again
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(folderContent(), c.left) << log;
    if (c.left.size() == 3) {
      EXPECT_EQ(scratch.read(file + ".broken"), c.text);
      EXPECT_NE(log.find("kept it as " + scratch.path() + "/" + file + ".broken"),
                std::string::npos)
          << log;
    }
    Settings reloaded;
    EXPECT_TRUE(reloaded.load());
    EXPECT_EQ(reloaded.calm, c.text.find("calm = on") != std::string::npos);
    EXPECT_EQ(reloaded.musicVolume, 100);
    for (const std::string& name : folderContent()) {
      fs::remove(scratch.path() + "/config/orvane/" + name);
    }
  }
}

TEST_F(SettingsFile, ASaveUsesATemporaryFileOfItsOwnAndAFailureSaysWhyAndKeepsTheFile) {
  const std::string where = scratch.path() + "/" + file;
  // Another game's temporary file, under the name every game once used.
  fs::create_directory(where + ".tmp");
  Settings settings;
  settings.calm = true;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(settings.save());
  const std::string saved = scratch.read(file);
  settings.ghosts = false;
  bool written = true;
  {
    // Room for the log (the captured output is a file too), none for the file.
    FileSizeLimit full(400);
    written = settings.save();
  }
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(written);
  EXPECT_EQ(scratch.read(file), saved) << "the old file is whole";
  EXPECT_NE(log.find("OF_ERROR: could not save " + where + ": File too large\n"), std::string::npos)
      << log;
  EXPECT_EQ(settings.takeProblem(), "could not save " + where + ": File too large");
  EXPECT_FALSE(settings.ghosts) << "the settings in use stay as they are";
  fs::remove(where + ".tmp");
  EXPECT_EQ(folderContent(), (std::vector<std::string>{"settings", "settings.lock"}));
}

TEST_F(SettingsFile, ALinkedSettingsFileStaysALinkToThePlayersOwnFile) {
  fs::create_directories(scratch.path() + "/dotfiles");
  scratch.write("dotfiles/orvane", "calm = on\n");
  fs::create_symlink("../../dotfiles/orvane", scratch.path() + "/" + file);
  Settings settings;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(settings.load());
  settings.ghosts = false;
  EXPECT_TRUE(settings.save());
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(fs::is_symlink(scratch.path() + "/" + file));
  const std::string text = scratch.read("dotfiles/orvane");
  EXPECT_NE(text.find("\ncalm = on\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nghosts = off\n"), std::string::npos) << text;
}

// Two games started one after the other, each saving what its player
// changed: neither loses the other's.
TEST_F(SettingsFile, TwoGamesAtOnceEachSaveChangesOnlyWhatThatGameChanged) {
  scratch.write(file, "thrust = w\nmusic_volume = 40\n");
  Settings first, second;
  testing::internal::CaptureStdout();
  first.load();
  second.load();
  first.calm = true;  // c on the first game's title
  ASSERT_TRUE(first.save());
  second.musicVolume = 80;  // the second game's keys screen
  second.keys.bind(KeyBindings::pause, 'p');
  ASSERT_TRUE(second.save());
  first.ghosts = false;  // h on the first game's title
  ASSERT_TRUE(first.save());
  Settings onDisk;
  EXPECT_TRUE(onDisk.load());
  testing::internal::GetCapturedStdout();
  Settings expected;
  expected.keys.bind(KeyBindings::thrust, 'w');
  expected.keys.bind(KeyBindings::pause, 'p');
  expected.musicVolume = 80;
  expected.calm = true;
  expected.ghosts = false;
  EXPECT_TRUE(onDisk == expected) << onDisk.text();
  EXPECT_TRUE(first == expected) << "a save leaves the game with what the file says\n"
                                 << first.text();
}

TEST_F(SettingsFile, ASaveWaitsForAnotherGamesSaveToEnd) {
  Settings settings;
  std::future<bool> saving;
  {
    ofFileLock otherGame(scratch.path() + "/" + file);
    ASSERT_TRUE(otherGame.locked());
    saving = std::async(std::launch::async, [&] { return settings.save(); });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  }
  EXPECT_TRUE(saving.get());
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsNeverWrittenOverAndTheWindowIsTold) {
  const std::string where = scratch.path() + "/" + file;
  struct Case {
    const char* name;
    std::function<void()> make;
    std::function<bool()> stillThere;
    const char* reason;
  };
  const Case cases[] = {
      {"a folder", [&] { fs::create_directory(where); }, [&] { return fs::is_directory(where); },
       "is a folder, not a file"},
      {"a pipe", [&] { mkfifo(where.c_str(), 0600); }, [&] { return fs::is_fifo(where); },
       "is a pipe, not a file"},
  };
  for (const Case& c : cases) {
    c.make();
    Settings settings;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.load()) << c.name;
    const std::string loadLog = testing::internal::GetCapturedStdout();
    EXPECT_EQ(loadLog, "OF_WARNING: could not load " + where + ": " + c.reason +
                           "; the defaults apply for now, and the file is not written over\n")
        << c.name;
    EXPECT_NE(settings.takeProblem().find(where), std::string::npos) << c.name;
    EXPECT_EQ(settings.takeProblem(), "") << c.name << ": said once";
    settings.calm = true;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.save()) << c.name;
    EXPECT_FALSE(settings.save()) << c.name;
    const std::string saveLog = testing::internal::GetCapturedStdout();
    EXPECT_EQ(saveLog, "OF_ERROR: could not save " + where + ": it could not be read (" +
                           c.reason + "), so it is not written over\n")
        << c.name << ": said once however often the game saves";
    EXPECT_TRUE(c.stillThere()) << c.name;
    EXPECT_TRUE(settings.calm) << c.name << ": the settings in use stay";
    EXPECT_NE(settings.takeProblem().find(where), std::string::npos) << c.name;
    fs::remove_all(where);
  }
}
