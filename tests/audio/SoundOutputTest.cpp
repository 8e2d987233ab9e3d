// Sound as a listener hears it: the mix written by SDL's disk driver.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/AudioBank.h"
#include "audio/ThreadReads.h"
#include "support/ScratchFolder.h"
#include "support/SoundFixtures.h"

namespace {
void wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}  // namespace

TEST(SoundOutput, EffectsAndALoopedStreamAreHeardAndSilentWhilePaused) {
  const std::string& output = soundOutputFile();
  if (output.empty()) GTEST_SKIP() << "SDL_AUDIODRIVER chose another output";
  ScratchFolder scratch;
  writeTone(scratch.path() + "/data/song.wav", 0.25f, 220, 0.4f, 44100);  // loops four times a second
  writeTone(scratch.path() + "/data/click.wav", 0.1f, 880, 0.5f);
  scratch.write("data/audio.xml",
                "<BGM><bgm tag=\"song\" path=\"song.wav\"/></BGM>"
                "<SE><se tag=\"click\" path=\"click.wav\"/></SE>");
  long played, pausedAt, end;
  {
    AudioBank bank;
    bank.volume = 1;
    bank.playSong("song", false);
    bank.playEffect("click");
    bank.playEffect("click");
    wait(100);
    played = fileSize(output);
    wait(900);  // several loops of the song and no updates at all
    bank.pauseSong();
    wait(200);
    pausedAt = fileSize(output);
    wait(400);
    end = fileSize(output);
  }
  closeSoundSystem();  // finishes the file

  const HeardSound mix = readSoundOutput(output);
  ASSERT_GT(mix.rate, 0);
  const long tenth = mix.rate / 10;
  const long from = mix.frameAtSize(played);
  const long to = from + 8 * tenth;
  EXPECT_GT(mix.level(from, to), 0.05);
  for (long t = from; t < to; t += tenth) {
    EXPECT_GT(mix.level(t, t + tenth), 0.02) << "a gap in the music " << (t - from) << " frames in";
  }
  EXPECT_LT(mix.level(mix.frameAtSize(pausedAt), mix.frameAtSize(end)), 0.001);
  // Mono sounds at the default pan sit in the middle.
  ASSERT_EQ(mix.channels, 2);
  const double left = mix.level(from, to, 0), right = mix.level(from, to, 1);
  EXPECT_NEAR(left / right, 1.0, 0.05) << left << " " << right;
  initSoundSystem();
}

TEST(SoundOutput, ASongAskedToPlayIsDecodedOnTheSoundThreadAndHeardAtOnce) {
  const std::string& output = soundOutputFile();
  if (output.empty()) GTEST_SKIP() << "SDL_AUDIODRIVER chose another output";
  ScratchFolder scratch;
  writeTone(scratch.path() + "/data/song.wav", 2.0f, 220, 0.4f, 44100);
  initSoundSystem();  // the device's own start-up reads files too
  long asked;
  {
    ofSoundPlayer song;
    const long before = bytesReadByThisThread();
    song.loadSound("song.wav", true);
    song.setLoop(true);
    song.play();
    const long read = bytesReadByThisThread() - before;
    EXPECT_LT(read, 4096) << "the thread that asked read the song";
    asked = fileSize(output);
    // A quarter of a second of output after the song was asked for (the
    // driver writes 4 bytes a frame, at 44.1 kHz).
    for (int i = 0; i < 100 && fileSize(output) < asked + 44100 * 4 / 4; ++i) wait(20);
  }
  closeSoundSystem();

  const HeardSound mix = readSoundOutput(output);
  ASSERT_GT(mix.rate, 0);
  const long from = mix.frameAtSize(asked) + mix.rate / 20;  // at most 50 ms late
  EXPECT_GT(mix.level(from, from + mix.rate / 20), 0.02);
  initSoundSystem();
}
