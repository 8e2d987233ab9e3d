// What a player's record of many levels costs: loading progress.xml (done
// before the first frame), marking a level reached and offering a time (done
// in a frame of a run), and saving it (done off the frame, but merged with
// the file on disk each time). A real record holds a few dozen levels; the
// large ones show how the cost grows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "level/LevelData.h"
#include "progress/PlayerProgress.h"
#include "ScratchUserFolder.h"

namespace {

std::string guidOf(int64_t n) { return "level-" + std::to_string(n * 7919 % 1000003); }

// A record of n levels, every other one with a best.
PlayerProgress recordOf(int64_t n) {
  PlayerProgress progress;
  for (int64_t i = 0; i < n; ++i) {
    if (i % 2) {
      progress.offerTime(guidOf(i), 1000.0f + static_cast<float>(i));
    } else {
      progress.reach(guidOf(i));
    }
  }
  return progress;
}

void BM_ProgressLoad(benchmark::State& state) {
  ScratchUserFolder scratch;
  recordOf(state.range(0)).save();
  PlayerProgress progress;
  for (auto _ : state) benchmark::DoNotOptimize(progress.load());
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(PlayerProgress::path()));
}
BENCHMARK(BM_ProgressLoad)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A level reached and a time offered on a record of n levels, as a frame
// that enters a level and leaves another does.
void BM_ProgressReachAndOffer(benchmark::State& state) {
  PlayerProgress progress = recordOf(state.range(0));
  int64_t i = 0;
  for (auto _ : state) {
    progress.reach(guidOf(i));
    benchmark::DoNotOptimize(progress.offerTime(guidOf(i + 1), 500.0f));
    i = (i + 4999) % (state.range(0) - 1);  // all over the record
  }
}
BENCHMARK(BM_ProgressReachAndOffer)->Arg(20000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The practice list's levels of a set of 16 among a record of n.
void BM_ProgressReachedIn(benchmark::State& state) {
  const PlayerProgress progress = recordOf(state.range(0));
  LevelData data{LevelData::Empty{}};
  for (int64_t i = 0; i < 16; ++i) {
    data.levels.emplace_back(Level::Blank{});
    data.levels.back().guid = guidOf(i * 3);
  }
  for (auto _ : state) benchmark::DoNotOptimize(progress.reachedIn(data));
}
BENCHMARK(BM_ProgressReachedIn)->Arg(20000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ProgressSave(benchmark::State& state) {
  ScratchUserFolder scratch;
  const PlayerProgress progress = recordOf(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(progress.save());
}
BENCHMARK(BM_ProgressSave)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
}  // namespace
