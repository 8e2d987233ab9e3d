#pragma once
// What a run adds to the player's record and what it tells the player on
// the way: the levels reached, each level's split offered as its best, the
// ghost of each best recorded and replayed, the banners shown on entering
// and leaving a level, and the summary shown while the ship is drawn into
// the finish. The application shows it the game's report once a frame.
// Records are saved and ghosts read on the writer's thread (RecordWriter),
// never in a frame.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "progress/Ghost.h"
#include "progress/RunSplits.h"

class Game;
class PlayerProgress;
class ofTrueTypeFont;

// A split as the banners show it, minutes, seconds and tenths ("1:05.3").
std::string splitText(float seconds);
// A difference to a best, signed, in seconds and tenths ("-1.2", "+0.4").
std::string splitDifference(float seconds);

class RunJourney {
 public:
  // ghostsShown is the player's switch, read whenever a level is entered
  // and a frame drawn; it outlives the journey.
  RunJourney(PlayerProgress& progress, const bool& ghostsShown);
  // Waits for what the journey asked to be written, as flush() does.
  ~RunJourney();
  RunJourney(const RunJourney&) = delete;
  RunJourney& operator=(const RunJourney&) = delete;

  // Returns once every save and read the journey asked for is done, with
  // the ghost read for the level flown now in replayed(). For the program's
  // end (the application's exit), and for tests; a frame never calls it.
  void flush();

  // A run has just begun on game.
  void start(const Game& game);
  // After each frame of the run, paused or not. A pass flown with help (F
  // held) still reaches its level but sets no best.
  void update(const Game& game);

  // The best's ghost, in the level's frame (the game calls it before the
  // ship), when ghosts are shown and the level has one.
  void drawGhost() const;
  // Over the game: the level's name on entering it, the split on leaving
  // it, and during the finish the run's summary.
  void drawOverlay(ofTrueTypeFont& font) const;

  const RunSplits& splits() const { return runSplits; }
  // What each pass of splits() did to the record, by the same index.
  struct PassResult {
    std::optional<float> bestBefore;  // seconds
    bool newBest = false;
  };
  const std::vector<PassResult>& results() const { return passResults; }
  // How strongly the level's name (on entering it) and the last split (on
  // leaving a level) show now: 255, fading over their last half second, 0
  // once over. They count the run's play time, so a pause holds them.
  int levelNameAlpha() const;
  int splitAlpha() const;
  // The ghost being replayed in the current level: empty when there is
  // none, and until it has been read (it then shows from the frame the
  // pass is at).
  const Ghost& replayed() const { return replay; }
  size_t framesInLevel() const { return passFrame; }

 private:
  void enterLevel(const std::string& guid);
  void leaveLevel(size_t pass);
  void drawSummary(ofTrueTypeFont& font) const;
  void saveProgress();
  void readGhost(const std::string& guid);
  void takeGhostRead();

  // Where the writer's thread leaves the ghost it read; shared, since the
  // journey may be gone before the read is done.
  struct GhostRead;
  std::shared_ptr<GhostRead> ghostRead;
  // Which read the level flown now waits for: a ghost read for a level
  // left since is not shown.
  unsigned long long ghostWanted = 0;

  PlayerProgress& progress;
  const bool& ghostsShown;
  RunSplits runSplits;
  std::vector<PassResult> passResults;
  bool passAssisted = false;
  Ghost recording;
  Ghost replay;
  size_t passFrame = 0;
  // The run's play time at the last frame, and when the banners began
  // showing (seconds of play; below 0 for never).
  float playTime = 0;
  float nameShownFrom = -1;
  float splitShownFrom = -1;
  size_t lastLeft = 0;
};
