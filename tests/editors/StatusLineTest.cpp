#include <gtest/gtest.h>

#include "editors/StatusLine.h"
#include "framework/ofClock.h"

TEST(StatusLine, AMessageShowsForItsTimeAndTheLatestReplacesTheLast) {
  ManualClock clock{1000};
  ofSetClock(&clock);
  StatusLine status;
  EXPECT_EQ(status.message(), "");
  status.show("saved data/data.xml (copy save_12.xml)");
  clock.advance(StatusLine::messageMs - 1);
  EXPECT_EQ(status.message(), "saved data/data.xml (copy save_12.xml)");
  status.show("could not load data/x.xml: line 3: Error reading end tag.");
  clock.advance(StatusLine::messageMs - 1);
  EXPECT_EQ(status.message(), "could not load data/x.xml: line 3: Error reading end tag.");
  clock.advance(1);
  EXPECT_EQ(status.message(), "");
  status.show("longer", 10000);
  clock.advance(9999);
  EXPECT_EQ(status.message(), "longer");
  ofSetClock(nullptr);
}

TEST(StatusLine, TheFileNameIsMarkedWhileThereAreUnsavedEdits) {
  EXPECT_EQ(StatusLine::fileText("data/logo.xml", true), "data/logo.xml *");
  EXPECT_EQ(StatusLine::fileText("data/logo.xml", false), "data/logo.xml");
}
