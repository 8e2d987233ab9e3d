// The file the editors work on: saves go back where the levels came from,
// unsaved edits show, and the recovery copy keeps them when the game ends.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "editors/EditedFile.h"
#include "support/FileSizeLimit.h"
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
  // The log is shown only when a test failed: gtest's own report of the
  // failure is in it.
  void TearDown() override {
    const std::string log = testing::internal::GetCapturedStdout();
    if (HasFailure()) std::cerr << log;
  }
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
  EXPECT_EQ(file.load(data, "logo"), "loaded data/logo.xml; unsaved edits in data/recovered_1.xml");
  EXPECT_FALSE(file.unsaved(data));
  EXPECT_NE(scratch.read("data/recovered_1.xml").find("guid=\"renamed\""), std::string::npos);

  // Where they cannot be kept, they are not given up for another file.
  data.levels[0].guid = "again";
  fs::create_directory(scratch.path() + "/data/recovered_2.xml");
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
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml"));
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
            "data/recovered_2.xml");
  EXPECT_EQ(nextRun.name(), "logo.xml");
  EXPECT_EQ(edits.getCurrentLevel().walls.size(), data.getCurrentLevel().walls.size());
  EditedFile third;
  LevelData more;
  third.open(more);
  third.load(more, "recovered_2");
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
            "loaded data/logo.xml; unsaved edits in ~/share/orvane/levels/recovered_1.xml");
  EXPECT_EQ(file.path(), "~/share/orvane/levels/logo.xml");
  EXPECT_NE(scratch.read("share/orvane/levels/recovered_1.xml").find("guid=\"renamed\""),
            std::string::npos);
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml"));
  EXPECT_EQ(file.recoveryPath(), "~/share/orvane/levels/recovered_2.xml") << "the next edits' copy";
  testing::internal::GetCapturedStdout();
}

// The recovery copy is a file like any other: what it names is a file name
// in the folder saved into, never a path that aims a save elsewhere; edits
// naming another place become a new set, saved only under a name asked for.
TEST_F(EditedFileTest, ARecoveryCopyCannotAimASaveOutsideItsFolder) {
  edit();
  ASSERT_TRUE(file.writeRecovery(data));
  const std::string copy = scratch.read("data/recovered_1.xml");
  for (const std::string aimed : {"../../../X.xml", "/tmp/X.xml", "..", "sub/X.xml"}) {
    std::string spoiled = copy;
    const std::string at = "editedFile=\"data.xml\"";
    spoiled.replace(spoiled.find(at), at.size(), "editedFile=\"" + aimed + "\"");
    scratch.write("data/recovered_1.xml", spoiled);
    EditedFile nextRun;
    LevelData edits;
    nextRun.open(edits);
    EXPECT_EQ(nextRun.load(edits, "recovered"),
              "recovered edits of a new set: Ctrl+E saves them under a name")
        << aimed;
    EXPECT_TRUE(nextRun.isNew()) << aimed;
    EXPECT_EQ(nextRun.save(edits).rfind("not saved", 0), 0u) << aimed;
    EXPECT_EQ(scratch.read("data/data.xml"), campaign) << aimed;
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

// Each run's unsaved edits, and each set of them a load replaced, keep a
// copy of their own: a later run that ignores the offer loses none.
TEST_F(EditedFileTest, EachSetOfUnsavedEditsKeepsItsOwnRecoveryCopyAndAllAreOffered) {
  data.levels[0].guid = "first run";
  ASSERT_TRUE(file.writeRecovery(data));
  {
    EditedFile secondRun;
    LevelData edits;
    secondRun.open(edits);
    edits.levels[0].guid = "second run";
    ASSERT_TRUE(secondRun.writeRecovery(edits));
    ASSERT_TRUE(secondRun.writeRecovery(edits)) << "written again: the same copy";
    edits.levels[0].guid = "before a load";
    EXPECT_EQ(secondRun.load(edits, "logo"), "loaded data/logo.xml; unsaved edits in data/recovered_2.xml");
    edits.levels[0].guid = "of logo";
    EXPECT_EQ(secondRun.load(edits, "data"), "loaded data/data.xml; unsaved edits in data/recovered_3.xml");
  }
  age("data/data.xml", 10);
  age("data/logo.xml", 10);
  EXPECT_NE(scratch.read("data/recovered_1.xml").find("first run"), std::string::npos);
  EXPECT_NE(scratch.read("data/recovered_2.xml").find("before a load"), std::string::npos);
  EXPECT_FALSE(scratch.exists("data/recovered_4.xml"));

  EditedFile thirdRun;
  LevelData edits;
  thirdRun.open(edits);
  EXPECT_EQ(thirdRun.recoveryHint(),
            "unsaved edits kept: recovered_3 (logo.xml), recovered_2 (data.xml), recovered_1 "
            "(data.xml): Ctrl+L and a name loads them");
  EXPECT_EQ(thirdRun.load(edits, "recovered"), "recovered edits of data/logo.xml: Ctrl+S saves them");
  EXPECT_EQ(edits.levels[0].guid, "of logo");
  EXPECT_EQ(thirdRun.load(edits, "recovered_1").rfind("recovered edits of data/data.xml", 0), 0u);
  EXPECT_EQ(edits.levels[0].guid, "first run");
}

TEST_F(EditedFileTest, OnlyTheNewestRecoveryCopiesAreKept) {
  scratch.write("data/recovered.xml", "an older game's copy");
  for (int run = 1; run <= EditedFile::recoveryCopiesKept + 1; ++run) {
    EditedFile next;
    LevelData edits;
    next.open(edits);
    edits.levels[0].guid = "run " + std::to_string(run);
    ASSERT_TRUE(next.writeRecovery(edits));
  }
  EXPECT_FALSE(scratch.exists("data/recovered.xml"));
  EXPECT_FALSE(scratch.exists("data/recovered_1.xml"));
  EXPECT_TRUE(scratch.exists("data/recovered_2.xml"));
  EXPECT_NE(scratch.read("data/recovered_9.xml").find("run 9"), std::string::npos);
}

// A save writes over the file only as it was loaded; a change made outside
// (by hand, by another program) is seen, and can be kept as a numbered copy.
TEST_F(EditedFileTest, AFileChangedOnDiskSinceItWasLoadedIsNoticedAndItsVersionKept) {
  EXPECT_FALSE(file.changedOnDisk());
  edit();
  const std::string byHand = campaign.substr(0, campaign.size() / 2) + "<!-- by hand -->" +
                             campaign.substr(campaign.size() / 2);
  scratch.write("data/data.xml", byHand);
  age("data/data.xml", -5);
  EXPECT_TRUE(file.changedOnDisk());
  EXPECT_EQ(file.keepOutsideVersion(), "; the file on disk was kept as data/save_1.xml");
  EXPECT_EQ(file.save(data), "saved data/data.xml (copy save_6.xml)");
  EXPECT_EQ(scratch.read("data/save_1.xml"), byHand);
  EXPECT_FALSE(file.changedOnDisk()) << "as this save left it";
  fs::remove(scratch.path() + "/data/data.xml");
  EXPECT_FALSE(file.changedOnDisk()) << "nothing there to write over";
}

// Save as: a plain name goes into the player's level folder, a path where it
// says; the file saved becomes the file edited.
TEST_F(EditedFileTest, SaveAsPutsANameInThePlayersLevelsAndAPathWhereItSays) {
  ScopedEnvironment home("HOME", scratch.path());
  ScopedEnvironment xdg("XDG_DATA_HOME", "");
  edit();
  EXPECT_EQ(file.saveAs(data, "my caves"),
            "saved ~/.local/share/orvane/levels/my caves.xml (copy save_6.xml)");
  EXPECT_EQ(file.name(), "my caves.xml");
  EXPECT_FALSE(file.unsaved(data));
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  edit();
  EXPECT_EQ(file.save(data), "saved ~/.local/share/orvane/levels/my caves.xml (copy save_7.xml)");

  // Found again by its name in a later run, and saved back where it is.
  EditedFile nextRun;
  LevelData mine;
  nextRun.open(mine);
  EXPECT_EQ(nextRun.load(mine, "my caves"), "loaded ~/.local/share/orvane/levels/my caves.xml");
  EXPECT_FALSE(nextRun.unsaved(data));
  mine.levels[0].guid = "again";
  EXPECT_EQ(nextRun.save(mine), "saved ~/.local/share/orvane/levels/my caves.xml (copy save_8.xml)");
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);

  const std::string elsewhere = scratch.path() + "/stick/set";
  fs::create_directory(scratch.path() + "/stick");
  scratch.write("stick/set.xml", "someone else's set");
  EXPECT_EQ(file.saveAs(data, elsewhere),
            "saved ~/stick/set.xml (copy save_8.xml); the file there was kept as ~/stick/save_1.xml");
  EXPECT_EQ(file.load(data, scratch.path() + "/stick/set"), "loaded ~/stick/set.xml");
  EXPECT_EQ(scratch.read("stick/save_1.xml"), "someone else's set");
  EXPECT_EQ(file.path(), "~/stick/set.xml");
  fs::create_directory(scratch.path() + "/stick/folder.xml");
  EXPECT_EQ(file.saveAs(data, scratch.path() + "/stick/folder").rfind("could not save ~/stick/folder.xml", 0), 0u);
  EXPECT_EQ(file.path(), "~/stick/set.xml") << "a failed save as changes nothing";
}

// A full disk: the save fails and says which file; the recovery copy fails
// too, which the editing state asks about before it lets the edits go.
TEST_F(EditedFileTest, OnAFullDiskTheSaveAndTheRecoveryCopySayTheyFailed) {
  edit();
  {
    FileSizeLimit full(100);
    EXPECT_EQ(file.save(data), "could not save data/data.xml (see the terminal): Ctrl+E saves elsewhere");
    EXPECT_FALSE(file.writeRecovery(data));
    EXPECT_TRUE(file.recoveryFailed());
  }
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("could not save data/data.xml"), std::string::npos) << log;
  EXPECT_EQ(log.find("could not save data/save_"), std::string::npos) << log;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(file.writeRecovery(data));
  EXPECT_FALSE(file.recoveryFailed());
}

// A new set has no file: a save asks for a name, and its recovery copy comes
// back as a new set.
TEST_F(EditedFileTest, ANewSetIsSavedOnlyUnderANameAndRecoversAsANewSet) {
  ScopedEnvironment home("HOME", scratch.path());
  edit();
  EXPECT_EQ(file.startNew(data), "new set: Ctrl+E saves it under a name; unsaved edits in data/recovered_1.xml");
  EXPECT_TRUE(file.isNew());
  EXPECT_EQ(data.levels.size(), 1u);
  EXPECT_EQ(file.save(data).rfind("not saved", 0), 0u);
  data.levels[0].guid = "fresh";
  ASSERT_TRUE(file.writeRecovery(data));
  EXPECT_EQ(scratch.read("data/data.xml"), campaign);

  EditedFile nextRun;
  LevelData edits;
  nextRun.open(edits);
  EXPECT_EQ(nextRun.load(edits, "recovered"), "recovered edits of a new set: Ctrl+E saves them under a name");
  EXPECT_EQ(edits.levels[0].guid, "fresh");
  EXPECT_TRUE(nextRun.unsaved(edits));
}
