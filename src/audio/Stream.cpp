#include "audio/Stream.h"

#include <utility>

namespace sound {
namespace {
constexpr long blockFrames = 4096;  // about 0.1 s at 44.1 kHz
}

Stream::Stream(std::string path, std::string name)
    : file(std::move(path)), shownName(std::move(name)) {}

void Stream::attach(std::unique_ptr<SoundDecoder> opened) {
  decoder = std::move(opened);
  broken = !decoder;
}

void Stream::start() {
  decoder->rewind();
  head = 0;
  queued = 0;
  finished = false;
  feed();
}

bool Stream::decodeInto(Pcm& block) {
  const int channels = decoder->channels();
  block.channels = channels;
  block.rate = decoder->sampleRate();
  block.samples.resize(static_cast<size_t>(blockFrames) * channels);
  long filled = 0;
  bool rewound = false;
  while (filled < blockFrames) {
    const long got = decoder->read(block.samples.data() + filled * channels, blockFrames - filled);
    if (got > 0) {
      filled += got;
      rewound = false;
      continue;
    }
    // The end: a looping stream goes on from the start in the same block,
    // so the loop has no gap. A file that yields nothing even then is done.
    if (!loop || rewound) break;
    decoder->rewind();
    rewound = true;
  }
  block.samples.resize(static_cast<size_t>(filled) * channels);
  if (filled == 0) finished = true;
  return filled > 0;
}

void Stream::feed() {
  while (decoder && !finished && queued < blockCount) {
    if (!decodeInto(blocks[(head + queued) % blockCount])) break;
    ++queued;
  }
}

void Stream::detach() {
  decoder.reset();
  for (Pcm& block : blocks) block.samples = {};
  head = 0;
  queued = 0;
}

const Pcm* Stream::front() const { return queued > 0 ? &blocks[head] : nullptr; }

const Pcm* Stream::second() const {
  return queued > 1 ? &blocks[(head + 1) % blockCount] : nullptr;
}

void Stream::popFront() {
  if (queued == 0) return;
  head = (head + 1) % blockCount;
  --queued;
}

}  // namespace sound
