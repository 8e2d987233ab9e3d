// What the history says each step did: from what the step found changed,
// in the words of the editors.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/EditHistory.h"

namespace {
Wall wallAt(float x) { return Wall(x, 0, x + 10, 10, 1, 2, 3, WALL_SOLID); }

// Three levels of three walls, a zone and a receiver each; one model of two
// frames.
LevelData smallSet() {
  LevelData data;
  data.levels.resize(3);
  for (size_t i = 0; i < data.levels.size(); ++i) {
    Level& level = data.levels[i];
    level.guid = "level" + std::to_string(i);
    level.walls = {wallAt(0), wallAt(20), wallAt(40)};
    level.warps = {Warp{ofRectangle(0, 0, 10, 10), "finish_it", "", "u"}};
    level.receivers = {Receiver{ofxVec2f(5, 5), "in"}};
  }
  data.models[0].guid = "rock";
  data.models[0].animSpeed = 100;
  data.models[0].frames = {ModelFrame{{wallAt(0)}}, ModelFrame{{wallAt(1)}}};
  return data;
}

std::string describe(const std::function<void(LevelData&)>& edit) {
  LevelData data = smallSet();
  EditHistory history;
  history.restart(data);
  edit(data);
  history.record(data);
  return history.description(0);
}
}  // namespace

TEST(StepDescription, SaysWhatChangedWhereInTheEditorsWords) {
  struct Case {
    const char* said;
    std::function<void(LevelData&)> edit;
  };
  const Case cases[] = {
      {"level 3: 1 wall added", [](LevelData& d) { d.levels[2].walls.push_back(wallAt(60)); }},
      {"level 1: 2 walls moved",
       [](LevelData& d) {
         d.levels[0].walls[0].z = 15;  // a wall end shared by two walls
         d.levels[0].walls[2].x = 15;
       }},
      {"level 1: 1 wall changed", [](LevelData& d) { d.levels[0].walls[1].color.r = 90; }},
      {"level 2: 2 walls removed",
       [](LevelData& d) { d.levels[1].walls.resize(1); }},
      {"level 2: 1 zone moved", [](LevelData& d) { d.levels[1].warps[0].rect.x = 30; }},
      {"level 2: 1 zone changed", [](LevelData& d) { d.levels[1].warps[0].dir = "j"; }},
      {"level 1: 1 receiver removed, 1 gravity point added",
       [](LevelData& d) {
         d.levels[0].receivers.clear();
         d.levels[0].gravityPoints.push_back(GravityPoint(1, 1));
       }},
      {"level 3: 1 placed model added",
       [](LevelData& d) {
         d.levels[2].modelRefs.push_back(ModelRef{"rock", ofxVec2f(), false, "", ""});
       }},
      {"level 2: guid renamed to cave, gravity off, 1 wall removed",
       [](LevelData& d) {
         d.levels[1].guid = "cave";
         d.levels[1].gravity = false;
         d.levels[1].walls.pop_back();
       }},
      {"level 1: friction off; level 3: 1 wall moved",
       [](LevelData& d) {
         d.levels[0].friction = false;
         d.levels[2].walls[0].y = 1;
       }},
      {"level 4 added", [](LevelData& d) { d.addLevel(); }},
      {"level 1 removed", [](LevelData& d) { d.levels.erase(d.levels.begin()); }},
      {"2 levels changed", [](LevelData& d) { std::swap(d.levels[0], d.levels[1]); }},
      {"model 1: frame 2 changed", [](LevelData& d) { d.models[0].frames[1].walls.clear(); }},
      {"model 1: frame 3 added", [](LevelData& d) { d.models[0].frames.emplace_back(); }},
      {"model 1: frame 1 removed",
       [](LevelData& d) { d.models[0].frames.erase(d.models[0].frames.begin()); }},
      {"model 1: guid renamed to wheel, animation speed 150, solid off, play once on, "
       "sound tag changed",
       [](LevelData& d) {
         Model& m = d.models[0];
         m.guid = "wheel";
         m.animSpeed = 150;
         m.solid = false;
         m.playOnce = true;
         m.SE = "hum";
       }},
      {"level 1: 1 wall added; model 2 added",
       [](LevelData& d) {
         d.levels[0].walls.push_back(wallAt(80));
         d.addModel();
       }},
  };
  for (const Case& c : cases) EXPECT_EQ(describe(c.edit), c.said);
}

TEST(StepDescription, TheListRunsFromTheOldestStepToTheLastRedo) {
  LevelData data = smallSet();
  EditHistory history;
  history.restart(data);
  for (int i = 0; i < 3; ++i) {
    data.levels[static_cast<size_t>(i)].walls.pop_back();
    history.record(data);
  }
  history.undo(data);
  history.undo(data);
  ASSERT_EQ(history.stepCount(), 3u);
  EXPECT_EQ(history.description(0), "level 1: 1 wall removed");
  EXPECT_EQ(history.description(1), "level 2: 1 wall removed") << "the next redo";
  EXPECT_EQ(history.description(2), "level 3: 1 wall removed");
  EXPECT_EQ(history.description(3), "");
}
