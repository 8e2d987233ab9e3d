#pragma once
// What the level tool and the modeling tool share: finding wall ends under
// the mouse, the drawing colour with its keys and rainbow step, console
// words, and the overlay parts both draw the same way.

#include <string>
#include <vector>

#include "editors/Prompt.h"

class StatusLine;
#include "framework/InputState.h"
#include "framework/ofTypes.h"
#include "level/LevelData.h"

namespace editor {

// Key codes the tools read through lastKey (they have no flag).
enum : int {
  KEY_INSERT = 364,
  KEY_PAGE_UP = 360,
  KEY_PAGE_DOWN = 361,
  // The level tool's selection: a drag with 's' held chooses what the band
  // holds, with 'S' (Shift+s) it adds to the choice; 'd' duplicates.
  KEY_SELECT = 's',
  KEY_SELECT_MORE = 'S',
  KEY_DUPLICATE = 'd',
  // Over a placed zone: type its map id ('n') or its receiver id ('N') anew.
  KEY_ZONE_MAP = 'n',
  KEY_ZONE_ID = 'N',
  KEY_CTRL_A = 1,
  KEY_CTRL_C = 3,
  KEY_CTRL_V = 22,
  KEY_CTRL_X = 24,
};

// A point closer than this (pixels) to a wall end or marker picks it.
constexpr float pickRadius = 5;

// The edited level, model or shown frame of data; nullptr when there is none
// (no data, or a loaded file without levels, models or frames).
Level* editedLevel(LevelData* data);
Model* editedModel(LevelData* data);
ModelFrame* editedFrame(LevelData* data);

// data, or an empty set to show when there is none.
const LevelData& shownData(const LevelData* data);

ofxVec2f mouseOf(const InputState& input);
// How far the latest mouse event moved the mouse.
ofxVec2f mouseStepOf(const InputState& input);
// a is closer than pickRadius to p.
bool isNear(const ofxVec2f& a, const ofxVec2f& p);
// How far p is from the segment a-b.
float distanceToSegment(const ofxVec2f& p, const ofxVec2f& a, const ofxVec2f& b);
// p lies inside r, not on its edge: what picks a zone.
bool strictlyInside(const ofRectangle& r, const ofxVec2f& p);
// 'w', 'e' and 't': the keys that draw walls of their own type.
bool isWallKey(int key);
Wall makeWall(const ofxVec2f& from, const ofxVec2f& to, const ofColor& color, int type);

// Erases the first element of list that matches; false when none does.
template <typename T, typename Match>
bool eraseFirst(std::vector<T>& list, Match match) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!match(*it)) continue;
    list.erase(it);
    return true;
  }
  return false;
}

// The first end, in list order, of a wall near p.
bool findWallEnd(const std::vector<Wall>& walls, const ofxVec2f& p, ofxVec2f& out);
// Erases the first wall with an end near p; false when there is none.
bool eraseWallAt(std::vector<Wall>& walls, const ofxVec2f& p);
// The colour of the last wall with an end near p; color unchanged without one.
void pickWallColor(const std::vector<Wall>& walls, const ofxVec2f& p, ofColor& color);

// '8', '9', '0' held raise r, g, b by 3 (lower with '-' held); all three
// stay within 0..255.
void stepColor(const InputState& current, ofColor& color);
// The hue moves on by 0.03 and starts again at 0.01 once it reaches 1.
void advanceRainbow(ofColor& color);

// Opens prompt on question; answer gets the word typed unless it is
// cancelled. Nothing is asked without a prompt or while one is open.
void askWord(Prompt* prompt, const std::string& question, Prompt::Answer answer);
// Asks for a new guid of the model current when the answer comes, which
// every reference to the model follows; status says what became of it.
void askModelGuid(Prompt* prompt, LevelData* data, StatusLine* status);

// The red ring on the wall end the mouse would snap to.
void drawSnapMark(const ofxVec2f& end);
// The colour swatch in the lower right, with "rainbow" above it when on.
void drawSwatch(const ofColor& color, bool rainbow);
// White: positionText at the top left, the tool's name at the bottom.
void drawTitle(int index, size_t count, const std::string& name);
// Where the shown level or model stands in its list ("2 of 5"); with none
// in the list, how to add one.
std::string positionText(int index, size_t count);
// The faint parameter lines from y 35 down, or "params hidden" in their place.
void drawParams(bool hidden, const std::vector<std::string>& lines);
// Black at alpha over the whole window, under a list or a note drawn on top.
void drawBackdrop(int alpha);
// The panel a question is asked on: black, outlined in the menu's colour,
// across the window from top down by height.
void drawQuestionPanel(float top, float height);

// The bitmap font's cell width in pixels.
constexpr int glyphWidth = 8;
// text in lines of at most columns characters, broken at spaces where it
// can be (a word longer than a line is cut); one line at least.
std::vector<std::string> wrapText(const std::string& text, size_t columns);

}  // namespace editor
