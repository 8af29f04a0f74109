// Hostile input: whatever bytes arrive, the reader ends in one of its codes.
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const char* const seeds[] = {
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings FontSize=\"14\" CustomName=\"=QX/\">\n"
    "\t<Colors BackgroundColor=\"7A89AA\"/>\n\t<Display Head=\"1\"/>\n</Settings>\n",
    "<!DOCTYPE x [<!ENTITY a 'b'>]><r a='&amp;&#65;&#x42;'><![CDATA[<>]]><!-- c --><PRE>p</PRE>t&lt;</r>",
    "<a><b c=d e><f/></b></a>",
};

void expectCode(const std::string& input)
{
    for (int encoding = XmlEncodingUtf8; encoding <= XmlEncodingGbk; ++encoding) {
        setXmlOptions(encoding, true, encoding % 2 == 1, encoding % 3 != 0);
        XmlResult result;
        XmlNode node = XmlNode::parseText(input.c_str(), encoding == 1 ? "Settings" : "", &result);
        ASSERT_GE(result.code, 0);
        ASSERT_LE(result.code, 16);
        (void)node.toText(true);
        (void)node.toText(false);
    }
    setXmlOptions(XmlEncodingUtf8, true, true, true);
}

TEST(XmlRobustness, MutatedDocumentsEndInACode)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "<>/?!=\"'&;#x[]-CDATA \t\n\xC3\xE5\x81\xFF";
    for (const char* seed : seeds) {
        const std::string original(seed);
        for (int round = 0; round < 600; ++round) {
            std::string s = original;
            const int edits = 1 + static_cast<int>(random() % 8);
            for (int e = 0; e < edits && !s.empty(); ++e) {
                const std::size_t at = random() % s.size();
                switch (random() % 4) {
                case 0: s[at] = alphabet[random() % alphabet.size()]; break;
                case 1: s.erase(at, 1 + random() % 5); break;
                case 2: s.insert(at, 1, alphabet[random() % alphabet.size()]); break;
                default: s.resize(at); break; // cut short anywhere
                }
            }
            expectCode(s);
        }
        for (std::size_t cut = 0; cut <= original.size(); ++cut)
            expectCode(original.substr(0, cut));
    }
}

TEST(XmlRobustness, RandomBytes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::string s(1 + random() % 300, '\0');
        for (char& c : s)
            c = static_cast<char>(1 + random() % 255);
        expectCode(s);
    }
}

TEST(XmlRobustness, DeepAndWideTreesNeitherOverflowNorCrawl)
{
    std::string deep;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
        deep += "<d>";
    XmlResult result;
    {
        XmlNode node = XmlNode::parseText(deep.c_str(), "", &result);
        EXPECT_EQ(result.code, XmlWarningUnmatchedEndTag);
        // Formatted, such a tree would be quadratic in tabs; on one line it is linear.
        const std::string text = node.toText(false);
        EXPECT_EQ(text.size(), static_cast<std::size_t>(depth - 1) * 7 + 4);
    } // freeing a deep tree must not recurse either

    std::string wide = "<r>";
    for (int i = 0; i < 100000; ++i)
        wide += "<c v='1'/>text";
    wide += "</r>";
    XmlNode r = XmlNode::parseText(wide.c_str(), "r", &result);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(r.childCount(), 100000);
    EXPECT_EQ(r.textCount(), 100000);
}

TEST(XmlRobustness, CutMultiByteCharactersNeverReadPastTheEnd)
{
    for (int encoding = XmlEncodingUtf8; encoding <= XmlEncodingGbk; ++encoding) {
        setXmlOptions(encoding, true, true, true);
        for (const char* s : {"<a v='\xF0", "<a>\xE0", "<\x81", "<a \xFE", "<a>&amp\xC3"}) {
            XmlResult result;
            XmlNode::parseText(s, "", &result);
            EXPECT_NE(result.code, XmlNoError);
        }
    }
    setXmlOptions(XmlEncodingUtf8, true, true, true);
}

} // namespace
