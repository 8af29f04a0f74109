#include "os/FileSystem.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class XmlWrite : public ::testing::Test {
protected:
    void SetUp() override { setXmlOptions(XmlEncodingUtf8, true, true, true); }
    void TearDown() override { setXmlOptions(XmlEncodingUtf8, true, true, true); }
};

XmlNode settingsTree()
{
    XmlNode settings = XmlNode::createElement("Settings");
    settings.addAttribute("FontSize", std::string("14"));
    settings.addAttribute("CustomName", std::string("a&b<c>\"d'"));
    XmlNode colors = XmlNode::createElement("Colors");
    colors.addAttribute("a", std::string("1"));
    settings.addChild(colors);
    XmlNode display = XmlNode::createElement("Display");
    display.addText("x < y & z");
    settings.addChild(display);
    return settings;
}

TEST_F(XmlWrite, FormattedTextWithTabsAndEntities)
{
    EXPECT_EQ(settingsTree().toText(true),
              "<Settings FontSize=\"14\" CustomName=\"a&amp;b&lt;c&gt;&quot;d&apos;\">\n"
              "\t<Colors a=\"1\"/>\n"
              "\t<Display>x &lt; y &amp; z</Display>\n"
              "</Settings>\n");
    EXPECT_EQ(settingsTree().toText(false),
              "<Settings FontSize=\"14\" CustomName=\"a&amp;b&lt;c&gt;&quot;d&apos;\"><Colors a=\"1\"/>"
              "<Display>x &lt; y &amp; z</Display></Settings>");
}

TEST_F(XmlWrite, MixedContentsInDocumentOrder)
{
    XmlNode r = XmlNode::createElement("r");
    r.addText("t1");
    r.addChild(XmlNode::createElement("c"));
    r.addClear("raw <x>", "<![CDATA[", "]]>");
    r.addText("t0", 0);
    r.addAttribute("flag", std::nullopt);
    EXPECT_EQ(r.toText(true), "<r flag>\n\tt0\n\tt1\n\t<c/>\n\t<![CDATA[raw <x>]]>\n</r>\n");
    EXPECT_EQ(r.getText(0), "t0");
    // A node cannot become its own descendant, nor have two parents.
    XmlNode c = r.getChild(0);
    EXPECT_TRUE(c.addChild(r).isEmpty());
    EXPECT_TRUE(XmlNode::createElement("other").addChild(c).isEmpty());
}

TEST_F(XmlWrite, FileRoundTripKeepsEveryValue)
{
    testing_support::TempDir tmp;
    ASSERT_EQ(settingsTree().writeToFile(tmp.file("s.xml"), nullptr, true), 0);
    const std::string bytes = tmp.read("s.xml");
    EXPECT_EQ(bytes.substr(0, 42), "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    XmlResult result;
    XmlNode back = XmlNode::parseFile(tmp.file("s.xml"), "Settings", &result);
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(back.attributeValue("CustomName"), "a&b<c>\"d'");
    EXPECT_EQ(back.findChild("Display").getText(0), "x < y & z");
    EXPECT_EQ(back.toText(true), settingsTree().toText(true));

    EXPECT_EQ(settingsTree().writeToFile(tmp.file("no/such/dir/s.xml"), nullptr, true), XmlErrorCannotOpenWriteFile);
    EXPECT_EQ(XmlNode().writeToFile(tmp.file("nothing.xml"), nullptr, true), 0);
    EXPECT_FALSE(testing_support::readFile(tmp.file("nothing.xml")).size());
}

TEST_F(XmlWrite, AWriteThatFailsWhenFlushedGivesItsCode)
{
    // /dev/full opens, takes the bytes into the buffer, and fails when they are flushed.
    const std::string full = testing_support::fullDevicePath();
    if (full.empty())
        GTEST_SKIP() << "this system has no device whose writes fail";
    EXPECT_EQ(settingsTree().writeToFile(full, nullptr, true), XmlErrorCannotWriteFile);
}

TEST_F(XmlWrite, FailedWritesGiveTheirCodes)
{
    testing_support::TempDir tmp;
    tmp.write("s.xml", "old");
    ASSERT_EQ(settingsTree().writeToFileSafely(tmp.file("s.xml"), nullptr, true), 0);
    EXPECT_EQ(tmp.read("s.xml"), "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + settingsTree().toText(true));
    EXPECT_FALSE(testing_support::readFile(tmp.file("s.xml.tmp")).size());
    // The file beside cannot be made: the old file stays as it was.
    tmp.write("t.xml", "old");
    ASSERT_TRUE(os::createDirectory(tmp.file("t.xml.tmp")));
    EXPECT_EQ(settingsTree().writeToFileSafely(tmp.file("t.xml"), nullptr, true), XmlErrorCannotOpenWriteFile);
    EXPECT_EQ(tmp.read("t.xml"), "old");
    EXPECT_EQ(settingsTree().writeToFileSafely(tmp.file("no/such/dir/s.xml"), nullptr, true),
              XmlErrorCannotOpenWriteFile);
}

TEST_F(XmlWrite, BuildingReturnsWhatWasAdded)
{
    XmlNode a = XmlNode::createElement("a");
    EXPECT_EQ(a.addAttribute("x", std::string("1")), 0);
    EXPECT_EQ(a.addAttribute("y", std::nullopt), 1);
    EXPECT_EQ(a.getAttributeName(1), "y");
    EXPECT_EQ(XmlNode().addAttribute("x", std::string("1")), -1);
    XmlNode b = XmlNode::createElement("b");
    EXPECT_EQ(a.addChild(b), b) << "shared, not copied";
    b.addText("later");
    EXPECT_EQ(a.toText(false), "<a x=\"1\" y><b>later</b></a>");
    EXPECT_EQ(b.getParent(), a);
}

TEST_F(XmlWrite, ParsedTreesGrowLikeBuiltOnes)
{
    // A parsed element keeps its arrays at their exact sizes; adding to it must still work.
    XmlResult result;
    XmlNode r = XmlNode::parseText("<r a='1'><c/>text<![CDATA[x]]></r>", "r", &result);
    ASSERT_EQ(result.code, 0);
    r.addAttribute("b", std::string("2"));
    r.addChild(XmlNode::createElement("first"), 0);
    r.addText("end");
    r.addChild(XmlNode::createElement("middle"), 3);
    EXPECT_EQ(r.toText(false), "<r a=\"1\" b=\"2\"><first/><c/>text<middle/><![CDATA[x]]>end</r>");
    EXPECT_EQ(r.getChild(2).getName(), "middle");
}

TEST_F(XmlWrite, HeaderFollowsTheFirstChild)
{
    testing_support::TempDir tmp;
    XmlResult result;
    XmlNode top = XmlNode::parseText("<!-- c --><?xml version=\"1.0\"?><r/>", "", &result);
    ASSERT_EQ(result.code, 0);
    ASSERT_EQ(top.writeToFile(tmp.file("a.xml"), nullptr, false), 0);
    EXPECT_EQ(tmp.read("a.xml"), "\xEF\xBB\xBF<!-- c --><?xml version=\"1.0\"?><r/>")
        << "the first child is a declaration, though a comment stands before it";
    setXmlOptions(XmlEncodingShiftJis, true, true, true);
    ASSERT_EQ(XmlNode::createElement("r").writeToFile(tmp.file("b.xml"), "ignored", true), 0);
    EXPECT_EQ(tmp.read("b.xml"), "<?xml version=\"1.0\" encoding=\"SHIFT-JIS\"?>\n<r/>\n");
    setXmlOptions(XmlEncodingBig5, true, true, true);
    ASSERT_EQ(XmlNode::createElement("r").writeToFile(tmp.file("c.xml"), "Big5", true), 0);
    EXPECT_EQ(tmp.read("c.xml"), "<?xml version=\"1.0\" encoding=\"Big5\"?>\n<r/>\n");
    setXmlOptions(XmlEncodingUtf8, true, false, true);
    EXPECT_EQ(XmlNode::parseText("<r><c/></r>", "").toText(true), "<r><c/></r>")
        << "kept white space means no formatting";
}

TEST_F(XmlWrite, LegacyEncodingWritesItsNameAndNoMark)
{
    testing_support::TempDir tmp;
    tmp.write("latin.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Settings Name='Sm\xE5land'/>\n");
    XmlNode s = XmlNode::openFileOrExit(tmp.file("latin.xml"), "Settings");
    EXPECT_EQ(xmlEncoding(), XmlEncodingLegacy);
    EXPECT_EQ(s.attributeValue("Name"), "Sm\xE5land");
    ASSERT_EQ(s.writeToFile(tmp.file("out.xml"), nullptr, true), 0);
    EXPECT_EQ(tmp.read("out.xml"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Settings Name=\"Sm\xE5land\"/>\n");
    // A tree that starts with its own declaration gets no second one.
    XmlNode top = XmlNode::parseFile(tmp.file("latin.xml"), "");
    ASSERT_EQ(top.writeToFile(tmp.file("again.xml"), nullptr, true), 0);
    EXPECT_EQ(tmp.read("again.xml").rfind("<?xml", 0), 0u);
    EXPECT_EQ(tmp.read("again.xml").find("<?xml", 1), std::string::npos);
}

TEST_F(XmlWrite, OpenFileOrExitShowsTheErrorAndEnds255)
{
    testing_support::TempDir tmp;
    tmp.write("other.xml", "<Other><x/></Other>");
    tmp.write("broken.xml", "<Settings><a></Settings>");
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    EXPECT_EXIT(XmlNode::openFileOrExit(tmp.file("other.xml"), "Settings"), ::testing::ExitedWithCode(255),
                "XML Parsing error: XML Parsing error inside file '.*other.xml'.\nError: First Tag not found\n"
                "At line 0, column 0.\nFirst Tag should be 'Settings'.\n");
    EXPECT_EXIT(XmlNode::openFileOrExit(tmp.file("broken.xml"), "Settings"), ::testing::ExitedWithCode(255),
                "Warning: Unmatched end tag\nAt line 1, column 14.\n");
}

} // namespace
