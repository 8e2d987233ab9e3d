#include "editors/LevelTool.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "editors/EditorCommon.h"
#include "editors/GuidRename.h"
#include "editors/StatusLine.h"
#include "framework/ofAppRunner.h"
#include "game/Game.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"

using namespace editor;

namespace {
// The direction letters of new zones; when several keys are held the last
// row wins.
struct WarpTypeKey {
  int key;
  const char* type;
};

constexpr WarpTypeKey warpTypeKeys[] = {{'u', "u"}, {'j', "d"}, {'h', "l"},
                                        {'k', "r"}, {'i', "i"}, {'o', "o"}};

// A wall end near the screen point, else the grid's point while it is on.
ofxVec2f snapped(const LevelTool& tool, const ofxVec2f& screenPoint) {
  ofxVec2f end;
  if (tool.snapToWallEnd(screenPoint, end)) return tool.screenPoint(end);
  return tool.screenPoint(tool.placePoint(screenPoint));
}

void placeWall(LevelTool& tool, Level& level, const ofxVec2f& mouse) {
  level.walls.push_back(makeWall(tool.levelPoint(tool.clickPos), tool.levelPoint(snapped(tool, mouse)),
                                 tool.color, tool.clickKey));
  if (tool.rainbow) tool.advanceRainbow();
}

// From the snapped press to the unsnapped release; a drag up or left still
// gives a rectangle of positive size.
void placeWarp(LevelTool& tool, Level& level, const ofxVec2f& mouse) {
  const ofRectangle rect = bandBetween(tool.levelPoint(tool.clickPos), tool.placePoint(mouse));
  level.warps.push_back(Warp{rect, tool.mapId, tool.receiverId, tool.warpType});
}

void placeReceiver(LevelTool& tool, Level& level, const ofxVec2f& mouse) {
  level.receivers.push_back(Receiver{tool.placePoint(mouse), tool.receiverId});
}

// Appended directly: placing a model does not restart its animation.
void placeModelRef(LevelTool& tool, Level& level, const ofxVec2f& mouse, bool warping) {
  Model* model = editedModel(tool.data);
  if (!model) return;
  const ofxVec2f pos = tool.placePoint(mouse);
  level.modelRefs.push_back(warping ? ModelRef{model->guid, pos, true, tool.mapId, tool.receiverId}
                                    : ModelRef{model->guid, pos, false, "", ""});
}

void placeGravityPoint(LevelTool& tool, Level& level, const ofxVec2f& mouse) {
  level.gravityPoints.push_back(tool.placePoint(mouse));
}

// What a press and release makes, by the key held at the press; any other
// key (and 'z') makes nothing.
struct Placement {
  int key;
  void (*place)(LevelTool& tool, Level& level, const ofxVec2f& mouse);
};

const Placement placements[] = {
    {WALL_SOLID, placeWall},
    {WALL_FLICKER, placeWall},
    {WALL_FADE, placeWall},
    {'c', placeWarp},
    {'x', placeReceiver},
    {'m', [](LevelTool& t, Level& l, const ofxVec2f& m) { placeModelRef(t, l, m, false); }},
    {'M', [](LevelTool& t, Level& l, const ofxVec2f& m) { placeModelRef(t, l, m, true); }},
    {'.', placeGravityPoint},
};

int randomAlpha(float lo, float hi) { return ofTruncateToInt(ofRandom(lo, hi)); }

template <typename T>
void eraseIndex(std::vector<T>& list, size_t index) {
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}
}  // namespace

void LevelTool::update(const InputState& current, const InputState& previous) {
  Level* level = editedLevel(data);
  if (current.lastKey == KEY_INSERT && level) {
    askWord(prompt, "level guid: ", [this](const std::string& word) {
      if (!data) return;
      const std::string said = renameLevel(*data, data->currentLevel, word);
      if (status) status->show(said);
    });
  }
  if (data) data->update(true, false);
  readViewKeys(current, previous);
  readSelectionKeys(current, previous);
  deleteSelectedOrAt(current);
  if (clickKey == KEY_MOVE) moveGrabbed(mouseOf(current));
  readParameterKeys(current, previous);
  readDrawingKeys(current, previous);
}

// Home: back to where the game shows the level, unzoomed; Page Up and Page
// Down zoom around the mouse, as the wheel does; '#' turns the grid on and off.
void LevelTool::readViewKeys(const InputState& current, const InputState& previous) {
  if (current.keyHome) resetOffset();
  const ofxVec2f mouse = mouseOf(current);
  if (codeWentDown(current, previous, KEY_PAGE_UP)) zoomAround(mouse, LevelView::zoomStep);
  if (codeWentDown(current, previous, KEY_PAGE_DOWN)) zoomAround(mouse, 1 / LevelView::zoomStep);
  if (codeWentDown(current, previous, '#')) {
    grid.on = !grid.on;
    if (status) status->show(grid.on ? "grid on: new and moved points snap to it" : "grid off");
  }
}

void LevelTool::readParameterKeys(const InputState& current, const InputState& previous) {
  Level* level = editedLevel(data);
  Model* model = editedModel(data);
  if (wentDown(current.key1, previous.key1)) paramsHidden = !paramsHidden;
  if (level && wentDown(current.key2, previous.key2)) level->gravity = !level->gravity;
  if (level && wentDown(current.key3, previous.key3)) level->friction = !level->friction;
  if (level && wentDown(current.key4, previous.key4)) mapId = level->guid;
  if (current.lastKey == '$') {
    askWord(prompt, "map id: ", [this](const std::string& word) { mapId = word; });
  }
  if (current.key5) pickReceiverId(levelPoint(mouseOf(current)));
  if (current.lastKey == '%') {
    askWord(prompt, "receiver id: ", [this](const std::string& word) { receiverId = word; });
  }
  if (model && wentDown(current.key6, previous.key6)) askModelGuid(prompt, data, status);
  if (current.lastKey == KEY_ZONE_MAP || current.lastKey == KEY_ZONE_ID) {
    askZoneWord(levelPoint(mouseOf(current)), current.lastKey == KEY_ZONE_MAP);
  }
}

// The zone is found again when the answer comes, by the place it was asked
// at: the level may have changed in between.
void LevelTool::askZoneWord(const ofxVec2f& p, bool map) {
  const Level* level = editedLevel(data);
  size_t index = 0;
  if (!level || !findSmallestZone(level->warps, p, index)) return;
  const Warp& zone = level->warps[index];
  const std::string now = map ? zone.level : zone.id;
  const std::string question = std::string(map ? "zone's map id" : "zone's receiver id") +
                               " (now \"" + now + "\"): ";
  askWord(prompt, question, [this, p, map](const std::string& word) {
    Level* edited = editedLevel(data);
    size_t at = 0;
    if (!edited || !findSmallestZone(edited->warps, p, at)) return;
    (map ? edited->warps[at].level : edited->warps[at].id) = word;
  });
}

void LevelTool::readDrawingKeys(const InputState& current, const InputState& previous) {
  for (const WarpTypeKey& row : warpTypeKeys) {
    if (keyHeld(current, row.key)) warpType = row.type;
  }
  stepColor(current, color);
  if (current.keyP) pickColor(levelPoint(mouseOf(current)));
  if (wentDown(current.keyR, previous.keyR)) rainbow = !rainbow;
}

void LevelTool::mousePressed(const InputState& current, const InputState&) {
  clickKey = current.lastKey;
  const bool band = clickKey == KEY_SELECT || clickKey == KEY_SELECT_MORE;
  clickPos = band ? mouseOf(current) : snapped(*this, mouseOf(current));
  if (clickKey == KEY_MOVE) grabAt(mouseOf(current));
}

// The level current at the release receives the element, even when another
// level was chosen during the drag.
void LevelTool::mouseReleased(const InputState& current, const InputState&) {
  Level* level = editedLevel(data);
  for (const Placement& row : placements) {
    if (row.key == clickKey && level) row.place(*this, *level, mouseOf(current));
  }
  if (clickKey == KEY_MOVE) moveGrabbed(mouseOf(current));
  if (clickKey == KEY_SELECT || clickKey == KEY_SELECT_MORE) selectWithBand(mouseOf(current));
  grip = MoveGrip();
  moving.clear();
  cornerZone = -1;
  clickKey = -1;
}

// The selection, a zone's corner or a wall's line before what MoveGrip
// takes; the level it was grabbed in is kept either way.
void LevelTool::grabAt(const ofxVec2f& mouse) {
  const Level* level = editedLevel(data);
  if (!level) return;
  const ofxVec2f p = levelPoint(mouse);
  grip = MoveGrip();
  if (!grabMore(*level, p)) grip.grab(*level, p);
  grip.owner = data->currentLevel;
  grip.press = p;
}

// Only in the level it was grabbed in: another level may have been chosen
// during the drag. The grid, while on, snaps where the grabbed thing goes.
void LevelTool::moveGrabbed(const ofxVec2f& mouse) {
  Level* level = editedLevel(data);
  if (!level || grip.owner != data->currentLevel) return;
  const ofxVec2f p = levelPoint(mouse);
  if (!grip.holding()) {
    moveMore(*level, p);
    return;
  }
  const ofxVec2f to = grid.snap(grip.from + (p - grip.press));
  grip.moveTo(*level, to - grip.from + grip.press);
}

// Each drag event moves the view by its own step: the difference of the two
// snapshots would count the earlier drag events of the frame again.
void LevelTool::pan(const InputState& current, const InputState&) {
  offset += mouseStepOf(current);
}

bool LevelTool::snapToWallEnd(ofxVec2f screenPoint, ofxVec2f& out) const {
  const Level* level = editedLevel(data);
  return level && findWallEnd(level->walls, levelPoint(screenPoint), out);
}

void LevelTool::deleteAt(ofxVec2f p) {
  Level* level = editedLevel(data);
  if (!level) return;
  const Picked picked = pickAt(*level, p);
  switch (picked.kind) {
    case MoveGrip::Kind::wallEnd: eraseIndex(level->walls, picked.index); break;
    case MoveGrip::Kind::zone: eraseIndex(level->warps, picked.index); break;
    case MoveGrip::Kind::receiver: eraseIndex(level->receivers, picked.index); break;
    case MoveGrip::Kind::modelRef: eraseIndex(level->modelRefs, picked.index); break;
    case MoveGrip::Kind::gravityPoint: eraseIndex(level->gravityPoints, picked.index); break;
    default: break;
  }
}

void LevelTool::pickColor(ofxVec2f p) {
  if (const Level* level = editedLevel(data)) pickWallColor(level->walls, p, color);
}

void LevelTool::pickReceiverId(ofxVec2f p) {
  const Level* level = editedLevel(data);
  if (!level) return;
  for (const Receiver& receiver : level->receivers) {
    if (!isNear(receiver.pos, p)) continue;
    receiverId = receiver.id;
    return;
  }
  for (const ModelRef& ref : level->modelRefs) {
    if (!isNear(ref.pos, p)) continue;
    receiverId = ref.guid;
    return;
  }
}

void LevelTool::advanceRainbow() { editor::advanceRainbow(color); }

void LevelTool::resetOffset() {
  offset = ofxVec2f(0, 0);
  zoom = 1;
}

ofxVec2f LevelTool::origin() const {
  return Game::playAreaOrigin(ofGetWidth(), ofGetHeight()) + offset;
}

ofxVec2f LevelTool::levelPoint(const ofxVec2f& screen) const {
  const ofxVec2f from = origin();
  return ofxVec2f((screen.x - from.x) / zoom, (screen.y - from.y) / zoom);
}

ofxVec2f LevelTool::screenPoint(const ofxVec2f& point) const {
  const ofxVec2f from = origin();
  return ofxVec2f(from.x + point.x * zoom, from.y + point.y * zoom);
}

ofxVec2f LevelTool::placePoint(const ofxVec2f& screen) const { return grid.snap(levelPoint(screen)); }

void LevelTool::showAt(const ofxVec2f& point, const ofxVec2f& screen) {
  offset += screen - screenPoint(point);
}

void LevelTool::zoomAround(const ofxVec2f& screen, float factor) {
  LevelView view;
  view.offset = origin();
  view.zoom = zoom;
  view.zoomAround(screen, factor);
  zoom = view.zoom;
  offset += view.offset - origin();
}

void LevelTool::draw(const InputState& current) {
  const ofxVec2f mouse = mouseOf(current);
  ofSetupScreen();
  drawPreview(mouse);
  if (clickKey == 'z') drawIntersectionTest(mouse);
  const ofxVec2f levelOrigin = origin();
  ofPushMatrix();
  ofTranslate(levelOrigin.x, levelOrigin.y, 0);
  ofScale(zoom, zoom, 1);
  grid.draw(LevelView{levelOrigin, zoom}, ofGetWidth(), ofGetHeight());
  const ofRectangle shown = LevelView{levelOrigin, zoom}.shown(ofGetWidth(), ofGetHeight());
  shownData(data).draw(true, &shown);
  drawSelection();
  ofxVec2f end;
  if (snapToWallEnd(mouse, end)) drawSnapMark(end);
  ofSetColor(145, 0, 0);
  ofRect(0, 0, 480, 320);
  ofPopMatrix();
  drawBand(mouse);
  drawSwatch(color, rainbow);
  drawOverlay();
}

// What the release would place, following the mouse in screen coordinates.
void LevelTool::drawPreview(const ofxVec2f& m) const {
  switch (clickKey) {
    case WALL_SOLID:
    case WALL_FLICKER:
    case WALL_FADE: makeWall(clickPos, m, color, clickKey).draw(); break;
    case 'c':
      ofSetColor(150, 0, 255, randomAlpha(200, 255));
      ofRect(clickPos.x, clickPos.y, m.x - clickPos.x, m.y - clickPos.y);
      break;
    case 'x':
      ofSetColor(255, 255, 255, randomAlpha(200, 250));
      ofLine(m.x - 5, m.y - 5, m.x + 5, m.y + 5);
      ofLine(m.x + 5, m.y - 5, m.x - 5, m.y + 5);
      break;
    case 'm':
    case 'M':
      ofPushMatrix();
      ofTranslate(m.x, m.y, 0);
      shownData(data).getCurrentModel().drawCurrentFrame();
      ofPopMatrix();
      ofSetHexColor(0xFFFFFF);
      ofLine(m.x, m.y - 20, m.x, m.y + 20);
      ofLine(m.x - 20, m.y, m.x + 20, m.y);
      ofDrawBitmapString("model: " + shownData(data).getCurrentModel().guid, m.x + 2, m.y - 2);
      break;
    // In whatever colour was set last.
    case '.':
      ofCircle(m.x, m.y, 8);
      ofCircle(m.x, m.y, 10);
      break;
    default: break;
  }
}

// The game's crossing test on a fixed segment and the dragged one: where
// they cross shows as a small cross, and the segments turn red.
void LevelTool::drawIntersectionTest(const ofxVec2f& m) const {
  const ofxVec2f a(100, 50), b(100, 100);
  ofSetColor(255, 255, 255, 255);
  double ix = 0, iy = 0;
  const bool crossed = LevelData::intersectSegments(a.x, a.y, b.x, b.y, m.x, m.y, clickPos.x,
                                                    clickPos.y, &ix, &iy);
  if (crossed) {
    const float x = static_cast<float>(ix), y = static_cast<float>(iy);
    ofLine(x - 5, y, x + 5, y);
    ofLine(x, y - 5, x, y + 5);
    ofSetColor(255, 0, 0, 255);
  }
  ofLine(a, b);
  ofLine(m, clickPos);
}

void LevelTool::drawOverlay() const {
  const LevelData& shown = shownData(data);
  drawTitle(shown.currentLevel, shown.levels.size(), "level tool");
  drawParams(paramsHidden, paramLines());
}

// Each line says what its key changes: 6 renames the current model, Insert
// the level.
std::vector<std::string> LevelTool::paramLines() const {
  const LevelData& shown = shownData(data);
  const Level& level = shown.getCurrentLevel();
  return {
      "2->gravity: " + ofToString(level.gravity),
      "3->friction: " + ofToString(level.friction),
      "4->Copy $->Set : MapID: " + mapId,
      "5->Copy %->Set : Reciever ID: " + receiverId,
      "6->model guid: " + shown.getCurrentModel().guid,
      "Insert->level guid: " + level.guid,
      "uhjkio->warp type: " + warpType,
  };
}
