#pragma once
// Writing and reading the generated sounds with libsndfile: effects as 16-bit
// WAV, music as Ogg Vorbis, both mono at 44.1 kHz.

#include <string>
#include <vector>

#include "Synth.h"

namespace synth {

// Samples as 16-bit PCM, rounded, never beyond +-32767.
std::vector<short> toPcm16(const Samples& s);
// False with the reason in `error` when the file cannot be written.
bool writeWav(const std::string& path, const Samples& s, std::string& error);
// `quality` 0..1 (libsndfile's VBR quality). libsndfile numbers each Ogg
// stream at random; the file is renumbered afterwards so that the same
// samples always give the same bytes. The peak of the decoded file goes into
// its REPLAYGAIN_TRACK_PEAK tag: the game plays songs scaled to that peak,
// and reading the tag spares it decoding the whole song to find it.
bool writeOgg(const std::string& path, const Samples& s, double quality, std::string& error);
// Any file libsndfile reads, as mono float samples (the first channel);
// empty when it cannot be read. The sample rate goes to *rate if given.
Samples readSound(const std::string& path, int* rate = nullptr);
// The loudest sample of any file libsndfile reads, as it decodes it (1: full
// scale); -1 when it cannot be read.
double decodedPeak(const std::string& path);
// Adds `comment` ("NAME=value") to the Vorbis comment header of Ogg bytes,
// the first packet of the second page. Page checksums are left for
// setOggSerial to fix. False when the bytes hold no such header there.
bool addVorbisComment(std::vector<unsigned char>& bytes, const std::string& comment);
// Gives every page of an Ogg file the stream number `serial` and fixes the
// page checksums. False when the bytes are not a sequence of Ogg pages.
bool setOggSerial(std::vector<unsigned char>& bytes, unsigned serial);

}  // namespace synth
