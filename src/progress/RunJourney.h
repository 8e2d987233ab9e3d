#pragma once
// What a run adds to the player's record and what it tells the player on
// the way: the levels reached, each level's split offered as its best, the
// ghost of each best recorded and replayed, the banners shown on entering
// and leaving a level, and the summary shown while the ship is drawn into
// the finish. The application shows it the game's report once a frame.
// Records are saved and ghosts read on the writer's thread (RecordWriter),
// never in a frame.

#include <map>
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
// A split against a best (seconds), signed, in seconds and hundredths
// ("-1.23 s" when faster, "+0.40 s" when slower), or "first run" when the
// level had no best.
std::string splitDifference(float seconds, std::optional<float> best);

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
  // Over the game: the level's name on entering it and the split on
  // leaving it, each on a dark panel in the band below the play area (where
  // neither covers the way, the HUD or the checkpoint label beside the
  // ship), and during the finish the run's summary on a panel of its own.
  void drawOverlay(ofTrueTypeFont& font) const;

  const RunSplits& splits() const { return runSplits; }
  // What each pass of splits() did to the record, by the same index.
  struct PassResult {
    // Seconds: the level's best just before the pass was offered as one,
    // which the split banner measures it against.
    std::optional<float> bestBefore;
    // Seconds: the level's best as the run began, which the summary shows
    // beside the pass; a level flown twice in a run keeps the first.
    std::optional<float> bestBeforeRun;
    bool newBest = false;
  };
  const std::vector<PassResult>& results() const { return passResults; }
  // How strongly the level's name (on entering it) and the last split (on
  // leaving a level) show now: 255 for two and a half seconds, fading over
  // the half second after, 0 once over. They count the run's play time, so
  // a pause holds them.
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
  void drawBanners(ofTrueTypeFont& font) const;
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
  // Each level's best as the run began, taken as the run first enters it
  // (milliseconds; empty for a level without one).
  std::map<std::string, std::optional<float>> bestsAtStart;
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
