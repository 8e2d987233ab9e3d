// Renaming a level or a model takes every zone and placement that names it
// along, and refuses a guid that would make two of one name.

#include <gtest/gtest.h>

#include "editors/GuidRename.h"

namespace {
// Two levels that warp to each other and place the model "rock".
LevelData twoLevels() {
  LevelData data{LevelData::Empty{}};
  Level a{Level::Blank{}}, b{Level::Blank{}};
  a.guid = "cave";
  b.guid = "shaft";
  a.warps.push_back(Warp{ofRectangle(0, 0, 10, 10), "shaft", "in", "u"});
  a.warps.push_back(Warp{ofRectangle(0, 0, 10, 10), "fuel", "20", "u"});
  a.warps.push_back(Warp{ofRectangle(0, 0, 10, 10), "add", "rock", "u"});
  a.warps.push_back(Warp{ofRectangle(0, 0, 10, 10), "sound", "rock", "u"});
  b.warps.push_back(Warp{ofRectangle(0, 0, 10, 10), "remove", "rock", "u"});
  b.modelRefs.push_back(ModelRef{"rock", ofxVec2f(5, 5), true, "cave", "out"});
  b.modelRefs.push_back(ModelRef{"gate", ofxVec2f(5, 5), false, "cave", ""});
  data.levels = {a, b};
  Model rock{Model::Blank{}}, gate{Model::Blank{}};
  rock.guid = "rock";
  gate.guid = "gate";
  data.models = {rock, gate};
  return data;
}
}  // namespace

TEST(GuidRename, ALevelsZonesAndWarpingPlacementsFollowItsNewGuid) {
  LevelData data = twoLevels();
  EXPECT_EQ(editor::renameLevel(data, 1, "deep shaft"),
            "level \"shaft\" is now \"deep shaft\": 1 reference follows");
  EXPECT_EQ(data.levels[0].warps[0].level, "deep shaft");
  EXPECT_EQ(editor::renameLevel(data, 0, "grotto"),
            "level \"cave\" is now \"grotto\": 1 reference follows");
  EXPECT_EQ(data.levels[1].modelRefs[0].level, "grotto");
  EXPECT_EQ(data.levels[1].modelRefs[1].level, "cave") << "a placement that does not warp";
  EXPECT_EQ(data.levels[0].warps[1].level, "fuel");
}

TEST(GuidRename, AModelsPlacementsAndTheCommandsNamingItFollowItsNewGuid) {
  LevelData data = twoLevels();
  EXPECT_EQ(editor::renameModel(data, 0, "boulder"),
            "model \"rock\" is now \"boulder\": 3 references follow");
  EXPECT_EQ(data.levels[0].warps[2].id, "boulder");
  EXPECT_EQ(data.levels[0].warps[3].id, "rock") << "a sound's id names a sound";
  EXPECT_EQ(data.levels[1].warps[0].id, "boulder");
  EXPECT_EQ(data.levels[1].modelRefs[0].guid, "boulder");
  EXPECT_EQ(data.levels[1].modelRefs[1].guid, "gate");
}

TEST(GuidRename, ANameTakenOrEmptyIsRefusedAndChangesNothing) {
  const struct {
    bool level;
    int index;
    const char* to;
    const char* said;
  } cases[] = {
      {true, 0, "shaft", "level not renamed: another level is \"shaft\" already"},
      {true, 0, "", "level not renamed: a guid cannot be empty"},
      {false, 1, "rock", "model not renamed: another model is \"rock\" already"},
      {false, 5, "x", "no model to rename"},
  };
  for (const auto& c : cases) {
    LevelData data = twoLevels();
    const std::string said = c.level ? editor::renameLevel(data, c.index, c.to)
                                     : editor::renameModel(data, c.index, c.to);
    EXPECT_EQ(said, c.said) << c.to;
    EXPECT_EQ(data.levels[0].guid, "cave");
    EXPECT_EQ(data.levels[0].warps[0].level, "shaft");
    EXPECT_EQ(data.models[1].guid, "gate");
  }
  LevelData data = twoLevels();
  EXPECT_EQ(editor::renameLevel(data, 0, "cave"), "level \"cave\" unchanged")
      << "its own guid again is no clash";
}
