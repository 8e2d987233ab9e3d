// What a level's ghost costs: recording the ship's frame and drawing the
// best pass's hull, once per frame, in the real GL window with the driver
// finishing the picture; and the file a minute of flight makes, its size
// and how long it takes to write and to read back. Times are process CPU
// time, the driver's rendering threads included.

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "framework/ofGraphics.h"
#include "progress/Ghost.h"
#include "support/FlownGhost.h"
#include "support/GlTestWindow.h"
#include "support/ScopedEnvironment.h"

namespace {
constexpr size_t minute = 3600;  // frames

// The per-user folder in a temporary folder for the life of the object.
struct ScratchUserFolder {
  std::string folder = [] {
    char pattern[] = "/tmp/orvane-bench-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  ScopedEnvironment xdg{"XDG_DATA_HOME", folder};
  ~ScratchUserFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

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
}  // namespace
