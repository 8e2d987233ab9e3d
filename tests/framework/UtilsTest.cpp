#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/ofLog.h"
#include "framework/ofMath.h"
#include "framework/ofUtils.h"

TEST(ToString, IntegersFixedPointAndBooleans) {
  EXPECT_EQ(ofToString(-12), "-12");
  EXPECT_EQ(ofToString(0), "0");
  EXPECT_EQ(ofToString(1.0 / 3.0, 2), "0.33");
  EXPECT_EQ(ofToString(10.0f, 2), "10.00");
  EXPECT_EQ(ofToString(9.6f, 0), "10");
  EXPECT_EQ(ofToString(0.0f, 0), "0");
  EXPECT_EQ(ofToString(true), "true");
  EXPECT_EQ(ofToString(false), "false");
}

TEST(ToNumber, ReadsTheLeadingNumberOrGivesZero) {
  struct Case {
    const char* text;
    int asInt;
    float asFloat;
  };
  const Case cases[] = {
      {"12abc", 12, 12.0f}, {" -7", -7, -7.0f}, {"3.9", 3, 3.9f},   {"2.5x", 2, 2.5f},
      {"abc", 0, 0.0f},     {"", 0, 0.0f},      {"1e3", 1, 1000.0f}, {"+4", 4, 4.0f},
      {"99999999999", 2147483647, 99999999999.0f},
      // Numbers that are not finite are no amount at all.
      {"nan", 0, 0.0f},     {"-inf", 0, 0.0f},  {"Infinity", 0, 0.0f}, {"1e39", 1, 0.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ofToInt(c.text), c.asInt) << c.text;
    EXPECT_FLOAT_EQ(ofToFloat(c.text), c.asFloat) << c.text;
  }
}

TEST(DataPath, PrefixesRelativeNamesOnce) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"font.xml", "data/font.xml"},   {"data/font.xml", "data/font.xml"},
      {"a", "data/a"},                 {"/tmp/x.xml", "/tmp/x.xml"},
      {"c:/x.xml", "c:/x.xml"},        {"", "data/"},
      {"sounds/a.wav", "data/sounds/a.wav"},
  };
  for (const Case& c : cases) EXPECT_EQ(ofToDataPath(c.in), c.out) << c.in;
  EXPECT_EQ(ofToDataPath(ofToDataPath("font.xml")), "data/font.xml");
}

// The folder the game found its data in (an installed game's, say).
TEST(DataPath, FollowsTheDataFolderSet) {
  struct Case {
    const char* root;
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"/opt/orvane/data", "font.xml", "/opt/orvane/data/font.xml"},
      {"/opt/orvane/data/", "sounds/a.wav", "/opt/orvane/data/sounds/a.wav"},
      {"/opt/orvane/data", "/opt/orvane/data/font.xml", "/opt/orvane/data/font.xml"},
      {"/opt/orvane/data", "/tmp/x.xml", "/tmp/x.xml"},
      {"../share/data", "high.dat", "../share/data/high.dat"},
      // The old folder's name is an ordinary folder inside the new one.
      {"/opt/orvane/data", "data/font.xml", "/opt/orvane/data/data/font.xml"},
  };
  for (const Case& c : cases) {
    ofSetDataPathRoot(c.root);
    EXPECT_EQ(ofToDataPath(c.in), c.out) << c.root << " " << c.in;
  }
  ofSetDataPathRoot("data");
  EXPECT_EQ(ofGetDataPathRoot(), "data/");
  EXPECT_EQ(ofToDataPath("font.xml"), "data/font.xml");
}

TEST(Random, StaysInTheHalfOpenRangeWhateverTheArgumentOrder) {
  ofSeedRandom(7u);
  EXPECT_EQ(ofRandom(5, 5), 5);
  for (int i = 0; i < 2000; ++i) {
    const float v = ofRandom(10, 2);
    ASSERT_GE(v, 2);
    ASSERT_LT(v, 10);
    const float a = ofRandom(100, 255);
    ASSERT_LT(static_cast<int>(a), 255);
  }
}

TEST(Random, SameSeedSameSequence) {
  ofSeedRandom(42u);
  const float a1 = ofRandom(0, 1), a2 = ofRandom(0, 1);
  ofSeedRandom(42u);
  EXPECT_EQ(ofRandom(0, 1), a1);
  EXPECT_EQ(ofRandom(0, 1), a2);
}

TEST(Math, ClampKeepsBoundOrderAndDegreesConvert) {
  EXPECT_EQ(ofClamp(-1, 0, 1), 0);
  EXPECT_EQ(ofClamp(2, 0, 1), 1);
  EXPECT_EQ(ofClamp(0.5f, 0, 1), 0.5f);
  // Reversed bounds are not reordered: below lo gives lo, anything else hi.
  EXPECT_EQ(ofClamp(-5, 1, 0), 1);
  EXPECT_EQ(ofClamp(5, 1, 0), 0);
  EXPECT_FLOAT_EQ(ofDegToRad(180), static_cast<float>(M_PI));
}

TEST(Math, TruncationHoldsToTheIntRange) {
  EXPECT_EQ(ofTruncateToInt(12.7f), 12);
  EXPECT_EQ(ofTruncateToInt(-3.7f), -3);
  EXPECT_EQ(ofTruncateToInt(2147483647.0f), 2147483647);  // rounds up to 2^31 as a float
  EXPECT_EQ(ofTruncateToInt(-1e20f), -2147483647 - 1);
  EXPECT_EQ(ofTruncateToInt(NAN), 0);
}

TEST(Log, PrintsAtOrAboveTheThresholdWithItsPrefix) {
  testing::internal::CaptureStdout();
  ofLog(OF_NOTICE, "hidden %d", 1);
  ofLog(OF_ERROR, "could not load %s", "x.xml");
  ofLog(OF_WARNING, "careful");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "OF_ERROR: could not load x.xml\nOF_WARNING: careful\n");

  ofSetLogLevel(OF_VERBOSE);
  testing::internal::CaptureStdout();
  ofLog(OF_VERBOSE, "v");
  ofLog(7, "no prefix");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "OF_VERBOSE: v\nno prefix\n");
  ofSetLogLevel(OF_WARNING);
}
