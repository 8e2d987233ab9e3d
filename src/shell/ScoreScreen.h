#pragma once
// The score screen: the two high-score tables, the rows the last run
// entered blinking, and the name the player types into those rows. The
// application shows it after a campaign run and from the title's 's'.

#include <string>
#include <vector>

#include "shell/NameEntry.h"

struct HighScores;
struct InputState;
class ofTrueTypeFont;

class ScoreScreen {
 public:
  enum class Step { none, back };

  // A campaign run has ended: it is offered to the tables unless it was
  // assisted (F held), and the name typed afresh goes onto the rows it took.
  void recordRun(HighScores& scores, float time, float fuel, bool assisted);
  // A key as the keyboard gives it; true when it was typed into the name.
  bool keyPressed(int key, HighScores& scores);
  // Enter writes the tables; Escape goes back.
  Step update(const InputState& current, const InputState& previous, HighScores& scores);
  // On leaving the screen: a name typed but not yet written with Enter is
  // written, the run's marks and its assisted note are forgotten.
  void leave(HighScores& scores);
  // Advances the blink of the new rows, every 300 ms or a little more.
  void draw(ofTrueTypeFont& font, const HighScores& scores);

  // The run shown was flown with F held: it is said, not recorded.
  bool assisted = false;
  bool blinkOn = false;
  float blinkTime = 0;
  const NameEntry& name() const { return nameEntry; }

 private:
  // One of the two tables: where its rows begin, their names, and the row
  // the last run entered (-1 for none).
  struct TableColumn {
    int x;
    const std::vector<std::string>* names;
    int newRow;
  };
  void drawRow(ofTrueTypeFont& font, const TableColumn& column, int row, float y, bool isDefault,
               const std::string& value) const;

  NameEntry nameEntry;
  // A name was typed into the run's rows since the tables were last written.
  bool nameTypedUnsaved = false;
};
