#pragma once
// One pass through one level as it was flown: where the ship was and which
// way it faced on every frame from entering the level. The player's best
// pass is kept per level in the per-user folder and flown again, faintly,
// beside the next attempt.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "framework/ofTypes.h"

class Ghost {
 public:
  struct Frame {
    float x, y;   // level pixels
    float angle;  // degrees, 0 nose up, positive clockwise on screen
  };

  // The most frames a ghost holds: ten minutes at 60 frames a second. A
  // longer pass keeps its first ten minutes, and its replay ends there; so
  // does a longer file read.
  static constexpr size_t maxFrames = 36000;
  // The largest ghost file read: the file of the longest ghost is under
  // half of it, however far out its places (see Ghost.cpp). A larger one
  // would hold up the level it is read for.
  static constexpr size_t maxFileBytes = 2u << 20;

  void clear();
  // Appends the next frame, up to maxFrames. Every call adds exactly one
  // until then, so the replay stays in step with the pass; a value that is
  // not finite is taken from the frame before (0 for the first), since the
  // file holds only numbers.
  void record(const ofxVec2f& pos, float angle);
  size_t frames() const { return track.size(); }
  bool empty() const { return track.empty(); }
  // The frame shown `frame` frames after entering the level; nullptr past
  // the end (the pass is over: nothing to show) and when empty.
  const Frame* at(size_t frame) const;

  // A faint outline of the hull at that frame in the current transform (the
  // caller has set up the level's frame); nothing past the end. The colour
  // and fill mode are put back as they were.
  void draw(size_t frame) const;

  // The time of the pass in milliseconds when it set a best: kept with the
  // ghost, so that a save can tell whose pass is better.
  std::optional<float> bestMs() const { return best; }
  void setBestMs(float ms) { best = ms; }

  // Writes the ghost as the one of the level guid, through a temporary file
  // renamed over the old one, making the ghosts folder first, under a lock
  // (ofFileLock of the ghosts folder) that two games take in turn. The
  // ghost there stays when it is of a best no worse than this pass's (a
  // file of an older game says no best: any pass replaces it; a pass of no
  // known best replaces only such a file). A file there that does not read
  // as a ghost of that level is first kept beside as NAME.broken; one that
  // cannot be read at all is left as it is. True when the file holds this
  // pass or a better one; false, logged, when it could not be written or
  // the guid is empty (no level to keep it for).
  bool save(const std::string& guid) const;
  // Replaces the ghost with the one kept for the level guid, after the
  // saves this program asked for have been written. A missing file (a
  // notice: most levels have none yet) or one that cannot be read as a
  // ghost (a warning naming it and what was wrong) leaves it empty and
  // returns false.
  bool load(const std::string& guid);
  // ghosts/NAME.xml in the per-user folder, NAME being the guid with every
  // byte outside A-Z a-z 0-9 _ - written as %XX, so any guid gives a distinct
  // file name inside that folder. Empty for an empty guid or no folder.
  static std::string path(const std::string& guid);

 private:
  std::vector<Frame> track;
  std::optional<float> best;
};
