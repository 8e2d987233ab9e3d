#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "level/LevelData.h"

#include <algorithm>

namespace {
// The wall's bounding box meets r: it may show there.
bool wallMeets(const Wall& w, const ofRectangle& r) {
  return std::max(w.x, w.z) >= r.x && std::min(w.x, w.z) <= r.x + r.width &&
         std::max(w.y, w.w) >= r.y && std::min(w.y, w.w) <= r.y + r.height;
}

const int markerLabelColor = 0x009B95;

int randomAlpha(float lo, float hi) { return static_cast<int>(ofRandom(lo, hi)); }

// Calls draw(model, ref) for every model and every reference to it in the
// level, models in list order: models stack by list order, not by placement.
template <typename Draw>
void forEachPlacement(const std::vector<Model>& models, const Level& level, Draw draw) {
  for (const Model& model : models) {
    for (const ModelRef& ref : level.modelRefs) {
      if (ref.guid == model.guid) draw(model, ref);
    }
  }
}

void drawReferenceMarker(const ModelRef& ref) {
  ofTranslate(ref.pos.x, ref.pos.y, 0);
  ofSetHexColor(0xFFFFFF);
  ofLine(0, -10, 0, 10);
  ofLine(-10, 0, 10, 0);
  ofTranslate(-ref.pos.x, -ref.pos.y, 0);
  // The model's name first: a placement is known by what it places.
  ofDrawBitmapString(ref.guid, ref.pos.x + 5, ref.pos.y + 10);
  if (ref.warpOnEndAnimation) {
    ofDrawBitmapString("map: " + ref.level, ref.pos.x + 5, ref.pos.y + 23);
    ofDrawBitmapString("id: " + ref.id, ref.pos.x + 5, ref.pos.y + 36);
  }
}

void drawWarpMarker(const Warp& warp) {
  ofSetColor(150, 0, 255, randomAlpha(200, 255));
  ofRect(warp.rect);
  ofSetHexColor(markerLabelColor);
  const float x = warp.rect.x, y = warp.rect.y;
  ofDrawBitmapString("map: " + warp.level, x + 5, y + 10);
  ofDrawBitmapString("id: " + warp.id, x + 5, y + 23);
  ofDrawBitmapString(warp.dir, x + 5, y + 36);
}

void drawReceiverMarker(const Receiver& receiver) {
  const float x = receiver.pos.x, y = receiver.pos.y;
  ofSetColor(255, 255, 255, randomAlpha(200, 250));
  ofLine(x - 5, y - 5, x + 5, y + 5);
  ofLine(x + 5, y - 5, x - 5, y + 5);
  ofSetHexColor(markerLabelColor);
  ofDrawBitmapString(" " + receiver.id, x + 5, y + 3);
}

void drawGravityPointMarker(const GravityPoint& point) {
  ofSetColor(0, 0, 255, randomAlpha(30, 200));
  ofCircle(point.x, point.y, 5);
  ofCircle(point.x, point.y, 7);
}
}  // namespace

void LevelData::draw(bool showMarkers, const ofRectangle* shown) const {
  if (!hasLevel()) return;
  const Level& level = levels[currentLevel];
  for (const Wall& wall : level.walls) {
    if (!shown || wallMeets(wall, *shown)) wall.draw();
  }
  drawModels();
  if (!showMarkers) return;
  forEachPlacement(models, level, [](const Model&, const ModelRef& ref) { drawReferenceMarker(ref); });
  for (const Warp& warp : level.warps) drawWarpMarker(warp);
  for (const Receiver& receiver : level.receivers) drawReceiverMarker(receiver);
  for (const GravityPoint& point : level.gravityPoints) drawGravityPointMarker(point);
}

void LevelData::drawModels() const {
  if (!hasLevel()) return;
  // Moved on the way into the line batch rather than by the matrix: a
  // matrix change would draw the batch, one draw per placement.
  forEachPlacement(models, levels[currentLevel], [](const Model& model, const ModelRef& ref) {
    model.drawCurrentFrame(ref.pos.x, ref.pos.y);
  });
}
