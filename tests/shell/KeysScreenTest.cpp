// The player's settings on the application's screens, driven headless update
// by update: keys rebound on the keys screen and used in a run, volumes,
// F11, the editors' keys left alone, and the older record's switches.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/InputState.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "support/AppFixture.h"

namespace {
namespace fs = std::filesystem;

const std::string settingsFile = "config/orvane/settings";

// One level, "end", whose run begins inside the finish zone; the player's
// settings file and progress as each test writes them first.
struct KeysFlow : AppFixture {
  std::string settingsText;  // "": no settings file
  std::string progressText;  // "": no progress file
  void prepareData() override {
    scratch.write("data/data.xml", readFixture("finish/data.xml"));
    fs::create_directories(scratch.path() + "/config/orvane");
    fs::create_directories(scratch.path() + "/share/orvane");
    if (!settingsText.empty()) scratch.write(settingsFile, settingsText);
    if (!progressText.empty()) scratch.write("share/orvane/progress.xml", progressText);
  }
  // The set-up again, as the next start of the game.
  void restart() {
    testing::internal::CaptureStdout();  // the data this test leaves out is logged
    app = std::make_unique<testApp>();
    app->setup();
    testing::internal::GetCapturedStdout();
  }
  void rebind(int row, int key) {
    for (int i = 0; i < row; ++i) tap(KEY_DOWN);
    tap(KEY_ENTER);
    ASSERT_TRUE(app->keysScreen.waiting);
    tap(key);
  }
  bool saved(const std::string& line) const {
    return scratch.read(settingsFile).find("\n" + line + "\n") != std::string::npos;
  }
};

struct FromAnOlderRecord : KeysFlow {
  void SetUp() override {}  // each test writes its files first
  void setUpWith(const std::string& settings, const std::string& progress) {
    settingsText = settings;
    progressText = progress;
    KeysFlow::SetUp();
  }
};
}  // namespace

TEST_F(KeysFlow, AKeyReboundOnTheKeysScreenFliesTheShipAndIsRemembered) {
  tap('k');
  ASSERT_TRUE(app->choosingKeys());
  rebind(KeyBindings::thrust, 'w');
  EXPECT_FALSE(app->keysScreen.waiting);
  EXPECT_EQ(app->settings.keys.key(KeyBindings::thrust), 'w');
  EXPECT_TRUE(saved("thrust = w"));
  tap(KEY_ESCAPE);  // leaves the keys screen, not the game
  ASSERT_FALSE(app->choosingKeys());

  startRun();
  press('w');
  update();
  EXPECT_TRUE(app->input.keyUp) << "w thrusts";
  EXPECT_FALSE(app->input.keyW);
  release('w');
  update();
  EXPECT_FALSE(app->input.keyUp);
  // A tap between two frames is not lost on the way.
  press('W');
  release('W');
  EXPECT_EQ(app->input.lastKey, KEY_UP);

  restart();
  EXPECT_EQ(app->settings.keys.key(KeyBindings::thrust), 'w');
}

TEST_F(KeysFlow, EscapeKeepsTheOldKeyAndKeysKeptForTheMenuAreRefused) {
  tap('k');
  rebind(KeyBindings::turnLeft, 'k');
  EXPECT_TRUE(app->keysScreen.waiting) << "k is refused; the screen waits on";
  EXPECT_NE(app->keysScreen.refusal.find("kept"), std::string::npos);
  tap(KEY_ESCAPE);
  EXPECT_FALSE(app->keysScreen.waiting);
  // Asserted: on the title, the next Escape would end the program.
  ASSERT_TRUE(app->choosingKeys()) << "the Escape that ends the wait stays on the screen";
  EXPECT_EQ(app->settings.keys.key(KeyBindings::turnLeft), KEY_LEFT);
  EXPECT_FALSE(scratch.exists(settingsFile)) << "nothing changed, nothing written";
  tap(KEY_ESCAPE);
  EXPECT_FALSE(app->choosingKeys());
}

TEST_F(KeysFlow, ABoundKeyLeavesTheEditorsKeysAsTheyAre) {
  tap('k');
  rebind(KeyBindings::turnLeft, 'w');
  tap(KEY_ESCAPE);
  tap('e');
  ASSERT_TRUE(app->editing());
  press('w');
  update();
  EXPECT_TRUE(app->input.keyW) << "w draws walls in the level tool";
  EXPECT_FALSE(app->input.keyLeft);
  release('w');
  update();
  EXPECT_FALSE(app->input.keyW);
}

TEST_F(KeysFlow, VolumesChangeOnTheScreenAndReachTheSoundsAtOnce) {
  tap('k');
  const int musicRow = KeyBindings::actionCount;
  for (int i = 0; i < musicRow; ++i) tap(KEY_DOWN);
  tap(KEY_LEFT);
  tap(KEY_LEFT);
  EXPECT_EQ(app->settings.musicVolume, 80);
  EXPECT_FLOAT_EQ(app->game.ownAudio.musicMaster, 0.8f);
  EXPECT_TRUE(saved("music_volume = 80"));
  tap(KEY_DOWN);
  tap(KEY_RIGHT);  // at the top already
  EXPECT_EQ(app->settings.effectsVolume, 100);
  for (int i = 0; i < 12; ++i) tap(KEY_LEFT);
  EXPECT_EQ(app->settings.effectsVolume, 0);
  EXPECT_FLOAT_EQ(app->game.ownAudio.effectsMaster, 0.0f);
  tap(KEY_DOWN);  // the last row already
  EXPECT_EQ(app->keysScreen.selected, musicRow + 1);

  restart();
  EXPECT_FLOAT_EQ(app->game.ownAudio.musicMaster, 0.8f);
  EXPECT_FLOAT_EQ(app->game.ownAudio.effectsMaster, 0.0f);
}

TEST_F(KeysFlow, F11SwitchesFullScreenAndBackAndIsRemembered) {
  tap(KEY_F11);
  EXPECT_EQ(ofGetWindowMode(), OF_FULLSCREEN);
  EXPECT_TRUE(saved("fullscreen = on"));
  startRun();
  tap(KEY_F11);
  EXPECT_EQ(ofGetWindowMode(), OF_WINDOW);
  EXPECT_TRUE(saved("fullscreen = off"));
  EXPECT_TRUE(app->playing());
}

TEST_F(KeysFlow, ALetterTypedIntoANameIsThatLetterWhateverItIsBoundTo) {
  tap('k');
  rebind(KeyBindings::back, 'z');
  tap(KEY_ESCAPE);
  startRun();
  for (int i = 0; i < 400 && app->playing(); ++i) update();
  ASSERT_TRUE(app->showingScores());
  tap('z');
  ASSERT_TRUE(app->showingScores()) << "z was typed, not taken for back";
  tap('z');
  EXPECT_EQ(app->scoreScreen.name().typed(), "ZZ");
  tap(KEY_ESCAPE);  // bound to nothing now, it keeps its own meaning
  EXPECT_FALSE(app->showingScores());
}

TEST_F(FromAnOlderRecord, TheSwitchesAnOlderRecordKeptAreCarriedOverOnce) {
  setUpWith("", "<Progress version=\"1\"><Settings ghosts=\"0\" calm=\"1\"></Settings></Progress>");
  EXPECT_FALSE(app->settings.ghosts);
  EXPECT_TRUE(app->settings.calm);
  EXPECT_TRUE(app->game.calm);
  EXPECT_TRUE(saved("calm = on"));
  EXPECT_TRUE(saved("ghosts = off"));

  // The settings file holds them from now on, whatever the record says.
  tap('c');
  restart();
  EXPECT_FALSE(app->settings.calm);
  EXPECT_FALSE(app->game.calm);
}

TEST_F(FromAnOlderRecord, ASettingsFileThatGivesTheSwitchesWins) {
  setUpWith("calm = off\n",
            "<Progress version=\"1\"><Settings ghosts=\"0\" calm=\"1\"></Settings></Progress>");
  EXPECT_FALSE(app->settings.calm) << "given by the settings file";
  EXPECT_FALSE(app->settings.ghosts) << "not given there: carried over";
}
