// The level tool's gestures on whole levels: selecting everything in the
// busiest level of the shipped campaign and moving it, with the undo step
// the move makes (target: 2 ms).

#include <benchmark/benchmark.h>

#include "editors/EditHistory.h"
#include "editors/Selection.h"
#include "level/LevelData.h"
#include "ShippedCampaign.h"

namespace {
void BM_SelectAllAndMoveOnTheCampaign(benchmark::State& state) {
  LevelData data = shippedCampaign();
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
