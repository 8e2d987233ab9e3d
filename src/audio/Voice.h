#pragma once
// What one channel plays, as the mixer reads it: a decoded sample or the
// blocks of a stream, at its own speed, volume and pan, added into the
// output's stereo frames. Used with the sound system's lock held.

#include <memory>

#include "audio/Pcm.h"

namespace sound {

class Stream;

class Voice {
 public:
  // Plays a sample from its first frame; the voice shares it, so a player
  // may let it go while it sounds.
  void play(std::shared_ptr<const Pcm> sample);
  // Plays whatever the stream has decoded, block after block.
  void play(Stream* stream);
  void stop();
  // A sample not yet played out, or a stream (paused or not).
  bool active() const { return sample != nullptr || stream != nullptr; }
  const Pcm* sampleData() const { return sample.get(); }
  // Where a sample is, in frames from its start.
  long position() const { return static_cast<long>(at); }
  void seek(long frame);
  // Adds the next frames frames (unless paused) to out, interleaved stereo,
  // for an output running at outputRate frames a second.
  void mixInto(float* out, int frames, int outputRate);

  float volume = 1;
  float pan = 0.5f;  // 0 left, 0.5 centre, 1 right; mono sounds only
  float speed = 1;
  bool loop = false;
  bool paused = false;

 private:
  // The block being read, nullptr when there is none (yet).
  const Pcm* block() const;
  // Moves to the block or loop round that holds the read position; false
  // when there is nothing more to read now.
  bool settle();

  std::shared_ptr<const Pcm> sample;
  Stream* stream = nullptr;
  double at = 0;  // frames into the sample or the stream's front block
};

}  // namespace sound
