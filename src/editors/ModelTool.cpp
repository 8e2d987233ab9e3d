#include "editors/ModelTool.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"

using namespace editor;

namespace {
constexpr int onionSkinAlpha = 50;
constexpr int animSpeedStep = 5;

ofxVec2f snapped(const ModelTool& tool, const ofxVec2f& screenPoint) {
  ofxVec2f end;
  return tool.snapToWallEnd(screenPoint, end) ? end + tool.origin : screenPoint;
}

void toggleOnPress(bool& value, bool current, bool previous) {
  if (wentDown(current, previous)) value = !value;
}
}  // namespace

ModelTool::ModelTool() { centerOrigin(ofGetWidth(), ofGetHeight()); }

void ModelTool::update(const InputState& current, const InputState& previous) {
  toggleOnPress(onionSkin, current.keyF4, previous.keyF4);
  toggleOnPress(paramsHidden, current.key1, previous.key1);
  readModelKeys(current, previous);
  if (current.keyHome) centerOrigin(ofGetWidth(), ofGetHeight());
  readFrameKeys(current, previous);
  if (current.lastKey == KEY_DELETE) deleteWallAt(mouseOf(current) - origin);
  if (clickKey == KEY_MOVE) moveGrabbed(mouseOf(current));
  stepColor(current, color);
  if (current.keyP) pickColor(mouseOf(current) - origin);
  // The shown frame's fading walls always step; space plays the animation.
  if (data) data->update(current.keySpace, true);
  toggleOnPress(rainbow, current.keyR, previous.keyR);
}

void ModelTool::readModelKeys(const InputState& current, const InputState& previous) {
  Model* model = editedModel(data);
  if (!model) return;
  toggleOnPress(model->solid, current.key2, previous.key2);
  if (current.key3) model->animSpeed = std::max(model->animSpeed - animSpeedStep, 0);
  if (current.key4) model->animSpeed += animSpeedStep;
  toggleOnPress(model->playOnce, current.key5, previous.key5);
  if (wentDown(current.key6, previous.key6)) askModelGuid(prompt, data, status);
  if (wentDown(current.key7, previous.key7)) {
    askWord(prompt, "sound tag: ", [this](const std::string& word) {
      if (Model* edited = editedModel(data)) edited->SE = word;
    });
  }
}

// '*' adds a frame at the end and moves one frame on, so it shows the new
// frame only when the last one was shown; a model without frames (or with
// none shown) shows the new one. '|' never removes the last frame.
void ModelTool::readFrameKeys(const InputState& current, const InputState& previous) {
  Model* model = editedModel(data);
  if (!model) return;
  if (wentDown(current.keyAsterisk, previous.keyAsterisk)) {
    const bool hadFrame = model->hasCurrentFrame();
    model->frames.emplace_back();
    model->currentFrame =
        hadFrame ? model->currentFrame + 1 : static_cast<int>(model->frames.size()) - 1;
  }
  if (!model->hasCurrentFrame()) return;
  if (wentDown(current.keyBar, previous.keyBar) && model->frames.size() > 1) {
    model->frames.erase(model->frames.begin() + model->currentFrame);
    model->currentFrame = std::max(model->currentFrame - 1, 0);
  }
}

void ModelTool::mousePressed(const InputState& current, const InputState&) {
  clickKey = current.lastKey;
  clickPos = snapped(*this, mouseOf(current));
  if (clickKey == KEY_MOVE) grabAt(mouseOf(current));
}

// The frame shown at the release receives the wall, even when another model
// or frame was chosen during the drag.
void ModelTool::mouseReleased(const InputState& current, const InputState&) {
  ModelFrame* frame = editedFrame(data);
  if (frame && isWallKey(clickKey)) {
    const ofxVec2f end = snapped(*this, mouseOf(current));
    frame->walls.push_back(makeWall(clickPos - origin, end - origin, color, clickKey));
    if (rainbow) advanceRainbow();
  }
  if (clickKey == KEY_MOVE) moveGrabbed(mouseOf(current));
  grip = MoveGrip();
  clickKey = -1;
}

void ModelTool::grabAt(const ofxVec2f& mouse) {
  const ModelFrame* frame = editedFrame(data);
  if (!frame || !grip.grabWallEnd(frame->walls, mouse - origin)) return;
  grip.owner = data->currentModel;
  grip.frame = data->getCurrentModel().currentFrame;
}

// Only in the frame it was grabbed in; its end snaps to the walls of every
// frame, as a drawn one does.
void ModelTool::moveGrabbed(const ofxVec2f& mouse) {
  ModelFrame* frame = editedFrame(data);
  if (!frame || !grip.holding() || grip.owner != data->currentModel) return;
  const Model& model = data->getCurrentModel();
  if (grip.frame != model.currentFrame) return;
  std::vector<const std::vector<Wall>*> snapTo;
  for (const ModelFrame& each : model.frames) snapTo.push_back(&each.walls);
  grip.moveWallEnd(frame->walls, mouse - origin, snapTo);
}

// By the drag event's own step, as the level tool pans.
void ModelTool::pan(const InputState& current, const InputState&) {
  origin += mouseStepOf(current);
}

bool ModelTool::snapToWallEnd(ofxVec2f screenPoint, ofxVec2f& out) const {
  const Model* model = editedModel(data);
  if (!model) return false;
  for (const ModelFrame& frame : model->frames) {
    if (findWallEnd(frame.walls, screenPoint - origin, out)) return true;
  }
  return false;
}

void ModelTool::deleteWallAt(ofxVec2f p) {
  if (ModelFrame* frame = editedFrame(data)) eraseWallAt(frame->walls, p);
}

void ModelTool::pickColor(ofxVec2f p) {
  if (const ModelFrame* frame = editedFrame(data)) pickWallColor(frame->walls, p, color);
}

void ModelTool::advanceRainbow() { editor::advanceRainbow(color); }

void ModelTool::centerOrigin(int width, int height) {
  origin = ofxVec2f(static_cast<float>(width / 2), static_cast<float>(height / 2));
}

void ModelTool::draw(const InputState& current) {
  const ofxVec2f mouse = mouseOf(current);
  ofSetupScreen();
  if (isWallKey(clickKey)) makeWall(clickPos, mouse, color, clickKey).draw();
  ofTranslate(origin.x, origin.y, 0);
  drawFrames();
  ofxVec2f end;
  if (snapToWallEnd(mouse, end)) drawSnapMark(end);
  ofSetHexColor(0xFFFFFF);
  ofLine(0, -20, 0, 20);
  ofLine(-20, 0, 20, 0);
  drawSwatch(color, rainbow);
  drawOverlay();
}

// With onion skin every frame shows, the others faint whatever their type.
void ModelTool::drawFrames() const {
  const Model& model = shownData(data).getCurrentModel();
  if (!onionSkin) {
    model.drawCurrentFrame();
    return;
  }
  for (size_t i = 0; i < model.frames.size(); ++i) {
    for (const Wall& wall : model.frames[i].walls) {
      if (static_cast<int>(i) == model.currentFrame) {
        wall.draw();
        continue;
      }
      ofSetColor(ofTruncateToInt(wall.color.r), ofTruncateToInt(wall.color.g),
                 ofTruncateToInt(wall.color.b), onionSkinAlpha);
      ofLine(wall.x, wall.y, wall.z, wall.w);
    }
  }
}

void ModelTool::drawOverlay() const {
  const LevelData& shown = shownData(data);
  const Model& model = shown.getCurrentModel();
  drawTitle(shown.currentModel, shown.models.size(), "modeling");
  ofDrawBitmapString(frameCounterText(model), static_cast<float>(ofGetWidth() - 140), 15);
  drawParams(paramsHidden, {
                               "2->solid: " + ofToString(model.solid),
                               "3->'-' 4->'+' animation speed: " + ofToString(model.animSpeed),
                               "5->play once: " + ofToString(model.playOnce),
                               "6->guid: " + model.guid,
                               "7->SE: " + model.SE,
                           });
}

std::string frameCounterText(const Model& model) {
  const int shown = model.hasCurrentFrame() ? model.currentFrame + 1 : 0;
  return "frame: " + ofToString(shown) + " of " + ofToString(static_cast<int>(model.frames.size()));
}
