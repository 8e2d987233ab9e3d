// The per-user folder: which one the environment chooses, and making it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "framework/ofLog.h"
#include "platform/UserPaths.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

int lines(const std::string& log) {
  return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}
}  // namespace

TEST(UserPaths, TheFolderFollowsXdgDataHomeWhenItIsAbsoluteElseHome) {
  using Value = std::optional<std::string>;
  struct Case {
    Value xdg;
    Value home;
    std::string folder;
  };
  const Case cases[] = {
      {"/x/share", "/home/p", "/x/share/orvane"},
      {"/x/share/", "/home/p", "/x/share/orvane"},
      {std::nullopt, "/home/p", "/home/p/.local/share/orvane"},
      {"", "/home/p", "/home/p/.local/share/orvane"},
      // A relative folder would move with the working folder: ignored.
      {"share", "/home/p", "/home/p/.local/share/orvane"},
      {"/x/share", std::nullopt, "/x/share/orvane"},
      {std::nullopt, std::nullopt, ""},
      {std::nullopt, "home/p", ""},
  };
  for (const Case& c : cases) {
    ScopedEnvironment xdg("XDG_DATA_HOME", c.xdg);
    ScopedEnvironment home("HOME", c.home);
    const std::string label = c.xdg.value_or("(unset)") + " / " + c.home.value_or("(unset)");
    EXPECT_EQ(userDataFolder(), c.folder) << label;
    EXPECT_EQ(userDataPath("progress.xml"), c.folder.empty() ? "" : c.folder + "/progress.xml")
        << label;
  }
}

TEST(UserPaths, TheFolderIsMadeWithItsParentsOnDemand) {
  ScratchFolder scratch(false);
  ScopedEnvironment xdg("XDG_DATA_HOME", scratch.path() + "/deep/share");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(makeUserDataFolder());
  EXPECT_TRUE(makeUserDataFolder());  // already there
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(fs::is_directory(scratch.path() + "/deep/share/orvane"));
}

TEST(UserPaths, AFolderThatCannotBeMadeIsSaidOnceWithWhy) {
  struct Case {
    const char* blocked;  // a file where a folder should be
    const char* xdg;      // relative to the scratch folder
  };
  const Case cases[] = {
      {"share", "share"},         // in the way of a parent
      {"share/orvane", "share"},  // in the way of the folder itself
  };
  for (const Case& c : cases) {
    ScratchFolder scratch(false);
    fs::create_directories(fs::path(scratch.path() + "/" + c.blocked).parent_path());
    scratch.write(c.blocked, "not a folder");
    ScopedEnvironment xdg("XDG_DATA_HOME", scratch.path() + "/" + c.xdg);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(makeUserDataFolder()) << c.blocked;
    EXPECT_FALSE(makeUserDataFolder()) << c.blocked;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(log), 1) << log;
    EXPECT_NE(log.find("OF_ERROR: "), std::string::npos) << log;
    EXPECT_NE(log.find(userDataFolder()), std::string::npos) << log;
    EXPECT_NE(log.find("Not a directory"), std::string::npos) << log;
    EXPECT_EQ(scratch.read(c.blocked), "not a folder");
  }
}

TEST(UserPaths, WithoutAnyHomeNoFolderIsMadeAndASuccessLetsThatBeSaidAgain) {
  ScratchFolder scratch(false);
  const std::string share = scratch.path() + "/share";
  ScopedEnvironment home("HOME", std::nullopt);
  auto make = [](const std::optional<std::string>& xdgValue) {
    ScopedEnvironment xdg("XDG_DATA_HOME", xdgValue);
    return makeUserDataFolder();
  };
  testing::internal::CaptureStdout();
  EXPECT_TRUE(make(share));
  EXPECT_FALSE(make(std::nullopt));
  EXPECT_FALSE(make(std::nullopt));
  EXPECT_TRUE(make(share));
  EXPECT_FALSE(make(std::nullopt));
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(lines(log), 2) << log;
  EXPECT_NE(log.find("neither XDG_DATA_HOME nor HOME"), std::string::npos) << log;
}
