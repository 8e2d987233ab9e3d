#include "Lettering.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "Kit.h"

namespace {
// Grid units: a capital is 4 wide and 6 tall (y down, 0 on the top line);
// a character takes 6 across and a line 10 down.
const float glyphWidth = 4, glyphHeight = 6, advance = 6, linePitch = 10;

// Each glyph is strokes separated by spaces; a stroke is a run of points,
// each two digits "xy" on the grid. "0646" is one line along the bottom.
struct Glyph {
  const char* character;  // UTF-8
  const char* strokes;
};

const Glyph glyphs[] = {
    {"A", "0602204246 0444"},
    {"B", "06003041423303 3344453606"},
    {"C", "4130100105163645"},
    {"D", "00062644422000"},
    {"E", "40000646 0333"},
    {"F", "400006 0333"},
    {"G", "41301001051636454323"},
    {"H", "0006 4046 0343"},
    {"I", "1030 2026 1636"},
    {"J", "4045361605"},
    {"K", "0006 4004 1346"},
    {"L", "000646"},
    {"M", "0600234046"},
    {"N", "06004640"},
    {"O", "103041453616050110"},
    {"P", "06003041423303"},
    {"Q", "103041453616050110 2446"},
    {"R", "06003041423303 2346"},
    {"S", "413010010213334445361605"},
    {"T", "0040 2026"},
    {"U", "000516364540"},
    {"V", "002640"},
    {"W", "0016233640"},
    {"X", "0046 4006"},
    {"Y", "002340 2326"},
    {"Z", "00400646"},
    {"0", "103041453616050110 3115"},
    {"1", "112026 1636"},
    {"2", "01103041420646"},
    {"3", "01103041423313 3344453616 1605"},
    {"4", "36300444"},
    {"5", "400003334445361605"},
    {"6", "30100105163645443303"},
    {"7", "004016"},
    {"8", "13020110304142331304051636454433"},
    {"9", "43130201103041453616"},
    {":", "2122 2425"},
    {"-", "1333"},
    {"!", "2024 2526"},
    {".", "2526"},
    {",", "252617"},
    {"/", "0640"},
    {"=", "0242 0444"},
    {"?", "01103041422324 2526"},
    {"'", "2022"},
    {"+", "2125 0343"},
    {"\xE2\x86\x90", "0343 210325"},  // ←
    {"\xE2\x86\x92", "0343 214325"},  // →
    {"\xE2\x86\x91", "2026 022042"},  // ↑
    {"\xE2\x86\x93", "2026 042644"},  // ↓
};

const char* strokesOf(const std::string& character) {
  for (const Glyph& g : glyphs) {
    if (character == g.character) return g.strokes;
  }
  return nullptr;
}

// The text's characters, one string each (a multi-byte UTF-8 sequence
// stays whole), lines split at '\n'.
std::vector<std::vector<std::string>> charactersOf(const std::string& text) {
  std::vector<std::vector<std::string>> lines(1);
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    std::string character = text.substr(i, length);
    i += length;
    if (character == "\n") {
      lines.emplace_back();
      continue;
    }
    if (length == 1) character[0] = static_cast<char>(std::toupper(lead));
    lines.back().push_back(character);
  }
  return lines;
}

float lineWidth(size_t characters, float scale) {
  return characters == 0 ? 0 : ((characters - 1) * advance + glyphWidth) * scale;
}

// Draws one glyph with its grid's top-left corner at (left, top), both
// whole pixels, so that every copy of a letter rounds the same way.
void drawGlyph(ModelKit& model, const char* strokes, float left, float top, float scale,
               const ofColor& color) {
  Polyline stroke;
  auto flush = [&] {
    model.path(stroke, color);
    stroke.clear();
  };
  for (const char* c = strokes; *c; ++c) {
    if (*c == ' ') {
      flush();
      continue;
    }
    if (!c[1]) break;  // half a point: the table is wrong, draw what came before
    const float x = static_cast<float>(c[0] - '0'), y = static_cast<float>(c[1] - '0');
    stroke.emplace_back(left + std::round(x * scale), top + std::round(y * scale));
    ++c;
  }
  flush();
}
}  // namespace

void textModel(LevelData& data, const std::string& guid, const std::string& text, float height,
               const ofColor& color) {
  ModelKit model(data, guid, 0, false);
  model.frame();
  const float scale = height / glyphHeight;
  const auto lines = charactersOf(text);
  const float block = ((lines.size() - 1) * linePitch + glyphHeight) * scale;
  for (size_t l = 0; l < lines.size(); ++l) {
    const float top = std::round(-block / 2 + l * linePitch * scale);
    const float start = -lineWidth(lines[l].size(), scale) / 2;
    for (size_t i = 0; i < lines[l].size(); ++i) {
      const char* strokes = strokesOf(lines[l][i]);
      if (strokes) drawGlyph(model, strokes, std::round(start + i * advance * scale), top, scale, color);
    }
  }
}
