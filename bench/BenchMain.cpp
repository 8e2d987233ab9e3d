// The main() of every benchmark: sound goes to OpenAL Soft's null output
// (the mixing is timed, not a sound card), and the sound system is closed
// when the benchmarks are done.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "audio/ofSoundPlayer.h"

int main(int argc, char** argv) {
  if (!std::getenv("ALSOFT_DRIVERS")) setenv("ALSOFT_DRIVERS", "null", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  closeSoundSystem();
  return 0;
}
