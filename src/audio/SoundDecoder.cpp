#include "audio/SoundDecoder.h"

#include "framework/ofUtils.h"

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
  // Without this, float files read as 16-bit come out (almost) silent.
  sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
  if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
    why = "unsupported channel count or rate";
    sf_close(file);
    file = nullptr;
    return false;
  }
  return true;
}

long SoundDecoder::read(short* out, long frames) {
  return file ? static_cast<long>(sf_readf_short(file, out, frames)) : 0;
}

void SoundDecoder::rewind() {
  if (file) sf_seek(file, 0, SEEK_SET);
}

std::vector<short> SoundDecoder::readAll() {
  std::vector<short> samples;
  short block[4096 * 2];
  const long blockFrames = 4096;
  for (long got; (got = read(block, blockFrames)) > 0;) {
    samples.insert(samples.end(), block, block + got * channels());
  }
  return samples;
}
