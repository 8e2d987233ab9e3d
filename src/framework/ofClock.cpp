#include "framework/ofClock.h"

#include <chrono>
#include <thread>

namespace {
class SystemClock : public ofClock {
 public:
  uint32_t ticks() override {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  // Sleeps until the tick has advanced by ms: waking on a tick boundary keeps
  // the frame limiter's whole-millisecond arithmetic from drifting a tick.
  void sleep(int ms) override {
    if (ms <= 0) return;
    using namespace std::chrono;
    const auto now = steady_clock::now();
    const auto target = time_point_cast<milliseconds>(now) + milliseconds(ms);
    std::this_thread::sleep_until(target);
  }
};

SystemClock systemClock;
ofClock* current = &systemClock;
uint32_t origin = systemClock.ticks();
}  // namespace

void ofSetClock(ofClock* clock) {
  current = clock ? clock : &systemClock;
  origin = current->ticks();
}

int ofGetElapsedTimeMillis() {
  return static_cast<int32_t>(current->ticks() - origin);
}

float ofGetElapsedTimeSeconds() {
  return static_cast<float>(static_cast<double>(ofGetElapsedTimeMillis()) / 1000.0);
}

void ofResetElapsedTimeCounter() { origin = current->ticks(); }

void ofSleepMillis(int ms) { current->sleep(ms); }

uint32_t ofGetSystemTicks() { return current->ticks(); }
