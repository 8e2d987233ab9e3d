// The file the editors work on: saves go back where the levels came from,
// unsaved edits show, and the recovery copy keeps them when the game ends.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "editors/EditedFile.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

struct EditedFileTest : testing::Test {
  ScratchFolder scratch;
  EditedFile file;
  LevelData data;
  std::string campaign = readFixture("level/full_set.xml");  // count 5
  std::string logo = readFixture("level/fresh_saved.xml");   // count 1

  void SetUp() override {
    scratch.write("data/data.xml", campaign);
    scratch.write("data/logo.xml", logo);
    testing::internal::CaptureStdout();
    EXPECT_EQ(file.open(data), "");
  }
  void TearDown() override { testing::internal::GetCapturedStdout(); }
  // One more wall in the current level: an edit.
  void edit() { data.getCurrentLevel().walls.emplace_back(1, 2, 3, 4, 5, 6, 7, 'w'); }
  void age(const std::string& path, int seconds) {
    const fs::path p = scratch.path() + "/" + path;
    fs::last_write_time(p, fs::last_write_time(p) - std::chrono::seconds(seconds));
  }
};
}  // namespace

TEST_F(EditedFileTest, ASaveGoesBackToTheFileLoadedWithItsCopyBeside) {
  scratch.write("data/save_2.xml", "an older save");
  for (const char* typed : {"logo", "logo.xml"}) {
    EXPECT_EQ(file.load(data, typed), "loaded data/logo.xml") << typed;
  }
  EXPECT_EQ(file.name(), "logo.xml");
  edit();
  EXPECT_EQ(file.save(data), "saved data/logo.xml (copy save_3.xml)");
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  EXPECT_EQ(scratch.read("data/save_2.xml"), "an older save");
  EXPECT_EQ(scratch.read("data/logo.xml"), scratch.read("data/save_3.xml"));
  EXPECT_NE(scratch.read("data/logo.xml").find("x1=\"1\" y1=\"2\""), std::string::npos);
  EXPECT_FALSE(scratch.exists("data/save_6.xml"));  // the campaign's next copy

  scratch.write("data/logo.xml", "<Info");  // spoiled since it was loaded
  EXPECT_EQ(file.save(data), "saved data/logo.xml (copy save_4.xml)");
  EXPECT_EQ(scratch.read("data/logo.xml.broken"), "<Info");
}

TEST_F(EditedFileTest, EditsAreUnsavedUntilSavedAndAreKeptWhenALoadReplacesThem) {
  EXPECT_FALSE(file.unsaved(data));
  data.nextLevel();
  data.update(true, true);
  EXPECT_FALSE(file.unsaved(data)) << "choosing and animating is not editing";
  edit();
  EXPECT_TRUE(file.unsaved(data));
  file.save(data);
  EXPECT_FALSE(file.unsaved(data));
  data.levels[0].guid = "renamed";
  EXPECT_TRUE(file.unsaved(data));
  EXPECT_EQ(file.load(data, "logo"), "loaded data/logo.xml; unsaved edits in data/recovered.xml");
  EXPECT_FALSE(file.unsaved(data));
  EXPECT_NE(scratch.read("data/recovered.xml").find("guid=\"renamed\""), std::string::npos);

  // Where they cannot be kept, they are not given up for another file.
  data.levels[0].guid = "again";
  fs::remove(scratch.path() + "/data/recovered.xml");
  fs::create_directory(scratch.path() + "/data/recovered.xml");
  EXPECT_EQ(file.load(data, "data"), "did not load data/data.xml: unsaved edits");
  EXPECT_EQ(data.levels[0].guid, "again");
  EXPECT_EQ(file.name(), "logo.xml");
}

TEST_F(EditedFileTest, AFileThatDoesNotLoadLeavesTheEditsAndTheirFileAsTheyWere) {
  scratch.write("data/bad.xml", "<Info>\n<Levels>\n</Info>");
  edit();
  const size_t walls = data.getCurrentLevel().walls.size();
  const std::string said = file.load(data, "bad");
  EXPECT_EQ(said.rfind("could not load data/bad.xml: line ", 0), 0u) << said;
  EXPECT_EQ(file.load(data, std::string(200, 'n')).rfind("could not load data/nnn", 0), 0u);
  EXPECT_EQ(data.getCurrentLevel().walls.size(), walls);
  EXPECT_EQ(file.name(), "data.xml");
  EXPECT_TRUE(file.unsaved(data));
  EXPECT_FALSE(scratch.exists("data/recovered.xml"));
}

TEST_F(EditedFileTest, WithoutADataFileTheEditsStartOnAFreshSet) {
  fs::remove(scratch.path() + "/data/data.xml");
  const std::string said = file.open(data);
  EXPECT_EQ(said.rfind("new set: could not load data/data.xml", 0), 0u) << said;
  EXPECT_EQ(data.levels.size(), 1u);
  EXPECT_FALSE(file.unsaved(data));
}

TEST_F(EditedFileTest, TheRecoveryCopyIsOfferedWhileNewerAndLoadsBackIntoItsFile) {
  EXPECT_EQ(file.recoveryHint(), "");
  file.load(data, "logo");
  edit();
  ASSERT_TRUE(file.writeRecovery(data));
  EXPECT_EQ(scratch.read("data/logo.xml"), logo);
  age("data/logo.xml", 10);
  EditedFile nextRun;
  LevelData edits;
  nextRun.open(edits);
  EXPECT_EQ(nextRun.recoveryHint(), "unsaved edits of logo.xml kept: Ctrl+L recovered");
  EXPECT_EQ(nextRun.load(edits, "recovered"), "recovered edits of data/logo.xml: Ctrl+S saves them");
  EXPECT_EQ(nextRun.name(), "logo.xml");
  EXPECT_TRUE(nextRun.unsaved(edits));
  nextRun.save(edits);
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  EXPECT_NE(scratch.read("data/logo.xml").find("x1=\"1\" y1=\"2\""), std::string::npos);
  EXPECT_EQ(nextRun.recoveryHint(), "") << "the file is newer than its recovery copy now";
}

TEST_F(EditedFileTest, LoadingTheRecoveryCopyOverUnsavedEditsKeepsEachForItsOwnFile) {
  file.load(data, "logo");
  edit();
  ASSERT_TRUE(file.writeRecovery(data));
  EditedFile nextRun;
  LevelData edits;
  nextRun.open(edits);
  edits.levels[0].guid = "unsaved";
  EXPECT_EQ(nextRun.load(edits, "recovered"),
            "recovered edits of data/logo.xml: Ctrl+S saves them; unsaved edits in "
            "data/recovered.xml");
  EXPECT_EQ(nextRun.name(), "logo.xml");
  EXPECT_EQ(edits.getCurrentLevel().walls.size(), data.getCurrentLevel().walls.size());
  EditedFile third;
  LevelData more;
  third.open(more);
  third.load(more, "recovered");
  EXPECT_EQ(third.name(), "data.xml");
  EXPECT_EQ(more.levels[0].guid, "unsaved");
}

// An installed game's data folder cannot be written: the editors read from it
// but save, with their copies and the recovery copy, into the player's folder.
TEST(EditedFileOfReadOnlyData, SavesGoToThePlayersFolderAndSayWhere) {
  ScratchFolder scratch;
  const std::string campaign = readFixture("level/full_set.xml");  // count 5
  const std::string logo = readFixture("level/fresh_saved.xml");
  scratch.write("data/data.xml", campaign);
  scratch.write("data/logo.xml", logo);
  ScopedEnvironment home("HOME", scratch.path());
  const std::string levels = scratch.path() + "/share/orvane/levels";
  testing::internal::CaptureStdout();

  EditedFile file;
  file.saveInto(levels);
  LevelData data;
  EXPECT_EQ(file.open(data), "read-only data: saves go to ~/share/orvane/levels");
  EXPECT_EQ(file.path(), "~/share/orvane/levels/data.xml");
  data.getCurrentLevel().walls.emplace_back(1, 2, 3, 4, 5, 6, 7, 'w');
  EXPECT_EQ(file.save(data), "saved ~/share/orvane/levels/data.xml (copy save_6.xml)");
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  EXPECT_FALSE(scratch.exists("data/save_6.xml"));
  EXPECT_EQ(scratch.read("share/orvane/levels/save_6.xml"),
            scratch.read("share/orvane/levels/data.xml"));

  // The next session goes on from the player's copy.
  EditedFile nextRun;
  nextRun.saveInto(levels);
  LevelData reopened;
  nextRun.open(reopened);
  EXPECT_FALSE(nextRun.unsaved(data)) << "the saved wall is there";

  // A file only the data folder has is read from there; unsaved edits are
  // kept in the player's folder.
  data.levels[0].guid = "renamed";
  EXPECT_EQ(file.load(data, "logo"),
            "loaded data/logo.xml; unsaved edits in ~/share/orvane/levels/recovered.xml");
  EXPECT_EQ(file.path(), "~/share/orvane/levels/logo.xml");
  EXPECT_NE(scratch.read("share/orvane/levels/recovered.xml").find("guid=\"renamed\""),
            std::string::npos);
  EXPECT_FALSE(scratch.exists("data/recovered.xml"));
  EXPECT_EQ(file.recoveryPath(), "~/share/orvane/levels/recovered.xml");
  testing::internal::GetCapturedStdout();
}

// The recovery copy is a file like any other: what it names is a file name
// in the folder saved into, never a path that aims a save elsewhere.
TEST_F(EditedFileTest, ARecoveryCopyCannotAimASaveOutsideItsFolder) {
  edit();
  ASSERT_TRUE(file.writeRecovery(data));
  const std::string copy = scratch.read("data/recovered.xml");
  for (const std::string aimed : {"../../../X.xml", "/tmp/X.xml", "..", "sub/X.xml"}) {
    std::string spoiled = copy;
    const std::string at = "editedFile=\"data.xml\"";
    spoiled.replace(spoiled.find(at), at.size(), "editedFile=\"" + aimed + "\"");
    scratch.write("data/recovered.xml", spoiled);
    EditedFile nextRun;
    LevelData edits;
    nextRun.open(edits);
    EXPECT_EQ(nextRun.load(edits, "recovered"),
              "recovered edits of data/data.xml: Ctrl+S saves them")
        << aimed;
    EXPECT_EQ(nextRun.name(), "data.xml") << aimed;
    nextRun.save(edits);
    EXPECT_FALSE(fs::exists(fs::path(scratch.path()) / "data" / aimed) && aimed != "..") << aimed;
  }
  EXPECT_FALSE(fs::exists("/tmp/X.xml"));
  EXPECT_FALSE(fs::exists(fs::path(scratch.path()).parent_path().parent_path() / "X.xml"));
}

// Ctrl+L of what is not a file says so at once and keeps the edits.
TEST_F(EditedFileTest, LoadingAFolderOrAPipeIsRefusedAndTheEditsStay) {
  fs::create_directory(scratch.path() + "/data/levels.xml");
  ASSERT_EQ(mkfifo((scratch.path() + "/data/pipe.xml").c_str(), 0600), 0);
  edit();
  const struct {
    const char* typed;
    const char* said;
  } cases[] = {
      {"levels", "could not load data/levels.xml: is a folder, not a file"},
      {"pipe", "could not load data/pipe.xml: is a pipe, not a file"},
  };
  for (const auto& c : cases) EXPECT_EQ(file.load(data, c.typed), c.said);
  EXPECT_EQ(file.name(), "data.xml");
  EXPECT_TRUE(file.unsaved(data));
}

// The game's other XML files load as XML; taken for an empty level set, a
// save would replace them with levels.
TEST_F(EditedFileTest, AFileThatIsNoLevelSetIsRefusedAndNeverBecomesTheSaveTarget) {
  const std::string bank = "<BGM><bgm tag=\"menu\" path=\"menu.ogg\"></bgm></BGM><SE></SE>";
  scratch.write("data/audio.xml", bank);
  edit();
  EXPECT_EQ(file.load(data, "audio"),
            "did not load data/audio.xml: it is not a level set (it has no Info, Models or "
            "Levels)");
  EXPECT_EQ(file.name(), "data.xml");
  EXPECT_TRUE(file.unsaved(data));
  file.save(data);
  EXPECT_EQ(scratch.read("data/audio.xml"), bank);
  // A file of levels alone, without Info or containers, is a set.
  scratch.write("data/bare.xml", "<Level guid=\"bare\"></Level>");
  EXPECT_EQ(file.load(data, "bare"), "loaded data/bare.xml");
}
