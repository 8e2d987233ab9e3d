// The main() of every benchmark: sound goes to SDL's silent output
// (the mixing is timed, not a sound card), a player's records and settings
// to a folder of the run's own (never those of whoever runs it), and the
// sound system is closed when the benchmarks are done.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/ofSoundPlayer.h"

int main(int argc, char** argv) {
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  char pattern[] = "/tmp/orvane-bench-home-XXXXXX";
  const std::string home = mkdtemp(pattern) ? pattern : "";
  if (!home.empty()) {
    setenv("XDG_DATA_HOME", (home + "/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  closeSoundSystem();
  std::error_code ignored;
  if (!home.empty()) std::filesystem::remove_all(home, ignored);
  return 0;
}
