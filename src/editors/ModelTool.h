#pragma once
// The in-game model editor: walls drawn frame by frame into the current
// model of the application's editable level set, frames added and removed,
// the model's parameters set with digit keys and typed words, and the
// animation played while space is held. The application owns the tool and
// drives it while the modeling tool is active.

#include <string>

#include "editors/Prompt.h"
#include "editors/MoveGrip.h"
#include "framework/InputState.h"
#include "framework/ofTypes.h"
#include "level/LevelData.h"

class StatusLine;

class ModelTool {
 public:
  ModelTool();  // the origin at the centre of the window

  void update(const InputState& current, const InputState& previous);
  // Screen coordinates; the model is shown with its origin at origin.
  void draw(const InputState& current);
  void mousePressed(const InputState& current, const InputState& previous);
  // A press and release with 'w', 'e' or 't' held draws a wall in the shown frame.
  void mouseReleased(const InputState& current, const InputState& previous);
  // Right-button drag: the model moves with the mouse.
  void pan(const InputState& current, const InputState& previous);

  // The first wall end (model coordinates) near a screen point, searching
  // every frame, so that frames can join up.
  bool snapToWallEnd(ofxVec2f screenPoint, ofxVec2f& out) const;
  // Removes the first wall of the shown frame with an end near model point p.
  void deleteWallAt(ofxVec2f p);
  // The colour of the last wall of the shown frame with an end near p.
  void pickColor(ofxVec2f p);
  void advanceRainbow();
  // The origin at the centre of a window of that size (integer halves).
  void centerOrigin(int width, int height);

  LevelData* data = nullptr;  // not owned
  Prompt* prompt = nullptr;  // not owned; where words are asked for
  StatusLine* status = nullptr;  // not owned; where what became of an edit is said
  bool paramsHidden = false;
  ofxVec2f origin;  // screen position of the model origin
  bool onionSkin = false;  // every frame shown, the others faint
  bool rainbow = false;
  int clickKey = -1;  // lastKey at the left press; -1 while no click is in progress
  ofColor color{0, 255, 0};
  ofxVec2f clickPos;  // screen position of the press, snapped to a wall end
  MoveGrip grip;  // what a drag with 'v' held moves

 private:
  void readModelKeys(const InputState& current, const InputState& previous);
  void readFrameKeys(const InputState& current, const InputState& previous);
  void grabAt(const ofxVec2f& mouse);
  void moveGrabbed(const ofxVec2f& mouse);
  void drawFrames() const;
  void drawOverlay() const;
};

// The counter of the shown frame, "frame: 2 of 5"; "frame: 0 of 0" for a
// model without frames.
std::string frameCounterText(const Model& model);
