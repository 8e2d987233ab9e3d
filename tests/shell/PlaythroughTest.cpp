// The whole campaign played through the real application, headless, by the
// input timeline the autopilot stored (tests/fixtures/playthrough): from the
// title screen through every level to the score screen. It fails when a
// change to the flight, the zones or the levels makes the campaign
// impossible. Regenerate the timeline with tools/make_campaign.sh after
// changing the levels on purpose.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "progress/Ghost.h"
#include "progress/PlayerProgress.h"
#include "shell/testApp.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {
struct Event {
  int frame;
  int key;
  bool down;
};

int keyCode(const std::string& name) {
  static const std::pair<const char*, int> keys[] = {
      {"enter", KEY_ENTER}, {"escape", KEY_ESCAPE}, {"space", KEY_SPACE}, {"up", KEY_UP},
      {"down", KEY_DOWN},   {"left", KEY_LEFT},     {"right", KEY_RIGHT}, {"f", 'f'},
      {"q", 'q'},           {"s", 's'}};
  for (const auto& [word, code] : keys) {
    if (name == word) return code;
  }
  return 0;
}

// "<frame> <key> <down|up>" per line; '#' starts a comment line.
std::vector<Event> readTimeline(const std::string& text) {
  std::vector<Event> events;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Event e{};
    std::string key, state;
    fields >> e.frame >> key >> state;
    e.key = keyCode(key);
    e.down = state == "down";
    EXPECT_TRUE(fields && e.key != 0 && (state == "down" || state == "up")) << "bad line: " << line;
    events.push_back(e);
  }
  return events;
}

void copyShipped(const std::string& name) {
  const fs::path from = fs::path(ORVANE_SOURCE_DIR) / "data" / name;
  if (fs::exists(from)) {
    fs::copy(from, fs::path("data") / name, fs::copy_options::recursive);
  }
}

struct Playthrough : testing::Test {
  ScratchFolder scratch;
  ScopedEnvironment userData{"XDG_DATA_HOME", scratch.path() + "/share"};
  ScopedEnvironment userSettings{"XDG_CONFIG_HOME", scratch.path() + "/config"};
  ManualClock clock{1000};
  ofHeadlessWindow window;
  std::unique_ptr<testApp> app;

  void SetUp() override {
    copyShipped("data.xml");
    copyShipped("audio.xml");
    copyShipped("sounds");
    ofSetClock(&clock);
    ofSetupOpenGL(&window, 530, 370, 0);
    testing::internal::CaptureStdout();  // the missing font is logged
    app = std::make_unique<testApp>();
    app->setup();
    testing::internal::GetCapturedStdout();
  }
  void TearDown() override {
    app.reset();
    ofSetupOpenGL(nullptr, 0, 0, 0);
    ofSetClock(nullptr);
  }
};
}  // namespace

TEST_F(Playthrough, TheStoredTimelineFinishesTheCampaignThroughEveryLevelWithARecord) {
  const std::vector<Event> events = readTimeline(readFixture("playthrough/campaign.timeline"));
  ASSERT_FALSE(events.empty());
  LevelData campaign;
  ASSERT_TRUE(campaign.load("data.xml"));

  std::set<int> visited;
  size_t next = 0;
  const int lastFrame = events.back().frame + 60 * 60;
  for (int frame = 0; frame <= lastFrame && !app->showingScores(); ++frame) {
    for (; next < events.size() && events[next].frame == frame; ++next) {
      events[next].down ? app->keyPressed(events[next].key) : app->keyReleased(events[next].key);
    }
    clock.advance(16);
    app->update();
    if (app->playing()) visited.insert(app->game.levelData->currentLevel);
  }

  ASSERT_TRUE(app->showingScores()) << "the run did not finish; it ended in level "
                                << app->game.levelData->getCurrentLevel().guid << " at ("
                                << app->game.pos.x << ", " << app->game.pos.y << ")";
  EXPECT_EQ(visited.size(), campaign.levels.size()) << "every level of the campaign is flown";
  EXPECT_TRUE(app->scores.newRecord);
  EXPECT_EQ(app->scores.newTimeRow, 0);
  EXPECT_GT(app->game.playTime, 150);
  EXPECT_LT(app->game.playTime, 420);

  // The player's record has every level with a best and a ghost of it.
  PlayerProgress record;
  ASSERT_TRUE(record.load());
  for (const Level& level : campaign.levels) {
    EXPECT_TRUE(record.bestTime(level.guid)) << level.guid;
    EXPECT_TRUE(fs::exists(Ghost::path(level.guid))) << level.guid;
  }
}

// The campaign's walls hold from the first frame: thrust straight from the
// pad meets the hangar's wall and destroys the ship instead of passing
// through it (a run that starts outside every checkpoint zone could cross
// the hangar through its walls and still count).
TEST_F(Playthrough, ThrustFromThePadMeetsAWallThatHolds) {
  for (int frame = 0; frame < 300 && !app->playing(); ++frame) {
    if (frame == 0) app->keyPressed(KEY_ENTER);
    if (frame == 2) app->keyReleased(KEY_ENTER);
    clock.advance(16);
    app->update();
  }
  ASSERT_TRUE(app->playing());
  ASSERT_EQ(app->game.levelData->currentLevel, 0);
  app->keyPressed(KEY_UP);
  bool died = false;
  for (int frame = 0; frame < 600 && !died; ++frame) {
    clock.advance(16);
    app->update();
    died = app->game.dying;
  }
  EXPECT_TRUE(died) << "the ship left the hangar's room at (" << app->game.pos.x << ", "
                    << app->game.pos.y << ")";
}
