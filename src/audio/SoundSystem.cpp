#include "audio/SoundSystem.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

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

// Keeps streams fed and, on the silent output, consumes the mix in real time.
void serviceLoop(Device* d) {
  using clock = std::chrono::steady_clock;
  std::vector<short> scratch(2 * 4096);
  auto last = clock::now();
  while (d->running) {
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

ALCcontext* createContext(ALCdevice* device, bool silent) {
  const ALCint silentAttributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                                     ALC_FORMAT_TYPE_SOFT,     ALC_SHORT_SOFT,
                                     ALC_FREQUENCY,            silentRate,
                                     0};
  return alcCreateContext(device, silent ? silentAttributes : nullptr);
}
}  // namespace

std::mutex& lock() { return mutex; }

bool isOpen() { return current != nullptr; }

bool isSilent() { return current && current->silent; }

bool open() {
  if (current) return true;
  auto d = std::make_unique<Device>();
  if (likelyHasOutput()) d->device = alcOpenDevice(nullptr);
  if (!d->device) {
    d->device = openSilentDevice();
    d->silent = true;
    ofLog(OF_NOTICE, "no sound device: sounds play silently");
  }
  if (!d->device) {
    ofLog(OF_ERROR, "could not start the sound system");
    return false;
  }
  d->context = createContext(d->device, d->silent);
  if (!d->context || !alcMakeContextCurrent(d->context)) {
    ofLog(OF_ERROR, "could not start the sound system");
    if (d->context) alcDestroyContext(d->context);
    alcCloseDevice(d->device);
    return false;
  }
  for (Channel& c : d->channels) alGenSources(1, &c.source);
  current = d.release();
  current->running = true;
  current->service = std::thread(serviceLoop, current);
  return true;
}

void close() {
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
  if (current) alListenerf(AL_GAIN, gain);
}

void stopAll() {
  if (!current) return;
  for (Channel& c : current->channels) stopChannel(c);
}

void serviceStreams() {
  if (!current) return;
  for (Channel& c : current->channels) {
    if (!c.stream || !c.streamPlaying) continue;
    c.stream->feed(c.source);
    ALint state = AL_STOPPED, queued = 0;
    alGetSourcei(c.source, AL_SOURCE_STATE, &state);
    alGetSourcei(c.source, AL_BUFFERS_QUEUED, &queued);
    if (state == AL_PLAYING || state == AL_PAUSED || c.paused) continue;
    if (queued > 0) {
      alSourcePlay(c.source);  // it ran dry and has data again: go on
    } else if (c.stream->exhausted()) {
      c.streamPlaying = false;  // a stream without loop played to its end
    }
  }
}

Stream::Stream(std::unique_ptr<SoundDecoder> decoder)
    : file(std::move(decoder)), buffers(streamBuffers),
      block(static_cast<size_t>(streamBlockFrames) * 2) {
  alGenBuffers(streamBuffers, buffers.data());
  idle = buffers;
}

Stream::~Stream() {
  // Buffers belong to the context; once the system is closed they are gone.
  if (isOpen()) alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
}

bool Stream::decodeInto(ALuint buffer) {
  long filled = 0;
  bool rewound = false;
  while (filled < streamBlockFrames) {
    const long got = file->read(block.data() + filled * file->channels(), streamBlockFrames - filled);
    if (got > 0) {
      filled += got;
      rewound = false;
      continue;
    }
    // The end: a looping stream goes on from the start in the same buffer,
    // so the loop has no gap. A file that yields nothing even then is done.
    if (!loop || rewound) break;
    file->rewind();
    rewound = true;
  }
  if (filled == 0) {
    finished = true;
    return false;
  }
  const ALenum format = file->channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, block.data(),
               static_cast<ALsizei>(filled * file->channels() * sizeof(short)),
               file->sampleRate());
  return true;
}

void Stream::feed(ALuint source) {
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
  detach(source);
  file->rewind();
  finished = false;
  feed(source);
}

void Stream::detach(ALuint source) {
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);
  idle = buffers;
}

}  // namespace sound
