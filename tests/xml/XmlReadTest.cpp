#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

namespace {

class XmlRead : public ::testing::Test {
protected:
    void SetUp() override { setXmlOptions(XmlEncodingUtf8, true, true, true); }
    void TearDown() override { setXmlOptions(XmlEncodingUtf8, true, true, true); }

    XmlNode parse(const char* text, const std::string& tag = "")
    {
        return XmlNode::parseText(text, tag, &result);
    }
    XmlResult result;
};

TEST_F(XmlRead, AttributesQuotedUnquotedAndWithoutValue)
{
    XmlNode a = parse("<a x='1' y=\"2\" z w=3/>");
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(a.getName(), "a");
    ASSERT_EQ(a.attributeCount(), 4);
    EXPECT_EQ(a.attributeValue("x"), "1");
    EXPECT_EQ(a.attributeValue("Y"), "2") << "names compare without regard to case";
    EXPECT_TRUE(a.hasAttribute("z"));
    EXPECT_FALSE(a.attributeValue("z").has_value());
    EXPECT_EQ(a.attributeValue("w"), "3");
    EXPECT_FALSE(a.hasAttribute("missing"));
    int index = 0;
    a.attributeValue("y", &index);
    EXPECT_EQ(index, 2);
}

TEST_F(XmlRead, EntitiesAndCharacterReferences)
{
    XmlNode a = parse("<a v='&#65;&#x41;&AMP;&lt;&quot;&apos;&gt;'>x &amp; y</a>");
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(a.attributeValue("v"), "AA&<\"'>");
    EXPECT_EQ(a.getText(0), "x & y");
}

TEST_F(XmlRead, CharacterReferencesAbove127FollowTheEncoding)
{
    EXPECT_EQ(parse("<a v='&#233;&#xFF;'/>").attributeValue("v"), "\xC3\xA9\xC3\xBF") << "UTF-8 text";
    setXmlOptions(XmlEncodingLegacy, true, true, true);
    EXPECT_EQ(parse("<a v='&#233;&#xFF;'/>").attributeValue("v"), "\xE9\xFF") << "the legacy code page";
    parse("<a>&#99999999999999999999;</a>");
    EXPECT_EQ(result.code, XmlErrorCharCodeAbove255) << "no overflow on long numbers";
}

TEST_F(XmlRead, MultiByteTrailBytesAreNeverMarkup)
{
    // In Shift-JIS, 0x81 starts a two-byte character: the ']' and '<' after it belong to it.
    setXmlOptions(XmlEncodingShiftJis, true, true, true);
    XmlNode a = parse("<a><![CDATA[\x81]]>x]]>\x81<</a>");
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(a.getClear(0).text, "\x81]]>x");
    EXPECT_EQ(a.getText(0), "\x81<");
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    EXPECT_EQ(parse("<a><![CDATA[\x81]]>x]]></a>").getClear(0).text, "\x81") << "one byte each in UTF-8";
}

TEST_F(XmlRead, ErrorCodesAndPositions)
{
    const struct {
        const char* text;
        int code, line, column; // line -1: not checked
    } cases[] = {
        {"<a>&#256;</a>", XmlErrorCharCodeAbove255, -1, 0},
        {"<a>&foo;</a>", XmlErrorUnknownEntity, -1, 0},
        {"<a v='&#65'/>", XmlErrorUnknownEntity, -1, 0}, // no semicolon
        {"<a>&#xG;</a>", XmlErrorUnknownEntity, -1, 0},
        {"<a></b>", XmlErrorUnmatchedEndTag, 1, 4},
        {"<A></a>", XmlErrorUnmatchedEndTag, -1, 0},     // end tags match with case
        {"<\xC3\xA5></b>", XmlErrorUnmatchedEndTag, 1, 4}, // a character counts once
        {"<a>\n  <!-- x", XmlErrorUnmatchedClearTag, 2, 3},
        {"<>", XmlErrorMissingStartTagName, -1, 0},
        {"<?" "?>", XmlErrorMissingStartTagName, -1, 0},
        {"<a b='1'", XmlErrorUnexpectedToken, 1, 9},     // a start tag cut off
        {"<a b='1' 'q'>", XmlErrorUnexpectedToken, -1, 0},
        {"<a></>", XmlErrorMissingEndTagName, -1, 0},
        {"just text", XmlWarningNoTagFound, -1, 0},
        {"", XmlWarningNoTagFound, -1, 0},
        {"<a><b>", XmlWarningUnmatchedEndTag, -1, 0},     // the text ends inside an element
    };
    for (const auto& c : cases) {
        parse(c.text);
        EXPECT_EQ(result.code, c.code) << c.text;
        if (c.line >= 0) {
            EXPECT_EQ(result.line * 1000 + result.column, c.line * 1000 + c.column) << c.text;
        }
    }
    XmlNode a = parse("<a><b></a>");
    EXPECT_EQ(result.code, XmlWarningUnmatchedEndTag);
    EXPECT_EQ(a.getChild(0).getName(), "b");
    EXPECT_TRUE(XmlNode::parseText(nullptr, "", &result).isEmpty());
    EXPECT_EQ(result.code, XmlErrorNoElements);
}

TEST_F(XmlRead, EndTagsWithoutTheirGreaterThanSign)
{
    XmlNode a = parse("<a><b></b <c/></a>");
    ASSERT_EQ(result.code, 0);
    ASSERT_EQ(a.childCount(), 2) << "the markup after a cut-off end tag is read";
    EXPECT_EQ(a.getChild(1).getName(), "c");
    EXPECT_EQ(parse("<a></a x='1'>").getName(), "a");
    EXPECT_EQ(result.code, 0);
}

TEST_F(XmlRead, FirstTagIsLookedUpAmongTheTopElements)
{
    XmlNode s = parse("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<settings Width='5'><colors/></settings>", "Settings");
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(s.getName(), "settings");
    EXPECT_FALSE(s.findChild("Colors").isEmpty());
    EXPECT_TRUE(s.getParent().isEmpty() || s.getParent().getName().empty());

    EXPECT_TRUE(parse("<Other><x/></Other>", "Settings").isEmpty());
    EXPECT_EQ(result.code, XmlErrorFirstTagNotFound);
    EXPECT_EQ(result.line, 0);
    EXPECT_EQ(result.column, 0);
    XmlNode inner = parse("<Other><Settings a='1'/></Other>", "Settings");
    EXPECT_EQ(inner.attributeValue("a"), "1");
}

TEST_F(XmlRead, DeclarationsSectionsAndTexts)
{
    XmlNode top = parse("<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e 'x'>]><r><![CDATA[a<b&c]]><PRE> <x> </PRE>"
                        "one<!-- c -->two</r>");
    ASSERT_EQ(result.code, 0);
    ASSERT_EQ(top.childCount(), 2);
    XmlNode decl = top.getChild(0);
    EXPECT_TRUE(decl.isDeclaration());
    EXPECT_EQ(decl.getName(), "xml");
    EXPECT_EQ(decl.attributeValue("version"), "1.0") << "the trailing question mark is not part of the value";
    EXPECT_EQ(decl.attributeCount(), 1);
    EXPECT_EQ(top.getClear(0).text, " r [<!ENTITY e 'x'>");
    XmlNode r = top.findChild("r");
    ASSERT_EQ(r.clearCount(), 2);
    EXPECT_EQ(r.getClear(0).text, "a<b&c");
    EXPECT_STREQ(r.getClear(1).open, "<PRE>");
    EXPECT_EQ(r.getClear(1).text, " <x> ");
    ASSERT_EQ(r.textCount(), 1) << "texts around a comment join";
    EXPECT_EQ(r.getText(0), "onetwo");

    setXmlOptions(XmlEncodingUtf8, true, false, false);
    XmlNode kept = parse("<r> a <!--c--> b </r>");
    EXPECT_EQ(kept.textCount(), 2);
    EXPECT_EQ(kept.getText(0), " a ");
    EXPECT_EQ(kept.clearCount(), 1);
}

TEST_F(XmlRead, FindChildWalksWithAnIndex)
{
    XmlNode r = parse("<r><a n='1'/><b/><A n='2'/></r>");
    int index = 0;
    EXPECT_EQ(r.findChild("a", &index).attributeValue("n"), "1");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(r.findChild("a", &index).attributeValue("n"), "2");
    EXPECT_EQ(index, 3);
    EXPECT_TRUE(r.findChild("a", &index).isEmpty());
    XmlNode none;
    EXPECT_TRUE(none.findChild("a").isEmpty());
    EXPECT_EQ(none.getName(), "");
    EXPECT_EQ(none.childCount(), 0);
    EXPECT_FALSE(none.hasAttribute("x"));
    EXPECT_EQ(none.toText(true), "");
}

TEST_F(XmlRead, FilesWithMarksEncodingsAndUtf16)
{
    testing_support::TempDir tmp;
    EXPECT_TRUE(XmlNode::parseFile(tmp.file("missing.xml"), "", &result).isEmpty());
    EXPECT_EQ(result.code, XmlErrorFileNotFound);
    tmp.write("empty.xml", "");
    XmlNode::parseFile(tmp.file("empty.xml"), "", &result);
    EXPECT_EQ(result.code, XmlErrorNoData);

    tmp.write("bom.xml", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings/>");
    XmlNode top = XmlNode::parseFile(tmp.file("bom.xml"), "", &result);
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(top.childCount(), 2);
    EXPECT_EQ(top.getChild(0).getName(), "xml");

    // UTF-16 little-endian with its mark becomes UTF-8.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("<r v='\xE5'/>")) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    tmp.write("wide.xml", wide);
    XmlNode r = XmlNode::parseFile(tmp.file("wide.xml"), "r", &result);
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(r.attributeValue("v"), "\xC3\xA5");

    // Big-endian without a mark; and into the legacy code page.
    std::string big;
    for (char c : std::string("<r v='\xE5'/>")) {
        big.push_back('\0');
        big.push_back(c);
    }
    tmp.write("big.xml", big);
    EXPECT_EQ(XmlNode::parseFile(tmp.file("big.xml"), "r", &result).attributeValue("v"), "\xC3\xA5");
    setXmlOptions(XmlEncodingLegacy, true, true, true);
    EXPECT_EQ(XmlNode::parseFile(tmp.file("big.xml"), "r", &result).attributeValue("v"), "\xE5");
    setXmlOptions(XmlEncodingUtf8, false, true, true);
    XmlNode::parseFile(tmp.file("big.xml"), "r", &result);
    EXPECT_NE(result.code, 0) << "not guessed: the zero bytes end the text";

    EXPECT_TRUE(XmlNode::parseFile(tmp.path(), "", &result).isEmpty());
    EXPECT_EQ(result.code, XmlErrorFileNotFound) << "a folder";
}

TEST(XmlEncodingGuess, MarksWalksAndDeclarations)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    auto guess = [](const std::string& s, bool honour = true) {
        return guessEncoding(reinterpret_cast<const unsigned char*>(s.data()), s.size(), honour);
    };
    EXPECT_EQ(guess("<a/>"), XmlEncodingUndecided) << "fewer than 25 bytes";
    EXPECT_EQ(guess("\xEF\xBB\xBF<aaaaaaaaaaaaaaaaaaaaaaaaaaaaa/>"), XmlEncodingUtf8);
    EXPECT_EQ(guess("<aaaaaaaaaaaaaaaaaaaaaaaaaaaaa v='\xC3\xA5'/>"), XmlEncodingUtf8);
    EXPECT_EQ(guess("<aaaaaaaaaaaaaaaaaaaaaaaaaaaaa v='\xE5x'/>"), XmlEncodingLegacy);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding = ' ISO-8859-1'?><a/>"), XmlEncodingLegacy);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"Shift-JIS\"?><a/>"), XmlEncodingShiftJis);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"big5\"?><a/>"), XmlEncodingBig5);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"GBK\"?><a/>"), XmlEncodingGbk);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"gb2312\"?><a/>"), XmlEncodingGb2312);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a v='\xE5x'/>"), XmlEncodingUndecided)
        << "declared UTF-8 that is not";
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", false), XmlEncodingUtf8);
    EXPECT_EQ(guess("<?xml version=\"1.0\" encoding ISO-8859-1?><a/>"), XmlEncodingUtf8) << "malformed attribute";
    EXPECT_FALSE(setXmlOptions(0, true, true, true));
    EXPECT_FALSE(setXmlOptions(7, true, true, true));
    EXPECT_EQ(xmlEncoding(), XmlEncodingUtf8);
    EXPECT_STREQ(xmlErrorText(11), "Error: First Tag not found");
    EXPECT_STREQ(xmlErrorText(99), "Unknown");
}

} // namespace
