#include "framework/XmlText.h"

#include <cstring>

#include "framework/ofFile.h"

namespace {
// Line ends as the parser's own file loading turns them: CR LF and a lone
// CR become LF.
void joinLineEnds(std::string& text) {
  size_t out = 0;
  for (size_t in = 0; in < text.size(); ++in) {
    if (text[in] != '\r') {
      text[out++] = text[in];
      continue;
    }
    text[out++] = '\n';
    if (in + 1 < text.size() && text[in + 1] == '\n') ++in;
  }
  text.resize(out);
}

// Where the construct that starts at from ends: just past close, or the
// end of the text.
size_t skipPast(const std::string& text, size_t from, const char* close) {
  const size_t at = text.find(close, from);
  return at == std::string::npos ? text.size() : at + std::strlen(close);
}

// Just past the '>' that ends the tag starting at from; a quoted '>' is
// part of an attribute's value. Sets selfClosing for "<a/>".
size_t tagEnd(const std::string& text, size_t from, bool& selfClosing) {
  char quote = 0;
  for (size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      selfClosing = text[i - 1] == '/';
      return i + 1;
    }
  }
  selfClosing = true;  // an unfinished tag opens nothing
  return text.size();
}
}  // namespace

int xmlNestingDepth(const std::string& text, int limit) {
  int depth = 0, deepest = 0;
  size_t i = text.find('<');
  while (i < text.size() && deepest <= limit) {
    if (text.compare(i, 4, "<!--") == 0) {
      i = skipPast(text, i + 4, "-->");
    } else if (text.compare(i, 9, "<![CDATA[") == 0) {
      i = skipPast(text, i + 9, "]]>");
    } else if (text.compare(i, 2, "<?") == 0) {
      i = skipPast(text, i + 2, "?>");
    } else if (text.compare(i, 2, "<!") == 0) {
      i = skipPast(text, i + 2, ">");
    } else if (text.compare(i, 2, "</") == 0) {
      if (depth > 0) --depth;
      i = skipPast(text, i + 2, ">");
    } else {
      bool selfClosing = false;
      i = tagEnd(text, i + 1, selfClosing);
      if (!selfClosing && ++depth > deepest) deepest = depth;
    }
    i = text.find('<', i);
  }
  return deepest;
}

bool readXmlText(const std::string& path, std::string& text, std::string& error) {
  ofFileRead read = ofReadFile(path);
  if (!read.ok) {
    error = read.error;
    return false;
  }
  if (xmlNestingDepth(read.bytes) > xmlDepthLimit) {
    error = "elements nested deeper than " + std::to_string(xmlDepthLimit);
    return false;
  }
  text = std::move(read.bytes);
  joinLineEnds(text);
  return true;
}
