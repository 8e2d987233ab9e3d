#pragma once
// The peak an Ogg Vorbis file states in its comment header
// (REPLAYGAIN_TRACK_PEAK, 1 = full scale), read from the first two pages
// alone, so that knowing a song's peak never means decoding the song.

#include <string>

// The stated peak, or 0 when the file states none or is no Ogg Vorbis file.
float oggPeakTag(const std::string& path);
