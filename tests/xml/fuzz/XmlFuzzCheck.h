// What every input must satisfy, shared by the libFuzzer target and the regression test:
// whatever the bytes, reading ends in one of the layer's codes, every query and both ways of
// writing work on the result, and a tree read without error writes out as text that reads
// back to the same tree.
//
// Input: one options byte, then the text. Options (byte XOR '@', so that '@' is the default):
// bits 0-2 pick the encoding (1 + value % 6), bit 3 keeps white space, bit 4 keeps comments
// between texts, bit 5 asks for the first tag "Settings".
#pragma once

#include "os/TextConversion.h"
#include "xml/XmlNode.h"
#include "xml/XmlNodeData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace xml_fuzz {

// Whether writing `s` and reading it back must give `s` again: no zero byte, no white space
// at either end of a text (reading drops it), and no character cut short at its end (its
// missing bytes would be taken from the markup that follows).
inline bool survivesWriting(const std::string& s, bool isText)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] != '\0')
        i += xmlLengthTable()[static_cast<unsigned char>(s[i])];
    const std::string space = " \t\n\r";
    return i == s.size()
        && !(isText && xmlDropWhiteSpace() && !s.empty()
            && (space.find(s.front()) != space.npos || space.find(s.back()) != space.npos));
}

// Names are written as they stand, so some read back as other markup: "<?x" as a
// declaration, "<!--x" or "<PRE>" as a section, "</x" as an end tag, and a name ending in '/'
// before the '>' of a start tag as an empty element. Quotes in names may pair up with others.
inline bool nameSurvivesWriting(const std::string& name)
{
    return survivesWriting(name, false) && name.find_first_of("\"'") == std::string::npos && name != "PRE"
        && (name.empty() || (std::string("?!/").find(name.front()) == std::string::npos && name.back() != '/'));
}

// Walks the whole tree through the public queries (without recursion); false when some part
// of it would not survive writing and reading.
inline bool walk(const XmlNode& root)
{
    bool survives = true;
    std::vector<XmlNode> pending { root };
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        survives &= nameSurvivesWriting(node.getName());
        std::string last = node.getName();
        for (int i = 0; i < node.attributeCount(); ++i) {
            const std::string& name = node.getAttributeName(i);
            const std::optional<std::string>& value = node.getAttributeValue(i);
            survives &= nameSurvivesWriting(name) && (!value || survivesWriting(*value, false));
            (void)node.hasAttribute(name), (void)node.attributeValue(name);
            last = value ? *value : name;
        }
        // In a declaration a last name or value ending in '?' loses it once more when read again.
        survives &= !(node.isDeclaration() && !last.empty() && last.back() == '?');
        for (int i = 0; i < node.textCount(); ++i)
            survives &= survivesWriting(node.getText(i), true);
        for (int i = 0; i < node.childCount(); ++i)
            pending.push_back(node.getChild(i));
    }
    return survives;
}

// Returns "" when all is well, else what went wrong.
inline std::string check(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return "";
    const int options = data[0] ^ '@';
    setXmlOptions(1 + (options & 7) % 6, true, !(options & 8), !(options & 16));
    const std::string tag = options & 32 ? "Settings" : "";
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1), narrow;
    (void)guessEncoding(data + 1, size - 1, true);
    // As a file would be read.
    if (os::looksLikeUtf16(data + 1, size - 1)
        && os::utf16BytesToNarrow(data + 1, size - 1, xmlEncoding() == XmlEncodingUtf8, narrow))
        text = narrow;

    XmlResult result;
    const XmlNode node = XmlNode::parseText(text.c_str(), tag, &result);
    const std::string code = "code " + std::to_string(result.code);
    if (result.code < 0 || result.code > 16)
        return code + " outside the table";
    if ((result.code <= 2) == node.isEmpty())
        return code + (node.isEmpty() ? " with no tree" : " with a tree");
    if (result.code != 0 && result.code != 11 && (result.line < 1 || result.column < 1))
        return "no position for " + code;

    const bool survives = walk(node);
    for (bool formatted : { false, true }) {
        const std::string written = node.toText(formatted), how = formatted ? " (formatted)" : " (one line)";
        XmlResult again;
        const XmlNode back = XmlNode::parseText(written.c_str(), "", &again);
        if (result.code == 0 && tag.empty() && survives && (again.code != 0 || back.toText(formatted) != written))
            return "written text" + how + " reads back as "
                + (again.code ? xmlErrorText(again.code) : back.toText(formatted)) + ": " + written;
    }
    return "";
}

} // namespace xml_fuzz
