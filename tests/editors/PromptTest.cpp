// The line the editors ask their questions on: keys typed into the window,
// and lines typed on the terminal the game was started from.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editors/Prompt.h"
#include "framework/InputState.h"
#include "framework/ofConsole.h"

namespace {
constexpr int backspace = 8;

struct PromptTest : testing::Test {
  Prompt prompt;
  std::vector<std::string> answers;

  void SetUp() override { ofSetConsoleInput(&terminal); }
  void TearDown() override { ofSetConsoleInput(nullptr); }
  void ask(const std::string& question = "map id: ") {
    testing::internal::CaptureStdout();
    prompt.ask(question, [this](const std::string& word) { answers.push_back(word); });
    testing::internal::GetCapturedStdout();
  }
  void type(const std::vector<int>& keys) {
    for (int key : keys) EXPECT_TRUE(prompt.keyPressed(key)) << key;
  }
  std::istringstream terminal;  // empty: the end of input
};
}  // namespace

TEST_F(PromptTest, TypedKeysEditTheLineAndEnterOrEscapeEndIt) {
  struct Case {
    const char* name;
    std::vector<int> keys;
    const char* answer;  // nullptr: cancelled
  };
  const Case cases[] = {
      {"typed and confirmed", {'d', 'o', 'c', 'k', KEY_ENTER}, "dock"},
      {"Enter on an empty line", {KEY_ENTER}, nullptr},
      {"Escape", {'d', 'o', KEY_ESCAPE}, nullptr},
      {"Backspace", {'d', 'o', 'x', backspace, 'c', 'k', KEY_ENTER}, "dock"},
      {"Backspace on nothing", {backspace, 'a', KEY_ENTER}, "a"},
      {"everything rubbed out", {'a', backspace, KEY_ENTER}, nullptr},
      {"one word: spaces are not typed", {'f', ' ', 'u', KEY_ENTER}, "fu"},
      {"special keys type nothing", {KEY_F1, KEY_LEFT, KEY_HOME, '$', KEY_ENTER}, "$"},
  };
  for (const Case& c : cases) {
    answers.clear();
    ask();
    type(c.keys);
    EXPECT_FALSE(prompt.isOpen()) << c.name;
    EXPECT_EQ(answers, c.answer ? std::vector<std::string>{c.answer} : std::vector<std::string>{})
        << c.name;
  }
}

TEST_F(PromptTest, KeysReachSomeoneElseOnlyWhileNoQuestionIsOpen) {
  EXPECT_FALSE(prompt.keyPressed('w'));
  EXPECT_FALSE(prompt.keyPressed(KEY_ESCAPE));
  ask();
  for (int key : {int{'w'}, int{KEY_ESCAPE}}) EXPECT_TRUE(prompt.keyPressed(key)) << key;
  EXPECT_FALSE(prompt.keyPressed('w'));  // the Escape closed it
  EXPECT_TRUE(answers.empty());
}

TEST_F(PromptTest, ASecondQuestionWaitsUntilTheFirstIsAnsweredAndAnAnswerMayAskAgain) {
  ask("first: ");
  EXPECT_FALSE(prompt.ask("second: ", [](const std::string&) {}));
  EXPECT_EQ(prompt.question(), "first: ");
  prompt.ask("ignored: ", nullptr);
  Prompt chained;
  std::string got;
  chained.ask("name: ", [&](const std::string& word) {
    chained.ask("again " + word + ": ", [&got, word](const std::string& more) { got = word + more; });
  });
  chained.keyPressed('a');
  chained.keyPressed(KEY_ENTER);
  ASSERT_TRUE(chained.isOpen());
  EXPECT_EQ(chained.question(), "again a: ");
  EXPECT_EQ(chained.typed(), "");
  chained.keyPressed('b');
  chained.keyPressed(KEY_ENTER);
  EXPECT_EQ(got, "ab");
}

TEST_F(PromptTest, ALineOnTheTerminalAnswersButItsEndCancelsNothing) {
  struct Case {
    const char* typed;
    std::vector<std::string> answers;
    bool open;  // still waiting for the window
  };
  const Case cases[] = {
      {"rock\n", {"rock"}, false},
      {"  rock boom \r\n", {"rock"}, false},
      {"\n", {}, false},  // an empty line cancels
      {"", {}, true},     // the end of input does not
  };
  for (const Case& c : cases) {
    answers.clear();
    terminal.clear();
    terminal.str(c.typed);
    ask();
    prompt.keyPressed('w');
    prompt.pollTerminal();
    prompt.pollTerminal();
    EXPECT_EQ(answers, c.answers) << c.typed;
    EXPECT_EQ(prompt.isOpen(), c.open) << c.typed;
    if (prompt.isOpen()) type({KEY_ENTER});  // the window answers after all
    EXPECT_EQ(answers.size(), c.open ? 1u : c.answers.size()) << c.typed;
  }
}
