#pragma once
// A sound file decoded while it plays: a ring of a few decoded blocks that
// the service thread fills and the mixer plays one after another. Its file
// is opened by the service thread when it is first played and let go again
// when it stops, so a song costs nothing until it plays. Every call is made
// with the sound system's lock held, except the constructor and destructor.

#include <memory>
#include <string>

#include "audio/Pcm.h"
#include "audio/SoundDecoder.h"

namespace sound {

class Stream {
 public:
  // path is opened (absolute: the working folder may change before it
  // plays); name is how the log names the file.
  Stream(std::string path, std::string name);
  const std::string& path() const { return file; }
  const std::string& name() const { return shownName; }
  // Neither opened yet nor found undecodable.
  bool needsDecoder() const { return !decoder && !broken; }
  bool failed() const { return broken; }
  // Takes the decoder the service thread opened; nullptr when the file could
  // not be decoded (the stream then never plays).
  void attach(std::unique_ptr<SoundDecoder> opened);
  // Restarts from the first frame; needs a decoder.
  void start();
  // Decodes into every block the mixer has played.
  void feed();
  // Lets the decoder and the blocks go.
  void detach();
  // The block to play now, nullptr while none is decoded.
  const Pcm* front() const;
  // The block after it, nullptr while it is not decoded yet.
  const Pcm* second() const;
  // The mixer is done with the front block: it may be decoded into again.
  void popFront();
  // Decoded to its end (without loop) and played out.
  bool exhausted() const { return finished && queued == 0; }
  bool loop = false;

 private:
  static constexpr int blockCount = 4;
  bool decodeInto(Pcm& block);

  std::string file;
  std::string shownName;
  std::unique_ptr<SoundDecoder> decoder;
  bool broken = false;
  Pcm blocks[blockCount];
  int head = 0;    // the block playing
  int queued = 0;  // decoded blocks from head on
  bool finished = false;
};

}  // namespace sound
