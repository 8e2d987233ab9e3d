// Undo and redo as a level builder meets them: the real binary with --edit,
// a wall drawn, taken back with Ctrl+Z and done again with Ctrl+Y, and each
// state saved with Ctrl+S and read back from the file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A level file with its save count blanked: every save counts one more, so
// only the levels and models are left to compare.
std::string withoutSaveCount(std::string text) {
  const std::string tag = "<Info count=\"";
  const size_t from = text.find(tag);
  if (from == std::string::npos) return text;
  const size_t value = from + tag.size();
  const size_t end = text.find('"', value);
  if (end != std::string::npos) text.erase(value, end - value);
  return text;
}

// Presses Ctrl+S and waits until save number n is written whole: the
// numbered copy is written first, then data.xml, so the save is done once
// both hold the same bytes. Returns data.xml as saved, "" after 5 s.
std::string save(GameProcess& game, int n) {
  game.key("ctrl+s");
  const std::string data = game.folder() + "/data/";
  const std::string copy = data + "save_" + std::to_string(n) + ".xml";
  for (int waited = 0; waited < 5000; waited += 100) {
    if (std::filesystem::exists(copy)) {
      const std::string saved = readFile(data + "data.xml");
      if (!saved.empty() && saved == readFile(copy)) return saved;
    }
    GameProcess::pause(100);
  }
  return "";
}

// The wall the test draws, in the new walls' green, on screen and in a file.
bool wallShown(const Screenshot& shot) {
  return shot.count(100, 245, 200, 40, Rgb{0, 255, 0}, 60) > 100;
}
bool wallGone(const Screenshot& shot) { return !wallShown(shot); }
const char* wallDrawn = "x1=\"100\" y1=\"250\" x2=\"300\" y2=\"280\"";
}  // namespace

TEST(EditorUndoPlayer, CtrlZKeepsADrawnWallOutOfTheSaveAndCtrlYBringsItBack) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string before = readFile(game.folder() + "/data/data.xml");

  dragWithKey(game, "w", 100, 250, 300, 280);
  ASSERT_TRUE(game.waitFor(wallShown, 5000));
  game.key("ctrl+z");
  EXPECT_TRUE(game.waitFor(wallGone, 5000));
  // The fixture counts five saves: this is the sixth.
  const std::string undone = save(game, 6);
  ASSERT_FALSE(undone.empty()) << game.output();
  EXPECT_EQ(withoutSaveCount(undone), withoutSaveCount(before));

  game.key("ctrl+y");
  EXPECT_TRUE(game.waitFor(wallShown, 5000));
  const std::string redone = save(game, 7);
  ASSERT_FALSE(redone.empty()) << game.output();
  EXPECT_EQ(count(redone, "<Wall "), count(before, "<Wall ") + 1);
  EXPECT_NE(redone.find(wallDrawn), std::string::npos) << redone;
}
