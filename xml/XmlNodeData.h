// The shared data behind XmlNode handles (private to the XML layer).
#pragma once

#include "xml/XmlNode.h"

#include <vector>

struct XmlAttribute {
    std::string name;
    std::optional<std::string> value;
};

struct XmlNodeData {
    enum Kind { ChildKind = 0, TextKind = 2, ClearKind = 3 };

    std::string name;
    bool isDeclaration = false;
    XmlNodeData* parent = nullptr; // not counted
    std::vector<XmlNode> children;
    std::vector<std::string> texts;
    std::vector<XmlClear> clears;
    std::vector<XmlAttribute> attributes;
    std::vector<int> order; // index * 4 + kind, in document order
    unsigned referenceCount = 1;

    // Inserts an entry of `kind` at document position `position` (-1: the end) and returns
    // the index that the new item takes in its own list.
    int insertOrder(int kind, int position);
    int countOf(int kind) const
    {
        return static_cast<int>(kind == ChildKind ? children.size() : kind == TextKind ? texts.size() : clears.size());
    }
    void shrink();

    static XmlNode handle(XmlNodeData* data)
    {
        ++data->referenceCount;
        return XmlNode(data);
    }
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

// Frees a node's data without recursion, so that a very deep tree cannot exhaust the stack.
void releaseXmlNodeData(XmlNodeData* data);
