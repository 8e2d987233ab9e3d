#include <gtest/gtest.h>

#include "audio/AudioBank.h"
#include "support/ScratchFolder.h"
#include "support/SoundFixtures.h"

namespace {
struct AudioBankTest : testing::Test {
  ScratchFolder scratch;
  void SetUp() override {
    for (const char* name : {"menu", "cave", "boom", "boom2"}) {
      writeTone(scratch.path() + "/data/" + name + ".wav", 0.3f);
    }
    scratch.write("data/audio.xml",
                  "<BGM>\n"
                  "  <bgm tag=\"menu\" path=\"menu.wav\"/>\n"
                  "  <bgm tag=\"cave\" path=\"cave.wav\"/>\n"
                  "</BGM>\n"
                  "<SE>\n"
                  "  <se tag=\"boom\" path=\"boom.wav\"/>\n"
                  "  <se tag=\"boom\" path=\"boom2.wav\"/>\n"
                  "  <se tag=\"hiss\" path=\"missing.wav\"/>\n"
                  "</SE>\n");
  }

  // Updates until the fade stops; returns how many updates that took.
  static int updatesUntilSteady(AudioBank& bank, int limit = 2000) {
    int n = 0;
    do {
      bank.update();
      ++n;
    } while (bank.fadeStep != 0 && n < limit);
    return n;
  }

  static int playingChannels() {
    std::lock_guard<std::mutex> guard(sound::lock());
    return sound::playingChannels();
  }
};
}  // namespace

TEST_F(AudioBankTest, LoadsSongsAndEffectsKeepingEntriesThatDoNotLoad) {
  testing::internal::CaptureStdout();
  AudioBank bank;
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_EQ(bank.songs.size(), 2u);
  ASSERT_EQ(bank.effects.size(), 3u);
  EXPECT_TRUE(bank.songs[0]->loop);
  EXPECT_TRUE(bank.songs[0]->streaming);
  EXPECT_TRUE(bank.effects[0]->multiPlay);
  EXPECT_FALSE(bank.effects[2]->loaded);
  EXPECT_EQ(log, "OF_ERROR: ofSoundPlayer: Could not load sound file data/missing.wav\n");
  bank.playEffect("hiss");  // silent, harmless
}

TEST_F(AudioBankTest, FirstSongStartsOnTheNextUpdateAndFadesInOver334Frames) {
  AudioBank bank;
  EXPECT_TRUE(bank.playSong("menu", true));
  EXPECT_FALSE(bank.songActive);
  bank.update();
  ASSERT_TRUE(bank.songActive);
  EXPECT_EQ(bank.currentSong->tag, "menu");
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
  EXPECT_EQ(bank.volume, 0);
  EXPECT_EQ(updatesUntilSteady(bank), 334);
  EXPECT_EQ(bank.volume, 1);
  EXPECT_FLOAT_EQ(bank.currentSong->volume, 1);
}

TEST_F(AudioBankTest, SwitchingAtFullVolumeFadesOutThenIn) {
  AudioBank bank;
  bank.playSong("menu", false);
  updatesUntilSteady(bank);
  ASSERT_EQ(bank.volume, 1);
  bank.playSong("cave", true);
  int fadeOut = 0;
  while (bank.currentSong->tag != "cave" && fadeOut < 2000) {
    bank.update();
    ++fadeOut;
  }
  EXPECT_EQ(fadeOut, 334);  // the switch comes on the update that reaches silence
  EXPECT_EQ(bank.volume, 0);
  EXPECT_EQ(bank.fadeStep, AudioBank::fadeIn);
  EXPECT_EQ(updatesUntilSteady(bank), 334);
  EXPECT_FALSE(bank.songs[0]->getIsPlaying());
}

TEST_F(AudioBankTest, ImmediateSwitchKeepsTheVolumeAndFadesUp) {
  AudioBank bank;
  bank.playSong("menu", false);
  bank.volume = 0.5f;
  bank.fadeStep = 0;
  EXPECT_TRUE(bank.playSong("cave", false));
  EXPECT_EQ(bank.currentSong->tag, "cave");
  bank.update();
  EXPECT_FLOAT_EQ(bank.volume, 0.503f);
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
  EXPECT_FALSE(bank.songs[0]->getIsPlaying());
}

TEST_F(AudioBankTest, PauseFreezesTheFadeUntilResumed) {
  AudioBank bank;
  bank.playSong("menu", false);
  for (int i = 0; i < 10; ++i) bank.update();
  const float volume = bank.volume;
  bank.pauseSong();
  for (int i = 0; i < 50; ++i) bank.update();
  EXPECT_EQ(bank.volume, volume);
  bank.resumeSong();
  EXPECT_FALSE(bank.currentSong->paused);
  bank.update();
  EXPECT_GT(bank.volume, volume);
}

TEST_F(AudioBankTest, StopThenResumePlaysNothing) {
  AudioBank bank;
  bank.playSong("menu", false);
  bank.hold();
  bank.stopSong();  // as the "song_stop" zone does
  bank.release();
  bank.resumeSong();  // as "song_play" does
  EXPECT_FALSE(bank.songActive);
  EXPECT_FALSE(bank.songs[0]->getIsPlaying());
}

TEST_F(AudioBankTest, AHeldTrackIsSelectedButOnlyStartsWhenPlayedAgain) {
  AudioBank bank;
  bank.hold();
  EXPECT_TRUE(bank.playSong("menu", false));
  EXPECT_TRUE(bank.songActive);
  EXPECT_FALSE(bank.currentSong->getIsPlaying());
  bank.resumeSong();  // held: nothing
  bank.release();
  bank.resumeSong();  // a track that never started has no channel to resume
  EXPECT_FALSE(bank.currentSong->getIsPlaying());
  bank.playSong("menu", false);
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
  bank.resumeSong();  // playing and not paused: restarts, still playing
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
}

TEST_F(AudioBankTest, FadeOutEndsSilentWithTheTrackKept) {
  AudioBank bank;
  bank.playSong("menu", false);
  bank.volume = 1;
  bank.fadeOutSong();
  updatesUntilSteady(bank);
  EXPECT_EQ(bank.volume, 0);
  EXPECT_TRUE(bank.songActive);
  EXPECT_EQ(bank.currentSong->tag, "menu");
  bank.setFullVolume(0.5f);
  EXPECT_EQ(bank.fullVolume, 0.5f);
  EXPECT_FALSE(bank.playSong("", false));
  EXPECT_FALSE(bank.playSong("nope", true));
}

TEST_F(AudioBankTest, OneTagPlaysEveryEffectThatHasIt) {
  AudioBank bank;
  bank.playEffect("boom");
  EXPECT_TRUE(bank.effects[0]->getIsPlaying());
  EXPECT_TRUE(bank.effects[1]->getIsPlaying());
  EXPECT_FALSE(bank.effects[2]->getIsPlaying());
}

TEST_F(AudioBankTest, AMissingOrEmptyAudioFileLeavesABankThatPlaysNothing) {
  struct Case {
    const char* text;
    const char* log;
  };
  const Case cases[] = {
      {nullptr, "OF_ERROR: could not load data/audio.xml: No such file or directory\n"},
      {"<oops", "OF_ERROR: could not load data/audio.xml: line 1: "},
      {"<Other/>", "pushTag - <BGM> tag not found\npushTag - <SE> tag not found\n"},
  };
  for (const Case& c : cases) {
    if (c.text) {
      scratch.write("data/audio.xml", c.text);
    } else {
      std::remove("data/audio.xml");
    }
    testing::internal::CaptureStdout();
    AudioBank bank;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.rfind(c.log, 0), 0u) << log;
    EXPECT_TRUE(bank.songs.empty());
    EXPECT_FALSE(bank.playSong("menu", false));
    bank.update();
  }
}

TEST_F(AudioBankTest, EffectsFillingEveryChannelNeverTakeTheSong) {
  // Long enough to outlast the test: every effect keeps its channel.
  writeTone(scratch.path() + "/data/long.wav", 5.0f);
  scratch.write("data/audio.xml",
                "<BGM><bgm tag=\"menu\" path=\"menu.wav\"/></BGM>"
                "<SE><se tag=\"long\" path=\"long.wav\"/></SE>");
  AudioBank bank;
  bank.playSong("menu", false);
  TaggedAudio& effect = *bank.effects[0];
  for (int i = 0; i < 40; ++i) bank.playEffect("long");
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
  EXPECT_TRUE(effect.getIsPlaying());  // the newest took an older effect's channel
  EXPECT_EQ(playingChannels(), sound::channelCount);

  // A paused song keeps its channel too, and resumes.
  bank.pauseSong();
  for (int i = 0; i < 40; ++i) bank.playEffect("long");
  bank.resumeSong();
  EXPECT_TRUE(bank.currentSong->getIsPlaying());
  EXPECT_FALSE(bank.currentSong->paused);
}

TEST_F(AudioBankTest, ThePlayersVolumesScaleTheMusicFadesAndEveryEffect) {
  AudioBank bank;
  bank.playSong("menu", false);
  bank.setMasterVolumes(0.5f, 0.25f);
  for (int i = 0; i < 100; ++i) bank.update();
  EXPECT_GT(bank.volume, 0.2f) << "the fade goes on as before";
  EXPECT_FLOAT_EQ(bank.currentSong->volume, bank.volume * 0.5f);
  for (const auto& effect : bank.effects) EXPECT_FLOAT_EQ(effect->volume, 0.25f);
  bank.addEffect("boom.wav", "late");
  EXPECT_FLOAT_EQ(bank.effects.back()->volume, 0.25f) << "an effect added later too";

  bank.setMasterVolumes(2, -1);  // kept within 0..1
  EXPECT_FLOAT_EQ(bank.currentSong->volume, bank.volume);
  EXPECT_FLOAT_EQ(bank.effects[0]->volume, 0);
}
