#include "audio/OggPeakTag.h"

#include <strings.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {
constexpr char peakName[] = "REPLAYGAIN_TRACK_PEAK=";
constexpr size_t peakNameLength = sizeof peakName - 1;

std::uint32_t little32(const std::string& bytes, size_t at) {
  const auto byte = [&](size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
  };
  return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

// Reads an Ogg page header and its lacing values; false when none is there
// or the page carries on a packet begun on the page before.
bool readPageHeader(std::istream& in, std::vector<unsigned char>& lacing) {
  unsigned char header[27];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  if (header[0] != 'O' || header[1] != 'g' || header[2] != 'g' || header[3] != 'S' ||
      (header[5] & 1)) {
    return false;
  }
  lacing.resize(header[26]);
  return static_cast<bool>(
      in.read(reinterpret_cast<char*>(lacing.data()), static_cast<std::streamsize>(lacing.size())));
}

// The first packet of a page whose header was just read; empty when it goes
// on past the page (a comment header that large holds pictures, not a peak).
std::string firstPacket(std::istream& in, const std::vector<unsigned char>& lacing) {
  size_t length = 0;
  for (unsigned char value : lacing) {
    length += value;
    if (value < 255) {
      std::string packet(length, '\0');
      return in.read(packet.data(), static_cast<std::streamsize>(length)) ? packet : std::string();
    }
  }
  return {};
}

// The peak among the comments of a Vorbis comment header, else 0.
float peakIn(const std::string& packet) {
  if (packet.compare(0, 7, "\x03vorbis") != 0 || packet.size() < 15) return 0;
  size_t at = 11 + little32(packet, 7);  // past the vendor string
  if (at > packet.size() - 4) return 0;
  std::uint32_t count = little32(packet, at);
  at += 4;
  for (; count > 0 && at <= packet.size() - 4; --count) {
    const size_t length = little32(packet, at);
    at += 4;
    if (length > packet.size() - at) return 0;
    const char* comment = packet.data() + at;
    at += length;
    // Comment names are compared without case.
    if (length <= peakNameLength || strncasecmp(comment, peakName, peakNameLength) != 0) continue;
    float peak = 0;
    const auto [end, error] = std::from_chars(comment + peakNameLength, comment + length, peak);
    const bool usable =
        error == std::errc() && end == comment + length && std::isfinite(peak) && peak > 0;
    return usable ? peak : 0;
  }
  return 0;
}
}  // namespace

float oggPeakTag(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> lacing;
  // The first page holds the identification header alone; the comment
  // header starts the second.
  if (!readPageHeader(in, lacing)) return 0;
  size_t body = 0;
  for (unsigned char value : lacing) body += value;
  if (!in.seekg(static_cast<std::streamoff>(body), std::ios::cur) || !readPageHeader(in, lacing))
    return 0;
  return peakIn(firstPacket(in, lacing));
}
