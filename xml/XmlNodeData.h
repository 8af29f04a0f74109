// The shared data behind XmlNode handles (private to the XML layer).
#pragma once

#include "xml/XmlNode.h"

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

struct XmlAttribute {
    std::string name;
    std::optional<std::string> value;
};

// One of a node's arrays. A parsed element gets all of its arrays in one block, allocated
// when the element is complete and sized exactly; an array that grows afterwards (a tree
// being built) moves to storage of its own.
template <typename T>
class XmlArray {
public:
    XmlArray() = default;
    XmlArray(const XmlArray&) = delete;
    XmlArray& operator=(const XmlArray&) = delete;
    ~XmlArray()
    {
        for (std::size_t i = count; i-- > 0;)
            items[i].~T();
        if (owned)
            ::operator delete(items);
    }

    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    T& operator[](std::size_t i) { return items[i]; }
    const T& operator[](std::size_t i) const { return items[i]; }
    T* begin() { return items; }
    T* end() { return items + count; }
    const T* begin() const { return items; }
    const T* end() const { return items + count; }
    T& front() { return items[0]; }
    const T& front() const { return items[0]; }
    T& back() { return items[count - 1]; }

    void push_back(T value) { insert(count, std::move(value)); }
    void insert(std::size_t at, T value)
    {
        if (count == capacity)
            grow();
        if (at >= count) {
            new (items + count) T(std::move(value));
        } else {
            new (items + count) T(std::move(items[count - 1]));
            for (std::size_t i = count - 1; i > at; --i)
                items[i] = std::move(items[i - 1]);
            items[at] = std::move(value);
        }
        ++count;
    }

    // Bytes that `n` items take in a block, rounded up so that the next array stays aligned.
    static std::size_t blockBytes(std::size_t n) { return (n * sizeof(T) + 7) & ~std::size_t(7); }
    // Moves the items of `from` (left empty) into `storage` inside a block that the node frees.
    // The array must be empty.
    char* adopt(std::vector<T>& from, char* storage)
    {
        items = reinterpret_cast<T*>(storage);
        for (T& item : from)
            new (items + count++) T(std::move(item));
        capacity = count;
        from.clear();
        return storage + blockBytes(count);
    }

private:
    void grow()
    {
        const std::size_t more = capacity < 4 ? 4 : capacity * 2;
        T* fresh = static_cast<T*>(::operator new(more * sizeof(T)));
        for (std::size_t i = 0; i < count; ++i) {
            new (fresh + i) T(std::move(items[i]));
            items[i].~T();
        }
        if (owned)
            ::operator delete(items);
        items = fresh;
        capacity = static_cast<std::uint32_t>(more);
        owned = true;
    }

    T* items = nullptr;
    std::uint32_t count = 0;
    std::uint32_t capacity = 0;
    bool owned = false;
};

// Raw memory freed with the node, after its arrays (declared after it) are destroyed.
struct XmlBlock {
    char* bytes = nullptr;
    XmlBlock() = default;
    XmlBlock(const XmlBlock&) = delete;
    XmlBlock& operator=(const XmlBlock&) = delete;
    ~XmlBlock() { ::operator delete(bytes); }
};

// A node's arrays while they are being gathered (by the parser).
struct XmlContents {
    std::vector<XmlAttribute> attributes;
    std::vector<XmlNode> children;
    std::vector<std::string> texts;
    std::vector<XmlClear> clears;
    std::vector<int> order;
};

struct XmlNodeData {
    enum Kind { ChildKind = 0, TextKind = 2, ClearKind = 3 };

    XmlNodeData() = default;
    XmlNodeData(const char* nameBytes, std::size_t nameLength) : name(nameBytes, nameLength) {}

    std::string name;
    bool isDeclaration = false;
    XmlNodeData* parent = nullptr; // not counted
    XmlBlock block;
    XmlArray<XmlNode> children;
    XmlArray<std::string> texts;
    XmlArray<XmlClear> clears;
    XmlArray<XmlAttribute> attributes;
    XmlArray<int> order; // index * 4 + kind, in document order
    unsigned referenceCount = 1;

    // Inserts an entry of `kind` at document position `position` (-1: the end) and returns
    // the index that the new item takes in its own list.
    int insertOrder(int kind, int position);
    int countOf(int kind) const
    {
        return static_cast<int>(kind == ChildKind ? children.size() : kind == TextKind ? texts.size() : clears.size());
    }
    // Gives a node without arrays yet its arrays, in one block at their exact sizes; the
    // vectors are left empty (with their capacity).
    void adoptArrays(XmlContents& contents);
    // A new node (one reference) with its arrays in the same allocation.
    static XmlNodeData* createWith(const char* nameBytes, std::size_t nameLength, bool declaration,
                                   XmlContents& contents);
    // Nodes come from `new` or from createWith; either is freed with `delete`.
    static void* operator new(std::size_t bytes) { return ::operator new(bytes); }
    static void* operator new(std::size_t, void* place) { return place; }
    static void operator delete(void*, void*) {}
    static void operator delete(void* p) { ::operator delete(p); }

    static XmlNode adopt(XmlNodeData* data) { return XmlNode(data); }
    static XmlNodeData* of(const XmlNode& node) { return node.data; }
    // Empties the handle without touching the count, which passes to the caller.
    static XmlNodeData* take(XmlNode& node)
    {
        XmlNodeData* d = node.data;
        node.data = nullptr;
        return d;
    }
};

// The current encoding's character lengths, indexed by lead byte (every entry 1 to 4).
const unsigned char* xmlLengthTable();

// The tree as text (see XmlNode::toText); false, with `out` empty, when it does not fit in memory.
bool xmlToText(const XmlNodeData* data, bool formatted, std::string& out);

// Frees a node's data without recursion, so that a very deep tree cannot exhaust the stack.
void releaseXmlNodeData(XmlNodeData* data);
