// The journey's banners: the level's name on entering it and the split on
// leaving it, in the band between the play area and the window's foot,
// where they cover neither the way, the HUD's top line nor the checkpoint
// label beside the ship. The summary during the finish is RunSummary.cpp.

#include <cmath>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "game/Game.h"
#include "progress/OverlayText.h"
#include "progress/RunJourney.h"

namespace {
// Two and a half seconds shown, then half a second fading.
const int bannerMs = 3000;
const float bannerPad = 4;

// 255 while shown, fading out over the last half second, 0 once over; since
// and now are seconds of play.
int shownAlpha(float since, float now, int forMs) {
  if (since < 0) return 0;
  const long age = std::lround((now - since) * 1000);
  if (age < 0 || age >= forMs) return 0;
  const int left = forMs - static_cast<int>(age);
  return left >= 500 ? 255 : 255 * left / 500;
}

// The band below the play area: the two banners share it, the name at its
// left, the split at its right, each in at most half of it.
struct Band {
  float left, right, baseline;
};

Band bannerBand(const ofTrueTypeFont& font) {
  const int w = ofGetWidth(), h = ofGetHeight();
  const ofxVec2f origin = Game::playAreaOrigin(w, h);
  const float bottom = origin.y + 320;
  // The line's box centred between the play area and the window's foot.
  const float height = textLineHeight(font);
  const float baseline = std::round((bottom + static_cast<float>(h)) / 2 + height / 2 - height / 4);
  return Band{origin.x, origin.x + 480, baseline};
}

void drawBanner(ofTrueTypeFont& font, const std::string& text, float x, float baseline, int alpha) {
  drawTextPanel(lineBox(font, x, baseline, font.stringWidth(text), bannerPad), alpha);
}
}  // namespace

int RunJourney::levelNameAlpha() const { return shownAlpha(nameShownFrom, playTime, bannerMs); }

int RunJourney::splitAlpha() const { return shownAlpha(splitShownFrom, playTime, bannerMs); }

void RunJourney::drawOverlay(ofTrueTypeFont& font) const {
  ofSetupScreen();
  if (runSplits.finished()) {
    drawSummary(font);
  } else {
    drawBanners(font);
  }
}

void RunJourney::drawBanners(ofTrueTypeFont& font) const {
  const Band band = bannerBand(font);
  const float room = (band.right - band.left) / 2 - 2 * bannerPad - 4;
  if (const int a = levelNameAlpha(); a > 0) {
    const std::string name = fitText(font, runSplits.splits().back().guid, room);
    drawBanner(font, name, band.left + bannerPad, band.baseline, a);
    ofSetColor(200, 220, 255, a);
    font.drawString(name, band.left + bannerPad, band.baseline);
  }
  if (const int a = splitAlpha(); a > 0) {
    const LevelSplit& split = runSplits.splits()[lastLeft];
    const PassResult& result = passResults[lastLeft];
    // The level's name gives way, never the time.
    const std::string times =
        "   " + splitText(split.seconds) + "   " + splitDifference(split.seconds, result.bestBefore);
    const std::string text = fitText(font, split.guid, room - font.stringWidth(times)) + times;
    const float x = std::round(band.right - bannerPad - font.stringWidth(text));
    drawBanner(font, text, x, band.baseline, a);
    setDifferenceColour(result.bestBefore, split.seconds, a);
    font.drawString(text, x, band.baseline);
  }
}
