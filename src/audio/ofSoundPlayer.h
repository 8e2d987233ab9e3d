#pragma once
// One sound file that can be played, looped, paused, stopped and turned up
// or down, on one of the 32 channels of the program's sound system (OpenAL
// Soft). Samples are decoded whole into memory; streams are decoded while
// they play. The sound system starts on first use and is closed by the exit
// handler; players destroyed after that release nothing but their own memory.

#include <memory>
#include <string>

#include "audio/SoundSystem.h"

class ofSoundPlayer {
 public:
  ofSoundPlayer() = default;
  virtual ~ofSoundPlayer();
  ofSoundPlayer(const ofSoundPlayer&) = delete;
  ofSoundPlayer& operator=(const ofSoundPlayer&) = delete;

  // Loads data/fileName; logs "ofSoundPlayer: Could not load sound file ..."
  // and stays silent when it cannot.
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
  float internalFreq = 44100;
  float speed = 1.0f;
  unsigned length = 0;  // PCM frames
  int result = 0;       // 0 when the last load succeeded

 private:
  // Applies volume, pan, speed and loop to the channel just started.
  void applySettings(sound::Channel& channel);

  sound::ChannelHandle channel;
  unsigned sampleBuffer = 0;
  std::unique_ptr<sound::Stream> stream;
};

// Opens the sound system if it is not open yet.
void initSoundSystem();
// Closes it; later players' calls do nothing.
void closeSoundSystem();
// Once per frame.
void ofSoundUpdate();
void ofSoundStopAll();
void ofSoundSetVolume(float volume);
