// The editors as a level builder meets them: the real binary with --edit.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

const Rgb white{255, 255, 255};
}  // namespace

TEST(Editor, DrawAWallSaveItAndVisitTheModelingTool) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string before = readFile(game.folder() + "/data/data.xml");

  dragWithKey(game, "w", 100, 250, 300, 280);
  game.key("ctrl+s");
  GameProcess::pause(300);

  const std::string saved = readFile(game.folder() + "/data/data.xml");
  EXPECT_EQ(saved, readFile(game.folder() + "/data/save_6.xml"));
  EXPECT_NE(saved.find("<Info count=\"6\">"), std::string::npos);
  EXPECT_EQ(count(saved, "<Wall "), count(before, "<Wall ") + 1);
  EXPECT_NE(saved.find("x1=\"100\" y1=\"250\" x2=\"300\" y2=\"280\""), std::string::npos) << saved;

  // The modeling tool shows a frame counter at the top right, which the
  // level tool does not.
  EXPECT_EQ(game.screenshot().count(390, 3, 135, 14, white, 60), 0);
  game.key("F1");  // the editor opens on the level tool; the modeling tool is next
  GameProcess::pause(300);
  const Screenshot modeling = game.screenshot();
  game.keepScreenshot("modeling");
  EXPECT_GT(modeling.count(390, 3, 135, 14, white, 60), 10) << "frame: 1 of 2";
  EXPECT_GT(modeling.count(5, 355, 70, 14, white, 60), 10) << "the modeling label";

  game.key("Escape");  // leaves editing: the title's menu shows
  GameProcess::pause(400);
  EXPECT_GT(game.screenshot().count(290, 225, 200, 100, Rgb{255, 211, 0}, 150), 10);
}
