// Well-formed documents read to the same tree as a well-kept parser (pugixml) reads them:
// element names, attributes and values, and texts with white space dropped.
// Where we differ on purpose, the documents are skipped and counted:
//  - character references above 255 are refused (code 13), and 128..255 give one byte;
//  - entities declared in a DOCTYPE are unknown to us (code 12);
//  - <PRE> sections are verbatim for us, markup for pugixml;
//  - comments are dropped by both, and texts on either side of one join.
#include "xml/XmlNode.h"

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>

namespace {

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string describe(const pugi::xml_node& node)
{
    std::string out = "<" + std::string(node.name());
    for (const pugi::xml_attribute& a : node.attributes())
        out += " " + std::string(a.name()) + "=[" + a.value() + "]";
    out += ">";
    std::string text;
    for (const pugi::xml_node& c : node.children()) {
        if (c.type() == pugi::node_element) {
            if (!text.empty())
                out += "{" + text + "}";
            text.clear();
            out += describe(c);
        } else if (c.type() == pugi::node_pcdata) {
            text += trim(c.value());
        }
    }
    if (!text.empty())
        out += "{" + text + "}";
    return out + "</>";
}

std::string describe(const XmlNode& node)
{
    std::string out = "<" + node.getName();
    for (int i = 0; i < node.attributeCount(); ++i)
        out += " " + node.getAttributeName(i) + "=[" + node.getAttributeValue(i).value_or("") + "]";
    out += ">";
    std::string text;
    for (int i = 0; i < node.contentCount(); ++i) {
        int kind, index;
        node.getContent(i, kind, index);
        if (kind == 0) {
            if (!text.empty())
                out += "{" + text + "}";
            text.clear();
            out += describe(node.getChild(index));
        } else if (kind == 2) {
            text += node.getText(index);
        }
    }
    if (!text.empty())
        out += "{" + text + "}";
    return out + "</>";
}

enum class Outcome { Same, Skipped };

Outcome compare(const std::string& document, const std::string& label)
{
    pugi::xml_document reference;
    if (!reference.load_string(document.c_str(), pugi::parse_default))
        return Outcome::Skipped;
    if (document.find("<PRE>") != std::string::npos)
        return Outcome::Skipped;
    XmlResult result;
    XmlNode top = XmlNode::parseText(document.c_str(), "", &result);
    if (result.code == XmlErrorUnknownEntity || result.code == XmlErrorCharCodeAbove255)
        return Outcome::Skipped;
    EXPECT_EQ(result.code, 0) << label << ": " << xmlErrorText(result.code) << " at " << result.line << ":"
                              << result.column;
    pugi::xml_node root = reference.document_element();
    XmlNode ours = top.getName().empty() ? top.findChild(root.name()) : top;
    EXPECT_EQ(describe(ours), describe(root)) << label;
    return Outcome::Same;
}

std::string generated(std::mt19937& random, int depth)
{
    static const char* names[] = {"a", "Settings", "b-c", "d.e", "f_g", "\xC3\xA5ngstr\xC3\xB6m", "ns:x"};
    static const char* texts[] = {"plain", "a &amp; b", "&lt;tag&gt;", "&#65;&#x42;", "q &quot;x&quot; &apos;y&apos;",
                                  "\xE2\x82\xAC 5", "  spaced  "};
    const std::string name = names[random() % 7];
    std::string out = "<" + name;
    for (int i = 0, n = static_cast<int>(random() % 4); i < n; ++i) {
        const std::string quote = random() % 2 ? "\"" : "'";
        out += " at" + std::to_string(i) + "=" + quote + texts[random() % 7] + quote;
    }
    if (depth > 6 || random() % 5 == 0)
        return out + "/>";
    out += ">";
    for (int i = 0, n = static_cast<int>(random() % 6); i < n; ++i) {
        switch (random() % 4) {
        case 0: out += texts[random() % 7]; break;
        case 1: out += "<![CDATA[raw <x> & y]]>"; break;
        case 2: out += "<!-- note -->"; break;
        default: out += generated(random, depth + 1); break;
        }
    }
    return out + "</" + name + ">";
}

TEST(XmlDifferential, GeneratedDocuments)
{
    std::mt19937 random(42);
    int same = 0;
    for (int i = 0; i < 400; ++i) {
        std::string doc = "<?xml version=\"1.0\"?>\n" + generated(random, 0);
        if (compare(doc, "generated " + std::to_string(i)) == Outcome::Same)
            ++same;
    }
    EXPECT_GT(same, 350);
}

TEST(XmlDifferential, FilesThatDebianInstalls)
{
    int same = 0, skipped = 0;
    for (const char* folder : {"/usr/share/mime", "/usr/share/fontconfig", "/etc/fonts", "/usr/share/xml",
                               "/usr/share/dbus-1", "/usr/share/appdata", "/usr/share/metainfo"}) {
        std::error_code error;
        if (!std::filesystem::exists(folder, error))
            continue;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
             it != std::filesystem::recursive_directory_iterator() && same < 800; it.increment(error)) {
            if (error)
                break;
            const auto& path = it->path();
            if (!it->is_regular_file(error) || (path.extension() != ".xml" && path.extension() != ".conf"))
                continue;
            std::ifstream in(path, std::ios::binary);
            std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (doc.size() > 4 << 20 || doc.find('\0') != std::string::npos)
                continue;
            if (doc.rfind("\xEF\xBB\xBF", 0) == 0)
                doc.erase(0, 3);
            setXmlOptions(XmlEncodingUtf8, true, true, true);
            (compare(doc, path.string()) == Outcome::Same ? same : skipped)++;
        }
    }
    std::cout << "compared " << same << " installed files, skipped " << skipped << "\n";
    if (same == 0)
        GTEST_SKIP() << "no XML files installed here";
    EXPECT_GT(same, skipped);
}

} // namespace
