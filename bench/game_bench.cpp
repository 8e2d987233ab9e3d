// Headless game steps on a crowded level: how many frames of flight,
// zones and collisions the game can run per second.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "game/Game.h"

namespace {
// 5,000 short walls scattered over the play area, 20 solid models of a few
// walls each placed 200 times in all, and 20 gravity points.
LevelData crowdedLevel() {
  ofSeedRandom(1u);
  LevelData data;
  Level& level = data.levels[0];
  level.guid = "crowd";
  for (int i = 0; i < 5000; ++i) {
    const float x = ofRandom(0, 480), y = ofRandom(0, 320);
    level.walls.emplace_back(x, y, x + ofRandom(-8, 8), y + ofRandom(-8, 8), 0, 200, 0, 'w');
  }
  data.models.clear();
  for (int m = 0; m < 20; ++m) {
    Model model;
    model.guid = "rock" + std::to_string(m);
    for (int w = 0; w < 6; ++w) {
      model.frames[0].walls.emplace_back(-5 + w, -5, 5 - w, 5, 200, 100, 0, 'w');
    }
    data.models.push_back(model);
  }
  for (int r = 0; r < 200; ++r) {
    ModelRef ref;
    ref.guid = "rock" + std::to_string(r % 20);
    ref.pos = ofxVec2f(ofRandom(0, 480), ofRandom(0, 320));
    level.modelRefs.push_back(ref);
  }
  for (int g = 0; g < 20; ++g) level.gravityPoints.emplace_back(ofRandom(0, 480), ofRandom(0, 320));
  return data;
}

void BM_GameUpdateThrusting(benchmark::State& state) {
  ManualClock clock(1000);
  ofSetClock(&clock);
  ofHeadlessWindow window;
  ofSetupOpenGL(&window, 530, 370, 0);
  auto game = std::make_unique<Game>();
  game->start(crowdedLevel());
  InputState current, previous;
  current.reset();
  current.keyUp = true;
  current.keyRight = true;
  previous = current;
  for (auto _ : state) {
    clock.advance(16);
    benchmark::DoNotOptimize(game->update(current, previous));
    game->fuel = 10;  // keep thrusting at full power
  }
  state.SetItemsProcessed(state.iterations());
  game.reset();
  ofSetClock(nullptr);
}
BENCHMARK(BM_GameUpdateThrusting)->Unit(benchmark::kMicrosecond);
}  // namespace
