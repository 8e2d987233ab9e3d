#include "support/GameFixture.h"

#include "support/SoundFixtures.h"

const char* const GameFixture::effectTags[] = {"thruster_start", "thruster_sustained", "fuel",
                                               "shaking", "warp", "dying", "respawn", "ding",
                                               "checkpoint"};

void GameFixture::SetUp() {
  ofSetClock(&clock);
  ofSetupOpenGL(&window, 530, 370, 0);
  // One second of tone per effect the game plays, and two songs.
  std::string xml = "<BGM>";
  for (const char* song : {"menu", "cave"}) {
    writeTone(scratch.path() + "/data/" + song + ".wav", 1.0f);
    xml += std::string("<bgm tag=\"") + song + "\" path=\"" + song + ".wav\"/>";
  }
  xml += "</BGM><SE>";
  for (const char* tag : effectTags) {
    writeTone(scratch.path() + "/data/" + tag + ".wav", 1.0f);
    xml += std::string("<se tag=\"") + tag + "\" path=\"" + tag + ".wav\"/>";
  }
  scratch.write("data/audio.xml", xml + "</SE>");
  game = std::make_unique<Game>();
  current.reset();
  previous.reset();
}

void GameFixture::TearDown() {
  game.reset();
  ofSetCurrentWindow(nullptr);
  ofSetClock(nullptr);
}

LevelData GameFixture::emptyLevel() {
  LevelData data;
  data.levels[0].guid = "one";
  data.levels[0].gravity = false;
  data.levels[0].friction = false;
  data.models.clear();
  return data;
}

void GameFixture::start(const LevelData& data) { ASSERT_TRUE(game->start(data)); }

bool GameFixture::frame() {
  clock.advance(16);
  const bool running = game->update(current, previous);
  previous = current;
  return running;
}

bool GameFixture::frames(int n) {
  bool running = true;
  for (int i = 0; i < n; ++i) running = frame();
  return running;
}

bool GameFixture::effectPlaying(const std::string& tag) {
  for (auto& effect : game->ownAudio.effects) {
    if (effect->tag == tag && effect->getIsPlaying()) return true;
  }
  return false;
}

int GameFixture::channelsPlaying() {
  std::lock_guard<std::mutex> guard(sound::lock());
  return sound::playingChannels();
}

void GameFixture::stopAllSounds() { ofSoundStopAll(); }

ModelRef placed(const std::string& guid, float x, float y) {
  ModelRef ref;
  ref.guid = guid;
  ref.pos = ofxVec2f(x, y);
  return ref;
}

Warp zone(float x, float y, float w, float h, const std::string& command, const std::string& id,
          const std::string& dir) {
  return Warp{ofRectangle(x, y, w, h), command, id, dir};
}
