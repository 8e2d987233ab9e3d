#include "NoviceTrials.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

Attempt flyAttempt(Harness& h, const Snapshot& start, unsigned seed, const NoviceProfile& profile,
                   float limitSeconds, AttemptLog* log) {
  h.restore(start);
  Game& game = h.run();
  const int level = game.levelData->currentLevel;
  Novice novice(courseOf(game), profile, seed);
  Attempt result;
  const int first = h.frame;
  // Play time stands still only while paused, which a novice never is; the
  // frame count is a second guard.
  const int frameLimit = static_cast<int>(limitSeconds / 0.016f) + 100;
  bool wasDying = false;
  while (true) {
    if (game.finishing || game.levelData->currentLevel != level) {
      result.finished = true;
      break;
    }
    if (game.playTime >= limitSeconds || h.frame - first >= frameLimit) break;
    novice.see(perceive(game, h.frame));
    const Keys keys = novice.act(h.frame);
    if (log) {
      log->keys.push_back(keys);
      log->frames.push_back(h.frame);
    }
    h.step(keys);
    if (game.dying && !wasDying) ++result.deaths;
    wasDying = game.dying;
  }
  result.frames = h.frame - first;
  result.seconds = game.playTime;
  return result;
}

bool startLevel(Harness& h, const std::vector<std::string>& guids, size_t index) {
  if (index == 0) {
    h.startRun();
  } else if (!h.startAt(guids[index])) {
    return false;
  }
  return h.game().playing() && h.run().levelData->currentLevel == static_cast<int>(index);
}

std::vector<std::string> campaignLevels(const std::string& dataFile) {
  // A relative name would be looked for under the data folder.
  LevelData data{LevelData::Empty{}};
  if (!data.load(std::filesystem::absolute(dataFile).string())) return {};
  std::vector<std::string> guids;
  for (const Level& level : data.levels) guids.push_back(level.guid);
  return guids;
}

LevelTrials trialLevel(const std::string& dataFile, const std::vector<std::string>& guids, size_t index,
                       int attempts, const NoviceProfile& profile, float limitSeconds) {
  LevelTrials trials;
  trials.number = index + 1;
  trials.guid = guids[index];
  Harness h(dataFile);
  trials.started = startLevel(h, guids, index);
  if (!trials.started) return trials;
  // Without a route a novice would only hover until the time runs out.
  trials.routed = !routeOf(h.run().levelData->getCurrentLevel()).empty();
  if (!trials.routed) return trials;
  const Snapshot start = h.save();
  for (int a = 0; a < attempts; ++a) {
    const unsigned seed = static_cast<unsigned>(1000 * trials.number + a);
    trials.attempts.push_back(flyAttempt(h, start, seed, profile, limitSeconds));
  }
  return trials;
}

namespace {
// The middle value; the mean of the two middle ones for an even count.
float median(std::vector<float> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
}  // namespace

void printTable(std::FILE* out, const std::vector<LevelTrials>& levels) {
  std::fprintf(out, "| # | Level | Finishes | Median deaths | Median time (s) |\n");
  std::fprintf(out, "|---|---|---|---|---|\n");
  for (const LevelTrials& level : levels) {
    if (!level.started || !level.routed || level.attempts.empty()) {
      const char* why = !level.started ? "could not start" : !level.routed ? "no route" : "no attempts";
      std::fprintf(out, "| %zu | %s | %s | | |\n", level.number, level.guid.c_str(), why);
      continue;
    }
    std::vector<float> deaths, times;
    for (const Attempt& a : level.attempts) {
      deaths.push_back(static_cast<float>(a.deaths));
      if (a.finished) times.push_back(a.seconds);
    }
    const size_t n = level.attempts.size();
    const int percent = static_cast<int>(std::lround(100.0 * times.size() / n));
    std::fprintf(out, "| %zu | %s | %d%% (%zu/%zu) | %g | ", level.number, level.guid.c_str(), percent,
                 times.size(), n, median(deaths));
    if (times.empty()) {
      std::fprintf(out, "– |\n");
    } else {
      std::fprintf(out, "%.1f |\n", median(times));
    }
  }
}
