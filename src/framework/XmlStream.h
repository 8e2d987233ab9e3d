#pragma once
// Reads a large XML file an element at a time, so that it never stands in
// memory as one TinyXML tree: each child of a few named top-level containers,
// and each other top-level element, is parsed alone into an XmlSettings,
// handed over and freed before the next. Only files of the plain shape the
// program writes are read this way; for anything else the caller reads the
// whole tree with XmlSettings::loadFile, which also reports what is wrong.

#include <functional>
#include <string>
#include <vector>

#include "framework/XmlSettings.h"

struct XmlStreamVisitor {
  // Each child element of the first top-level element of each container name,
  // in file order; `piece` holds that child alone, the cursor on its document.
  std::function<void(const std::string& container, XmlSettings& piece)> child;
  // Each other top-level element, whole, in file order. (A later container
  // of a name already met is walked the same way; its children go nowhere.)
  std::function<void(XmlSettings& piece)> element;
};

// Reads data/name (resolved as XmlSettings::loadFile resolves it). The file
// must be, as loadFile reads it, top-level elements and comments separated by
// white space; each container's start tag without attributes and its content
// only child elements, comments and white space; every container name
// present. Returns false as soon as it meets anything else (a declaration, a
// DOCTYPE, a byte-order mark, text, an error), perhaps having handed over
// part of the file; it logs nothing then.
bool streamXmlFile(const std::string& name, const std::vector<std::string>& containers,
                   const XmlStreamVisitor& visitor);
