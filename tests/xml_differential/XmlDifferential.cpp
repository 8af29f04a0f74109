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
#include <variant>

namespace {

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// A tree as one canonical text: <name a=[v]>{text}<child>...</></>, where {text} is every
// text between two elements, each trimmed, joined. Walked without recursion: documents may be
// deep. `Tree` says how to read a node of one parser.
template <typename Tree>
std::string describe(const typename Tree::Node& root)
{
    using Node = typename Tree::Node;
    std::string out;
    std::vector<std::variant<Node, std::string>> pending{root};
    while (!pending.empty()) {
        auto item = std::move(pending.back());
        pending.pop_back();
        if (std::holds_alternative<std::string>(item)) {
            out += std::get<std::string>(item);
            continue;
        }
        const Node node = std::get<Node>(item);
        out += "<" + Tree::name(node);
        Tree::attributes(node, out);
        out += ">";
        std::vector<std::variant<Node, std::string>> contents;
        std::string text;
        Tree::contents(node, [&](const Node* element, const std::string& part) {
            if (!element) {
                text += trim(part);
                return;
            }
            if (!text.empty())
                contents.emplace_back("{" + text + "}");
            text.clear();
            contents.emplace_back(*element);
        });
        if (!text.empty())
            contents.emplace_back("{" + text + "}");
        pending.emplace_back(std::string("</>"));
        for (auto it = contents.rbegin(); it != contents.rend(); ++it)
            pending.push_back(std::move(*it));
    }
    return out;
}

struct Pugi {
    using Node = pugi::xml_node;
    static std::string name(const Node& n) { return n.name(); }
    static void attributes(const Node& n, std::string& out)
    {
        for (const pugi::xml_attribute& a : n.attributes())
            out += " " + std::string(a.name()) + "=[" + a.value() + "]";
    }
    template <typename F>
    static void contents(const Node& n, F&& each)
    {
        for (const pugi::xml_node& c : n.children()) {
            if (c.type() == pugi::node_element)
                each(&c, "");
            else if (c.type() == pugi::node_pcdata)
                each(nullptr, c.value());
        }
    }
};

struct Ours {
    using Node = XmlNode;
    static std::string name(const Node& n) { return n.getName(); }
    static void attributes(const Node& n, std::string& out)
    {
        for (int i = 0; i < n.attributeCount(); ++i)
            out += " " + n.getAttributeName(i) + "=[" + n.getAttributeValue(i).value_or("") + "]";
    }
    template <typename F>
    static void contents(const Node& n, F&& each)
    {
        for (int i = 0; i < n.contentCount(); ++i) {
            int kind, index;
            n.getContent(i, kind, index);
            if (kind == 0) {
                const XmlNode child = n.getChild(index);
                if (!child.isDeclaration())
                    each(&child, "");
            } else if (kind == 2) {
                each(nullptr, n.getText(index));
            }
        }
    }
};

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
    EXPECT_EQ(describe<Ours>(ours), describe<Pugi>(root)) << label;
    return Outcome::Same;
}

std::string generated(std::mt19937& random, int depth)
{
    static const char* names[] = {"a", "Settings", "b-c", "d.e", "f_g", "\xC3\xA5ngstr\xC3\xB6m", "ns:x", "\xE6\x97\xA5\xE6\x9C\xAC"};
    static const char* texts[] = {"plain", "a &amp; b", "&lt;tag&gt;", "&#65;&#x42;", "q &quot;x&quot; &apos;y&apos;",
                                  "\xE2\x82\xAC 5", "  spaced  ", "&#233;&#xFF;&#160;", "x&#9;tab&#10;y", "]]&gt; > ="};
    const int nameCount = sizeof names / sizeof *names, textCount = sizeof texts / sizeof *texts;
    const std::string name = names[random() % nameCount];
    std::string out = "<" + name;
    for (int i = 0, n = static_cast<int>(random() % 4); i < n; ++i) {
        const std::string quote = random() % 2 ? "\"" : "'";
        out += (random() % 2 ? " " : "\n\t ") + std::string("at") + std::to_string(i) + (random() % 3 ? "=" : " = ") +
               quote + texts[random() % textCount] + quote;
    }
    if (depth > 6 || random() % 5 == 0)
        return out + (random() % 2 ? "/>" : " />");
    out += ">";
    for (int i = 0, n = static_cast<int>(random() % 7); i < n; ++i) {
        switch (random() % 6) {
        case 0: out += texts[random() % textCount]; break;
        case 1: out += "<![CDATA[raw <x> & y]]>"; break;
        case 2: out += "<!-- note -- - -->"; break;
        case 3: out += "<?pi some data?>"; break;
        default: out += generated(random, depth + 1); break;
        }
    }
    return out + "</" + name + (random() % 4 ? ">" : " >");
}

TEST(XmlDifferential, GeneratedDocuments)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    std::mt19937 random(42);
    int same = 0;
    for (int i = 0; i < 500; ++i) {
        std::string doc;
        switch (i % 4) {
        case 0: doc = "<?xml version=\"1.0\"?>\n"; break;
        case 1: doc = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!-- head -->\n"; break;
        case 2: doc = "<!DOCTYPE r SYSTEM \"r.dtd\">\n"; break;
        default: break;
        }
        doc += generated(random, 0) + "\n";
        if (compare(doc, "generated " + std::to_string(i) + ": " + doc) == Outcome::Same)
            ++same;
    }
    EXPECT_EQ(same, 500);
}

TEST(XmlDifferential, FilesThatDebianInstalls)
{
    setXmlOptions(XmlEncodingUtf8, true, true, true);
    int same = 0, skipped = 0;
    for (const char* folder : {"/usr/share/mime", "/usr/share/fontconfig", "/etc/fonts", "/usr/share/xml",
                               "/usr/share/dbus-1", "/usr/share/glib-2.0", "/usr/share/appdata",
                               "/usr/share/metainfo", "/usr/share/polkit-1"}) {
        std::error_code error;
        if (!std::filesystem::exists(folder, error))
            continue;
        for (auto it = std::filesystem::recursive_directory_iterator(
                 folder, std::filesystem::directory_options::skip_permission_denied, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (error)
                break;
            const auto& path = it->path();
            const auto extension = path.extension();
            if (!it->is_regular_file(error) ||
                (extension != ".xml" && extension != ".conf" && extension != ".policy" && extension != ".service"))
                continue;
            std::ifstream in(path, std::ios::binary);
            std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (doc.size() > 8 << 20 || doc.find('\0') != std::string::npos || doc.find('<') == std::string::npos)
                continue;
            if (doc.rfind("\xEF\xBB\xBF", 0) == 0)
                doc.erase(0, 3);
            if (compare(doc, path.string()) == Outcome::Same)
                ++same;
            else if (++skipped <= 10)
                std::cout << "skipped (refused by pugixml, or an entity or reference we refuse): " << path << "\n";
        }
    }
    std::cout << "compared " << same << " installed files, skipped " << skipped << "\n";
    if (same == 0)
        GTEST_SKIP() << "no XML files installed here";
    EXPECT_GT(same, skipped);
}

} // namespace
