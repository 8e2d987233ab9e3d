#include "audio/ofSoundPlayer.h"

#include <cmath>
#include <filesystem>

#include "framework/ofAppRunner.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"

namespace {
using Guard = std::lock_guard<std::mutex>;

void openSystem() {
  sound::open();
  ofAddExitHook(closeSoundSystem);
}
}  // namespace

void initSoundSystem() {
  Guard guard(sound::lock());
  openSystem();
}

void closeSoundSystem() { sound::close(); }

void ofSoundStopAll() {
  Guard guard(sound::lock());
  openSystem();
  sound::stopAll();
}

void ofSoundSetVolume(float volume) {
  Guard guard(sound::lock());
  openSystem();
  sound::setMasterGain(volume);
}

ofSoundPlayer::~ofSoundPlayer() { unloadSound(); }

void ofSoundPlayer::loadSound(const std::string& fileName, bool asStream) {
  const std::string path = ofToDataPath(fileName);
  multiPlay = false;
  unloadSound();
  {
    Guard guard(sound::lock());
    openSystem();
  }
  // Decoding touches nothing of the sound system's: the lock is not held,
  // so its thread goes on feeding the music meanwhile.
  length = 0;
  const bool loadedNow = asStream ? loadStream(path) : loadSample(path);
  result = loadedNow ? 0 : 1;
  loaded = loadedNow;
  streaming = asStream && loadedNow;
  if (!loadedNow) ofLog(OF_ERROR, "ofSoundPlayer: Could not load sound file %s", path.c_str());
}

bool ofSoundPlayer::loadSample(const std::string& path) {
  SoundDecoder decoder;
  if (!decoder.open(path)) return false;
  pcm = decoder.readAll();
  if (pcm.empty()) return false;
  pcmChannels = decoder.channels();
  pcmRate = decoder.sampleRate();
  length = static_cast<unsigned>(decoder.frames());
  internalFreq = static_cast<float>(decoder.sampleRate());
  return true;
}

void ofSoundPlayer::uploadSample() {
  if (sampleBuffer) return;
  alGenBuffers(1, &sampleBuffer);
  alBufferData(sampleBuffer, pcmChannels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm.data(),
               static_cast<ALsizei>(pcm.size() * sizeof(short)), pcmRate);
  pcm = {};  // OpenAL keeps a copy of its own
}

bool ofSoundPlayer::loadStream(const std::string& path) {
  // The service thread opens the file when the stream first plays; one that
  // cannot be decoded is reported then.
  if (!ofIsRegularFile(path)) return false;
  stream = std::make_unique<sound::Stream>(std::filesystem::absolute(path).string(), path);
  return true;
}

void ofSoundPlayer::unloadSound() {
  Guard guard(sound::lock());
  pcm = {};
  if (!sound::isOpen()) {
    // The system is gone (or not there yet) and with it every buffer and source.
    stream.reset();
    sampleBuffer = 0;
    return;
  }
  if (!loaded) return;
  if (stream) {
    if (sound::Channel* c = sound::channel(channel)) sound::stopChannel(*c);
    stream.reset();
  }
  if (sampleBuffer) {
    sound::stopChannelsUsing(sampleBuffer);  // overlapping instances hold it too
    alDeleteBuffers(1, &sampleBuffer);
    sampleBuffer = 0;
  }
}

void ofSoundPlayer::applySettings(sound::Channel& c) {
  alSourcef(c.source, AL_GAIN, volume);
  // Pan runs from 0 (left) through 0.5 (centre) to 1 (right); it becomes a
  // position beside the listener (mono sounds only).
  const float x = std::fmax(-1.0f, std::fmin(1.0f, (pan - 0.5f) * 2));
  alSourcei(c.source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(c.source, AL_POSITION, x, 0, -std::sqrt(1 - x * x));
  alSourcef(c.source, AL_PITCH, std::fmax(0.01f, speed));
  if (stream) {
    stream->loop = loop;
  } else {
    alSourcei(c.source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  }
}

void ofSoundPlayer::play() {
  Guard guard(sound::lock());
  if (!loaded || !sound::ready() || (stream && stream->failed())) return;
  if (!stream) uploadSample();
  // A stream has one decoder, so it can only ever play on one channel.
  if (loop || !multiPlay || stream) {
    if (sound::Channel* previous = sound::channel(channel)) sound::stopChannel(*previous);
  }
  channel = sound::acquire(loop || stream != nullptr);
  sound::Channel* c = sound::channel(channel);
  if (!c) return;
  applySettings(*c);
  c->paused = paused;
  if (stream) {
    // The service thread opens, decodes and starts it (paused if it is).
    c->stream = stream.get();
    c->streamPlaying = true;
    c->streamStarting = true;
    return;
  }
  alSourcei(c->source, AL_BUFFER, static_cast<ALint>(sampleBuffer));
  alSourcePlay(c->source);
  if (paused) alSourcePause(c->source);
}

void ofSoundPlayer::stop() {
  Guard guard(sound::lock());
  if (sound::Channel* c = sound::channel(channel)) sound::stopChannel(*c);
}

bool ofSoundPlayer::getIsPlaying() {
  Guard guard(sound::lock());
  if (!loaded) return false;
  const sound::Channel* c = sound::channel(channel);
  return c && sound::isPlaying(*c);
}

namespace {
// The channel of a handle while it plays, else nullptr.
sound::Channel* playingChannel(const sound::ChannelHandle& handle) {
  sound::Channel* c = sound::channel(handle);
  return c && sound::isPlaying(*c) ? c : nullptr;
}
}  // namespace

void ofSoundPlayer::setVolume(float v) {
  Guard guard(sound::lock());
  volume = v;
  if (sound::Channel* c = playingChannel(channel)) alSourcef(c->source, AL_GAIN, v);
}

void ofSoundPlayer::setPaused(bool p) {
  Guard guard(sound::lock());
  sound::Channel* c = playingChannel(channel);
  if (!c) return;
  if (p) {
    alSourcePause(c->source);
  } else {
    alSourcePlay(c->source);
  }
  c->paused = p;
  paused = p;
}

void ofSoundPlayer::setLoop(bool l) {
  Guard guard(sound::lock());
  loop = l;
  if (sound::Channel* c = playingChannel(channel)) applySettings(*c);
}

void ofSoundPlayer::setMultiPlay(bool m) { multiPlay = m; }

void ofSoundPlayer::setPan(float p) {
  Guard guard(sound::lock());
  pan = p;
  if (sound::Channel* c = playingChannel(channel)) applySettings(*c);
}

void ofSoundPlayer::setSpeed(float s) {
  Guard guard(sound::lock());
  speed = s;
  if (sound::Channel* c = playingChannel(channel)) applySettings(*c);
}

void ofSoundPlayer::setPosition(float fraction) {
  Guard guard(sound::lock());
  sound::Channel* c = playingChannel(channel);
  if (!c || stream) return;  // streams always play from their start
  alSourcei(c->source, AL_SAMPLE_OFFSET, static_cast<ALint>(length * fraction));
}

float ofSoundPlayer::getPosition() {
  Guard guard(sound::lock());
  sound::Channel* c = playingChannel(channel);
  if (!c || stream || length == 0) return 0;
  ALint offset = 0;
  alGetSourcei(c->source, AL_SAMPLE_OFFSET, &offset);
  return static_cast<float>(offset) / length;
}
