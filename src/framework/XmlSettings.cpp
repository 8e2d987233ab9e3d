#include "framework/XmlSettings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/XmlText.h"
#include "framework/ofFile.h"
#include "framework/ofUtils.h"

namespace {
// Maximal runs of characters other than ':'; an empty path is one empty name.
std::vector<std::string> splitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c != ':') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(part);
      part.clear();
    }
  }
  if (!part.empty() || parts.empty()) parts.push_back(part);
  return parts;
}

// The name pushTag and getNumTags look for: the part before the first ':'
// unless that colon is the first character.
std::string firstName(const std::string& tag) {
  const size_t colon = tag.find(':');
  return colon != std::string::npos && colon > 0 ? tag.substr(0, colon) : tag;
}

// What a "%d" scan reads: leading blanks, optional sign, at least one digit.
bool scanInt(const char* text, int& value) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text) return false;
  value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
  return true;
}
}  // namespace

XmlSettings::XmlSettings() : current(&document) {}

void XmlSettings::forgetLookups() {
  foundParent = countedParent = nullptr;
  found = nullptr;
}

TiXmlElement* XmlSettings::nthChild(TiXmlNode* parent, const std::string& name, int which) {
  if (which < 0) which = 0;
  TiXmlElement* e;
  int index;
  if (found && parent == foundParent && name == foundName && which >= foundIndex) {
    e = found;
    index = foundIndex;
  } else {
    e = parent->FirstChildElement(name.c_str());
    index = 0;
  }
  for (; e && index < which; ++index) e = e->NextSiblingElement(name.c_str());
  if (e) {
    foundParent = parent;
    foundName = name;
    foundIndex = which;
    found = e;
  }
  return e;
}

bool XmlSettings::loadFile(const std::string& name) {
  document.Clear();
  document.ClearError();
  error.clear();
  std::string text;
  bool ok = readXmlText(ofToDataPath(name), text, error);
  if (ok) {
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    ok = !document.Error();
    if (!ok) {
      error = document.ErrorRow() > 0
                  ? "line " + std::to_string(document.ErrorRow()) + ": " + document.ErrorDesc()
                  : document.ErrorDesc();
    }
  }
  current = &document;
  level = 0;
  forgetLookups();
  printedIsCurrent = false;
  return ok;
}

const char* XmlSettings::parseElement(const char* text) {
  document.Clear();
  document.ClearError();
  error.clear();
  current = &document;
  level = 0;
  forgetLookups();
  printedIsCurrent = false;
  // Linked first, so that a parse error is recorded on the document. No
  // parsing data: it only tracks rows and columns for error messages.
  TiXmlElement* element = new TiXmlElement("");
  document.LinkEndChild(element);
  const char* end = element->Parse(text, nullptr, TIXML_DEFAULT_ENCODING);
  if (end && !document.Error()) return end;
  document.Clear();
  document.ClearError();
  return nullptr;
}

bool XmlSettings::saveFile(const std::string& name) {
  const std::string path = ofToDataPath(name);
  error.clear();
  if (!printedIsCurrent) {
    // TinyXML's own file printer lays the text out; print it into memory.
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    const bool ok = memory && document.SaveFile(memory);
    if (memory) std::fclose(memory);
    printed.assign(buffer ? buffer : "", size);
    std::free(buffer);
    if (!ok) {
      error = "could not print the document";
      return false;
    }
    printedIsCurrent = true;
  }
  if (!ofWriteFile(path, printed, error)) return false;
  return true;
}

bool XmlSettings::pushTag(const std::string& tag, int which) {
  TiXmlElement* child = nthChild(current, firstName(tag), which);
  if (!child) {
    std::printf("pushTag - <%s> tag not found\n", tag.c_str());
    std::fflush(stdout);
    return false;
  }
  current = child;
  ++level;
  return true;
}

int XmlSettings::popTag() {
  if (level >= 1 && current->Parent()) {
    current = current->Parent();
    --level;
  } else {
    current = &document;
    level = 0;
  }
  return level;
}

int XmlSettings::countChildren(const std::string& name) {
  if (countedParent == current && countedName == name) return counted;
  int count = 0;
  for (TiXmlElement* e = current->FirstChildElement(name.c_str()); e;
       e = e->NextSiblingElement(name.c_str())) {
    ++count;
  }
  countedParent = current;
  countedName = name;
  counted = count;
  return count;
}

int XmlSettings::getNumTags(const std::string& tag) { return countChildren(firstName(tag)); }

int XmlSettings::addTag(const std::string& tag) {
  const std::vector<std::string> names = splitPath(tag);
  TiXmlElement* head = new TiXmlElement(names[0].c_str());
  TiXmlElement* last = head;
  for (size_t i = 1; i < names.size(); ++i) {
    last = static_cast<TiXmlElement*>(last->LinkEndChild(new TiXmlElement(names[i].c_str())));
  }
  printedIsCurrent = false;
  // The empty text child makes the printer write <X></X>, never <X />.
  last->LinkEndChild(new TiXmlText(""));
  current->LinkEndChild(head);
  // Elements are only ever appended: a kept count grows by one.
  if (countedParent == current && countedName == names[0]) {
    counted += 1;
  } else {
    countedParent = nullptr;
  }
  return countChildren(names[0]) - 1;
}

TiXmlElement* XmlSettings::resolve(const std::string& tag, int which) {
  const std::vector<std::string> names = splitPath(tag);
  TiXmlElement* e = nthChild(current, names[0], which);
  for (size_t i = 1; e && i < names.size(); ++i) e = e->FirstChildElement(names[i].c_str());
  return e;
}

int XmlSettings::setAttribute(const std::string& tag, const std::string& attribute, int value,
                              int which) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", value);
  return setAttribute(tag, attribute, std::string(text), which);
}

int XmlSettings::setAttribute(const std::string& tag, const std::string& attribute,
                              const std::string& value, int which) {
  TiXmlElement* e = resolve(tag, which);
  if (!e) return -1;
  e->SetAttribute(attribute, value);
  printedIsCurrent = false;
  return countChildren(splitPath(tag)[0]) - 1;
}

int XmlSettings::getAttribute(const std::string& tag, const std::string& attribute,
                              int defaultValue, int which) {
  TiXmlElement* e = resolve(tag, which);
  const char* text = e ? e->Attribute(attribute.c_str()) : nullptr;
  int value = 0;
  return text && scanInt(text, value) ? value : defaultValue;
}

std::string XmlSettings::getAttribute(const std::string& tag, const std::string& attribute,
                                      const std::string& defaultValue, int which) {
  TiXmlElement* e = resolve(tag, which);
  const char* text = e ? e->Attribute(attribute.c_str()) : nullptr;
  return text ? std::string(text) : defaultValue;
}
