#include "support/AppFixture.h"

#include <cstdio>
#include <cstdlib>

#include "framework/ofAppRunner.h"
#include "framework/ofConsole.h"
#include "support/GlTestWindow.h"

namespace {
// Escape on the title ends the program through exit. In the middle of a
// test that is a failure, not the silent success exit(0) would report.
bool testRunning = false;
void failATestThatEndsTheProgram() {
  if (!testRunning) return;
  std::fputs("the program ended in the middle of a test\n", stderr);
  std::_Exit(1);
}
}  // namespace

void AppFixture::SetUp() {
  static const bool hooked = std::atexit(failATestThatEndsTheProgram) == 0;
  testRunning = hooked;
  ofSetClock(&clock);
  if (withGlWindow()) {
    GlTestWindow::ensure();
  } else {
    ofSetupOpenGL(&window, 530, 370, 0);
  }
  prepareData();
  testing::internal::CaptureStdout();
  app = std::make_unique<testApp>();
  app->setup();
  setupLog = testing::internal::GetCapturedStdout();
}

void AppFixture::TearDown() {
  testRunning = false;
  app.reset();
  ofSetCurrentWindow(nullptr);
  ofSetClock(nullptr);
  ofSetConsoleInput(nullptr);
}

void AppFixture::update(int n) {
  for (int i = 0; i < n; ++i) {
    clock.advance(16);
    app->update();
  }
}

void AppFixture::type(const std::string& text) {
  for (char c : text) {
    press(c);
    release(c);
    update();
  }
}

void AppFixture::tap(int key) {
  press(key);
  update();
  release(key);
  update();
}

void AppFixture::startRun() {
  press(KEY_ENTER);
  update(2);
  release(KEY_ENTER);
  for (int i = 0; i < 60 && !app->playing(); ++i) update();
  ASSERT_TRUE(app->playing());
}
