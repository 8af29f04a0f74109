// Writing: a tree as text (formatted with tabs and line feeds, or on one line) and as a
// file with its declaration line.
#include "xml/XmlNode.h"

#include "xml/XmlNodeData.h"

#include <cstdio>
#include <vector>

namespace {

void appendEscaped(std::string& out, const std::string& value)
{
    for (std::size_t i = 0; i < value.size();) {
        const char c = value[i];
        switch (c) {
        case '&': out += "&amp;"; ++i; continue;
        case '<': out += "&lt;"; ++i; continue;
        case '>': out += "&gt;"; ++i; continue;
        case '"': out += "&quot;"; ++i; continue;
        case '\'': out += "&apos;"; ++i; continue;
        default: break;
        }
        // Multi-byte characters pass whole.
        std::size_t n = static_cast<std::size_t>(xmlCharLength(static_cast<unsigned char>(c)));
        if (i + n > value.size())
            n = value.size() - i;
        out.append(value, i, n);
        i += n;
    }
}

struct Frame {
    const XmlNodeData* node;
    int depth;        // of the node itself
    int contentDepth; // of its contents
    std::size_t next; // the next entry of its order
    bool closeTag;
};

} // namespace

std::string XmlNode::toText(bool formatted) const
{
    std::string out;
    if (!data)
        return out;
    const bool format = formatted && xmlDropWhiteSpace();
    const char* newline = format ? "\n" : "";
    auto indent = [&](int depth) {
        if (format)
            out.append(static_cast<std::size_t>(depth), '\t');
    };
    std::vector<Frame> stack;
    // Writes a node's start (and, when it has no contents to list, all of it).
    auto begin = [&](const XmlNodeData* node, int depth) {
        if (node->name.empty()) {
            stack.push_back(Frame{node, depth, depth, 0, false});
            return;
        }
        indent(depth);
        out += '<';
        if (node->isDeclaration)
            out += '?';
        out += node->name;
        for (const XmlAttribute& attribute : node->attributes) {
            out += ' ';
            out += attribute.name;
            if (attribute.value) {
                out += "=\"";
                appendEscaped(out, *attribute.value);
                out += '"';
            }
        }
        if (node->isDeclaration) {
            out += "?>";
            out += newline;
        } else if (node->order.empty()) {
            out += "/>";
            out += newline;
        } else if (node->order.size() == 1 && (node->order[0] & 3) == XmlNodeData::TextKind) {
            out += '>';
            appendEscaped(out, node->texts[static_cast<std::size_t>(node->order[0] >> 2)]);
            out += "</";
            out += node->name;
            out += '>';
            out += newline;
        } else {
            out += '>';
            out += newline;
            stack.push_back(Frame{node, depth, depth + 1, 0, true});
        }
    };
    begin(data, 0);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.node->order.size()) {
            if (frame.closeTag) {
                indent(frame.depth);
                out += "</";
                out += frame.node->name;
                out += '>';
                out += newline;
            }
            stack.pop_back();
            continue;
        }
        const int entry = frame.node->order[frame.next++];
        const std::size_t index = static_cast<std::size_t>(entry >> 2);
        const int depth = frame.contentDepth;
        switch (entry & 3) {
        case XmlNodeData::ChildKind:
            begin(XmlNodeData::of(frame.node->children[index]), depth); // may grow the stack
            break;
        case XmlNodeData::TextKind:
            indent(depth);
            appendEscaped(out, frame.node->texts[index]);
            out += newline;
            break;
        default: {
            const XmlClear& clear = frame.node->clears[index];
            indent(depth);
            out += clear.open;
            out += clear.text;
            out += clear.close;
            out += newline;
            break;
        }
        }
    }
    return out;
}

int XmlNode::writeToFile(const std::string& path, const char* encodingName, bool formatted) const
{
    if (!data)
        return XmlNoError;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return XmlErrorCannotOpenWriteFile;
    std::string out;
    const bool declarationFirst =
        data->isDeclaration || (data->name.empty() && !data->children.empty() &&
                                !data->order.empty() && (data->order[0] & 3) == XmlNodeData::ChildKind &&
                                data->children.front().isDeclaration());
    const int encoding = xmlEncoding();
    if (!declarationFirst) {
        if (encoding == XmlEncodingUtf8)
            out = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
        else if (encoding == XmlEncodingShiftJis)
            out = "<?xml version=\"1.0\" encoding=\"SHIFT-JIS\"?>\n";
        else
            out = std::string("<?xml version=\"1.0\" encoding=\"") + (encodingName ? encodingName : "ISO-8859-1") +
                  "\"?>\n";
    } else if (encoding == XmlEncodingUtf8) {
        out = "\xEF\xBB\xBF";
    }
    out += toText(formatted);
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? XmlNoError : XmlErrorCannotWriteFile;
}
