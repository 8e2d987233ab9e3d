#include "support/SoundFixtures.h"

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "audio/ofSoundPlayer.h"

namespace {
// Chooses the sound output before anything starts the sound system.
struct WaveOutput {
  std::string file;
  WaveOutput() {
    if (std::getenv("SDL_AUDIODRIVER")) return;
    file = "/tmp/orvane-sound-" + std::to_string(getpid()) + ".raw";
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
  }
  ~WaveOutput() {
    if (!file.empty()) std::remove(file.c_str());
  }
};
WaveOutput waveOutput;

// Closes the sound system when the tests are done, as the game's exit
// handler does, so the driver finishes its file and reports no open device.
struct CloseSoundAtTheEnd : testing::Environment {
  void TearDown() override { closeSoundSystem(); }
};
testing::Environment* const closeSound = testing::AddGlobalTestEnvironment(new CloseSoundAtTheEnd);
}  // namespace

const std::string& soundOutputFile() { return waveOutput.file; }

void writeTone(const std::string& path, float seconds, float hertz, float amplitude, int rate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return;
  const int frames = static_cast<int>(seconds * rate);
  std::vector<short> samples(frames);
  for (int i = 0; i < frames; ++i) {
    samples[i] = static_cast<short>(32767 * amplitude * std::sin(2 * M_PI * hertz * i / rate));
  }
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
}

HeardSound readSoundOutput(const std::string& path) {
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_RAW | SF_FORMAT_PCM_16;
  HeardSound heard;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return heard;
  heard.samples.resize(static_cast<size_t>(info.frames) * info.channels);
  sf_readf_short(file, heard.samples.data(), info.frames);
  sf_close(file);
  heard.rate = info.samplerate;
  heard.channels = info.channels;
  heard.bytesPerFrame = static_cast<long>(sizeof(short)) * info.channels;
  return heard;
}

double HeardSound::level(long from, long to, int channel) const {
  const size_t begin = static_cast<size_t>(std::max(0L, from)) * channels;
  const size_t end = std::min(samples.size(), static_cast<size_t>(std::max(0L, to)) * channels);
  if (begin >= end) return -1;
  double sum = 0;
  size_t count = 0;
  for (size_t i = begin; i < end; ++i) {
    if (channel >= 0 && static_cast<int>(i % channels) != channel) continue;
    sum += static_cast<double>(samples[i]) * samples[i];
    ++count;
  }
  return std::sqrt(sum / static_cast<double>(count)) / 32768.0;
}

long fileSize(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
}
