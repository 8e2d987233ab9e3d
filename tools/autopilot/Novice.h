#pragma once
// A person learning the game, flying one level along its route (they can
// see the cave, so they know the way). They act on what they saw 200 ms
// ago, anticipating from it; change their keys at most four times a
// second; aim a few degrees off and misjudge how long to thrust; fly
// slower than the expert; hover at the route's "wait" points until the way
// on looks clear (by default, clear for as long as they need to get past,
// by the rhythm they have watched the hazards keep); and after a crash
// start again from the route point that fits where the ship reappears.
// Seeded: one seed, one flight.

#include <deque>
#include <random>
#include <utility>
#include <vector>

#include "KeyRate.h"
#include "Perception.h"
#include "Pilot.h"
#include "WayWatch.h"

struct NoviceProfile {
  int delay = 13;                 // frames from seeing to acting (13 × 16 ms ≥ 200 ms)
  int keyWindow = 63;             // frames, about a second
  int keyChanges = 4;             // at most, in any keyWindow
  float capScale = 0.6f;          // of the route's speed caps
  float dashScale = 0.85f;        // of the cap, leaving a "wait" point for a gap
  float brake = 0.006f;           // px/frame² they count on to stop at a point
  float turnRound = 60;           // frames they allow for turning round to brake
  float cornerSlowest = 0.3f;     // of the speed cap, at a corner of 90° or more
  float aimError = 10;            // degrees, standard deviation, drawn at each decision
  float aimTolerance = 15;        // degrees of heading error they leave alone
  float smallestNeed = 0.05f;     // px/frame of velocity error they leave alone
  float thrustError = 0.3f;       // relative standard deviation of a burst's length
  float thrustBelief = 0.2f;      // their idea of the thrust's strength is off by up to this, per attempt
  float lookAhead = 40;           // frames of gravity a burst makes up for in advance
  float wary = 22;                // px from a wall at which they start to veer away
  float veer = 0.4f;              // px/frame away from a wall they are about to touch
  float foresight = 15;           // frames ahead they picture the ship for veering
  int shortestTap = 4;            // frames a key is held at least
  int longestBurst = 40;          // frames of thrust planned at once
  int lookMin = 8, lookMax = 16;  // frames between decisions
  int hesitationMax = 20;         // frames before going once the way looks clear
  int clearance = 9;              // px either side of the way that must be free
  // At a "wait" point: by what is in sight alone, they go once the way looks
  // clear; learning the hazards' rhythm, once the rhythm watched says they
  // would get past while it is clear.
  bool learnsRhythm = true;
  int calmWatch = 150;      // frames of a way no hazard crosses before they go
  int longestWatch = 480;   // frames of watching before they go on what is in sight
  float pace = 1;           // of the speed cap, the speed they count on passing at
  float paceBelief = 0.2f;  // how far off that is, at most, per attempt
  int passStartup = 8;      // frames they count on getting going, besides turning and speeding up
  int passSlack = 6;        // frames to spare they want either side
};

// What the novice knows of a level before flying it: its route, and how
// the ship moves there.
struct Course {
  std::vector<RoutePoint> route;
  std::vector<WallLine> walls;  // the cave's own, which never move
  bool gravity = false;
  ofxVec2f gravityAccel;
  std::vector<GravityPoint> pulls;
  float thrustPower = 0, turnAccel = 0, turnDamping = 0;
};

Course courseOf(const Game& game);

// A move: a turn key held for a while and a burst of thrust, from the frame
// it is decided; every key is let go at its end.
struct Move {
  int turn = 0;  // -1 left, 1 right
  int turnFrom = 0, turnTo = 0, thrustFrom = 0, thrustTo = 0;
  Keys at(int frame) const;
  int end() const { return turnTo > thrustTo ? turnTo : thrustTo; }
};

class Novice {
 public:
  Novice(Course course, const NoviceProfile& profile, unsigned seed);

  // Every frame before act(): the game as it is at the frame's start.
  void see(const Perception& now) { delay.push(now); }
  // The keys held through frame `now`.
  Keys act(int now);
  // The frame of the newest perception acted on; -1 before any.
  int newestUsed() const { return newest; }
  // The route point flown to or waited at.
  size_t target() const { return to; }

 private:
  // The ship now as the novice pictures it from what they saw and the keys
  // they held since.
  struct Motion {
    ofxVec2f pos, vel;
    float angle = 0, turnSpeed = 0;
  };
  Motion anticipate(const Perception& seen, int now) const;
  // Crashes, reappearing, teleporters, route points reached, the way clearing.
  void notice(const Perception& seen, const Motion& ship, int now);
  void decide(const Motion& ship, float fuel, int now);
  // The velocity they want: towards the route point, slower where they
  // must stop or turn, and away from walls close by.
  ofxVec2f wantedVelocity(const Motion& ship) const;
  // The move that fits the keys' rate: a turn of |turn| frames (negative
  // to the left) and a burst, or what of it fits.
  void choose(int turn, int burst, bool noseNearly, int now);
  bool fits(const Move& move, int now) const;
  // Picks up the route at the point that best fits a ship at pos.
  void resume(const ofxVec2f& pos);
  // On to the next route point, from the one reached.
  void advance();
  // How fast they dare pass the route point ahead, for the turn the route
  // makes there; `speed` on a straight way.
  float cornerSpeed(float speed) const;
  // The velocity a person adds to keep off the cave's walls near the ship
  // now and where it is heading.
  ofxVec2f veerFromWalls(const Motion& ship) const;
  void startWaiting();
  bool readyToGo(const Motion& ship, int now) const;
  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  Course course;
  NoviceProfile profile;
  std::mt19937 random;
  PerceptionDelay delay;
  KeyRate rate;
  float believedThrust, believedPace;
  enum class Mode { starting, flying, waiting, down } mode = Mode::starting;
  size_t to = 0;
  bool dashing = false;  // on the way from a "wait" point
  ofxVec2f legStart;     // where the leg to the route point began
  Move move;
  Keys held;
  std::deque<std::pair<int, Keys>> heldAt;  // the keys of recent frames
  WayWatch watch;                           // the way on from the point waited at
  int nextLook = 0, goAt = -1, hesitation = 0, newest = -1;
  ofxVec2f lastSeen;
};
