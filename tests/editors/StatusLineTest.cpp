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

// A long message (a failed save names a path in the player's folder) is
// wrapped at spaces so that no line runs under the colour swatch.
TEST(StatusLine, ALongMessageWrapsClearOfTheSwatch) {
  ManualClock clock{1000};
  ofSetClock(&clock);
  StatusLine status;
  const std::string said =
      "could not save ~/.local/share/orvane/levels/data.xml (see the terminal): Ctrl+E saves "
      "elsewhere";
  status.show(said);
  const size_t columns = (530 - StatusLine::swatchRoom) / 8;
  const std::vector<std::string> lines = status.messageLines(530);
  ASSERT_GT(lines.size(), 1u);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), columns) << line;
    joined += (joined.empty() ? "" : " ") + line;
  }
  EXPECT_EQ(joined, said);
  clock.advance(StatusLine::messageMs);
  EXPECT_TRUE(status.messageLines(530).empty());
  ofSetClock(nullptr);
}
