#include "registry/RegValue.h"

#include "engine/StringConversion.h"
#include "os/Registry.h"

namespace Registry {

namespace {

void appendUnits(std::vector<unsigned char>& bytes, const std::wstring& text)
{
    for (wchar_t c : text) {
        const unsigned unit = static_cast<unsigned>(c) & 0xFFFF;
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
}

// UTF-16 little-endian units from `from` up to the next zero unit (or the end).
std::wstring readUnits(const std::vector<unsigned char>& bytes, std::size_t& from)
{
    std::wstring text;
    while (from + 1 < bytes.size()) {
        const wchar_t unit = static_cast<wchar_t>(bytes[from] | (bytes[from + 1] << 8));
        from += 2;
        if (unit == 0)
            return text;
        text.push_back(unit);
    }
    from = bytes.size();
    return text;
}

} // namespace

RegValue::RegValue(const std::wstring& valueName, const std::wstring& text, bool expand)
    : name(valueName), kind(expand ? KindExpandString : KindString)
{
    std::wstring stored = text.substr(0, text.find(L'\0'));
    data.reserve(2 * (stored.size() + 1));
    appendUnits(data, stored);
    data.push_back(0);
    data.push_back(0);
}

RegValue::RegValue(const std::wstring& valueName, ValueKind valueKind, const void* bytes, std::uint32_t size)
    : name(valueName), kind(valueKind)
{
    const unsigned char* from = static_cast<const unsigned char*>(bytes);
    if (from && size)
        data.assign(from, from + size);
}

std::wstring RegValue::asWideString(bool expand) const
{
    if (kind != KindString && kind != KindExpandString)
        return {};
    std::size_t at = 0;
    std::wstring text = readUnits(data, at);
    if (kind == KindExpandString && expand)
        return os::expandEnvironmentStrings(text);
    return text;
}

std::string RegValue::asString(bool expand) const { return toNarrow(asWideString(expand)); }

std::vector<std::wstring> RegValue::asStringList() const
{
    std::vector<std::wstring> list;
    if (kind != KindMultiString)
        return list;
    std::size_t at = 0;
    while (at + 1 < data.size()) {
        std::wstring item = readUnits(data, at);
        if (item.empty())
            break; // the closing zero
        list.push_back(std::move(item));
    }
    return list;
}

std::uint32_t RegValue::registryType(ValueKind kind)
{
    switch (kind) {
    case KindDword: return os::RegistryDword;
    case KindDwordBigEndian: return os::RegistryDwordBigEndian;
    case KindQword:
    case KindQwordOther: return os::RegistryQword;
    case KindString: return os::RegistryString;
    case KindExpandString: return os::RegistryExpandString;
    case KindMultiString: return os::RegistryMultiString;
    case KindBinary: return os::RegistryBinary;
    case KindEmpty: break;
    }
    return os::RegistryNone;
}

ValueKind RegValue::kindOf(std::uint32_t type)
{
    switch (type) {
    case os::RegistryString: return KindString;
    case os::RegistryExpandString: return KindExpandString;
    case os::RegistryBinary: return KindBinary;
    case os::RegistryDword: return KindDword;
    case os::RegistryDwordBigEndian: return KindDwordBigEndian;
    case os::RegistryMultiString: return KindMultiString;
    case os::RegistryQword: return KindQword;
    default: return KindEmpty;
    }
}

} // namespace Registry
