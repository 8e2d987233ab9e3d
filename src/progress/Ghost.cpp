// A ghost is one XML file per level, read and written through XmlSettings:
//   <Ghost version="1" level="GUID" frames="N" bestMs="61234.5">
//       <S f="x y a;x y a;..."></S>   (one per second of flight, 60 frames)
//   </Ghost>
// x and y are kept to a tenth of a pixel and the heading to whole degrees,
// which is finer than the screen shows and keeps a minute under 100 KB.
// bestMs, the pass's time, is missing from the files of older games, which
// read as before.

#include "progress/Ghost.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "framework/XmlSettings.h"
#include "framework/ofFile.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "game/Hull.h"
#include "platform/KeepAside.h"
#include "platform/UserPaths.h"
#include "progress/RecordFile.h"
#include "progress/RecordWriter.h"

namespace {
constexpr size_t framesPerElement = 60;
// No level is a tenth as wide: a place is written within it, so a frame's
// text is at most "-1000000.0 -1000000.0 -180;", 27 bytes, and the longest
// ghost's file under 1 MB, half of maxFileBytes.
constexpr float farthest = 1e6f;

bool keptAsIs(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

// '%' is escaped like any other byte, so two guids never share a name, and
// '.' and '/' are too, so no name can leave the ghosts folder.
std::string fileName(const std::string& guid) {
  static const char hex[] = "0123456789ABCDEF";
  std::string name;
  for (unsigned char c : guid) {
    if (keptAsIs(c)) {
      name += static_cast<char>(c);
    } else {
      name += '%';
      name += hex[c >> 4];
      name += hex[c & 15];
    }
  }
  return name;
}

// The heading is written within -180..180: a ship that kept turning has
// gone round many times, and the file need not say how often.
void appendFrame(std::string& text, const Ghost::Frame& f) {
  char line[160];  // room for three of the longest floats in "%.1f"
  const int n = std::snprintf(line, sizeof line, "%.1f %.1f %.0f",
                              static_cast<double>(std::clamp(f.x, -farthest, farthest)),
                              static_cast<double>(std::clamp(f.y, -farthest, farthest)),
                              static_cast<double>(std::remainder(f.angle, 360.0f)));
  text.append(line, static_cast<size_t>(std::clamp(n, 0, static_cast<int>(sizeof line) - 1)));
}

// Reads "x y a", numbers separated by spaces, into frame; false for
// anything else, a number that is not finite ("nan", "inf", "1e39") included.
bool parseFrame(const char* first, const char* last, Ghost::Frame& frame) {
  for (float* field : {&frame.x, &frame.y, &frame.angle}) {
    while (first != last && *first == ' ') ++first;
    const std::from_chars_result end = std::from_chars(first, last, *field);
    if (end.ec != std::errc() || !std::isfinite(*field)) return false;
    if (end.ptr != last && *end.ptr != ' ') return false;
    first = end.ptr;
  }
  while (first != last && *first == ' ') ++first;
  return first == last;
}

// Appends the frames of one element's text; why they do not read, or empty.
std::string readFrames(const std::string& text, std::vector<Ghost::Frame>& track) {
  const char* first = text.data();
  const char* const last = first + text.size();
  while (true) {
    const char* stop = std::find(first, last, ';');
    Ghost::Frame frame{};
    if (!parseFrame(first, stop, frame)) {
      return "frame " + std::to_string(track.size()) + " is not three finite numbers";
    }
    track.push_back(frame);
    if (stop == last) return "";
    first = stop + 1;
  }
}

// The file at path read as a ghost of guid into track and best; its state
// is read only when they now hold it, and why says what was wrong.
RecordFile readGhost(const std::string& path, const std::string& guid,
                     std::vector<Ghost::Frame>& track, std::optional<float>& best) {
  XmlSettings xml;
  RecordFile file = readRecordFile(path, Ghost::maxFileBytes, xml);
  if (file.state != RecordFile::State::read) return file;
  file.why = [&]() -> std::string {
    if (xml.getNumTags("Ghost") == 0) return "there is no Ghost element";
    if (!file.after.empty()) return "it holds more than the ghost: " + file.after;
    if (xml.getAttribute("Ghost", "version", 0) != 1) return "its version is not 1";
    if (xml.getAttribute("Ghost", "level", "") != guid) return "it is the ghost of another level";
    const std::string bestText = xml.getAttribute("Ghost", "bestMs", "");
    best = parseRecordTime(bestText);
    if (!bestText.empty() && !best) return "its bestMs \"" + bestText + "\" is not a time";
    const std::string declared = xml.getAttribute("Ghost", "frames", "");
    xml.pushTag("Ghost");
    const int seconds = xml.getNumTags("S");
    for (int s = 0; s < seconds; ++s) {
      const std::string why = readFrames(xml.getAttribute("S", "f", "", s), track);
      if (!why.empty()) return why;
    }
    xml.popTag();
    if (declared != std::to_string(track.size())) {
      return "it holds " + std::to_string(track.size()) + " frames but says frames=\"" +
             declared + "\"";
    }
    return "";
  }();
  if (!file.why.empty()) file.state = RecordFile::State::damaged;
  if (track.size() > Ghost::maxFrames) track.resize(Ghost::maxFrames);
  return file;
}

// The document of a ghost: the frames a second to an element.
void writeGhost(XmlSettings& xml, const std::string& guid, const std::vector<Ghost::Frame>& track,
                const std::optional<float>& best) {
  xml.addTag("Ghost");
  xml.setAttribute("Ghost", "version", 1);
  xml.setAttribute("Ghost", "level", guid);
  xml.setAttribute("Ghost", "frames", std::to_string(track.size()));
  if (best) xml.setAttribute("Ghost", "bestMs", recordTimeText(*best));
  xml.pushTag("Ghost");
  std::string text;
  for (size_t first = 0; first < track.size(); first += framesPerElement) {
    text.clear();
    const size_t end = std::min(first + framesPerElement, track.size());
    for (size_t i = first; i < end; ++i) {
      if (i > first) text += ';';
      appendFrame(text, track[i]);
    }
    xml.setAttribute("S", "f", text, xml.addTag("S"));
  }
  xml.popTag();
}

bool makeGhostFolder() {
  if (!makeUserDataFolder()) return false;
  const std::string folder = userDataPath("ghosts");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    ofLog(OF_ERROR, "could not make the ghosts folder %s: %s", folder.c_str(),
          error.message().c_str());
    return false;
  }
  return true;
}
}  // namespace

std::string Ghost::path(const std::string& guid) {
  return guid.empty() ? "" : userDataPath("ghosts/" + fileName(guid) + ".xml");
}

void Ghost::clear() {
  track.clear();
  best.reset();
}

void Ghost::record(const ofxVec2f& pos, float angle) {
  if (track.size() >= maxFrames) return;
  Frame frame = track.empty() ? Frame{0, 0, 0} : track.back();
  if (std::isfinite(pos.x)) frame.x = pos.x;
  if (std::isfinite(pos.y)) frame.y = pos.y;
  if (std::isfinite(angle)) frame.angle = angle;
  track.push_back(frame);
}

const Ghost::Frame* Ghost::at(size_t frame) const {
  return frame < track.size() ? &track[frame] : nullptr;
}

// The hull is turned in code and placed, as the game does for its ship, so
// that the two outlines line up exactly.
void Ghost::draw(size_t frame) const {
  const Frame* f = at(frame);
  if (!f) return;
  ofxVec2f hull[3];
  placeHull(ofxVec2f(f->x, f->y), f->angle, hull);
  const ofColor colour = ofGetStyle().color;
  const bool filled = ofGetFill();
  ofSetColor(180, 200, 255, 90);
  ofNoFill();
  ofTriangle(hull[0].x, hull[0].y, hull[1].x, hull[1].y, hull[2].x, hull[2].y);
  ofSetColor(static_cast<int>(std::lround(colour.r)), static_cast<int>(std::lround(colour.g)),
             static_cast<int>(std::lround(colour.b)), static_cast<int>(std::lround(colour.a)));
  if (filled) ofFill();
}

bool Ghost::save(const std::string& guid) const {
  if (guid.empty()) {
    ofLog(OF_WARNING, "could not save a ghost: its level has no guid to name the file by");
    return false;
  }
  if (!makeGhostFolder()) return false;
  const std::string file = path(guid);
  const ofFileLock lock(userDataPath("ghosts"));
  std::vector<Frame> oldTrack;
  std::optional<float> oldBest;
  const RecordFile there = readGhost(file, guid, oldTrack, oldBest);
  switch (there.state) {
    case RecordFile::State::unreadable:
      ofLog(OF_ERROR, "could not save the ghost %s: it cannot be read (%s), and is left as it is",
            file.c_str(), there.why.c_str());
      return false;
    case RecordFile::State::damaged:
      if (!keepAside(file, there.why)) return false;
      break;
    case RecordFile::State::read:
      // A pass of no known best counts as worse than any that has one.
      if (oldBest && (!best || *best >= *oldBest)) return true;
      break;
    case RecordFile::State::missing: break;
  }
  XmlSettings xml;
  writeGhost(xml, guid, track, best);
  if (!xml.saveFile(file)) {
    ofLog(OF_ERROR, "could not save the ghost %s: %s", file.c_str(), xml.lastError().c_str());
    return false;
  }
  return true;
}

bool Ghost::load(const std::string& guid) {
  flushRecordJobs();
  clear();
  const std::string file = path(guid);
  if (file.empty()) {
    ofLog(OF_NOTICE, "no ghost to load: %s",
          guid.empty() ? "a level without a guid has none" : "there is no player's folder");
    return false;
  }
  std::vector<Frame> read;
  std::optional<float> readBest;
  const RecordFile found = readGhost(file, guid, read, readBest);
  if (found.state == RecordFile::State::missing) {
    ofLog(OF_NOTICE, "no ghost in %s yet", file.c_str());
    return false;
  }
  if (found.state != RecordFile::State::read) {
    ofLog(OF_WARNING, "could not load the ghost %s: %s", file.c_str(), found.why.c_str());
    return false;
  }
  track = std::move(read);
  best = readBest;
  return true;
}
