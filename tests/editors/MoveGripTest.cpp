// Moving what is placed: 'v' held and a left drag, in both tools.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/EditorFixture.h"
#include "editors/LevelTool.h"
#include "editors/ModelTool.h"
#include "level/SameContent.h"

namespace {
template <typename Tool>
struct MoveFixture : EditorFixture<Tool> {
  using EditorFixture<Tool>::current;
  using EditorFixture<Tool>::previous;
  using EditorFixture<Tool>::tool;
  // 'v' held, the left button down at (x1, y1); a frame at (x2, y2) before
  // the release there.
  void moveDrag(int x1, int y1, int x2, int y2) {
    current.pressKey(KEY_MOVE);
    current.pressButton(0, x1, y1);
    tool.mousePressed(current, previous);
    this->frame();
    current.pressButton(0, x2, y2);
    this->frame();
    followed = this->data;
    current.releaseButton(0, x2, y2);
    tool.mouseReleased(current, previous);
    current.releaseKey(KEY_MOVE);
    this->frame();
  }
  LevelData followed{LevelData::Empty{}};  // the set at the last frame before the release
};

using MoveInLevel = MoveFixture<LevelTool>;
using MoveInModel = MoveFixture<ModelTool>;

Level placedLevel() {
  Level level;
  level.guid = "yard";
  level.walls = {Wall(100, 100, 200, 100, 1, 2, 3, WALL_SOLID),
                 Wall(300, 300, 400, 300, 1, 2, 3, WALL_SOLID)};
  level.warps = {Warp{ofRectangle(50, 200, 40, 40), "mark", "", "u"}};
  level.receivers = {Receiver{ofxVec2f(150, 250), "door"}};
  level.modelRefs = {ModelRef{"rock", ofxVec2f(250, 250), false, "", ""}};
  level.gravityPoints = {ofxVec2f(350, 150)};
  return level;
}
}  // namespace

TEST_F(MoveInLevel, VDragMovesTheThingUnderThePressByTheDistanceDragged) {
  struct Case {
    const char* name;
    ofxVec2f offset;
    int x1, y1, x2, y2;
    std::function<void(Level&)> expect;  // what the move does to the placed level
  };
  const Case cases[] = {
      {"a wall's first end", {0, 0}, 102, 101, 152, 131,
       [](Level& l) { l.walls[0].x = 150, l.walls[0].y = 130; }},
      {"a wall end snaps to another wall's end", {0, 0}, 200, 100, 297, 302,
       [](Level& l) { l.walls[0].z = 300, l.walls[0].w = 300; }},
      {"a small move is not pulled back by the end itself", {0, 0}, 100, 100, 103, 100,
       [](Level& l) { l.walls[0].x = 103; }},
      {"a zone keeps its size", {0, 0}, 60, 210, 80, 230,
       [](Level& l) { l.warps[0].rect = ofRectangle(70, 220, 40, 40); }},
      {"a receiver", {0, 0}, 151, 251, 171, 271,
       [](Level& l) { l.receivers[0].pos = ofxVec2f(170, 270); }},
      {"a model reference", {0, 0}, 250, 250, 240, 240,
       [](Level& l) { l.modelRefs[0].pos = ofxVec2f(240, 240); }},
      {"a gravity point in a panned view", {10, 20}, 360, 170, 370, 190,
       [](Level& l) { l.gravityPoints[0] = ofxVec2f(360, 170); }},
      {"a click leaves the end where it was", {0, 0}, 102, 101, 102, 101, [](Level&) {}},
      {"nothing under the press", {0, 0}, 450, 50, 480, 60, [](Level&) {}},
  };
  for (const Case& c : cases) {
    data.levels[0] = placedLevel();
    tool.showAt(ofxVec2f(0, 0), c.offset);
    Level expected = placedLevel();
    c.expect(expected);
    moveDrag(c.x1, c.y1, c.x2, c.y2);
    EXPECT_TRUE(sameContent(data.levels[0], expected)) << c.name;
    EXPECT_TRUE(sameContent(followed.levels[0], expected)) << c.name << ": before the release";
    EXPECT_FALSE(tool.grip.holding()) << c.name;
  }
}

// A zone drawn round the things it works with: the start zone round the
// spawner, a checkpoint zone round its receiver inside it, with a gravity
// point, and a smaller zone inside the checkpoint zone.
Level zonedLevel() {
  Level level;
  level.guid = "zoned";
  level.warps = {Warp{ofRectangle(0, 0, 400, 300), "song", "cave", "u"},
                 Warp{ofRectangle(100, 100, 100, 100), "mark", "a", "u"},
                 Warp{ofRectangle(160, 160, 20, 20), "shake", "500", "u"}};
  level.receivers = {Receiver{ofxVec2f(130, 130), "a"}};
  level.modelRefs = {ModelRef{"spawner", ofxVec2f(50, 250), false, "", ""}};
  level.gravityPoints = {ofxVec2f(170, 120)};
  level.walls = {Wall(300, 50, 350, 50, 1, 2, 3, WALL_SOLID)};
  return level;
}

TEST_F(MoveInLevel, MoveAndDeleteTakeAPointBeforeTheZonesAroundItAndTheSmallestZoneFirst) {
  struct Case {
    const char* name;
    int x, y;  // the mouse, in the level's frame
    MoveGrip::Kind kind;
    size_t index;
  };
  using Kind = MoveGrip::Kind;
  const Case cases[] = {
      {"the receiver of a checkpoint zone", 131, 129, Kind::receiver, 0},
      {"the spawner in the start zone", 52, 251, Kind::modelRef, 0},
      {"a gravity point in a checkpoint zone", 170, 122, Kind::gravityPoint, 0},
      {"a wall end in the start zone", 349, 51, Kind::wallEnd, 0},
      {"the smallest of three zones", 170, 170, Kind::zone, 2},
      {"the checkpoint zone around no point", 150, 180, Kind::zone, 1},
      {"the start zone alone", 300, 250, Kind::zone, 0},
  };
  for (const Case& c : cases) {
    // Moved 10 to the right: only the thing picked moves.
    data.levels[0] = zonedLevel();
    tool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));
    moveDrag(c.x, c.y, c.x + 10, c.y);
    const Level moved = data.levels[0];
    // Deleted: only the thing picked goes.
    data.levels[0] = zonedLevel();
    current.moveMouse(c.x, c.y);
    quickTap(KEY_DELETE);
    const Level deleted = data.levels[0];
    const Level before = zonedLevel();
    Level expectMoved = before, expectDeleted = before;
    switch (c.kind) {
      case Kind::receiver:
        expectMoved.receivers[c.index].pos.x += 10;
        expectDeleted.receivers.erase(expectDeleted.receivers.begin());
        break;
      case Kind::modelRef:
        expectMoved.modelRefs[c.index].pos.x += 10;
        expectDeleted.modelRefs.erase(expectDeleted.modelRefs.begin());
        break;
      case Kind::gravityPoint:
        expectMoved.gravityPoints[c.index].x += 10;
        expectDeleted.gravityPoints.erase(expectDeleted.gravityPoints.begin());
        break;
      case Kind::wallEnd:
        expectMoved.walls[c.index].z += 10;
        expectDeleted.walls.erase(expectDeleted.walls.begin());
        break;
      default:
        expectMoved.warps[c.index].rect.x += 10;
        expectDeleted.warps.erase(expectDeleted.warps.begin() + static_cast<long>(c.index));
        break;
    }
    EXPECT_TRUE(sameContent(moved, expectMoved)) << c.name << ": moved";
    EXPECT_TRUE(sameContent(deleted, expectDeleted)) << c.name << ": deleted";
  }
}

TEST_F(MoveInLevel, ALevelChosenDuringTheDragIsLeftAlone) {
  data.levels = {placedLevel(), placedLevel()};
  tool.showAt(ofxVec2f(0, 0), ofxVec2f(0, 0));
  current.pressKey(KEY_MOVE);
  current.pressButton(0, 150, 250);
  tool.mousePressed(current, previous);
  data.nextLevel();
  current.releaseButton(0, 170, 270);
  tool.mouseReleased(current, previous);
  EXPECT_TRUE(sameContent(data.levels[0], placedLevel()));
  EXPECT_TRUE(sameContent(data.levels[1], placedLevel()));
}

TEST_F(MoveInModel, VDragMovesAWallEndOfTheShownFrame) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2;
    std::function<void(Model&)> expect;
  };
  // The origin is at (265, 185).
  const Case cases[] = {
      {"a wall end", 275, 185, 285, 195,
       [](Model& m) { m.frames[0].walls[0].x = 20, m.frames[0].walls[0].y = 10; }},
      {"an end snaps to a wall end of another frame", 285, 215, 237, 154,
       [](Model& m) { m.frames[0].walls[0].z = -30, m.frames[0].walls[0].w = -30; }},
      {"another frame's walls are not grabbed", 235, 155, 255, 175, [](Model&) {}},
  };
  const auto placed = [] {
    Model model;
    model.guid = "gate";
    model.frames = {ModelFrame{{Wall(10, 0, 20, 30, 1, 2, 3, WALL_SOLID)}},
                    ModelFrame{{Wall(-30, -30, -10, -10, 1, 2, 3, WALL_SOLID)}}};
    return model;
  };
  for (const Case& c : cases) {
    data.models[0] = placed();
    Model expected = placed();
    c.expect(expected);
    moveDrag(c.x1, c.y1, c.x2, c.y2);
    EXPECT_TRUE(sameContent(data.models[0], expected)) << c.name;
    EXPECT_TRUE(sameContent(followed.models[0], expected)) << c.name << ": before the release";
  }
}
