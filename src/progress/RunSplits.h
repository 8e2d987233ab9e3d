#pragma once
// A run's time split by level: each pass from entering a level to leaving it
// by a warp or the finish, with the deaths in it. It is told once a frame
// what the game shows and infers the rest, so the game needs no hooks.

#include <string>
#include <vector>

// What the splits need to know of one frame of a run.
struct RunFrame {
  std::string level;  // the current level's guid
  int levelIndex = 0;
  float playTime = 0;  // seconds, as the run's clock shows them
  bool dying = false;
  bool finishing = false;
};

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

  // Begins a run in the frame's level.
  void start(const RunFrame& frame);
  Step observe(const RunFrame& frame);

  const std::vector<LevelSplit>& splits() const { return passes; }
  bool finished() const { return over; }

 private:
  void enter(const RunFrame& frame);
  void leave(const RunFrame& frame, Step& step);

  std::vector<LevelSplit> passes;
  int levelIndex = -1;
  bool wasDying = false;
  bool over = false;
};
