#pragma once
// The practice list: the levels of the set that the player has reached (the
// first level always), each with its best time, and the one chosen.

#include <optional>
#include <string>
#include <vector>

class LevelData;
class PlayerProgress;
class ofTrueTypeFont;
struct InputState;

class LevelList {
 public:
  struct Row {
    std::string guid;
    std::optional<float> bestMs;
  };
  enum class Choice { none, start, back };

  // Lists the reached levels of data, in the set's order.
  void open(const PlayerProgress& progress, const LevelData& data);
  // Up and Down choose, Enter starts the chosen level, Escape goes back.
  Choice update(const InputState& current, const InputState& previous);
  void draw(ofTrueTypeFont& font) const;

  const std::vector<Row>& rows() const { return listed; }
  // The chosen level's guid; empty when the list is empty.
  std::string chosen() const;
  int selected = 0;

 private:
  std::vector<Row> listed;
};
