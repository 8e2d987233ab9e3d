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
      {"spaces between letters are kept", {'f', ' ', 'u', KEY_ENTER}, "f u"},
      {"spaces at the ends are not", {' ', 'f', ' ', ' ', KEY_ENTER}, "f"},
      {"spaces alone cancel", {' ', ' ', KEY_ENTER}, nullptr},
      {"Latin-1 letters kept as UTF-8", {'c', 'a', 'f', 233, '-', 252, 'b', 'e', 'r', KEY_ENTER},
       "caf\xC3\xA9-\xC3\xBC" "ber"},
      {"Latin-1 signs", {163, '5', ' ', 191, 160, 255, KEY_ENTER}, "\xC2\xA3" "5 \xC2\xBF\xC2\xA0\xC3\xBF"},
      {"Backspace takes a whole accented letter", {'a', 223, backspace, 'b', KEY_ENTER}, "ab"},
      {"signs the file escapes", {'&', '<', '"', '\'', '>', KEY_ENTER}, "&<\"'>"},
      {"a tab or a control key is refused", {'a', '\t', 19, 133, 'b', KEY_ENTER}, "ab"},
      {"special keys type nothing", {KEY_F1, KEY_LEFT, KEY_HOME, KEY_DELETE, '$', KEY_ENTER}, "$"},
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
      {"  rock boom \r\n", {"rock boom"}, false},
      {"\tcaf\xC3\xA9 \xC3\xBC" "ber\n", {"caf\xC3\xA9 \xC3\xBC" "ber"}, false},
      {"\n", {}, false},  // an empty line cancels
      {"", {}, true},     // the end of input does not
      // What the window could not type is refused, and the question stays.
      {"rock\tboom\n", {}, true},
      {"caf\xE9\n", {}, true},         // Latin-1 bytes, not UTF-8
      {"\xC5\x82\xC3\xB3" "d\xC5\xBA\n", {}, true},  // letters beyond Latin-1
  };
  for (const Case& c : cases) {
    answers.clear();
    terminal.clear();
    terminal.str(c.typed);
    ask();
    prompt.keyPressed('w');
    testing::internal::CaptureStdout();
    prompt.pollTerminal();
    prompt.pollTerminal();
    const std::string said = testing::internal::GetCapturedStdout();
    const bool refused = c.open && *c.typed;
    EXPECT_EQ(said.empty(), !refused) << c.typed;
    EXPECT_EQ(prompt.note().empty(), !refused) << c.typed;
    EXPECT_EQ(answers, c.answers) << c.typed;
    EXPECT_EQ(prompt.isOpen(), c.open) << c.typed;
    if (prompt.isOpen()) type({KEY_ENTER});  // the window answers after all
    EXPECT_EQ(answers.size(), c.open ? 1u : c.answers.size()) << c.typed;
  }
}

// The line says what a word may hold after a refusal, until a character is
// typed or another question asked.
TEST_F(PromptTest, ARefusedKeyIsSaidOnTheLine) {
  ask();
  type({'a'});
  EXPECT_EQ(prompt.note(), "");
  type({'\t'});
  EXPECT_EQ(prompt.note(), "refused: letters (accented too), digits, signs, spaces only");
  EXPECT_EQ(prompt.typed(), "a");
  type({backspace});
  EXPECT_NE(prompt.note(), "") << "rubbing out is no character";
  type({233});
  EXPECT_EQ(prompt.note(), "");
  type({'\t', KEY_ESCAPE});
  ask();
  EXPECT_EQ(prompt.note(), "");
}
