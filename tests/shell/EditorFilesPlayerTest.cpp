// The editors' questions and files as a level builder meets them: the real
// binary with --edit, its standard input closed, answers typed in the window.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace {
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

}  // namespace

TEST(EditorFilesPlayer, AnAnswerTypedInTheWindowIsSaved) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  answer(game, "Insert", {"d", "o", "c", "x", "BackSpace", "k"});
  game.key("ctrl+s");
  // The fixture counts five saves: this is the sixth.
  const std::string saved = waitForSave(game, "data.xml", 6);
  EXPECT_TRUE(contains(saved, "guid=\"dock\"")) << saved;
}

TEST(EditorFilesPlayer, CtrlSWritesOnlyTheFileCtrlLLoaded) {
  GameProcess game(fixturePath("edit"), {"--edit"}, [](const std::string& scratch) {
    std::filesystem::copy_file(fixturePath("level/fresh_saved.xml"), scratch + "/data/second.xml");
  });
  ASSERT_TRUE(game.waitForWindow());
  const std::string data = game.folder() + "/data/";
  const std::string campaign = readFile(data + "data.xml");
  answer(game, "ctrl+l", {"s", "e", "c", "o", "n", "d"});
  drawTestWall(game);
  game.key("ctrl+s");
  // fresh_saved.xml counts one save: its copy is the second.
  EXPECT_TRUE(contains(waitForSave(game, "second.xml", 2), testWallInFile));
  EXPECT_EQ(readFile(data + "data.xml"), campaign);
  EXPECT_FALSE(std::filesystem::exists(data + "save_6.xml"));
}

TEST(EditorFilesPlayer, ClosingTheWindowKeepsUnsavedEdits) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string data = game.folder() + "/data/";
  const std::string campaign = readFile(data + "data.xml");
  drawTestWall(game);
  ASSERT_TRUE(game.waitFor(testWallShown, 5000));
  game.closeWindow();
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_TRUE(contains(readFile(data + "recovered_1.xml"), testWallInFile)) << game.output();
  EXPECT_TRUE(contains(game.output(), "data/recovered_1.xml")) << game.output();
  EXPECT_EQ(readFile(data + "data.xml"), campaign);
}

// Ctrl+C in the terminal, the terminal closed, or a stop asked for by the
// system: the game ends as a closed window does, keeping unsaved edits.
TEST(EditorFilesPlayer, ASignalToStopKeepsUnsavedEdits) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    GameProcess game(fixturePath("edit"), {"--edit"});
    ASSERT_TRUE(game.waitForWindow());
    drawTestWall(game);
    ASSERT_TRUE(game.waitFor(testWallShown, 5000)) << signal;
    game.sendSignal(signal);
    EXPECT_EQ(game.waitForExit(), 128 + signal) << signal;
    const std::string recovered = game.folder() + "/data/recovered_1.xml";
    EXPECT_TRUE(contains(readFile(recovered), testWallInFile)) << signal << game.output();
  }
}
