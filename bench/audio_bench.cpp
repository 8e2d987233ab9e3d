// How long the audio bank takes to get ready over a game-sized list of
// sounds, what the game's own audio set-up costs its main thread before the
// first frame, and what one frame's update costs with every channel busy.

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioBank.h"
#include "framework/ofUtils.h"

namespace {
void writeTone(const std::string& path, float seconds, float hertz) {
  SF_INFO info{};
  info.samplerate = 44100;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  std::vector<short> samples(static_cast<size_t>(seconds * 44100));
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<short>(10000 * std::sin(2 * M_PI * hertz * i / 44100));
  }
  sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

// A scratch data folder with 20 half-second effects and 4 ten-second songs.
void makeSoundFolder() {
  static bool made = false;
  if (made) return;
  made = true;
  char pattern[] = "/tmp/orvane-audio-bench-XXXXXX";
  std::filesystem::current_path(mkdtemp(pattern));
  std::filesystem::create_directory("data");
  std::ofstream xml("data/audio.xml");
  xml << "<BGM>\n";
  for (int i = 0; i < 4; ++i) {
    writeTone("data/song" + std::to_string(i) + ".wav", 10, 110 + 20 * i);
    xml << "  <bgm tag=\"song" << i << "\" path=\"song" << i << ".wav\"/>\n";
  }
  xml << "</BGM>\n<SE>\n";
  for (int i = 0; i < 20; ++i) {
    writeTone("data/effect" + std::to_string(i) + ".wav", 0.5f, 300 + 30 * i);
    xml << "  <se tag=\"effect" << i << "\" path=\"effect" << i << ".wav\"/>\n";
  }
  xml << "</SE>\n";
}

void BM_AudioBankReady(benchmark::State& state) {
  makeSoundFolder();
  for (auto _ : state) {
    AudioBank bank;
    benchmark::DoNotOptimize(bank.effects.size());
  }
}
BENCHMARK(BM_AudioBankReady)->Unit(benchmark::kMillisecond);

// The sound system started and the shipped data/audio.xml loaded, as the
// game does on its main thread before its first frame.
void BM_AudioSetUpOnTheMainThread(benchmark::State& state) {
  const std::string previous = ofGetDataPathRoot();
  ofSetDataPathRoot(std::string(ORVANE_SOURCE_DIR) + "/data/");
  for (auto _ : state) {
    state.PauseTiming();
    closeSoundSystem();
    state.ResumeTiming();
    initSoundSystem();
    auto bank = std::make_unique<AudioBank>();
    state.PauseTiming();
    state.counters["sounds"] = static_cast<double>(bank->songs.size() + bank->effects.size());
    bank.reset();
    state.ResumeTiming();
  }
  ofSetDataPathRoot(previous);
}
BENCHMARK(BM_AudioSetUpOnTheMainThread)->Unit(benchmark::kMillisecond);

void BM_AudioBankUpdateWith32Channels(benchmark::State& state) {
  makeSoundFolder();
  AudioBank bank;
  bank.playSong("song0", false);
  for (int i = 0; i < 31; ++i) bank.playEffect("effect" + std::to_string(i % 20));
  {
    std::lock_guard<std::mutex> guard(sound::lock());
    state.counters["channels playing"] = sound::playingChannels();
  }
  for (auto _ : state) {
    bank.update();
  }
}
// A fixed count keeps the run well inside the effects' half second.
BENCHMARK(BM_AudioBankUpdateWith32Channels)->Unit(benchmark::kMicrosecond)->Iterations(100000);
}  // namespace
