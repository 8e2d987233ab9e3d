#pragma once
// A small application that shows the window runner at work until the game's
// own application object takes over: a title, corner markers and a square
// that crosses the window, so every frame's clear is visible. Escape quits.

#include "framework/ofBaseApp.h"

class StandInApp : public ofBaseApp {
 public:
  void setup() override;
  void update() override;
  void draw() override;
  void keyPressed(int key) override;

  int updates = 0;
};
