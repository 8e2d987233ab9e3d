// The level tool's gestures on whole levels: selecting everything in the
// busiest level of the shipped campaign and moving it, with the undo step
// the move makes (target: 2 ms).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "editors/EditHistory.h"
#include "editors/Selection.h"
#include "level/LevelData.h"

namespace {
const LevelData& campaign() {
  static LevelData data{LevelData::Empty{}};
  static bool loaded = false;
  if (!loaded) {
    std::filesystem::current_path(ORVANE_SOURCE_DIR);
    loaded = data.load("data.xml");
  }
  return data;
}

int busiestLevel(const LevelData& data) {
  int best = 0;
  size_t most = 0;
  for (size_t l = 0; l < data.levels.size(); ++l) {
    const Level& level = data.levels[l];
    const size_t things = level.walls.size() + level.warps.size() + level.modelRefs.size();
    if (things > most) most = things, best = static_cast<int>(l);
  }
  return best;
}

void BM_SelectAllAndMoveOnTheCampaign(benchmark::State& state) {
  LevelData data = campaign();
  data.currentLevel = busiestLevel(data);
  EditHistory history;
  history.restart(data);
  Selection selection;
  for (auto _ : state) {
    Level& level = data.getCurrentLevel();
    selection.selectAll(level);
    selection.moveBy(level, ofxVec2f(3, -2));
    history.record(data);
  }
  state.counters["walls"] = static_cast<double>(data.getCurrentLevel().walls.size());
  state.counters["selected"] = static_cast<double>(selection.count());
}
BENCHMARK(BM_SelectAllAndMoveOnTheCampaign)->Unit(benchmark::kMillisecond);
}  // namespace
