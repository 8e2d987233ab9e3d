// Fuzzes the sound list "audio.xml". Whatever its bytes, building the game's
// sound bank from it and then playing, fading, pausing, resuming, holding and
// stopping every track and effect it names over a few hundred frames must not
// crash, hang or trip a sanitizer. The data folder holds two small real
// sounds, a.wav (mono) and b.wav (stereo), so inputs can name sounds that load.

#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzScratch.h"
#include "audio/AudioBank.h"
#include "audio/ofSoundPlayer.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"

namespace fs = std::filesystem;
using namespace fuzz;

namespace {

// The sounds every input may name; they stay in data/ from input to input.
const char* const keptFiles[] = {"a.wav", "b.wav"};

// A short 16-bit sine tone: long enough to loop and to be fed as a stream
// more than once, short enough to decode in no time.
void writeTone(const char* path, int channels, int rate, int frames) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path, SFM_WRITE, &info);
  if (!file) fail("cannot write a sound file");
  std::vector<short> samples(static_cast<size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const short value = static_cast<short>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
    for (int c = 0; c < channels; ++c) samples[static_cast<size_t>(i) * channels + c] = value;
  }
  if (sf_writef_short(file, samples.data(), frames) != frames) fail("cannot write a sound file");
  sf_close(file);
}

std::vector<std::string> songTags(const AudioBank& bank) {
  std::vector<std::string> tags;
  for (const auto& song : bank.songs) tags.push_back(song->tag);
  return tags;
}

std::vector<std::string> effectTags(const AudioBank& bank) {
  std::vector<std::string> tags;
  for (const auto& effect : bank.effects) tags.push_back(effect->tag);
  return tags;
}

void playEveryEffect(AudioBank& bank, const std::vector<std::string>& effects) {
  for (const std::string& tag : effects) bank.playEffect(tag);
}

void playEverySong(AudioBank& bank, const std::vector<std::string>& songs, bool fadeOut) {
  for (const std::string& tag : songs) bank.playSong(tag, fadeOut);
}

// What the screens do to the music on a given frame. A fade takes 334 frames
// at full volume; the steps below start, cut and pause fades half way, and
// let one run to its end.
void act(AudioBank& bank, int frame, const std::vector<std::string>& songs,
         const std::vector<std::string>& effects) {
  switch (frame) {
    case 0:
      playEverySong(bank, songs, false);
      playEveryEffect(bank, effects);
      break;
    case 15:
      playEverySong(bank, songs, true);  // the current track fades out first
      break;
    case 40:
      bank.pauseSong();  // the fade stands still while paused
      playEveryEffect(bank, effects);
      break;
    case 50:
      bank.resumeSong();
      break;
    case 55:
      bank.resumeSong();  // already playing: starts again
      break;
    case 60:
      bank.hold();
      if (!songs.empty()) bank.playSong(songs.back(), false);  // selected, not started
      bank.resumeSong();                                        // held: nothing
      break;
    case 70:
      bank.release();
      bank.resumeSong();
      break;
    case 80:
      bank.setFullVolume(0.25f);
      bank.fadeOutSong();
      break;
    case 100:
      if (!songs.empty()) bank.playSong(songs.front(), true);
      playEveryEffect(bank, effects);
      break;
    case 130:
      bank.stopSong();
      bank.resumeSong();  // nothing current: nothing happens
      bank.pauseSong();
      bank.playSong("", false);
      bank.playSong("", true);
      bank.playSong("no such track", true);
      bank.playEffect("");
      bank.playEffect("no such effect");
      break;
    case 140:
      bank.setFullVolume(2.0f);
      playEverySong(bank, songs, false);
      break;
    case 150:
      bank.hold();
      playEverySong(bank, songs, true);  // the fade ends on a held track
      break;
    case 200:
      bank.release();
      bank.resumeSong();
      bank.setFullVolume(-1.0f);
      break;
    case 210:
      bank.setFullVolume(1.0f);
      playEverySong(bank, songs, false);
      bank.pauseSong();
      bank.fadeOutSong();  // stands still until resumed
      break;
    case 220:
      bank.resumeSong();
      playEveryEffect(bank, effects);
      break;
    case 300:
      bank.stopSong();
      bank.stopSong();
      playEverySong(bank, songs, false);
      break;
    default:
      break;
  }
}

void exercise(const uint8_t* bytes, size_t size) {
  writeFile("data/audio.xml", bytes, size);
  AudioBank bank;  // a file that does not parse leaves the bank empty
  const std::vector<std::string> songs = songTags(bank);
  const std::vector<std::string> effects = effectTags(bank);
  for (int frame = 0; frame < 360; ++frame) {
    act(bank, frame, songs, effects);
    bank.update();
    fuzzClock.advance(16);
  }
  // A bank destroyed mid-fade with a track playing, as on quitting.
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // SDL's silent output: no sound card, no sound server, no file.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  enterScratchDirectory("audio_xml_fuzz");
  writeTone("data/a.wav", 1, 22050, 2205);
  writeTone("data/b.wav", 2, 44100, 6000);
  // Start the sound system now, not in the first input, and close it at exit
  // as the game's exit handler does (its service thread must not outlive it).
  initSoundSystem();
  std::atexit(closeSoundSystem);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  clearDataFolder({keptFiles[0], keptFiles[1]});
  return 0;
}
