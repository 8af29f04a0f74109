// Writing: trees built or read, as text and as files with their declaration line.
#include "os/FileSystem.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

const std::string utf8Header = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

static XmlNode settingsTree()
{
    XmlNode settings = XmlNode::createElement("Settings");
    settings.addAttribute("CustomName", std::string("a&b<c>\"d'"));
    settings.addChild(XmlNode::createElement("Colors")).addAttribute("a", std::string("1"));
    settings.addChild(XmlNode::createElement("Display")).addText("x < y & z");
    return settings;
}

TEST(XmlWrite, TextsFormattedAndOnOneLine)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    EXPECT_EQ(settingsTree().toText(true),
        "<Settings CustomName=\"a&amp;b&lt;c&gt;&quot;d&apos;\">\n"
        "\t<Colors a=\"1\"/>\n\t<Display>x &lt; y &amp; z</Display>\n</Settings>\n");
    EXPECT_EQ(settingsTree().toText(false),
        "<Settings CustomName=\"a&amp;b&lt;c&gt;&quot;d&apos;\"><Colors a=\"1\"/>"
        "<Display>x &lt; y &amp; z</Display></Settings>");

    // A parsed element keeps its arrays at their exact sizes; adding to it must still work.
    XmlNode r = XmlNode::parseText("<r a='1'><c/>text<![CDATA[x]]></r>", "r");
    r.addAttribute("flag", std::nullopt);
    r.addChild(XmlNode::createElement("first"), 0);
    r.addText("t0", 0);
    r.addClear("raw <x>", "<![CDATA[", "]]>");
    r.addChild(XmlNode::createElement("middle"), 4);
    EXPECT_EQ(r.toText(true),
        "<r a=\"1\" flag>\n\tt0\n\t<first/>\n\t<c/>\n\ttext\n\t<middle/>\n\t<![CDATA[x]]>\n"
        "\t<![CDATA[raw <x>]]>\n</r>\n");
    // A node cannot become its own descendant, nor have two parents.
    EXPECT_TRUE(r.getChild(1).addChild(r).isEmpty() && XmlNode::createElement("o").addChild(r.getChild(1)).isEmpty());
}

TEST(XmlWrite, FileHeaders)
{
    // The encoding (plus 8: keep white space), the tree read (null: <r/> built), the encoding's name.
    const std::tuple<int, const char*, const char*, std::string> cases[] = {
        { XmlEncodingUtf8, nullptr, nullptr, utf8Header + "<r/>\n" },
        // The first child is a declaration, though a comment stands before it.
        { XmlEncodingUtf8, "<!-- c --><?xml version=\"1.0\"?><r/>", nullptr,
            "\xEF\xBB\xBF<!-- c -->\n<?xml version=\"1.0\"?>\n<r/>\n" },
        { XmlEncodingShiftJis, nullptr, "ignored", "<?xml version=\"1.0\" encoding=\"SHIFT-JIS\"?>\n<r/>\n" },
        { XmlEncodingBig5, nullptr, "Big5", "<?xml version=\"1.0\" encoding=\"Big5\"?>\n<r/>\n" },
        { XmlEncodingLegacy, nullptr, nullptr, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r/>\n" },
        { XmlEncodingUtf8 + 8, "<r><c/></r>", nullptr, utf8Header + "<r><c/></r>" }, // no formatting
    };
    for (const auto& [encoding, text, name, expected] : cases) {
        setXmlOptions(encoding & 7, true, !(encoding & 8), true);
        const XmlNode tree = text ? XmlNode::parseText(text, "") : XmlNode::createElement("r");
        EXPECT_EQ(tree.toFileText(name, true), expected) << expected;
    }
    setXmlOptions(XmlEncodingUtf8, true, true, true);
}

TEST(XmlWrite, FilesAreReplacedWholeOrNotAtAll)
{
    testing_support::TempDir tmp;
    tmp.write("s.xml", "old");
    ASSERT_EQ(settingsTree().writeToFileSafely(tmp.file("s.xml"), nullptr, true), 0);
    EXPECT_EQ(tmp.read("s.xml"), utf8Header + settingsTree().toText(true));
    EXPECT_FALSE(os::pathExists(tmp.file("s.xml.*.tmp")));
    EXPECT_EQ(XmlNode::parseFile(tmp.file("s.xml"), "Settings").toText(true), settingsTree().toText(true));

    // No folder for the file beside, or something in the way of the move: what stood there
    // stays, and nothing is left beside it.
    EXPECT_EQ(settingsTree().writeToFileSafely(tmp.file("no/t.xml"), nullptr, true), XmlErrorCannotOpenWriteFile);
    ASSERT_TRUE(os::createDirectory(tmp.file("t.xml")));
    tmp.write("t.xml/keep", "old");
    EXPECT_EQ(settingsTree().writeToFileSafely(tmp.file("t.xml"), nullptr, true), XmlErrorCannotWriteFile);
    EXPECT_EQ(tmp.read("t.xml/keep"), "old");
    EXPECT_FALSE(os::pathExists(tmp.file("t.xml.*.tmp")));
    EXPECT_EQ(settingsTree().writeToFile(tmp.file("no/such/dir/s.xml"), nullptr, true), XmlErrorCannotOpenWriteFile);
    // /dev/full opens, takes the bytes into the buffer, and fails when they are flushed.
    const std::string full = testing_support::fullDevicePath();
    EXPECT_TRUE(full.empty() || settingsTree().writeToFile(full, nullptr, true) == XmlErrorCannotWriteFile);
}

TEST(XmlWrite, OpenFileOrExitTakesTheFilesEncodingOrShowsTheErrorAndEnds255)
{
    testing_support::TempDir tmp;
    tmp.write("latin.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Settings Name='Sm\xE5land'/>\n");
    EXPECT_EQ(XmlNode::openFileOrExit(tmp.file("latin.xml"), "Settings").attributeValue("Name"), "Sm\xE5land");
    EXPECT_EQ(xmlEncoding(), XmlEncodingLegacy);
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    tmp.write("other.xml", "<Other/>");
    tmp.write("broken.xml", "<Settings><a></Settings>");
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    EXPECT_EXIT(XmlNode::openFileOrExit(tmp.file("other.xml"), "Settings"), ::testing::ExitedWithCode(255),
        "XML Parsing error: XML Parsing error inside file '.*other.xml'.\nError: First Tag not found\n"
        "At line 0, column 0.\nFirst Tag should be 'Settings'.\n");
    // Warnings end it as errors do.
    EXPECT_EXIT(XmlNode::openFileOrExit(tmp.file("broken.xml"), "Settings"), ::testing::ExitedWithCode(255),
        "XML Parsing error: XML Parsing error inside file '.*broken.xml'.\nWarning: Unmatched end tag\n"
        "At line 1, column 14.\n");
}
