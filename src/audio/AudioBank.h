#pragma once
// Every sound of the game by text tag, from "audio.xml": effects that may
// overlap, and music tracks of which one is current and cross-fades into the
// next over 334 frames. The game owns the one bank; update() runs once per
// frame in every screen.

#include <memory>
#include <string>
#include <vector>

#include "audio/ofSoundPlayer.h"

// A sound and the tag it is played by.
class TaggedAudio : public ofSoundPlayer {
 public:
  std::string tag;
};

class AudioBank {
 public:
  AudioBank();  // loads "audio.xml"
  ~AudioBank();
  AudioBank(const AudioBank&) = delete;
  AudioBank& operator=(const AudioBank&) = delete;

  // Reads "audio.xml": "BGM" holds "bgm" tracks, "SE" holds "se" effects.
  void load();
  bool addEffect(const std::string& path, const std::string& tag);
  bool addSong(const std::string& path, const std::string& tag);

  // Advances the music fade; stands still while the current track is paused.
  void update();
  // Plays every effect with this tag, overlapping earlier ones.
  void playEffect(const std::string& tag);
  // Selects the track: at once (fading in from the present volume) or after
  // fading the current one out. False for "" or an unknown tag.
  bool playSong(const std::string& tag, bool fadeOut);
  void resumeSong();
  void pauseSong();
  // Stops and forgets the current track.
  void stopSong();
  void fadeOutSong();
  void setFullVolume(float v);
  // The player's volumes, 0..1: the music's fades and every effect play at
  // these fractions of their own volume, from now on.
  void setMasterVolumes(float music, float effectsVolume);
  // While held, a newly selected track does not start and resume does nothing.
  void hold();
  void release();

  TaggedAudio* currentSong = nullptr;
  bool songActive = false;
  bool held = false;
  float fullVolume = 1.0f;
  float volume = 0;
  float fadeStep = 0;
  float musicMaster = 1.0f;
  float effectsMaster = 1.0f;
  std::string nextSong;
  std::vector<std::unique_ptr<TaggedAudio>> effects;
  std::vector<std::unique_ptr<TaggedAudio>> songs;

  static constexpr float fadeIn = 0.003f;
  static constexpr float fadeOut = -0.003f;
};
