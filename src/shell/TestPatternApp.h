#pragma once
// A test pattern instead of the game (orvane --test-pattern): corner markers
// on the first and last pixel and a square that crosses the window, so the
// window's size, its pixel grid and every frame's clear can be checked.
// Escape quits.

#include "framework/ofBaseApp.h"

class TestPatternApp : public ofBaseApp {
 public:
  void setup() override;
  void update() override;
  void draw() override;
  void keyPressed(int key) override;

  int updates = 0;
};
