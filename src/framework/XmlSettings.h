#pragma once
// The program's one way to read and write XML: a TinyXML document with a
// cursor (the current element) that steps into children and back out.
// Elements are named by colon-separated paths, and `which` picks among
// same-named siblings for the first path component only. Values live in
// attributes. Build one per use; nothing is shared between uses.

#include <tinyxml.h>

#include <string>

class XmlSettings {
 public:
  XmlSettings();
  XmlSettings(const XmlSettings&) = delete;
  XmlSettings& operator=(const XmlSettings&) = delete;

  // Loads data/name (relative names resolve against the data folder); the
  // cursor returns to the document either way.
  bool loadFile(const std::string& name);
  // Writes the document to data/name through a temporary file in the same
  // folder renamed over the old one, so a failed save never leaves a
  // half-written file. False when the file could not be written.
  bool saveFile(const std::string& name);
  // Why the last load or save failed ("line 3: Error reading end tag.").
  const std::string& lastError() const { return error; }
  // Makes the one element whose start tag begins at text (its '<') the whole
  // document, parsed as loadFile parses it inside a file; the cursor returns
  // to the document. Returns where the element ends, or null, with an empty
  // document, when it is not one well-formed element. Lets a large file be
  // read an element at a time.
  const char* parseElement(const char* text);

  // Makes the which-th child element named by tag current; prints
  // "pushTag - <tag> tag not found" and stays put when there is none.
  bool pushTag(const std::string& tag, int which = 0);
  // Returns to the parent (or the document); never fails. Returns the level.
  int popTag();
  int getNumTags(const std::string& tag);
  // Appends a new element chain for the path, ending in an empty text node;
  // returns its index among same-named siblings.
  int addTag(const std::string& tag);

  // Sets an attribute on the element the path names; -1 if there is none.
  int setAttribute(const std::string& tag, const std::string& attribute, int value, int which = 0);
  int setAttribute(const std::string& tag, const std::string& attribute,
                   const std::string& value, int which = 0);
  // The attribute read as a "%d" integer, or the default when the element,
  // the attribute or a leading number is missing.
  int getAttribute(const std::string& tag, const std::string& attribute, int defaultValue,
                   int which = 0);
  std::string getAttribute(const std::string& tag, const std::string& attribute,
                           const std::string& defaultValue, int which = 0);
  // Without these two overloads a string literal default would pick the int form.
  std::string getAttribute(const std::string& tag, const std::string& attribute,
                           const char* defaultValue, int which = 0) {
    return getAttribute(tag, attribute, std::string(defaultValue), which);
  }

 private:
  TiXmlElement* resolve(const std::string& tag, int which);
  // The which-th child of parent named name; steps on from the last one
  // found, so reading or writing a list in order is linear, not quadratic.
  TiXmlElement* nthChild(TiXmlNode* parent, const std::string& name, int which);
  int countChildren(const std::string& name);
  void forgetLookups();

  TiXmlDocument document;
  TiXmlNode* current;
  int level = 0;
  std::string error;

  // The last element nthChild found, and the last count of children.
  TiXmlNode* foundParent = nullptr;
  std::string foundName;
  int foundIndex = 0;
  TiXmlElement* found = nullptr;
  TiXmlNode* countedParent = nullptr;
  std::string countedName;
  int counted = 0;

  // The document as last printed, kept while nothing changes it: a level
  // save writes the same document twice.
  std::string printed;
  bool printedIsCurrent = false;
};
