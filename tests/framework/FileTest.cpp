// The one reader and the one writer every file of the game goes through.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <thread>

#include "framework/XmlSettings.h"
#include "framework/XmlText.h"
#include "framework/ofFile.h"
#include "support/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {
// The folder's entries other than the ones named.
std::vector<std::string> entriesBut(const std::string& folder, std::vector<std::string> named) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(named.begin(), named.end(), name) == named.end()) others.push_back(name);
  }
  return others;
}
}  // namespace

TEST(FileRead, WhatIsNotAFileIsRefusedBeforeItIsReadAndNothingWaits) {
  ScratchFolder scratch;
  fs::create_directory("folder");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  scratch.write("big", std::string(2000, 'x'));
  struct Case {
    std::string path;
    std::string error;
  } cases[] = {
      {"folder", "is a folder, not a file"},
      {"pipe", "is a pipe, not a file"},
      {"/dev/zero", "is a device, not a file"},
      {"big", "is larger than 1000 bytes"},
      {"nothing", "No such file or directory"},
  };
  for (const Case& c : cases) {
    const ofFileRead read = ofReadFile(c.path, 1000);
    EXPECT_FALSE(read.ok) << c.path;
    EXPECT_EQ(read.error, c.error) << c.path;
    EXPECT_EQ(read.missing, c.path == "nothing") << c.path;
  }
  scratch.write("small", "abc");
  const ofFileRead small = ofReadFile("small", 1000);
  EXPECT_TRUE(small.ok);
  EXPECT_EQ(small.bytes, "abc");
}

TEST(FileWrite, ReplacesTheWholeFileKeepsItsModeAndLeavesNothingBeside) {
  ScratchFolder scratch;
  scratch.write("data/settings.txt", "old");
  chmod("data/settings.txt", 0640);
  std::string error;
  ASSERT_TRUE(ofWriteFile("data/settings.txt", "new content", error)) << error;
  EXPECT_EQ(scratch.read("data/settings.txt"), "new content");
  struct stat st {};
  stat("data/settings.txt", &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(entriesBut("data", {"settings.txt"}), std::vector<std::string>{});
}

TEST(FileWrite, ALinkIsWrittenThroughToTheFileItNames) {
  ScratchFolder scratch;
  fs::create_directory("dotfiles");
  scratch.write("dotfiles/settings", "mine");
  fs::create_symlink("../dotfiles/settings", "data/settings");
  std::string error;
  ASSERT_TRUE(ofWriteFile("data/settings", "changed", error)) << error;
  EXPECT_TRUE(fs::is_symlink("data/settings")) << "the link is kept";
  EXPECT_EQ(scratch.read("dotfiles/settings"), "changed");
}

TEST(FileWrite, AFailedWriteLeavesTheOldFileWholeAndSaysWhy) {
  ScratchFolder scratch;
  scratch.write("data/high.dat", "seventy bytes of records");
  std::string error;
  // A file size limit fails the write part-way, as a full disk does.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit before {};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit small = before;
  small.rlim_cur = 10;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool written = ofWriteFile("data/high.dat", std::string(100, 'n'), error);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, SIG_DFL);
  EXPECT_FALSE(written);
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(scratch.read("data/high.dat"), "seventy bytes of records");
  EXPECT_EQ(entriesBut("data", {"high.dat"}), std::vector<std::string>{});

  EXPECT_FALSE(ofWriteFile("no/such/folder/file", "x", error));
  EXPECT_EQ(error, "No such file or directory");
}

TEST(FileWrite, TwoWritersAtOnceNeverLeaveAReaderAnEmptyOrTornFile) {
  ScratchFolder scratch;
  const std::string a(5000, 'a'), b(7000, 'b');
  scratch.write("data/progress.xml", a);
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  auto writer = [&](const std::string& content) {
    std::string error;
    for (int i = 0; i < 300; ++i) {
      if (!ofWriteFile("data/progress.xml", content, error)) ++failures;
    }
  };
  std::thread first(writer, a), second(writer, b);
  int torn = 0;
  std::thread reader([&] {
    while (!done) {
      const ofFileRead read = ofReadFile("data/progress.xml");
      if (!read.ok || (read.bytes != a && read.bytes != b)) ++torn;
    }
  });
  first.join();
  second.join();
  done = true;
  reader.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(torn, 0);
}

TEST(XmlText, NestingIsCountedAsTheParserWouldMeetIt) {
  const struct {
    const char* text;
    int depth;
  } cases[] = {
      {"", 0},
      {"<a></a>", 1},
      {"<a/><b/>", 0},
      {"<a><b><c/></b></a>", 2},
      {"<?xml version=\"1.0\"?><a><!-- <b><c><d> --><b x=\"<e>\" y='>'></b></a>", 2},
      {"<a><![CDATA[<b><c>]]></a>", 1},
      {"<a><b><c>", 3},  // unfinished: counted as far as it goes
  };
  for (const auto& c : cases) EXPECT_EQ(xmlNestingDepth(c.text), c.depth) << c.text;
}

TEST(XmlText, AFileNestedDeeperThanAnyRealOneIsRefusedUnparsed) {
  ScratchFolder scratch;
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  scratch.write("data/progress.xml", deep);
  XmlSettings xml;
  EXPECT_FALSE(xml.loadFile("progress.xml"));
  EXPECT_EQ(xml.lastError(), "elements nested deeper than 64");
  std::string shallow;
  for (int i = 0; i < 64; ++i) shallow += "<a>";
  for (int i = 0; i < 64; ++i) shallow += "</a>";
  scratch.write("data/ok.xml", shallow);
  EXPECT_TRUE(xml.loadFile("ok.xml")) << xml.lastError();
}
