#pragma once
// Whether two levels or two models hold the same content: everything a save
// writes, nothing of the animation state (wall opacity, shown frame, frame
// timer). The editors' undo history tells edits apart from animation by it.

#include <tuple>

#include "level/Level.h"
#include "level/LevelData.h"
#include "level/Model.h"

// The fields a save writes for a level (a model) beside its lists, tied
// together so that they are compared, kept and put back as one; L is Level
// or const Level, M Model or const Model.
template <typename L>
auto levelSettings(L& level) {
  return std::tie(level.guid, level.gravity, level.friction);
}
template <typename M>
auto modelSettings(M& model) {
  return std::tie(model.guid, model.animSpeed, model.solid, model.playOnce, model.SE);
}

// Inline: the undo history compares lists of thousands of walls on every
// edit. The colour's alpha is left out: a save writes r, g and b only.
inline bool sameContent(const Wall& a, const Wall& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w && a.type == b.type &&
         a.color.r == b.color.r && a.color.g == b.color.g && a.color.b == b.color.b;
}
bool sameContent(const Warp& a, const Warp& b);
bool sameContent(const Receiver& a, const Receiver& b);
bool sameContent(const ModelRef& a, const ModelRef& b);
bool sameContent(const GravityPoint& a, const GravityPoint& b);
bool sameContent(const ModelFrame& a, const ModelFrame& b);
bool sameContent(const Level& a, const Level& b);
bool sameContent(const Model& a, const Model& b);
// Every model and level (not the selection or the save count).
bool sameContent(const LevelData& a, const LevelData& b);
