#pragma once
// The one sound device of the program on OpenAL Soft: a context, 32 sources
// standing for the 32 channels, and a service thread of the layer's own that
// opens, decodes and feeds streamed music whatever the frame loop is doing.
// Without a sound device, mixing still runs on a silent output. Internal to
// the sound layer: ofSoundPlayer is the interface the rest of the program uses.

#include <AL/al.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audio/SoundDecoder.h"

namespace sound {

constexpr int channelCount = 32;

// A sound file decoded while it plays, feeding a queue of buffers on one
// source. Its file is opened by the service thread when it is first played
// and let go again when it stops, so a song costs nothing until it plays.
class Stream {
 public:
  // path is opened (absolute: the working folder may change before it
  // plays); name is how the log names the file.
  Stream(std::string path, std::string name);
  ~Stream();
  const std::string& path() const { return file; }
  const std::string& name() const { return shownName; }
  // Neither opened yet nor found undecodable.
  bool needsDecoder() const { return !decoder && !broken; }
  bool failed() const { return broken; }
  // Takes the decoder the service thread opened; nullptr when the file could
  // not be decoded (the stream then never plays).
  void attach(std::unique_ptr<SoundDecoder> opened);
  // Unqueues played buffers and queues freshly decoded ones.
  void feed(ALuint source);
  // Restarts from the first frame with a full queue; needs a decoder.
  void start(ALuint source);
  // Stops the source and lets the decoder and the buffers go.
  void detach(ALuint source);
  bool exhausted() const { return finished; }
  bool loop = false;

 private:
  bool decodeInto(ALuint buffer);
  void unqueueAll(ALuint source);

  std::string file;
  std::string shownName;
  std::unique_ptr<SoundDecoder> decoder;
  bool broken = false;
  std::vector<ALuint> buffers;
  std::vector<ALuint> idle;
  std::vector<short> block;
  bool finished = false;
};

struct Channel {
  ALuint source = 0;
  unsigned generation = 0;
  Stream* stream = nullptr;     // the stream playing on this channel, if any
  bool streamPlaying = false;   // the stream has neither ended nor been stopped
  bool streamStarting = false;  // waits for the service thread to open and start it
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

// Starts the device on a thread of its own, unless it is open or opening:
// finding and starting a sound device takes milliseconds that the frame
// loop need not wait for. Call with lock() held.
void open();
// Waits for the device open() started and starts the service thread; true
// when the device is there. Call with lock() held, before anything that
// needs the device.
bool ready();
// Stops the service thread and the device; call without the lock.
void close();
// Everything below is called with lock() held.
std::mutex& lock();
// The device is there (ready() has seen it open).
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
// Kept for a device still opening, too.
void setMasterGain(float gain);
// How many channels play (or are paused) now.
int playingChannels();
void stopAll();
// Starts and feeds every playing stream; the service thread calls it.
void serviceStreams();

}  // namespace sound
