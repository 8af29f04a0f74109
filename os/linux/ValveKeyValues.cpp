#include "os/linux/ValveKeyValues.h"

#include <cctype>

namespace os::linux_backend {

namespace {

bool sameAscii(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

class Reader {
public:
    explicit Reader(const std::string& text) : text(text) {}

    enum class Token { End, Open, Close, String, Condition, Bad };

    // The next token; a string's text in `word`.
    Token next(std::string& word)
    {
        skipSpaceAndComments();
        if (pos >= text.size())
            return Token::End;
        const char c = text[pos];
        if (c == '{') {
            ++pos;
            return Token::Open;
        }
        if (c == '}') {
            ++pos;
            return Token::Close;
        }
        if (c == '[') {
            const std::size_t end = text.find(']', pos);
            if (end == std::string::npos)
                return Token::Bad;
            pos = end + 1;
            return Token::Condition;
        }
        word.clear();
        if (c == '"') {
            ++pos;
            while (pos < text.size() && text[pos] != '"') {
                char d = text[pos++];
                if (d == '\\' && pos < text.size()) {
                    const char e = text[pos++];
                    d = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    if (e != 'n' && e != 't' && e != '\\' && e != '"') {
                        word.push_back('\\');
                        d = e;
                    }
                }
                word.push_back(d);
            }
            if (pos >= text.size())
                return Token::Bad;
            ++pos;
            return Token::String;
        }
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])) && text[pos] != '{' &&
               text[pos] != '}' && text[pos] != '"')
            word.push_back(text[pos++]);
        return Token::String;
    }

private:
    void skipSpaceAndComments()
    {
        for (;;) {
            while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
                ++pos;
            if (pos + 1 < text.size() && text[pos] == '/' && text[pos + 1] == '/') {
                const std::size_t end = text.find('\n', pos);
                pos = end == std::string::npos ? text.size() : end + 1;
                continue;
            }
            return;
        }
    }

    const std::string& text;
    std::size_t pos = 0;
};

// Reads key/value pairs until the closing brace (or the end, at depth 0).
bool parseBlock(Reader& reader, KeyValues& block, int depth, int maxDepth)
{
    std::string word;
    for (;;) {
        Reader::Token token = reader.next(word);
        if (token == Reader::Token::End)
            return depth == 0;
        if (token == Reader::Token::Close)
            return depth > 0;
        if (token == Reader::Token::Condition) // the condition of the value before
            continue;
        if (token != Reader::Token::String)
            return false;
        KeyValues item;
        item.name = word;
        token = reader.next(word);
        if (token == Reader::Token::Condition)
            token = reader.next(word);
        if (token == Reader::Token::String) {
            item.value = word;
        } else if (token == Reader::Token::Open) {
            if (depth + 1 > maxDepth)
                return false;
            item.isBlock = true;
            if (!parseBlock(reader, item, depth + 1, maxDepth))
                return false;
        } else {
            return false;
        }
        block.children.push_back(std::move(item));
    }
}

} // namespace

const KeyValues* KeyValues::child(const std::string& childName) const
{
    for (const KeyValues& item : children)
        if (sameAscii(item.name, childName))
            return &item;
    return nullptr;
}

bool parseKeyValues(const std::string& text, KeyValues& root, int maxDepth)
{
    root = KeyValues();
    root.isBlock = true;
    Reader reader(text);
    if (!parseBlock(reader, root, 0, maxDepth)) {
        root = KeyValues();
        return false;
    }
    return true;
}

} // namespace os::linux_backend
