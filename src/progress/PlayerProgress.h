#pragma once
// What a player has earned, kept between runs in the per-user folder: the
// levels reached and the best time on each. Levels are keyed by guid, so a
// record outlives edits to the level set. Two games running at once share
// the file: each save merges with what is on disk.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class LevelData;
class XmlSettings;

class PlayerProgress {
 public:
  PlayerProgress();

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

  // Replaces the record with the file progress.xml in the per-user folder,
  // after the saves this program asked for have been written. A file that
  // is missing, unreadable, damaged or of a newer version of the game
  // leaves an empty record, is logged in one line naming it and what was
  // wrong (a missing one only as a notice: every player starts without
  // one), and returns false.
  bool load();
  // Writes the record merged with the file there: its levels first, in its
  // order, then the ones only this record has, each with the better of the
  // two bests. Holds ofFileLock(path()) from reading to writing, so that
  // two games save in turn. The record in memory stays as it is.
  //   - A file there that holds no record, or holds what the record cannot
  //     take (a second element, an entry without a guid, a best that is no
  //     time), is first kept beside as progress.xml.broken.
  //   - A file that is there but cannot be read (no permission, a folder or
  //     a pipe in its place) or was written by a newer version of the game
  //     is never written over: the save is refused, and the record in memory
  //     is all there is of this run until the game ends.
  // False, with problem() saying why, when the record was not written.
  bool save() const;
  // progress.xml in the per-user folder; empty when there is no folder.
  static std::string path();

  // What keeps the record from its file, in a line that names the file and
  // the reason, for the window to show; empty when the last load or save
  // went well. Each problem is logged once, however often it is met again.
  // A copy of the record (as a save off the frame takes) shares it.
  std::string problem() const;
  // problem() for a window that says each problem once: the problem when it
  // has not been taken yet, else empty.
  std::string takeProblem();

  // What the file last loaded held of the older switches.
  OlderSwitches olderSwitches;

 private:
  struct Entry {
    std::string guid;
    std::optional<float> best;  // milliseconds
  };
  struct Reading;  // what reading a file found (PlayerProgress.cpp)
  struct Problem;

  Entry* find(const std::string& guid);
  const Entry* find(const std::string& guid) const;
  void write(XmlSettings& xml) const;
  Reading readFile(const std::string& file);
  void read(XmlSettings& xml, std::vector<std::string>& dropped);
  // Logs text at level unless it is the problem said last; keeps it as
  // problem() either way (empty: none).
  void say(int level, const std::string& text) const;
  // Keeps text as problem() when it has been logged already.
  void remember(const std::string& text) const;
  // A save given up because the file there could not be kept aside.
  bool keptNothing(const std::string& file) const;

  // In first-reached order, and where each guid is in it: a record of tens
  // of thousands of levels loads in linear time.
  std::vector<Entry> entries;
  std::unordered_map<std::string, size_t> position;
  std::shared_ptr<Problem> problemSaid;
};
