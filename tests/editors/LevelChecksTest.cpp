// The checks before shipping, each on a small set that is clean but for one
// fault.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "editors/LevelChecks.h"
#include "framework/ofClock.h"
#include "support/ScratchFolder.h"

using editor::Finding;
using editor::checkLevels;

namespace {
Warp zone(float x, float y, const std::string& map, const std::string& id = "") {
  return Warp{ofRectangle(x, y, 20, 10), map, id, "u"};
}

ModelRef placed(const std::string& guid, float x, float y) {
  ModelRef ref;
  ref.guid = guid;
  ref.pos = ofxVec2f(x, y);
  return ref;
}

// Two levels with nothing wrong: a start inside a checkpoint, a jump inside
// the level, a warping model and a warp to the second level, which arrives
// in a checkpoint zone there, and a finish.
LevelData cleanSet() {
  LevelData data;
  data.models[0].guid = "spawner";
  data.addModel();
  data.models[1].guid = "portal";
  data.levels[0].guid = "a";
  data.levels[0].receivers = {Receiver{ofxVec2f(30, 40), "start"}};
  data.levels[0].modelRefs = {placed("spawner", 12, 6), ModelRef{"portal", ofxVec2f(60, 60), true, "b", "in"}};
  data.levels[0].warps = {zone(100, 100, "b", "in"), zone(0, 0, "mark", "start"),
                          zone(200, 0, "this", "start"), zone(0, 200, "song", "cave")};
  data.addLevel();
  data.levels[1].guid = "b";
  data.levels[1].receivers = {Receiver{ofxVec2f(10, 10), "in"}};
  data.levels[1].warps = {zone(0, 5, "mark", "in"), zone(300, 300, "finish_it")};
  return data;
}

struct Case {
  const char* name;
  std::function<void(LevelData&)> spoil;
  const char* check;
  int level;
  ofxVec2f pos;
};

struct LevelChecks : testing::Test {
  ManualClock clock{1000};
  void SetUp() override { ofSetClock(&clock); }
  void TearDown() override { ofSetClock(nullptr); }
};
}  // namespace

TEST_F(LevelChecks, ACleanSetHasNoFindings) {
  const std::vector<Finding> found = checkLevels(cleanSet());
  for (const Finding& f : found) ADD_FAILURE() << f.check << ": " << f.text;
}

TEST_F(LevelChecks, EachFaultIsFoundOnceWithItsLevelAndPlace) {
  const Case cases[] = {
      {"a map id that names nothing", [](LevelData& d) { d.levels[0].warps.push_back(zone(100, 100, "bb", "in")); },
       "map id", 0, ofxVec2f(110, 105)},
      {"a warp to a level without its receiver", [](LevelData& d) { d.levels[0].warps[0].id = "out"; },
       "receiver", 0, ofxVec2f(110, 105)},
      {"a \"this\" zone without its receiver", [](LevelData& d) { d.levels[0].warps[2].id = "gone"; },
       "receiver", 0, ofxVec2f(210, 5)},
      {"a receiver id twice in a level",
       [](LevelData& d) { d.levels[1].receivers.push_back(Receiver{ofxVec2f(50, 60), "in"}); },
       "same receiver", 1, ofxVec2f(50, 60)},
      {"a model that does not exist", [](LevelData& d) { d.levels[1].modelRefs = {placed("ghost", 7, 8)}; },
       "model", 1, ofxVec2f(7, 8)},
      {"the first level without a spawner", [](LevelData& d) { d.levels[0].modelRefs.clear(); },
       "spawner", 0, ofxVec2f(240, 160)},
      {"a level no warp leads into, without a spawner", [](LevelData& d) { d.addLevel(); },
       "spawner", 2, ofxVec2f(240, 160)},
      {"no finish anywhere", [](LevelData& d) { d.levels[1].warps.pop_back(); }, "finish", -1,
       ofxVec2f(0, 0)},
      {"a checkpoint without its receiver", [](LevelData& d) { d.levels[0].warps[1].id = "gone"; },
       "receiver", 0, ofxVec2f(10, 5)},
      {"a warping model to no level", [](LevelData& d) { d.levels[0].modelRefs[1].level = "c"; },
       "model warp", 0, ofxVec2f(60, 60)},
      {"a warp arriving outside every checkpoint zone", [](LevelData& d) { d.levels[1].warps[0].rect.x = 20; },
       "arrival", 1, ofxVec2f(10, 10)},
      {"a warp arriving on a checkpoint zone's edge", [](LevelData& d) { d.levels[1].warps[0].rect.x = 10; },
       "arrival", 1, ofxVec2f(10, 10)},
      {"a warp arriving in a zone of another command", [](LevelData& d) { d.levels[1].warps[0].level = "shake"; },
       "arrival", 1, ofxVec2f(10, 10)},
      {"a run starting outside every checkpoint zone", [](LevelData& d) { d.levels[0].modelRefs[0].pos.x = 50; },
       "start", 0, ofxVec2f(50, 6)},
  };
  for (const Case& c : cases) {
    LevelData data = cleanSet();
    c.spoil(data);
    const std::vector<Finding> found = checkLevels(data);
    ASSERT_EQ(found.size(), 1u) << c.name;
    EXPECT_STREQ(found[0].check, c.check) << c.name;
    EXPECT_EQ(found[0].level, c.level) << c.name;
    EXPECT_EQ(found[0].pos.x, c.pos.x) << c.name;
    EXPECT_EQ(found[0].pos.y, c.pos.y) << c.name;
    EXPECT_FALSE(found[0].text.empty()) << c.name;
  }
}

// Levels entered through a warp start at its receiver, not at a spawner.
TEST_F(LevelChecks, ALevelAWarpLeadsIntoNeedsNoSpawner) {
  LevelData data = cleanSet();
  ASSERT_FALSE(data.levels[1].hasModelRef("spawner"));
  EXPECT_TRUE(checkLevels(data).empty());
  data.levels[0].warps[0].level = "trigger";  // the only warp into "b" gone
  ASSERT_EQ(checkLevels(data).size(), 1u);
  EXPECT_STREQ(checkLevels(data)[0].check, "spawner");
}

TEST_F(LevelChecks, TheShippedCampaignPassesEveryCheck) {
  std::ifstream shipped(std::string(ORVANE_SOURCE_DIR) + "/data/data.xml", std::ios::binary);
  std::stringstream text;
  text << shipped.rdbuf();
  ScratchFolder scratch;
  scratch.write("data/data.xml", text.str());
  LevelData data{LevelData::Empty{}};
  ASSERT_TRUE(data.load("data.xml"));
  for (const Finding& f : checkLevels(data)) {
    ADD_FAILURE() << "level " << f.level + 1 << ": " << f.check << ": " << f.text;
  }
}
