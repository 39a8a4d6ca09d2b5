#pragma once
// The data tables behind the value rules of values.h, open to the engine and
// its tests. Names are ASCII, compared as UTF-16 code units.

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lark::detail {

struct ColorNameEntry
{
    std::u16string_view name;
    std::uint32_t rgb; // 0xRRGGBB
};

struct NamedCharRefEntry
{
    std::u16string_view name;
    char16_t code;
};

inline constexpr std::size_t ColorNameCount = 147;
inline constexpr std::size_t NamedCharRefCount = 102;

// Sorted by name, no duplicates.
std::span<const ColorNameEntry> ColorNames();
// Lookup order.
std::span<const NamedCharRefEntry> NamedCharRefs();

// The RGB number of a colour name (exact, lower-case name); false when absent.
bool FindColorName(QStringView lowerName, std::uint32_t& rgb);
// The character of a reference name, matched exactly as written; false when absent.
bool FindNamedCharRef(QStringView name, char16_t& code);

inline std::u16string_view ToU16View(QStringView text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// Lower case for the ASCII letters only: every name in these tables is ASCII,
// and full Unicode folding would let look-alikes such as U+212A KELVIN SIGN
// match "k".
QString AsciiLower(QStringView text);

} // namespace lark::detail
