// The level tool's selection: a band dragged with 's' (or 'S', adding to
// it) or Ctrl+A chooses; 'v' drags it, Delete removes it, 'd' duplicates
// it, Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste it at the mouse, into
// this level or another one. A 'v' press also takes a zone by its corner
// (to resize it) and a wall by its line (to move it whole).

#include <cmath>

#include "editors/EditorCommon.h"
#include "editors/LevelTool.h"
#include "editors/StatusLine.h"
#include "framework/ofGraphics.h"
#include "framework/ofUtils.h"

using namespace editor;

namespace {
constexpr float duplicateStep = 10;

ofxVec2f cornerOf(const ofRectangle& r, int which) {
  return ofxVec2f(which & 1 ? r.x + r.width : r.x, which & 2 ? r.y + r.height : r.y);
}


std::string itemCount(size_t count) {
  return ofToString(static_cast<int>(count)) + (count == 1 ? " thing" : " things");
}
}  // namespace

void LevelTool::readSelectionKeys(const InputState& current, const InputState& previous) {
  Level* level = editedLevel(data);
  if (!level) return;
  // Another level, or an undo that took items away: the places may be gone.
  if (selectedIn != data->currentLevel) selection.clear();
  selectedIn = data->currentLevel;
  selection.fit(*level);
  auto pressed = [&](int code) { return codeWentDown(current, previous, code); };
  auto say = [&](const std::string& text) {
    if (status) status->show(text);
  };
  if (pressed(KEY_CTRL_A)) {
    selection.selectAll(*level);
    say("selected " + itemCount(selection.count()));
  }
  const bool cut = pressed(KEY_CTRL_X);
  if ((cut || pressed(KEY_CTRL_C)) && !selection.empty()) {
    clipboard = selection.copy(*level);
    say((cut ? "cut " : "copied ") + itemCount(selection.count()));
    if (cut) selection.erase(*level);
  }
  if (pressed(KEY_CTRL_V) && !clipboard.empty()) {
    selection.paste(*level, clipboard, placePoint(mouseOf(current)));
    say("pasted " + itemCount(selection.count()));
  }
  if (pressed(KEY_DUPLICATE) && !selection.empty()) {
    const float step = grid.on ? LevelGrid::spacing : duplicateStep;
    selection.duplicate(*level, ofxVec2f(step, step));
  }
}

// With a selection, Delete removes it all, once: held on, it removes
// nothing more until it is let go.
void LevelTool::deleteSelectedOrAt(const InputState& current) {
  if (current.lastKey != KEY_DELETE) {
    deleteTookSelection = false;
    return;
  }
  Level* level = editedLevel(data);
  if (level && !selection.empty()) {
    selection.erase(*level);
    deleteTookSelection = true;
    return;
  }
  if (!deleteTookSelection) deleteAt(levelPoint(mouseOf(current)));
}

void LevelTool::selectWithBand(const ofxVec2f& mouse) {
  const Level* level = editedLevel(data);
  if (!level) return;
  selection.select(*level, bandBetween(levelPoint(clickPos), levelPoint(mouse)),
                   clickKey == KEY_SELECT_MORE);
  selectedIn = data->currentLevel;
  if (status && !selection.empty()) status->show("selected " + itemCount(selection.count()));
}

// The selection when the press is on it; else a zone's corner near p (the
// smallest zone's first); else a wall whose line, not its end, is near p.
// A point under the mouse is MoveGrip's, as it always was.
bool LevelTool::grabMore(const Level& level, const ofxVec2f& p) {
  moved = ofxVec2f(0, 0);
  moving.clear();
  cornerZone = -1;
  if (!selection.empty() && selection.contains(level, p)) {
    moving = selection;
    return true;
  }
  const Picked picked = pickAt(level, p);
  if (picked.kind != MoveGrip::Kind::none && picked.kind != MoveGrip::Kind::zone) return false;
  for (size_t i = 0; i < level.warps.size(); ++i) {
    for (int which = 0; which < 4; ++which) {
      if (!isNear(cornerOf(level.warps[i].rect, which), p)) continue;
      cornerZone = static_cast<int>(i);
      fixedCorner = cornerOf(level.warps[i].rect, 3 - which);
      return true;
    }
  }
  for (size_t i = 0; i < level.walls.size(); ++i) {
    const Wall& w = level.walls[i];
    if (distanceToSegment(p, ofxVec2f(w.x, w.y), ofxVec2f(w.z, w.w)) >= pickRadius) continue;
    moving.walls.push_back(i);
    return true;
  }
  return false;
}

// By the whole distance dragged, a multiple of the grid's spacing while it
// is on; a zone's corner goes where the mouse is, the opposite one stays.
void LevelTool::moveMore(Level& level, const ofxVec2f& p) {
  if (cornerZone >= 0 && cornerZone < static_cast<int>(level.warps.size())) {
    level.warps[static_cast<size_t>(cornerZone)].rect = bandBetween(fixedCorner, grid.snap(p));
    return;
  }
  if (moving.empty()) return;
  ofxVec2f total = p - grip.press;
  if (grid.on) total = grid.snap(total);
  moving.moveBy(level, total - moved);
  moved = total;
}

// A yellow mark on everything selected, in level coordinates.
void LevelTool::drawSelection() const {
  const Level* level = editedLevel(data);
  if (!level || selection.empty()) return;
  ofSetColor(255, 230, 0, 255);
  const float r = 4 / zoom;
  auto mark = [&](const ofxVec2f& p) { ofRect(p.x - r, p.y - r, 2 * r, 2 * r); };
  for (size_t i : selection.walls) {
    const Wall& w = level->walls[i];
    ofLine(w.x, w.y, w.z, w.w);
    mark(ofxVec2f(w.x, w.y));
    mark(ofxVec2f(w.z, w.w));
  }
  for (size_t i : selection.warps) {
    const ofRectangle& z = level->warps[i].rect;
    ofRect(z.x, z.y, z.width, z.height);
  }
  for (size_t i : selection.receivers) mark(level->receivers[i].pos);
  for (size_t i : selection.modelRefs) mark(level->modelRefs[i].pos);
  for (size_t i : selection.gravityPoints) mark(level->gravityPoints[i]);
}

// The band of an 's' or 'S' drag, in screen coordinates.
void LevelTool::drawBand(const ofxVec2f& mouse) const {
  if (clickKey != KEY_SELECT && clickKey != KEY_SELECT_MORE) return;
  ofSetColor(255, 230, 0, 255);
  const ofRectangle band = bandBetween(clickPos, mouse);
  ofRect(band.x, band.y, band.width, band.height);
}
