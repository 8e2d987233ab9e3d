// The editors' undo history on the shipped campaign (data/data.xml): one
// undo and one redo of a wall edit, and the memory that 200 steps of wall
// edits hold (counter "MB", measured from the allocator).

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>

#include "editors/EditHistory.h"
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

// One wall more in a level of the campaign, a different level each time.
void editWalls(LevelData& data, int n) {
  Level& level = data.levels[static_cast<size_t>(n) % data.levels.size()];
  const float x = static_cast<float>(n % 400);
  level.walls.push_back(Wall(x, 10, x + 20, 40, 200, 100, 50, WALL_SOLID));
}

size_t heapInUse() { return mallinfo2().uordblks; }

// The campaign with one wall edit recorded.
struct OneStep {
  OneStep() : data(campaign()) {
    history.restart(data);
    editWalls(data, 2);
    history.record(data);
  }
  LevelData data;
  EditHistory history;
};

void BM_UndoOneStep(benchmark::State& state) {
  OneStep one;
  LevelData& data = one.data;
  EditHistory& history = one.history;
  for (auto _ : state) {
    history.undo(data);
    state.PauseTiming();
    history.redo(data);
    state.ResumeTiming();
  }
  state.counters["levels"] = static_cast<double>(data.levels.size());
}
BENCHMARK(BM_UndoOneStep)->Unit(benchmark::kMillisecond);

void BM_RedoOneStep(benchmark::State& state) {
  OneStep one;
  LevelData& data = one.data;
  EditHistory& history = one.history;
  for (auto _ : state) {
    state.PauseTiming();
    history.undo(data);
    state.ResumeTiming();
    history.redo(data);
  }
}
BENCHMARK(BM_RedoOneStep)->Unit(benchmark::kMillisecond);

// What the history holds beyond the edited set itself: its copy of the set
// as of the last step and 200 steps of wall edits spread over every level.
void BM_MemoryOf200WallEdits(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) {
    LevelData data = campaign();
    const size_t before = heapInUse();
    EditHistory history;
    history.restart(data);
    const size_t withCopy = heapInUse();
    for (int n = 0; n < 200; ++n) {
      editWalls(data, n);
      history.record(data);
    }
    const size_t after = heapInUse();
    megabytes = static_cast<double>(after - before) / 1e6;
    state.counters["copy_MB"] = static_cast<double>(withCopy - before) / 1e6;
    benchmark::DoNotOptimize(history.undoCount());
  }
  state.counters["MB"] = megabytes;
}
BENCHMARK(BM_MemoryOf200WallEdits)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
