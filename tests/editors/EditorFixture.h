#pragma once
// An editor tool driven frame by frame with hand-made input snapshots, on a
// fresh level set, under a hand-driven clock.

#include <gtest/gtest.h>

#include "framework/InputState.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofConsole.h"
#include "level/LevelData.h"

// Stays installed after each test: tests that draw later still find the
// game's window size (the GL test window keeps its context either way).
inline ofHeadlessWindow& gameSizedWindow() {
  static ofHeadlessWindow window;
  return window;
}

template <typename Tool>
struct EditorFixture : testing::Test {
  ManualClock clock{1000};
  LevelData data;
  Tool tool;
  InputState current, previous;

  void SetUp() override {
    ofSetClock(&clock);
    ofSetupOpenGL(&gameSizedWindow(), 530, 370, 0);
    data = LevelData();
    tool = Tool();  // after the window: the modeling tool centres on it
    tool.data = &data;
  }
  void TearDown() override {
    ofSetConsoleInput(nullptr);
    ofSetClock(nullptr);
  }
  // One frame: the tool updates, then the snapshot moves on.
  void frame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.advance(16);
      tool.update(current, previous);
      previous = current;
    }
  }
  // One frame with key down, one after its release.
  void tap(int key) {
    current.pressKey(key);
    frame();
    current.releaseKey(key);
    frame();
  }
  // Holds key while the left button goes down at (x1, y1) and up at (x2, y2).
  void drag(int key, int x1, int y1, int x2, int y2) {
    current.pressKey(key);
    current.pressButton(0, x1, y1);
    tool.mousePressed(current, previous);
    current.releaseButton(0, x2, y2);
    tool.mouseReleased(current, previous);
    current.releaseKey(key);
  }
};
