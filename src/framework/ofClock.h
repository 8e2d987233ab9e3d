#pragma once
// The millisecond clock every timer in the program reads, and the sleep the
// frame limiter uses. Tests and the playthrough install a ManualClock instead
// of the system clock, so that time only moves when they say so.

#include <cstdint>

class ofClock {
 public:
  virtual ~ofClock() = default;
  // A free-running millisecond tick; it may wrap.
  virtual uint32_t ticks() = 0;
  virtual void sleep(int ms) = 0;
  // The same time in microseconds, for the frame limiter's deadlines.
  virtual uint64_t microTicks() = 0;
  // Sleeps until microTicks() reaches the given value (at once if it has).
  virtual void sleepUntilMicros(uint64_t due) = 0;
};

// A clock that stands still until advanced; sleeping advances it.
class ManualClock : public ofClock {
 public:
  explicit ManualClock(uint32_t start = 0) : now(start) {}
  uint32_t ticks() override { return now; }
  void sleep(int ms) override { if (ms > 0) now += static_cast<uint32_t>(ms); }
  uint64_t microTicks() override { return now * uint64_t{1000} + micros; }
  void sleepUntilMicros(uint64_t due) override;
  void advance(int ms) { sleep(ms); }
  void advanceMicros(uint64_t us) { sleepUntilMicros(microTicks() + us); }
  uint32_t now;
  // The part of a millisecond past now, 0..999.
  uint32_t micros = 0;
};

// Replaces the clock (nullptr restores the system clock). The caller keeps
// ownership and must reset it before the clock dies.
void ofSetClock(ofClock* clock);

// Milliseconds since the time origin, as a signed 32-bit difference.
int ofGetElapsedTimeMillis();
// Microseconds since the time origin (no wrapping).
int64_t ofGetElapsedTimeMicros();
// Sleeps the calling thread (or advances a manual clock) until the given
// microsecond since the time origin.
void ofSleepUntilMicros(int64_t due);
// Seconds since the time origin, single precision.
float ofGetElapsedTimeSeconds();
// The time origin becomes now.
void ofResetElapsedTimeCounter();
// Sleeps the calling thread (or advances a manual clock) by ms milliseconds.
void ofSleepMillis(int ms);
// The raw tick of the current clock (used to seed the random generator).
uint32_t ofGetSystemTicks();
