#include "KeyRate.h"

#include <cstddef>

bool KeyRate::fits(const std::vector<int>& planned) const {
  std::vector<int> all(changes.begin(), changes.end());
  all.insert(all.end(), planned.begin(), planned.end());
  // The fullest window ends at a change; only windows ending at a planned
  // change can have grown.
  std::size_t first = 0;
  for (std::size_t i = changes.size(); i < all.size(); ++i) {
    while (all[first] <= all[i] - window) ++first;
    if (static_cast<int>(i - first + 1) > most) return false;
  }
  return true;
}

void KeyRate::record(int frame) {
  changes.push_back(frame);
  while (changes.front() <= frame - window) changes.pop_front();
}
