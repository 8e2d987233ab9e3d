// The words drawn over a run, in real frames of the application: the
// level's name and the split below the play area, the checkpoint label
// beside the ship, the finish summary on its panel, and the ship kept apart
// from the lines it flies over.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/ofClock.h"
#include "progress/RunJourney.h"
#include "support/AppFixture.h"
#include "support/FrameProbe.h"
#include "support/GlTestWindow.h"

namespace {
// Level "one": the ship starts at (100, 100) over an orange line at y 103; a
// warp at (300, 90) leads to "two", into a checkpoint at (240, 20) by the
// top edge. "two" has a magenta line across it at y 160 and the finish at
// (400, 250). The play area's origin is at (25, 25) in the window.
struct TextOverPlay : AppFixture {
  bool withGlWindow() const override { return true; }
  void prepareData() override {
    std::filesystem::create_directory_symlink(std::string(ORVANE_SOURCE_DIR) + "/data/fonts",
                                              "data/fonts");
    scratch.write("data/font.xml", readFixture("overlay/font.xml"));
    scratch.write("data/data.xml", readFixture("overlay/data.xml"));
  }
  Frame drawFrame() {
    GlTestWindow::beginFrame();
    app->draw();
    return Frame::capture();
  }
  void putShip(float x, float y) {
    app->game.pos = ofxVec2f(x, y);
    app->game.vel = ofxVec2f(0, 0);
  }
  void warpToTwo() {
    putShip(310, 100);
    update();
    ASSERT_EQ(app->game.report().levelGuid, "two");
  }
  void finish() {
    putShip(415, 265);
    update(3);
    ASSERT_TRUE(app->journey.splits().finished());
  }
  // A campaign run: frames in "one", the warp, frames in "two", the finish,
  // and the summary's frame; the run is then flown to its end.
  Frame flyRun(int framesInOne, int framesInTwo) {
    startRun();
    update(framesInOne);
    warpToTwo();
    update(framesInTwo);
    finish();
    const Frame summary = drawFrame();
    for (int i = 0; i < 400 && app->playing(); ++i) update();
    tap(27);  // the score screen back to the title
    return summary;
  }
  std::vector<TextSpot> find(const Frame& frame, const std::string& text, const Rgb& color) {
    return findText(frame, app->font, text, color);
  }
};

const Rgb bannerBlue{200, 220, 255};
const Rgb faster{90, 255, 120};
const Rgb slower{255, 120, 90};
const Rgb labelGreen{90, 255, 120};
const Rgb panel{10, 12, 20};
const Rgb headingYellow{255, 211, 0};
const Hue labelHue{labelGreen};
const Hue hudCyan{{20, 205, 220}};

// The label's pixels outside the play area: over the HUD's line, the band
// of the banners or the window's sides.
int outsidePlayArea(const Frame& frame, const Hue& hue) {
  return frame.count(hue, 0, 0, 530, 25) + frame.count(hue, 0, 345, 530, 25) +
         frame.count(hue, 0, 25, 25, 320) + frame.count(hue, 505, 25, 25, 320);
}
// The bottom of the play area, in the window.
const int playBottom = 25 + 320;
}  // namespace

// The name shows for two and a half seconds of play and is gone by three,
// on a panel below the play area, where it covers none of the level.
TEST_F(TextOverPlay, TheLevelsNameShowsBelowThePlayAreaForTwoAndAHalfSeconds) {
  startRun();
  update(150);  // 2.4 s
  const Frame shown = drawFrame();
  const std::vector<TextSpot> names = find(shown, "one", bannerBlue);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_GE(names[0].y - 9, playBottom) << "below the play area";
  EXPECT_EQ(shown.at(names[0].x - 2, names[0].y - 4), panel) << "on its panel";
  update(44);  // 3.1 s
  const Frame gone = drawFrame();
  EXPECT_TRUE(find(gone, "one", bannerBlue).empty());
  EXPECT_EQ(gone.at(names[0].x - 2, names[0].y - 4), Rgb()) << "and its panel with it";
}

// After a warp the split of the level left and the name of the level
// entered share the band below the play area, and the checkpoint label by
// the ship (here at the top edge) is clear of both and of the HUD.
TEST_F(TextOverPlay, TheSplitAndTheNameShareTheBandAndTheCheckpointLabelStaysInThePlayArea) {
  startRun();
  update(30);
  warpToTwo();
  update(2);
  const Frame frame = drawFrame();
  const float seconds = app->journey.splits().splits()[0].seconds;
  const std::vector<TextSpot> names = find(frame, "two", bannerBlue);
  const std::vector<TextSpot> splits =
      find(frame, "one   " + splitText(seconds) + "   first run", bannerBlue);
  ASSERT_EQ(names.size(), 1u);
  ASSERT_EQ(splits.size(), 1u);
  EXPECT_GE(names[0].y - 9, playBottom);
  EXPECT_EQ(splits[0].y, names[0].y) << "one line below the play area";
  EXPECT_GT(splits[0].x, names[0].x + 100) << "the split at its right";
  EXPECT_EQ(frame.at(splits[0].x - 2, splits[0].y - 4), panel) << "on its panel";
  EXPECT_EQ(findText(frame, app->game.hudFont, "checkpoint", labelGreen).size(), 1u);
  EXPECT_EQ(outsidePlayArea(frame, labelHue), 0);
}

// Wherever the ship is, its checkpoint label stays in the play area, off
// the ship: above and to its right where there is room, else below it or
// to its left.
TEST_F(TextOverPlay, TheCheckpointLabelKeepsToThePlayArea) {
  startRun();
  update(30);
  struct Case {
    const char* where;
    float x, y;
  };
  const Case cases[] = {
      {"middle", 240, 160}, {"top edge", 240, 4}, {"right edge", 476, 160}, {"top right", 476, 4},
  };
  for (const Case& c : cases) {
    putShip(c.x, c.y);
    app->game.checkpointCueStart = ofGetElapsedTimeMillis();
    app->game.checkpointCueHasPlace = false;
    const Frame frame = drawFrame();
    EXPECT_EQ(outsidePlayArea(frame, labelHue), 0) << c.where;
    EXPECT_EQ(frame.count(labelHue, static_cast<int>(c.x) + 25 - 8, static_cast<int>(c.y) + 25 - 10,
                          17, 16),
              0)
        << c.where << ": not over the ship";
    EXPECT_EQ(findText(frame, app->game.hudFont, "checkpoint", labelGreen).size(), 1u) << c.where;
  }
}

// The finish summary stands on a panel that hides the level behind it,
// below the HUD's line.
TEST_F(TextOverPlay, TheFinishSummaryHidesTheLevelBehindItsPanel) {
  startRun();
  update(30);
  warpToTwo();
  update(30);
  finish();
  const Frame frame = drawFrame();
  const Hue magenta{{255, 0, 255}};  // the line across "two", at y 185 in the window
  EXPECT_EQ(find(frame, "level", headingYellow).size(), 1u) << "the summary is drawn";
  EXPECT_EQ(frame.count(magenta, 150, 180, 230, 10), 0) << "hidden behind the panel";
  EXPECT_GT(frame.count(magenta, 26, 180, 40, 10), 10) << "beside the panel the level shows";
  EXPECT_GT(frame.count(hudCyan, 0, 0, 530, 16), 20) << "the HUD's line shows above it";
}

// Each row sets the pass against the level's best as the run began, with
// the difference: "first run" when there was none, green when faster, red
// when slower.
TEST_F(TextOverPlay, TheFinishSummaryShowsTheBestBeforeTheRunAndTheDifference) {
  const Frame firstRun = flyRun(90, 20);
  const float oneBefore = app->journey.splits().splits()[0].seconds;
  const float twoBefore = app->journey.splits().splits()[1].seconds;
  EXPECT_EQ(find(firstRun, "first run", bannerBlue).size(), 2u);

  const Frame secondRun = flyRun(30, 40);
  struct Row {
    const char* level;
    float now, before;
    Rgb colour;
  };
  const Row rows[] = {
      {"one", app->journey.splits().splits()[0].seconds, oneBefore, faster},
      {"two", app->journey.splits().splits()[1].seconds, twoBefore, slower},
  };
  for (const Row& row : rows) {
    ASSERT_NE(splitText(row.now), splitText(row.before)) << row.level;
    const std::vector<TextSpot> levels = find(secondRun, row.level, bannerBlue);
    ASSERT_EQ(levels.size(), 1u) << row.level;
    auto onTheRow = [&](const std::string& text, const Rgb& colour) {
      int found = 0;
      for (const TextSpot& at : find(secondRun, text, colour)) {
        found += at.y == levels[0].y && at.x > levels[0].x ? 1 : 0;
      }
      return found;
    };
    EXPECT_EQ(onTheRow(splitText(row.now), row.colour), 1) << row.level << ": the run's time";
    EXPECT_EQ(onTheRow(splitText(row.before), bannerBlue), 1) << row.level << ": the best before";
    EXPECT_EQ(onTheRow(splitDifference(row.now, row.before), row.colour), 1)
        << row.level << ": " << splitDifference(row.now, row.before);
  }
}

// A dark rim round the hull hides the lines under the ship (hint lettering
// here), so that the ship stands out; the line shows on either side.
TEST_F(TextOverPlay, TheShipIsKeptApartFromTheLinesItFliesOver) {
  startRun();
  update(40);
  const Frame frame = drawFrame();
  const Hue orange{{255, 150, 40}};  // the line at y 128 in the window, through the hull
  EXPECT_EQ(frame.count(orange, 120, 126, 11, 5), 0) << "under the ship";
  EXPECT_GT(frame.count(orange, 70, 126, 30, 5), 10) << "away from the ship";
}
