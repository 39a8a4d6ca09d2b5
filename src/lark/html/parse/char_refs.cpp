// Character references in running text: "&name;" and "&#number;".
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/parse/values.h>

#include <algorithm>
#include <array>

namespace lark {

namespace detail {

namespace {

constexpr NamedCharRefEntry kNamedCharRefs[] = {
#include "lark/html/parse/char_ref_table.inc"
};
static_assert(std::size(kNamedCharRefs) == NamedCharRefCount);

// A sorted copy for binary search. Names are unique (case-sensitively), so
// this finds exactly what a search in list order would.
constexpr auto kSortedCharRefs = [] {
    std::array<NamedCharRefEntry, std::size(kNamedCharRefs)> sorted{};
    std::copy(std::begin(kNamedCharRefs), std::end(kNamedCharRefs), sorted.begin());
    std::sort(sorted.begin(), sorted.end(),
              [](const NamedCharRefEntry& a, const NamedCharRefEntry& b) { return a.name < b.name; });
    return sorted;
}();

constexpr bool HasNoDuplicateNames()
{
    for (std::size_t i = 1; i < kSortedCharRefs.size(); ++i) {
        if (kSortedCharRefs[i - 1].name == kSortedCharRefs[i].name)
            return false;
    }
    return true;
}
static_assert(HasNoDuplicateNames());

// The numeric reference text (after "&#") that stands for a collapsing blank,
// and the default when the text is not a number.
constexpr int kBlankCode = 32;

TCharRef DecodeNumericCharRef(QStringView digits)
{
    const int value = StrToIntDef(digits, kBlankCode);
    if (value == kBlankCode)
        return {TCharRef::Blank, QChar(u' ')};
    // Only the low 16 bits count: a code beyond U+FFFF wraps, and lone
    // surrogates pass through as single UTF-16 units.
    const auto unit = char16_t(std::uint32_t(value) & 0xFFFFu);
    if (unit == 0)
        return {};
    return {TCharRef::Character, QChar(unit)};
}

TCharRef DecodeNamedCharRef(QStringView name)
{
    char16_t code = 0;
    if (FindNamedCharRef(name, code) || FindNamedCharRef(AsciiLower(name), code))
        return {TCharRef::Character, QChar(code)};
    return {};
}

} // namespace

std::span<const NamedCharRefEntry> NamedCharRefs()
{
    return kNamedCharRefs;
}

bool FindNamedCharRef(QStringView name, char16_t& code)
{
    const std::u16string_view key = ToU16View(name);
    const auto it = std::lower_bound(
        kSortedCharRefs.begin(), kSortedCharRefs.end(), key,
        [](const NamedCharRefEntry& entry, std::u16string_view k) { return entry.name < k; });
    if (it == kSortedCharRefs.end() || it->name != key)
        return false;
    code = it->code;
    return true;
}

} // namespace detail

TCharRef DecodeCharRef(QStringView body)
{
    if (body.startsWith(u'#'))
        return detail::DecodeNumericCharRef(body.mid(1));
    return detail::DecodeNamedCharRef(body);
}

} // namespace lark
