// The game as someone who installed it meets it: cmake --install into a
// staging folder (as a package build does), the installed program started
// from an empty folder, its menu entry and software-centre entry checked by
// the desktop's own validators.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/HighScores.h"
#include "support/PlayerHarness.h"

namespace fs = std::filesystem;

namespace {
const std::string appId = "org.orvane.Orvane";
const Rgb hudColor{20, 205, 220};
// The title's menu text: yellow at alpha 100 to 200 on black.
const Rgb menuColor{150, 126, 0};

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Runs a shell command; its output (both streams) goes to output.
int run(const std::string& command, std::string& output) {
  char pattern[] = "/tmp/orvane-command-XXXXXX";
  const int fd = mkstemp(pattern);
  close(fd);
  const int status = std::system((command + " >" + pattern + " 2>&1").c_str());
  output = fileText(pattern);
  fs::remove(pattern);
  return status;
}

// Installs the build under the prefix /usr into stage. False, with what
// cmake said, when it failed. The component is named (every rule is in the
// default one) so that cmake lists what it wrote in a file of that name: the
// build's install_manifest.txt is the tester's record of a real install, the
// list an uninstall removes.
bool install(const std::string& stage, std::string& said) {
  return run("DESTDIR='" + stage + "' cmake --install '" ORVANE_BUILD_DIR
             "' --prefix /usr --component Unspecified",
             said) == 0;
}

bool onPath(const std::string& program) {
  std::string ignored;
  return run("command -v " + program, ignored) == 0;
}

// Width and height from a PNG's header; 0 by 0 when it is not a PNG.
std::pair<int, int> pngSize(const std::string& path) {
  const std::string bytes = fileText(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto word = [&](size_t at) {
    int v = 0;
    for (size_t i = at; i < at + 4; ++i) v = v * 256 + static_cast<unsigned char>(bytes[i]);
    return v;
  };
  return {word(16), word(20)};
}

// Takes the write permission from everyone, for a folder and all in it.
void makeReadOnly(const std::string& folder) {
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    fs::permissions(entry.path(), write, fs::perm_options::remove);
  }
  fs::permissions(folder, write, fs::perm_options::remove);
}

// Gives the owner the write permission back when the test ends, so that
// the scratch folder can be removed by a tester who is not root.
struct WritableAgain {
  std::string folder;
  ~WritableAgain() {
    std::error_code ignored;
    if (!fs::exists(folder, ignored)) return;
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
  }
};

bool hudShown(const Screenshot& s) { return s.count(0, 0, 530, 16, hudColor, 50) > 20; }
bool titleShown(const Screenshot& s) {
  return !hudShown(s) && s.count(265, 215, 200, 120, menuColor, 70) > 40;
}
bool scoresShown(const Screenshot& s) {
  return s.count(240, 31, 50, 10, Rgb{0, 153, 153}, 40) > 10;
}
}  // namespace

TEST(Installed, TheMenuEntryIconAndSoftwareCentreEntryAreThereAndValid) {
  char pattern[] = "/tmp/orvane-install-XXXXXX";
  const std::string stage = mkdtemp(pattern);
  std::string said;
  ASSERT_TRUE(install(stage, said)) << said;
  const std::string share = stage + "/usr/share/";
  const std::string desktop = share + "applications/" + appId + ".desktop";
  const std::string metainfo = share + "metainfo/" + appId + ".metainfo.xml";
  EXPECT_TRUE(fs::is_regular_file(stage + "/usr/bin/orvane"));
  EXPECT_TRUE(fs::is_regular_file(share + "orvane/data/data.xml"));
  EXPECT_NE(fileText(desktop).find("\nExec=orvane\n"), std::string::npos) << fileText(desktop);
  EXPECT_NE(fileText(desktop).find("\nIcon=" + appId + "\n"), std::string::npos);
  for (const int size : {64, 128, 256}) {
    const std::string n = std::to_string(size);
    const std::string icon = share + "icons/hicolor/" + n + "x" + n + "/apps/" + appId + ".png";
    EXPECT_EQ(pngSize(icon), std::make_pair(size, size)) << icon;
  }

  struct Check {
    const char* validator;
    std::string command;
  };
  const Check checks[] = {
      {"desktop-file-validate", "desktop-file-validate '" + desktop + "'"},
      // --no-net: the screenshots' addresses are not fetched.
      {"appstreamcli", "appstreamcli validate --no-net '" + metainfo + "'"},
  };
  for (const Check& c : checks) {
    if (!onPath(c.validator)) {
      fs::remove_all(stage);
      GTEST_SKIP() << c.validator << " is not installed (scripts/test.sh installs it)";
    }
    EXPECT_EQ(run(c.command, said), 0) << c.command << "\n" << said;
  }
  fs::remove_all(stage);
}

TEST(Installed, StartedFromAnEmptyFolderTheInstalledGameShowsItsTitle) {
  std::string said;
  GameProcess game(GameProcess::Start{"stage/usr/bin/orvane", "empty", ""}, {},
                   [&](const std::string& scratch) {
                     if (!install(scratch + "/stage", said)) ADD_FAILURE() << said;
                   });
  ASSERT_TRUE(game.waitForWindow()) << game.output();
  EXPECT_TRUE(game.waitFor(titleShown, 5000)) << game.output();
  EXPECT_TRUE(fs::is_empty(game.folder() + "/empty"));
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
}

// An installed game's data cannot be written by its players: the high
// scores go to the player's own folder, seeded from the installed table.
TEST(Installed, AFinishedRunOnReadOnlyDataWritesThePlayersOwnHighScores) {
  const std::string data = "stage/usr/share/orvane/data";
  HighScores seed;
  seed.timeNames.assign(5, "OLD");
  seed.fuelNames.assign(5, "OLD");
  std::string said;
  std::string seedBytes;
  auto prepare = [&](const std::string& scratch) {
    if (!install(scratch + "/stage", said)) ADD_FAILURE() << said;
    // A run that finishes at once, on the installed fonts and sounds.
    fs::copy_file(fixturePath("finish") + "/data.xml", scratch + "/" + data + "/data.xml",
                  fs::copy_options::overwrite_existing);
    seed.save(scratch + "/" + data + "/high.dat");
    seedBytes = fileText(scratch + "/" + data + "/high.dat");
    makeReadOnly(scratch + "/" + data);
  };
  // Root writes whatever the permissions say: the game then runs as nobody.
  const std::string user = geteuid() == 0 ? "nobody" : "";
  GameProcess game(GameProcess::Start{"stage/usr/bin/orvane", "empty", user}, {}, prepare);
  WritableAgain restore{game.folder() + "/" + data};
  ASSERT_EQ(seedBytes.size(), 70u);
  ASSERT_TRUE(game.waitForWindow()) << game.output();
  ASSERT_TRUE(game.startRun()) << game.output();  // the ship starts inside the finish zone
  ASSERT_TRUE(game.waitFor(scoresShown, 15000)) << game.output();

  const std::string own = fileText(game.folder() + "/share/orvane/high.dat");
  ASSERT_EQ(own.size(), 70u) << game.output();
  EXPECT_EQ(own.substr(0, 3), "YOU");
  EXPECT_EQ(own.substr(14, 3), "OLD") << "the installed table's rows follow the run's";
  EXPECT_EQ(fileText(game.folder() + "/" + data + "/high.dat"), seedBytes);
  game.key("Escape");
  ASSERT_TRUE(game.waitFor(titleShown, 5000));
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0) << game.output();
}
