#pragma once
// What the window shows when the game found no data folder: where it looked
// and how to point it at its data, in the framework's bitmap text, which
// needs no font file. Escape quits.

#include <string>
#include <utility>
#include <vector>

#include "framework/ofBaseApp.h"

class NoDataApp : public ofBaseApp {
 public:
  explicit NoDataApp(std::vector<std::string> lines) : lines(std::move(lines)) {}
  void setup() override;
  void draw() override;
  void keyPressed(int key) override;

 private:
  std::vector<std::string> lines;
};
