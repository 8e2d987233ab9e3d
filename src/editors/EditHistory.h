#pragma once
// The editors' undo history: every edit of the edited level set, one step
// per gesture, taken back with Ctrl+Z and done again with Ctrl+Y, in both
// tools alike. The application owns one and calls update at the end of
// every editing frame; loading a file starts a new history.
//
// The history keeps a copy of the set as of the last step. Once no key and
// no mouse button is held, a set whose content differs from that copy
// becomes one step. A step keeps only what changed: the levels and models
// added, removed or moved, and inside a level or model changed in place,
// the part of each of its lists that changed and its settings, so that a
// long history of small edits on a large level stays small.

#include <deque>
#include <string>
#include <vector>

#include "framework/InputState.h"
#include "level/LevelData.h"

class EditHistory {
 public:
  // Steps kept; the oldest goes when one more is recorded.
  static constexpr size_t maxSteps = 200;

  // Ctrl+Z undoes, Ctrl+Y redoes; then, unless a gesture is still going on,
  // what changed since the last step is recorded. The first call starts the
  // history on data as it is.
  void update(const InputState& current, const InputState& previous, LevelData& data);
  // A new history on data as it is now: nothing to undo or redo.
  void restart(const LevelData& data);
  // After a load: a new history when the load replaced the content, the
  // same one when it failed and left the content as it was.
  void loaded(const LevelData& data);
  // What changed since the last step becomes a step of its own, and the
  // steps that could be redone are dropped; false when nothing changed.
  bool record(const LevelData& data);
  // Takes back the last step (an edit not yet recorded first becomes one);
  // the changed level or model becomes the current one. False when there is
  // nothing to undo.
  bool undo(LevelData& data);
  // Does the last undone step again; false when there is none.
  bool redo(LevelData& data);

  size_t undoCount() const { return undoSteps.size(); }
  size_t redoCount() const { return redoSteps.size(); }
  // The steps in the order they were made: the undoCount() done ones,
  // oldest first, then the redoCount() undone ones, the next redo first.
  // The content stands just after step undoCount() - 1.
  size_t stepCount() const { return undoSteps.size() + redoSteps.size(); }
  // What step i did, in the game's terms ("level 3: 1 wall added"); empty
  // past the last step.
  const std::string& description(size_t i) const;

  // Part of a list that one step replaces: the count items from at on are
  // what the list holds now; applying the splice puts items in their place
  // and keeps the ones it took out, so that applying it again reverses it.
  template <typename T>
  struct Splice {
    size_t at = 0;
    size_t count = 0;
    std::vector<T> items;
    bool changed = false;
  };
  // A level changed in place: a splice of each of its lists, and its
  // settings (guid, gravity, friction) in a level without walls or the rest;
  // applying it swaps those with the level's.
  struct LevelEdit {
    size_t index = 0;
    Level settings{Level::Blank{}};
    bool settingsChanged = false;
    Splice<Wall> walls;
    Splice<Warp> warps;
    Splice<Receiver> receivers;
    Splice<ModelRef> modelRefs;
    Splice<GravityPoint> gravityPoints;
  };
  // A model changed in place: a splice of its frames and its settings.
  struct ModelEdit {
    size_t index = 0;
    Model settings{Model::Blank{}};
    bool settingsChanged = false;
    Splice<ModelFrame> frames;
  };
  // Each list of the set is either spliced whole (levels or models added,
  // removed or moved) or edited inside its items, never both.
  struct Step {
    Splice<Level> levels;
    std::vector<LevelEdit> levelEdits;
    Splice<Model> models;
    std::vector<ModelEdit> modelEdits;
    std::string description;
  };

 private:
  // Moves the last step of from onto to, applying it to data.
  bool replay(std::deque<Step>& from, std::deque<Step>& to, LevelData& data);
  void apply(Step& step, LevelData& data);

  bool started = false;
  LevelData shadow{LevelData::Empty{}};  // the content as of the last step
  std::deque<Step> undoSteps;
  std::deque<Step> redoSteps;
};

// A key or a mouse button is held (or a key was tapped since the last frame):
// an edit may still be under way.
bool gestureHeld(const InputState& current);
