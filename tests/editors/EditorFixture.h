#pragma once
// An editor tool driven frame by frame with hand-made input snapshots, on a
// fresh level set, under a hand-driven clock.

#include <gtest/gtest.h>

#include "editors/Prompt.h"
#include "framework/InputState.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
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
  Prompt prompt;  // where the tool asks for words
  InputState current, previous;

  void SetUp() override {
    ofSetClock(&clock);
    ofSetupOpenGL(&gameSizedWindow(), 530, 370, 0);
    data = LevelData();
    tool = Tool();  // after the window: the modeling tool centres on it
    tool.data = &data;
    tool.prompt = &prompt;
  }
  void TearDown() override { ofSetClock(nullptr); }
  // Types word into the open question and confirms it.
  void answer(const std::string& word) {
    for (char c : word) prompt.keyPressed(c);
    prompt.keyPressed(KEY_ENTER);
  }
  // One frame: the tool updates, then the snapshot moves on.
  void frame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.advance(16);
      tool.update(current, previous);
      endFrame(current, previous);
    }
  }
  // One frame with key down, one after its release.
  void tap(int key) {
    current.pressKey(key);
    frame();
    current.releaseKey(key);
    frame();
  }
  // Down and up again before the next frame, then that frame.
  void quickTap(int key) {
    current.pressKey(key);
    current.releaseKey(key);
    frame();
  }
  // A right-button drag from (x, y) as the application forwards it: steps
  // drag events of (dx, dy) pixels each, perFrame of them between two frames.
  void rightDrag(int x, int y, int steps, int dx, int dy, int perFrame) {
    current.pressButton(2, x, y);
    for (int i = 1; i <= steps; ++i) {
      current.pressButton(2, x + i * dx, y + i * dy);
      tool.pan(current, previous);
      if (i % perFrame == 0) frame();
    }
    current.releaseButton(2, x + steps * dx, y + steps * dy);
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
