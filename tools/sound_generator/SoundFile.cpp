#include "SoundFile.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
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

std::uint32_t little32(const unsigned char* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// Where the Ogg page starting at `at` ends; 0 when no whole page starts there.
size_t oggPageEnd(const std::vector<unsigned char>& bytes, size_t at) {
  if (bytes.size() - at < 27 || bytes[at] != 'O' || bytes[at + 1] != 'g' || bytes[at + 2] != 'g' ||
      bytes[at + 3] != 'S') {
    return 0;
  }
  const size_t segments = bytes[at + 26];
  if (bytes.size() - at < 27 + segments) return 0;
  size_t body = 0;
  for (size_t i = 0; i < segments; ++i) body += bytes[at + 27 + i];
  const size_t pageSize = 27 + segments + body;
  return bytes.size() - at < pageSize ? 0 : at + pageSize;
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
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = oggPageEnd(bytes, at);
    if (end == 0) return false;
    putLittle32(&bytes[at + 14], serial);
    putLittle32(&bytes[at + 22], 0);
    putLittle32(&bytes[at + 22], oggCrc(&bytes[at], end - at));
    at = end;
  }
  return true;
}

namespace {
// The comment header with `comment` added before its closing framing bit, or
// empty when `packet` is no Vorbis comment header.
std::vector<unsigned char> withComment(std::vector<unsigned char> packet, const std::string& comment) {
  static const unsigned char magic[] = {3, 'v', 'o', 'r', 'b', 'i', 's'};
  if (packet.size() < 16 || !std::equal(magic, magic + 7, packet.begin())) return {};
  const size_t countAt = 11 + little32(&packet[7]);  // after the vendor string
  if (countAt + 5 > packet.size()) return {};
  putLittle32(&packet[countAt], little32(&packet[countAt]) + 1);
  unsigned char length[4];
  putLittle32(length, static_cast<std::uint32_t>(comment.size()));
  auto framing = packet.end() - 1;
  framing = packet.insert(framing, length, length + 4) + 4;
  packet.insert(framing, comment.begin(), comment.end());
  return packet;
}
}  // namespace

bool addVorbisComment(std::vector<unsigned char>& bytes, const std::string& comment) {
  const size_t page = oggPageEnd(bytes, 0);
  const size_t pageEnd = page ? oggPageEnd(bytes, page) : 0;
  if (pageEnd == 0 || (bytes[page + 5] & 1)) return false;  // 1: the page goes on a packet
  const size_t segments = bytes[page + 26];
  const size_t body = page + 27 + segments;
  size_t used = 0, length = 0;
  while (used < segments && bytes[page + 27 + used] == 255) length += bytes[page + 27 + used++];
  if (used == segments) return false;  // the header goes on past this page
  length += bytes[page + 27 + used++];
  const std::vector<unsigned char> packet =
      withComment({bytes.begin() + body, bytes.begin() + body + length}, comment);
  std::vector<unsigned char> lacing(packet.size() / 255, 255);
  lacing.push_back(static_cast<unsigned char>(packet.size() % 255));
  if (packet.empty() || lacing.size() + segments - used > 255) return false;

  std::vector<unsigned char> rebuilt(bytes.begin() + page, bytes.begin() + page + 27);
  rebuilt[26] = static_cast<unsigned char>(lacing.size() + segments - used);
  rebuilt.insert(rebuilt.end(), lacing.begin(), lacing.end());
  rebuilt.insert(rebuilt.end(), bytes.begin() + page + 27 + used, bytes.begin() + body);
  rebuilt.insert(rebuilt.end(), packet.begin(), packet.end());
  rebuilt.insert(rebuilt.end(), bytes.begin() + body + length, bytes.begin() + pageEnd);
  bytes.erase(bytes.begin() + page, bytes.begin() + pageEnd);
  bytes.insert(bytes.begin() + page, rebuilt.begin(), rebuilt.end());
  return true;
}

double decodedPeak(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return -1;
  std::vector<float> block(4096 * static_cast<size_t>(info.channels));
  double loudest = 0;
  for (sf_count_t got; (got = sf_read_float(file, block.data(), static_cast<sf_count_t>(block.size()))) > 0;) {
    for (sf_count_t i = 0; i < got; ++i) loudest = std::max(loudest, std::fabs(static_cast<double>(block[i])));
  }
  sf_close(file);
  return loudest;
}

bool writeOgg(const std::string& path, const Samples& s, double quality, std::string& error) {
  SNDFILE* file = openForWriting(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, error);
  if (!file) return false;
  sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
  const sf_count_t written = sf_write_float(file, s.data(), static_cast<sf_count_t>(s.size()));
  if (!closeAfter(file, written, static_cast<sf_count_t>(s.size()), path, error)) return false;
  const double loudest = decodedPeak(path);

  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  // Nine digits give back the float sample exactly.
  char tag[64];
  std::snprintf(tag, sizeof tag, "REPLAYGAIN_TRACK_PEAK=%.9g", loudest);
  if (loudest < 0 || !addVorbisComment(bytes, tag) || !setOggSerial(bytes, 0x4F52564Eu)) {  // "ORVN"
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
