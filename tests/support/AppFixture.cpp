#include "support/AppFixture.h"

#include "framework/ofAppRunner.h"
#include "framework/ofConsole.h"
#include "support/GlTestWindow.h"

void AppFixture::SetUp() {
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
