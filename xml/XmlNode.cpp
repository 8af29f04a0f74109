#include "xml/XmlNode.h"

#include "xml/XmlNodeData.h"

#include <cctype>

namespace {

const std::string emptyString;
const std::optional<std::string> noValue;

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

void releaseXmlNodeData(XmlNodeData* data)
{
    std::vector<XmlNodeData*> pending;
    if (data && --data->referenceCount == 0)
        pending.push_back(data);
    while (!pending.empty()) {
        XmlNodeData* node = pending.back();
        pending.pop_back();
        for (XmlNode& child : node->children) {
            // Take the child out of its handle, so that the handle's destructor does nothing.
            XmlNodeData* c = XmlNodeData::take(child);
            if (c) {
                if (c->parent == node)
                    c->parent = nullptr;
                if (--c->referenceCount == 0)
                    pending.push_back(c);
            }
        }
        delete node;
    }
}

int XmlNodeData::insertOrder(int kind, int position)
{
    const int count = static_cast<int>(order.size());
    if (position < 0 || position >= count) {
        // Appending, the common case: no entry moves.
        const int index = countOf(kind);
        order.push_back(index * 4 + kind);
        return index;
    }
    int index = 0;
    for (int i = 0; i < position; ++i)
        if ((order[static_cast<std::size_t>(i)] & 3) == kind)
            ++index;
    for (int i = position; i < count; ++i) {
        int& entry = order[static_cast<std::size_t>(i)];
        if ((entry & 3) == kind)
            entry += 4;
    }
    order.insert(static_cast<std::size_t>(position), index * 4 + kind);
    return index;
}

namespace {

template <typename T>
void appendAll(XmlArray<T>& to, std::vector<T>& from)
{
    for (T& item : from)
        to.push_back(std::move(item));
    from.clear();
}

} // namespace

namespace {

std::size_t bytesFor(const XmlContents& c)
{
    return XmlArray<XmlAttribute>::blockBytes(c.attributes.size()) + XmlArray<XmlClear>::blockBytes(c.clears.size()) +
           XmlArray<std::string>::blockBytes(c.texts.size()) + XmlArray<XmlNode>::blockBytes(c.children.size()) +
           XmlArray<int>::blockBytes(c.order.size());
}

void place(XmlNodeData& node, XmlContents& c, char* at)
{
    at = node.attributes.adopt(c.attributes, at);
    at = node.clears.adopt(c.clears, at);
    at = node.texts.adopt(c.texts, at);
    at = node.children.adopt(c.children, at);
    node.order.adopt(c.order, at);
}

constexpr std::size_t nodeBytes = (sizeof(XmlNodeData) + 15) & ~std::size_t(15);

} // namespace

void XmlNodeData::adoptArrays(XmlContents& c)
{
    if (block.bytes || !attributes.empty() || !children.empty() || !texts.empty() || !clears.empty() ||
        !order.empty()) {
        // Not a fresh node: append one by one.
        appendAll(attributes, c.attributes);
        appendAll(children, c.children);
        appendAll(texts, c.texts);
        appendAll(clears, c.clears);
        appendAll(order, c.order);
        return;
    }
    const std::size_t bytes = bytesFor(c);
    if (bytes == 0)
        return;
    block.bytes = static_cast<char*>(::operator new(bytes));
    place(*this, c, block.bytes);
}

XmlNodeData* XmlNodeData::createWith(const char* nameBytes, std::size_t nameLength, bool declaration, XmlContents& c)
{
    char* raw = static_cast<char*>(::operator new(nodeBytes + bytesFor(c)));
    XmlNodeData* node = new (raw) XmlNodeData(nameBytes, nameLength);
    node->isDeclaration = declaration;
    place(*node, c, raw + nodeBytes);
    return node;
}

XmlNode::XmlNode(const XmlNode& other) : data(other.data)
{
    if (data)
        ++data->referenceCount;
}

XmlNode& XmlNode::operator=(const XmlNode& other)
{
    if (data != other.data) {
        XmlNodeData* old = data;
        data = other.data;
        if (data)
            ++data->referenceCount;
        releaseXmlNodeData(old);
    }
    return *this;
}

XmlNode& XmlNode::operator=(XmlNode&& other) noexcept
{
    if (this != &other) {
        XmlNodeData* old = data;
        data = other.data;
        other.data = nullptr;
        releaseXmlNodeData(old);
    }
    return *this;
}

XmlNode::~XmlNode() { releaseXmlNodeData(data); }

XmlNode XmlNode::createElement(const std::string& name, bool declaration)
{
    XmlNodeData* data = new XmlNodeData;
    data->name = name;
    data->isDeclaration = declaration;
    return XmlNodeData::adopt(data);
}

int XmlNode::addAttribute(const std::string& name, const std::optional<std::string>& value)
{
    if (!data)
        return -1;
    data->attributes.push_back(XmlAttribute{name, value});
    return static_cast<int>(data->attributes.size()) - 1;
}

XmlNode XmlNode::addChild(const XmlNode& node, int position)
{
    if (!data || !node.data || node.data->parent)
        return XmlNode();
    for (XmlNodeData* up = data; up; up = up->parent)
        if (up == node.data)
            return XmlNode();
    const int index = data->insertOrder(XmlNodeData::ChildKind, position);
    data->children.insert(static_cast<std::size_t>(index), node);
    node.data->parent = data;
    return node;
}

void XmlNode::addText(const std::string& text, int position)
{
    if (!data)
        return;
    const int index = data->insertOrder(XmlNodeData::TextKind, position);
    data->texts.insert(static_cast<std::size_t>(index), text);
}

void XmlNode::addClear(const std::string& text, const char* open, const char* close, int position)
{
    if (!data)
        return;
    const int index = data->insertOrder(XmlNodeData::ClearKind, position);
    data->clears.insert(static_cast<std::size_t>(index), XmlClear{text, open, close});
}

const std::string& XmlNode::getName() const { return data ? data->name : emptyString; }
bool XmlNode::isDeclaration() const { return data && data->isDeclaration; }
int XmlNode::childCount() const { return data ? static_cast<int>(data->children.size()) : 0; }
int XmlNode::textCount() const { return data ? static_cast<int>(data->texts.size()) : 0; }
int XmlNode::attributeCount() const { return data ? static_cast<int>(data->attributes.size()) : 0; }
int XmlNode::contentCount() const { return data ? static_cast<int>(data->order.size()) : 0; }

XmlNode XmlNode::getChild(int i) const
{
    if (i < 0 || i >= childCount())
        return XmlNode();
    return data->children[static_cast<std::size_t>(i)];
}

const std::string& XmlNode::getText(int i) const
{
    if (i < 0 || i >= textCount())
        return emptyString;
    return data->texts[static_cast<std::size_t>(i)];
}

const std::string& XmlNode::getAttributeName(int i) const
{
    if (i < 0 || i >= attributeCount())
        return emptyString;
    return data->attributes[static_cast<std::size_t>(i)].name;
}

const std::optional<std::string>& XmlNode::getAttributeValue(int i) const
{
    if (i < 0 || i >= attributeCount())
        return noValue;
    return data->attributes[static_cast<std::size_t>(i)].value;
}

void XmlNode::getContent(int i, int& kind, int& index) const
{
    kind = -1;
    index = -1;
    if (i < 0 || i >= contentCount())
        return;
    const int entry = data->order[static_cast<std::size_t>(i)];
    kind = entry & 3;
    index = entry >> 2;
}

XmlNode XmlNode::findChild(const std::string& name, int* index) const
{
    int start = index ? *index : 0;
    if (start < 0)
        start = 0;
    for (int i = start; i < childCount(); ++i) {
        if (sameName(data->children[static_cast<std::size_t>(i)].getName(), name)) {
            if (index)
                *index = i + 1;
            return data->children[static_cast<std::size_t>(i)];
        }
    }
    return XmlNode();
}

bool XmlNode::hasAttribute(const std::string& name) const
{
    for (int i = 0; i < attributeCount(); ++i)
        if (sameName(data->attributes[static_cast<std::size_t>(i)].name, name))
            return true;
    return false;
}

std::optional<std::string> XmlNode::attributeValue(const std::string& name, int* index) const
{
    int start = index ? *index : 0;
    if (start < 0)
        start = 0;
    for (int i = start; i < attributeCount(); ++i) {
        const XmlAttribute& attribute = data->attributes[static_cast<std::size_t>(i)];
        if (sameName(attribute.name, name)) {
            if (index)
                *index = i + 1;
            return attribute.value;
        }
    }
    return std::nullopt;
}
