// The journey's words on the screen: the level's name on entering it, the
// split on leaving it, and the summary during the finish. The screen
// coordinates leave the HUD's top line free.

#include <cmath>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "progress/PlayerProgress.h"
#include "progress/RunJourney.h"

namespace {
const int nameMs = 2000;
const int splitMs = 3000;

// 255 while shown, fading out over the last half second, 0 once over; since
// and now are seconds of play.
int shownAlpha(float since, float now, int forMs) {
  if (since < 0) return 0;
  const long age = std::lround((now - since) * 1000);
  if (age < 0 || age >= forMs) return 0;
  const int left = forMs - static_cast<int>(age);
  return left >= 500 ? 255 : 255 * left / 500;
}

void centred(ofTrueTypeFont& font, const std::string& text, float y) {
  font.drawString(text, (ofGetWidth() - font.stringWidth(text)) / 2, y);
}

void setDifferenceColour(const RunJourney::PassResult& result, float seconds, int alpha) {
  if (!result.bestBefore) {
    ofSetColor(200, 220, 255, alpha);
  } else if (seconds < *result.bestBefore) {
    ofSetColor(90, 255, 120, alpha);
  } else {
    ofSetColor(255, 120, 90, alpha);
  }
}
}  // namespace

int RunJourney::levelNameAlpha() const { return shownAlpha(nameShownFrom, playTime, nameMs); }

int RunJourney::splitAlpha() const { return shownAlpha(splitShownFrom, playTime, splitMs); }

void RunJourney::drawOverlay(ofTrueTypeFont& font) const {
  ofSetupScreen();
  if (runSplits.finished()) {
    drawSummary(font);
    return;
  }
  if (const int a = levelNameAlpha(); a > 0) {
    ofSetColor(200, 220, 255, a);
    centred(font, runSplits.splits().back().guid, 40);
  }
  if (const int a = splitAlpha(); a > 0) {
    const LevelSplit& split = runSplits.splits()[lastLeft];
    const PassResult& result = passResults[lastLeft];
    std::string text = split.guid + "   " + splitText(split.seconds);
    text += result.bestBefore ? "   " + splitDifference(split.seconds - *result.bestBefore)
                              : "   first time";
    setDifferenceColour(result, split.seconds, a);
    centred(font, text, 60);
  }
}

// Each pass as a row: level, split, its best now, deaths; then the total.
void RunJourney::drawSummary(ofTrueTypeFont& font) const {
  const std::vector<LevelSplit>& passes = runSplits.splits();
  const float rowHeight = 16;
  const float top = 70;
  const float height = rowHeight * static_cast<float>(passes.size() + 3);
  ofSetColor(0, 0, 0, 170);
  ofFill();
  ofRect(60, top - 16, static_cast<float>(ofGetWidth() - 120), height + 8);
  ofNoFill();
  const float columns[] = {80, 230, 320, 410};
  ofSetColor(255, 211, 0);
  const char* headings[] = {"level", "time", "best", "deaths"};
  for (int c = 0; c < 4; ++c) font.drawString(headings[c], columns[c], top);
  float y = top;
  int deaths = 0;
  for (size_t i = 0; i < passes.size(); ++i) {
    const LevelSplit& pass = passes[i];
    const PassResult& result = passResults[i];
    y += rowHeight;
    deaths += pass.deaths;
    const std::optional<float> best = progress.bestTime(pass.guid);
    ofSetColor(200, 220, 255);
    font.drawString(pass.guid, columns[0], y);
    if (pass.done) {
      setDifferenceColour(result, pass.seconds, 255);
      font.drawString(splitText(pass.seconds), columns[1], y);
    }
    ofSetColor(200, 220, 255);
    if (best) font.drawString(splitText(*best / 1000), columns[2], y);
    font.drawString(std::to_string(pass.deaths), columns[3], y);
  }
  y += rowHeight * 1.5f;
  ofSetColor(255, 211, 0);
  font.drawString("total", columns[0], y);
  // The run's clock stopped when the finish began, at the end of the last pass.
  const float total = passes.empty() ? 0 : passes.back().enteredAt + passes.back().seconds;
  font.drawString(splitText(total), columns[1], y);
  font.drawString(std::to_string(deaths), columns[3], y);
}
