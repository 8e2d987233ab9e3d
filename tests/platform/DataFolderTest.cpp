// Finding the data folder from any working folder, and where the game writes
// when that folder is read-only (an installed game).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/ofUtils.h"
#include "platform/DataFolder.h"
#include "platform/WritableData.h"
#include "support/FileSizeLimit.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

std::vector<std::string> folders(const std::vector<DataFolderSearch::Candidate>& candidates) {
  std::vector<std::string> out;
  for (const auto& c : candidates) out.push_back(c.folder);
  return out;
}

// Root may write into any folder whatever its permission bits say.
bool runningAsRoot() { return geteuid() == 0; }
}  // namespace

TEST(DataFolder, CandidatesComeFromTheVariableTheWorkingFolderAndTheProgramsPlace) {
  struct Case {
    std::string variable, program;
    std::vector<std::string> folders;
  };
  const Case cases[] = {
      {"", "/usr/bin/orvane", {"data", "/usr/bin/data", "/usr/share/orvane/data"}},
      {"/srv/o", "/usr/bin/orvane", {"/srv/o", "data", "/usr/bin/data", "/usr/share/orvane/data"}},
      // Another prefix, or the same tree moved: nothing is built in.
      {"", "/tmp/stage/opt/x/bin/orvane",
       {"data", "/tmp/stage/opt/x/bin/data", "/tmp/stage/opt/x/share/orvane/data"}},
      {"", "/work/build/orvane", {"data", "/work/build/data", "/work/share/orvane/data"}},
      // Where the program is cannot be told: the working folder only.
      {"", "", {"data"}},
      {"rel/data", "", {"rel/data", "data"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(folders(dataFolderCandidates(c.variable, c.program)), c.folders)
        << "variable '" << c.variable << "', program '" << c.program << "'";
  }
}

TEST(DataFolder, TheFirstCandidateThatHoldsDataXmlIsFound) {
  // In the scratch folder: the working folder's data/, the program at
  // prefix/bin/orvane with prefix/bin/data beside it and the installed
  // prefix/share/orvane/data, and the folder ORVANE_DATA may name.
  struct Case {
    const char* name;
    bool variableSet;
    std::vector<std::string> made;   // folders made with a data.xml, relative to the scratch folder
    std::vector<std::string> empty;  // folders made without one
    std::vector<std::string> files;  // files made where a folder could be
    std::string found;               // relative to the scratch folder; "" none
  };
  const std::string beside = "prefix/bin/data", installed = "prefix/share/orvane/data";
  const Case cases[] = {
      {"all there, variable set", true, {"own", "data", beside, installed}, {}, {}, "own"},
      {"all there", false, {"own", "data", beside, installed}, {}, {}, "data"},
      {"variable names nothing", true, {"data", installed}, {}, {}, "data"},
      {"beside the program", false, {beside, installed}, {}, {}, beside},
      {"installed only", false, {installed}, {}, {}, installed},
      {"variable and installed", true, {"own", installed}, {}, {}, "own"},
      {"a file named data is no folder", false, {installed}, {}, {"data", beside}, installed},
      {"an empty data/ does not hide the installed data", false, {installed}, {"data"}, {},
       installed},
      {"the variable names an empty folder", true, {beside}, {"own", "data"}, {}, beside},
      {"data.xml is a folder", false, {installed}, {"data/data.xml"}, {}, installed},
      {"none", false, {}, {}, {}, ""},
      {"none, variable set", true, {}, {}, {"own"}, ""},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch(false);
    const std::string root = scratch.path() + "/";
    for (const std::string& f : c.made) {
      fs::create_directories(root + f);
      scratch.write(f + "/data.xml", "<Info count=\"1\"></Info>");
    }
    for (const std::string& f : c.empty) fs::create_directories(root + f);
    for (const std::string& f : c.files) {
      fs::create_directories(fs::path(root + f).parent_path());
      scratch.write(f, "not a folder");
    }
    const std::string variable = c.variableSet ? root + "own" : "";
    const DataFolderSearch search =
        findDataFolder(dataFolderCandidates(variable, root + "prefix/bin/orvane"));
    const std::string expected =
        c.found.empty() ? "" : c.found == "data" ? "data" : root + c.found;
    EXPECT_EQ(search.found, expected) << c.name;
    EXPECT_EQ(search.tried.size(), c.variableSet ? 4u : 3u) << c.name;
  }
}

TEST(DataFolder, EachPlacePassedOverSaysWhatWasWrongWithIt) {
  ScratchFolder scratch(false);
  fs::create_directories("empty");
  fs::create_directories("folder/data.xml");
  scratch.write("file", "not a folder");
  fs::create_directories("good");
  scratch.write("good/data.xml", "");
  const DataFolderSearch search = findDataFolder({{"missing", "ORVANE_DATA", ""},
                                                  {"file", "in the working folder", ""},
                                                  {"empty", "beside the program", ""},
                                                  {"folder", "installed", ""},
                                                  {"good", "installed", ""},
                                                  {"after", "installed", ""}});
  EXPECT_EQ(search.found, "good");
  const std::vector<std::string> expected = {
      "it is not there", "it is not a folder", "it holds no data.xml", "its data.xml is not a file",
      "", ""};
  ASSERT_EQ(search.tried.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(search.tried[i].problem, expected[i]) << search.tried[i].folder;
  }
}

TEST(DataFolder, AReadOnlyFolderIsFoundAndItsFilesGoToThePlayersFolder) {
  ScratchFolder scratch(false);
  const std::string installed = scratch.path() + "/prefix/share/orvane/data";
  fs::create_directories(installed);
  scratch.write("prefix/share/orvane/data/data.xml", "");
  fs::permissions(installed, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const DataFolderSearch search =
      findDataFolder(dataFolderCandidates("", scratch.path() + "/prefix/bin/orvane"));
  EXPECT_EQ(search.found, installed);
  EXPECT_EQ(folderWritable(installed), runningAsRoot());
  fs::permissions(installed, fs::perms::owner_write, fs::perm_options::add);
}

TEST(DataFolder, WritableFoldersAreToldFromOnesThatAreNot) {
  ScratchFolder scratch;
  struct Case {
    std::string folder;
    bool writable;
  };
  const Case cases[] = {
      {scratch.path(), true},
      {"data", true},
      {"data/", true},
      {scratch.path() + "/missing", false},
      // Not even root may make a file here.
      {"/proc", false},
  };
  for (const Case& c : cases) EXPECT_EQ(folderWritable(c.folder), c.writable) << c.folder;
  EXPECT_TRUE(fs::is_empty("data")) << "the probe file is removed again";
}

TEST(DataFolder, TheSearchReadsTheVariableAndSaysWhenItNamesNoDataFolder) {
  ScratchFolder scratch(false);
  for (const char* folder : {"chosen", "data"}) {
    fs::create_directory(folder);
    scratch.write(std::string(folder) + "/data.xml", "");
  }
  fs::create_directory("empty");
  struct Case {
    std::string variable, found, said;
  };
  const Case cases[] = {
      {scratch.path() + "/chosen", scratch.path() + "/chosen", ""},
      {scratch.path() + "/missing", "data",
       "OF_WARNING: ORVANE_DATA names " + scratch.path() + "/missing, but it is not there\n"},
      {scratch.path() + "/empty", "data",
       "OF_WARNING: ORVANE_DATA names " + scratch.path() + "/empty, but it holds no data.xml\n"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment variable("ORVANE_DATA", c.variable);
    testing::internal::CaptureStdout();
    const DataFolderSearch search = searchDataFolder();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.said);
    EXPECT_EQ(search.found, c.found);
  }
}

TEST(DataFolder, NothingFoundSaysWhereItLookedAndHowToPointTheGameAtItsData) {
  for (const std::string& variable : {std::string(), std::string("/srv/o")}) {
    const DataFolderSearch search =
        findDataFolder(dataFolderCandidates(variable, "/nowhere/bin/orvane"));
    std::string text;
    for (const std::string& line : noDataFolderLines(search)) {
      text += line + "\n";
      EXPECT_LE(line.size(), 64u) << "fits the window: " << line;
    }
    for (const char* said : {"ORVANE_DATA", "  data  (in the working folder)", "/nowhere/bin/data",
                             "/nowhere/share/orvane/data", "    it is not there", "Escape quits."}) {
      EXPECT_NE(text.find(said), std::string::npos) << said << "\n" << text;
    }
    if (!variable.empty()) {
      EXPECT_NE(text.find(variable), std::string::npos) << text;
    }
  }
}

TEST(WritableData, FilesStayInTheDataFolderWhileItIsWritableElseGoToThePlayersCopy) {
  using Value = std::optional<std::string>;
  struct Case {
    const char* name;
    bool dataReadOnly;
    Value shipped;        // data/high.dat before
    Value own;            // share/orvane/high.dat before
    bool userFolder;      // XDG_DATA_HOME and HOME name one
    std::string path;     // relative to the scratch folder
    Value ownAfter;       // share/orvane/high.dat after
  };
  const Case cases[] = {
      {"writable", false, "shipped", std::nullopt, true, "data/high.dat", std::nullopt},
      {"writable, a copy of the player's too", false, "shipped", "own", true, "data/high.dat", "own"},
      {"read-only: seeded from the data folder", true, "shipped", std::nullopt, true,
       "share/orvane/high.dat", "shipped"},
      {"read-only: the player's copy kept", true, "shipped", "own", true, "share/orvane/high.dat",
       "own"},
      {"read-only, nothing to seed from", true, std::nullopt, std::nullopt, true,
       "share/orvane/high.dat", std::nullopt},
      {"read-only, no player's folder", true, "shipped", std::nullopt, false, "data/high.dat",
       std::nullopt},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    const std::string root = scratch.path() + "/";
    ScopedEnvironment xdg("XDG_DATA_HOME", c.userFolder ? Value(root + "share") : std::nullopt);
    ScopedEnvironment home("HOME", c.userFolder ? Value(root + "home") : std::nullopt);
    if (c.shipped) scratch.write("data/high.dat", *c.shipped);
    if (c.own) {
      fs::create_directories(root + "share/orvane");
      scratch.write("share/orvane/high.dat", *c.own);
    }
    const std::string path = writableDataFile("high.dat", c.dataReadOnly);
    const std::string expected = c.path.rfind("data/", 0) == 0 ? c.path : root + c.path;
    EXPECT_EQ(path, expected) << c.name;
    EXPECT_EQ(scratch.exists("share/orvane/high.dat"), c.ownAfter.has_value()) << c.name;
    if (c.ownAfter) {
      EXPECT_EQ(scratch.read("share/orvane/high.dat"), *c.ownAfter) << c.name;
    }
    EXPECT_EQ(scratch.read("data/high.dat"), c.shipped.value_or("")) << c.name;
  }
}

TEST(WritableData, OnlyADataFolderThatIsThereAndCannotBeWrittenIsReadOnly) {
  ScratchFolder scratch;
  ScopedEnvironment xdg("XDG_DATA_HOME", scratch.path() + "/share");
  struct Case {
    std::string root;
    bool readOnly;
  };
  const Case cases[] = {
      {"data", false},
      {scratch.path() + "/missing", false},  // its writes fail and say so, as ever
      {"/proc", true},                       // not even root may make a file here
  };
  for (const Case& c : cases) {
    ofSetDataPathRoot(c.root);
    EXPECT_EQ(dataFolderReadOnly(), c.readOnly) << c.root;
    EXPECT_EQ(editorSaveFolder(), c.readOnly ? scratch.path() + "/share/orvane/levels" : "")
        << c.root;
  }
  ofSetDataPathRoot("data");
}

// A full disk when the player's first copy is made: nothing half-made is
// left to stand for the table, and the copy is made once there is room.
TEST(WritableData, AFirstCopyThatCannotBeMadeWholeIsMadeAgainLater) {
  ScratchFolder scratch;
  ScopedEnvironment xdg("XDG_DATA_HOME", scratch.path() + "/share");
  const std::string shipped(1000, 's');
  scratch.write("data/high.dat", shipped);
  const std::string own = scratch.path() + "/share/orvane/high.dat";
  testing::internal::CaptureStdout();
  {
    // Room for the log (the captured output is a file too), none for the copy.
    FileSizeLimit full(400);
    EXPECT_EQ(writableDataFile("high.dat", true), own);
  }
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(log, "OF_ERROR: could not copy data/high.dat to " + own + ": File too large\n");
  EXPECT_FALSE(fs::exists(own)) << "no part of a copy is left";
  EXPECT_EQ(writableDataFile("high.dat", true), own);
  EXPECT_EQ(scratch.read("share/orvane/high.dat"), shipped);
  // An empty copy, as an older game left on a full disk, is made again.
  scratch.write("share/orvane/high.dat", "");
  EXPECT_EQ(writableDataFile("high.dat", true), own);
  EXPECT_EQ(scratch.read("share/orvane/high.dat"), shipped);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(scratch.path() + "/share/orvane")) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"high.dat"});
}
