// Reading: the tokenizer, the element parser (iterative, so that no input can exhaust the
// stack), entity decoding, and the file and text entry points.
#include "xml/XmlNode.h"

#include "os/MessageBox.h"
#include "os/TextConversion.h"
#include "xml/XmlNodeData.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

namespace {

struct ClearMark {
    const char* open;
    std::size_t openLength;
    const char* close;
};
// In the order they are tested.
const ClearMark clearMarks[] = {
    {"<![CDATA[", 9, "]]>"},
    {"<!DOCTYPE", 9, ">"},
    {"<!--", 4, "-->"},
    {"<PRE>", 5, "</PRE>"},
};
constexpr int doctypeMark = 1;
constexpr int commentMark = 2;

inline bool isSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool equalNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

class XmlParser {
public:
    explicit XmlParser(const unsigned char* text)
        : text(text), lengths(xmlLengthTable()), dropWhiteSpace(xmlDropWhiteSpace()),
          joinAroundComments(xmlRemoveCommentsInText()), utf8(xmlEncoding() == XmlEncodingUtf8)
    {
        // Bytes at which the scanning loops must look closer: the lead bytes of multi-byte
        // characters, the zero byte, and each loop's own markup characters.
        for (int c = 0; c < 256; ++c) {
            const bool lead = lengths[c] > 1;
            contentStop[c] = lead || c == 0 || c == '<';
            runStop[c] = lead || c == 0 || isSpace(static_cast<unsigned char>(c)) || c == '<' || c == '>' || c == '=' || c == '/';
            quoteStop[c] = lead || c == 0 || c == '<' || c == '"' || c == '\'';
            ampersandStop[c] = lead || c == 0 || c == '&';
        }
    }

    // Parses the whole text below `top`; returns the code, and where it was decided.
    int parse(XmlNodeData* top);
    std::size_t stopPosition() const { return stop; }
    void lineAndColumn(std::size_t position, int& line, int& column) const;

private:
    enum TokenKind { End, ClearOpen, Quoted, SlashGreater, LessSlash, LessQuestion, Less, Equals, Greater, Text };
    struct Token {
        TokenKind kind = End;
        std::size_t start = 0; // the token's first byte
        std::size_t begin = 0; // its text (without quotes)
        std::size_t end = 0;
        int mark = -1;
    };
    enum TagEnd { TagOpen, TagClosed, TagFailed };
    // An element being read: its contents gather here, and move into the node at their exact
    // sizes when it ends. Its node is made when a child element needs it as parent, or else
    // at the end, in one allocation with its arrays. Levels stay allocated for the next
    // element at the same depth.
    struct Level : XmlContents {
        XmlNodeData* node = nullptr;
        std::size_t nameBegin = 0;
        std::size_t nameLength = 0;
    };

    // The index after the character at `at`; a zero byte inside a character ends it there.
    std::size_t step(std::size_t at) const
    {
        const unsigned length = lengths[text[at]];
        if (length == 1)
            return at + 1;
        for (unsigned k = 1; k < length; ++k)
            if (text[at + k] == 0)
                return at + k;
        return at + length;
    }
    const char* chars(std::size_t at) const { return reinterpret_cast<const char*>(text + at); }
    Token next();
    TagEnd parseStartTag(std::size_t nameBegin, std::size_t& nameLength, bool declaration);
    // The entity-decoded text of [begin, end); ok false (and the code set) on a bad entity.
    std::string decode(std::size_t begin, std::size_t end, bool& ok);
    // The first '&' in [i, end), or end.
    std::size_t findAmpersand(std::size_t i, std::size_t end) const;
    bool decodeEntity(std::size_t& i, std::size_t end, std::string& out);
    bool readClear(int mark, Level& level);
    void addText(Level& level, std::string value);
    XmlNodeData* nodeOf(Level& level);
    void attach(Level& level, XmlNodeData* child);
    void closeLevel();
    void fail(int errorCode, std::size_t at)
    {
        code = errorCode;
        stop = at;
    }
    void warn(std::size_t at)
    {
        if (code == XmlNoError) {
            code = XmlWarningUnmatchedEndTag;
            stop = at;
        }
    }
    bool failed() const { return code != XmlNoError && code != XmlWarningUnmatchedEndTag; }

    const unsigned char* text;
    const unsigned char* lengths;
    const bool dropWhiteSpace;
    const bool joinAroundComments;
    const bool utf8;
    std::size_t pos = 0;
    int code = XmlNoError;
    std::size_t stop = 0;
    std::vector<Level> levels;
    std::size_t depth = 0; // levels[0..depth] are open
    XmlContents tag; // the attributes of the start tag being read (and nothing else)
    bool contentStop[256];
    bool runStop[256];
    bool quoteStop[256];
    bool ampersandStop[256];
};

XmlParser::Token XmlParser::next()
{
    while (isSpace(text[pos]))
        ++pos;
    Token t;
    t.start = t.begin = pos;
    const unsigned char c = text[pos];
    if (c == 0)
        return t;
    if (c == '<') {
        const unsigned char c1 = text[pos + 1];
        if (c1 == '!' || c1 == 'P') {
            for (int m = 0; m < 4; ++m) {
                if (std::strncmp(chars(pos), clearMarks[m].open, clearMarks[m].openLength) == 0) {
                    t.kind = ClearOpen;
                    t.mark = m;
                    pos += clearMarks[m].openLength;
                    return t;
                }
            }
        }
        if (c1 == '/') {
            t.kind = LessSlash;
            pos += 2;
        } else if (c1 == '?') {
            t.kind = LessQuestion;
            pos += 2;
        } else {
            t.kind = Less;
            pos += 1;
        }
        return t;
    }
    if (c == '/' && text[pos + 1] == '>') {
        t.kind = SlashGreater;
        pos += 2;
        return t;
    }
    if (c == '=' || c == '>') {
        t.kind = c == '=' ? Equals : Greater;
        pos += 1;
        return t;
    }
    if (c == '"' || c == '\'') {
        std::size_t j = pos + 1;
        for (;;) {
            while (!quoteStop[text[j]])
                ++j;
            const unsigned char d = text[j];
            if (d == 0 || d == c || d == '<')
                break;
            j = d == '"' || d == '\'' ? j + 1 : step(j);
        }
        if (text[j] == c) {
            t.kind = Quoted;
            t.begin = pos + 1;
            t.end = j;
            pos = j + 1;
            return t;
        }
        // No closing quote before markup: the quote is an ordinary character of a text.
    }
    std::size_t j = step(pos);
    for (;;) {
        while (!runStop[text[j]])
            ++j;
        const unsigned char d = text[j];
        if (lengths[d] > 1)
            j = step(j);
        else if (d == '/' && text[j + 1] != '>')
            ++j;
        else
            break;
    }
    t.kind = Text;
    t.end = j;
    pos = j;
    return t;
}

bool XmlParser::decodeEntity(std::size_t& i, std::size_t end, std::string& out)
{
    static const struct {
        const char* name;
        std::size_t length;
        char character;
    } entities[] = {{"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}};
    for (const auto& e : entities) {
        if (i + e.length > end)
            continue;
        std::size_t k = 1;
        while (k < e.length) {
            const unsigned char c = text[i + k];
            if ((c >= 'A' && c <= 'Z' ? c | 0x20 : c) != static_cast<unsigned char>(e.name[k]))
                break;
            ++k;
        }
        if (k == e.length) {
            out.push_back(e.character);
            i += e.length;
            return true;
        }
    }
    if (i + 1 < end && text[i + 1] == '#') {
        std::size_t j = i + 2;
        const bool hex = j < end && (text[j] == 'x' || text[j] == 'X');
        if (hex)
            ++j;
        unsigned long value = 0;
        std::size_t digits = 0;
        while (j < end && (hex ? std::isxdigit(text[j]) : std::isdigit(text[j]))) {
            const int d = std::isdigit(text[j]) ? text[j] - '0' : std::tolower(text[j]) - 'a' + 10;
            if (value <= 0xFFFF) // beyond that it is too big anyway; no overflow
                value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            ++digits;
            ++j;
        }
        if (digits > 0 && j < end && text[j] == ';') {
            if (value > 255) {
                fail(XmlErrorCharCodeAbove255, i);
                return false;
            }
            if (utf8 && value >= 0x80) {
                // The character of that code, written as UTF-8 text is.
                out.push_back(static_cast<char>(0xC0 | (value >> 6)));
                out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
            } else {
                out.push_back(static_cast<char>(value));
            }
            i = j + 1;
            return true;
        }
    }
    fail(XmlErrorUnknownEntity, i);
    return false;
}

std::size_t XmlParser::findAmpersand(std::size_t i, std::size_t end) const
{
    while (i < end) {
        while (i < end && !ampersandStop[text[i]])
            ++i;
        if (i >= end || text[i] == '&' || text[i] == 0)
            break;
        i = step(i);
    }
    return i < end ? i : end;
}

std::string XmlParser::decode(std::size_t begin, std::size_t end, bool& ok)
{
    ok = true;
    std::size_t i = findAmpersand(begin, end);
    if (i >= end)
        return std::string(chars(begin), end - begin);
    std::string out;
    out.reserve(end - begin);
    out.append(chars(begin), i - begin);
    while (i < end) {
        if (text[i] == '&') {
            if (!decodeEntity(i, end, out)) {
                ok = false;
                return out;
            }
            continue;
        }
        // Multi-byte characters are copied whole.
        const std::size_t from = i;
        i = findAmpersand(i, end);
        out.append(chars(from), i - from);
    }
    return out;
}

bool XmlParser::readClear(int mark, Level& level)
{
    const std::size_t from = pos;
    const char* close = clearMarks[mark].close;
    if (mark == doctypeMark) {
        // An internal subset ("<" before the first ">") ends at "]>".
        std::size_t i = from;
        while (text[i] && text[i] != '>' && text[i] != '<')
            i = step(i);
        if (text[i] == '<')
            close = "]>";
    }
    const std::size_t closeLength = std::strlen(close);
    std::size_t i = from;
    while (text[i] && !(text[i] == static_cast<unsigned char>(close[0]) && std::strncmp(chars(i), close, closeLength) == 0))
        i = step(i);
    if (!text[i]) {
        fail(XmlErrorUnmatchedClearTag, from - clearMarks[mark].openLength);
        return false;
    }
    level.order.push_back(static_cast<int>(level.clears.size()) * 4 + XmlNodeData::ClearKind);
    level.clears.push_back(XmlClear{std::string(chars(from), i - from), clearMarks[mark].open, close});
    pos = i + closeLength;
    return true;
}

void XmlParser::addText(Level& level, std::string value)
{
    const std::size_t n = level.order.size();
    if (joinAroundComments && n >= 2 && (level.order[n - 1] & 3) == XmlNodeData::ClearKind &&
        (level.order[n - 2] & 3) == XmlNodeData::TextKind &&
        level.clears.back().open == clearMarks[commentMark].open) {
        // A comment between two texts: the texts join and the comment goes.
        level.texts[static_cast<std::size_t>(level.order[n - 2] >> 2)] += value;
        level.clears.pop_back();
        level.order.pop_back();
        return;
    }
    level.order.push_back(static_cast<int>(level.texts.size()) * 4 + XmlNodeData::TextKind);
    level.texts.push_back(std::move(value));
}

XmlNodeData* XmlParser::nodeOf(Level& level)
{
    if (!level.node) {
        // Only the innermost level can be without its node: the one above it has a child.
        level.node = new XmlNodeData(chars(level.nameBegin), level.nameLength);
        level.node->parent = (&level - 1)->node;
    }
    return level.node;
}

void XmlParser::attach(Level& level, XmlNodeData* child)
{
    child->parent = nodeOf(level);
    level.order.push_back(static_cast<int>(level.children.size()) * 4 + XmlNodeData::ChildKind);
    level.children.push_back(XmlNodeData::adopt(child));
}

void XmlParser::closeLevel()
{
    Level& level = levels[depth];
    if (depth == 0) {
        level.node->adoptArrays(level);
        return;
    }
    XmlNodeData* node = level.node;
    if (node)
        node->adoptArrays(level);
    else
        node = XmlNodeData::createWith(chars(level.nameBegin), level.nameLength, false, level);
    level.node = nullptr;
    --depth;
    attach(levels[depth], node);
}

XmlParser::TagEnd XmlParser::parseStartTag(std::size_t nameBegin, std::size_t& nameLength, bool declaration)
{
    std::vector<XmlAttribute>& attributes = tag.attributes;
    attributes.clear();
    auto finish = [&](TagEnd how) {
        if (declaration && how != TagFailed) {
            // "<?xml version='1.0'?>": the question mark belongs to no name or value.
            if (attributes.empty()) {
                if (nameLength > 0 && text[nameBegin + nameLength - 1] == '?')
                    --nameLength;
                if (nameLength == 0) { // "<??>": no name left
                    fail(XmlErrorMissingStartTagName, nameBegin);
                    how = TagFailed;
                }
            } else if (XmlAttribute& last = attributes.back(); last.value) {
                if (!last.value->empty() && last.value->back() == '?')
                    last.value->pop_back();
            } else if (!last.name.empty() && last.name.back() == '?') {
                last.name.pop_back();
                if (last.name.empty())
                    attributes.pop_back();
            }
        }
        return how;
    };
    for (;;) {
        const Token t = next();
        switch (t.kind) {
        case Text: {
            attributes.push_back(XmlAttribute{std::string(chars(t.begin), t.end - t.begin), std::nullopt});
            const std::size_t back = pos;
            const Token after = next();
            if (after.kind == Equals) {
                const Token value = next();
                if (value.kind != Text && value.kind != Quoted) {
                    fail(XmlErrorUnexpectedToken, value.start);
                    return finish(TagFailed);
                }
                bool ok;
                attributes.back().value.emplace(decode(value.begin, value.end, ok));
                if (!ok)
                    return finish(TagFailed);
            } else {
                pos = back; // a name without a value: the next token is read again
            }
            break;
        }
        case Greater:
            return finish(declaration ? TagClosed : TagOpen);
        case SlashGreater:
            return finish(TagClosed);
        default:
            fail(XmlErrorUnexpectedToken, t.start);
            return finish(TagFailed);
        }
    }
}

int XmlParser::parse(XmlNodeData* top)
{
    levels.emplace_back();
    levels[0].node = top;
    depth = 0;
    while (!failed()) {
        // Text up to the next markup.
        std::size_t j = pos;
        for (;;) {
            while (!contentStop[text[j]])
                ++j;
            if (lengths[text[j]] == 1)
                break; // '<' or the end
            j = step(j);
        }
        if (j > pos) {
            std::size_t begin = pos, end = j;
            if (dropWhiteSpace) {
                while (begin < end && isSpace(text[begin]))
                    ++begin;
                while (end > begin && isSpace(text[end - 1]))
                    --end;
            }
            if (end > begin) {
                bool ok;
                std::string value = decode(begin, end, ok);
                if (!ok)
                    break;
                addText(levels[depth], std::move(value));
            }
            pos = j;
        }
        const Token t = next();
        if (t.kind == End) {
            if (depth > 0)
                warn(t.start); // the open elements end here
            break;
        }
        if (t.kind == ClearOpen) {
            readClear(t.mark, levels[depth]);
            continue;
        }
        if (t.kind == Less || t.kind == LessQuestion) {
            const Token name = next();
            if (name.kind != Text) {
                fail(XmlErrorMissingStartTagName, name.start);
                break;
            }
            const bool declaration = t.kind == LessQuestion;
            std::size_t nameLength = name.end - name.begin;
            if (parseStartTag(name.begin, nameLength, declaration) == TagOpen) {
                nodeOf(levels[depth]); // the parent the new element will need
                ++depth;
                if (levels.size() <= depth)
                    levels.emplace_back();
                Level& level = levels[depth];
                level.nameBegin = name.begin;
                level.nameLength = nameLength;
                std::swap(level.attributes, tag.attributes); // the empty one comes back, with its capacity
            } else {
                attach(levels[depth], XmlNodeData::createWith(chars(name.begin), nameLength, declaration, tag));
            }
            continue;
        }
        if (t.kind == LessSlash) {
            const Token name = next();
            if (name.kind != Text) {
                fail(XmlErrorMissingEndTagName, name.start);
                break;
            }
            const char* closing = chars(name.begin);
            const std::size_t closingLength = name.end - name.begin;
            // The rest of the end tag, up to its '>' (or to the next markup, when it has none).
            for (;;) {
                const std::size_t back = pos;
                const Token rest = next();
                if (rest.kind == Greater || rest.kind == End)
                    break;
                if (rest.kind == Less || rest.kind == LessSlash || rest.kind == LessQuestion || rest.kind == ClearOpen) {
                    pos = back;
                    break;
                }
            }
            std::size_t match = 0;
            for (std::size_t k = depth; k >= 1; --k) {
                const Level& open = levels[k];
                if (open.nameLength == closingLength && std::memcmp(chars(open.nameBegin), closing, closingLength) == 0) {
                    match = k;
                    break;
                }
            }
            if (match == 0) {
                fail(XmlErrorUnmatchedEndTag, t.start);
                break;
            }
            if (match != depth)
                warn(t.start); // the elements inside end as if their end tags had been there
            while (depth >= match)
                closeLevel();
            continue;
        }
        // Unreachable: contents stop only before '<' or at the end of the text.
        fail(XmlErrorUnexpectedToken, t.start);
    }
    for (;;) {
        const bool last = depth == 0;
        closeLevel();
        if (last)
            break;
    }
    return code;
}

void XmlParser::lineAndColumn(std::size_t position, int& line, int& column) const
{
    line = 1;
    column = 1;
    for (std::size_t i = 0; i < position && text[i];) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i = step(i);
    }
}

XmlNode XmlNode::parseText(const char* source, const std::string& firstTag, XmlResult* result)
{
    XmlResult local;
    XmlResult& r = result ? *result : local;
    r = XmlResult{};
    if (!source) {
        r.code = XmlErrorNoElements;
        return XmlNode();
    }
    XmlParser parser(reinterpret_cast<const unsigned char*>(source));
    XmlNode top = XmlNodeData::adopt(new XmlNodeData);
    XmlNodeData* topData = XmlNodeData::of(top);
    int code = parser.parse(topData);
    std::size_t stop = parser.stopPosition();

    const bool usable = code == XmlNoError || code == XmlWarningUnmatchedEndTag;
    if (topData->children.empty() && usable) {
        code = XmlWarningNoTagFound;
        stop = std::strlen(source);
    }
    XmlNode node;
    if (code <= XmlWarningNoTagFound) {
        node = top;
        if (topData->children.size() == 1 && topData->texts.empty() && topData->clears.empty() &&
            topData->attributes.empty()) {
            node = topData->children.front();
            XmlNodeData::of(node)->parent = nullptr;
        }
        if (!firstTag.empty() && !equalNoCase(node.getName(), firstTag)) {
            node = node.findChild(firstTag);
            if (node.isEmpty()) {
                r.code = XmlErrorFirstTagNotFound;
                return XmlNode();
            }
        }
    }
    r.code = code;
    if (code != XmlNoError)
        parser.lineAndColumn(stop, r.line, r.column);
    return node;
}

XmlNode XmlNode::parseFile(const std::string& path, const std::string& firstTag, XmlResult* result)
{
    XmlResult local;
    XmlResult& r = result ? *result : local;
    r = XmlResult{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        r.code = XmlErrorFileNotFound;
        return XmlNode();
    }
    std::string bytes;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        // A hint only: a folder, say, reports a size that nothing can hold.
        const long size = std::ftell(file);
        if (size > 0 && static_cast<unsigned long>(size) < (1ul << 40)) {
            try {
                bytes.reserve(static_cast<std::size_t>(size) + 4);
            } catch (const std::exception&) {
            }
        }
        std::rewind(file);
    }
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    const bool unreadable = std::ferror(file) != 0; // a folder, say
    std::fclose(file);
    if (unreadable) {
        r.code = XmlErrorFileNotFound;
        return XmlNode();
    }
    if (bytes.empty()) {
        r.code = XmlErrorNoData;
        return XmlNode();
    }
    const std::size_t size = bytes.size();
    bytes.append(4, '\0');
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data());
    if (xmlGuessUtf16() && os::looksLikeUtf16(raw, size)) {
        std::string converted;
        if (!os::utf16BytesToNarrow(raw, size, xmlEncoding() == XmlEncodingUtf8, converted)) {
            r.code = XmlErrorCharConversion;
            return XmlNode();
        }
        return parseText(converted.c_str(), firstTag, &r);
    }
    std::size_t start = 0;
    if (size >= 3 && raw[0] == 0xEF && raw[1] == 0xBB && raw[2] == 0xBF)
        start = 3;
    return parseText(bytes.c_str() + start, firstTag, &r);
}

XmlNode XmlNode::openFile(const std::string& path, const std::string& firstTag, XmlResult* result)
{
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char head[200];
        const std::size_t n = std::fread(head, 1, sizeof head, file);
        std::fclose(file);
        // An undecided guess (0) is refused by setXmlOptions and keeps the current encoding.
        setXmlOptions(guessEncoding(head, n, true), xmlGuessUtf16(), xmlDropWhiteSpace(), xmlRemoveCommentsInText());
    }
    return parseFile(path, firstTag, result);
}

XmlNode XmlNode::openFileOrExit(const std::string& path, const std::string& firstTag, const std::string& advice)
{
    XmlResult result;
    XmlNode node = openFile(path, firstTag, &result);
    if (result.code == XmlNoError)
        return node;
    const bool firstTagMissing = result.code == XmlErrorFirstTagNotFound;
    std::string message = "XML Parsing error inside file '" + path + "'.\n" + xmlErrorText(result.code) +
                          "\nAt line " + std::to_string(result.line) + ", column " + std::to_string(result.column) +
                          ".\n";
    if (firstTagMissing)
        message += "First Tag should be '" + firstTag + "'.\n";
    if (!advice.empty())
        message += advice + "\n";
    os::messageBox(message, "XML Parsing error", os::MessageBoxIconError | os::MessageBoxTopmost);
    std::exit(255);
}
