#pragma once
// Many novices flying each level from its entrance, and the table of how
// they fared: how hard each level is for a person learning the game.

#include <cstdio>
#include <string>
#include <vector>

#include "Harness.h"
#include "Novice.h"

struct Attempt {
  bool finished = false;  // the ship left the level: a warp on, or the finish began
  int deaths = 0;
  int frames = 0;
  float seconds = 0;  // play time when the attempt ended
};

// The keys an attempt held, frame by frame, for checking the novice's limits.
struct AttemptLog {
  std::vector<Keys> keys;
  std::vector<int> frames;  // the frame each entry of keys was held in
};

// One attempt from `start`, a state just after the level began, until the
// ship leaves the level or `limitSeconds` of play time have passed.
Attempt flyAttempt(Harness& h, const Snapshot& start, unsigned seed, const NoviceProfile& profile,
                   float limitSeconds, AttemptLog* log = nullptr);

// The level's entrance, as a player gets there: the campaign's start from
// the title for the first level, a practice run for any other. False when
// the game did not start flying.
bool startLevel(Harness& h, const std::vector<std::string>& guids, size_t index);

// The levels of the file in campaign order; empty (and said why) if it
// cannot be read.
std::vector<std::string> campaignLevels(const std::string& dataFile);

struct LevelTrials {
  size_t number = 0;  // 1 for the first level
  std::string guid;
  std::vector<Attempt> attempts;
  bool started = false;
  bool routed = false;  // the level has route points to follow
};

// `attempts` novices, seeded apart, each flying the level from its entrance.
LevelTrials trialLevel(const std::string& dataFile, const std::vector<std::string>& guids, size_t index,
                       int attempts, const NoviceProfile& profile, float limitSeconds);

// A Markdown table: level, finishes, median deaths over every attempt and
// median time over the finished ones.
void printTable(std::FILE* out, const std::vector<LevelTrials>& levels);
