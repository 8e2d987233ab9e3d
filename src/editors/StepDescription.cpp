#include "editors/StepDescription.h"

#include <algorithm>
#include <string>
#include <vector>

#include "level/SameContent.h"

namespace {
template <typename T>
using Splice = EditHistory::Splice<T>;
using Phrases = std::vector<std::string>;

// How a list's items are called; numbered items are named by their place
// when there is one ("frame 2"), the others only counted ("2 walls").
struct Noun {
  const char* one;
  bool numbered;
};

const Noun wallNoun{"wall", false}, zoneNoun{"zone", false}, receiverNoun{"receiver", false},
    placedNoun{"placed model", false}, pointNoun{"gravity point", false},
    frameNoun{"frame", true}, levelNoun{"level", true}, modelNoun{"model", true};

std::string named(const Noun& noun, size_t count, size_t index) {
  if (noun.numbered && count == 1) return std::string(noun.one) + " " + std::to_string(index + 1);
  return std::to_string(count) + " " + noun.one + (count == 1 ? "" : "s");
}

// before, put where after is, would be after: the v drag moved it.
bool movedOnly(Wall before, const Wall& after) {
  static_cast<ofxVec4f&>(before) = after;
  return sameContent(before, after);
}
bool movedOnly(Warp before, const Warp& after) {
  before.rect = after.rect;
  return sameContent(before, after);
}
bool movedOnly(Receiver before, const Receiver& after) {
  before.pos = after.pos;
  return sameContent(before, after);
}
bool movedOnly(ModelRef before, const ModelRef& after) {
  before.pos = after.pos;
  return sameContent(before, after);
}
bool movedOnly(const GravityPoint&, const GravityPoint&) { return true; }
// Frames, levels and models are changed, never moved.
bool movedOnly(const ModelFrame&, const ModelFrame&) { return false; }
bool movedOnly(const Level&, const Level&) { return false; }
bool movedOnly(const Model&, const Model&) { return false; }

// The items of the splice's span that differ are changed (or moved); those
// past the shorter of before and now are added or removed.
template <typename T>
void describeList(const Noun& noun, const Splice<T>& splice, const std::vector<T>& now,
                  Phrases& out) {
  if (!splice.changed || splice.at + splice.count > now.size()) return;
  const std::vector<T>& before = splice.items;
  const size_t common = std::min(before.size(), splice.count);
  size_t changed = 0, first = 0;
  bool moved = true;
  for (size_t i = 0; i < common; ++i) {
    const T& after = now[splice.at + i];
    if (sameContent(before[i], after)) continue;
    if (changed++ == 0) first = splice.at + i;
    moved = moved && movedOnly(before[i], after);
  }
  if (changed > 0) out.push_back(named(noun, changed, first) + (moved ? " moved" : " changed"));
  const size_t past = splice.at + common;
  if (splice.count > common) out.push_back(named(noun, splice.count - common, past) + " added");
  if (before.size() > common) out.push_back(named(noun, before.size() - common, past) + " removed");
}

std::string onOff(const char* what, bool on) { return std::string(what) + (on ? " on" : " off"); }

void describeSettings(const Level& before, const Level& after, Phrases& out) {
  if (before.guid != after.guid) out.push_back("guid renamed to " + after.guid);
  if (before.gravity != after.gravity) out.push_back(onOff("gravity", after.gravity));
  if (before.friction != after.friction) out.push_back(onOff("friction", after.friction));
}

void describeSettings(const Model& before, const Model& after, Phrases& out) {
  if (before.guid != after.guid) out.push_back("guid renamed to " + after.guid);
  // By the number the tool's parameter lines show.
  if (before.animSpeed != after.animSpeed) {
    out.push_back("animation speed " + std::to_string(after.animSpeed));
  }
  if (before.solid != after.solid) out.push_back(onOff("solid", after.solid));
  if (before.playOnce != after.playOnce) out.push_back(onOff("play once", after.playOnce));
  if (before.SE != after.SE) out.push_back("sound tag changed");
}

void describeInside(const EditHistory::LevelEdit& edit, const Level& after, Phrases& out) {
  if (edit.settingsChanged) describeSettings(edit.settings, after, out);
  describeList(wallNoun, edit.walls, after.walls, out);
  describeList(zoneNoun, edit.warps, after.warps, out);
  describeList(receiverNoun, edit.receivers, after.receivers, out);
  describeList(placedNoun, edit.modelRefs, after.modelRefs, out);
  describeList(pointNoun, edit.gravityPoints, after.gravityPoints, out);
}

void describeInside(const EditHistory::ModelEdit& edit, const Model& after, Phrases& out) {
  if (edit.settingsChanged) describeSettings(edit.settings, after, out);
  describeList(frameNoun, edit.frames, after.frames, out);
}

std::string joined(const Phrases& phrases, const char* separator) {
  std::string text;
  for (const std::string& phrase : phrases) {
    if (!text.empty()) text += separator;
    text += phrase;
  }
  return text;
}

// "level 2: 1 wall moved, gravity off" for each item edited in place.
template <typename T, typename Edit>
void describeEdits(const Noun& noun, const std::vector<Edit>& edits, const std::vector<T>& now,
                   Phrases& out) {
  for (const Edit& edit : edits) {
    if (edit.index >= now.size()) continue;
    Phrases inside;
    describeInside(edit, now[edit.index], inside);
    out.push_back(named(noun, 1, edit.index) + ": " + joined(inside, ", "));
  }
}
}  // namespace

std::string describeStep(const EditHistory::Step& step, const LevelData& now) {
  Phrases parts;
  describeList(levelNoun, step.levels, now.levels, parts);
  describeEdits(levelNoun, step.levelEdits, now.levels, parts);
  describeList(modelNoun, step.models, now.models, parts);
  describeEdits(modelNoun, step.modelEdits, now.models, parts);
  return joined(parts, "; ");
}
