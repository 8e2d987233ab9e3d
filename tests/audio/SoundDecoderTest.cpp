// Decoding sounds to 16-bit: opening reads headers, not whole files; float
// files play at their own level; the shipped songs state their peak and play
// normalised to it, as they always have.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio/OggPeakTag.h"
#include "audio/SoundDecoder.h"
#include "audio/ThreadReads.h"
#include "support/ScratchFolder.h"
#include "support/SoundFixtures.h"

namespace {
const char* const songs[] = {"menu", "cave", "drive", "deep", "finale"};

std::string shippedSong(const std::string& name) {
  return std::string(ORVANE_SOURCE_DIR) + "/data/sounds/" + name + ".ogg";
}

// A mono 440 Hz tone of the given amplitude, written as floats in any format
// libsndfile writes.
void writeFloatTone(const std::string& path, int format, float amplitude) {
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 1;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<float> samples(22050);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = amplitude * static_cast<float>(std::sin(2 * M_PI * 440 * i / 22050.0));
  }
  sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

int loudest(const std::vector<short>& samples) {
  int peak = 0;
  for (short s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// The loudest float sample of a whole decoded file: what the game once
// found by decoding every song as it opened it.
float decodedPeak(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return -1;
  std::vector<float> block(4096);
  float peak = 0;
  for (sf_count_t got; (got = sf_read_float(file, block.data(), 4096)) > 0;) {
    for (sf_count_t i = 0; i < got; ++i) peak = std::max(peak, std::fabs(block[i]));
  }
  sf_close(file);
  return peak;
}
}  // namespace

TEST(SoundDecoder, OpeningASongReadsItsHeadersNotTheWholeSong) {
  // libsndfile reads the first pages and, to find the length, the last
  // 64 KiB of an Ogg file; the shipped songs are 190 to 350 KB long.
  const long headersAndEnd = 100 * 1024;
  for (const char* name : songs) {
    const std::string path = shippedSong(name);
    ASSERT_GT(fileSize(path), headersAndEnd) << name;
    const long before = bytesReadByThisThread();
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(path)) << decoder.error();
    const long read = bytesReadByThisThread() - before;
    EXPECT_LT(read, headersAndEnd) << name << ": " << read << " of " << fileSize(path) << " bytes";
    EXPECT_GT(decoder.frames(), 0) << name;
  }
}

TEST(SoundDecoder, FloatFilesReadAtTheirOwnLevel) {
  ScratchFolder scratch;
  const struct {
    const char* file;
    int format;
    float amplitude;
    int tolerance;  // in steps of 16 bits; lossy coding is off by a little
  } cases[] = {
      {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0.25f, 1},
      {"double.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 0.5f, 1},
      {"float.aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 0.125f, 1},
      {"untagged.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.25f, 400},
  };
  for (const auto& c : cases) {
    const std::string path = scratch.path() + "/" + c.file;
    writeFloatTone(path, c.format, c.amplitude);
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(path)) << c.file << ": " << decoder.error();
    const std::vector<short> samples = decoder.readAll();
    ASSERT_EQ(samples.size(), 22050u) << c.file;
    EXPECT_NEAR(loudest(samples), c.amplitude * 32767, c.tolerance) << c.file;
  }
}

TEST(SoundDecoder, ShippedSongsStateTheirPeakAndPlayWithItAtFullScale) {
  for (const char* name : songs) {
    const std::string path = shippedSong(name);
    const float stated = oggPeakTag(path);
    EXPECT_EQ(stated, decodedPeak(path)) << name << ": the stated peak is the decoded one";
    SoundDecoder decoder;
    ASSERT_TRUE(decoder.open(path)) << decoder.error();
    // One step under full scale, as the songs have always been played.
    EXPECT_EQ(loudest(decoder.readAll()), 32766) << name;
  }
}

TEST(SoundDecoder, APeakTagIsOnlyReadFromAnOggVorbisCommentHeader) {
  ScratchFolder scratch;
  writeFloatTone(scratch.path() + "/plain.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.5f);
  writeTone(scratch.path() + "/tone.wav", 0.1f);
  scratch.write("text.ogg", "OggS REPLAYGAIN_TRACK_PEAK=0.5");
  for (const char* name : {"plain.ogg", "tone.wav", "text.ogg", "missing.ogg"}) {
    EXPECT_EQ(oggPeakTag(scratch.path() + "/" + name), 0) << name;
  }
}
