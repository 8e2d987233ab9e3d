#pragma once
// One sound file that can be played, looped, paused, stopped and turned up
// or down, on one of the 32 channels of the program's sound system. Samples
// are decoded whole when loaded; streams are opened and decoded by the sound
// system's thread while they play, so loading one only checks that its file
// is there. The sound system starts on first use, on a thread of its own
// (the first play waits for it), and is closed by the exit handler; players
// destroyed after that release nothing but their own memory.

#include <memory>
#include <string>
#include <vector>

#include "audio/SoundSystem.h"

class ofSoundPlayer {
 public:
  ofSoundPlayer() = default;
  virtual ~ofSoundPlayer();
  ofSoundPlayer(const ofSoundPlayer&) = delete;
  ofSoundPlayer& operator=(const ofSoundPlayer&) = delete;

  // Loads data/fileName; logs "ofSoundPlayer: Could not load sound file ..."
  // and stays silent when it cannot (a stream whose file is there but cannot
  // be decoded: when it is first played).
  void loadSound(const std::string& fileName, bool stream = false);
  void unloadSound();
  // Plays on a new channel. Unless multi-play (or when looping), the
  // previous channel is cut off first; multi-play sounds overlap. With all
  // 32 channels busy a sound takes the oldest one-shot sound's channel, never
  // one that loops or streams (the music).
  void play();
  void stop();
  bool getIsPlaying();
  void setVolume(float volume);
  // Only a playing channel can be paused or resumed.
  void setPaused(bool paused);
  void setLoop(bool loop);
  void setMultiPlay(bool multiPlay);
  void setPan(float pan);
  void setSpeed(float speed);
  void setPosition(float fraction);
  float getPosition();
  float getPan() const { return pan; }
  float getSpeed() const { return speed; }

  bool streaming = false;
  bool multiPlay = false;
  bool loop = false;
  bool loaded = false;
  bool paused = false;
  float pan = 0.5f;  // 0 left, 0.5 centre, 1 right
  float volume = 1.0f;
  // Of samples only: a stream's file is not opened until it plays.
  float internalFreq = 44100;
  unsigned length = 0;  // PCM frames
  float speed = 1.0f;
  int result = 0;  // 0 when the last load succeeded

 private:
  bool loadSample(const std::string& path);
  bool loadStream(const std::string& path);
  // Applies volume, pan, speed and loop to the channel just started.
  void applySettings(sound::Channel& channel);

  sound::ChannelHandle channel;
  std::shared_ptr<const Pcm> sample;  // shared with the channels playing it
  std::unique_ptr<sound::Stream> stream;
};

// Opens the sound system if it is not open yet.
void initSoundSystem();
// Closes it; later players' calls do nothing.
void closeSoundSystem();
void ofSoundStopAll();
void ofSoundSetVolume(float volume);
