// In a sanitizer build, looks for leaks when the tests are done but before
// the process exits: the GL driver is unloaded at exit, and its allocations
// could then no longer be told apart from the game's own.

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

#include "audio/ofSoundPlayer.h"

namespace {
struct LeakCheckBeforeExit : testing::Environment {
  void TearDown() override {
    closeSoundSystem();  // one thread fewer for the leak tracer to stop
    __lsan_do_leak_check();
  }
};
testing::Environment* const leakCheck = testing::AddGlobalTestEnvironment(new LeakCheckBeforeExit);
}  // namespace
#endif
