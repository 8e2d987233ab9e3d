#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/ofConsole.h"

TEST(Console, AnEmptyLineOrTheEndOfInputCancelsTheQuestion) {
  struct Case {
    const char* typed;
    std::vector<const char*> answers;  // one per question asked; nullptr: cancelled
  };
  const Case cases[] = {
      {"dock\n", {"dock", nullptr}},
      {"\n", {nullptr}},
      {"  \t\n", {nullptr}},
      {"", {nullptr, nullptr}},
      {"\ndock\n", {nullptr, "dock", nullptr}},
      {"dock\n\nrock\n", {"dock", nullptr, "rock", nullptr}},
      {"  rock boom \n", {"rock", "boom", nullptr}},  // one word per question, as before
      {"dock\r\n\r\n", {"dock", nullptr, nullptr}},
      {"last", {"last", nullptr}},
  };
  for (const Case& c : cases) {
    std::istringstream console(c.typed);
    ofSetConsoleInput(&console);
    for (size_t i = 0; i < c.answers.size(); ++i) {
      std::string word = "kept";
      const bool answered = ofReadConsoleWord("", word);
      const std::string what = std::string("'") + c.typed + "', question " + std::to_string(i + 1);
      EXPECT_EQ(answered, c.answers[i] != nullptr) << what;
      EXPECT_EQ(word, c.answers[i] ? c.answers[i] : "kept") << what;
    }
  }
  ofSetConsoleInput(nullptr);
}
