// A player's own files as the real game meets them when it cannot read them
// (mode 000, as a player or a backup tool may leave them): they are never
// written over, the window and the terminal say so, and the game goes on
// with what it has.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/HighScores.h"
#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace fs = std::filesystem;

namespace {
std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The window's notices are red; the title's sit along the bottom, the
// score screen's above its last line.
bool noticeShown(const Screenshot& s, int top) {
  return s.count(0, top, 530, 370 - top, Rgb{255, 90, 90}, 60) > 20;
}
bool scoresShown(const Screenshot& s) {
  return s.count(240, 31, 50, 10, Rgb{0, 153, 153}, 40) > 10;
}
}  // namespace

TEST(PlayersFiles, FilesThePlayerCannotReadAreNeverWrittenOverAndTheWindowSaysSo) {
  const std::string settingsText = "turn_left = a\nmusic_volume = 30\n";
  std::string tableBytes;
  auto prepare = [&](const std::string& scratch) {
    // The data folder is root's: for the player it is read-only, so the
    // high scores are the player's own copy. The run finishes at once.
    fs::create_directories(scratch + "/data");
    for (const char* name : {"data.xml", "font.xml"}) {
      fs::copy_file(fixturePath("finish") + "/" + name, scratch + "/data/" + name);
    }
    fs::create_directory_symlink(std::string(ORVANE_SOURCE_DIR) + "/data/fonts",
                                 scratch + "/data/fonts");
    fs::create_directories(scratch + "/config/orvane");
    fs::create_directories(scratch + "/share/orvane");
    std::ofstream(scratch + "/config/orvane/settings") << settingsText;
    HighScores table;
    table.timeNames.assign(5, "OLD");
    table.save(scratch + "/share/orvane/high.dat");
    tableBytes = fileText(scratch + "/share/orvane/high.dat");
    chmod((scratch + "/config/orvane/settings").c_str(), 0);
    chmod((scratch + "/share/orvane/high.dat").c_str(), 0);
  };
  // Root reads whatever the permissions say: the game then runs as nobody.
  const std::string user = geteuid() == 0 ? "nobody" : "";
  GameProcess game(GameProcess::Start{"", "", user}, {}, prepare);
  ASSERT_EQ(tableBytes.size(), 70u);
  ASSERT_TRUE(game.waitForWindow()) << game.output();
  EXPECT_TRUE(game.waitFor([](const Screenshot& s) { return noticeShown(s, 342); }, 5000))
      << "the title says it\n"
      << game.output();
  game.key("c");  // calm mode: a setting saved
  ASSERT_TRUE(game.startRun()) << game.output();
  ASSERT_TRUE(game.waitFor(scoresShown, 15000)) << game.output();
  EXPECT_TRUE(game.waitFor([](const Screenshot& s) { return noticeShown(s, 320); }, 5000))
      << "the score screen says the run was not saved\n"
      << game.output();
  game.key("Escape");
  GameProcess::pause(300);
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0) << game.output();

  const std::string settings = game.folder() + "/config/orvane/settings";
  const std::string table = game.folder() + "/share/orvane/high.dat";
  EXPECT_EQ(fileText(settings), settingsText);
  EXPECT_EQ(fileText(table), tableBytes);
  const std::string out = game.output();
  for (const std::string& said :
       {"OF_WARNING: could not load " + settings +
            ": Permission denied; the defaults apply for now, and the file is not written over",
        "OF_ERROR: could not save " + settings +
            ": it could not be read (Permission denied), so it is not written over",
        "OF_WARNING: could not read the high scores in " + table +
            ": Permission denied; the table starts from its defaults, and the file is not "
            "written over",
        "OF_ERROR: could not save the high scores to " + table +
            ": it could not be read (Permission denied), so it is not written over"}) {
    EXPECT_EQ(occurrences(out, said), 1) << said << "\n" << out;
  }
}
