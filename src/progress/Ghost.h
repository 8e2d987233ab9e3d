#pragma once
// One pass through one level as it was flown: where the ship was and which
// way it faced on every frame from entering the level. The player's best
// pass is kept per level in the per-user folder and flown again, faintly,
// beside the next attempt.

#include <cstddef>
#include <string>
#include <vector>

#include "framework/ofTypes.h"

class Ghost {
 public:
  struct Frame {
    float x, y;   // level pixels
    float angle;  // degrees, 0 nose up, positive clockwise on screen
  };

  void clear();
  // Appends the next frame. Every call adds exactly one, so the replay stays
  // in step with the pass; a value that is not finite is taken from the
  // frame before (0 for the first), since the file holds only numbers.
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

  // Writes the ghost as the one of the level guid, through a temporary file
  // renamed over the old one, making the ghosts folder first. A file there
  // that does not read as a ghost of that level is first kept beside as
  // NAME.broken. False, logged, when it could not be written or the guid is
  // empty (no level to keep it for).
  bool save(const std::string& guid) const;
  // Replaces the ghost with the one kept for the level guid. A missing file
  // (a notice: most levels have none yet) or a damaged one (a warning
  // naming it and what was wrong) leaves it empty and returns false.
  bool load(const std::string& guid);
  // ghosts/NAME.xml in the per-user folder, NAME being the guid with every
  // byte outside A-Z a-z 0-9 _ - written as %XX, so any guid gives a distinct
  // file name inside that folder. Empty for an empty guid or no folder.
  static std::string path(const std::string& guid);

 private:
  std::vector<Frame> track;
};
