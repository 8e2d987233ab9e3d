#include "progress/RunJourney.h"

#include <cmath>
#include <cstdio>

#include "framework/ofClock.h"
#include "game/Game.h"
#include "progress/PlayerProgress.h"

namespace {
RunFrame frameOf(const Game& game) {
  RunFrame frame;
  frame.level = game.levelData->getCurrentLevel().guid;
  frame.levelIndex = game.levelData->currentLevel;
  frame.playTime = game.playTime;
  frame.dying = game.dying;
  frame.finishing = game.finishing;
  return frame;
}
}  // namespace

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
  runSplits.start(frameOf(game));
  passResults.assign(1, PassResult());
  leftAtMs = -1;
  enterLevel(runSplits.splits().back().guid);
  recording.record(game.pos, game.angle);
}

void RunJourney::update(const Game& game, bool assisted) {
  if (game.paused || runSplits.finished()) return;
  // Help in the frame that leaves a level counts against the level left.
  if (assisted) passAssisted = true;
  const RunSplits::Step step = runSplits.observe(frameOf(game));
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
  recording.record(game.pos, game.angle);
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
  enteredAtMs = ofGetElapsedTimeMillis();
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
  leftAtMs = ofGetElapsedTimeMillis();
}

void RunJourney::drawGhost() const {
  if (!ghostsShown || runSplits.finished()) return;
  replay.draw(passFrame);
}
