// A named, typed registry value in memory: it owns its data and lives on after the key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Registry {

// The value kinds of this library (not the registry's own type codes).
enum ValueKind : std::int32_t {
    KindEmpty = 0,
    KindDword = 1,          // REG_DWORD, 4 bytes
    KindDwordBigEndian = 2, // REG_DWORD_BIG_ENDIAN, 4 bytes
    KindQword = 3,          // REG_QWORD, 8 bytes
    KindQwordOther = 4,     // REG_QWORD, 8 bytes (second form)
    KindString = 5,         // REG_SZ: UTF-16 with its terminating zero
    KindExpandString = 6,   // REG_EXPAND_SZ: as kind 5
    KindMultiString = 7,    // REG_MULTI_SZ: each string and its zero, then one more zero
    KindBinary = 8,         // REG_BINARY
};

class RegValue {
public:
    // An empty value (kind 0, no name, no data).
    RegValue() = default;
    // A string value: kind 6 when `expand` is set, else 5; the text is copied with its
    // terminating zero (an empty text is stored as the zero alone, 2 bytes).
    RegValue(const std::wstring& name, const std::wstring& text, bool expand);
    // A value of any kind from its bytes, laid out as the kind's table says.
    RegValue(const std::wstring& name, ValueKind kind, const void* data, std::uint32_t size);
    virtual ~RegValue() = default;
    RegValue(const RegValue&) = default;
    RegValue& operator=(const RegValue&) = default;
    RegValue(RegValue&&) = default;
    RegValue& operator=(RegValue&&) = default;

    const std::wstring& getName() const { return name; }
    ValueKind getKind() const { return kind; }
    const unsigned char* getData() const { return data.data(); }
    std::uint32_t getSize() const { return static_cast<std::uint32_t>(data.size()); }

    // Kind 5: the text; kind 6: the text, or with `expand` its environment expansion
    // (%NAME% replaced); other kinds: empty.
    std::wstring asWideString(bool expand = false) const;
    // asWideString converted to UTF-8.
    std::string asString(bool expand = false) const;
    // Kind 7: its strings in order; other kinds: none.
    std::vector<std::wstring> asStringList() const;

    // The registry type that this kind is written as (0 for an empty value), and the kind
    // that a registry type reads as (empty for a type this library does not know).
    static std::uint32_t registryType(ValueKind kind);
    static ValueKind kindOf(std::uint32_t registryType);

private:
    std::vector<unsigned char> data;
    std::wstring name;
    ValueKind kind = KindEmpty;
};

} // namespace Registry
