// Level-set benchmarks: loading and saving a large level file, and one
// update plus one draw of its biggest level in a real GL window.
//
// The level set is generated once: 10 levels of 1,000 walls and 50 model
// references each (10,000 walls, 500 references), 20 models of 4 frames of
// 5 walls, and a few zones, receivers and gravity points per level for the
// editor markers. Generation is deterministic (fixed seed, arithmetic
// patterns). Files are written to a scratch folder made once and removed at
// the end; the GL window is opened only when a drawing case runs.
//
// This program's own operator new and delete keep a count of the bytes they
// hold, so that a case can report the most the heap held at once (TinyXML's
// nodes, its strings and the level data are all allocated through them).

#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"
#include "level/LevelData.h"
#include "support/GlTestWindow.h"

namespace heap {
// Bytes held through operator new, and the most held since the last reset.
// The GL driver's threads allocate too, hence atomics.
std::atomic<size_t> held{0};
std::atomic<size_t> peak{0};

void* take(size_t size, size_t alignment) {
  if (size == 0) size = 1;
  // aligned_alloc wants a size that is a multiple of the alignment.
  void* p = alignment > alignof(std::max_align_t)
                ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                : std::malloc(size);
  if (!p) return nullptr;
  const size_t bytes = malloc_usable_size(p);
  const size_t now = held.fetch_add(bytes, std::memory_order_relaxed) + bytes;
  size_t top = peak.load(std::memory_order_relaxed);
  while (now > top && !peak.compare_exchange_weak(top, now, std::memory_order_relaxed)) {
  }
  return p;
}

void give(void* p) {
  if (!p) return;
  held.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}

void* takeOrThrow(size_t size, size_t alignment) {
  void* p = take(size, alignment);
  if (!p) throw std::bad_alloc();
  return p;
}

// Starts a new peak from what is held now; returns that.
size_t resetPeak() {
  const size_t now = held.load(std::memory_order_relaxed);
  peak.store(now, std::memory_order_relaxed);
  return now;
}
}  // namespace heap

void* operator new(size_t size) { return heap::takeOrThrow(size, 0); }
void* operator new[](size_t size) { return heap::takeOrThrow(size, 0); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return heap::take(size, 0); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return heap::take(size, 0); }
void* operator new(size_t size, std::align_val_t a) {
  return heap::takeOrThrow(size, static_cast<size_t>(a));
}
void* operator new[](size_t size, std::align_val_t a) {
  return heap::takeOrThrow(size, static_cast<size_t>(a));
}
void* operator new(size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return heap::take(size, static_cast<size_t>(a));
}
void* operator new[](size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return heap::take(size, static_cast<size_t>(a));
}
void operator delete(void* p) noexcept { heap::give(p); }
void operator delete[](void* p) noexcept { heap::give(p); }
void operator delete(void* p, size_t) noexcept { heap::give(p); }
void operator delete[](void* p, size_t) noexcept { heap::give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { heap::give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { heap::give(p); }
void operator delete(void* p, std::align_val_t) noexcept { heap::give(p); }
void operator delete[](void* p, std::align_val_t) noexcept { heap::give(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { heap::give(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { heap::give(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { heap::give(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  heap::give(p);
}

namespace {

constexpr int kLevels = 10;
constexpr int kWallsPerLevel = 1000;
constexpr int kRefsPerLevel = 50;
constexpr int kModels = 20;
constexpr int kFramesPerModel = 4;
constexpr int kWallsPerFrame = 5;
constexpr int kMarkersPerLevel = 4;  // zones, receivers and gravity points each

const int kWallTypes[] = {WALL_SOLID, WALL_SOLID, WALL_FLICKER, WALL_FADE};

Wall makeWall(int i, float spanX, float spanY) {
  const float x1 = static_cast<float>((i * 37) % static_cast<int>(spanX));
  const float y1 = static_cast<float>((i * 53) % static_cast<int>(spanY));
  const float x2 = static_cast<float>((i * 37 + 11 + (i % 17) * 3) % static_cast<int>(spanX));
  const float y2 = static_cast<float>((i * 53 + 7 + (i % 13) * 4) % static_cast<int>(spanY));
  return Wall(x1, y1, x2, y2, static_cast<float>((i * 29) % 256),
              static_cast<float>((i * 71) % 256), static_cast<float>((i * 113) % 256),
              kWallTypes[i % 4]);
}

LevelData makeLevelSet() {
  ofSeedRandom(1u);
  LevelData data{LevelData::Empty{}};
  for (int m = 0; m < kModels; ++m) {
    Model model{Model::Blank{}};
    model.guid = "model" + ofToString(1000 + m);
    model.animSpeed = 50 + 10 * m;
    model.solid = m % 3 != 0;
    model.playOnce = m % 5 == 0;
    for (int f = 0; f < kFramesPerModel; ++f) {
      ModelFrame frame;
      for (int w = 0; w < kWallsPerFrame; ++w) {
        frame.walls.push_back(makeWall(m * 100 + f * 10 + w, 40, 40));
      }
      model.frames.push_back(frame);
    }
    data.models.push_back(model);
  }
  for (int l = 0; l < kLevels; ++l) {
    Level level{Level::Blank{}};
    level.guid = "level" + ofToString(1000 + l);
    level.gravity = l % 2 == 0;
    level.friction = l % 3 != 0;
    for (int w = 0; w < kWallsPerLevel; ++w) {
      level.walls.push_back(makeWall(l * kWallsPerLevel + w, 530, 370));
    }
    for (int r = 0; r < kRefsPerLevel; ++r) {
      ModelRef ref;
      ref.guid = data.models[(l * 7 + r) % kModels].guid;
      ref.pos = ofxVec2f(static_cast<float>((r * 47) % 490), static_cast<float>((r * 31) % 330));
      ref.warpOnEndAnimation = r % 4 == 0;
      if (ref.warpOnEndAnimation) {
        ref.level = "level" + ofToString(1000 + (l + 1) % kLevels);
        ref.id = "r" + ofToString(r % kMarkersPerLevel);
      }
      level.modelRefs.push_back(ref);
    }
    for (int k = 0; k < kMarkersPerLevel; ++k) {
      const std::string id = "r" + ofToString(k);
      level.warps.push_back(Warp{ofRectangle(static_cast<float>(20 + 120 * k), 10, 60, 40),
                                 "level" + ofToString(1000 + (l + k + 1) % kLevels), id,
                                 k % 2 == 0 ? "left" : "right"});
      level.receivers.push_back(
          Receiver{ofxVec2f(static_cast<float>(40 + 120 * k), 300), id});
      level.gravityPoints.emplace_back(static_cast<float>(60 + 110 * k), 180);
    }
    data.levels.push_back(level);
  }
  return data;
}

int wallCount(const LevelData& data) {
  int count = 0;
  for (const Level& level : data.levels) count += static_cast<int>(level.walls.size());
  return count;
}

int refCount(const LevelData& data) {
  int count = 0;
  for (const Level& level : data.levels) count += static_cast<int>(level.modelRefs.size());
  return count;
}

long fileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

// The scratch folder (the working directory from then on) with a saved copy
// of the generated set in data/data.xml.
struct Scratch {
  std::string folder;
  LevelData generated{LevelData::Empty{}};
  long savedBytes = 0;

  Scratch() {
    char pattern[] = "/tmp/orvane-level-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    folder = pattern;
    if (chdir(folder.c_str()) != 0 || mkdir("data", 0755) != 0) {
      std::perror(folder.c_str());
      std::exit(1);
    }
    generated = makeLevelSet();
    writeGenerated();
    savedBytes = fileSize("data/data.xml");
  }

  // data/data.xml holds the generated set again (the shipped-data
  // benchmarks save theirs in the same folder).
  void writeGenerated() const {
    LevelData writer = generated;
    if (!writer.save()) {
      std::fprintf(stderr, "could not write the level set in %s\n", folder.c_str());
      std::exit(1);
    }
    std::remove(("data/save_" + ofToString(writer.saveCount) + ".xml").c_str());
  }

  ~Scratch() {
    if (chdir("/") != 0) return;
    const std::string command = "rm -rf '" + folder + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "could not remove %s\n", folder.c_str());
    }
  }
};

Scratch& scratch() {
  static Scratch instance;
  return instance;
}

void ensureWindow() { GlTestWindow::ensure(); }

void BM_LoadLevelSet(benchmark::State& state) {
  Scratch& s = scratch();
  s.writeGenerated();
  LevelData data{LevelData::Empty{}};
  for (auto _ : state) {
    if (!data.load("data.xml")) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(data.levels.data());
  }
  if (wallCount(data) != wallCount(s.generated) || refCount(data) != refCount(s.generated)) {
    state.SkipWithError("the loaded set differs from the saved one");
  }
  state.SetItemsProcessed(state.iterations() * wallCount(s.generated));
  state.SetBytesProcessed(state.iterations() * s.savedBytes);
  state.counters["walls"] = wallCount(s.generated);
  state.counters["refs"] = refCount(s.generated);
  state.counters["file_KiB"] = static_cast<double>(s.savedBytes) / 1024.0;
}

// Saves data over and over; the numbered copies are removed untimed.
void timeSaves(benchmark::State& state, LevelData& data) {
  for (auto _ : state) {
    if (!data.save()) {
      state.SkipWithError("save failed");
      break;
    }
    state.PauseTiming();
    std::remove(("data/save_" + ofToString(data.saveCount) + ".xml").c_str());
    state.ResumeTiming();
  }
}

void BM_SaveLevelSet(benchmark::State& state) {
  Scratch& s = scratch();
  LevelData data = s.generated;
  timeSaves(state, data);
  // Each save writes the whole set twice: the numbered copy and data.xml.
  state.SetItemsProcessed(state.iterations() * wallCount(s.generated));
  state.SetBytesProcessed(state.iterations() * 2 * fileSize("data/data.xml"));
  state.counters["walls"] = wallCount(s.generated);
  state.counters["refs"] = refCount(s.generated);
  state.counters["file_KiB"] = static_cast<double>(fileSize("data/data.xml")) / 1024.0;
}

// One frame: clear, screen set-up, update(true, false), draw, flush, glFinish.
void drawFrame(LevelData& data, bool showMarkers) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ofSetupScreen();
  data.update(true, false);
  data.draw(showMarkers);
  ofFlushDrawing();
  glFinish();
}

void updateAndDraw(benchmark::State& state, bool showMarkers) {
  Scratch& s = scratch();
  ensureWindow();
  LevelData data = s.generated;
  size_t biggest = 0;
  for (size_t l = 1; l < data.levels.size(); ++l) {
    if (data.levels[l].walls.size() > data.levels[biggest].walls.size()) biggest = l;
  }
  data.currentLevel = static_cast<int>(biggest);
  data.resetAnimations();
  const Level& level = data.levels[biggest];
  // The first frames of a fresh context also build the driver's pipelines.
  for (int i = 0; i < 5; ++i) drawFrame(data, showMarkers);
  for (auto _ : state) drawFrame(data, showMarkers);
  if (glGetError() != GL_NO_ERROR) state.SkipWithError("GL reported an error");
  int modelWalls = 0;
  for (const ModelRef& ref : level.modelRefs) {
    for (const Model& model : data.models) {
      if (model.guid == ref.guid) modelWalls += static_cast<int>(model.currentWalls().size());
    }
  }
  state.SetItemsProcessed(state.iterations() *
                          static_cast<int64_t>(level.walls.size() + modelWalls));
  state.counters["walls"] = static_cast<double>(level.walls.size());
  state.counters["refs"] = static_cast<double>(level.modelRefs.size());
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_UpdateAndDrawLevel(benchmark::State& state) { updateAndDraw(state, false); }
void BM_UpdateAndDrawLevelWithMarkers(benchmark::State& state) { updateAndDraw(state, true); }

// The campaign the game ships, loaded and saved as the game and the editor do.
void BM_LoadShippedData(benchmark::State& state) {
  scratch();
  const std::string shipped = std::string(ORVANE_SOURCE_DIR) + "/data/data.xml";
  LevelData data{LevelData::Empty{}};
  for (auto _ : state) {
    if (!data.load(shipped)) {
      state.SkipWithError("the shipped data.xml does not load");
      break;
    }
  }
  state.counters["levels"] = static_cast<double>(data.levels.size());
}

// The most the heap holds at once while the shipped campaign loads, above
// what it held before; and what the loaded data itself keeps.
void BM_LoadShippedDataPeakHeap(benchmark::State& state) {
  scratch();
  const std::string shipped = std::string(ORVANE_SOURCE_DIR) + "/data/data.xml";
  size_t peak = 0;
  size_t kept = 0;
  for (auto _ : state) {
    LevelData data{LevelData::Empty{}};
    const size_t before = heap::resetPeak();
    if (!data.load(shipped)) {
      state.SkipWithError("the shipped data.xml does not load");
      break;
    }
    peak = heap::peak.load() - before;
    kept = heap::held.load() - before;
  }
  state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
  state.counters["kept_KiB"] = static_cast<double>(kept) / 1024.0;
}

void BM_SaveShippedData(benchmark::State& state) {
  scratch();
  LevelData data{LevelData::Empty{}};
  data.load(std::string(ORVANE_SOURCE_DIR) + "/data/data.xml");
  timeSaves(state, data);
}

BENCHMARK(BM_LoadShippedData)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadShippedDataPeakHeap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveShippedData)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadLevelSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveLevelSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UpdateAndDrawLevel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UpdateAndDrawLevelWithMarkers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
