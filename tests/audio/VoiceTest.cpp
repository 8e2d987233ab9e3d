// The mixer's arithmetic: one voice's samples, gains, speed, loops and the
// join between a stream's blocks, read from the frames it adds.

#include "audio/Voice.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "audio/Stream.h"
#include "support/ScratchFolder.h"
#include "support/SoundFixtures.h"

namespace {
using sound::Voice;

std::shared_ptr<const Pcm> pcmOf(std::vector<short> samples, int channels = 1, int rate = 44100) {
  auto pcm = std::make_shared<Pcm>();
  pcm->samples = std::move(samples);
  pcm->channels = channels;
  pcm->rate = rate;
  return pcm;
}

// What the voice adds to silence over frames output frames at 44.1 kHz,
// in 16-bit steps.
std::vector<float> mixed(Voice& voice, int frames) {
  std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
  voice.mixInto(out.data(), frames, 44100);
  for (float& v : out) v *= 32768;
  return out;
}
}  // namespace

TEST(Voice, AMonoSoundIsPannedByTheGameLawAndAStereoOneIsNot) {
  struct Case {
    float pan, left, right;
  } cases[] = {{0.5f, 0.5956f, 0.5956f}, {0, 1, 0}, {1, 0, 1}, {0.25f, 0.9211f, 0.2141f},
               {-3, 1, 0},               {7, 0, 1}};
  for (const Case& c : cases) {
    Voice voice;
    voice.pan = c.pan;
    voice.play(pcmOf(std::vector<short>(8, 10000)));
    const std::vector<float> out = mixed(voice, 4);
    EXPECT_NEAR(out[0], 10000 * c.left, 1) << c.pan;
    EXPECT_NEAR(out[1], 10000 * c.right, 1) << c.pan;
  }
  Voice stereo;
  stereo.pan = 0;
  stereo.volume = 0.5f;
  stereo.play(pcmOf({1000, -2000, 1000, -2000}, 2));
  const std::vector<float> out = mixed(stereo, 1);
  EXPECT_FLOAT_EQ(out[0], 500);
  EXPECT_FLOAT_EQ(out[1], -1000);
}

TEST(Voice, VolumeStaysWithinSilenceAndFullAndPausedAddsNothing) {
  struct Case {
    float volume;
    bool paused;
    float expected;
  } cases[] = {{1, false, 10000}, {0.25f, false, 2500}, {3, false, 10000},
               {-1, false, 0},     {1, true, 0}};
  for (const Case& c : cases) {
    Voice voice;
    voice.pan = 0;
    voice.volume = c.volume;
    voice.paused = c.paused;
    voice.play(pcmOf(std::vector<short>(4, 10000)));
    EXPECT_FLOAT_EQ(mixed(voice, 1)[0], c.expected) << c.volume;
    EXPECT_TRUE(voice.active());
  }
}

TEST(Voice, RateAndSpeedSetHowFastASampleIsReadBlendingBetweenFrames) {
  Voice slow;  // half the output's rate: every other frame lies between two
  slow.pan = 0;
  slow.play(pcmOf({0, 1000, 2000, 3000}, 1, 22050));
  const std::vector<float> out = mixed(slow, 10);
  const float expected[] = {0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0, 0};
  for (int i = 0; i < 10; ++i) EXPECT_FLOAT_EQ(out[2 * i], expected[i]) << i;
  EXPECT_FALSE(slow.active()) << "played out";

  Voice fast;
  fast.pan = 0;
  fast.speed = 2;
  fast.play(pcmOf({0, 1000, 2000, 3000, 4000, 5000}));
  const std::vector<float> twice = mixed(fast, 4);
  EXPECT_FLOAT_EQ(twice[2], 2000);
  EXPECT_FLOAT_EQ(twice[4], 4000);
  EXPECT_FLOAT_EQ(twice[6], 0) << "ended after three frames";
}

TEST(Voice, ALoopingSampleWrapsAndItsPositionCanBeSetAndRead) {
  std::vector<short> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<short>(i * 10);
  Voice voice;
  voice.pan = 0;
  voice.loop = true;
  voice.play(pcmOf(ramp));
  const std::vector<float> out = mixed(voice, 250);
  for (int i = 0; i < 250; ++i) ASSERT_FLOAT_EQ(out[2 * i], (i % 100) * 10.0f) << i;
  EXPECT_EQ(voice.position(), 50);
  voice.seek(80);
  EXPECT_FLOAT_EQ(mixed(voice, 1)[0], 800);
  voice.seek(1000);  // beyond the end: the end
  EXPECT_EQ(voice.position(), 100);
}

// A stream sounds as the same file played whole as a looping sample: its
// blocks join without a seam, at the output's rate (sample for sample) and at
// another (the read position carried across each join).
TEST(Voice, AStreamPlaysItsBlocksWithoutASeamAndLoopsItsFile) {
  for (const int rate : {44100, 32000}) {
    ScratchFolder scratch;
    const std::string path = scratch.path() + "/song.wav";
    writeTone(path, 0.25f, 441, 0.5f, rate);  // the blocks end inside the file
    SoundDecoder whole;
    ASSERT_TRUE(whole.open(path));
    Voice sample;
    sample.pan = 0;
    sample.loop = true;
    sample.play(pcmOf(whole.readAll(), 1, rate));

    sound::Stream stream(path, "song.wav");
    auto decoder = std::make_unique<SoundDecoder>();
    ASSERT_TRUE(decoder->open(path));
    stream.attach(std::move(decoder));
    stream.loop = true;
    stream.start();
    Voice streamed;
    streamed.pan = 0;
    streamed.play(&stream);
    // Mixed a device's buffer at a time, fed between as the sound thread does.
    for (int buffer = 0; buffer < 30; ++buffer) {
      const std::vector<float> expected = mixed(sample, 1024), out = mixed(streamed, 1024);
      for (int i = 0; i < 1024; ++i) {
        ASSERT_NEAR(out[2 * i], expected[2 * i], 0.05) << rate << " Hz, frame " << buffer * 1024 + i;
      }
      stream.feed();
    }
  }
}
