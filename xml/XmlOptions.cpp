// The process-wide encoding and switches, the character length tables, the encoding guess
// and the error texts.
#include "xml/XmlNode.h"

#include "os/TextConversion.h"

#include <cctype>
#include <cstring>

namespace {

int currentEncoding = XmlEncodingUtf8;
bool guessUtf16 = true;
bool dropWhiteSpace = true;
bool removeCommentsInText = true;

int lengthIn(int encoding, unsigned char lead)
{
    switch (encoding) {
    case XmlEncodingUtf8:
        if (lead >= 0xC2 && lead <= 0xDF)
            return 2;
        if (lead >= 0xE0 && lead <= 0xEF)
            return 3;
        if (lead >= 0xF0 && lead <= 0xF4)
            return 4;
        return 1;
    case XmlEncodingShiftJis:
        return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEF) ? 2 : 1;
    case XmlEncodingGb2312:
        return lead >= 0xA1 && lead <= 0xF7 ? 2 : 1;
    case XmlEncodingBig5:
    case XmlEncodingGbk:
        return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
    default:
        return 1;
    }
}

bool startsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        if (!*text || std::tolower(static_cast<unsigned char>(*text)) != std::tolower(static_cast<unsigned char>(*prefix)))
            return false;
    }
    return true;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

bool setXmlOptions(int encoding, bool guess, bool drop, bool removeComments)
{
    if (encoding < XmlEncodingUtf8 || encoding > XmlEncodingGbk)
        return false;
    currentEncoding = encoding;
    guessUtf16 = guess;
    dropWhiteSpace = drop;
    removeCommentsInText = removeComments;
    return true;
}

int xmlEncoding() { return currentEncoding; }
bool xmlGuessUtf16() { return guessUtf16; }
bool xmlDropWhiteSpace() { return dropWhiteSpace; }
bool xmlRemoveCommentsInText() { return removeCommentsInText; }

int xmlCharLength(unsigned char lead) { return lengthIn(currentEncoding, lead); }

int guessEncoding(const unsigned char* bytes, std::size_t count, bool honourEncodingAttribute)
{
    if (!bytes || count < 25)
        return XmlEncodingUndecided;
    if (guessUtf16 && os::looksLikeUtf16(bytes, count))
        return XmlEncodingUndecided;
    if (bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return XmlEncodingUtf8;

    int guess = XmlEncodingUtf8;
    for (std::size_t i = 0; i < count && bytes[i];) {
        const int length = lengthIn(XmlEncodingUtf8, bytes[i]);
        bool broken = false;
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < count; ++k) {
            if ((bytes[i + static_cast<std::size_t>(k)] & 0xC0) != 0x80) {
                broken = true;
                break;
            }
        }
        if (broken) {
            guess = XmlEncodingLegacy;
            break;
        }
        i += static_cast<std::size_t>(length);
    }
    if (!honourEncodingAttribute)
        return guess;

    const std::size_t window = count < 200 ? count : 200;
    std::string head(reinterpret_cast<const char*>(bytes), window);
    head.resize(std::strlen(head.c_str()));
    const std::string::size_type at = head.find("encoding");
    if (at == std::string::npos)
        return guess;
    const char* p = head.c_str() + at + 8;
    while (isSpace(*p))
        ++p;
    if (*p != '=')
        return guess;
    ++p;
    while (isSpace(*p))
        ++p;
    if (*p != '"' && *p != '\'')
        return guess;
    ++p;
    while (isSpace(*p))
        ++p;
    if (startsWithNoCase(p, "utf-8") || startsWithNoCase(p, "utf8"))
        return guess == XmlEncodingUtf8 ? XmlEncodingUtf8 : XmlEncodingUndecided;
    if (startsWithNoCase(p, "shiftjis") || startsWithNoCase(p, "shift-jis") || startsWithNoCase(p, "sjis"))
        return XmlEncodingShiftJis;
    if (startsWithNoCase(p, "GB2312"))
        return XmlEncodingGb2312;
    if (startsWithNoCase(p, "Big5"))
        return XmlEncodingBig5;
    if (startsWithNoCase(p, "GBK"))
        return XmlEncodingGbk;
    return XmlEncodingLegacy;
}

const char* xmlErrorText(int code)
{
    switch (code) {
    case 0: return "No error";
    case 1: return "Warning: Unmatched end tag";
    case 2: return "Warning: No XML tag found";
    case 3: return "Error: No XML data";
    case 4: return "Error: Missing start tag name";
    case 5: return "Error: Missing end tag name";
    case 6: return "Error: Unmatched end tag";
    case 7: return "Error: Unmatched clear tag end";
    case 8: return "Error: Unexpected token found";
    case 9: return "Error: No elements found";
    case 10: return "Error: File not found";
    case 11: return "Error: First Tag not found";
    case 12: return "Error: Unknown character entity";
    case 13: return "Error: Character code above 255 is forbidden in MultiByte char mode.";
    case 14: return "Error: unable to convert between WideChar and MultiByte chars";
    case 15: return "Error: unable to open file for writing";
    case 16: return "Error: cannot write into file";
    case 17: return "Warning: Base64-string length is not a multiple of 4";
    case 18: return "Error: Base64-string contains an illegal character";
    case 19: return "Warning: Base64-string is truncated";
    case 20: return "Error: Base64 decode output buffer is too small";
    default: return "Unknown";
    }
}
