#include "progress/RunJourney.h"

#include <cmath>
#include <cstdio>

#include "game/Game.h"
#include "progress/PlayerProgress.h"

std::string splitText(float seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  const long tenths = std::lround(seconds * 10);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld.%ld", tenths / 600, tenths / 10 % 60, tenths % 10);
  return text;
}

std::string splitDifference(float seconds) {
  const long tenths = std::lround(std::fabs(seconds) * 10);
  char text[32];
  std::snprintf(text, sizeof text, "%c%ld.%ld", seconds < 0 && tenths > 0 ? '-' : '+',
                tenths / 10, tenths % 10);
  return text;
}

void RunJourney::start(const Game& game) {
  const FrameReport& frame = game.report();
  runSplits.start(frame);
  passResults.assign(1, PassResult());
  playTime = frame.playTime;
  splitShownFrom = -1;
  enterLevel(runSplits.splits().back().guid);
  recording.record(frame.position, frame.heading);
}

void RunJourney::update(const Game& game) {
  const FrameReport& frame = game.report();
  if (runSplits.finished()) return;
  // Help in the frame that leaves a level counts against the level left,
  // and F held while paused helps as well: it stops the ship and fills the
  // tank then too.
  if (frame.helped) passAssisted = true;
  playTime = frame.playTime;
  if (frame.paused) return;
  const RunSplits::Step step = runSplits.observe(frame);
  passResults.resize(runSplits.splits().size());
  // A pass can end in the frame it began (a warp onto the finish): it is
  // entered and recorded before it is left.
  const size_t last = runSplits.splits().size() - 1;
  const bool lastLeftNow = !step.left.empty() && step.left.back() == last && step.entered;
  for (size_t pass : step.left) {
    if (!(lastLeftNow && pass == last)) leaveLevel(pass);
  }
  if (step.entered) {
    enterLevel(runSplits.splits().back().guid);
  } else {
    ++passFrame;
  }
  recording.record(frame.position, frame.heading);
  if (lastLeftNow) leaveLevel(last);
}

void RunJourney::enterLevel(const std::string& guid) {
  if (!progress.hasReached(guid)) {
    progress.reach(guid);
    progress.save();
  }
  recording.clear();
  replay.clear();
  if (ghostsShown) replay.load(guid);
  passFrame = 0;
  passAssisted = false;
  nameShownFrom = playTime;
}

void RunJourney::leaveLevel(size_t pass) {
  const LevelSplit& split = runSplits.splits()[pass];
  PassResult& result = passResults[pass];
  const std::optional<float> best = progress.bestTime(split.guid);
  if (best) result.bestBefore = *best / 1000;
  if (!passAssisted) result.newBest = progress.offerTime(split.guid, split.seconds * 1000);
  if (result.newBest) {
    recording.save(split.guid);
    progress.save();
  }
  lastLeft = pass;
  splitShownFrom = playTime;
}

void RunJourney::drawGhost() const {
  if (!ghostsShown || runSplits.finished()) return;
  replay.draw(passFrame);
}
