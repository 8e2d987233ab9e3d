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
    if (std::getenv("ALSOFT_DRIVERS")) return;
    const std::string stem = "/tmp/orvane-sound-" + std::to_string(getpid());
    file = stem + ".wav";
    std::ofstream(stem + ".conf") << "[wave]\nfile = " << file << "\n";
    setenv("ALSOFT_CONF", (stem + ".conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
  }
  ~WaveOutput() {
    if (file.empty()) return;
    std::remove(file.c_str());
    std::remove((file.substr(0, file.size() - 4) + ".conf").c_str());
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

WavContents readWav(const std::string& path) {
  WavContents wav;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return wav;
  sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
  wav.samples.resize(static_cast<size_t>(info.frames) * info.channels);
  sf_readf_short(file, wav.samples.data(), info.frames);
  sf_close(file);
  wav.rate = info.samplerate;
  wav.channels = info.channels;
  const int subtype = info.format & SF_FORMAT_SUBMASK;
  const int sampleBytes = subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_S8 ? 1
                          : subtype == SF_FORMAT_PCM_16                                ? 2
                          : subtype == SF_FORMAT_PCM_24                                ? 3
                                                                                       : 4;
  wav.bytesPerFrame = static_cast<long>(sampleBytes) * info.channels;
  wav.headerBytes = fileSize(path) - static_cast<long>(info.frames) * wav.bytesPerFrame;
  return wav;
}

double WavContents::level(long from, long to, int channel) const {
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
