#pragma once
// How often a person can change the keys they hold: at most `most` changes
// in any `window` consecutive frames (several keys pressed or let go in the
// same frame are one change). The novice plans its moves to fit and the
// limit holds back any change that would not.

#include <deque>
#include <vector>

class KeyRate {
 public:
  KeyRate(int window, int most) : window(window), most(most) {}

  // Changes made at the frames `planned` (rising, after every recorded
  // change) keep every window within the limit.
  bool fits(const std::vector<int>& planned) const;
  bool allows(int frame) const { return fits({frame}); }
  void record(int frame);

  const int window, most;

 private:
  std::deque<int> changes;  // the recent ones, rising
};
