#pragma once
// The editors as a player's test meets them: what they show, read off a
// screenshot, and the gestures a hand makes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/PlayerHarness.h"

// The whole of a file; "" when it is not there.
inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The question line: a yellow box across the middle of the window, whose top
// edge alone is some 500 pixels long.
inline bool promptShown(const Screenshot& shot) {
  return shot.count(10, shot.height / 2 - 16, shot.width - 20, 5, Rgb{255, 211, 0}, 60) > 300;
}

// Holds key and drags with the left button from (x1, y1) to (x2, y2), a step
// at a time so that the game sees each one.
inline void dragWithKey(GameProcess& game, const std::string& key, int x1, int y1, int x2, int y2) {
  game.keyDown(key);
  GameProcess::pause(100);
  game.mouseMove(x1, y1);
  GameProcess::pause(100);
  game.mouseDown(1);
  GameProcess::pause(100);
  game.mouseMove(x2, y2);
  GameProcess::pause(100);
  game.mouseUp(1);
  GameProcess::pause(100);
  game.keyUp(key);
}

// The wall the editor tests draw with the solid-wall key, as it shows on
// screen (new walls are green) and as a saved file writes it: the level
// tool shows the level origin where the game does, at (25, 25) of the
// 530 by 370 window.
inline void drawTestWall(GameProcess& game) { dragWithKey(game, "w", 100, 250, 300, 280); }
inline bool testWallShown(const Screenshot& shot) {
  return shot.count(100, 245, 200, 40, Rgb{0, 255, 0}, 60) > 100;
}
constexpr const char* testWallInFile = "x1=\"75\" y1=\"225\" x2=\"275\" y2=\"255\"";

// Waits until save number n of the data folder's file has been written
// whole: a save writes the numbered copy first and then the file, so it is
// done once both hold the same bytes. The file as saved; "" after 5 s.
inline std::string waitForSave(const GameProcess& game, const std::string& file, int n) {
  const std::string data = game.folder() + "/data/";
  const std::string copy = data + "save_" + std::to_string(n) + ".xml";
  for (int waited = 0; waited < 5000; waited += 100) {
    if (std::filesystem::exists(copy)) {
      const std::string saved = readFile(data + file);
      if (!saved.empty() && saved == readFile(copy)) return saved;
    }
    GameProcess::pause(100);
  }
  return "";
}
