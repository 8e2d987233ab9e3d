#pragma once
// The one sound device of the program on OpenAL Soft: a context, 32 sources
// standing for the 32 channels, and a service thread of the layer's own that
// keeps streamed music fed whatever the frame loop is doing. Without a sound
// device, mixing still runs on a silent output. Internal to the sound layer:
// ofSoundPlayer is the interface the rest of the program uses.

#include <AL/al.h>

#include <memory>
#include <mutex>
#include <vector>

#include "audio/SoundDecoder.h"

namespace sound {

constexpr int channelCount = 32;

// A decoder feeding a queue of buffers on one source.
class Stream {
 public:
  explicit Stream(std::unique_ptr<SoundDecoder> decoder);
  ~Stream();
  // Unqueues played buffers and queues freshly decoded ones.
  void feed(ALuint source);
  // Restarts from the first frame with a full queue.
  void start(ALuint source);
  void detach(ALuint source);
  bool exhausted() const { return finished; }
  bool loop = false;
  SoundDecoder& decoder() { return *file; }

 private:
  bool decodeInto(ALuint buffer);

  std::unique_ptr<SoundDecoder> file;
  std::vector<ALuint> buffers;
  std::vector<ALuint> idle;
  std::vector<short> block;
  bool finished = false;
};

struct Channel {
  ALuint source = 0;
  unsigned generation = 0;
  Stream* stream = nullptr;    // the stream playing on this channel, if any
  bool streamPlaying = false;  // the stream has neither ended nor been stopped
  bool paused = false;
  // Plays a looping or streamed sound (music): it goes on until stopped, so
  // another sound never takes its channel.
  bool lasting = false;
  unsigned long startedSerial = 0;
};

// Names a channel as one play handed it out; a handle goes stale when the
// channel is handed to another play, and stale handles do nothing.
struct ChannelHandle {
  int index = -1;
  unsigned generation = 0;
};

// Starts the device and the service thread; call with lock() held.
bool open();
// Stops the service thread and the device; call without the lock.
void close();
// Everything below is called with lock() held.
std::mutex& lock();
bool isOpen();
bool isSilent();
// A channel for a new sound: a free one, else the one whose one-shot sound
// started longest ago. With every channel held by lasting sounds there is
// none (a stale handle), and the new sound is not heard.
ChannelHandle acquire(bool lasting);
// The channel a handle names, or nullptr when stale or closed.
Channel* channel(const ChannelHandle& handle);
// Stops what the channel plays and forgets its stream.
void stopChannel(Channel& channel);
bool isPlaying(const Channel& channel);
// Stops every channel playing the sample buffer (before it is deleted).
void stopChannelsUsing(ALuint buffer);
void setMasterGain(float gain);
// How many channels play (or are paused) now.
int playingChannels();
void stopAll();
// Feeds every playing stream (the service thread does this on its own too).
void serviceStreams();

}  // namespace sound
