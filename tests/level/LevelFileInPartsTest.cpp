// A level file read a model and a level at a time must give exactly what the
// whole-tree read gives, or decline and leave the file to it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "level/LevelData.h"
#include "level/LevelFile.h"
#include "level/SameContent.h"
#include "support/ScratchFolder.h"

namespace {
const std::string source = ORVANE_SOURCE_DIR;

// Both reads of one file, each into an empty LevelData, with what each printed.
struct BothReads {
  LevelData parts{LevelData::Empty{}};
  LevelData whole{LevelData::Empty{}};
  bool partsOk = false;
  bool wholeOk = false;
  std::string partsLog;
  std::string wholeLog;
};

BothReads readBoth(const std::string& name) {
  BothReads r;
  testing::internal::CaptureStdout();
  r.partsOk = readLevelFileInParts(name, r.parts);
  r.partsLog = testing::internal::GetCapturedStdout();
  testing::internal::CaptureStdout();
  r.wholeOk = readLevelFileWhole(name, r.whole);
  r.wholeLog = testing::internal::GetCapturedStdout();
  return r;
}

// What LevelData::load left and printed, starting from a set that a failed
// load must keep.
struct Loaded {
  LevelData data;
  bool ok = false;
  std::string log;
};

Loaded load(const std::string& name) {
  Loaded l;
  l.data.levels[0].guid = "keep me";
  testing::internal::CaptureStdout();
  l.ok = l.data.load(name);
  l.log = testing::internal::GetCapturedStdout();
  return l;
}

// The load gives what the whole-tree read gives: success, content, count and
// what is printed.
void expectLoadAsWhole(const std::string& name, const BothReads& r) {
  const Loaded l = load(name);
  EXPECT_EQ(l.ok, r.wholeOk);
  EXPECT_EQ(l.log, r.wholeLog);
  if (r.wholeOk) {
    EXPECT_TRUE(sameContent(l.data, r.whole));
    EXPECT_EQ(l.data.saveCount, r.whole.saveCount);
  } else {
    ASSERT_EQ(l.data.levels.size(), 1u);
    EXPECT_EQ(l.data.levels[0].guid, "keep me");
  }
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int wallCount(const LevelData& data) {
  int count = 0;
  for (const Level& level : data.levels) count += static_cast<int>(level.walls.size());
  for (const Model& model : data.models) {
    for (const ModelFrame& frame : model.frames) count += static_cast<int>(frame.walls.size());
  }
  return count;
}
}  // namespace

TEST(LevelFileInParts, ShippedAndFixtureFilesReadInPartsAsWhole) {
  const std::vector<std::string> files = {
      "data/data.xml",
      "data/logo.xml",
      "tests/fixtures/level/full_set.xml",
      "tests/fixtures/level/reordered.xml",
      "tests/fixtures/level/fresh_saved.xml",
      "tests/fixtures/level/defaults.xml",
      "tests/fixtures/edit/data.xml",
      "tests/fixtures/finish/data.xml",
      "tests/fixtures/play/data.xml",
      "tests/fixtures/practice/data.xml",
      "tests/fixtures/robust/data.xml",
      "tests/fixtures/robust/logo.xml",
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const BothReads r = readBoth(source + "/" + file);
    ASSERT_TRUE(r.wholeOk);
    EXPECT_TRUE(r.partsOk);
    EXPECT_EQ(r.partsLog, "");
    EXPECT_TRUE(sameContent(r.parts, r.whole));
    EXPECT_EQ(r.parts.saveCount, r.whole.saveCount);
    EXPECT_EQ(wallCount(r.parts), wallCount(r.whole));
  }
  // The comparison is not of two empty sets.
  const BothReads shipped = readBoth(source + "/data/data.xml");
  EXPECT_EQ(shipped.parts.levels.size(), 16u);
  EXPECT_GT(wallCount(shipped.parts), 10000);
}

TEST(LevelFileInParts, OddButValidFilesGiveWhatTheWholeTreeGives) {
  const std::string model = "<Model guid=\"m\"><Frame><Wall x1=\"1\"/></Frame></Model>";
  const std::string level = "<Level guid=\"a\" gravity=\"1\"><Wall x1=\"2\"/></Level>";
  const std::string level2 = "<Level guid=\"b\"><Grav_Pnt x=\"3\"/></Level>";
  struct Case {
    const char* what;
    std::string text;
    bool inParts;  // read in parts, or left to the whole-tree read
  };
  const Case cases[] = {
      {"comments everywhere",
       "<!-- a -->\n<Info count=\"2\"/><!-- b --><Models><!-- c -->" + model +
           "<!-- d --></Models>\n<Levels>\n<!-- e -->" + level + "<!-- f -->" + level2 +
           "\n<!-- g --></Levels><!-- h -->",
       true},
      {"a second Levels, Models and Info",
       "<Info count=\"2\"/><Models>" + model + "</Models><Levels>" + level +
           "</Levels><Levels>" + level2 + "</Levels><Models>" + model +
           "</Models><Info count=\"9\"/>",
       true},
      {"other elements beside Level and Model",
       "<Models><Note/>" + model + "<Level guid=\"x\"/></Models><Levels><Model guid=\"y\"/>" +
           level + "<Levelx guid=\"z\"/>" + level2 + "</Levels>",
       true},
      {"other top-level elements",
       "<Extra>" + level + "</Extra><Levels2/><Models/>" + level + "<Levels>" + level2 +
           "</Levels><Model/>",
       true},
      {"empty and self-closing containers", "<Info count=\"1\"></Info><Models></Models><Levels/>",
       true},
      {"white space in tags", "<Models\n/><Levels >" + level + "</Levels\n>", true},
      {"Info last",
       "<Levels>" + level + "</Levels><Models>" + model + "</Models><Info count=\"4\"/>", true},
      {"no Info", "<Models/><Levels>" + level + "</Levels>", true},
      {"CR LF line ends, also inside a value",
       "<Models/>\r\n<Levels>\r\n<Level guid=\"a\r\nb\rc\"/>\r\n</Levels>\r\n", true},
      {"entities", "<Models/><Levels><Level guid=\"&lt;&amp;&#65;&quot;\"/></Levels>", true},
      {"a comment left open at the end", "<Models/><Levels>" + level + "</Levels><!-- open",
       true},
      {"attributes on a container", "<Models/><Levels kind=\"x\">" + level + "</Levels>", false},
      {"no Models: levels and models are read from the top level", model + level + "<Levels/>",
       false},
      {"no Levels", "<Models>" + model + "</Models>" + level, false},
      {"a declaration", "<?xml version=\"1.0\"?><Models/><Levels>" + level + "</Levels>", false},
      {"a byte-order mark", "\xEF\xBB\xBF<Models/><Levels>" + level + "</Levels>", false},
      {"a DOCTYPE", "<!DOCTYPE levels><Models/><Levels>" + level + "</Levels>", false},
      {"text between top-level elements ends the document",
       "<Models/><Levels>" + level + "</Levels> stray <Levels>" + level2 + "</Levels>", false},
      {"text inside a container", "<Models/><Levels>" + level + " text " + level2 + "</Levels>",
       false},
      {"CDATA inside a container", "<Models/><Levels><![CDATA[x]]>" + level + "</Levels>",
       false},
      {"a NUL byte ends the file", std::string("<Models/><Levels/>\0<Levels>", 27) + level,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch;
    scratch.write("data/odd.xml", c.text);
    const BothReads r = readBoth("odd.xml");
    EXPECT_TRUE(r.wholeOk);
    EXPECT_EQ(r.partsOk, c.inParts);
    EXPECT_EQ(r.partsLog, "");
    if (r.partsOk) {
      EXPECT_TRUE(sameContent(r.parts, r.whole));
      EXPECT_EQ(r.parts.saveCount, r.whole.saveCount);
    }
    expectLoadAsWhole("odd.xml", r);
  }
}

TEST(LevelFileInParts, CarriageReturnsAndEntitiesReadAsTheWholeTreeReadsThem) {
  ScratchFolder scratch;
  scratch.write("data/crlf.xml",
                "<Info count=\"7\"/>\r\n<Models/>\r\n<Levels>\r\n"
                "<Level guid=\"a\r\nb\rc &amp; &#65;\"/>\r\n</Levels>\r\n");
  LevelData data{LevelData::Empty{}};
  ASSERT_TRUE(readLevelFileInParts("crlf.xml", data));
  ASSERT_EQ(data.levels.size(), 1u);
  EXPECT_EQ(data.levels[0].guid, "a\nb\nc & A");
  EXPECT_EQ(data.saveCount, 7);
}

TEST(LevelFileInParts, BrokenFilesFailAsTheWholeTreeFailsAndKeepTheData) {
  const std::string full = fileText(source + "/tests/fixtures/level/full_set.xml");
  const std::string level = "<Level guid=\"a\"><Wall x1=\"2\"/></Level>";
  struct Case {
    const char* what;
    std::string text;
    std::string error;  // what the log names after the file
  };
  const Case cases[] = {
      {"cut in the middle of a level", full.substr(0, full.find("<Warp")),
       "line 13: Error reading end tag."},
      {"cut inside a wall's tag", full.substr(0, full.find("x2=\"5\"")),
       "line 12: Error reading Attributes."},
      {"an attribute without a value", "<Models/><Levels><Level guid \"a\"/></Levels>",
       "line 1: Error reading Attributes."},
      {"an attribute given twice", "<Models/><Levels><Level guid=\"a\" guid=\"b\"/></Levels>",
       "line 1: Error parsing Element."},
      {"a wrong end tag in a level", "<Models/><Levels>\n<Level><Wall></Level></Levels>",
       "line 2: Error reading end tag."},
      {"a wrong end tag of a container", "<Models/><Levels>" + level + "</Level>",
       "line 1: Error reading end tag."},
      {"an unclosed container", "<Models/><Levels>" + level, "Error reading Element value."},
      {"a broken second Levels", "<Models/><Levels/>\n<Levels><Level></Levels>",
       "line 2: Error reading end tag."},
      {"a broken top-level element after the containers",
       "<Models/><Levels/>\n\n<Extra a=\"1\" a=\"2\"/>", "line 3: Error parsing Element."},
      {"a broken Info", "<Info count=\"1\"><Models/><Levels/>", "Error reading Element value."},
      {"a comment left open in a container", "<Models/><Levels><!-- open",
       "Error reading Element value."},
      {"text before the first element", "x<Models/><Levels/>", "Error document empty."},
      {"nothing but white space", " \n ", "Error document empty."},
      {"an empty file", "", "Error document empty."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch;
    scratch.write("data/broken.xml", c.text);
    const BothReads r = readBoth("broken.xml");
    EXPECT_FALSE(r.partsOk);
    EXPECT_EQ(r.partsLog, "");
    EXPECT_FALSE(r.wholeOk);
    EXPECT_EQ(r.wholeLog, "OF_ERROR: could not load data/broken.xml: " + c.error + "\n");
    expectLoadAsWhole("broken.xml", r);
  }
}

// Every level file the fuzzer keeps as a seed: what is read in parts is
// exactly what the whole tree gives.
TEST(LevelFileInParts, FuzzSeedsReadInPartsAsWhole) {
  int inParts = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(source + "/fuzz/corpus/level_file")) {
    SCOPED_TRACE(entry.path().string());
    const BothReads r = readBoth(entry.path().string());
    if (!r.partsOk) continue;
    ++inParts;
    EXPECT_TRUE(r.wholeOk);
    EXPECT_EQ(r.wholeLog, "");
    EXPECT_TRUE(sameContent(r.parts, r.whole));
    EXPECT_EQ(r.parts.saveCount, r.whole.saveCount);
  }
  EXPECT_GT(inParts, 5);
}
