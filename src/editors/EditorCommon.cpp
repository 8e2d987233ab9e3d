#include "editors/EditorCommon.h"

#include "editors/GuidRename.h"
#include "editors/StatusLine.h"

#include <algorithm>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"

namespace editor {

namespace {
// The colour keys, one row per component.
struct ColorKey {
  int key;
  float ofColor::*component;
};

constexpr ColorKey colorKeys[] = {{'8', &ofColor::r}, {'9', &ofColor::g}, {'0', &ofColor::b}};
constexpr float colorStep = 3;

bool endNear(const Wall& wall, const ofxVec2f& p) {
  return isNear(ofxVec2f(wall.x, wall.y), p) || isNear(ofxVec2f(wall.z, wall.w), p);
}
}  // namespace

Level* editedLevel(LevelData* data) {
  return data && data->hasLevel() ? &data->getCurrentLevel() : nullptr;
}

Model* editedModel(LevelData* data) {
  return data && data->hasModel() ? &data->getCurrentModel() : nullptr;
}

ModelFrame* editedFrame(LevelData* data) {
  Model* model = editedModel(data);
  return model && model->hasCurrentFrame() ? &model->frames[model->currentFrame] : nullptr;
}

const LevelData& shownData(const LevelData* data) {
  static const LevelData none{LevelData::Empty{}};
  return data ? *data : none;
}

ofxVec2f mouseOf(const InputState& input) {
  return ofxVec2f(static_cast<float>(input.mouseX), static_cast<float>(input.mouseY));
}

ofxVec2f mouseStepOf(const InputState& input) {
  return ofxVec2f(static_cast<float>(input.mouseStepX), static_cast<float>(input.mouseStepY));
}

bool isNear(const ofxVec2f& a, const ofxVec2f& p) { return a.distance(p) < pickRadius; }

float distanceToSegment(const ofxVec2f& p, const ofxVec2f& a, const ofxVec2f& b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::max(0.0f, std::min(1.0f, t));
  return p.distance(ofxVec2f(a.x + dx * t, a.y + dy * t));
}

bool strictlyInside(const ofRectangle& r, const ofxVec2f& p) {
  return r.x < p.x && p.x < r.x + r.width && r.y < p.y && p.y < r.y + r.height;
}

bool isWallKey(int key) { return key == WALL_SOLID || key == WALL_FLICKER || key == WALL_FADE; }

Wall makeWall(const ofxVec2f& from, const ofxVec2f& to, const ofColor& color, int type) {
  return Wall(from.x, from.y, to.x, to.y, color.r, color.g, color.b, type);
}

bool findWallEnd(const std::vector<Wall>& walls, const ofxVec2f& p, ofxVec2f& out) {
  for (const Wall& wall : walls) {
    for (const ofxVec2f& end : {ofxVec2f(wall.x, wall.y), ofxVec2f(wall.z, wall.w)}) {
      if (!isNear(end, p)) continue;
      out = end;
      return true;
    }
  }
  return false;
}

bool eraseWallAt(std::vector<Wall>& walls, const ofxVec2f& p) {
  return eraseFirst(walls, [&](const Wall& wall) { return endNear(wall, p); });
}

void pickWallColor(const std::vector<Wall>& walls, const ofxVec2f& p, ofColor& color) {
  for (const Wall& wall : walls) {
    if (endNear(wall, p)) color = wall.color;
  }
}

void stepColor(const InputState& current, ofColor& color) {
  const float step = current.keyMinus ? -colorStep : colorStep;
  for (const ColorKey& row : colorKeys) {
    if (keyHeld(current, row.key)) color.*row.component += step;
  }
  for (const ColorKey& row : colorKeys) {
    color.*row.component = ofClamp(color.*row.component, 0, 255);
  }
}

void advanceRainbow(ofColor& color) {
  const ofColor hsl = LevelData::rgbToHsl(color);
  float hue = hsl.r + 0.03f;
  if (hue >= 1.0f) hue = 0.01f;
  color = LevelData::hslToRgb(hue, hsl.g, hsl.b);
}

void askWord(Prompt* prompt, const std::string& question, Prompt::Answer answer) {
  if (prompt) prompt->ask(question, std::move(answer));
}

void askModelGuid(Prompt* prompt, LevelData* data, StatusLine* status) {
  askWord(prompt, "model guid: ", [data, status](const std::string& word) {
    if (!data) return;
    const std::string said = renameModel(*data, data->currentModel, word);
    if (status) status->show(said);
  });
}

void drawSnapMark(const ofxVec2f& end) {
  ofSetColor(255, 0, 0);
  ofEllipse(end.x, end.y, 10, 10);
}

void drawSwatch(const ofColor& color, bool rainbow) {
  const float w = static_cast<float>(ofGetWidth()), h = static_cast<float>(ofGetHeight());
  ofSetupScreen();
  ofSetColor(ofTruncateToInt(color.r), ofTruncateToInt(color.g), ofTruncateToInt(color.b), 255);
  ofFill();
  ofRect(w - 50, h - 50, 30, 30);
  // The program draws outlines everywhere else.
  ofNoFill();
  if (rainbow) ofDrawBitmapString("rainbow", w - 65, h - 60);
}

std::string positionText(int index, size_t count) {
  if (count == 0) return "none yet: Ctrl+N adds one";
  return ofToString(index + 1) + " of " + ofToString(static_cast<int>(count));
}

void drawTitle(int index, size_t count, const std::string& name) {
  ofSetHexColor(0xFFFFFF);
  ofDrawBitmapString(positionText(index, count), 5, 15);
  ofDrawBitmapString(name, 5, static_cast<float>(ofGetHeight() - 5));
}

void drawParams(bool hidden, const std::vector<std::string>& lines) {
  ofSetColor(255, 255, 255, 150);
  if (hidden) {
    ofDrawBitmapString("params hidden", 10, 35);
    return;
  }
  float y = 35;
  for (const std::string& line : lines) {
    ofDrawBitmapString(line, 10, y);
    y += 15;
  }
}

void drawBackdrop(int alpha) {
  ofSetupScreen();
  ofSetColor(0, 0, 0, alpha);
  ofFill();
  ofRect(0, 0, static_cast<float>(ofGetWidth()), static_cast<float>(ofGetHeight()));
  ofNoFill();
}

void drawQuestionPanel(float top, float height) {
  const float w = static_cast<float>(ofGetWidth());
  ofSetupScreen();
  ofFill();
  ofSetColor(0, 0, 0, 255);
  ofRect(10, top, w - 20, height);
  // The program draws outlines everywhere else.
  ofNoFill();
  ofSetColor(255, 211, 0, 255);
  ofRect(10, top, w - 20, height);
}

std::vector<std::string> wrapText(const std::string& text, size_t columns) {
  columns = std::max<size_t>(columns, 1);
  std::vector<std::string> lines;
  size_t at = 0;
  while (text.size() - at > columns) {
    const size_t space = text.rfind(' ', at + columns);
    const bool breaksAtSpace = space != std::string::npos && space > at;
    const size_t end = breaksAtSpace ? space : at + columns;
    lines.push_back(text.substr(at, end - at));
    at = breaksAtSpace ? end + 1 : end;
  }
  lines.push_back(text.substr(at));
  return lines;
}

}  // namespace editor
