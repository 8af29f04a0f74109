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
#include <vector>

namespace {

struct ClearMark {
    const char* open;
    const char* close;
};
// In the order they are tested.
const ClearMark clearMarks[] = {
    {"<![CDATA[", "]]>"},
    {"<!DOCTYPE", ">"},
    {"<!--", "-->"},
    {"<PRE>", "</PRE>"},
};
constexpr int doctypeMark = 1;

bool isSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

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
    explicit XmlParser(const unsigned char* text) : text(text) {}

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

    std::size_t step(std::size_t at) const;
    Token next();
    TagEnd parseStartTag(XmlNodeData* node, bool declaration);
    bool decode(std::size_t begin, std::size_t end, std::string& out);
    bool readClear(int mark, XmlNodeData* node);
    void addText(XmlNodeData* node, std::string value);
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
    std::size_t pos = 0;
    int code = XmlNoError;
    std::size_t stop = 0;
};

std::size_t XmlParser::step(std::size_t at) const
{
    const int length = xmlCharLength(text[at]);
    for (int k = 1; k < length; ++k)
        if (text[at + static_cast<std::size_t>(k)] == 0)
            return at + static_cast<std::size_t>(k);
    return at + static_cast<std::size_t>(length);
}

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
        for (int m = 0; m < 4; ++m) {
            const std::size_t n = std::strlen(clearMarks[m].open);
            if (std::strncmp(reinterpret_cast<const char*>(text + pos), clearMarks[m].open, n) == 0) {
                t.kind = ClearOpen;
                t.mark = m;
                pos += n;
                return t;
            }
        }
        if (text[pos + 1] == '/') {
            t.kind = LessSlash;
            pos += 2;
        } else if (text[pos + 1] == '?') {
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
        while (text[j] && text[j] != c && text[j] != '<')
            j = step(j);
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
    while (text[j] && !isSpace(text[j]) && text[j] != '<' && text[j] != '>' && text[j] != '=' &&
           !(text[j] == '/' && text[j + 1] == '>'))
        j = step(j);
    t.kind = Text;
    t.end = j;
    pos = j;
    return t;
}

bool XmlParser::decode(std::size_t begin, std::size_t end, std::string& out)
{
    static const struct {
        const char* name;
        char character;
    } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    out.clear();
    out.reserve(end - begin);
    std::size_t i = begin;
    while (i < end) {
        if (text[i] != '&') {
            const std::size_t n = step(i);
            out.append(reinterpret_cast<const char*>(text + i), (n < end ? n : end) - i);
            i = n;
            continue;
        }
        bool known = false;
        for (const auto& e : entities) {
            const std::size_t n = std::strlen(e.name);
            if (i + n <= end) {
                bool same = true;
                for (std::size_t k = 0; k < n && same; ++k)
                    same = std::tolower(text[i + k]) == e.name[k];
                if (same) {
                    out.push_back(e.character);
                    i += n;
                    known = true;
                    break;
                }
            }
        }
        if (known)
            continue;
        if (i + 1 < end && text[i + 1] == '#') {
            std::size_t j = i + 2;
            const bool hex = j < end && (text[j] == 'x' || text[j] == 'X');
            if (hex)
                ++j;
            unsigned long value = 0;
            std::size_t digits = 0;
            while (j < end && (hex ? std::isxdigit(text[j]) : std::isdigit(text[j]))) {
                const int d = std::isdigit(text[j]) ? text[j] - '0' : std::tolower(text[j]) - 'a' + 10;
                if (value <= 0xFFFF)
                    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
                ++digits;
                ++j;
            }
            if (digits > 0 && j < end && text[j] == ';') {
                if (value > 255) {
                    fail(XmlErrorCharCodeAbove255, i);
                    return false;
                }
                out.push_back(static_cast<char>(value));
                i = j + 1;
                continue;
            }
        }
        fail(XmlErrorUnknownEntity, i);
        return false;
    }
    return true;
}

bool XmlParser::readClear(int mark, XmlNodeData* node)
{
    const char* close = clearMarks[mark].close;
    const char* from = reinterpret_cast<const char*>(text + pos);
    if (mark == doctypeMark) {
        const char* greater = std::strchr(from, '>');
        const char* less = std::strchr(from, '<');
        if (less && (!greater || less < greater))
            close = "]>";
    }
    const char* found = std::strstr(from, close);
    if (!found) {
        fail(XmlErrorUnmatchedClearTag, pos - std::strlen(clearMarks[mark].open));
        return false;
    }
    const std::size_t length = static_cast<std::size_t>(found - from);
    const int index = node->insertOrder(XmlNodeData::ClearKind, -1);
    node->clears.insert(node->clears.begin() + index,
                        XmlClear{std::string(from, length), clearMarks[mark].open, close});
    pos += length + std::strlen(close);
    return true;
}

void XmlParser::addText(XmlNodeData* node, std::string value)
{
    const std::size_t n = node->order.size();
    if (xmlRemoveCommentsInText() && n >= 2 && (node->order[n - 1] & 3) == XmlNodeData::ClearKind &&
        (node->order[n - 2] & 3) == XmlNodeData::TextKind &&
        std::strcmp(node->clears.back().open, "<!--") == 0) {
        // A comment between two texts: the texts join and the comment goes.
        node->texts[static_cast<std::size_t>(node->order[n - 2] >> 2)] += value;
        node->clears.pop_back();
        node->order.pop_back();
        return;
    }
    const int index = node->insertOrder(XmlNodeData::TextKind, -1);
    node->texts.insert(node->texts.begin() + index, std::move(value));
}

XmlParser::TagEnd XmlParser::parseStartTag(XmlNodeData* node, bool declaration)
{
    auto stripQuestionMark = [&]() {
        if (!declaration)
            return;
        if (node->attributes.empty()) {
            if (!node->name.empty() && node->name.back() == '?')
                node->name.pop_back();
            return;
        }
        XmlAttribute& last = node->attributes.back();
        if (last.value) {
            if (!last.value->empty() && last.value->back() == '?')
                last.value->pop_back();
        } else if (!last.name.empty() && last.name.back() == '?') {
            last.name.pop_back();
            if (last.name.empty())
                node->attributes.pop_back();
        }
    };
    for (;;) {
        Token t = next();
        switch (t.kind) {
        case Text: {
            XmlAttribute attribute;
            attribute.name.assign(reinterpret_cast<const char*>(text + t.begin), t.end - t.begin);
            const std::size_t back = pos;
            Token after = next();
            if (after.kind == Equals) {
                Token value = next();
                if (value.kind != Text && value.kind != Quoted) {
                    fail(XmlErrorUnexpectedToken, value.start);
                    return TagFailed;
                }
                std::string decoded;
                if (!decode(value.begin, value.end, decoded))
                    return TagFailed;
                attribute.value = std::move(decoded);
            } else {
                pos = back; // a name without a value: the next token is read again
            }
            node->attributes.push_back(std::move(attribute));
            break;
        }
        case Greater:
            stripQuestionMark();
            return declaration ? TagClosed : TagOpen;
        case SlashGreater:
            stripQuestionMark();
            return TagClosed;
        default:
            fail(XmlErrorUnexpectedToken, t.start);
            return TagFailed;
        }
    }
}

int XmlParser::parse(XmlNodeData* top)
{
    std::vector<XmlNodeData*> open{top};
    while (!failed()) {
        XmlNodeData* current = open.back();
        // Text up to the next markup.
        std::size_t j = pos;
        while (text[j] && text[j] != '<')
            j = step(j);
        if (j > pos) {
            std::size_t begin = pos, end = j;
            if (xmlDropWhiteSpace()) {
                while (begin < end && isSpace(text[begin]))
                    ++begin;
                while (end > begin && isSpace(text[end - 1]))
                    --end;
            }
            if (end > begin) {
                std::string value;
                if (!decode(begin, end, value))
                    break;
                addText(current, std::move(value));
            }
            pos = j;
        }
        Token t = next();
        if (t.kind == End) {
            if (open.size() > 1)
                warn(t.start);
            break;
        }
        if (t.kind == ClearOpen) {
            readClear(t.mark, current);
            continue;
        }
        if (t.kind == Less || t.kind == LessQuestion) {
            Token name = next();
            if (name.kind != Text) {
                fail(XmlErrorMissingStartTagName, name.start);
                break;
            }
            XmlNodeData* element = new XmlNodeData;
            element->name.assign(reinterpret_cast<const char*>(text + name.begin), name.end - name.begin);
            element->isDeclaration = t.kind == LessQuestion;
            element->parent = current;
            const int index = current->insertOrder(XmlNodeData::ChildKind, -1);
            current->children.insert(current->children.begin() + index, XmlNodeData::adopt(element));
            const TagEnd how = parseStartTag(element, element->isDeclaration);
            if (how == TagOpen)
                open.push_back(element);
            else
                element->shrink();
            continue;
        }
        if (t.kind == LessSlash) {
            Token name = next();
            if (name.kind != Text) {
                fail(XmlErrorMissingEndTagName, name.start);
                break;
            }
            const std::string closing(reinterpret_cast<const char*>(text + name.begin), name.end - name.begin);
            // The rest of the end tag, up to its '>'.
            for (;;) {
                Token rest = next();
                if (rest.kind == Greater || rest.kind == End)
                    break;
            }
            std::size_t match = open.size();
            for (std::size_t k = open.size(); k-- > 1;) {
                if (open[k]->name == closing) {
                    match = k;
                    break;
                }
            }
            if (match == open.size()) {
                fail(XmlErrorUnmatchedEndTag, t.start);
                break;
            }
            if (match != open.size() - 1)
                warn(t.start); // the elements inside end as if their end tags had been there
            while (open.size() > match) {
                open.back()->shrink();
                open.pop_back();
            }
            continue;
        }
        // '>', '=', '/>' or a quoted text between elements: ordinary text.
        std::string value(reinterpret_cast<const char*>(text + t.start), pos - t.start);
        addText(current, std::move(value));
    }
    for (XmlNodeData* node : open)
        node->shrink();
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
    XmlNode node = top;
    if (code <= XmlWarningNoTagFound) {
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
    } else {
        node = XmlNode();
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
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    if (bytes.empty()) {
        r.code = XmlErrorNoData;
        return XmlNode();
    }
    const std::size_t size = bytes.size();
    bytes.insert(bytes.end(), 4, 0);
    if (xmlGuessUtf16() && os::looksLikeUtf16(bytes.data(), size)) {
        std::string converted;
        if (!os::utf16BytesToNarrow(bytes.data(), size, xmlEncoding() == XmlEncodingUtf8, converted)) {
            r.code = XmlErrorCharConversion;
            return XmlNode();
        }
        return parseText(converted.c_str(), firstTag, &r);
    }
    std::size_t start = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        start = 3;
    return parseText(reinterpret_cast<const char*>(bytes.data() + start), firstTag, &r);
}

XmlNode XmlNode::openFileOrExit(const std::string& path, const std::string& firstTag)
{
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char head[200];
        const std::size_t n = std::fread(head, 1, sizeof head, file);
        std::fclose(file);
        const int encoding = guessEncoding(head, n, true);
        setXmlOptions(encoding, xmlGuessUtf16(), xmlDropWhiteSpace(), xmlRemoveCommentsInText());
    }
    XmlResult result;
    XmlNode node = parseFile(path, firstTag, &result);
    if (result.code == XmlNoError)
        return node;
    const bool firstTagMissing = result.code == XmlErrorFirstTagNotFound;
    std::string message = "XML Parsing error inside file '" + path + "'.\n" + xmlErrorText(result.code) +
                          "\nAt line " + std::to_string(result.line) + ", column " + std::to_string(result.column) +
                          ".\n";
    if (firstTagMissing)
        message += "First Tag should be '" + firstTag + "'.\n";
    os::messageBox(message, "XML Parsing error", os::MessageBoxIconError | os::MessageBoxTopmost);
    std::exit(255);
}
