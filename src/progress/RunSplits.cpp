#include "progress/RunSplits.h"

void RunSplits::start(const RunFrame& frame) {
  *this = RunSplits();
  enter(frame);
}

void RunSplits::enter(const RunFrame& frame) {
  LevelSplit pass;
  pass.guid = frame.level;
  pass.enteredAt = frame.playTime;
  passes.push_back(pass);
  levelIndex = frame.levelIndex;
}

void RunSplits::leave(const RunFrame& frame, Step& step) {
  LevelSplit& pass = passes.back();
  pass.seconds = frame.playTime - pass.enteredAt;
  pass.done = true;
  step.left.push_back(passes.size() - 1);
}

RunSplits::Step RunSplits::observe(const RunFrame& frame) {
  Step step;
  if (over || passes.empty()) return step;
  if (frame.dying && !wasDying) {
    ++passes.back().deaths;
    step.died = true;
  }
  if (frame.levelIndex != levelIndex) {
    // The ship changes level when it dies only on coming back to life, in
    // the frame after the last dying one.
    if (!wasDying) leave(frame, step);
    enter(frame);
    step.entered = true;
  }
  if (frame.finishing) {
    leave(frame, step);
    over = true;
  }
  wasDying = frame.dying;
  return step;
}
