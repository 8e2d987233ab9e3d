#pragma once
// A run's time split by level: each pass from entering a level to leaving it
// by a warp or the finish, with the deaths in it, read from the game's
// report of each frame.

#include <string>
#include <vector>

#include "game/FrameReport.h"

struct LevelSplit {
  std::string guid;
  float enteredAt = 0;
  float seconds = 0;  // from entering to leaving; 0 while still in it
  int deaths = 0;
  // Left by a warp or the finish. A pass left by dying and coming back in
  // another level's checkpoint is not a time for the level.
  bool done = false;
};

class RunSplits {
 public:
  // What the frame just told changed.
  struct Step {
    std::vector<size_t> left;  // the passes that ended now, by a warp or the finish
    bool entered = false;      // the last pass was begun
    bool died = false;
  };

  // Begins a run in the level the report shows.
  void start(const FrameReport& frame);
  // The next frame of the run, paused or not.
  Step observe(const FrameReport& frame);

  const std::vector<LevelSplit>& splits() const { return passes; }
  bool finished() const { return over; }

 private:
  void enter(const FrameReport& frame);
  void leave(const FrameReport& frame, Step& step);

  std::vector<LevelSplit> passes;
  bool over = false;
};
