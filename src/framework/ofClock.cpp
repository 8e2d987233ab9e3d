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
  uint64_t microTicks() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void sleepUntilMicros(uint64_t due) override {
    using namespace std::chrono;
    std::this_thread::sleep_until(steady_clock::time_point(microseconds(due)));
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
uint64_t microOrigin = systemClock.microTicks();
}  // namespace

void ManualClock::sleepUntilMicros(uint64_t due) {
  const uint64_t at = microTicks();
  if (due <= at) return;
  const uint64_t total = micros + (due - at);
  now += static_cast<uint32_t>(total / 1000);
  micros = static_cast<uint32_t>(total % 1000);
}

void ofSetClock(ofClock* clock) {
  current = clock ? clock : &systemClock;
  ofResetElapsedTimeCounter();
}

int ofGetElapsedTimeMillis() {
  return static_cast<int32_t>(current->ticks() - origin);
}

float ofGetElapsedTimeSeconds() {
  return static_cast<float>(static_cast<double>(ofGetElapsedTimeMillis()) / 1000.0);
}

void ofResetElapsedTimeCounter() {
  origin = current->ticks();
  microOrigin = current->microTicks();
}

int64_t ofGetElapsedTimeMicros() { return static_cast<int64_t>(current->microTicks() - microOrigin); }

void ofSleepUntilMicros(int64_t due) {
  if (due <= ofGetElapsedTimeMicros()) return;
  current->sleepUntilMicros(microOrigin + static_cast<uint64_t>(due));
}

void ofSleepMillis(int ms) { current->sleep(ms); }

uint32_t ofGetSystemTicks() { return current->ticks(); }
