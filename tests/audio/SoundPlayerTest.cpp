#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/ofSoundPlayer.h"
#include "support/ScratchFolder.h"
#include "support/SoundFixtures.h"

namespace {
struct SoundPlayerTest : testing::Test {
  ScratchFolder scratch;
  void SetUp() override {
    writeTone(scratch.path() + "/data/beep.wav", 0.5f);
    writeTone(scratch.path() + "/data/short.wav", 0.05f);
    scratch.write("data/garbage.wav", "this is not a sound");
  }
};

int playingChannels() {
  std::lock_guard<std::mutex> guard(sound::lock());
  return sound::playingChannels();
}
}  // namespace

TEST_F(SoundPlayerTest, MultiPlayEffectsOverlapAndStopOnlyTheNewest) {
  ofSoundPlayer effect;
  effect.loadSound("beep.wav");
  ASSERT_TRUE(effect.loaded);
  effect.setMultiPlay(true);
  const int before = playingChannels();
  effect.play();
  effect.play();
  effect.play();
  EXPECT_EQ(playingChannels(), before + 3);
  effect.stop();
  EXPECT_EQ(playingChannels(), before + 2);
  EXPECT_FALSE(effect.getIsPlaying());
}

TEST_F(SoundPlayerTest, SinglePlayAndLoopingSoundsCutOffTheirPreviousChannel) {
  ofSoundPlayer track;
  track.loadSound("beep.wav", true);
  track.setLoop(true);
  const int before = playingChannels();
  track.play();
  track.play();
  EXPECT_EQ(playingChannels(), before + 1);
  EXPECT_TRUE(track.getIsPlaying());
  track.stop();
  EXPECT_FALSE(track.getIsPlaying());
}

TEST_F(SoundPlayerTest, PauseOnlyTouchesAPlayingChannelAndSurvivesStop) {
  ofSoundPlayer player;
  player.loadSound("beep.wav");
  player.setPaused(true);  // not playing: nothing changes
  EXPECT_FALSE(player.paused);

  player.play();
  player.setPaused(true);
  EXPECT_TRUE(player.paused);
  EXPECT_TRUE(player.getIsPlaying());  // a paused channel still counts as playing
  player.stop();
  EXPECT_TRUE(player.paused);  // stop keeps it
  player.play();               // so the next channel starts paused
  EXPECT_TRUE(player.getIsPlaying());
  player.setPaused(false);
  EXPECT_FALSE(player.paused);
}

TEST_F(SoundPlayerTest, SettingsOfAStoppedPlayerAreUsedByTheNextPlay) {
  ofSoundPlayer player;
  player.loadSound("beep.wav");
  player.setVolume(0.3f);
  player.setPan(-0.5f);
  player.setSpeed(2);
  EXPECT_FLOAT_EQ(player.volume, 0.3f);
  EXPECT_FLOAT_EQ(player.getPan(), -0.5f);
  EXPECT_FLOAT_EQ(player.getSpeed(), 2);
  player.play();
  EXPECT_TRUE(player.getIsPlaying());
  EXPECT_EQ(player.length, 11025u);
  EXPECT_EQ(player.internalFreq, 22050);
}

TEST_F(SoundPlayerTest, FilesThatDoNotLoadAreLoggedOnceAndStaySilent) {
  for (const char* name : {"nothing.wav", "garbage.wav", "", "/dev/zero"}) {
    ofSoundPlayer player;
    testing::internal::CaptureStdout();
    player.loadSound(name);
    const std::string log = testing::internal::GetCapturedStdout();
    const std::string path = name[0] == '/' ? name : std::string("data/") + name;
    EXPECT_EQ(log, "OF_ERROR: ofSoundPlayer: Could not load sound file " + path + "\n");
    EXPECT_FALSE(player.loaded);
    EXPECT_NE(player.result, 0);
    player.play();
    EXPECT_FALSE(player.getIsPlaying());
  }
}

TEST_F(SoundPlayerTest, ASampleEndsByItselfAndAStreamWithoutLoopToo) {
  ofSoundPlayer sample, stream;
  sample.loadSound("short.wav");
  stream.loadSound("short.wav", true);
  sample.play();
  stream.play();
  for (int i = 0; i < 100 && (sample.getIsPlaying() || stream.getIsPlaying()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(sample.getIsPlaying());
  EXPECT_FALSE(stream.getIsPlaying());
}

TEST_F(SoundPlayerTest, PlayersOutliveAClosedSoundSystem) {
  auto player = std::make_unique<ofSoundPlayer>();
  player->loadSound("beep.wav");
  player->play();
  closeSoundSystem();
  EXPECT_FALSE(player->getIsPlaying());
  player->play();
  player->setVolume(0.5f);
  player.reset();  // must not touch the closed device
  initSoundSystem();
}

TEST_F(SoundPlayerTest, AStreamThatCannotBeDecodedIsLoggedOnceWhenFirstPlayed) {
  ofSoundPlayer stream;
  testing::internal::CaptureStdout();
  stream.loadSound("garbage.wav", true);
  EXPECT_TRUE(stream.loaded) << "only the sound thread opens a stream's file";
  stream.play();
  for (int i = 0; i < 100 && stream.getIsPlaying(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(stream.getIsPlaying());
  stream.play();  // known undecodable: not tried again
  EXPECT_FALSE(stream.getIsPlaying());
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(log, "OF_ERROR: ofSoundPlayer: Could not load sound file data/garbage.wav\n");
}

TEST_F(SoundPlayerTest, StoppingOrUnloadingAStreamBeforeItsFileIsOpenedIsSafe) {
  auto stream = std::make_unique<ofSoundPlayer>();
  stream->loadSound("beep.wav", true);
  stream->play();
  stream->stop();
  EXPECT_FALSE(stream->getIsPlaying());
  stream->play();
  stream.reset();  // while the sound thread may be opening it
  ofSoundPlayer again;
  again.loadSound("beep.wav", true);
  again.play();
  EXPECT_TRUE(again.getIsPlaying());
}

TEST_F(SoundPlayerTest, SoundsAskedForWhileTheSoundSystemStartsAreNotDropped) {
  closeSoundSystem();
  initSoundSystem();  // the device starts on a thread of its own
  ofSoundPlayer effect, song;
  effect.loadSound("beep.wav");
  song.loadSound("beep.wav", true);
  effect.play();
  song.play();
  EXPECT_TRUE(effect.getIsPlaying());
  EXPECT_TRUE(song.getIsPlaying());
}
