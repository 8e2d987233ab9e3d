#include "editors/EditHistory.h"

#include <algorithm>
#include <iterator>

#include "editors/StepDescription.h"
#include "level/SameContent.h"

namespace {
enum : int {
  KEY_REDO = 25,  // Ctrl+Y
  KEY_UNDO = 26,  // Ctrl+Z
};

// The codes of every key the snapshot keeps a flag for, found once.
const std::vector<int>& flaggedKeys() {
  static const std::vector<int> codes = [] {
    std::vector<int> found;
    InputState probe;
    for (int code = 0; code < 512; ++code) {
      if (probe.flagFor(code)) found.push_back(code);
    }
    return found;
  }();
  return codes;
}

template <typename T>
using Splice = EditHistory::Splice<T>;
using LevelEdit = EditHistory::LevelEdit;
using ModelEdit = EditHistory::ModelEdit;

// Where two lists differ: between the head items and the tail items that
// agree at both ends.
struct Span {
  size_t head = 0;
  size_t tail = 0;
};

template <typename T>
bool findChange(const std::vector<T>& kept, const std::vector<T>& now, Span& span) {
  const size_t shorter = std::min(kept.size(), now.size());
  size_t head = 0;
  while (head < shorter && sameContent(kept[head], now[head])) ++head;
  if (head == kept.size() && head == now.size()) return false;
  size_t tail = 0;
  while (tail < shorter - head &&
         sameContent(kept[kept.size() - 1 - tail], now[now.size() - 1 - tail])) {
    ++tail;
  }
  span = {head, tail};
  return true;
}

// The count items of list from at on become those of [first, last). As many
// as both have are overwritten in place, so that one changed wall in the
// middle of thousands moves none of the others.
template <typename T, typename Iterator>
void replaceRange(std::vector<T>& list, size_t at, size_t count, Iterator first, Iterator last) {
  const size_t common = std::min(count, static_cast<size_t>(std::distance(first, last)));
  const auto place = list.begin() + static_cast<std::ptrdiff_t>(at);
  const auto copied = first + static_cast<std::ptrdiff_t>(common);
  std::copy(first, copied, place);
  const auto past = place + static_cast<std::ptrdiff_t>(common);
  if (count > common) {
    list.erase(past, place + static_cast<std::ptrdiff_t>(count));
  } else {
    list.insert(past, copied, last);
  }
}

// The span of kept goes into out and now's items take its place, so kept
// then matches now.
template <typename T>
void spliceWhole(std::vector<T>& kept, const std::vector<T>& now, Span span, Splice<T>& out) {
  const auto first = kept.begin() + static_cast<std::ptrdiff_t>(span.head);
  const auto last = kept.end() - static_cast<std::ptrdiff_t>(span.tail);
  out.at = span.head;
  out.count = now.size() - span.head - span.tail;
  out.items.assign(std::make_move_iterator(first), std::make_move_iterator(last));
  out.changed = true;
  replaceRange(kept, span.head, out.items.size(),
               now.begin() + static_cast<std::ptrdiff_t>(span.head),
               now.end() - static_cast<std::ptrdiff_t>(span.tail));
}

// Replaces what changed between kept and now with a splice: the items that
// agree at both ends stay out of it, so one moved wall costs one wall.
template <typename T>
bool takeChange(std::vector<T>& kept, const std::vector<T>& now, Splice<T>& out) {
  Span span;
  if (!findChange(kept, now, span)) return false;
  spliceWhole(kept, now, span, out);
  return true;
}

// The settings of now go into kept, and kept's into out; false when they
// were the same.
template <typename T, typename Settings>
bool takeSettings(T& kept, const T& now, T& out, Settings settingsOf) {
  if (settingsOf(kept) == settingsOf(now)) return false;
  settingsOf(out) = settingsOf(kept);
  settingsOf(kept) = settingsOf(now);
  return true;
}

const auto settingsOfLevel = [](auto& level) { return levelSettings(level); };
const auto settingsOfModel = [](auto& model) { return modelSettings(model); };

bool takeEdit(Level& kept, const Level& now, LevelEdit& out) {
  bool changed = takeSettings(kept, now, out.settings, settingsOfLevel);
  out.settingsChanged = changed;
  changed |= takeChange(kept.walls, now.walls, out.walls);
  changed |= takeChange(kept.warps, now.warps, out.warps);
  changed |= takeChange(kept.receivers, now.receivers, out.receivers);
  changed |= takeChange(kept.modelRefs, now.modelRefs, out.modelRefs);
  changed |= takeChange(kept.gravityPoints, now.gravityPoints, out.gravityPoints);
  return changed;
}

bool takeEdit(Model& kept, const Model& now, ModelEdit& out) {
  bool changed = takeSettings(kept, now, out.settings, settingsOfModel);
  out.settingsChanged = changed;
  changed |= takeChange(kept.frames, now.frames, out.frames);
  return changed;
}

// An item of now's span is another item of kept's span: levels or models
// were moved, not edited.
template <typename T>
bool itemsMoved(const std::vector<T>& kept, const std::vector<T>& now, Span span) {
  const size_t end = kept.size() - span.tail;
  for (size_t i = span.head; i < end; ++i) {
    for (size_t j = span.head; j < end; ++j) {
      if (i != j && sameContent(now[i], kept[j])) return true;
    }
  }
  return false;
}

// What changed between the levels (models) kept and now: spliced whole when
// items were added, removed or moved, else an edit inside each item that
// changed.
template <typename T, typename Edit>
bool takeItems(std::vector<T>& kept, const std::vector<T>& now, Splice<T>& whole,
               std::vector<Edit>& edits) {
  Span span;
  if (!findChange(kept, now, span)) return false;
  if (kept.size() != now.size() || itemsMoved(kept, now, span)) {
    spliceWhole(kept, now, span, whole);
    return true;
  }
  for (size_t i = span.head; i < now.size() - span.tail; ++i) {
    Edit edit;
    edit.index = i;
    if (takeEdit(kept[i], now[i], edit)) edits.push_back(std::move(edit));
  }
  return !edits.empty();
}

// Puts the splice into kept and live alike (they hold the same content when
// it is applied) and keeps what it took out, for the way back.
template <typename T>
void applySplice(Splice<T>& splice, std::vector<T>& kept, std::vector<T>& live) {
  if (!splice.changed) return;
  const size_t end = splice.at + splice.count;
  if (end > kept.size() || end > live.size()) return;
  const auto first = kept.begin() + static_cast<std::ptrdiff_t>(splice.at);
  std::vector<T> out(std::make_move_iterator(first),
                     std::make_move_iterator(first + static_cast<std::ptrdiff_t>(splice.count)));
  replaceRange(kept, splice.at, splice.count, splice.items.begin(), splice.items.end());
  replaceRange(live, splice.at, splice.count, splice.items.begin(), splice.items.end());
  splice.count = splice.items.size();
  splice.items = std::move(out);
}

// Swaps the settings held with those of kept and live (which hold the same
// content when it is applied).
template <typename T, typename Settings>
void swapSettings(T& held, T& kept, T& live, Settings settingsOf) {
  const T was = held;  // without walls or frames: a small copy
  settingsOf(held) = settingsOf(kept);
  settingsOf(kept) = settingsOf(was);
  settingsOf(live) = settingsOf(was);
}

void applyEdit(LevelEdit& edit, Level& kept, Level& live) {
  if (edit.settingsChanged) swapSettings(edit.settings, kept, live, settingsOfLevel);
  applySplice(edit.walls, kept.walls, live.walls);
  applySplice(edit.warps, kept.warps, live.warps);
  applySplice(edit.receivers, kept.receivers, live.receivers);
  applySplice(edit.modelRefs, kept.modelRefs, live.modelRefs);
  applySplice(edit.gravityPoints, kept.gravityPoints, live.gravityPoints);
}

void applyEdit(ModelEdit& edit, Model& kept, Model& live) {
  if (edit.settingsChanged) swapSettings(edit.settings, kept, live, settingsOfModel);
  applySplice(edit.frames, kept.frames, live.frames);
}

// Applies the list's part of a step; the first item it touched becomes the
// current one (the last item when it removed the tail of the list).
template <typename T, typename Edit>
void applyItems(Splice<T>& whole, std::vector<Edit>& edits, std::vector<T>& kept,
                std::vector<T>& live, int& current) {
  applySplice(whole, kept, live);
  if (whole.changed) {
    current = static_cast<int>(std::min(whole.at, live.empty() ? 0 : live.size() - 1));
  }
  for (Edit& edit : edits) {
    if (edit.index >= kept.size() || edit.index >= live.size()) continue;
    applyEdit(edit, kept[edit.index], live[edit.index]);
  }
  if (!edits.empty() && edits.front().index < live.size()) {
    current = static_cast<int>(edits.front().index);
  }
}
}  // namespace

bool gestureHeld(const InputState& current) {
  if (current.lastKey != -1) return true;
  if (current.mouseLeft || current.mouseMiddle || current.mouseRight) return true;
  const std::vector<int>& codes = flaggedKeys();
  return std::any_of(codes.begin(), codes.end(),
                     [&](int code) { return keyHeld(current, code); });
}

void EditHistory::update(const InputState& current, const InputState& previous, LevelData& data) {
  if (!started) restart(data);
  if (codeWentDown(current, previous, KEY_UNDO)) undo(data);
  if (codeWentDown(current, previous, KEY_REDO)) redo(data);
  // A drag ends when its button comes up, even with its key still held:
  // w held through four drags is four walls, four steps.
  const bool dragEnded = previous.mouseLeft && !current.mouseLeft;
  if (dragEnded || !gestureHeld(current)) record(data);
}

void EditHistory::restart(const LevelData& data) {
  shadow = data;
  undoSteps.clear();
  redoSteps.clear();
  started = true;
}

void EditHistory::loaded(const LevelData& data) {
  if (!started || !sameContent(shadow, data)) restart(data);
}

bool EditHistory::record(const LevelData& data) {
  if (!started) {
    restart(data);
    return false;
  }
  Step step;
  const bool levels = takeItems(shadow.levels, data.levels, step.levels, step.levelEdits);
  const bool models = takeItems(shadow.models, data.models, step.models, step.modelEdits);
  if (!levels && !models) return false;
  step.description = describeStep(step, data);
  undoSteps.push_back(std::move(step));
  if (undoSteps.size() > maxSteps) undoSteps.pop_front();
  redoSteps.clear();
  return true;
}

bool EditHistory::undo(LevelData& data) { return replay(undoSteps, redoSteps, data); }

bool EditHistory::redo(LevelData& data) { return replay(redoSteps, undoSteps, data); }

// An edit not recorded yet becomes a step first: undo then takes it back,
// and redo finds nothing left to redo after a new edit.
bool EditHistory::replay(std::deque<Step>& from, std::deque<Step>& to, LevelData& data) {
  record(data);
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  apply(step, data);
  to.push_back(std::move(step));
  return true;
}

void EditHistory::apply(Step& step, LevelData& data) {
  applyItems(step.levels, step.levelEdits, shadow.levels, data.levels, data.currentLevel);
  applyItems(step.models, step.modelEdits, shadow.models, data.models, data.currentModel);
}

const std::string& EditHistory::description(size_t i) const {
  static const std::string none;
  if (i < undoSteps.size()) return undoSteps[i].description;
  i -= undoSteps.size();
  if (i < redoSteps.size()) return redoSteps[redoSteps.size() - 1 - i].description;
  return none;
}
