// The editors' undo history on the shipped campaign (data/data.xml): one
// undo and one redo of a wall edit, and the memory that 200 steps of wall
// edits hold (counter "MB", measured from the allocator); and on one large
// level of 20,000 walls: the memory of 200 one-wall moves (at most 64 MB
// is the aim) and the time one such move takes to record.

#include <benchmark/benchmark.h>

#include <malloc.h>


#include "editors/EditHistory.h"
#include "level/LevelData.h"
#include "ShippedCampaign.h"

namespace {
// One wall more in a level of the campaign, a different level each time.
void editWalls(LevelData& data, int n) {
  Level& level = data.levels[static_cast<size_t>(n) % data.levels.size()];
  const float x = static_cast<float>(n % 400);
  level.walls.push_back(Wall(x, 10, x + 20, 40, 200, 100, 50, WALL_SOLID));
}

size_t heapInUse() { return mallinfo2().uordblks; }

// The campaign with one wall edit recorded.
struct OneStep {
  OneStep() : data(shippedCampaign()) {
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

// What the history holds beyond the edited set itself after 200 steps made
// by edit: its copy of the set as of the last step, and the steps.
template <typename Start, typename Edit>
void measure200Steps(benchmark::State& state, Start start, Edit edit) {
  double megabytes = 0;
  for (auto _ : state) {
    LevelData data = start();
    const size_t before = heapInUse();
    EditHistory history;
    history.restart(data);
    const size_t withCopy = heapInUse();
    for (int n = 0; n < 200; ++n) {
      edit(data, n);
      history.record(data);
    }
    megabytes = static_cast<double>(heapInUse() - before) / 1e6;
    state.counters["copy_MB"] = static_cast<double>(withCopy - before) / 1e6;
    benchmark::DoNotOptimize(history.undoCount());
  }
  state.counters["MB"] = megabytes;
}

// Wall edits spread over every level of the campaign.
void BM_MemoryOf200WallEdits(benchmark::State& state) {
  measure200Steps(state, [] { return shippedCampaign(); }, editWalls);
}
BENCHMARK(BM_MemoryOf200WallEdits)->Unit(benchmark::kMillisecond)->Iterations(3);

// One level of count walls in rows, beside the usual new model.
LevelData largeLevel(int count) {
  LevelData data;
  std::vector<Wall>& walls = data.levels[0].walls;
  walls.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>(i % 200) * 30, y = static_cast<float>(i / 200) * 30;
    walls.push_back(Wall(x, y, x + 20, y + 10, 200, 100, 50, WALL_SOLID));
  }
  return data;
}

constexpr int largeWalls = 20000;

// The v drag of one wall end, a different wall each time.
void moveOneWall(LevelData& data, int n) {
  std::vector<Wall>& walls = data.levels[0].walls;
  Wall& wall = walls[static_cast<size_t>(n) * 97 % walls.size()];
  wall.x += 5;
  wall.y += 3;
}

// One-wall moves on a level of 20,000 walls: at most 64 MB is the aim.
void BM_MemoryOf200MovesOnALargeLevel(benchmark::State& state) {
  measure200Steps(state, [] { return largeLevel(largeWalls); }, moveOneWall);
}
BENCHMARK(BM_MemoryOf200MovesOnALargeLevel)->Unit(benchmark::kMillisecond)->Iterations(3);

// Recording one wall move on the large level, with a full history behind it
// (each record then also lets the oldest step go).
void BM_RecordOneMoveOnALargeLevel(benchmark::State& state) {
  LevelData data = largeLevel(largeWalls);
  EditHistory history;
  history.restart(data);
  int n = 0;
  for (; n < static_cast<int>(EditHistory::maxSteps); ++n) {
    moveOneWall(data, n);
    history.record(data);
  }
  for (auto _ : state) {
    state.PauseTiming();
    moveOneWall(data, n++);
    state.ResumeTiming();
    history.record(data);
  }
}
BENCHMARK(BM_RecordOneMoveOnALargeLevel)->Unit(benchmark::kMicrosecond);
}  // namespace
