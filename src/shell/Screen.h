#pragma once
// Which screen the application shows. Exactly one is up at a time; the
// application enters a screen through one function, and update and draw
// each ask this value once.

enum class Screen {
  title,      // the logo and its menu
  levelList,  // 'l': the levels reached, to practise one
  keys,       // 'k': keys and volumes
  loading,    // the fade from the title or the level list into a run
  game,       // a run, flying
  pause,      // a run, paused
  scores,     // the high-score tables, after a run or from the title
  editing,    // the level tool, the modeling tool and their game test
};
