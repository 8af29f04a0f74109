// The program's XML layer: whole files read into trees of elements, attributes, texts and
// verbatim sections; trees built and written back as formatted text. Problems are numbered
// codes (xmlErrorText), never exceptions. Nodes are cheap shared handles: an empty handle
// answers every query with "nothing".
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct XmlNodeData;

struct XmlResult {
    int code = 0;
    int line = 0;
    int column = 0;
};

enum XmlError : int {
    XmlNoError = 0,
    XmlWarningUnmatchedEndTag = 1,
    XmlWarningNoTagFound = 2,
    XmlErrorNoData = 3,
    XmlErrorMissingStartTagName = 4,
    XmlErrorMissingEndTagName = 5,
    XmlErrorUnmatchedEndTag = 6,
    XmlErrorUnmatchedClearTag = 7,
    XmlErrorUnexpectedToken = 8,
    XmlErrorNoElements = 9,
    XmlErrorFileNotFound = 10,
    XmlErrorFirstTagNotFound = 11,
    XmlErrorUnknownEntity = 12,
    XmlErrorCharCodeAbove255 = 13,
    XmlErrorCharConversion = 14,
    XmlErrorCannotOpenWriteFile = 15,
    XmlErrorCannotWriteFile = 16,
};

enum XmlEncoding : int {
    XmlEncodingUndecided = 0,
    XmlEncodingUtf8 = 1,
    XmlEncodingLegacy = 2,
    XmlEncodingShiftJis = 3,
    XmlEncodingGb2312 = 4,
    XmlEncodingBig5 = 5,
    XmlEncodingGbk = 6,
};

// A verbatim section: its text as it stood, with its opening and closing marks (string
// literals such as "<![CDATA[" and "]]>": they are not copied).
struct XmlClear {
    std::string text;
    const char* open = "";
    const char* close = "";
};

class XmlNode {
public:
    XmlNode() = default;
    XmlNode(const XmlNode& other);
    XmlNode& operator=(const XmlNode& other);
    XmlNode(XmlNode&& other) noexcept : data(other.data) { other.data = nullptr; }
    XmlNode& operator=(XmlNode&& other) noexcept;
    ~XmlNode();

    bool isEmpty() const { return data == nullptr; }
    explicit operator bool() const { return data != nullptr; }
    bool operator==(const XmlNode& other) const { return data == other.data; }

    // Reading. openFile first takes the encoding the file's first bytes show; openFileOrExit
    // does the same, then shows a parse error (and the advice when there is one) and ends
    // the process with 255.
    static XmlNode openFile(const std::string& path, const std::string& firstTag, XmlResult* result = nullptr);
    static XmlNode openFileOrExit(const std::string& path, const std::string& firstTag, const std::string& advice = "");
    static XmlNode parseFile(const std::string& path, const std::string& firstTag, XmlResult* result = nullptr);
    // Parses up to the first zero byte; a null text gives "No elements found".
    static XmlNode parseText(const char* text, const std::string& firstTag, XmlResult* result = nullptr);

    // Building.
    static XmlNode createElement(const std::string& name, bool isDeclaration = false);
    // Appends after the existing attributes; returns the new attribute's index (for
    // getAttributeName and getAttributeValue), -1 on an empty handle.
    int addAttribute(const std::string& name, const std::optional<std::string>& value);
    // The node is shared, not copied; position -1 appends. Adding a node into its own
    // subtree, or one that already has a parent, is refused with an empty result.
    XmlNode addChild(const XmlNode& node, int position = -1);
    void addText(const std::string& text, int position = -1);
    void addClear(const std::string& text, const char* open, const char* close, int position = -1);

    // Queries; names compare without regard to case.
    const std::string& getName() const;
    bool isDeclaration() const;
    int childCount() const;
    int textCount() const;
    int attributeCount() const;
    XmlNode getChild(int i) const;
    const std::string& getText(int i) const;
    const std::string& getAttributeName(int i) const;
    const std::optional<std::string>& getAttributeValue(int i) const;
    // Children, texts and clears in document order: kind 0 child, 2 text, 3 clear, and
    // the index into that kind's list.
    int contentCount() const;
    void getContent(int i, int& kind, int& index) const;

    // The first child element at or after *index named `name`; *index ends one past it.
    XmlNode findChild(const std::string& name, int* index = nullptr) const;
    bool hasAttribute(const std::string& name) const;
    std::optional<std::string> attributeValue(const std::string& name, int* index = nullptr) const;

    // Writing.
    std::string toText(bool formatted) const;
    // The bytes writeToFile writes: the declaration line (or the byte-order mark) and the text.
    std::string toFileText(const char* encodingName, bool formatted) const;
    // Writes the declaration line (or the UTF-8 byte-order mark) and the text; 0, or 15 when
    // the file cannot be opened, 16 when a write or the close fails (the file is then cut off).
    int writeToFile(const std::string& path, const char* encodingName, bool formatted) const;
    // The same, written beside `path` under a unique name, flushed to the disk and moved over
    // `path` only when complete (os::AtomicFile), so that a full disk or a crash never leaves
    // a cut-off file; the old file stays as it was. 15 when the folder takes no new file.
    int writeToFileSafely(const std::string& path, const char* encodingName, bool formatted) const;

private:
    explicit XmlNode(XmlNodeData* adopt) : data(adopt) {}
    friend struct XmlNodeData;
    friend class XmlParser;
    XmlNodeData* data = nullptr;
};

// Process-wide options; false (changing nothing) for an encoding outside 1..6.
bool setXmlOptions(int encoding, bool guessUtf16, bool dropWhiteSpace, bool removeCommentsInText);
int xmlEncoding();
bool xmlGuessUtf16();
bool xmlDropWhiteSpace();
bool xmlRemoveCommentsInText();

// How many bytes the character at `lead` takes in the current encoding.
int xmlCharLength(unsigned char lead);
int guessEncoding(const unsigned char* bytes, std::size_t count, bool honourEncodingAttribute);
const char* xmlErrorText(int code);
