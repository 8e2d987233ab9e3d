#pragma once
// The application run update by update under a hand-driven clock (16 ms a
// frame), in a scratch folder whose data/ the test fills before set-up.
// Headless unless the test asks for the real GL window.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofClock.h"
#include "shell/testApp.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

struct AppFixture : testing::Test {
  ScratchFolder scratch;
  // The player's own files go to the scratch folder, never the tester's home.
  ScopedEnvironment userData{"XDG_DATA_HOME", scratch.path() + "/share"};
  ScopedEnvironment userSettings{"XDG_CONFIG_HOME", scratch.path() + "/config"};
  ManualClock clock{1000};
  ofHeadlessWindow window;
  std::unique_ptr<testApp> app;
  std::string setupLog;  // what set-up printed

  // Writes what data/ should hold before the application is set up.
  virtual void prepareData() {}
  // Draw into the real GL window instead of running headless.
  virtual bool withGlWindow() const { return false; }

  void SetUp() override;
  void TearDown() override;

  void update(int n = 1);
  void press(int key) { app->keyPressed(key); }
  void release(int key) { app->keyReleased(key); }
  // Held over one update, released over the next.
  void tap(int key);
  // Enter held through two updates on the title, then the fade into a run.
  void startRun();
  // Each character pressed and released between two updates ('\r' is Enter).
  void type(const std::string& text);
};
