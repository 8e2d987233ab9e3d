#pragma once
// What happened in the last frame of a run and where it left the ship, as
// the game tells it: filled by Game::update (and by Game::start and
// Game::restartFromCheckpoint) where things happen, and read by whatever
// follows the run from outside the simulation (the player's journey, its
// splits and ghosts) instead of Game's fields.

#include <string>

#include "framework/ofTypes.h"

struct FrameReport {
  // Events of the frame; each false unless it happened in it.
  // The ship is in a level it was not in before: the run began, a warp or a
  // respawn took it to another level.
  bool enteredLevel = false;
  // A checkpoint other than the one set was set (a zone marking again the
  // checkpoint it set is no news), at the receiver of this id.
  bool reachedCheckpoint = false;
  std::string checkpointReceiver;
  bool died = false;
  // Back at the checkpoint after a death, or at the player's asking.
  bool respawned = false;
  // A zone moved the ship, within its level or into another.
  bool warped = false;
  // The finish began: the run's clock stopped and the ship is drawn in.
  bool finished = false;
  // F was held: the ship stopped and the tank filled, paused or not.
  bool helped = false;
  // The frame stood still: nothing moved and the run's clock did not run.
  bool paused = false;

  // The run after the frame.
  std::string levelGuid;
  int levelIndex = 0;
  float playTime = 0;  // seconds, as the HUD shows them
  ofxVec2f position;   // the ship's centre, level pixels
  float heading = 0;   // degrees, 0 nose up, positive clockwise on screen
};
