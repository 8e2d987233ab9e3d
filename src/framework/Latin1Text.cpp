#include "framework/Latin1Text.h"

namespace {
bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

bool isLatin1Printable(int code) { return (code >= 32 && code <= 126) || (code >= 160 && code <= 255); }

void appendLatin1(std::string& text, int code) {
  if (code < 128) {
    text += static_cast<char>(code);
    return;
  }
  text += static_cast<char>(0xC0 | (code >> 6));
  text += static_cast<char>(0x80 | (code & 0x3F));
}

// Only the two lead bytes 0xC2 and 0xC3 start a character of 128..255: 0xC0
// and 0xC1 would be overlong spellings of ASCII.
int latin1At(const std::string& text, size_t at, size_t& length) {
  length = 1;
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return lead;
  if ((lead != 0xC2 && lead != 0xC3) || at + 1 >= text.size()) return -1;
  const unsigned char next = static_cast<unsigned char>(text[at + 1]);
  if (!isContinuation(next)) return -1;
  length = 2;
  return ((lead & 0x1F) << 6) | (next & 0x3F);
}

bool isLatin1Word(const std::string& text) {
  for (size_t at = 0, length = 0; at < text.size(); at += length) {
    if (!isLatin1Printable(latin1At(text, at, length))) return false;
  }
  return true;
}

void popLastCharacter(std::string& text) {
  while (!text.empty() && isContinuation(static_cast<unsigned char>(text.back()))) text.pop_back();
  if (!text.empty()) text.pop_back();
}

size_t characterCount(const std::string& text) {
  size_t count = 0;
  for (char c : text) {
    if (!isContinuation(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}
