#include <gtest/gtest.h>

#include "framework/XmlSettings.h"
#include "support/ScratchFolder.h"

TEST(XmlSettings, AddTagAppendsAndCountsSameNamedSiblings) {
  XmlSettings xml;
  EXPECT_EQ(xml.addTag("Model"), 0);
  EXPECT_EQ(xml.addTag("Other"), 0);
  EXPECT_EQ(xml.addTag("Model"), 1);
  EXPECT_EQ(xml.addTag("Model"), 2);
  EXPECT_EQ(xml.getNumTags("Model"), 3);
  // Out of range: nothing written, -1.
  EXPECT_EQ(xml.setAttribute("Model", "guid", "x", 5), -1);
  EXPECT_EQ(xml.getAttribute("Model", "guid", "none", 5), "none");
  EXPECT_EQ(xml.setAttribute("Model", "guid", "x", 2), 2);
  EXPECT_EQ(xml.getAttribute("Model", "guid", "none", 2), "x");
  // A negative index acts as 0.
  EXPECT_EQ(xml.setAttribute("Model", "guid", "first", -3), 2);
  EXPECT_EQ(xml.getAttribute("Model", "guid", "", 0), "first");
}

TEST(XmlSettings, IntegerAttributesReadLikeAScan) {
  XmlSettings xml;
  xml.addTag("N");
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {{"12", 12}, {" 12", 12}, {"3.7", 3},   {"-5", -5},
                        {"1e3", 1}, {"abc", 99}, {"", 99},     {"+8x", 8}};
  for (const Case& c : cases) {
    xml.setAttribute("N", "v", std::string(c.text), 0);
    EXPECT_EQ(xml.getAttribute("N", "v", 99, 0), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(xml.getAttribute("N", "missing", 7, 0), 7);
  EXPECT_EQ(xml.getAttribute("Nope", "v", 7, 0), 7);
}

TEST(XmlSettings, PathsSkipEmptyComponentsAndIndexOnlyTheFirst) {
  XmlSettings xml;
  xml.addTag("a:b");
  xml.addTag("a:b");
  EXPECT_EQ(xml.getNumTags("a"), 2);
  EXPECT_EQ(xml.getNumTags("a:b"), 2);  // deeper components are ignored
  for (const char* path : {"a:b", "a::b", ":a:b", "a:b:"}) {
    EXPECT_EQ(xml.setAttribute(path, "v", 1, 1), 1) << path;
  }
  EXPECT_EQ(xml.getAttribute("a:b", "v", 0, 1), 1);
  EXPECT_EQ(xml.getAttribute("a:b", "v", 0, 0), 0);
  EXPECT_EQ(xml.setAttribute("", "v", 1, 0), -1);

  ASSERT_TRUE(xml.pushTag("a:b", 0));  // descends into the first a only
  EXPECT_EQ(xml.getNumTags("b"), 1);
  EXPECT_EQ(xml.popTag(), 0);
}

TEST(XmlSettings, PushAndPopMoveTheCursorSafely) {
  XmlSettings xml;
  xml.addTag("Levels");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(xml.pushTag("Models", 0));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "pushTag - <Models> tag not found\n");
  ASSERT_TRUE(xml.pushTag("Levels", 0));
  xml.addTag("Level");
  EXPECT_EQ(xml.getNumTags("Level"), 1);
  EXPECT_EQ(xml.popTag(), 0);
  EXPECT_EQ(xml.popTag(), 0);
  EXPECT_EQ(xml.getNumTags("Levels"), 1);  // back on the document
}

TEST(XmlSettings, SavedLayoutKeepsAttributeOrderAndOpenCloseTags) {
  ScratchFolder scratch;
  XmlSettings xml;
  xml.addTag("Info");
  xml.setAttribute("Info", "count", 7, 0);
  xml.addTag("Models");
  xml.pushTag("Models", 0);
  xml.addTag("Model");
  xml.setAttribute("Model", "b", 1, 0);
  xml.setAttribute("Model", "a", std::string("say \"hi\" & <bye>"), 0);
  xml.setAttribute("Model", "b", 2, 0);  // keeps its place
  xml.pushTag("Model", 0);
  xml.addTag("Frame");
  xml.popTag();
  xml.popTag();
  ASSERT_TRUE(xml.saveFile("out.xml"));
  EXPECT_EQ(scratch.read("data/out.xml"),
            "<Info count=\"7\"></Info>\n"
            "<Models>\n"
            "    <Model b=\"2\" a='say &quot;hi&quot; &amp; &lt;bye&gt;'>\n"
            "        <Frame></Frame>\n"
            "    </Model>\n"
            "</Models>\n");
  EXPECT_FALSE(scratch.exists("data/out.xml.tmp"));

  XmlSettings back;
  ASSERT_TRUE(back.loadFile("out.xml"));
  EXPECT_EQ(back.getAttribute("Info", "count", 0, 0), 7);
  ASSERT_TRUE(back.pushTag("Models"));
  EXPECT_EQ(back.getAttribute("Model", "a", "", 0), "say \"hi\" & <bye>");
}

TEST(XmlSettings, LoadAndSaveFailuresSayWhy) {
  ScratchFolder scratch;
  XmlSettings xml;
  EXPECT_FALSE(xml.loadFile("missing.xml"));
  EXPECT_NE(xml.lastError().find("No such file"), std::string::npos) << xml.lastError();

  scratch.write("data/bad.xml", "<Info count=\"1\">\n<Models>\n</Info>");
  EXPECT_FALSE(xml.loadFile("bad.xml"));
  EXPECT_EQ(xml.lastError().rfind("line ", 0), 0u) << xml.lastError();

  xml.addTag("Info");
  EXPECT_FALSE(xml.saveFile("no/such/folder/x.xml"));
  EXPECT_FALSE(xml.lastError().empty());
}

TEST(XmlSettings, ParseElementHoldsOneElementAsTheDocument) {
  XmlSettings xml;
  const char* text = "<A n=\"1\"><B/><B/></A> <C n=\"2\"/>";
  const char* end = xml.parseElement(text);
  ASSERT_NE(end, nullptr);
  EXPECT_STREQ(end, " <C n=\"2\"/>");
  EXPECT_EQ(xml.getNumTags("A"), 1);
  EXPECT_EQ(xml.getAttribute("A", "n", 0, 0), 1);
  ASSERT_TRUE(xml.pushTag("A", 0));
  EXPECT_EQ(xml.getNumTags("B"), 2);

  // The next element replaces it, and the cursor is back on the document.
  EXPECT_STREQ(xml.parseElement(end + 1), "");
  EXPECT_EQ(xml.popTag(), 0);
  EXPECT_EQ(xml.getNumTags("A"), 0);
  EXPECT_EQ(xml.getAttribute("C", "n", 0, 0), 2);
}

TEST(XmlSettings, ParseElementRefusesWhatIsNotOneWellFormedElement) {
  for (const char* text : {"<A>", "<A></B>", "<A n=\"1\" n=\"2\"/>", "<A n/>", "text", "",
                           "<!-- a comment -->", "</A>"}) {
    XmlSettings xml;
    ASSERT_NE(xml.parseElement("<A/>"), nullptr);
    EXPECT_EQ(xml.parseElement(text), nullptr) << text;
    EXPECT_EQ(xml.getNumTags("A"), 0) << text;
    EXPECT_NE(xml.parseElement("<A/>"), nullptr) << "after " << text;
  }
}
