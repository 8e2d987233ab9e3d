#include "SoundFile.h"

#include <sndfile.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace synth {

std::vector<short> toPcm16(const Samples& s) {
  std::vector<short> out(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const long v = std::lround(static_cast<double>(s[i]) * 32767);
    out[i] = static_cast<short>(v > 32767 ? 32767 : v < -32767 ? -32767 : v);
  }
  return out;
}

namespace {
SNDFILE* openForWriting(const std::string& path, int format, std::string& error) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = format;
  if (!sf_format_check(&info)) {
    error = "libsndfile cannot write this format for " + path;
    return nullptr;
  }
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) error = "cannot write " + path + ": " + sf_strerror(nullptr);
  return file;
}

bool closeAfter(SNDFILE* file, sf_count_t written, sf_count_t wanted, const std::string& path,
                std::string& error) {
  const int closed = sf_close(file);
  if (written != wanted || closed != 0) {
    error = "could not write all of " + path;
    return false;
  }
  return true;
}

// The Ogg page checksum: CRC-32 with polynomial 0x04C11DB7, unreflected,
// starting from zero.
std::uint32_t oggCrc(const unsigned char* data, size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t r = i << 24;
      for (int b = 0; b < 8; ++b) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
      t[i] = r;
    }
    return t;
  }();
  std::uint32_t crc = 0;
  for (size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xFF];
  return crc;
}

void putLittle32(unsigned char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}
}  // namespace

bool writeWav(const std::string& path, const Samples& s, std::string& error) {
  SNDFILE* file = openForWriting(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, error);
  if (!file) return false;
  const std::vector<short> pcm = toPcm16(s);
  const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
  return closeAfter(file, written, static_cast<sf_count_t>(pcm.size()), path, error);
}

bool setOggSerial(std::vector<unsigned char>& bytes, unsigned serial) {
  size_t at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 27 || bytes[at] != 'O' || bytes[at + 1] != 'g' || bytes[at + 2] != 'g' ||
        bytes[at + 3] != 'S') {
      return false;
    }
    const size_t segments = bytes[at + 26];
    if (bytes.size() - at < 27 + segments) return false;
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += bytes[at + 27 + i];
    const size_t pageSize = 27 + segments + body;
    if (bytes.size() - at < pageSize) return false;
    putLittle32(&bytes[at + 14], serial);
    putLittle32(&bytes[at + 22], 0);
    putLittle32(&bytes[at + 22], oggCrc(&bytes[at], pageSize));
    at += pageSize;
  }
  return true;
}

bool writeOgg(const std::string& path, const Samples& s, double quality, std::string& error) {
  SNDFILE* file = openForWriting(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, error);
  if (!file) return false;
  sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
  const sf_count_t written = sf_write_float(file, s.data(), static_cast<sf_count_t>(s.size()));
  if (!closeAfter(file, written, static_cast<sf_count_t>(s.size()), path, error)) return false;

  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  if (!setOggSerial(bytes, 0x4F52564Eu)) {  // "ORVN"
    error = path + " is not a well-formed Ogg file";
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    error = "cannot rewrite " + path;
    return false;
  }
  return true;
}

Samples readSound(const std::string& path, int* rate) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<float> frames(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  Samples out(static_cast<size_t>(got));
  for (size_t i = 0; i < out.size(); ++i) out[i] = frames[i * info.channels];
  if (rate) *rate = info.samplerate;
  return out;
}

}  // namespace synth
