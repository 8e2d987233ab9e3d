#include "audio/AudioBank.h"

#include "framework/ofLog.h"
#include "framework/ofMath.h"
#include "framework/ofUtils.h"
#include "framework/XmlSettings.h"

AudioBank::AudioBank() { load(); }

AudioBank::~AudioBank() {
  songs.clear();
  effects.clear();
}

void AudioBank::load() {
  XmlSettings xml;
  if (!xml.loadFile("audio.xml")) {
    ofLog(OF_ERROR, "could not load %s: %s", ofToDataPath("audio.xml").c_str(),
          xml.lastError().c_str());
    return;
  }
  // A missing container leaves the cursor on the document, where its
  // entries are then looked for.
  xml.pushTag("BGM", 0);
  const int songCount = xml.getNumTags("bgm");
  for (int i = 0; i < songCount; ++i) {
    addSong(xml.getAttribute("bgm", "path", "", i), xml.getAttribute("bgm", "tag", "", i));
  }
  xml.popTag();
  xml.pushTag("SE", 0);
  const int effectCount = xml.getNumTags("se");
  for (int j = 0; j < effectCount; ++j) {
    addEffect(xml.getAttribute("se", "path", "", j), xml.getAttribute("se", "tag", "", j));
  }
  xml.popTag();
}

namespace {
// Music streams and loops alone; effects are decoded whole and overlap.
bool addTagged(std::vector<std::unique_ptr<TaggedAudio>>& list, const std::string& path,
               const std::string& tag, bool music) {
  list.push_back(std::make_unique<TaggedAudio>());
  TaggedAudio& sound = *list.back();
  sound.loadSound(path, music);
  sound.tag = tag;
  sound.setMultiPlay(!music);
  sound.setLoop(music);
  return sound.loaded;
}
}  // namespace

bool AudioBank::addSong(const std::string& path, const std::string& tag) {
  return addTagged(songs, path, tag, true);
}

bool AudioBank::addEffect(const std::string& path, const std::string& tag) {
  const bool loaded = addTagged(effects, path, tag, false);
  effects.back()->setVolume(effectsMaster);
  return loaded;
}

void AudioBank::update() {
  if (songActive && currentSong->paused) return;
  volume = ofClamp(volume + fadeStep, 0, 1);
  if (fadeStep == fadeIn) {
    if (volume >= fullVolume) fadeStep = 0;
  } else if (fadeStep == fadeOut && volume <= 0) {
    fadeStep = 0;
    if (playSong(nextSong, false)) {
      nextSong = "";
      fadeStep = fadeIn;
    }
  }
  if (songActive) currentSong->setVolume(volume * musicMaster);
}

void AudioBank::playEffect(const std::string& tag) {
  for (auto& effect : effects) {
    if (effect->tag == tag) effect->play();
  }
}

bool AudioBank::playSong(const std::string& tag, bool fadeOutFirst) {
  if (tag.empty()) return false;
  TaggedAudio* found = nullptr;
  for (auto& song : songs) {
    if (song->tag == tag) {
      found = song.get();
      break;
    }
  }
  if (!found) return false;
  if (fadeOutFirst) {
    fadeStep = fadeOut;
    nextSong = tag;
    return true;
  }
  fadeStep = fadeIn;
  if (songActive) currentSong->stop();
  currentSong = found;
  if (!held) currentSong->play();
  songActive = true;
  return true;
}

void AudioBank::resumeSong() {
  if (!songActive || held) return;
  if (currentSong->paused || !currentSong->getIsPlaying()) {
    currentSong->setPaused(false);
  } else {
    currentSong->play();
  }
}

void AudioBank::pauseSong() {
  if (songActive) currentSong->setPaused(true);
}

void AudioBank::stopSong() {
  if (!songActive) return;
  currentSong->stop();
  songActive = false;
}

void AudioBank::fadeOutSong() {
  fadeStep = fadeOut;
  nextSong = "";
}

void AudioBank::setFullVolume(float v) {
  fadeStep = 0;
  fullVolume = ofClamp(v, 0, 1);
}

void AudioBank::hold() { held = true; }

void AudioBank::release() { held = false; }

void AudioBank::setMasterVolumes(float music, float effectsVolume) {
  musicMaster = ofClamp(music, 0, 1);
  effectsMaster = ofClamp(effectsVolume, 0, 1);
  for (auto& effect : effects) effect->setVolume(effectsMaster);
  if (songActive) currentSong->setVolume(volume * musicMaster);
}
