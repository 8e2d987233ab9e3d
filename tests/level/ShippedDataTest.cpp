// The level set the game ships, data/data.xml, as the campaign generator
// wrote it: exactly the game's own save output, complete in its mechanics,
// its warps leading somewhere, its sounds defined.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "framework/XmlSettings.h"
#include "level/LevelData.h"
#include "support/ScratchFolder.h"

namespace {
const std::string shipped = std::string(ORVANE_SOURCE_DIR) + "/data/";

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text with the save counter of the "Info" element blanked out.
std::string withoutCount(std::string xml) {
  const std::string tag = "<Info count=\"";
  const size_t at = xml.find(tag);
  if (at != std::string::npos) xml.erase(at + tag.size(), xml.find('"', at + tag.size()) - at - tag.size());
  return xml;
}

// The zone words whose id or dir name a receiver of the same level.
bool isCommand(const std::string& word) {
  static const std::set<std::string> words = {
      "mark",       "fuel",       "trigger",   "add",        "addX",         "shake",
      "face",       "breaks",     "remove",    "sound",      "song",         "songAtFull",
      "song_play",  "song_pause", "song_stop", "song_fade",  "song_setFullVolume",
      "cycle_thunder", "cycle_siren", "cycle_end", "finish_it", "this"};
  return words.count(word) > 0;
}

struct Shipped : testing::Test {
  ScratchFolder scratch;
  LevelData data{LevelData::Empty{}};
  void SetUp() override {
    scratch.write("data/data.xml", fileText(shipped + "data.xml"));
    ASSERT_TRUE(data.load("data.xml")) << "data/data.xml is missing or unreadable";
    ASSERT_FALSE(data.levels.empty());
  }
  bool hasReceiver(const Level& level, const std::string& id) const {
    for (const Receiver& r : level.receivers) {
      if (r.id == id) return true;
    }
    return false;
  }
};
}  // namespace

TEST_F(Shipped, IsExactlyWhatTheGamesOwnSaveWrites) {
  for (const char* name : {"data.xml", "logo.xml"}) {
    const std::string text = fileText(shipped + name);
    scratch.write(std::string("data/") + name, text);
    LevelData content{LevelData::Empty{}};
    ASSERT_TRUE(content.load(name)) << name;
    EXPECT_EQ(content.saveCount, 1) << name;
    ASSERT_TRUE(content.save());  // writes data.xml whatever was loaded
    EXPECT_EQ(withoutCount(scratch.read("data/data.xml")), withoutCount(text))
        << name << ": regenerate it with tools/make_campaign.sh";
  }
  EXPECT_FALSE(std::ifstream(shipped + "save_1.xml").good()) << "the numbered copy is not shipped";
}

TEST_F(Shipped, UsesEveryZoneCommandAndHasAModelForEveryRole) {
  std::set<std::string> used;
  bool levelWarp = false;
  for (const Level& level : data.levels) {
    for (const Warp& w : level.warps) {
      used.insert(w.level);
      levelWarp = levelWarp || !isCommand(w.level);
    }
  }
  for (const char* word :
       {"mark", "fuel", "trigger", "add", "addX", "shake", "face", "breaks", "remove", "sound",
        "song", "songAtFull", "song_play", "song_pause", "song_stop", "song_fade",
        "song_setFullVolume", "cycle_thunder", "cycle_siren", "cycle_end", "finish_it", "this"}) {
    EXPECT_EQ(used.count(word), 1u) << "no zone runs \"" << word << "\"";
  }
  EXPECT_TRUE(levelWarp);

  std::set<std::string> models;
  for (const Model& m : data.models) {
    EXPECT_FALSE(m.frames.empty()) << m.guid;
    models.insert(m.guid);
  }
  for (const char* role : {"spawner", "player_death", "player_respawn", "grav_center", "fuel_tank",
                           "gas_fumes", "battery_charge"}) {
    EXPECT_EQ(models.count(role), 1u) << "no model \"" << role << "\"";
  }
  EXPECT_TRUE(data.levels.front().hasModelRef("spawner")) << "the run starts in the first level";
  EXPECT_TRUE(data.levels.back().hasModelRef("grav_center"));
  bool finishes = false;
  for (const Warp& w : data.levels.back().warps) finishes = finishes || w.level == "finish_it";
  EXPECT_TRUE(finishes) << "the last level ends the run";
}

TEST_F(Shipped, EveryWarpAndCheckpointLeadsToAReceiverThatExists) {
  std::set<std::string> guids;
  for (const Level& level : data.levels) {
    EXPECT_TRUE(guids.insert(level.guid).second) << "two levels are called " << level.guid;
  }
  for (const Level& level : data.levels) {
    for (const Warp& w : level.warps) {
      const std::string where = level.guid + ": \"" + w.level + "\" " + w.id;
      if (w.level == "mark" || w.level == "this") {
        EXPECT_TRUE(hasReceiver(level, w.id)) << where;
      } else if (w.level == "addX") {
        EXPECT_TRUE(hasReceiver(level, w.dir)) << where;
      } else if (!isCommand(w.level)) {
        bool found = false;
        for (const Level& target : data.levels) {
          found = found || (target.guid == w.level && hasReceiver(target, w.id));
        }
        EXPECT_TRUE(found) << where;
      }
    }
  }
}

// A newcomer must see where a checkpoint is before it matters, must not
// cross one with the first thrust off the pad, and must not be flung into
// a wall by the speed a warp carries into the next level.
TEST_F(Shipped, CheckpointsCanBeSeenAndArrivalsGiveTheShipAMoment) {
  auto placed = [](const Level& level, const std::string& model, const ofxVec2f& at) {
    for (const ModelRef& ref : level.modelRefs) {
      if (ref.guid == model && ref.pos.distance(at) < 1) return true;
    }
    return false;
  };
  auto contains = [](const ofRectangle& r, const ofxVec2f& p) {
    return r.x <= p.x && p.x <= r.x + r.width && r.y <= p.y && p.y <= r.y + r.height;
  };
  std::set<std::string> arrivals;
  for (const Level& level : data.levels) {
    for (const Warp& w : level.warps) {
      if (!isCommand(w.level)) arrivals.insert(w.level + "/" + w.id);
    }
  }
  for (const Level& level : data.levels) {
    for (const Receiver& r : level.receivers) {
      const std::string where = level.guid + "/" + r.id;
      bool marks = false;
      for (const Warp& w : level.warps) marks = marks || (w.level == "mark" && w.id == r.id);
      if (marks) {
        EXPECT_TRUE(placed(level, "checkpoint_marker", r.pos)) << where << " has no beacon";
      }
      if (!arrivals.count(where)) continue;
      bool calmed = false;
      for (const Warp& w : level.warps) calmed = calmed || (w.level == "breaks" && contains(w.rect, r.pos));
      EXPECT_TRUE(calmed) << where << ": the ship arrives at full speed";
    }
  }
  // The run starts on a checkpoint of its own, as every arrival does, so
  // walls hold from the first frame; the next one waits out in the open.
  const Level& first = data.levels.front();
  for (const ModelRef& pad : first.modelRefs) {
    if (pad.guid != "spawner") continue;
    bool onCheckpoint = false;
    for (const Warp& w : first.warps) {
      if (w.level != "mark") continue;
      const float dx = std::fmax(0.0f, std::fmax(w.rect.x - pad.pos.x, pad.pos.x - w.rect.x - w.rect.width));
      const float dy = std::fmax(0.0f, std::fmax(w.rect.y - pad.pos.y, pad.pos.y - w.rect.y - w.rect.height));
      if (contains(w.rect, pad.pos)) {
        onCheckpoint = true;
        continue;
      }
      EXPECT_GE(std::hypot(dx, dy), 150) << "checkpoint " << w.id << " is too close to the pad";
    }
    EXPECT_TRUE(onCheckpoint) << "the run starts outside every checkpoint zone";
  }
}

// The first levels teach with words drawn in the cave: models of text that
// must exist, draw something and be placed there.
TEST_F(Shipped, TheFirstThreeLevelsShowHints) {
  ASSERT_GE(data.levels.size(), 3u);
  std::set<std::string> drawn;
  for (const Model& m : data.models) {
    if (!m.frames.empty() && !m.frames[0].walls.empty()) drawn.insert(m.guid);
  }
  for (size_t l = 0; l < 3; ++l) {
    int hints = 0;
    for (const ModelRef& ref : data.levels[l].modelRefs) {
      if (ref.guid.rfind("hint_", 0) == 0 && drawn.count(ref.guid)) ++hints;
    }
    EXPECT_GT(hints, 0) << data.levels[l].guid << " shows no hint";
  }
}

// Fuel looks the same wherever it floats, and the level where it first
// appears says what it is: a model placed at the middle of every "fuel"
// zone is the one model, and that level shows the fuel hint.
TEST_F(Shipped, EveryFuelPickUpLooksTheSameAndTheFirstIsExplained) {
  std::set<std::string> looks;
  int firstLevel = -1;
  for (size_t l = 0; l < data.levels.size(); ++l) {
    const Level& level = data.levels[l];
    for (const Warp& zone : level.warps) {
      if (zone.level != "fuel") continue;
      if (firstLevel < 0) firstLevel = static_cast<int>(l);
      const ofxVec2f middle(zone.rect.x + zone.rect.width / 2, zone.rect.y + zone.rect.height / 2);
      for (const ModelRef& ref : level.modelRefs) {
        if (ref.pos.distance(middle) < 1 && ref.guid.rfind("hint_", 0) != 0) looks.insert(ref.guid);
      }
    }
  }
  EXPECT_EQ(looks, std::set<std::string>{"fuel_tank"});
  ASSERT_GE(firstLevel, 0);
  EXPECT_TRUE(data.levels[static_cast<size_t>(firstLevel)].hasModelRef("hint_fuel"));
}

TEST_F(Shipped, EverySoundItPlaysIsDefinedInTheAudioFile) {
  if (!std::ifstream(shipped + "audio.xml").good()) GTEST_SKIP() << "no data/audio.xml yet";
  scratch.write("data/audio.xml", fileText(shipped + "audio.xml"));
  XmlSettings audio;
  ASSERT_TRUE(audio.loadFile("audio.xml"));
  std::set<std::string> effects, songs;
  for (const auto& [group, item, tags] : {std::make_tuple("SE", "se", &effects),
                                          std::make_tuple("BGM", "bgm", &songs)}) {
    audio.pushTag(group, 0);
    for (int i = 0; i < audio.getNumTags(item); ++i) tags->insert(audio.getAttribute(item, "tag", "", i));
    audio.popTag();
  }
  for (const Model& m : data.models) {
    if (!m.SE.empty()) {
      EXPECT_EQ(effects.count(m.SE), 1u) << "model " << m.guid << " plays " << m.SE;
    }
  }
  for (const Level& level : data.levels) {
    for (const Warp& w : level.warps) {
      if (w.level == "sound") {
        EXPECT_EQ(effects.count(w.id), 1u) << level.guid << " plays " << w.id;
      }
      if (w.level == "song" || w.level == "songAtFull") {
        EXPECT_EQ(songs.count(w.id), 1u) << level.guid << " plays the track " << w.id;
      }
    }
  }
}

// The title menu is drawn over the logo's lower right corner.
TEST(ShippedLogo, LeavesTheMenuCornerEmptyInEveryFrame) {
  ScratchFolder scratch;
  scratch.write("data/logo.xml", fileText(shipped + "logo.xml"));
  LevelData logo{LevelData::Empty{}};
  ASSERT_TRUE(logo.load("logo.xml"));
  ASSERT_FALSE(logo.levels.empty());
  auto clear = [](const Wall& w, const ofxVec2f& at) {
    for (float t : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
      const float x = at.x + w.x + t * (w.z - w.x), y = at.y + w.y + t * (w.w - w.y);
      if (x >= 265 && y >= 200) return false;
    }
    return true;
  };
  const Level& scene = logo.levels[0];
  EXPECT_GT(scene.walls.size(), 20u) << "the name is drawn";
  for (const Wall& w : scene.walls) EXPECT_TRUE(clear(w, ofxVec2f(0, 0))) << w.x << "," << w.y;
  for (const ModelRef& ref : scene.modelRefs) {
    for (const Model& m : logo.models) {
      if (m.guid != ref.guid) continue;
      for (size_t f = 0; f < m.frames.size(); ++f) {
        for (const Wall& w : m.frames[f].walls) {
          EXPECT_TRUE(clear(w, ref.pos)) << m.guid << " frame " << f;
        }
      }
    }
  }
}
