#pragma once
// What a player has earned, kept between runs in the per-user folder: the
// levels reached and the best time on each. Levels are keyed by guid, so a
// record outlives edits to the level set.

#include <optional>
#include <string>
#include <vector>

class LevelData;
class XmlSettings;

class PlayerProgress {
 public:
  // The ghost and calm switches as records of older games kept them (the
  // settings file keeps them now): read so that they can be carried over
  // once, never written.
  struct OlderSwitches {
    std::optional<bool> ghosts;
    std::optional<bool> calm;
  };

  // Marks the level reached; the first time puts it at the end of the list.
  // An empty guid names no level and is ignored.
  void reach(const std::string& guid);
  bool hasReached(const std::string& guid) const;
  // The best time in milliseconds, if the level has one.
  std::optional<float> bestTime(const std::string& guid) const;
  // Keeps ms as the level's best (reaching it) when it beats the one kept.
  // True for a new best; a time that is not finite or is below zero is
  // refused.
  bool offerTime(const std::string& guid, float ms);
  // The guids reached, in the order first reached, that are levels of data.
  // Records of levels no longer in data stay kept, in case they come back.
  std::vector<std::string> reachedIn(const LevelData& data) const;

  // Replaces the record with the file progress.xml in the per-user folder.
  // A file that is missing, unreadable or damaged leaves an empty record, is
  // logged in one line naming it and what was wrong (a missing one only as
  // a notice: every player starts without one), and returns false.
  bool load();
  // Writes the record there through a temporary file renamed over it,
  // making the folder first. A file there that does not read as a record is
  // first kept beside as progress.xml.broken. False, logged, when the record
  // could not be written.
  bool save() const;
  // progress.xml in the per-user folder; empty when there is no folder.
  static std::string path();

  // What the file last loaded held of the older switches.
  OlderSwitches olderSwitches;

 private:
  struct Entry {
    std::string guid;
    std::optional<float> best;  // milliseconds
  };
  Entry* find(const std::string& guid);
  const Entry* find(const std::string& guid) const;
  void write(XmlSettings& xml) const;
  void read(XmlSettings& xml);

  // In first-reached order; a few dozen levels, so a list is searched.
  std::vector<Entry> entries;
};
