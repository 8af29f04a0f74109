// Writing: a tree as text (formatted with tabs and line feeds, or on one line) and as a
// file with its declaration line. The text is produced in two passes over the tree: the
// first measures it, the second writes it into one allocation.
#include "xml/XmlNode.h"

#include "os/AtomicFile.h"
#include "xml/XmlNodeData.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

namespace {

// The measuring pass.
struct Measure {
    std::size_t size = 0;
    void put(char) { ++size; }
    void put(const char*, std::size_t n) { size += n; }
    void put(const std::string& s) { size += s.size(); }
    void tabs(int n) { size += static_cast<std::size_t>(n); }
};

// The writing pass, into memory of the measured size.
struct Fill {
    char* at;
    void put(char c) { *at++ = c; }
    void put(const char* s, std::size_t n)
    {
        std::memcpy(at, s, n);
        at += n;
    }
    void put(const std::string& s) { put(s.data(), s.size()); }
    void tabs(int n)
    {
        if (n > 16) {
            std::memset(at, '\t', static_cast<std::size_t>(n));
            at += n;
        } else {
            while (n-- > 0)
                *at++ = '\t';
        }
    }
};

// The bytes that escaping looks at: the five characters and the lead bytes of multi-byte
// characters in the current encoding.
struct EscapeTable {
    const unsigned char* lengths;
    bool special[256];
    EscapeTable() : lengths(xmlLengthTable())
    {
        for (int c = 0; c < 256; ++c)
            special[c] = lengths[c] > 1 || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
    }
};

// Each of the five characters becomes its entity; multi-byte characters pass whole.
template <typename Sink>
void putEscaped(Sink& sink, const std::string& value, const EscapeTable& table)
{
    const char* s = value.data();
    const std::size_t size = value.size();
    std::size_t run = 0, i = 0;
    while (i < size) {
        while (i < size && !table.special[static_cast<unsigned char>(s[i])])
            ++i;
        if (i >= size)
            break;
        const char* entity = nullptr;
        std::size_t entityLength = 0;
        switch (s[i]) {
        case '&': entity = "&amp;"; entityLength = 5; break;
        case '<': entity = "&lt;"; entityLength = 4; break;
        case '>': entity = "&gt;"; entityLength = 4; break;
        case '"': entity = "&quot;"; entityLength = 6; break;
        case '\'': entity = "&apos;"; entityLength = 6; break;
        default: {
            const std::size_t n = table.lengths[static_cast<unsigned char>(s[i])];
            i = i + n < size ? i + n : size;
            continue;
        }
        }
        sink.put(s + run, i - run);
        sink.put(entity, entityLength);
        run = ++i;
    }
    sink.put(s + run, size - run);
}

struct Frame {
    const XmlNodeData* node;
    int depth;        // of the node itself
    int contentDepth; // of its contents
    std::size_t next; // the next entry of its order
    bool closeTag;
};

// Walks the tree without recursion, so that a very deep tree cannot exhaust the stack.
template <typename Sink>
void writeTree(const XmlNodeData* root, bool format, Sink& sink, std::vector<Frame>& stack)
{
    const EscapeTable escapes;
    auto indent = [&](int depth) {
        if (format)
            sink.tabs(depth);
    };
    auto newline = [&] {
        if (format)
            sink.put('\n');
    };
    auto endTag = [&](const XmlNodeData* node) {
        sink.put("</", 2);
        sink.put(node->name);
        sink.put('>');
        newline();
    };
    // Writes a node's start (and, when it has no contents to list, all of it).
    auto begin = [&](const XmlNodeData* node, int depth) {
        if (node->name.empty()) {
            stack.push_back(Frame{node, depth, depth, 0, false});
            return;
        }
        indent(depth);
        sink.put('<');
        if (node->isDeclaration)
            sink.put('?');
        sink.put(node->name);
        for (const XmlAttribute& attribute : node->attributes) {
            sink.put(' ');
            sink.put(attribute.name);
            if (attribute.value) {
                sink.put("=\"", 2);
                putEscaped(sink, *attribute.value, escapes);
                sink.put('"');
            }
        }
        if (node->isDeclaration) {
            sink.put("?>", 2);
            newline();
        } else if (node->order.empty()) {
            sink.put("/>", 2);
            newline();
        } else if (node->order.size() == 1 && (node->order[0] & 3) == XmlNodeData::TextKind) {
            sink.put('>');
            putEscaped(sink, node->texts[static_cast<std::size_t>(node->order[0] >> 2)], escapes);
            endTag(node);
        } else {
            sink.put('>');
            newline();
            stack.push_back(Frame{node, depth, depth + 1, 0, true});
        }
    };
    stack.clear();
    begin(root, 0);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.node->order.size()) {
            if (frame.closeTag) {
                indent(frame.depth);
                endTag(frame.node);
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
            putEscaped(sink, frame.node->texts[index], escapes);
            newline();
            break;
        default: {
            const XmlClear& clear = frame.node->clears[index];
            indent(depth);
            sink.put(clear.open, std::strlen(clear.open));
            sink.put(clear.text);
            sink.put(clear.close, std::strlen(clear.close));
            newline();
            break;
        }
        }
    }
}

// The declaration line that a file begins with, or just the byte-order mark.
std::string header(const XmlNodeData* data, const char* encodingName)
{
    const bool declarationFirst =
        data->isDeclaration || (data->name.empty() && !data->children.empty() && data->children.front().isDeclaration());
    const int encoding = xmlEncoding();
    if (declarationFirst)
        return encoding == XmlEncodingUtf8 ? "\xEF\xBB\xBF" : "";
    if (encoding == XmlEncodingUtf8)
        return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    if (encoding == XmlEncodingShiftJis)
        return "<?xml version=\"1.0\" encoding=\"SHIFT-JIS\"?>\n";
    return std::string("<?xml version=\"1.0\" encoding=\"") + (encodingName ? encodingName : "ISO-8859-1") + "\"?>\n";
}

} // namespace

bool xmlToText(const XmlNodeData* data, bool formatted, std::string& out)
{
    out.clear();
    if (!data)
        return true;
    const bool format = formatted && xmlDropWhiteSpace();
    std::vector<Frame> stack;
    Measure measure;
    writeTree(data, format, measure, stack);
    try {
        out.resize(measure.size);
    } catch (const std::exception&) { // a tree too deep to indent in this memory
        return false;
    }
    Fill fill{&out[0]};
    writeTree(data, format, fill, stack);
    return true;
}

std::string XmlNode::toText(bool formatted) const
{
    std::string out;
    xmlToText(data, formatted, out);
    return out;
}

std::string XmlNode::toFileText(const char* encodingName, bool formatted) const
{
    if (!data)
        return {};
    std::string body;
    xmlToText(data, formatted, body);
    return header(data, encodingName) + body;
}

int XmlNode::writeToFile(const std::string& path, const char* encodingName, bool formatted) const
{
    if (!data)
        return XmlNoError;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return XmlErrorCannotOpenWriteFile;
    const std::string head = header(data, encodingName);
    std::string body;
    bool written = xmlToText(data, formatted, body);
    written = written && std::fwrite(head.data(), 1, head.size(), file) == head.size();
    written = written && std::fwrite(body.data(), 1, body.size(), file) == body.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? XmlNoError : XmlErrorCannotWriteFile;
}

int XmlNode::writeToFileSafely(const std::string& path, const char* encodingName, bool formatted) const
{
    if (!data)
        return XmlNoError;
    std::string body;
    if (!xmlToText(data, formatted, body))
        return XmlErrorCannotWriteFile;
    os::AtomicFile file(path);
    if (!file.isOpen())
        return XmlErrorCannotOpenWriteFile;
    return file.write(header(data, encodingName)) && file.write(body) && file.commit() ? XmlNoError
                                                                                        : XmlErrorCannotWriteFile;
}
