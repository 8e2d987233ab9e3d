#include "editors/GuidRename.h"

#include <algorithm>

#include "framework/ofUtils.h"
#include "game/ZoneCommands.h"

namespace editor {
namespace {
// The zone commands whose id is a model's guid.
bool namesModel(const Warp& zone) {
  return zone.level == "add" || zone.level == "addX" || zone.level == "remove";
}

template <typename T>
bool guidTaken(const std::vector<T>& list, int index, const std::string& guid) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (static_cast<int>(i) != index && list[i].guid == guid) return true;
  }
  return false;
}

// Sets name to to where it is from; counts the ones changed.
int follow(std::string& name, const std::string& from, const std::string& to) {
  if (name != from) return 0;
  name = to;
  return 1;
}

std::string said(const char* what, const std::string& from, const std::string& to, int count) {
  return std::string(what) + " \"" + from + "\" is now \"" + to + "\": " + ofToString(count) +
         (count == 1 ? " reference follows" : " references follow");
}

template <typename T>
std::string refusal(const char* what, const std::vector<T>& list, int index, const std::string& to) {
  if (index < 0 || index >= static_cast<int>(list.size())) return std::string("no ") + what + " to rename";
  if (to.empty()) return std::string(what) + " not renamed: a guid cannot be empty";
  if (guidTaken(list, index, to)) {
    return std::string(what) + " not renamed: another " + what + " is \"" + to + "\" already";
  }
  return "";
}
}  // namespace

std::string renameLevel(LevelData& data, int index, const std::string& to) {
  const std::string refused = refusal("level", data.levels, index, to);
  if (!refused.empty()) return refused;
  const std::string from = data.levels[static_cast<size_t>(index)].guid;
  if (from == to) return "level \"" + to + "\" unchanged";
  int count = 0;
  for (Level& level : data.levels) {
    // A map id that is a command word runs the command: it names no
    // level, even one given that word as its guid.
    if (!isZoneCommand(from)) {
      for (Warp& zone : level.warps) count += follow(zone.level, from, to);
    }
    for (ModelRef& ref : level.modelRefs) {
      if (ref.warpOnEndAnimation) count += follow(ref.level, from, to);
    }
  }
  data.levels[static_cast<size_t>(index)].guid = to;
  return said("level", from, to, count);
}

std::string renameModel(LevelData& data, int index, const std::string& to) {
  const std::string refused = refusal("model", data.models, index, to);
  if (!refused.empty()) return refused;
  const std::string from = data.models[static_cast<size_t>(index)].guid;
  if (from == to) return "model \"" + to + "\" unchanged";
  int count = 0;
  for (Level& level : data.levels) {
    for (ModelRef& ref : level.modelRefs) count += follow(ref.guid, from, to);
    for (Warp& zone : level.warps) {
      if (namesModel(zone)) count += follow(zone.id, from, to);
    }
  }
  data.models[static_cast<size_t>(index)].guid = to;
  return said("model", from, to, count);
}

}  // namespace editor
