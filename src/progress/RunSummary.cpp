// The summary shown while the ship is drawn into the finish: each pass of
// the run as a row (the level, its time, the level's best as the run began,
// the difference and the deaths) and the run's total, on a dark panel
// centred in the window below the HUD's line.

#include <algorithm>
#include <cmath>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofTrueTypeFont.h"
#include "progress/OverlayText.h"
#include "progress/RunJourney.h"

namespace {
constexpr int columns = 5;
const char* const headings[columns] = {"level", "time", "best before", "difference", "deaths"};
const float pad = 10, gap = 14;
const float levelRoom = 150;  // a longer level name is cut
const float hudLine = 18;     // the HUD's line above: the panel stays below it
const float rowHeights[] = {16, 12};

struct Row {
  std::string cells[columns];
  std::optional<float> best;  // the time and the difference are coloured against it
  float seconds = 0;
  bool timed = false;
};

Row passRow(const LevelSplit& pass, const RunJourney::PassResult& result) {
  Row row;
  row.best = result.bestBeforeRun;
  row.seconds = pass.seconds;
  row.timed = pass.done;
  row.cells[0] = pass.guid;
  row.cells[1] = pass.done ? splitText(pass.seconds) : "-";
  row.cells[2] = result.bestBeforeRun ? splitText(*result.bestBeforeRun) : "-";
  if (pass.done) row.cells[3] = splitDifference(pass.seconds, result.bestBeforeRun);
  row.cells[4] = std::to_string(pass.deaths);
  return row;
}

// How the rows fit the window: their height, and how many of the first
// passes give way (counted on a line of their own) when even the tighter
// rows do not fit.
struct Fit {
  float rowHeight;
  size_t dropped;
};

float panelHeight(const ofTrueTypeFont& font, float rowHeight, size_t lines) {
  // The last line's half-row gap before the total is in lines as a whole row.
  return 2 * pad + textLineHeight(font) + (static_cast<float>(lines) - 1.5f) * rowHeight;
}

Fit fitRows(const ofTrueTypeFont& font, size_t passes) {
  const float room = static_cast<float>(ofGetHeight()) - hudLine - 2;
  // A heading, the passes, and the total half a row below them.
  for (float rowHeight : rowHeights) {
    if (panelHeight(font, rowHeight, passes + 3) <= room) return Fit{rowHeight, 0};
  }
  const float rowHeight = rowHeights[1];
  size_t shown = passes;
  while (shown > 0 && panelHeight(font, rowHeight, shown + 4) > room) --shown;
  return Fit{rowHeight, passes - shown};
}

void drawRow(ofTrueTypeFont& font, const Row& row, const float* x, float y) {
  for (int c = 0; c < columns; ++c) {
    if (c == 1 || c == 3) {
      setDifferenceColour(row.best, row.seconds, 255);
    } else {
      ofSetColor(200, 220, 255);
    }
    font.drawString(row.cells[c], x[c], y);
  }
}
}  // namespace

void RunJourney::drawSummary(ofTrueTypeFont& font) const {
  const std::vector<LevelSplit>& passes = runSplits.splits();
  const Fit fit = fitRows(font, passes.size());
  std::vector<Row> rows;
  int deaths = 0;
  for (size_t i = 0; i < passes.size(); ++i) {
    deaths += passes[i].deaths;
    if (i >= fit.dropped) rows.push_back(passRow(passes[i], passResults[i]));
  }
  // The run's clock stopped when the finish began, at the end of the last pass.
  const float total = passes.empty() ? 0 : passes.back().enteredAt + passes.back().seconds;
  const std::string totals[columns] = {"total", splitText(total), "", "", std::to_string(deaths)};

  float widths[columns];
  for (int c = 0; c < columns; ++c) {
    widths[c] = std::max(font.stringWidth(headings[c]), font.stringWidth(totals[c]));
    for (Row& row : rows) {
      if (c == 0) row.cells[0] = fitText(font, row.cells[0], levelRoom);
      widths[c] = std::max(widths[c], font.stringWidth(row.cells[c]));
    }
  }
  float tableWidth = gap * (columns - 1);
  for (float width : widths) tableWidth += width;
  const size_t lines = rows.size() + 3 + (fit.dropped > 0 ? 1 : 0);
  const float height = std::round(panelHeight(font, fit.rowHeight, lines));
  const float left = std::round((static_cast<float>(ofGetWidth()) - tableWidth) / 2 - pad);
  const float top =
      std::max(hudLine, std::round((static_cast<float>(ofGetHeight()) - height) / 2));
  drawTextPanel(ofRectangle(left, top, tableWidth + 2 * pad, height), 255);

  float x[columns];
  x[0] = left + pad;
  for (int c = 1; c < columns; ++c) x[c] = std::round(x[c - 1] + widths[c - 1] + gap);
  float y = std::round(top + pad + textLineHeight(font) * 3 / 4);
  ofSetColor(255, 211, 0);
  for (int c = 0; c < columns; ++c) font.drawString(headings[c], x[c], y);
  if (fit.dropped > 0) {
    y += fit.rowHeight;
    ofSetColor(150, 160, 180);
    font.drawString("(" + std::to_string(fit.dropped) + " earlier)", x[0], y);
  }
  for (const Row& row : rows) {
    y += fit.rowHeight;
    drawRow(font, row, x, y);
  }
  y += std::round(fit.rowHeight * 1.5f);
  ofSetColor(255, 211, 0);
  for (int c = 0; c < columns; ++c) font.drawString(totals[c], x[c], y);
}
