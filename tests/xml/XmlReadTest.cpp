// Reading: each case is a text (or a file of those bytes) under some options, and the tree it
// reads to, written on one line, or the code it ends with.
#include "tests/support/TempDir.h"
#include "tests/xml/fuzz/XmlFuzzCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

// Options: the encoding, plus Keep to keep white space and comments between texts, NoUtf16
// to not guess UTF-16, Tag to look for the first tag "Settings", File to read from a file (or
// from a folder, or a file that does not exist).
enum { Utf8 = 1, Legacy = 2, Sjis = 3, Keep = 8, NoUtf16 = 16, Tag = 32, File = 64, Folder = 128, Missing = 256 };

static void useOptions(int options)
{
    setXmlOptions(options & 7, !(options & NoUtf16), !(options & Keep), !(options & Keep));
}

// UTF-16 bytes of an 8-bit text, little-endian with its mark or big-endian without.
static std::string utf16(const std::string& s, bool little)
{
    std::string out = little ? "\xFF\xFE" : "";
    for (char c : s)
        out += little ? std::string { c, '\0' } : std::string { '\0', c };
    return out;
}

TEST(XmlRead, TextsAndFilesReadToTheirTreesOrCodes)
{
    const std::string latin = "<r v='\xE5'/>";
    // A tree deeper than any stack: read, written and freed without recursion.
    std::string opens, closes;
    for (int i = 0; i < 199999; ++i)
        opens += "<d>", closes += "</d>";
    // Options, text, and "#code tree" when reading fails or warns ("#code@line:column" with the position).
    const std::tuple<int, std::string, std::string> cases[] = {
        { Utf8, "<a x='1' y=\"2\" z w=3/>", "<a x=\"1\" y=\"2\" z w=\"3\"/>" },
        { Utf8, "<a v='&#65;&#x41;&AMP;&lt;&quot;&apos;&gt;'>x &amp; y</a>",
            "<a v=\"AA&amp;&lt;&quot;&apos;&gt;\">x &amp; y</a>" },
        { Utf8, "<a v='&#233;&#xFF;'/>", "<a v=\"\xC3\xA9\xC3\xBF\"/>" },
        { Legacy, "<a v='&#233;&#xFF;'/>", "<a v=\"\xE9\xFF\"/>" },
        // In Shift-JIS 0x81 starts a two-byte character: the ']' or '<' after it is part of it.
        { Sjis, "<a><![CDATA[\x81]]>x]]>\x81<</a>", "<a><![CDATA[\x81]]>x]]>\x81<</a>" },
        { Utf8, "<a><![CDATA[\x81]]>x]]></a>", "<a><![CDATA[\x81]]>x]]&gt;</a>" },
        { Utf8, "<!DOCTYPE r [<!ENTITY e 'x'>]><r><![CDATA[a<b&c]]><PRE> <x> </PRE>one<!-- c -->two</r>",
            "<!DOCTYPE r [<!ENTITY e 'x'>]><r><![CDATA[a<b&c]]><PRE> <x> </PRE>onetwo</r>" },
        { Utf8 | Keep, "<r> a <!--c--> b </r>", "<r> a <!--c--> b </r>" },
        { Utf8, "<a><b></b <c/></a>", "<a><b/><c/></a>" }, // end tags cut off before their '>'
        { Utf8 | Tag, "<?xml version=\"1.0\"?>\n<settings><colors/></settings>", "<settings><colors/></settings>" },
        { Utf8 | Tag, "<Other><Settings a='1'/></Other>", "<Settings a=\"1\"/>" },
        { Utf8 | Tag, "<Other><x/></Other>", "#11@0:0" },
        { Utf8, "<a>&#99999999999999999999;</a>", "#13" },
        { Utf8, "<a>&foo;</a>", "#12" },
        { Utf8, "<a v='&#65'/>", "#12" },
        { Utf8, "<A></a>", "#6" },
        { Utf8, "<\xC3\xA5></b>", "#6@1:4" }, // a character counts once
        { Utf8, "<a>\n  <!-- x", "#7@2:3" },
        { Utf8, "<>", "#4" },
        { Utf8, "<?\?>", "#4" },
        { Utf8, "<a b='1'", "#8@1:9" },
        { Utf8, "<a b='1' 'q'>", "#8" },
        { Utf8, "<a></>", "#5" },
        { Utf8, "just text", "#2 just text" },
        { Utf8, "<a><b></a>", "#1 <a><b/></a>" },
        { Utf8, "<a><b>", "#1 <a><b/></a>" },
        { Utf8, opens + "<d>", "#1 " + opens + "<d/>" + closes },
        { Utf8 | File, "", "#3" },
        { Utf8 | File, "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<r/>", "<?xml version=\"1.0\"?><r/>" },
        { Utf8 | File, utf16(latin, true), "<r v=\"\xC3\xA5\"/>" },
        { Utf8 | File, utf16(latin, false), "<r v=\"\xC3\xA5\"/>" },
        { Legacy | File, utf16(latin, false), "<r v=\"\xE5\"/>" },
        { Utf8 | NoUtf16 | File, utf16(latin, false), "#2" }, // the zero bytes end the text
        { Utf8 | File | Folder, "", "#10" },
        { Utf8 | File | Missing, "", "#10" },
    };
    testing_support::TempDir tmp;
    for (const auto& [options, text, expected] : cases) {
        useOptions(options);
        tmp.write("f.xml", text);
        XmlResult result;
        const std::string tag = options & Tag ? "Settings" : "";
        const std::string path = options & Folder ? tmp.path() : tmp.file(options & Missing ? "none" : "f.xml");
        const XmlNode node
            = options & File ? XmlNode::parseFile(path, tag, &result) : XmlNode::parseText(text.c_str(), tag, &result);
        std::string got = result.code ? "#" + std::to_string(result.code) : "";
        if (expected.find('@') != std::string::npos)
            got += "@" + std::to_string(result.line) + ":" + std::to_string(result.column);
        got += (got.empty() || node.toText(false).empty() ? "" : " ") + node.toText(false);
        EXPECT_EQ(got, expected) << text.substr(0, 100);
    }
    XmlResult result;
    EXPECT_TRUE(XmlNode::parseText(nullptr, "", &result).isEmpty() && result.code == XmlErrorNoElements);
}

TEST(XmlRead, EncodingGuess)
{
    const std::pair<std::string, int> cases[] = {
        { "<a/>", XmlEncodingUndecided }, // too short to tell
        { "\xEF\xBB\xBF<aaaaaaaaaaaaaaaaaaaaaaaaaaaaa/>", XmlEncodingUtf8 },
        { "<aaaaaaaaaaaaaaaaaaaaaaaaaaaaa v='\xE5x'/>", XmlEncodingLegacy },
        { "<?xml version=\"1.0\" encoding = ' ISO-8859-1'?><a/>", XmlEncodingLegacy },
        { "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?><a/>", XmlEncodingShiftJis },
        { "<?xml version=\"1.0\" encoding=\"GBK\"?><a/>", XmlEncodingGbk },
        { "<?xml version=\"1.0\" encoding=\"big5\"?><a/>", XmlEncodingBig5 },
        { "<?xml version=\"1.0\" encoding=\"gb2312\"?><a/>", XmlEncodingGb2312 },
        { "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a v='\xE5x'/>", XmlEncodingUndecided }, // not UTF-8
        { "<?xml version=\"1.0\" encoding ISO-8859-1?><a/>", XmlEncodingUtf8 }, // malformed: the walk decides
        { utf16("<aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/>", true), XmlEncodingUndecided },
    };
    useOptions(Utf8);
    for (const auto& [t, expected] : cases)
        EXPECT_EQ(guessEncoding(reinterpret_cast<const unsigned char*>(t.data()), t.size(), true), expected) << t;
    EXPECT_TRUE(!setXmlOptions(7, true, true, true) && xmlEncoding() == XmlEncodingUtf8) << "refused, unchanged";
}

// The fuzz target's seed corpus and every input it ever found wrong, checked with its own rules
// in the ordinary test run (and so under the sanitizers and on Windows too).
TEST(XmlRead, FuzzSeedsAndRegressions)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(HOLMIK_SOURCE_DIR "/tests/xml/fuzz")) {
        if (entry.is_directory() || entry.path().extension() == ".cpp" || entry.path().extension() == ".h")
            continue;
        const std::string bytes = testing_support::readFile(entry.path().string());
        EXPECT_EQ(xml_fuzz::check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
            << entry.path();
        ++count;
    }
    EXPECT_GT(count, 20) << "the seeds and the regressions";
    useOptions(Utf8);
}
