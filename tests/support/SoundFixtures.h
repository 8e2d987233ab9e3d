#pragma once
// Sound files made on the spot for tests, and the sound output the tests
// run with: SDL's "disk" driver, which writes everything the mixer plays, as
// it plays it, to a raw file of this process's own (16-bit stereo frames at
// 44.1 kHz), unless SDL_AUDIODRIVER is set.

#include <string>
#include <vector>

// Writes a 16-bit mono WAV of a sine tone (amplitude 0..1) at path.
void writeTone(const std::string& path, float seconds, float hertz = 440, float amplitude = 0.5f,
               int rate = 22050);
// The file the disk driver writes, or "" when another driver was chosen.
const std::string& soundOutputFile();
// The mix read back: interleaved 16-bit stereo frames, the file's sizes seen
// while it was written turned into positions in it.
struct HeardSound {
  std::vector<short> samples;
  int rate = 0, channels = 0;
  long bytesPerFrame = 0;
  // The frame a file size seen while it was being written stands for.
  long frameAtSize(long size) const { return size / bytesPerFrame; }
  // Root-mean-square level of frames [from, to), 0..1; of one channel only
  // when channel is 0 or more.
  double level(long from, long to, int channel = -1) const;
};
// The disk driver's file read back.
HeardSound readSoundOutput(const std::string& path);
// The present size of a file, 0 when it is missing.
long fileSize(const std::string& path);
