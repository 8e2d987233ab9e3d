// What a level's ghost costs: recording the ship's frame and drawing the
// best pass's hull, once per frame, in the real GL window with the driver
// finishing the picture; the file a minute of flight makes, its size and
// how long it takes to write and to read back; and what a frame that sets
// a best with five minutes of flight pays now that the writer's thread
// saves it. Times are process CPU time, the driver's rendering threads
// included.

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "framework/ofGraphics.h"
#include "progress/Ghost.h"
#include "progress/RecordWriter.h"
#include "support/FlownGhost.h"
#include "support/GlTestWindow.h"
#include "ScratchUserFolder.h"

namespace {
constexpr size_t minute = 3600;  // frames
constexpr size_t fiveMinutes = 5 * minute;


// The pass being flown is recorded while the best one is drawn beside it;
// after a minute both start again, as on entering the level anew.
void BM_GhostRecordAndDrawFrame(benchmark::State& state) {
  const Ghost best = flownGhost(minute);
  Ghost recording;
  GlTestWindow::beginFrame();
  ofEnableAlphaBlending();
  size_t frame = 0;
  for (auto _ : state) {
    if (frame == minute) frame = 0, recording.clear();
    const Ghost::Frame& ship = *best.at(minute - 1 - frame);
    recording.record(ofxVec2f(ship.x, ship.y), ship.angle);
    best.draw(frame++);
    ofFlushDrawing();
    glFinish();
  }
}
BENCHMARK(BM_GhostRecordAndDrawFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_GhostRecordFrame(benchmark::State& state) {
  Ghost recording;
  size_t frame = 0;
  for (auto _ : state) {
    if (frame == minute) frame = 0, recording.clear();
    recording.record(ofxVec2f(240.5f, 160.5f), 45);
    ++frame;
  }
}
BENCHMARK(BM_GhostRecordFrame)->Unit(benchmark::kNanosecond);

void BM_GhostSaveMinute(benchmark::State& state) {
  ScratchUserFolder scratch;
  const Ghost ghost = flownGhost(minute);
  for (auto _ : state) benchmark::DoNotOptimize(ghost.save("minute"));
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(Ghost::path("minute")));
}
BENCHMARK(BM_GhostSaveMinute)->Unit(benchmark::kMillisecond);

void BM_GhostLoadMinute(benchmark::State& state) {
  ScratchUserFolder scratch;
  flownGhost(minute).save("minute");
  Ghost ghost;
  for (auto _ : state) benchmark::DoNotOptimize(ghost.load("minute"));
  state.counters["frames"] = static_cast<double>(ghost.frames());
}
BENCHMARK(BM_GhostLoadMinute)->Unit(benchmark::kMillisecond);

// The save itself, on the writer's thread: the lock, the old ghost read to
// compare bests, the new one written. Each pass is better than the last.
void BM_GhostSaveFiveMinutes(benchmark::State& state) {
  ScratchUserFolder scratch;
  Ghost ghost = flownGhost(fiveMinutes);
  float best = 1e6f;  // where a step of 1 ms still counts
  for (auto _ : state) {
    ghost.setBestMs(best -= 1);
    benchmark::DoNotOptimize(ghost.save("five"));
  }
}
BENCHMARK(BM_GhostSaveFiveMinutes)->Unit(benchmark::kMillisecond);

// What the frame that sets the best pays: the pass handed to the writer.
// The writer's work is waited for outside the timing.
void BM_GhostSaveFiveMinutesFromAFrame(benchmark::State& state) {
  ScratchUserFolder scratch;
  const Ghost flown = flownGhost(fiveMinutes);
  float best = 1e6f;  // where a step of 1 ms still counts
  for (auto _ : state) {
    state.PauseTiming();
    Ghost recording = flown;
    recording.setBestMs(best -= 1);
    state.ResumeTiming();
    postRecordJob([pass = std::move(recording)] { pass.save("five"); });
    state.PauseTiming();
    flushRecordJobs();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GhostSaveFiveMinutesFromAFrame)->Unit(benchmark::kMicrosecond);

void BM_GhostLoadFiveMinutes(benchmark::State& state) {
  ScratchUserFolder scratch;
  flownGhost(fiveMinutes).save("five");
  Ghost ghost;
  for (auto _ : state) benchmark::DoNotOptimize(ghost.load("five"));
  state.counters["frames"] = static_cast<double>(ghost.frames());
}
BENCHMARK(BM_GhostLoadFiveMinutes)->Unit(benchmark::kMillisecond);
}  // namespace
