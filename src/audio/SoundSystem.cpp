#include "audio/SoundSystem.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/efx.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include "framework/ofLog.h"

namespace sound {
namespace {
constexpr int streamBuffers = 4;
constexpr long streamBlockFrames = 4096;  // about 0.1 s at 44.1 kHz
constexpr int silentRate = 44100;

struct Device {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  bool silent = false;
  Channel channels[channelCount];
  unsigned long serial = 0;
  std::thread service;
  std::atomic<bool> running{false};
};

std::mutex mutex;
Device* current = nullptr;

// A sound server or a card is there to talk to; otherwise opening the
// default device only fills the console with the drivers' complaints.
bool likelyHasOutput() {
  if (std::getenv("ALSOFT_DRIVERS") || std::getenv("PULSE_SERVER")) return true;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
    for (const char* name : {"/pulse/native", "/pipewire-0"}) {
      if (std::ifstream(std::string(runtime) + name).good()) return true;
    }
  }
  std::ifstream cards("/proc/asound/cards");
  std::string line;
  return std::getline(cards, line) && line.find("no soundcards") == std::string::npos;
}

// A stream waiting on a channel for its file to be opened.
struct Waiting {
  ChannelHandle handle;
  Stream* stream;
  std::string path;
  std::unique_ptr<SoundDecoder> decoder;
};

// Opens the files of streams asked to play, outside the lock: a song's
// headers take about half a millisecond, which the frame loop should not
// wait for. A stream stopped or unloaded meanwhile is no longer on its
// channel (or the channel went to another sound), and its decoder is dropped.
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

// Keeps streams fed and, on the silent output, consumes the mix in real time.
void serviceLoop(Device* d) {
  using clock = std::chrono::steady_clock;
  std::vector<short> scratch(2 * 4096);
  auto last = clock::now();
  while (d->running) {
    openWaitingStreams(d);
    {
      std::lock_guard<std::mutex> guard(mutex);
      serviceStreams();
      if (d->silent) {
        const auto now = clock::now();
        long frames = static_cast<long>(
            std::chrono::duration<double>(now - last).count() * silentRate);
        last = now;
        while (frames > 0) {
          const long chunk = frames < 4096 ? frames : 4096;
          alcRenderSamplesSOFT(d->device, scratch.data(), static_cast<ALCsizei>(chunk));
          frames -= chunk;
        }
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

ALCdevice* openSilentDevice() {
  return alcLoopbackOpenDeviceSOFT(nullptr);
}

// No auxiliary sends: the game uses no effects (reverb and the like), and
// each of the voices OpenAL Soft sets up (256 of them) would carry their
// state, about 0.75 MB in all.
ALCcontext* createContext(ALCdevice* device, bool silent) {
  const ALCint silentAttributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                                     ALC_FORMAT_TYPE_SOFT,     ALC_SHORT_SOFT,
                                     ALC_FREQUENCY,            silentRate,
                                     ALC_MAX_AUXILIARY_SENDS,  0,
                                     0};
  const ALCint attributes[] = {ALC_MAX_AUXILIARY_SENDS, 0, 0};
  return alcCreateContext(device, silent ? silentAttributes : attributes);
}
}  // namespace

std::mutex& lock() { return mutex; }

bool isOpen() { return current != nullptr; }

bool isSilent() { return current && current->silent; }

namespace {
// The thread starting the device, joined by ready(), and what it made
// (nullptr when it failed). Never destroyed: a program may end while the
// thread still runs, and destroying a running std::thread ends the program.
struct Opening {
  std::thread thread;
  std::unique_ptr<Device> made;
};
Opening& opening = *new Opening;
float masterGain = 1;

std::unique_ptr<Device> startDevice() {
  auto d = std::make_unique<Device>();
  if (likelyHasOutput()) d->device = alcOpenDevice(nullptr);
  if (!d->device) {
    d->device = openSilentDevice();
    d->silent = true;
    ofLog(OF_NOTICE, "no sound device: sounds play silently");
  }
  if (!d->device) {
    ofLog(OF_ERROR, "could not start the sound system");
    return nullptr;
  }
  d->context = createContext(d->device, d->silent);
  if (!d->context || !alcMakeContextCurrent(d->context)) {
    ofLog(OF_ERROR, "could not start the sound system");
    if (d->context) alcDestroyContext(d->context);
    alcCloseDevice(d->device);
    return nullptr;
  }
  for (Channel& c : d->channels) alGenSources(1, &c.source);
  return d;
}
}  // namespace

void open() {
  if (current || opening.thread.joinable()) return;
  opening.thread = std::thread([] { opening.made = startDevice(); });
}

bool ready() {
  if (opening.thread.joinable()) {
    opening.thread.join();
    if (opening.made) {
      current = opening.made.release();
      alListenerf(AL_GAIN, masterGain);
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
  current->running = false;
  current->service.join();
  std::lock_guard<std::mutex> guard(mutex);
  for (Channel& c : current->channels) {
    stopChannel(c);
    alDeleteSources(1, &c.source);
  }
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(current->context);
  alcCloseDevice(current->device);
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
  c.paused = false;
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
  alSourceStop(c.source);
  if (c.stream) c.stream->detach(c.source);
  alSourcei(c.source, AL_BUFFER, 0);
  c.stream = nullptr;
  c.streamPlaying = false;
  c.streamStarting = false;
}

bool isPlaying(const Channel& c) {
  if (c.stream) return c.streamPlaying;
  ALint state = AL_STOPPED;
  alGetSourcei(c.source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING || state == AL_PAUSED;
}

void stopChannelsUsing(ALuint buffer) {
  if (!current) return;
  for (Channel& c : current->channels) {
    ALint attached = 0;
    alGetSourcei(c.source, AL_BUFFER, &attached);
    if (!c.stream && static_cast<ALuint>(attached) == buffer) stopChannel(c);
  }
}

int playingChannels() {
  int playing = 0;
  if (current) {
    for (const Channel& c : current->channels) playing += isPlaying(c) ? 1 : 0;
  }
  return playing;
}

void setMasterGain(float gain) {
  masterGain = gain;
  if (current) alListenerf(AL_GAIN, gain);
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
  c.stream->start(c.source);
  return true;
}
}  // namespace

void serviceStreams() {
  if (!current) return;
  for (Channel& c : current->channels) {
    if (!c.stream || !c.streamPlaying || !started(c)) continue;
    c.stream->feed(c.source);
    ALint state = AL_STOPPED, queued = 0;
    alGetSourcei(c.source, AL_SOURCE_STATE, &state);
    alGetSourcei(c.source, AL_BUFFERS_QUEUED, &queued);
    if (state == AL_PLAYING || state == AL_PAUSED || c.paused) continue;
    if (queued > 0) {
      alSourcePlay(c.source);  // just started, or ran dry and has data again: go on
    } else if (c.stream->exhausted()) {
      c.streamPlaying = false;  // a stream without loop played to its end
    }
  }
}

Stream::Stream(std::string path, std::string name)
    : file(std::move(path)), shownName(std::move(name)) {}

Stream::~Stream() {
  // Buffers belong to the context; once the system is closed they are gone.
  if (isOpen() && !buffers.empty()) {
    alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
  }
}

void Stream::attach(std::unique_ptr<SoundDecoder> opened) {
  decoder = std::move(opened);
  broken = !decoder;
}

bool Stream::decodeInto(ALuint buffer) {
  const int channels = decoder->channels();
  long filled = 0;
  bool rewound = false;
  while (filled < streamBlockFrames) {
    const long got = decoder->read(block.data() + filled * channels, streamBlockFrames - filled);
    if (got > 0) {
      filled += got;
      rewound = false;
      continue;
    }
    // The end: a looping stream goes on from the start in the same buffer,
    // so the loop has no gap. A file that yields nothing even then is done.
    if (!loop || rewound) break;
    decoder->rewind();
    rewound = true;
  }
  if (filled == 0) {
    finished = true;
    return false;
  }
  const ALenum format = channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, block.data(),
               static_cast<ALsizei>(filled * channels * sizeof(short)), decoder->sampleRate());
  return true;
}

void Stream::feed(ALuint source) {
  if (!decoder) return;
  ALint processed = 0;
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer;
    alSourceUnqueueBuffers(source, 1, &buffer);
    idle.push_back(buffer);
  }
  while (!idle.empty() && !finished) {
    const ALuint buffer = idle.back();
    if (!decodeInto(buffer)) break;
    idle.pop_back();
    alSourceQueueBuffers(source, 1, &buffer);
  }
}

void Stream::start(ALuint source) {
  if (buffers.empty()) {
    buffers.resize(streamBuffers);
    alGenBuffers(streamBuffers, buffers.data());
    block.resize(static_cast<size_t>(streamBlockFrames) * 2);
  }
  unqueueAll(source);
  decoder->rewind();
  finished = false;
  feed(source);
}

void Stream::unqueueAll(ALuint source) {
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);
  idle = buffers;
}

void Stream::detach(ALuint source) {
  unqueueAll(source);
  if (!buffers.empty()) alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
  buffers.clear();
  idle.clear();
  block = {};
  decoder.reset();
}

}  // namespace sound
