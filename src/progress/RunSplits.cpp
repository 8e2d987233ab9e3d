#include "progress/RunSplits.h"

void RunSplits::start(const FrameReport& frame) {
  *this = RunSplits();
  enter(frame);
}

void RunSplits::enter(const FrameReport& frame) {
  LevelSplit pass;
  pass.guid = frame.levelGuid;
  pass.enteredAt = frame.playTime;
  passes.push_back(pass);
}

void RunSplits::leave(const FrameReport& frame, Step& step) {
  LevelSplit& pass = passes.back();
  pass.seconds = frame.playTime - pass.enteredAt;
  pass.done = true;
  step.left.push_back(passes.size() - 1);
}

RunSplits::Step RunSplits::observe(const FrameReport& frame) {
  Step step;
  if (over || passes.empty()) return step;
  if (frame.died) {
    ++passes.back().deaths;
    step.died = true;
  }
  if (frame.enteredLevel) {
    // Only a warp leaves a level; coming back to life in another level's
    // checkpoint abandons the pass without a time for it.
    if (frame.warped) leave(frame, step);
    enter(frame);
    step.entered = true;
  }
  if (frame.finished) {
    leave(frame, step);
    over = true;
  }
  return step;
}
