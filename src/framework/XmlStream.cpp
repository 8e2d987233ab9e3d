#include "framework/XmlStream.h"

#include <tinyxml.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "framework/XmlText.h"
#include "framework/ofUtils.h"

namespace {
// The file's text as loadFile parses it. False when it cannot be read, is
// empty, or holds a NUL byte (where TinyXML stops reading).
bool readText(const std::string& path, std::string& text) {
  std::string error;
  if (!readXmlText(path, text, error)) return false;
  return !text.empty() && text.find('\0') == std::string::npos;
}

// TinyXML's white space.
const char* skipSpace(const char* p) {
  while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
  return p;
}

bool startsWith(const char* p, const std::string& prefix) {
  return std::strncmp(p, prefix.c_str(), prefix.size()) == 0;
}

// Where TinyXML would start an element: '<' and a letter or '_'. Names that
// start with other bytes are left to the whole-tree read.
bool startsElement(const char* p) {
  const unsigned char first = p[0] == '<' ? static_cast<unsigned char>(p[1]) : 0;
  return first < 127 && (std::isalpha(first) || first == '_');
}

// Past the comment at p, as TinyXML reads it (an unterminated one runs to the
// end of the text).
const char* skipComment(const char* p) {
  TiXmlComment comment;
  return comment.Parse(p, nullptr, TIXML_DEFAULT_ENCODING);
}

class Walk {
 public:
  Walk(const std::vector<std::string>& containers, const XmlStreamVisitor& visitor)
      : containers(containers), met(containers.size(), false), visitor(visitor) {}

  bool run(const char* p) {
    if (startsWith(p, "\xEF\xBB\xBF")) return false;  // TinyXML then reads as UTF-8
    for (p = skipSpace(p); *p; p = skipSpace(p)) {
      p = topLevelItem(p);
      if (!p) return false;
    }
    for (bool m : met) {
      if (!m) return false;
    }
    return true;
  }

 private:
  // Past the comment, container or element at p; null for anything else.
  const char* topLevelItem(const char* p) {
    if (startsWith(p, "<!--")) return skipComment(p);
    const int c = containerAt(p);
    if (c >= 0) return walkContainer(p, c);
    if (!startsElement(p)) return nullptr;
    p = piece.parseElement(p);
    // Named as a container, yet containerAt saw none (an odd character after
    // the name): left to the whole-tree read.
    if (!p || namesAContainer(piece)) return nullptr;
    if (visitor.element) visitor.element(piece);
    return p;
  }

  // The container whose start tag begins at p, or -1.
  int containerAt(const char* p) const {
    if (*p != '<') return -1;
    for (size_t i = 0; i < containers.size(); ++i) {
      if (!startsWith(p + 1, containers[i])) continue;
      const char next = p[1 + containers[i].size()];
      if (next == '>' || next == '/' || std::isspace(static_cast<unsigned char>(next))) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }

  bool namesAContainer(XmlSettings& element) const {
    for (const std::string& name : containers) {
      if (element.getNumTags(name) > 0) return true;
    }
    return false;
  }

  // Past container c's end tag, having handed over its children if it is the
  // first of its name; null when it has attributes or holds anything but
  // elements, comments and white space.
  const char* walkContainer(const char* p, int c) {
    const std::string& name = containers[c];
    const bool handOver = !met[c];
    met[c] = true;
    p = skipSpace(p + 1 + name.size());
    if (startsWith(p, "/>")) return p + 2;
    if (*p != '>') return nullptr;
    for (p = skipSpace(p + 1); !startsWith(p, "</"); p = skipSpace(p)) {
      if (startsWith(p, "<!--")) {
        p = skipComment(p);
      } else if (startsElement(p)) {
        p = piece.parseElement(p);
        if (!p) return nullptr;
        if (handOver && visitor.child) visitor.child(name, piece);
      } else {
        return nullptr;  // text, CDATA, a DOCTYPE, or the end of the file
      }
    }
    if (!startsWith(p, "</" + name)) return nullptr;
    p = skipSpace(p + 2 + name.size());
    return *p == '>' ? p + 1 : nullptr;
  }

  const std::vector<std::string>& containers;
  std::vector<bool> met;
  const XmlStreamVisitor& visitor;
  XmlSettings piece;  // one element at a time, emptied by the next parse
};
}  // namespace

bool streamXmlFile(const std::string& name, const std::vector<std::string>& containers,
                   const XmlStreamVisitor& visitor) {
  std::string text;
  if (!readText(ofToDataPath(name), text)) return false;
  return Walk(containers, visitor).run(text.c_str());
}
