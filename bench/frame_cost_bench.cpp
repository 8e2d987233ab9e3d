// What one frame costs in the shipped content, measured in the real GL
// window: the application's update and draw (and the driver finishing the
// picture) on the title, in the busiest level of the campaign, in the level
// tool with its markers, with the level tool's crossing display on, and in
// play on a made-up level of 20,000 walls. Times are process CPU time, the
// driver's rendering threads included.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "shell/testApp.h"
#include "support/GlTestWindow.h"
#include "ShippedCampaign.h"

namespace {
ManualClock gameClock(1000);

// The application on the repository's own data/, set up once.
testApp& application() {
  static std::unique_ptr<testApp> app;
  if (!app) {
    std::filesystem::current_path(ORVANE_SOURCE_DIR);
    GlTestWindow::ensure();
    ofSetClock(&gameClock);
    app = std::make_unique<testApp>();
    app->setup();
  }
  return *app;
}

void frame(testApp& app) {
  gameClock.advance(16);
  app.update();
  GlTestWindow::beginFrame();
  app.draw();
  ofFlushDrawing();
  glFinish();
}

void BM_FrameTitle(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::title);
  for (auto _ : state) frame(app);
}
BENCHMARK(BM_FrameTitle)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The title taken apart: a frame that draws nothing, one that draws only the
// logo (its lines and models, as the title places it) and one that draws
// only the menu's six lines of text. On a software renderer the logo's and
// the text's costs are the renderer's, a few microseconds a line or glyph.
enum class TitlePart { nothing, logo, menuText };

void drawTitlePart(testApp& app, TitlePart part) {
  ofSetupScreen();
  if (part == TitlePart::logo) {
    ofTranslate(ofGetWidth() / 2.0f - 240, ofGetHeight() / 2.0f - 160, 0);
    app.title.logo.draw(false);
  } else if (part == TitlePart::menuText) {
    ofSetColor(255, 211, 0, 150);
    for (int line = 0; line < 6; ++line) {
      app.font.drawString(line == 3 ? "ghost h : on   calm c : off" : "start   : enter", 265,
                          215 + 20.0f * line);
    }
  }
  ofFlushDrawing();
}

void BM_TitlePart(benchmark::State& state) {
  testApp& app = application();
  const auto part = static_cast<TitlePart>(state.range(0));
  for (auto _ : state) {
    gameClock.advance(16);
    app.title.logo.update(true, false);
    GlTestWindow::beginFrame();
    drawTitlePart(app, part);
    glFinish();
  }
}
BENCHMARK(BM_TitlePart)
    ->Arg(static_cast<int>(TitlePart::nothing))
    ->Arg(static_cast<int>(TitlePart::logo))
    ->Arg(static_cast<int>(TitlePart::menuText))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_FrameBusiestLevel(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::title);
  app.editData.load("data.xml");
  app.editData.currentLevel = busiestLevel(app.editData);
  app.game.start(app.editData);
  app.enter(Screen::game);
  for (auto _ : state) {
    frame(app);
    app.game.fuel = 10;
  }
  state.counters["level"] = app.editData.currentLevel + 1;
}
BENCHMARK(BM_FrameBusiestLevel)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_FrameLevelToolWithMarkers(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::editing);
  app.editData.load("data.xml");
  app.editData.currentLevel = busiestLevel(app.editData);
  app.levelTool.clickKey = -1;
  for (auto _ : state) frame(app);
}
BENCHMARK(BM_FrameLevelToolWithMarkers)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_FrameLevelToolCrossingDisplay(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::editing);
  app.levelTool.clickKey = 'z';  // a drag with z held
  app.levelTool.clickPos = ofxVec2f(50, 60);
  app.input.moveMouse(150, 80);
  for (auto _ : state) frame(app);
  app.levelTool.clickKey = -1;
}
BENCHMARK(BM_FrameLevelToolCrossingDisplay)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// 20,000 walls laid out by arithmetic over the play area, as bench/level_bench
// makes its walls: short strokes, with the ones that run past an edge wrapped
// round into long lines across the area. Types as in the shipped campaign:
// most walls are solid, one in fifteen flickers and one in fifteen fades, all
// through the list.
Level twentyThousandWalls() {
  Level level;
  for (int i = 0; i < 20000; ++i) {
    const int type = i % 15 == 4 ? WALL_FLICKER : i % 15 == 9 ? WALL_FADE : WALL_SOLID;
    level.walls.emplace_back(static_cast<float>((i * 37) % 530), static_cast<float>((i * 53) % 370),
                             static_cast<float>((i * 37 + 11 + (i % 17) * 3) % 530),
                             static_cast<float>((i * 53 + 7 + (i % 13) * 4) % 370),
                             static_cast<float>((i * 29) % 256), static_cast<float>((i * 71) % 256),
                             static_cast<float>((i * 113) % 256), type);
  }
  return level;
}

void BM_FrameTwentyThousandWalls(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::title);
  LevelData data;
  data.levels[0] = twentyThousandWalls();
  app.game.start(data);
  app.enter(Screen::game);
  for (auto _ : state) {
    frame(app);
    app.game.fuel = 10;
  }
  state.counters["walls"] = static_cast<double>(app.game.levelData->getCurrentLevel().walls.size());
}
BENCHMARK(BM_FrameTwentyThousandWalls)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The level tool on the same 20,000 walls, zoomed four times around the
// middle of the window: a designer at work on a detail of a large level
// (target: 3 ms).
void BM_FrameLevelToolZoomedTwentyThousandWalls(benchmark::State& state) {
  testApp& app = application();
  app.enter(Screen::editing);
  app.editData = LevelData();
  app.editData.levels[0] = twentyThousandWalls();
  app.editor.history.restart(app.editData);
  app.levelTool.resetOffset();
  for (int i = 0; i < 6; ++i) app.levelTool.zoomAround(ofxVec2f(265, 185), LevelView::zoomStep);
  app.levelTool.clickKey = -1;
  for (auto _ : state) frame(app);
  state.counters["zoom"] = app.levelTool.zoom;
  state.counters["walls"] = static_cast<double>(app.editData.levels[0].walls.size());
}
BENCHMARK(BM_FrameLevelToolZoomedTwentyThousandWalls)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
// The same, timed on the program's own thread alone: the software renderer's
// rasterising threads (a graphics card's work on a real machine) left out.
BENCHMARK(BM_FrameLevelToolZoomedTwentyThousandWalls)->Name("BM_FrameLevelToolZoomedTwentyThousandWalls/own_thread")->Unit(benchmark::kMillisecond);
}  // namespace
