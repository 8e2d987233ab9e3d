#include "progress/RunJourney.h"

#include <cmath>
#include <cstdio>
#include <mutex>

#include "game/Game.h"
#include "progress/PlayerProgress.h"
#include "progress/RecordWriter.h"

struct RunJourney::GhostRead {
  std::mutex lock;
  unsigned long long which = 0;  // 0: nothing waiting to be taken
  Ghost ghost;
};

RunJourney::RunJourney(PlayerProgress& progress, const bool& ghostsShown)
    : ghostRead(std::make_shared<GhostRead>()), progress(progress), ghostsShown(ghostsShown) {}

RunJourney::~RunJourney() { flushRecordJobs(); }

void RunJourney::flush() {
  flushRecordJobs();
  takeGhostRead();
}

// The writer gets a copy of the record: the frames go on changing it.
void RunJourney::saveProgress() {
  postRecordJob([record = progress] { record.save(); });
}

void RunJourney::readGhost(const std::string& guid) {
  const unsigned long long which = ghostWanted;
  postRecordJob([read = ghostRead, guid, which] {
    Ghost ghost;
    ghost.load(guid);
    std::lock_guard<std::mutex> hold(read->lock);
    read->which = which;
    read->ghost = std::move(ghost);
  });
}

void RunJourney::takeGhostRead() {
  std::lock_guard<std::mutex> hold(ghostRead->lock);
  if (ghostRead->which == 0) return;
  if (ghostRead->which == ghostWanted) replay = std::move(ghostRead->ghost);
  ghostRead->which = 0;
  ghostRead->ghost.clear();
}

std::string splitText(float seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  const long tenths = std::lround(seconds * 10);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld.%ld", tenths / 600, tenths / 10 % 60, tenths % 10);
  return text;
}

std::string splitDifference(float seconds, std::optional<float> best) {
  if (!best) return "first run";
  const float difference = seconds - *best;
  const long hundredths = std::isfinite(difference) ? std::lround(std::fabs(difference) * 100) : 0;
  char text[40];
  std::snprintf(text, sizeof text, "%c%ld.%02ld s", difference < 0 && hundredths > 0 ? '-' : '+',
                hundredths / 100, hundredths % 100);
  return text;
}

void RunJourney::start(const Game& game) {
  const FrameReport& frame = game.report();
  runSplits.start(frame);
  passResults.assign(1, PassResult());
  bestsAtStart.clear();
  playTime = frame.playTime;
  splitShownFrom = -1;
  enterLevel(runSplits.splits().back().guid);
  recording.record(frame.position, frame.heading);
}

void RunJourney::update(const Game& game) {
  const FrameReport& frame = game.report();
  if (runSplits.finished()) return;
  takeGhostRead();
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
    saveProgress();
  }
  // A best set earlier in this run is no best the run began with.
  const auto atStart = bestsAtStart.try_emplace(guid, progress.bestTime(guid)).first;
  if (atStart->second) passResults.back().bestBeforeRun = *atStart->second / 1000;
  recording.clear();
  replay.clear();
  ++ghostWanted;  // a read still on its way is for a level left
  if (ghostsShown) readGhost(guid);
  passFrame = 0;
  passAssisted = false;
  nameShownFrom = playTime;
}

void RunJourney::leaveLevel(size_t pass) {
  const LevelSplit& split = runSplits.splits()[pass];
  PassResult& result = passResults[pass];
  const std::optional<float> best = progress.bestTime(split.guid);
  if (best) result.bestBefore = *best / 1000;
  const float ms = split.seconds * 1000;
  if (!passAssisted) result.newBest = progress.offerTime(split.guid, ms);
  if (result.newBest) {
    // The pass is over: the recording goes to the writer as it is.
    recording.setBestMs(ms);
    postRecordJob([pass = std::move(recording), guid = split.guid] { pass.save(guid); });
    recording.clear();
    saveProgress();
  }
  lastLeft = pass;
  splitShownFrom = playTime;
}

void RunJourney::drawGhost() const {
  if (!ghostsShown || runSplits.finished()) return;
  replay.draw(passFrame);
}
