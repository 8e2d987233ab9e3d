#pragma once
// Reads sound files (WAV, Ogg Vorbis, FLAC and the rest libsndfile knows) as
// 16-bit PCM, whole or a block at a time. Opening reads the file's headers
// only, never the whole file.

#include <sndfile.h>

#include <string>
#include <vector>

class SoundDecoder {
 public:
  SoundDecoder() = default;
  ~SoundDecoder();
  SoundDecoder(const SoundDecoder&) = delete;
  SoundDecoder& operator=(const SoundDecoder&) = delete;

  // False (with the reason in error()) when the file cannot be decoded or has
  // more than two channels.
  bool open(const std::string& path);
  // Reads up to frames frames into out (interleaved); returns frames read.
  long read(short* out, long frames);
  // Back to the first frame.
  void rewind();
  // Every remaining frame.
  std::vector<short> readAll();

  int channels() const { return info.channels; }
  int sampleRate() const { return info.samplerate; }
  long frames() const { return static_cast<long>(info.frames); }
  const std::string& error() const { return why; }

 private:
  long readFloats(short* out, long frames);

  SNDFILE* file = nullptr;
  SF_INFO info{};
  std::string why;
  // Files coded as floats (float WAV, Vorbis, ...) are read as floats and
  // turned into 16-bit samples here, times this; 0 for the others.
  float floatScale = 0;
  std::vector<float> floats;
};
