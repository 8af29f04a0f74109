// Well-formed documents read to the same tree as a well-kept parser (pugixml) reads them:
// element names, attributes and values, and texts with white space dropped.
//
// Where we differ on purpose (the reader's own tests show each one):
//  - we are lenient: unquoted values, attributes without a value and end tags that close
//    several elements are read (pugixml refuses such documents);
//  - <PRE> ... </PRE> is a verbatim section for us, markup for pugixml;
//  - character references above 255 are refused (code 13); pugixml writes them as UTF-8;
//  - entities declared in a DOCTYPE are unknown to us (code 12);
//  - processing instructions inside the document are declaration children for us; pugixml
//    drops them by default (the comparison leaves them out);
//  - comments are dropped by both; for us the texts on either side of one join.
#include "xml/XmlNode.h"

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <utility>

static std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    return b == std::string::npos ? "" : s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// A tree as one canonical text: <name a=[v]>{text}<child>...</></>, where {text} is the
// texts between two elements, each trimmed, joined. pugixml's tree is built again as ours.
static std::string describe(const XmlNode& node)
{
    std::string out = "<" + node.getName(), text;
    auto close = [&] { return text.empty() ? "" : "{" + std::exchange(text, "") + "}"; };
    for (int i = 0; i < node.attributeCount(); ++i)
        out += " " + node.getAttributeName(i) + "=[" + node.getAttributeValue(i).value_or("") + "]";
    out += ">";
    for (int i = 0, kind, index; i < node.contentCount(); ++i) {
        node.getContent(i, kind, index);
        if (kind == 2)
            text += trim(node.getText(index));
        else if (kind == 0 && !node.getChild(index).isDeclaration())
            out += close() + describe(node.getChild(index));
    }
    return out + close() + "</>";
}

static XmlNode rebuilt(const pugi::xml_node& node)
{
    XmlNode out = XmlNode::createElement(node.name());
    for (const pugi::xml_attribute& a : node.attributes())
        out.addAttribute(a.name(), std::string(a.value()));
    for (const pugi::xml_node& c : node.children())
        if (c.type() == pugi::node_pcdata)
            out.addText(c.value());
        else if (c.type() == pugi::node_element)
            out.addChild(rebuilt(c));
    return out;
}

// False when the document is outside the comparison (see above).
static bool compare(const std::string& document, const std::string& label)
{
    pugi::xml_document reference;
    if (!reference.load_string(document.c_str()) || document.find("<PRE>") != std::string::npos)
        return false;
    XmlResult result;
    const XmlNode top = XmlNode::parseText(document.c_str(), "", &result);
    if (result.code == XmlErrorUnknownEntity || result.code == XmlErrorCharCodeAbove255)
        return false;
    EXPECT_EQ(result.code, 0) << label << " at " << result.line << ":" << result.column;
    const pugi::xml_node root = reference.document_element();
    EXPECT_EQ(describe(top.getName().empty() ? top.findChild(root.name()) : top), describe(rebuilt(root))) << label;
    return true;
}

static std::string generated(std::mt19937& random, int depth)
{
    static const char* names[]
        = { "a", "Settings", "b-c", "d.e", "f_g", "\xC3\xA5ngstr\xC3\xB6m", "ns:x", "\xE6\x97\xA5\xE6\x9C\xAC" };
    static const char* texts[] = { "plain", "a &amp; b", "&lt;tag&gt;", "&#65;&#x42;", "q &quot;x&quot; &apos;y&apos;",
        "\xE2\x82\xAC 5", "  spaced  ", "&#233;&#xFF;&#160;", "x&#9;tab&#10;y", "]]&gt; > =" };
    static const char* others[] = { "<![CDATA[raw <x> & y]]>", "<!-- note -- - -->", "<?pi some data?>" };
    auto pick = [&](auto& list) { return std::string(list[random() % (sizeof list / sizeof *list)]); };
    const std::string name = pick(names);
    std::string out = "<" + name;
    for (int i = 0, n = static_cast<int>(random() % 4); i < n; ++i) {
        const std::string quote = random() % 2 ? "\"" : "'";
        out += (random() % 2 ? " at" : "\n\t at") + std::to_string(i) + (random() % 3 ? "=" : " = ") + quote
            + pick(texts) + quote;
    }
    if (depth > 6 || random() % 5 == 0)
        return out + (random() % 2 ? "/>" : " />");
    out += ">";
    for (int i = 0, n = static_cast<int>(random() % 7); i < n; ++i)
        out += random() % 2 ? generated(random, depth + 1) : random() % 4 ? pick(texts) : pick(others);
    return out + "</" + name + (random() % 4 ? ">" : " >");
}

TEST(XmlDifferential, GeneratedDocuments)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    std::mt19937 random(42);
    const char* heads[] = { "<?xml version=\"1.0\"?>\n",
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!-- head -->\n",
        "<!DOCTYPE r SYSTEM \"r.dtd\">\n", "" };
    for (int i = 0; i < 500; ++i) {
        const std::string doc = heads[i % 4] + generated(random, 0) + "\n";
        EXPECT_TRUE(compare(doc, "generated " + std::to_string(i) + ": " + doc));
    }
}

TEST(XmlDifferential, FilesThatDebianInstalls)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    int same = 0, skipped = 0;
    for (const char* folder : { "/usr/share/mime", "/usr/share/fontconfig", "/etc/fonts", "/usr/share/xml",
             "/usr/share/dbus-1", "/usr/share/glib-2.0", "/usr/share/metainfo", "/usr/share/polkit-1" }) {
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string extension = it->path().extension().string();
            if (!it->is_regular_file(error) || (extension != ".xml" && extension != ".conf" && extension != ".policy"))
                continue;
            std::ifstream in(it->path(), std::ios::binary);
            const std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (compare(doc.rfind("\xEF\xBB\xBF", 0) == 0 ? doc.substr(3) : doc, it->path().string()))
                ++same;
            else
                ++skipped; // refused by pugixml, or holding an entity or reference we refuse
        }
    }
    std::cout << "compared " << same << " installed files, skipped " << skipped << "\n";
    if (same == 0)
        GTEST_SKIP() << "no XML files installed here";
    EXPECT_GT(same, skipped);
}
