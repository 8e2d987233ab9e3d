#pragma once
// The in-game level editor: walls, zones, receivers, model references and
// gravity points placed with the mouse while a letter key is held, level
// parameters set with digit keys and words typed into the prompt. It edits
// the current level of the application's editable level set in place; the
// application owns the tool and drives it while the level tool is active.

#include <string>
#include <vector>

#include "editors/Prompt.h"
#include "editors/LevelView.h"
#include "editors/MoveGrip.h"
#include "editors/Selection.h"
#include "framework/InputState.h"
#include "framework/ofTypes.h"
#include "level/LevelData.h"

class StatusLine;

class LevelTool {
 public:
  void update(const InputState& current, const InputState& previous);
  // Screen coordinates; the level is shown where the game shows it, moved
  // by offset.
  void draw(const InputState& current);
  void mousePressed(const InputState& current, const InputState& previous);
  // Places what the key held at the press makes.
  void mouseReleased(const InputState& current, const InputState& previous);
  // Right-button drag: the level moves with the mouse.
  void pan(const InputState& current, const InputState& previous);

  // The first wall end (level coordinates) near a screen point.
  bool snapToWallEnd(ofxVec2f screenPoint, ofxVec2f& out) const;
  // Removes the one element at level point p that a 'v' drag would move
  // (pickAt): a point near p before the smallest zone around p.
  void deleteAt(ofxVec2f p);
  // The colour of the last wall with an end near p becomes the drawing colour.
  void pickColor(ofxVec2f p);
  // The id of the first receiver near p, else the guid of the first model
  // reference near p, becomes receiverId.
  void pickReceiverId(ofxVec2f p);
  void advanceRainbow();
  void resetOffset();
  // The screen position of the level origin: where the game draws it in
  // the window, moved by offset.
  ofxVec2f origin() const;
  // The level point under a screen point, and back.
  ofxVec2f levelPoint(const ofxVec2f& screenPoint) const;
  ofxVec2f screenPoint(const ofxVec2f& levelPoint) const;
  // Pans the view so that the level point shows at the screen point.
  void showAt(const ofxVec2f& point, const ofxVec2f& screenPoint);
  // Zooms by factor (within LevelView's bounds) around the screen point,
  // which keeps showing the same level point.
  void zoomAround(const ofxVec2f& screenPoint, float factor);
  // The level point under the mouse, on the grid while it is on: where a
  // new point goes.
  ofxVec2f placePoint(const ofxVec2f& screenPoint) const;

  LevelData* data = nullptr;  // not owned
  Prompt* prompt = nullptr;  // not owned; where words are asked for
  StatusLine* status = nullptr;  // not owned; where what became of an edit is said
  bool paramsHidden = false;
  ofxVec2f offset;  // how far the view is panned from where the game shows the level
  int clickKey = -1;  // lastKey at the left press; -1 while no click is in progress
  bool rainbow = false;
  std::string mapId;  // target level guid or command word of new zones
  std::string receiverId;
  std::string warpType = "u";  // "u", "d", "l", "r", "i" or "o"
  ofColor color{0, 255, 0};
  ofxVec2f clickPos;  // screen position of the press, snapped to a wall end
  MoveGrip grip;  // what a drag with 'v' held moves
  float zoom = 1;  // screen pixels per level unit
  LevelGrid grid;  // '#' turns it on and off
  // What 's' and 'S' drags, Ctrl+A and pastes chose in the level selectedIn.
  Selection selection;
  int selectedIn = -1;
  LevelClipboard clipboard;  // what Ctrl+C and Ctrl+X took, for Ctrl+V

  // The parameter lines of the overlay, each with the key that changes it.
  std::vector<std::string> paramLines() const;

 private:
  void readParameterKeys(const InputState& current, const InputState& previous);
  void readDrawingKeys(const InputState& current, const InputState& previous);
  void grabAt(const ofxVec2f& mouse);
  void moveGrabbed(const ofxVec2f& mouse);
  void readViewKeys(const InputState& current, const InputState& previous);
  // 'n' and 'N' over a zone: its map id or its receiver id, asked anew.
  void askZoneWord(const ofxVec2f& p, bool map);
  // The selection's keys and gestures (LevelToolSelection.cpp).
  void readSelectionKeys(const InputState& current, const InputState& previous);
  void selectWithBand(const ofxVec2f& mouse);
  // A 'v' press on the selection, a zone's corner or a wall's line: true
  // when it grabbed one of them.
  bool grabMore(const Level& level, const ofxVec2f& p);
  void moveMore(Level& level, const ofxVec2f& p);
  void deleteSelectedOrAt(const InputState& current);
  void drawSelection() const;
  void drawBand(const ofxVec2f& mouse) const;
  // A 'v' drag that moves several things, or one corner of a zone.
  Selection moving;
  ofxVec2f moved;  // how far moving has been moved so far
  int cornerZone = -1;
  ofxVec2f fixedCorner;  // the corner of cornerZone that stays
  bool deleteTookSelection = false;
  void drawPreview(const ofxVec2f& mouse) const;
  void drawIntersectionTest(const ofxVec2f& mouse) const;
  void drawOverlay() const;
};
