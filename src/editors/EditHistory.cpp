#include "editors/EditHistory.h"

#include <algorithm>
#include <iterator>

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

// Replaces what changed between kept and now with a splice: the items that
// agree at both ends stay out of it, so one changed level costs one level.
// kept then matches now.
template <typename T>
bool takeChange(std::vector<T>& kept, const std::vector<T>& now, Splice<T>& out) {
  const size_t shorter = std::min(kept.size(), now.size());
  size_t head = 0;
  while (head < shorter && sameContent(kept[head], now[head])) ++head;
  if (head == kept.size() && head == now.size()) return false;
  size_t tail = 0;
  while (tail < shorter - head &&
         sameContent(kept[kept.size() - 1 - tail], now[now.size() - 1 - tail])) {
    ++tail;
  }
  const auto first = kept.begin() + static_cast<std::ptrdiff_t>(head);
  const auto last = kept.end() - static_cast<std::ptrdiff_t>(tail);
  out.at = head;
  out.count = now.size() - head - tail;
  out.items.assign(std::make_move_iterator(first), std::make_move_iterator(last));
  out.changed = true;
  kept.erase(first, last);
  kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(head),
              now.begin() + static_cast<std::ptrdiff_t>(head),
              now.end() - static_cast<std::ptrdiff_t>(tail));
  return true;
}

template <typename T>
void replaceRange(std::vector<T>& list, size_t at, size_t count, const std::vector<T>& items) {
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(at);
  list.erase(first, first + static_cast<std::ptrdiff_t>(count));
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), items.begin(), items.end());
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
  replaceRange(kept, splice.at, splice.count, splice.items);
  replaceRange(live, splice.at, splice.count, splice.items);
  splice.count = splice.items.size();
  splice.items = std::move(out);
}

// The first item the splice touched, or the last item when it removed the
// tail of the list.
template <typename T>
void showSplice(const Splice<T>& splice, const std::vector<T>& list, int& current) {
  if (!splice.changed) return;
  current = static_cast<int>(std::min(splice.at, list.empty() ? 0 : list.size() - 1));
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
  const bool levels = takeChange(shadow.levels, data.levels, step.levels);
  const bool models = takeChange(shadow.models, data.models, step.models);
  if (!levels && !models) return false;
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
  applySplice(step.levels, shadow.levels, data.levels);
  applySplice(step.models, shadow.models, data.models);
  showSplice(step.levels, data.levels, data.currentLevel);
  showSplice(step.models, data.models, data.currentModel);
}
