#include "framework/XmlStream.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {
// "Name=n" of the one element a piece holds.
std::string describe(XmlSettings& piece) {
  for (const char* name : {"A", "B", "Info", "Models", "Levels"}) {
    if (piece.getNumTags(name) > 0) {
      return std::string(name) + "=" + piece.getAttribute(name, "n", "");
    }
  }
  return "?";
}

// Every hand-over of a walk, in order: "container/Name=n" or "Name=n".
std::vector<std::string> handOvers(const std::string& name, bool& ok) {
  std::vector<std::string> seen;
  XmlStreamVisitor visitor;
  visitor.child = [&](const std::string& container, XmlSettings& piece) {
    seen.push_back(container + "/" + describe(piece));
  };
  visitor.element = [&](XmlSettings& piece) { seen.push_back(describe(piece)); };
  ok = streamXmlFile(name, {"Models", "Levels"}, visitor);
  return seen;
}

// Bytes the heap holds, small blocks and mapped ones.
long heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}
}  // namespace

TEST(XmlStream, HandsOverTheFirstContainersChildrenAndOtherElementsInOrder) {
  ScratchFolder scratch;
  scratch.write("data/f.xml",
                "<!-- x --><Info n=\"i\"/>\n<Levels><A n=\"1\"><B/></A><!-- y --><B n=\"2\"/>"
                "</Levels><A n=\"top\"/><Models/><Levels><A n=\"later\"/></Levels>"
                "<Models><A n=\"later\"/></Models>");
  bool ok = false;
  const std::vector<std::string> expected = {"Info=i", "Levels/A=1", "Levels/B=2", "A=top"};
  EXPECT_EQ(handOvers("f.xml", ok), expected);
  EXPECT_TRUE(ok);
}

TEST(XmlStream, DeclinesFilesOfAnyOtherShape) {
  const char* cases[] = {
      "<Models/>",                                    // a container missing
      "<Models/><Levels a=\"1\"/>",                   // attributes on a container
      "<?xml version=\"1.0\"?><Models/><Levels/>",   // a declaration
      "<Models/><Levels/>text",                       // text
      "<Models/><Levels>text</Levels>",               // text in a container
      "<Models/><Levels><A></Levels>",                // not well formed
      "<Models/><Levels/><A b=\"1\" b=\"2\"/>",       // nor this
      "<Models/><Levels></Levels ",                   // an end tag cut short
      "<Models/><Levels",                             // a start tag cut short
      "",                                             // empty
  };
  for (const char* text : cases) {
    ScratchFolder scratch;
    scratch.write("data/f.xml", text);
    bool ok = true;
    handOvers("f.xml", ok);
    EXPECT_FALSE(ok) << text;
  }
  bool ok = true;
  ScratchFolder scratch;
  handOvers("missing.xml", ok);
  EXPECT_FALSE(ok);
}

// The point of the walk: the shipped campaign never stands in memory as one
// tree. The heap is sampled at every hand-over, when a model or level has
// just been parsed whole (the walk's high points); it then also holds the
// file's text, which the whole-tree figure does not (loadFile frees it).
TEST(XmlStream, HoldsFarLessOfTheShippedLevelsAtOnceThanTheWholeTree) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps books of its own";
#endif
  const std::string path = std::string(ORVANE_SOURCE_DIR) + "/data/data.xml";
  long tree = 0;
  {
    const long before = heapInUse();
    XmlSettings xml;
    ASSERT_TRUE(xml.loadFile(path));
    tree = heapInUse() - before;
  }
  long most = 0;
  int pieces = 0;
  const long before = heapInUse();
  XmlStreamVisitor visitor;
  visitor.child = [&](const std::string&, XmlSettings&) {
    most = std::max(most, heapInUse() - before);
    ++pieces;
  };
  ASSERT_TRUE(streamXmlFile(path, {"Models", "Levels"}, visitor));
  EXPECT_GT(pieces, 16);
  EXPECT_GT(tree, 8L << 20) << "the whole tree of the shipped levels";
  EXPECT_LT(most * 4, tree) << "held at once: " << most << " bytes, the tree " << tree;
}
