#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/ofConsole.h"

TEST(Console, WholeLinesArriveOneAtATimeAndTheEndSaysClosed) {
  struct Case {
    const char* typed;
    std::vector<const char*> lines;  // then closed
  };
  const Case cases[] = {
      {"dock\n", {"dock"}},
      {"", {}},
      {"\n  rock boom \r\n", {"", "  rock boom "}},
      {"last", {"last"}},
  };
  for (const Case& c : cases) {
    std::istringstream terminal(c.typed);
    ofSetConsoleInput(&terminal);
    EXPECT_TRUE(ofConsoleIsInteractive());
    for (const char* expected : c.lines) {
      std::string line;
      EXPECT_EQ(ofPollConsoleLine(line), ofConsoleLine::line) << c.typed;
      EXPECT_EQ(line, expected) << c.typed;
    }
    std::string line = "kept";
    for (int i = 0; i < 2; ++i) EXPECT_EQ(ofPollConsoleLine(line), ofConsoleLine::closed) << c.typed;
    EXPECT_EQ(line, "kept");
  }
  ofSetConsoleInput(nullptr);
}

// The game started with its input from a file or /dev/null (as the player's
// tests start it) neither asks there nor waits for it.
TEST(Console, StandardInputThatIsNotATerminalIsNeverRead) {
  const int saved = dup(STDIN_FILENO);
  const int null = open("/dev/null", O_RDONLY);
  ASSERT_GE(null, 0);
  dup2(null, STDIN_FILENO);
  std::string line = "kept";
  const ofConsoleLine got = ofPollConsoleLine(line);
  const bool interactive = ofConsoleIsInteractive();
  dup2(saved, STDIN_FILENO);
  close(saved);
  close(null);
  EXPECT_EQ(got, ofConsoleLine::closed);
  EXPECT_FALSE(interactive);
  EXPECT_EQ(line, "kept");
}
