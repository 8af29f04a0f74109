// Hostile input the fuzz target reaches only slowly: very deep or wide trees, and multi-byte
// characters cut at the end of the text.
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
