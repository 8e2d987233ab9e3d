#include <gtest/gtest.h>

#include "framework/ofTypes.h"

TEST(Vec2, DistanceRotationAndArithmetic) {
  EXPECT_EQ(ofxVec2f(3, 4).distance(ofxVec2f(0, 0)), 5.0f);

  const ofxVec2f r = ofxVec2f(1, 0).getRotated(90);
  EXPECT_LT(r.x, 0.0f);  // a tiny negative value, not zero
  EXPECT_GT(r.x, -1e-7f);
  EXPECT_FLOAT_EQ(r.y, 1.0f);

  // Clockwise on a y-down screen: the nose (0, -10) turned 90 points right.
  const ofxVec2f nose = ofxVec2f(0, -10).getRotated(90);
  EXPECT_NEAR(nose.x, 10, 1e-5);
  EXPECT_NEAR(nose.y, 0, 1e-5);

  ofxVec2f a(ofPoint(1, 2, 9));
  a += ofxVec2f(1, 1);
  a *= 2;
  EXPECT_EQ(a.x, 4);
  EXPECT_EQ(a.y, 6);
  EXPECT_EQ(a.z, 9);  // arithmetic leaves z alone
}

TEST(ValueTypes, Defaults) {
  const ofColor c;
  EXPECT_EQ(c.r, 255);
  EXPECT_EQ(c.a, 255);
  const ofRectangle rect;
  EXPECT_EQ(rect.width, 0);
  const ofStyle style;
  EXPECT_TRUE(style.fillMode);
  EXPECT_EQ(style.polyMode, 100130);
}
