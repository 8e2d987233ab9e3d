// A level's ghost: a pass recorded frame by frame, kept in the per-user
// folder under a file name made from the level's guid, read back whatever
// state the file is in, and drawn as a faint hull where the ship was.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "progress/Ghost.h"
#include "support/FlownGhost.h"
#include "support/GlTestWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

const float inf = std::numeric_limits<float>::infinity();
const float notANumber = std::numeric_limits<float>::quiet_NaN();

int lines(const std::string& log) {
  return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

// Equal within what the file keeps: a tenth of a pixel, a whole degree (and
// the heading only up to whole turns).
void expectSameWithinRounding(const Ghost& loaded, const Ghost& recorded, const std::string& what) {
  ASSERT_EQ(loaded.frames(), recorded.frames()) << what;
  for (size_t i = 0; i < recorded.frames(); ++i) {
    const Ghost::Frame& a = *loaded.at(i);
    const Ghost::Frame& b = *recorded.at(i);
    EXPECT_NEAR(a.x, b.x, 0.05f + 1e-4f) << what << " frame " << i;
    EXPECT_NEAR(a.y, b.y, 0.05f + 1e-4f) << what << " frame " << i;
    EXPECT_NEAR(std::remainder(a.angle - b.angle, 360.0f), 0, 0.5f + 1e-3f)
        << what << " frame " << i << ": " << a.angle << " for " << b.angle;
  }
}

// The per-user folder inside a scratch folder, not made yet (saving makes
// it), with notices shown: a missing file is said only as a notice.
struct GhostFile : testing::Test {
  ScratchFolder scratch{false};
  ScopedEnvironment xdg{"XDG_DATA_HOME", scratch.path() + "/share"};
  const std::string ghosts = scratch.path() + "/share/orvane/ghosts";
  int logLevel = ofGetLogLevel();

  void SetUp() override { ofSetLogLevel(OF_NOTICE); }
  void TearDown() override { ofSetLogLevel(logLevel); }
  void writeGhostFile(const std::string& guid, const std::string& text) const {
    fs::create_directories(ghosts);
    scratch.write("share/orvane/ghosts/" + fs::path(Ghost::path(guid)).filename().string(), text);
  }
  std::vector<std::string> folderContent() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ghosts)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

// A ghost file of level "cave" holding the frames given as element texts.
std::string caveFile(const std::vector<std::string>& seconds, const char* frames = nullptr,
                     const char* head = "version=\"1\" level=\"cave\"") {
  size_t count = 0;
  for (const std::string& s : seconds) count += std::count(s.begin(), s.end(), ';') + 1;
  std::string text = std::string("<Ghost ") + head + " frames=\"" +
                     (frames ? frames : std::to_string(count)) + "\">\n";
  for (const std::string& s : seconds) text += "    <S f=\"" + s + "\"></S>\n";
  return text + "</Ghost>\n";
}
}  // namespace

TEST(Ghost, RecordingAddsOneFramePerCallAndFillsGapsFromTheFrameBefore) {
  struct Step {
    float x, y, angle;
    Ghost::Frame kept;
  };
  const Step steps[] = {
      {notANumber, 5, inf, {0, 5, 0}},  // nothing before: 0
      {10, 20, 30, {10, 20, 30}},
      {inf, -inf, notANumber, {10, 20, 30}},
      {-1.5f, 400, 725, {-1.5f, 400, 725}},  // kept as flown, not wrapped
  };
  Ghost ghost;
  size_t recorded = 0;
  for (const Step& s : steps) {
    ghost.record(ofxVec2f(s.x, s.y), s.angle);
    ASSERT_EQ(ghost.frames(), ++recorded);
    const Ghost::Frame& f = *ghost.at(recorded - 1);
    EXPECT_EQ(f.x, s.kept.x) << recorded;
    EXPECT_EQ(f.y, s.kept.y) << recorded;
    EXPECT_EQ(f.angle, s.kept.angle) << recorded;
  }
}

TEST(Ghost, EachFrameIsShownInTurnAndNothingPastTheEnd) {
  Ghost ghost;
  for (int i = 0; i < 3; ++i) ghost.record(ofxVec2f(static_cast<float>(i), 0), 0);
  struct Case {
    size_t frame;
    std::optional<float> x;
  };
  const Case cases[] = {
      {0, 0.0f}, {1, 1.0f}, {2, 2.0f}, {3, std::nullopt}, {SIZE_MAX, std::nullopt},
  };
  for (const Case& c : cases) {
    const Ghost::Frame* f = ghost.at(c.frame);
    ASSERT_EQ(f != nullptr, c.x.has_value()) << c.frame;
    if (f) {
      EXPECT_EQ(f->x, *c.x) << c.frame;
    }
  }
  ghost.clear();
  EXPECT_TRUE(ghost.empty());
  EXPECT_EQ(ghost.at(0), nullptr);
}

TEST_F(GhostFile, AFileNameIsTheGuidWithEveryOtherByteEscaped) {
  struct Case {
    std::string guid;
    std::string name;  // in the ghosts folder; empty: no file at all
  };
  const Case cases[] = {
      {"level-07_Cave", "level-07_Cave.xml"},
      {"a/b", "a%2Fb.xml"},
      {"..", "%2E%2E.xml"},
      {"%", "%25.xml"},
      {"a%2Fb", "a%252Fb.xml"},  // not the name of "a/b"
      {"two words", "two%20words.xml"},
      {"caf\xC3\xA9", "caf%C3%A9.xml"},
      {std::string("nul\0byte", 8), "nul%00byte.xml"},
      {"", ""},  // names no level
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ghost::path(c.guid), c.name.empty() ? "" : ghosts + "/" + c.name) << c.guid;
  }
}

TEST_F(GhostFile, APassReadsBackFrameForFrameAsItWasSaved) {
  Ghost recorded = flownGhost(150);  // two whole seconds and a part
  recorded.record(ofxVec2f(-0.04f, 319.96f), 540.4f);
  recorded.record(ofxVec2f(479.95f, 0.05f), -725);
  for (const std::string guid : {"hangar", "cave/1 \"deep\" <&>", ".."}) {
    ASSERT_TRUE(recorded.save(guid)) << guid;
    Ghost loaded = flownGhost(3, 1);  // a load replaces what was there
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loaded.load(guid)) << guid;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << guid;
    expectSameWithinRounding(loaded, recorded, guid);
  }
  const std::string text = scratch.read("share/orvane/ghosts/hangar.xml");
  EXPECT_EQ(text.rfind("<Ghost version=\"1\" level=\"hangar\" frames=\"152\">\n", 0), 0u) << text;
  size_t elements = 0;
  for (size_t at = text.find("<S f=\""); at != std::string::npos; at = text.find("<S f=\"", at + 1))
    ++elements;
  EXPECT_EQ(elements, 3u);
  EXPECT_NE(text.find(";-0.0 320.0 -180;480.0 0.1 -5\""), std::string::npos) << text;
}

TEST_F(GhostFile, AMinuteOfFlightTakesAtMost100KB) {
  const Ghost minute = flownGhost(3600);
  ASSERT_TRUE(minute.save("minute"));
  EXPECT_LE(fs::file_size(Ghost::path("minute")), 100000u);
  Ghost loaded;
  EXPECT_TRUE(loaded.load("minute"));
  EXPECT_EQ(loaded.frames(), 3600u);
}

TEST_F(GhostFile, AFileThatCannotBeReadLeavesAnEmptyGhostAndOneLineSayingWhy) {
  const std::string good = "1.5 2.5 90";
  struct Case {
    const char* name;
    std::optional<std::string> text;  // none: no file; "/": a folder in its place
    const char* said;
  };
  const Case cases[] = {
      {"missing", std::nullopt, "OF_NOTICE: no ghost in "},
      {"empty", "", "OF_WARNING: could not load the ghost "},
      {"not XML", "\x01\xFFghost\n", "OF_WARNING: could not load the ghost "},
      {"cut short", caveFile({good}).substr(0, 40), "OF_WARNING: could not load the ghost "},
      {"a folder", "/", "is a folder, not a file"},
      {"no Ghost element", "<Progress version=\"1\"></Progress>", "there is no Ghost element"},
      {"wrong level", caveFile({good}, nullptr, "version=\"1\" level=\"shaft\""), "another level"},
      {"no level", caveFile({good}, nullptr, "version=\"1\""), "another level"},
      {"newer version", caveFile({good}, nullptr, "version=\"2\" level=\"cave\""), "version"},
      {"two numbers", caveFile({"1 2"}), "frame 0 is not three finite numbers"},
      {"four numbers", caveFile({"1 2 3 4"}), "frame 0 is not"},
      {"a word", caveFile({"1 2 x"}), "frame 0 is not"},
      {"a number run on", caveFile({"1-2 3"}), "frame 0 is not"},
      {"a comma", caveFile({"1,5 2 3"}), "frame 0 is not"},
      {"not a number", caveFile({"nan 0 0"}), "frame 0 is not"},
      {"infinite", caveFile({"0 inf 0"}), "frame 0 is not"},
      {"too large", caveFile({"0 0 1e39"}), "frame 0 is not"},
      {"empty frame", caveFile({good + ";"}), "frame 1 is not"},
      {"empty element", caveFile({""}), "frame 0 is not"},
      {"later second", caveFile({good + ";" + good, good + ";1 2"}), "frame 3 is not"},
      {"fewer frames", caveFile({good}, "2"), "holds 1 frames but says frames=\"2\""},
      {"no count", caveFile({good}, ""), "holds 1 frames"},
      {"a best that is no time",
       caveFile({good}, nullptr, "version=\"1\" level=\"cave\" bestMs=\"12ms\""),
       "its bestMs \"12ms\" is not a time"},
      {"two ghosts", caveFile({good}) + caveFile({good}), "more than the ghost"},
  };
  const std::string file = Ghost::path("cave");
  for (const Case& c : cases) {
    std::error_code ignored;
    fs::remove_all(file, ignored);
    if (c.text == "/") {
      fs::create_directories(file);
    } else if (c.text) {
      writeGhostFile("cave", *c.text);
    }
    Ghost ghost = flownGhost(5);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ghost.load("cave")) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_NE(log.find(c.said), std::string::npos) << c.name << ": " << log;
    EXPECT_NE(log.find(file), std::string::npos) << c.name << ": " << log;
    EXPECT_TRUE(ghost.empty()) << c.name;
  }
  // The same text with good numbers reads: the cases above fail for what
  // they were made to fail for.
  writeGhostFile("cave", caveFile({good + ";" + good, good}));
  Ghost ghost;
  EXPECT_TRUE(ghost.load("cave"));
  EXPECT_EQ(ghost.frames(), 3u);
}

// However a file is cut or a byte of it changed, a load takes the whole
// ghost or leaves it empty, and never stops the program.
TEST_F(GhostFile, ADamagedFileGivesAWholeGhostOrNone) {
  const Ghost recorded = flownGhost(70);
  ASSERT_TRUE(recorded.save("cave"));
  const std::string text = scratch.read("share/orvane/ghosts/cave.xml");
  std::vector<std::string> damaged;
  for (size_t length = 0; length < text.size(); length += 7) {
    damaged.push_back(text.substr(0, length));
  }
  std::mt19937 random(3);
  for (int i = 0; i < 400; ++i) {
    std::string changed = text;
    changed[random() % changed.size()] = static_cast<char>(random() % 256);
    damaged.push_back(changed);
  }
  ofSetLogLevel(OF_FATAL_ERROR);
  for (const std::string& bytes : damaged) {
    writeGhostFile("cave", bytes);
    Ghost ghost;
    if (ghost.load("cave")) {
      EXPECT_EQ(ghost.frames(), 70u);
    } else {
      EXPECT_TRUE(ghost.empty());
    }
  }
}

TEST_F(GhostFile, AFileThatHoldsNoGhostOfTheLevelIsKeptBesideBeforeASaveReplacesIt) {
  struct Case {
    std::string text;
    std::vector<std::string> keptBefore;
    std::string keptAs;  // empty: nothing to keep
  };
  const Case cases[] = {
      {"<Ghost version=\"1\"", {}, "cave.xml.broken"},
      {caveFile({"1 2 3"}, nullptr, "version=\"1\" level=\"shaft\""), {}, "cave.xml.broken"},
      {caveFile({"1 2 oops"}), {"cave.xml.broken"}, "cave.xml.broken.1"},
      {caveFile({"1 2 3"}), {}, ""},  // an older ghost of the level
  };
  for (const Case& c : cases) {
    writeGhostFile("cave", c.text);
    for (const std::string& name : c.keptBefore) scratch.write("share/orvane/ghosts/" + name, name);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(flownGhost(10).save("cave"));
    const std::string log = testing::internal::GetCapturedStdout();
    std::vector<std::string> expected = c.keptBefore;
    expected.push_back("cave.xml");
    if (!c.keptAs.empty()) {
      expected.push_back(c.keptAs);
      EXPECT_EQ(scratch.read("share/orvane/ghosts/" + c.keptAs), c.text) << c.keptAs;
      EXPECT_NE(log.find("kept it as " + ghosts + "/" + c.keptAs), std::string::npos) << log;
    } else {
      EXPECT_EQ(log, "");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderContent(), expected) << c.keptAs;
    Ghost reloaded;
    EXPECT_TRUE(reloaded.load("cave"));
    EXPECT_EQ(reloaded.frames(), 10u);
    fs::remove_all(ghosts);
  }
}

TEST_F(GhostFile, AGhostWithNowhereToGoIsNotSavedAndSaysSo) {
  struct Case {
    const char* name;
    std::string guid;
    const char* blocked;  // a file in the way of this folder, under share/
    const char* said;
  };
  const Case cases[] = {
      {"no guid", "", nullptr, "OF_WARNING: could not save a ghost: its level has no guid"},
      {"no player's folder", "cave", "orvane", "OF_ERROR: could not make the player's folder"},
      {"no ghosts folder", "cave", "orvane/ghosts", "OF_ERROR: could not make the ghosts folder"},
  };
  for (const Case& c : cases) {
    fs::remove_all(scratch.path() + "/share");
    if (c.blocked) {
      fs::create_directories(fs::path(scratch.path() + "/share/" + c.blocked).parent_path());
      scratch.write(std::string("share/") + c.blocked, "a file, not a folder");
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(flownGhost(3).save(c.guid)) << c.name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lines(log), 1) << c.name << ": " << log;
    EXPECT_NE(log.find(c.said), std::string::npos) << c.name << ": " << log;
    if (c.blocked) {
      EXPECT_EQ(scratch.read(std::string("share/") + c.blocked), "a file, not a folder") << c.name;
    }
  }
}

namespace {
// The brightest pixel (by blue) in the square of side 2r + 1 around (x, y).
Rgb brightestAround(int x, int y, int r) {
  Rgb best;
  for (int py = y - r; py <= y + r; ++py)
    for (int px = x - r; px <= x + r; ++px) {
      const Rgb p = GlTestWindow::pixel(px, py);
      if (p.b > best.b) best = p;
    }
  return best;
}
}  // namespace

// Heading 0 is nose up and positive turns clockwise on screen, as the ship.
TEST(GhostDrawing, AFaintHullPointsWhereTheShipFacedAndNothingShowsPastTheEnd) {
  struct Case {
    float heading;
    int noseX, noseY;  // from the ship's centre, nose 10 pixels out
  };
  const Case cases[] = {{0, 0, -10}, {90, 10, 0}, {180, 0, 10}, {-90, -10, 0}};
  const int cx = 200, cy = 150, shift = 25;  // the level's frame is shifted
  // The game draws with alpha blending on; the tests after this one get
  // back what they had.
  const bool blending = ofGetStyle().blending;
  for (const Case& c : cases) {
    Ghost ghost;
    ghost.record(ofxVec2f(cx - shift, cy - shift), c.heading);
    GlTestWindow::beginFrame();
    ofEnableAlphaBlending();
    ofFill();
    ofSetColor(10, 20, 30, 40);
    ofPushMatrix();
    ofTranslate(shift, shift);
    ghost.draw(0);
    ofPopMatrix();
    EXPECT_TRUE(ofGetFill()) << c.heading;
    EXPECT_NEAR(ofGetStyle().color.g, 20, 0.01) << c.heading;
    EXPECT_NEAR(ofGetStyle().color.a, 40, 0.01) << c.heading;
    const Rgb nose = brightestAround(cx + c.noseX, cy + c.noseY, 2);
    EXPECT_GT(nose.b, 40) << c.heading << " " << nose;
    EXPECT_LT(nose.b, 160) << c.heading << " " << nose;  // faint, not the ship's full colour
    EXPECT_TRUE(nose.r < nose.g && nose.g < nose.b) << c.heading << " " << nose;
    EXPECT_EQ(brightestAround(cx - c.noseX, cy - c.noseY, 2), Rgb{}) << c.heading;  // behind
    const int nearHull = GlTestWindow::litPixels(cx - 15, cy - 15, 31, 31);
    EXPECT_EQ(nearHull, GlTestWindow::litPixels(0, 0, 530, 370)) << c.heading;  // only the hull
    EXPECT_EQ(brightestAround(cx, cy, 1), Rgb{}) << c.heading;  // an outline, not filled

    GlTestWindow::beginFrame();
    ghost.draw(1);
    EXPECT_EQ(GlTestWindow::litPixels(0, 0, 530, 370), 0) << c.heading;
  }
  if (!blending) ofDisableAlphaBlending();
}

// Two games flying one level each keep the ghost of their best; the file
// keeps the pass of the better one, whichever saved last. A file of an
// older game says no best: any pass with one replaces it.
TEST_F(GhostFile, AGhostIsReplacedOnlyByThePassOfABetterBest) {
  struct Case {
    const char* name;
    std::optional<float> onDisk;  // the best of the ghost there (none: a file without one)
    bool fileThere;
    std::optional<float> saved;  // the best of the pass saved
    bool replaced;
  };
  const Case cases[] = {
      {"no ghost yet", std::nullopt, false, 500.0f, true},
      {"a better best", 500.0f, true, 400.0f, true},
      {"the same best", 500.0f, true, 500.0f, false},
      {"a worse best", 500.0f, true, 600.0f, false},
      {"an older game's file", std::nullopt, true, 600.0f, true},
      {"a pass of no known best", 500.0f, true, std::nullopt, false},
  };
  for (const Case& c : cases) {
    fs::remove_all(ghosts);
    if (c.fileThere) {
      Ghost there = flownGhost(10);
      if (c.onDisk) there.setBestMs(*c.onDisk);
      ASSERT_TRUE(there.save("cave")) << c.name;
    }
    Ghost pass = flownGhost(20, 2);
    if (c.saved) pass.setBestMs(*c.saved);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(pass.save("cave")) << c.name;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.name;
    Ghost kept;
    ASSERT_TRUE(kept.load("cave")) << c.name;
    EXPECT_EQ(kept.frames(), c.replaced ? 20u : 10u) << c.name;
    EXPECT_EQ(kept.bestMs(), c.replaced ? c.saved : c.onDisk) << c.name;
    EXPECT_EQ(folderContent(), (std::vector<std::string>{"cave.xml"})) << c.name;
  }
}

// A ghost holds at most ten minutes of frames (60 a second): a longer pass
// keeps its first ten minutes, and the replay ends there. Whatever the
// places flown, the file of the longest ghost stays under the size any
// ghost file is read up to.
TEST_F(GhostFile, APassLongerThanTenMinutesIsKeptAsItsFirstTenMinutes) {
  const size_t cap = Ghost::maxFrames;
  ASSERT_EQ(cap, 36000u);
  Ghost ghost;
  for (size_t i = 0; i < cap + 100; ++i) {
    const float far = i % 2 ? -999999.9f : -5e9f;  // well outside any level
    ghost.record(ofxVec2f(far, far + static_cast<float>(i)), -179.6f);
  }
  ASSERT_EQ(ghost.frames(), cap);
  EXPECT_EQ(ghost.at(cap), nullptr);
  ASSERT_TRUE(ghost.save("long"));
  EXPECT_LE(fs::file_size(Ghost::path("long")), Ghost::maxFileBytes / 2);
  Ghost loaded;
  ASSERT_TRUE(loaded.load("long"));
  EXPECT_EQ(loaded.frames(), cap);
  EXPECT_NEAR(loaded.at(0)->x, -1e6f, 0.1f) << "a place beyond a million pixels is kept there";
  EXPECT_NEAR(loaded.at(1)->x, -999999.9f, 0.1f);
}

// A file larger than the longest ghost makes is not read at all: reading
// and parsing it would hold up the level it belongs to.
TEST_F(GhostFile, AFileLargerThanAnyGhostIsRefusedUnread) {
  const size_t limit = Ghost::maxFileBytes;
  ASSERT_EQ(limit, 2u << 20);
  const std::string head = caveFile({"1.5 2.5 90"});
  struct Case {
    size_t size;
    bool loads;
  };
  const Case cases[] = {{limit, true}, {limit + 1, false}, {8u << 20, false}};
  for (const Case& c : cases) {
    // Blank lines before the closing tag make it as long as wanted.
    std::string text = head;
    text.insert(text.rfind("</Ghost>"), std::string(c.size - head.size(), '\n'));
    writeGhostFile("cave", text);
    Ghost ghost;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ghost.load("cave"), c.loads) << c.size;
    const std::string log = testing::internal::GetCapturedStdout();
    if (!c.loads) {
      EXPECT_NE(log.find("is larger than " + std::to_string(limit) + " bytes"), std::string::npos)
          << c.size << ": " << log;
    }
  }
}
