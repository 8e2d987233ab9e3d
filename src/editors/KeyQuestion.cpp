#include "editors/KeyQuestion.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

bool KeyQuestion::ask(const std::string& question, std::vector<Choice> offered) {
  if (open) return false;
  asked = question;
  choices = std::move(offered);
  open = true;
  return true;
}

// The choice's action may ask a new question: the question is closed first.
bool KeyQuestion::keyPressed(int key) {
  if (!open) return false;
  if (key == KEY_ESCAPE) {
    open = false;
    return true;
  }
  for (const Choice& choice : choices) {
    if (choice.key != key) continue;
    open = false;
    const std::function<void()> act = choice.act;
    act();
    return true;
  }
  return true;
}

void KeyQuestion::draw() const {
  if (!open) return;
  const float w = static_cast<float>(ofGetWidth());
  const std::vector<std::string> lines =
      editor::wrapText(asked, static_cast<size_t>(std::max(w - 40, 8.0f)) / editor::glyphWidth);
  const float lineHeight = 14;
  const float height = lineHeight * static_cast<float>(lines.size()) + 10;
  const float top = static_cast<float>(ofGetHeight() / 2) - height / 2;
  editor::drawQuestionPanel(top, height);
  for (size_t i = 0; i < lines.size(); ++i) {
    ofDrawBitmapString(lines[i], 20, top + 16 + lineHeight * static_cast<float>(i));
  }
}
