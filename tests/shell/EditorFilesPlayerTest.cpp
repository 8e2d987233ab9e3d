// The editors' questions and files as a level builder meets them: the real
// binary with --edit, its standard input closed, answers typed in the window.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Checks the file every 100 ms until it satisfies ok; false after timeoutMs.
bool waitForFile(const std::string& path, const std::function<bool(const std::string&)>& ok,
                 int timeoutMs = 5000) {
  for (int waited = 0; waited < timeoutMs; waited += 100) {
    if (std::filesystem::exists(path) && ok(readFile(path))) return true;
    GameProcess::pause(100);
  }
  return false;
}

bool contains(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

// Opens a question with key, types keys into it and confirms.
void answer(GameProcess& game, const std::string& key, const std::vector<std::string>& typed) {
  game.key(key);
  ASSERT_TRUE(game.waitFor(promptShown, 5000)) << key;
  for (const std::string& k : typed) game.key(k);
  game.key("Return");
  ASSERT_TRUE(game.waitFor([](const Screenshot& s) { return !promptShown(s); }, 5000)) << key;
}

void drawWall(GameProcess& game) { dragWithKey(game, "w", 100, 250, 300, 280); }

// The wall drawWall makes, in the new walls' green, on screen and in a file.
bool wallShown(const Screenshot& shot) {
  return shot.count(100, 245, 200, 40, Rgb{0, 255, 0}, 60) > 100;
}
const char* wallDrawn = "x1=\"100\" y1=\"250\" x2=\"300\" y2=\"280\"";
}  // namespace

TEST(EditorFilesPlayer, AnAnswerTypedInTheWindowIsSaved) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  answer(game, "Insert", {"d", "o", "c", "x", "BackSpace", "k"});
  game.key("ctrl+s");
  const std::string saved = game.folder() + "/data/data.xml";
  EXPECT_TRUE(waitForFile(saved, [](const std::string& t) { return contains(t, "guid=\"dock\""); }))
      << readFile(saved);
}

TEST(EditorFilesPlayer, CtrlSWritesOnlyTheFileCtrlLLoaded) {
  GameProcess game(fixturePath("edit"), {"--edit"}, [](const std::string& scratch) {
    std::filesystem::copy_file(fixturePath("level/fresh_saved.xml"), scratch + "/data/second.xml");
  });
  ASSERT_TRUE(game.waitForWindow());
  const std::string data = game.folder() + "/data/";
  const std::string campaign = readFile(data + "data.xml");
  answer(game, "ctrl+l", {"s", "e", "c", "o", "n", "d"});
  drawWall(game);
  game.key("ctrl+s");
  // fresh_saved.xml counts one save: its copy is the second.
  ASSERT_TRUE(waitForFile(data + "save_2.xml",
                          [](const std::string& t) { return contains(t, wallDrawn); }));
  EXPECT_EQ(readFile(data + "second.xml"), readFile(data + "save_2.xml"));
  EXPECT_EQ(readFile(data + "data.xml"), campaign);
  EXPECT_FALSE(std::filesystem::exists(data + "save_6.xml"));
}

TEST(EditorFilesPlayer, ClosingTheWindowKeepsUnsavedEdits) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string data = game.folder() + "/data/";
  const std::string campaign = readFile(data + "data.xml");
  drawWall(game);
  ASSERT_TRUE(game.waitFor(wallShown, 5000));
  game.closeWindow();
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_TRUE(contains(readFile(data + "recovered.xml"), wallDrawn)) << game.output();
  EXPECT_TRUE(contains(game.output(), "data/recovered.xml")) << game.output();
  EXPECT_EQ(readFile(data + "data.xml"), campaign);
}
