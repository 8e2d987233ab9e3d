// Practice starts: a run begun in any level as a run that has just arrived
// there would be, with its checkpoint where it starts.

#include <gtest/gtest.h>

#include "support/GameFixture.h"

using PracticeStart = GameFixture;

namespace {
// "one" starts the song "cave" and warps to "two" at receiver "in" (50, 50);
// "two" turns the music to "menu" and warps to "three" at receiver "x". No
// level has a checkpoint; "two" and "three" have a wall across x = 150 from
// y 30 to 70.
LevelData threeLevels(bool spawnerInTwo = false) {
  LevelData data = GameFixture::emptyLevel();
  data.levels[0].warps = {zone(10, 10, 20, 20, "songAtFull", "cave"),
                          zone(300, 100, 20, 20, "two", "in")};
  for (const char* guid : {"two", "three"}) {
    data.addLevel();
    Level& level = data.levels.back();
    level.guid = guid;
    level.gravity = level.friction = false;
    level.walls.emplace_back(150, 30, 150, 70, 255, 255, 255, 'w');
  }
  Level& two = data.levels[1];
  two.receivers = {Receiver{ofxVec2f(300, 300), "elsewhere"}, Receiver{ofxVec2f(50, 50), "in"}};
  two.warps = {zone(10, 290, 20, 20, "song", "menu"), zone(400, 200, 20, 20, "three", "x")};
  if (spawnerInTwo) two.modelRefs.push_back(placed("spawner", 200, 220));
  data.levels[2].receivers = {Receiver{ofxVec2f(60, 60), "x"}};
  data.currentLevel = 0;
  return data;
}

bool at(const Game& game, float x, float y) { return game.pos.x == x && game.pos.y == y; }

// The hull straddles the wall.
void crash(GameFixture& f) {
  f.game->pos = ofxVec2f(150, 50);
  f.game->vel = ofxVec2f(0.5f, 0);
  f.frame();
}
}  // namespace

TEST_F(PracticeStart, BeginsWhereAWarpArrivesOrAtTheSpawner) {
  ASSERT_TRUE(game->startPractice(threeLevels(), "two"));
  EXPECT_EQ(game->levelData->currentLevel, 1);
  EXPECT_TRUE(at(*game, 50, 50)) << game->pos.x << "," << game->pos.y;

  ASSERT_TRUE(game->startPractice(threeLevels(true), "two"));
  EXPECT_TRUE(at(*game, 200, 220)) << game->pos.x << "," << game->pos.y;

  game->pos = ofxVec2f(1, 2);
  EXPECT_FALSE(game->startPractice(threeLevels(), "four"));
  EXPECT_TRUE(at(*game, 1, 2)) << "nothing changes without the level";
}

// Walls kill from the start of a practice run, so that no pass can cut
// through them for a best; the campaign's first stretch stays harmless.
TEST_F(PracticeStart, AShipThatHitsAWallRespawnsWhereThePracticeBegan) {
  struct Case {
    const char* what;
    bool spawner;
    bool warpOnFirst;  // into "three" before the crash
    ofxVec2f begin;
  };
  const Case cases[] = {
      {"at the arrival receiver", false, false, ofxVec2f(50, 50)},
      {"at the spawner", true, false, ofxVec2f(200, 220)},
      {"at the spawner, from the next level", true, true, ofxVec2f(200, 220)},
  };
  for (const Case& c : cases) {
    game->markDir = "r";  // a facing left over from an earlier run
    ASSERT_TRUE(game->startPractice(threeLevels(c.spawner), "two")) << c.what;
    frame();
    if (c.warpOnFirst) {
      game->pos = ofxVec2f(410, 210);
      frame();
      ASSERT_EQ(game->levelData->currentLevel, 2) << c.what;
    }
    game->angle = 33;
    crash(*this);
    ASSERT_TRUE(game->dying) << c.what;
    frames(32);
    EXPECT_FALSE(game->dying) << c.what;
    EXPECT_EQ(game->levelData->currentLevel, 1) << c.what;
    EXPECT_TRUE(at(*game, c.begin.x, c.begin.y)) << c.what << ": " << game->pos.x << ","
                                                 << game->pos.y;
    EXPECT_EQ(game->vel.x, 0) << c.what;
    EXPECT_EQ(game->angle, 0) << c.what << ": facing as it began";
  }

  LevelData campaign = threeLevels(true);
  campaign.currentLevel = 1;
  start(campaign);
  crash(*this);
  EXPECT_FALSE(game->dying) << "a campaign run is unharmed before its first checkpoint";
}

// The music a campaign run would be hearing on arriving: the last song a
// zone of an earlier level starts, faded to or switched at once as that
// zone would.
TEST_F(PracticeStart, PlaysTheSongTheCampaignLastStartedBeforeTheLevel) {
  struct Case {
    const char* level;
    const char* playing;  // at once; "" for none
    const char* next;     // after a fade; "" for none
  };
  const Case cases[] = {{"one", "", ""}, {"two", "cave", ""}, {"three", "", "menu"}};
  for (const Case& c : cases) {
    game = std::make_unique<Game>();  // with no song chosen yet
    ASSERT_TRUE(game->startPractice(threeLevels(), c.level)) << c.level;
    const AudioBank& audio = game->ownAudio;
    EXPECT_EQ(audio.songActive ? audio.currentSong->tag : "", c.playing) << c.level;
    EXPECT_EQ(audio.nextSong, c.next) << c.level;
  }
}
