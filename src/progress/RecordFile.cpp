#include "progress/RecordFile.h"

#include <sys/stat.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "framework/XmlSettings.h"
#include "framework/XmlText.h"
#include "framework/ofFile.h"

namespace {
bool startsAt(const std::string& text, size_t at, const char* with) {
  return text.compare(at, std::strlen(with), with) == 0;
}

// Just past what the parser passes over between elements from at: blanks,
// comments, declarations and processing instructions. npos when one of
// them is never closed.
size_t skipBetweenElements(const std::string& text, size_t at) {
  while (at < text.size()) {
    const char* close = nullptr;
    if (std::isspace(static_cast<unsigned char>(text[at]))) {
      ++at;
      continue;
    }
    if (startsAt(text, at, "<!--")) {
      close = "-->";
    } else if (startsAt(text, at, "<?")) {
      close = "?>";
    } else if (startsAt(text, at, "<!") && !startsAt(text, at, "<![CDATA[")) {
      close = ">";
    } else {
      return at;
    }
    const size_t end = text.find(close, at + 2);
    if (end == std::string::npos) return std::string::npos;
    at = end + std::strlen(close);
  }
  return at;
}

bool startsElement(const std::string& text, size_t at) {
  if (at + 1 >= text.size() || text[at] != '<') return false;
  const unsigned char c = static_cast<unsigned char>(text[at + 1]);
  return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80;
}

// What lies at `at`, after the first element, in words.
std::string describeAfter(const std::string& text, size_t at) {
  if (!startsElement(text, at)) return "text after it";
  size_t end = at + 1;
  while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
         text[end] != '>' && text[end] != '/') {
    ++end;
  }
  return "an element <" + text.substr(at + 1, end - at - 1) + "> after it";
}

// Line ends as the parser's own file reading makes them: CR LF and a lone
// CR become LF.
void joinLineEnds(std::string& text) {
  size_t out = 0;
  for (size_t in = 0; in < text.size(); ++in) {
    const bool pair = text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n';
    if (!pair) text[out++] = text[in] == '\r' ? '\n' : text[in];
  }
  text.resize(out);
}

// A read that failed: a regular file over the bound is damaged (its bytes
// are kept aside before a save); anything else that is there is not ours
// to replace.
RecordFile failedRead(const std::string& path, size_t maxBytes, const ofFileRead& read) {
  RecordFile file;
  if (read.missing) return file;
  struct stat st {};
  const bool tooLarge = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                        static_cast<unsigned long long>(st.st_size) > maxBytes;
  file.state = tooLarge ? RecordFile::State::damaged : RecordFile::State::unreadable;
  file.why = read.error;
  return file;
}

// Why the element at `at` did not parse, in the parser's words when it has
// them: it reads the whole file again, which only a damaged file costs.
std::string whyBroken(const std::string& path) {
  XmlSettings probe;
  return probe.loadFile(path) ? "it is not one well-formed element" : probe.lastError();
}
}  // namespace

RecordFile readRecordFile(const std::string& path, size_t maxBytes, XmlSettings& xml) {
  ofFileRead read = ofReadFile(path, maxBytes);
  if (!read.ok) return failedRead(path, maxBytes, read);
  RecordFile file;
  file.state = RecordFile::State::damaged;
  std::string& text = read.bytes;
  // Checked before any parsing: the parser recurses once per level.
  if (xmlNestingDepth(text) > xmlDepthLimit) {
    file.why = "elements nested deeper than " + std::to_string(xmlDepthLimit);
    return file;
  }
  joinLineEnds(text);
  const size_t bom = startsAt(text, 0, "\xEF\xBB\xBF") ? 3 : 0;
  const size_t first = skipBetweenElements(text, bom);
  if (first == text.size()) {
    file.why = "it holds no element";
    return file;
  }
  const bool element = first != std::string::npos && startsElement(text, first);
  const char* end = element ? xml.parseElement(text.c_str() + first) : nullptr;
  if (!end) {
    file.why = whyBroken(path);
    return file;
  }
  file.state = RecordFile::State::read;
  const size_t rest = skipBetweenElements(text, static_cast<size_t>(end - text.c_str()));
  if (rest == std::string::npos) {
    file.after = "an unfinished comment after it";
  } else if (rest != text.size()) {
    file.after = describeAfter(text, rest);
  }
  return file;
}

std::string recordTimeText(float ms) {
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, ms);
  return std::string(text, end.ptr);
}

std::optional<float> parseRecordTime(const std::string& text) {
  float ms = 0;
  const char* last = text.data() + text.size();
  const std::from_chars_result end = std::from_chars(text.data(), last, ms);
  if (end.ec != std::errc() || end.ptr != last || !std::isfinite(ms) || ms < 0) {
    return std::nullopt;
  }
  return ms;
}
