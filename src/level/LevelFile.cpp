// Reading and writing a LevelData as XML: "Info", "Models" and "Levels" as
// top-level siblings. Numbers are written as truncated integers. A load reads
// a model and a level at a time where it can (LevelFile.h).

#include "level/LevelFile.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <climits>
#include <cstdio>
#include <filesystem>

#include "framework/ofFile.h"
#include "framework/ofMath.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "level/LevelData.h"
#include "framework/XmlSettings.h"
#include "framework/XmlStream.h"
#include "platform/KeepAside.h"

namespace {
int whole(float v) { return ofTruncateToInt(v); }

void writeWall(XmlSettings& xml, const Wall& wall) {
  const int k = xml.addTag("Wall");
  xml.setAttribute("Wall", "type", wall.type, k);
  xml.setAttribute("Wall", "x1", whole(wall.x), k);
  xml.setAttribute("Wall", "y1", whole(wall.y), k);
  xml.setAttribute("Wall", "x2", whole(wall.z), k);
  xml.setAttribute("Wall", "y2", whole(wall.w), k);
  xml.setAttribute("Wall", "r", whole(wall.color.r), k);
  xml.setAttribute("Wall", "g", whole(wall.color.g), k);
  xml.setAttribute("Wall", "b", whole(wall.color.b), k);
}

void writeModel(XmlSettings& xml, const Model& model, int i) {
  xml.addTag("Model");
  xml.setAttribute("Model", "guid", model.guid, i);
  xml.setAttribute("Model", "animSpeed", model.animSpeed, i);
  xml.setAttribute("Model", "solid", model.solid ? 1 : 0, i);
  xml.setAttribute("Model", "playOnce", model.playOnce ? 1 : 0, i);
  xml.setAttribute("Model", "SE", model.SE, i);
  xml.pushTag("Model", i);
  for (size_t j = 0; j < model.frames.size(); ++j) {
    xml.addTag("Frame");
    xml.pushTag("Frame", static_cast<int>(j));
    for (const Wall& wall : model.frames[j].walls) writeWall(xml, wall);
    xml.popTag();
  }
  xml.popTag();
}

void writeLevelContent(XmlSettings& xml, const Level& level) {
  for (const Wall& wall : level.walls) writeWall(xml, wall);
  for (const Warp& warp : level.warps) {
    const int k = xml.addTag("Warp");
    xml.setAttribute("Warp", "x", whole(warp.rect.x), k);
    xml.setAttribute("Warp", "y", whole(warp.rect.y), k);
    xml.setAttribute("Warp", "w", whole(warp.rect.width), k);
    xml.setAttribute("Warp", "h", whole(warp.rect.height), k);
    xml.setAttribute("Warp", "level", warp.level, k);
    xml.setAttribute("Warp", "id", warp.id, k);
    xml.setAttribute("Warp", "dir", warp.dir, k);
  }
  for (const Receiver& receiver : level.receivers) {
    const int k = xml.addTag("Reciever");
    xml.setAttribute("Reciever", "x", whole(receiver.pos.x), k);
    xml.setAttribute("Reciever", "y", whole(receiver.pos.y), k);
    xml.setAttribute("Reciever", "id", receiver.id, k);
  }
  for (const ModelRef& ref : level.modelRefs) {
    const int k = xml.addTag("Model_Ref");
    xml.setAttribute("Model_Ref", "guid", ref.guid, k);
    xml.setAttribute("Model_Ref", "x", whole(ref.pos.x), k);
    xml.setAttribute("Model_Ref", "y", whole(ref.pos.y), k);
    xml.setAttribute("Model_Ref", "warpOnEndAnimation", ref.warpOnEndAnimation ? 1 : 0, k);
    xml.setAttribute("Model_Ref", "level", ref.level, k);
    xml.setAttribute("Model_Ref", "id", ref.id, k);
  }
  for (const GravityPoint& point : level.gravityPoints) {
    const int k = xml.addTag("Grav_Pnt");
    xml.setAttribute("Grav_Pnt", "x", whole(point.x), k);
    xml.setAttribute("Grav_Pnt", "y", whole(point.y), k);
  }
}

void writeLevel(XmlSettings& xml, const Level& level, int s) {
  xml.addTag("Level");
  xml.setAttribute("Level", "guid", level.guid, s);
  xml.setAttribute("Level", "gravity", level.gravity ? 1 : 0, s);
  xml.setAttribute("Level", "friction", level.friction ? 1 : 0, s);
  xml.pushTag("Level", s);
  writeLevelContent(xml, level);
  xml.popTag();
}

Wall readWall(XmlSettings& xml, int k) {
  auto get = [&](const char* name, int fallback) {
    return static_cast<float>(xml.getAttribute("Wall", name, fallback, k));
  };
  return Wall(get("x1", 0), get("y1", 0), get("x2", 0), get("y2", 0), get("r", 255),
              get("g", 255), get("b", 255), xml.getAttribute("Wall", "type", 0, k));
}

std::vector<Wall> readWalls(XmlSettings& xml) {
  std::vector<Wall> walls;
  const int count = xml.getNumTags("Wall");
  for (int k = 0; k < count; ++k) walls.push_back(readWall(xml, k));
  return walls;
}

Model readModel(XmlSettings& xml, int i) {
  Model model{Model::Blank{}};
  model.guid = xml.getAttribute("Model", "guid", "", i);
  model.animSpeed = xml.getAttribute("Model", "animSpeed", 0, i);
  model.solid = xml.getAttribute("Model", "solid", 1, i) != 0;
  model.playOnce = xml.getAttribute("Model", "playOnce", 0, i) != 0;
  model.SE = xml.getAttribute("Model", "SE", "", i);
  xml.pushTag("Model", i);
  const int frameCount = xml.getNumTags("Frame");
  for (int j = 0; j < frameCount; ++j) {
    xml.pushTag("Frame", j);
    model.frames.push_back(ModelFrame{readWalls(xml)});
    xml.popTag();
  }
  xml.popTag();
  return model;
}

void readLevelContent(XmlSettings& xml, Level& level) {
  level.walls = readWalls(xml);
  const int warps = xml.getNumTags("Warp");
  for (int k = 0; k < warps; ++k) {
    auto get = [&](const char* name) {
      return static_cast<float>(xml.getAttribute("Warp", name, 0, k));
    };
    level.warps.push_back(Warp{ofRectangle(get("x"), get("y"), get("w"), get("h")),
                               xml.getAttribute("Warp", "level", "", k),
                               xml.getAttribute("Warp", "id", "", k),
                               xml.getAttribute("Warp", "dir", "", k)});
  }
  const int receivers = xml.getNumTags("Reciever");
  for (int k = 0; k < receivers; ++k) {
    const ofxVec2f pos(static_cast<float>(xml.getAttribute("Reciever", "x", 0, k)),
                       static_cast<float>(xml.getAttribute("Reciever", "y", 0, k)));
    level.receivers.push_back(Receiver{pos, xml.getAttribute("Reciever", "id", "", k)});
  }
  const int refs = xml.getNumTags("Model_Ref");
  for (int k = 0; k < refs; ++k) {
    ModelRef ref;
    ref.guid = xml.getAttribute("Model_Ref", "guid", "", k);
    ref.pos = ofxVec2f(static_cast<float>(xml.getAttribute("Model_Ref", "x", 0, k)),
                       static_cast<float>(xml.getAttribute("Model_Ref", "y", 0, k)));
    ref.warpOnEndAnimation = xml.getAttribute("Model_Ref", "warpOnEndAnimation", 0, k) != 0;
    ref.level = xml.getAttribute("Model_Ref", "level", "", k);
    ref.id = xml.getAttribute("Model_Ref", "id", "", k);
    level.modelRefs.push_back(ref);
  }
  const int points = xml.getNumTags("Grav_Pnt");
  for (int k = 0; k < points; ++k) {
    level.gravityPoints.emplace_back(static_cast<float>(xml.getAttribute("Grav_Pnt", "x", 0, k)),
                                     static_cast<float>(xml.getAttribute("Grav_Pnt", "y", 0, k)));
  }
}

// The numbered copy n in folder (relative to the data folder).
std::string copyPath(const std::string& folder, int n) {
  const std::string name = "save_" + ofToString(n) + ".xml";
  return folder.empty() ? name : folder + "/" + name;
}

// The first number from `from` on whose numbered copy in folder is not there
// yet; -1 when the range has run out.
int freeCopyNumber(const std::string& folder, int from) {
  for (int n = from;; ++n) {
    if (!pathTaken(ofToDataPath(copyPath(folder, n)))) return n;
    if (n == INT_MAX) return -1;
  }
}

Level readLevel(XmlSettings& xml, int l) {
  Level level{Level::Blank{}};
  level.guid = xml.getAttribute("Level", "guid", "", l);
  level.gravity = xml.getAttribute("Level", "gravity", 0, l) != 0;
  level.friction = xml.getAttribute("Level", "friction", 0, l) != 0;
  xml.pushTag("Level", l);
  readLevelContent(xml, level);
  xml.popTag();
  return level;
}

int readSaveCount(XmlSettings& xml) { return xml.getAttribute("Info", "count", 0, 0); }

// Hands the pages the parse freed back to the system, so that what a load
// leaves behind is the level data, not the heap its XML grew to.
void releaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}
}  // namespace

bool readLevelFileInParts(const std::string& fileName, LevelData& into) {
  bool counted = false;
  XmlStreamVisitor visitor;
  visitor.element = [&](XmlSettings& piece) {
    if (counted || piece.getNumTags("Info") == 0) return;
    into.saveCount = readSaveCount(piece);
    counted = true;
  };
  visitor.child = [&](const std::string& container, XmlSettings& piece) {
    if (container == "Models" && piece.getNumTags("Model") > 0) {
      into.models.push_back(readModel(piece, 0));
    } else if (container == "Levels" && piece.getNumTags("Level") > 0) {
      into.levels.push_back(readLevel(piece, 0));
    }
  };
  return streamXmlFile(fileName, {"Models", "Levels"}, visitor);
}

bool readLevelFileWhole(const std::string& fileName, LevelData& into) {
  XmlSettings xml;
  if (!xml.loadFile(fileName)) {
    ofLog(OF_ERROR, "could not load %s: %s", ofToDataPath(fileName).c_str(),
          xml.lastError().c_str());
    return false;
  }
  into.saveCount = readSaveCount(xml);
  // Without a Models (or Levels) element the cursor stays on the document and
  // the models (or levels) are read from the top level.
  xml.pushTag("Models", 0);
  const int modelCount = xml.getNumTags("Model");
  for (int i = 0; i < modelCount; ++i) into.models.push_back(readModel(xml, i));
  xml.popTag();
  xml.pushTag("Levels", 0);
  const int levelCount = xml.getNumTags("Level");
  for (int l = 0; l < levelCount; ++l) into.levels.push_back(readLevel(xml, l));
  xml.popTag();
  return true;
}

bool LevelData::save(const std::string& fileName, bool* copyKept) {
  // Numbered copies are never written over: the count skips to a free one.
  // A count already at the top of the range stays there.
  const std::string folder = std::filesystem::path(fileName).parent_path().string();
  const int newCount = freeCopyNumber(folder, saveCount < INT_MAX ? saveCount + 1 : saveCount);
  if (newCount < 0) {
    ofLog(OF_ERROR, "could not save %s: it is there already and no higher number is left",
          ofToDataPath(copyPath(folder, INT_MAX)).c_str());
    return false;
  }
  if (!keepUnreadable(fileName)) return false;
  XmlSettings xml;
  toXml(xml, newCount);
  // The file first: on a nearly full disk its copy must not take the room
  // the save itself needs.
  if (!xml.saveFile(fileName)) {
    ofLog(OF_ERROR, "could not save %s: %s", ofToDataPath(fileName).c_str(),
          xml.lastError().c_str());
    return false;
  }
  saveCount = newCount;
  const std::string copy = copyPath(folder, newCount);
  const bool kept = xml.saveFile(copy);
  if (!kept) {
    ofLog(OF_ERROR, "saved %s, but could not keep its numbered copy %s: %s",
          ofToDataPath(fileName).c_str(), ofToDataPath(copy).c_str(), xml.lastError().c_str());
  }
  if (copyKept) *copyKept = kept;
  return true;
}

bool LevelData::keepAsNumberedCopy(const std::string& fileName, std::string& keptAs) {
  const ofFileRead read = ofReadFile(ofToDataPath(fileName));
  if (!read.ok) {
    ofLog(OF_ERROR, "could not keep a copy of %s: %s", ofToDataPath(fileName).c_str(),
          read.error.c_str());
    return false;
  }
  const std::string folder = std::filesystem::path(fileName).parent_path().string();
  const int n = freeCopyNumber(folder, 1);
  std::string error;
  if (n < 0 || !ofWriteFile(ofToDataPath(copyPath(folder, n)), read.bytes, error)) {
    ofLog(OF_ERROR, "could not keep a copy of %s: %s", ofToDataPath(fileName).c_str(),
          n < 0 ? "no numbered copy is free" : error.c_str());
    return false;
  }
  keptAs = ofToDataPath(copyPath(folder, n));
  return true;
}

void LevelData::toXml(XmlSettings& xml, int count) const {
  xml.addTag("Info");
  xml.setAttribute("Info", "count", count, 0);
  xml.addTag("Models");
  xml.pushTag("Models", 0);
  for (size_t i = 0; i < models.size(); ++i) writeModel(xml, models[i], static_cast<int>(i));
  xml.popTag();
  xml.addTag("Levels");
  xml.pushTag("Levels", 0);
  for (size_t s = 0; s < levels.size(); ++s) writeLevel(xml, levels[s], static_cast<int>(s));
  xml.popTag();
}

bool LevelData::load(const std::string& fileName) {
  LevelData loaded{LevelData::Empty{}};
  bool ok = readLevelFileInParts(fileName, loaded);
  if (!ok) {
    loaded = LevelData{LevelData::Empty{}};  // freed before the whole tree is built
    ok = readLevelFileWhole(fileName, loaded);
  }
  if (ok) *this = std::move(loaded);
  releaseFreedMemory();
  return ok;
}
