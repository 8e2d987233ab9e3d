#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level/LevelData.h"
#include "level/SameContent.h"
#include "support/ScratchFolder.h"

namespace {
// The file text with the save counter blanked, to compare two saves.
std::string withoutCount(std::string text) {
  const size_t start = text.find("count=\"");
  const size_t end = text.find('"', start + 7);
  return text.erase(start, end - start);
}

LevelData loadedFixture(ScratchFolder& scratch, const std::string& name) {
  scratch.write("data/" + name, readFixture("level/" + name));
  LevelData data;
  EXPECT_TRUE(data.load(name));
  return data;
}
}  // namespace

TEST(LevelFile, FreshSetSavedOnceWritesBothFilesAlike) {
  ScratchFolder scratch;
  LevelData data;
  data.models[0].guid = "m1";
  data.levels[0].guid = "l1";
  ASSERT_TRUE(data.save());
  EXPECT_EQ(data.saveCount, 1);
  EXPECT_EQ(scratch.read("data/save_1.xml"), readFixture("level/fresh_saved.xml"));
  EXPECT_EQ(scratch.read("data/data.xml"), readFixture("level/fresh_saved.xml"));
  EXPECT_FALSE(scratch.exists("data/data.xml.tmp"));
}

TEST(LevelFile, NumbersAreWrittenTruncated) {
  ScratchFolder scratch;
  LevelData data;
  data.models[0].guid = "spinner";
  data.models[0].animSpeed = 120;
  data.models[0].solid = false;
  data.models[0].playOnce = true;
  data.models[0].SE = "whirr";
  data.models[0].frames[0].walls.emplace_back(10.9f, -0.5f, 20, 30.99f, 254.7f, 0, 3, 'w');
  data.models[0].frames.emplace_back();
  Level& cave = data.levels[0];
  cave.guid = "cave";
  cave.gravity = false;
  cave.walls.emplace_back(-3.7f, 4.2f, 5, 6, 1, 2, 3, 't');
  cave.warps.push_back(Warp{ofRectangle(1.5f, 2, 30.9f, 40), "mark", "r&1", "u"});
  cave.receivers.push_back(Receiver{ofxVec2f(7.9f, 8), "r&1"});
  ModelRef ref;
  ref.guid = "spinner";
  ref.pos = ofxVec2f(100.2f, -20.8f);
  ref.warpOnEndAnimation = true;
  ref.level = "cave";
  ref.id = "say \"hi\"";
  cave.modelRefs.push_back(ref);
  cave.gravityPoints.emplace_back(240.5f, 160.5f);
  data.levels.emplace_back(Level::Blank{});
  data.levels[1].gravity = true;
  data.saveCount = 4;
  ASSERT_TRUE(data.save());
  EXPECT_EQ(scratch.read("data/save_5.xml"), readFixture("level/full_set.xml"));
}

TEST(LevelFile, LoadThenSaveIsByteForByteTheSameApartFromTheCount) {
  for (const char* name : {"full_set.xml", "reordered.xml"}) {
    ScratchFolder scratch;  // each save finds save_6.xml free
    LevelData data = loadedFixture(scratch, name);
    EXPECT_EQ(data.saveCount, 5) << name;
    ASSERT_TRUE(data.save());
    EXPECT_EQ(data.saveCount, 6);
    EXPECT_EQ(withoutCount(scratch.read("data/data.xml")),
              withoutCount(readFixture("level/full_set.xml")))
        << name;
    EXPECT_NE(scratch.read("data/save_6.xml").find("count=\"6\""), std::string::npos);
  }
}

TEST(LevelFile, MissingValuesTakeTheirDefaults) {
  ScratchFolder scratch;
  testing::internal::CaptureStdout();  // the store reports the missing "Info"
  const LevelData data = loadedFixture(scratch, "defaults.xml");
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(data.saveCount, 0);
  ASSERT_EQ(data.models.size(), 2u);
  const Model& bare = data.models[0];
  EXPECT_EQ(bare.guid, "");
  EXPECT_TRUE(bare.solid);
  EXPECT_FALSE(bare.playOnce);
  EXPECT_TRUE(bare.frames.empty());  // a model without frames stays so
  const Wall& plain = data.models[1].frames[0].walls[0];
  EXPECT_EQ(plain.type, 0);
  EXPECT_EQ(plain.color.r, 255);
  EXPECT_EQ(plain.x, 0);

  ASSERT_EQ(data.levels.size(), 1u);
  const Level& level = data.levels[0];
  EXPECT_FALSE(level.gravity);
  EXPECT_FALSE(level.friction);
  const Wall& odd = level.walls[0];
  EXPECT_EQ(odd.x, 12);    // " 12"
  EXPECT_EQ(odd.y, 3);     // "3.7"
  EXPECT_EQ(odd.z, -5);    // "-5"
  EXPECT_EQ(odd.w, 1);     // "1e3"
  EXPECT_EQ(odd.color.r, 255);  // "abc"
  EXPECT_EQ(level.warps[0].rect.width, 0);
  EXPECT_EQ(level.warps[0].level, "");
  EXPECT_EQ(level.receivers[0].id, "");
  EXPECT_FALSE(level.modelRefs[0].warpOnEndAnimation);
  EXPECT_EQ(level.gravityPoints[0].x, 0);
}

TEST(LevelFile, NumberedCopiesContinueFromTheLoadedCountPastExistingFiles) {
  ScratchFolder scratch;
  LevelData data;
  data.saveCount = 2;
  ASSERT_TRUE(data.save());  // save_3.xml
  scratch.write("data/save_4.xml", "old");
  scratch.write("data/save_5.xml", "older");
  LevelData reloaded;
  ASSERT_TRUE(reloaded.load("save_3.xml"));
  EXPECT_EQ(reloaded.saveCount, 3);
  ASSERT_TRUE(reloaded.save());
  EXPECT_EQ(reloaded.saveCount, 6);
  EXPECT_EQ(scratch.read("data/save_4.xml"), "old");
  EXPECT_EQ(scratch.read("data/save_5.xml"), "older");
  EXPECT_EQ(scratch.read("data/save_6.xml"), scratch.read("data/data.xml"));
  EXPECT_NE(scratch.read("data/data.xml").find("count=\"6\""), std::string::npos);
}

TEST(LevelFile, AnUnreadableDataFileIsKeptUnderTheNextFreeNameBeforeTheSave) {
  const std::string broken = "<Info count=\"1\">\n<Levels>\n</Info>";
  struct Case {
    std::vector<std::string> keptBefore;  // earlier copies already beside it
    std::string keptAs;
  };
  const Case cases[] = {
      {{}, "data.xml.broken"},
      {{"data.xml.broken"}, "data.xml.broken.1"},
      {{"data.xml.broken", "data.xml.broken.1"}, "data.xml.broken.2"},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch;
    scratch.write("data/data.xml", broken);
    for (const std::string& name : c.keptBefore) scratch.write("data/" + name, name);
    LevelData data;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(data.save());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(scratch.read("data/" + c.keptAs), broken) << c.keptAs;
    for (const std::string& name : c.keptBefore) EXPECT_EQ(scratch.read("data/" + name), name);
    EXPECT_NE(log.find("OF_WARNING: data/data.xml could not be read"), std::string::npos) << log;
    EXPECT_NE(log.find("data/" + c.keptAs), std::string::npos) << log;
    EXPECT_EQ(scratch.read("data/data.xml"), scratch.read("data/save_1.xml"));

    // The file now loads: the next save keeps no further copy.
    testing::internal::CaptureStdout();
    ASSERT_TRUE(data.save());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(scratch.read("data/" + c.keptAs), broken);
  }
}

TEST(LevelFile, AFailedLoadKeepsTheContentAndSaysWhichFile) {
  ScratchFolder scratch;
  scratch.write("data/broken.xml", "<Info count=\"1\">\n<Levels>\n</Info>");
  scratch.write("data/empty.xml", "");
  LevelData data;
  data.levels[0].guid = "keep me";
  for (const char* name : {"missing.xml", "broken.xml", "empty.xml"}) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(data.load(name)) << name;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.rfind(std::string("OF_ERROR: could not load data/") + name + ": ", 0), 0u) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_EQ(data.getCurrentLevel().guid, "keep me");
  }
}

TEST(LevelFile, AFileWithoutLevelsOrModelsLoadsEmpty) {
  ScratchFolder scratch;
  scratch.write("data/info.xml", "<Info count=\"3\"></Info>");
  LevelData data;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(data.load("info.xml"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "pushTag - <Models> tag not found\npushTag - <Levels> tag not found\n");
  EXPECT_FALSE(data.hasLevel());
  EXPECT_FALSE(data.hasModel());
  EXPECT_EQ(data.saveCount, 3);
}

TEST(LevelFile, AFailedSaveIsReportedAndKeepsTheCount) {
  ScratchFolder scratch(false);  // no data folder to write into
  LevelData data;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(data.save());
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("OF_ERROR: could not save data/data.xml"), std::string::npos) << log;
  EXPECT_EQ(data.saveCount, 0);
}

TEST(LevelFile, NumbersAtTheEdgeOfTheRangeSaveAndDrawSafely) {
  ScratchFolder scratch;
  scratch.write("data/edge.xml",
                "<Info count=\"99999999999\"></Info><Models></Models><Levels><Level guid=\"e\">"
                "<Wall type=\"119\" x1=\"2147483647\" y1=\"-2147483648\" x2=\"0\" y2=\"0\" "
                "r=\"2147483647\" g=\"0\" b=\"0\"></Wall></Level></Levels>");
  LevelData data;
  ASSERT_TRUE(data.load("edge.xml"));
  EXPECT_EQ(data.saveCount, 2147483647);
  data.draw(false);
  ASSERT_TRUE(data.save());
  EXPECT_EQ(data.saveCount, 2147483647);  // the count stays at the top
  const std::string saved = scratch.read("data/data.xml");
  EXPECT_NE(saved.find("x1=\"2147483647\" y1=\"-2147483648\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("r=\"2147483647\""), std::string::npos);

  // No number is left for another copy: nothing is written over.
  scratch.write("data/save_2147483647.xml", "the last copy");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(data.save());
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("OF_ERROR: could not save"), std::string::npos) << log;
  EXPECT_EQ(scratch.read("data/save_2147483647.xml"), "the last copy");
  EXPECT_EQ(scratch.read("data/data.xml"), saved);
}

// The words the editors' prompt takes (spaces inside, accented letters as
// UTF-8, signs the file escapes) come back from the file as they went in.
TEST(LevelFile, WordsWithSpacesAndAccentedLettersLoadBackAsTyped) {
  ScratchFolder scratch;
  const std::string words[] = {"caf\xC3\xA9 \xC3\xBC" "ber", "\xC2\xA3" "5 \xC2\xBF\xC2\xA0\xC3\xBF",
                               "a & b <c> \"d\" 'e'"};
  LevelData data;
  data.models[0].guid = words[0];
  data.levels[0].guid = words[1];
  data.levels[0].warps = {Warp{ofRectangle(1, 2, 3, 4), words[2], words[0], "u"}};
  data.levels[0].receivers = {Receiver{ofxVec2f(5, 6), words[0]}};
  data.levels[0].modelRefs = {ModelRef{words[0], ofxVec2f(7, 8), true, words[1], words[2]}};
  ASSERT_TRUE(data.save());
  LevelData loaded{LevelData::Empty{}};
  ASSERT_TRUE(loaded.load("data.xml"));
  ASSERT_EQ(loaded.levels.size(), 1u);
  ASSERT_EQ(loaded.models.size(), 1u);
  EXPECT_TRUE(sameContent(loaded.levels[0], data.levels[0]));
  EXPECT_EQ(loaded.models[0].guid, words[0]);
}
