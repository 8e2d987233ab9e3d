#include "audio/ofSoundPlayer.h"

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
  auto decoded = std::make_shared<Pcm>();
  decoded->samples = decoder.readAll();
  if (decoded->samples.empty()) return false;
  decoded->channels = decoder.channels();
  decoded->rate = decoder.sampleRate();
  length = static_cast<unsigned>(decoder.frames());
  internalFreq = static_cast<float>(decoder.sampleRate());
  sample = std::move(decoded);
  return true;
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
  if (stream) {
    if (sound::Channel* c = sound::channel(channel)) sound::stopChannel(*c);
    stream.reset();
  }
  if (sample) {
    sound::stopChannelsUsing(sample.get());  // overlapping instances play it too
    sample.reset();
  }
}

void ofSoundPlayer::applySettings(sound::Channel& c) {
  c.voice.volume = volume;
  c.voice.pan = pan;
  c.voice.speed = speed;
  // A stream loops by decoding its file again; the voice only plays on.
  if (stream) stream->loop = loop;
  c.voice.loop = loop && !stream;
}

void ofSoundPlayer::play() {
  Guard guard(sound::lock());
  if (!loaded || !sound::ready() || (stream && stream->failed())) return;
  // A stream has one decoder, so it can only ever play on one channel.
  if (loop || !multiPlay || stream) {
    if (sound::Channel* previous = sound::channel(channel)) sound::stopChannel(*previous);
  }
  channel = sound::acquire(loop || stream != nullptr);
  sound::Channel* c = sound::channel(channel);
  if (!c) return;
  applySettings(*c);
  c->voice.paused = paused;
  if (stream) {
    // The service thread opens, decodes and starts it (paused if it is).
    c->stream = stream.get();
    c->streamPlaying = true;
    c->streamStarting = true;
    sound::askService();
    return;
  }
  c->voice.play(sample);
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
  if (sound::Channel* c = playingChannel(channel)) c->voice.volume = v;
}

void ofSoundPlayer::setPaused(bool p) {
  Guard guard(sound::lock());
  sound::Channel* c = playingChannel(channel);
  if (!c) return;
  c->voice.paused = p;
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
  c->voice.seek(static_cast<long>(length * fraction));
}

float ofSoundPlayer::getPosition() {
  Guard guard(sound::lock());
  sound::Channel* c = playingChannel(channel);
  if (!c || stream || length == 0) return 0;
  return static_cast<float>(c->voice.position()) / length;
}
