#pragma once
// The one sound device of the program, on SDL's audio output: 32 channels
// that the device's own thread mixes, and a service thread of the layer's
// own that opens, decodes and feeds streamed music whatever the frame loop
// is doing. Without a sound device, mixing still runs on a silent output.
// Internal to the sound layer: ofSoundPlayer is the interface the rest of
// the program uses.

#include <mutex>

#include "audio/Stream.h"
#include "audio/Voice.h"

namespace sound {

constexpr int channelCount = 32;

struct Channel {
  Voice voice;
  unsigned generation = 0;
  Stream* stream = nullptr;     // the stream playing on this channel, if any
  bool streamPlaying = false;   // the stream has neither ended nor been stopped
  bool streamStarting = false;  // waits for the service thread to open and start it
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
// A channel for a new sound: a free one, else the one whose one-shot sound
// started longest ago. With every channel held by lasting sounds there is
// none (a stale handle), and the new sound is not heard.
ChannelHandle acquire(bool lasting);
// The channel a handle names, or nullptr when stale or closed.
Channel* channel(const ChannelHandle& handle);
// Stops what the channel plays and forgets its stream.
void stopChannel(Channel& channel);
bool isPlaying(const Channel& channel);
// Stops every channel playing the sample (before its player lets it go).
void stopChannelsUsing(const Pcm* sample);
// Kept for a device still opening, too.
void setMasterGain(float gain);
// How many channels play (or are paused) now.
int playingChannels();
void stopAll();
// Wakes the service thread now (a stream was asked to play).
void askService();
// Starts and feeds every playing stream; the service thread calls it.
void serviceStreams();

}  // namespace sound
