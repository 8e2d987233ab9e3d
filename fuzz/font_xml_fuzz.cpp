// Fuzzes the font choice "font.xml". Whatever its bytes, reading it as the
// game does (entry 0 for the menus, entry 1 for the flight display), loading
// the face it names at the size it gives and measuring and drawing text with
// it must not crash, hang or trip a sanitizer. The data folder holds the
// game's own face as fonts/DejaVuSansMono.ttf, so inputs can name a font that
// loads. No GL context is current: the GL calls do nothing.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzScratch.h"
#include "framework/XmlSettings.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "framework/ofTrueTypeFont.h"
#include "framework/ofTypes.h"

namespace fs = std::filesystem;
using namespace fuzz;

namespace {
std::vector<std::string> sampleTexts;

// The game's face, from ORVANE_FUZZ_FONT or else the repository's data folder
// next to this file.
void copyGameFont() {
  const char* chosen = std::getenv("ORVANE_FUZZ_FONT");
  const fs::path source = chosen && *chosen
                              ? fs::path(chosen)
                              : fs::path(__FILE__).parent_path().parent_path() / "data" /
                                    "fonts" / "DejaVuSansMono.ttf";
  fs::create_directories("data/fonts");
  std::error_code error;
  fs::copy_file(source, "data/fonts/DejaVuSansMono.ttf", error);
  if (error) {
    std::fprintf(stderr, "font_xml_fuzz: cannot copy %s (set ORVANE_FUZZ_FONT)\n",
                 source.string().c_str());
    std::abort();
  }
}

// Texts the screens draw, and some no screen draws: empty, blanks only,
// several lines, control characters and every byte value.
void makeSampleTexts() {
  sampleTexts = {"",
                 " ",
                 "   ",
                 "SCORE",
                 "5 WWW 0:00:00",
                 "        1:02:03",
                 "ESC -> back",
                 "Loading...",
                 "time  0:00:00",
                 "first line\nsecond\n\nfourth",
                 "\n",
                 std::string("\t\r\x01\x7f\x80\xa0\xe9\xff", 8)};
  std::string everyByte;
  for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
  sampleTexts.push_back(everyByte);
}

// Measures and draws one text as the screens do (centred on its width). A
// loaded font measures every text to a finite box; an unloaded one to zero.
void measureAndDraw(ofTrueTypeFont& font, const std::string& text) {
  const float width = font.stringWidth(text);
  const ofRectangle box = font.getStringBoundingBox(text, 100, 40);
  if (!std::isfinite(width) || !std::isfinite(box.x) || !std::isfinite(box.y) ||
      !std::isfinite(box.width) || !std::isfinite(box.height)) {
    fail("a text measured to a box that is not finite");
  }
  if (!font.isLoaded() && (width != 0 || box.width != 0 || box.height != 0)) {
    fail("a font that did not load measured a text as not empty");
  }
  font.drawString(text, 320 - width / 2, 100);
  font.drawString(text, -1e30f, 1e30f);
}

void useFont(ofTrueTypeFont& font, const std::string& fromFile) {
  for (const std::string& text : sampleTexts) measureAndDraw(font, text);
  measureAndDraw(font, fromFile);
  // Single bytes at the ends of the character sets (0, 33, 126, 127, 255).
  for (int byte : {0, 1, 32, 33, 126, 127, 128, 255}) {
    font.drawString(std::string(1, static_cast<char>(byte)), 10, 10);
  }
}

// One entry of the file, loaded first as the menus load entry 0, then again
// into the same object (replacing the loaded face) with the five-argument
// form: for entry 1 as the flight display loads it (every byte value), for
// entry 0 as monochrome outlines. Two loads per entry, one of them a full
// set, keep the largest size well under the time-out: there every glyph is a
// texture of half a megabyte.
void loadEntry(XmlSettings& xml, int which, const std::string& input) {
  const int size = xml.getAttribute("font", "size", 8, which);
  const std::string file = xml.getAttribute("font", "file", "", which);

  ofTrueTypeFont font;
  font.loadFont(file, size);
  useFont(font, input);
  if (which == 1) {
    font.loadFont(file, size, true, true, false);
  } else {
    font.loadFont(file, size, false, false, true);
  }
  useFont(font, file);
}

void exercise(const uint8_t* bytes, size_t size) {
  writeFile("data/font.xml", bytes, size);
  XmlSettings xml;
  if (!xml.loadFile("font.xml")) return;  // the game logs it and draws nothing
  // The input itself as a text: every byte value the fuzzer can think of.
  const std::string input(reinterpret_cast<const char*>(bytes), size < 512 ? size : 512);
  loadEntry(xml, 0, input);
  loadEntry(xml, 1, input);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("font_xml_fuzz");
  copyGameFont();
  makeSampleTexts();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  clearDataFolder({"fonts"});
  return 0;
}
