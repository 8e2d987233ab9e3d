#include "audio/SoundSystem.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "audio/SoundServer.h"
#include "framework/SdlStartLock.h"
#include "framework/ofFile.h"
#include "framework/ofLog.h"

namespace sound {
namespace {
constexpr int outputRate = 44100;
constexpr int outputFrames = 1024;  // a mix every 23 ms

struct Device {
  SDL_AudioDeviceID device = 0;
  int rate = outputRate;
  Channel channels[channelCount];
  std::vector<float> mix;
  unsigned long serial = 0;
  std::thread service;
  bool running = false;
  bool serviceAsked = false;
};

std::mutex mutex;
std::condition_variable serviceWake;
Device* current = nullptr;
float masterGain = 1;

// A sound server or a card is there to talk to; otherwise opening the
// default device only fills the console with the drivers' complaints.
bool likelyHasOutput() {
  if (std::getenv("SDL_AUDIODRIVER") || std::getenv("PULSE_SERVER")) return true;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
    if (soundServerListening(runtime)) return true;
  }
  const ofFileRead cards = ofReadFile("/proc/asound/cards");
  const std::string line = cards.bytes.substr(0, cards.bytes.find('\n'));
  return !line.empty() && line.find("no soundcards") == std::string::npos;
}

// The device's thread asks for the next frames: every channel mixed, the
// master gain applied, rounded to 16 bits.
void mixOutput(void* user, Uint8* bytes, int length) {
  auto* d = static_cast<Device*>(user);
  auto* out = reinterpret_cast<Sint16*>(bytes);
  const int frames = length / static_cast<int>(2 * sizeof(Sint16));
  std::lock_guard<std::mutex> guard(mutex);
  d->mix.assign(static_cast<size_t>(frames) * 2, 0.0f);
  for (Channel& c : d->channels) c.voice.mixInto(d->mix.data(), frames, d->rate);
  const float scale = std::max(0.0f, masterGain) * 32768.0f;
  for (size_t i = 0; i < d->mix.size(); ++i) {
    const float v = std::clamp(d->mix[i] * scale, -32768.0f, 32767.0f);
    out[i] = static_cast<Sint16>(v + (v < 0 ? -0.5f : 0.5f));  // rounded half away from zero
  }
}

// Opens the output of an audio driver (nullptr: the one SDL picks) and
// starts it; false when there is none.
bool openOutput(Device& d, const char* driver) {
  if (SDL_AudioInit(driver) != 0) return false;
  SDL_AudioSpec want{}, have{};
  want.freq = outputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = outputFrames;
  want.callback = mixOutput;
  want.userdata = &d;
  // SDL converts to whatever the hardware takes.
  d.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (d.device == 0) {
    SDL_AudioQuit();
    return false;
  }
  d.rate = have.freq;
  d.mix.reserve(static_cast<size_t>(have.samples) * 2);
  SDL_PauseAudioDevice(d.device, 0);
  return true;
}

// A stream waiting on a channel for its file to be opened.
struct Waiting {
  ChannelHandle handle;
  Stream* stream;
  std::string path;
  std::unique_ptr<SoundDecoder> decoder;
};

// Opens the files of streams asked to play, outside the lock: a song's
// headers take about half a millisecond, which the frame loop and the mixer
// should not wait for. A stream stopped or unloaded meanwhile is no longer on
// its channel (or the channel went to another sound), and its decoder is
// dropped.
void openWaitingStreams(Device* d) {
  std::vector<Waiting> waiting;
  {
    std::lock_guard<std::mutex> guard(mutex);
    for (int i = 0; i < channelCount; ++i) {
      const Channel& c = d->channels[i];
      if (c.stream && c.streamStarting && c.stream->needsDecoder()) {
        waiting.push_back({{i, c.generation}, c.stream, c.stream->path(), nullptr});
      }
    }
  }
  if (waiting.empty()) return;
  for (Waiting& w : waiting) {
    w.decoder = std::make_unique<SoundDecoder>();
    if (!w.decoder->open(w.path)) w.decoder.reset();
  }
  std::lock_guard<std::mutex> guard(mutex);
  for (Waiting& w : waiting) {
    const Channel* c = channel(w.handle);
    if (!c || c->stream != w.stream || !w.stream->needsDecoder()) continue;
    if (!w.decoder) {
      ofLog(OF_ERROR, "ofSoundPlayer: Could not load sound file %s", w.stream->name().c_str());
    }
    w.stream->attach(std::move(w.decoder));
  }
}

// Wakes when a stream is asked to play, else often enough to keep the
// streams' blocks (0.37 s of sound each) filled: every wake of a thread costs
// the whole process CPU time, a frame's worth every few wakes.
// Decoding runs ahead of the sound by a third of a second, so it can wait
// for the frame loop and the renderer, which cannot wait for it: the thread
// runs at a lower priority (a failure to lower it changes nothing else).
void serviceLoop(Device* d) {
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
  std::unique_lock<std::mutex> guard(mutex);
  while (d->running) {
    d->serviceAsked = false;
    guard.unlock();
    openWaitingStreams(d);
    guard.lock();
    serviceStreams();
    serviceWake.wait_for(guard, std::chrono::milliseconds(50),
                         [d] { return d->serviceAsked || !d->running; });
  }
}

// The thread starting the device, joined by ready(), and what it made
// (nullptr when it failed). Never destroyed: a program may end while the
// thread still runs, and destroying a running std::thread ends the program.
struct Opening {
  std::thread thread;
  std::unique_ptr<Device> made;
};
Opening& opening = *new Opening;

std::unique_ptr<Device> startDevice() {
  auto d = std::make_unique<Device>();
  std::lock_guard<std::mutex> guard(sdlStartLock());
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Orvane");
  if (likelyHasOutput() && openOutput(*d, nullptr)) return d;
  if (openOutput(*d, "dummy")) {
    ofLog(OF_NOTICE, "no sound device: sounds play silently");
    return d;
  }
  ofLog(OF_ERROR, "could not start the sound system: %s", SDL_GetError());
  return nullptr;
}
}  // namespace

std::mutex& lock() { return mutex; }

bool isOpen() { return current != nullptr; }

void open() {
  if (current || opening.thread.joinable()) return;
  opening.thread = std::thread([] {
    opening.made = startDevice();
    // SDL keeps an error message per thread, and frees it only for threads
    // of its own.
    SDL_TLSCleanup();
  });
}

bool ready() {
  if (opening.thread.joinable()) {
    opening.thread.join();
    if (opening.made) {
      current = opening.made.release();
      current->running = true;
      current->service = std::thread(serviceLoop, current);
    }
  }
  return current != nullptr;
}

void close() {
  {
    std::lock_guard<std::mutex> guard(mutex);
    ready();
  }
  if (!current) return;
  {
    std::lock_guard<std::mutex> guard(mutex);
    current->running = false;
  }
  serviceWake.notify_one();
  current->service.join();
  // Without the lock: closing waits for the device's thread, which may be
  // waiting for the lock to mix.
  {
    std::lock_guard<std::mutex> sdl(sdlStartLock());
    SDL_CloseAudioDevice(current->device);
    SDL_AudioQuit();
  }
  std::lock_guard<std::mutex> guard(mutex);
  stopAll();
  delete current;
  current = nullptr;
}

namespace {
// The first free channel, else the oldest one-shot one, else -1. Music
// lasts, so taking the oldest channel of all would usually cut off the song.
int channelToTake(const Device& d) {
  for (int i = 0; i < channelCount; ++i) {
    if (!isPlaying(d.channels[i])) return i;
  }
  int oldest = -1;
  for (int i = 0; i < channelCount; ++i) {
    const Channel& c = d.channels[i];
    if (c.lasting) continue;
    if (oldest < 0 || c.startedSerial < d.channels[oldest].startedSerial) oldest = i;
  }
  return oldest;
}
}  // namespace

ChannelHandle acquire(bool lasting) {
  if (!current) return {};
  const int chosen = channelToTake(*current);
  if (chosen < 0) return {};
  Channel& c = current->channels[chosen];
  stopChannel(c);
  c.generation += 1;
  c.voice.paused = false;
  c.lasting = lasting;
  c.startedSerial = ++current->serial;
  return ChannelHandle{chosen, c.generation};
}

Channel* channel(const ChannelHandle& handle) {
  if (!current || handle.index < 0 || handle.index >= channelCount) return nullptr;
  Channel& c = current->channels[handle.index];
  return c.generation == handle.generation ? &c : nullptr;
}

void stopChannel(Channel& c) {
  c.voice.stop();
  if (c.stream) c.stream->detach();
  c.stream = nullptr;
  c.streamPlaying = false;
  c.streamStarting = false;
}

bool isPlaying(const Channel& c) { return c.stream ? c.streamPlaying : c.voice.active(); }

void stopChannelsUsing(const Pcm* sample) {
  if (!current) return;
  for (Channel& c : current->channels) {
    if (!c.stream && c.voice.sampleData() == sample) stopChannel(c);
  }
}

int playingChannels() {
  int playing = 0;
  if (current) {
    for (const Channel& c : current->channels) playing += isPlaying(c) ? 1 : 0;
  }
  return playing;
}

void setMasterGain(float gain) { masterGain = gain; }

void askService() {
  if (!current) return;
  current->serviceAsked = true;
  serviceWake.notify_one();
}

void stopAll() {
  if (!current) return;
  for (Channel& c : current->channels) stopChannel(c);
}

namespace {
// A stream asked to play starts once the service thread has opened it;
// false while it waits, or when its file could not be decoded.
bool started(Channel& c) {
  if (!c.streamStarting) return true;
  if (c.stream->needsDecoder()) return false;
  c.streamStarting = false;
  if (c.stream->failed()) {
    c.streamPlaying = false;
    return false;
  }
  c.stream->start();
  c.voice.play(c.stream);
  return true;
}
}  // namespace

void serviceStreams() {
  if (!current) return;
  for (Channel& c : current->channels) {
    if (!c.stream || !c.streamPlaying || !started(c)) continue;
    c.stream->feed();
    if (c.stream->exhausted()) c.streamPlaying = false;  // a stream without loop played to its end
  }
}

}  // namespace sound
