#include "audio/SoundDecoder.h"

#include <cmath>

#include "audio/OggPeakTag.h"
#include "framework/ofUtils.h"

namespace {
bool codedAsFloats(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
      return true;
    default:
      return false;
  }
}

// A float file plays at its own level (1 is full scale). An Ogg file that
// states its peak is raised to bring that peak to full scale, the level
// the game's songs were always played at (they are made to peak at -6 dBFS).
// The factor is worked out as libsndfile's peak scaling did (in floats, the
// peak a step above itself), so that the songs give the very samples they
// gave when their peak was found by decoding them.
float floatScaleFor(const std::string& path, int format) {
  const float peak = (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG ? oggPeakTag(path) : 0;
  if (peak <= 0) return 1;
  const float above = static_cast<float>((32768.0 / 32767.0) * peak);
  return static_cast<float>(1.0 / above);
}

short toShort(float sample, float scale) {
  const long v = std::lrintf(sample * scale * 32767.0f);
  return static_cast<short>(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}
}  // namespace

SoundDecoder::~SoundDecoder() {
  if (file) sf_close(file);
}

bool SoundDecoder::open(const std::string& path) {
  info = SF_INFO{};
  if (!ofIsRegularFile(path)) {
    why = "not a file";
    return false;
  }
  file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    why = sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
    why = "unsupported channel count or rate";
    sf_close(file);
    file = nullptr;
    return false;
  }
  // libsndfile reads float files as 16-bit (almost) silent, unless told to
  // scale them by their peak, which it finds by decoding the whole file.
  floatScale = codedAsFloats(info.format) ? floatScaleFor(path, info.format) : 0;
  return true;
}

long SoundDecoder::read(short* out, long frames) {
  if (!file) return 0;
  if (floatScale > 0) return readFloats(out, frames);
  return static_cast<long>(sf_readf_short(file, out, frames));
}

long SoundDecoder::readFloats(short* out, long frames) {
  floats.resize(static_cast<size_t>(frames) * info.channels);
  const long got = static_cast<long>(sf_readf_float(file, floats.data(), frames));
  for (long i = 0; i < got * info.channels; ++i) out[i] = toShort(floats[i], floatScale);
  return got;
}

void SoundDecoder::rewind() {
  if (file) sf_seek(file, 0, SEEK_SET);
}

std::vector<short> SoundDecoder::readAll() {
  std::vector<short> samples;
  if (info.frames > 0) samples.reserve(static_cast<size_t>(info.frames) * info.channels);
  short block[4096 * 2];
  const long blockFrames = 4096;
  for (long got; (got = read(block, blockFrames)) > 0;) {
    samples.insert(samples.end(), block, block + got * channels());
  }
  return samples;
}
