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

TEST(DataFolder, TheFirstCandidateThatIsAFolderIsFound) {
  // In the scratch folder: the working folder's data/, the program at
  // prefix/bin/orvane with prefix/bin/data beside it and the installed
  // prefix/share/orvane/data, and the folder ORVANE_DATA may name.
  struct Case {
    const char* name;
    bool variableSet;
    std::vector<std::string> made;  // folders made, relative to the scratch folder
    std::vector<std::string> files;  // files made where a folder could be
    std::string found;               // relative to the scratch folder; "" none
  };
  const std::string beside = "prefix/bin/data", installed = "prefix/share/orvane/data";
  const Case cases[] = {
      {"all there, variable set", true, {"own", "data", beside, installed}, {}, "own"},
      {"all there", false, {"own", "data", beside, installed}, {}, "data"},
      {"variable names nothing", true, {"data", installed}, {}, "data"},
      {"beside the program", false, {beside, installed}, {}, beside},
      {"installed only", false, {installed}, {}, installed},
      {"variable and installed", true, {"own", installed}, {}, "own"},
      {"a file named data is no folder", false, {installed}, {"data", beside}, installed},
      {"none", false, {}, {}, ""},
      {"none, variable set", true, {}, {"own"}, ""},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch(false);
    const std::string root = scratch.path() + "/";
    for (const std::string& f : c.made) fs::create_directories(root + f);
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

TEST(DataFolder, AReadOnlyFolderIsFoundAndItsFilesGoToThePlayersFolder) {
  ScratchFolder scratch(false);
  const std::string installed = scratch.path() + "/prefix/share/orvane/data";
  fs::create_directories(installed);
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

TEST(DataFolder, TheSearchReadsTheVariableAndSaysWhenItNamesNoFolder) {
  ScratchFolder scratch(false);
  fs::create_directory("chosen");
  fs::create_directory("data");
  struct Case {
    std::string variable, found, said;
  };
  const Case cases[] = {
      {scratch.path() + "/chosen", scratch.path() + "/chosen", ""},
      {scratch.path() + "/missing", "data",
       "OF_WARNING: ORVANE_DATA names " + scratch.path() + "/missing, which is not a folder\n"},
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
                             "/nowhere/share/orvane/data", "Escape quits."}) {
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
