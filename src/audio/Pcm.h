#pragma once
// Decoded sound held in memory: interleaved 16-bit frames of one or two
// channels at the rate they were recorded.

#include <vector>

struct Pcm {
  std::vector<short> samples;
  int channels = 1;
  int rate = 44100;
  long frames() const { return channels > 0 ? static_cast<long>(samples.size()) / channels : 0; }
};
