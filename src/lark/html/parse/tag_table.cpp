#include "lark/html/parse/tag_table_p.h"
#include "lark/html/parse/value_tables_p.h"

#include <algorithm>
#include <array>

namespace lark::detail {

namespace {

constexpr TagEntry kTagTable[] = {
#include "lark/html/parse/tag_table.inc"
};
static_assert(std::size(kTagTable) == TagNameCount);

// The parser looks up every tag, so search a sorted copy. The list holds no
// duplicates, so the first match in list order is the only match.
constexpr auto kSortedTags = [] {
    std::array<TagEntry, std::size(kTagTable)> sorted{};
    std::copy(std::begin(kTagTable), std::end(kTagTable), sorted.begin());
    std::sort(sorted.begin(), sorted.end(),
              [](const TagEntry& a, const TagEntry& b) { return a.name < b.name; });
    return sorted;
}();

constexpr bool HasNoDuplicateNames()
{
    for (std::size_t i = 1; i < kSortedTags.size(); ++i) {
        if (kSortedTags[i - 1].name == kSortedTags[i].name)
            return false;
    }
    return true;
}
static_assert(HasNoDuplicateNames());

constexpr bool UsesEveryCode()
{
    std::array<bool, TagCodeCount> seen{};
    for (const TagEntry& entry : kTagTable) {
        if (entry.code < 0 || entry.code >= TagCodeCount)
            return false;
        seen[std::size_t(entry.code)] = true;
    }
    return std::all_of(seen.begin(), seen.end(), [](bool used) { return used; });
}
static_assert(UsesEveryCode());

// Style bits of the codes tcBold to tcUnderline, as TFontStyles set values.
constexpr int kStyleBits[] = {
    1, // tcBold: bold
    2, // tcItalic: italic
    3, // tcBoldItalic: bold and italic
    8, // tcStrikeOut: strike-out
    4, // tcUnderline: underline
};
static_assert(std::size(kStyleBits) == tcUnderline - tcBold + 1);

struct InputTypeEntry
{
    std::u16string_view name;
    TInputTypeCode code;
};

constexpr InputTypeEntry kInputTypes[] = {
    {u"checkbox", ittCheckBox},
    {u"radio", ittRadio},
};

} // namespace

std::span<const TagEntry> TagTable()
{
    return kTagTable;
}

TLarkHTMLTagCode FindTag(QStringView lowerName)
{
    const std::u16string_view name = ToU16View(lowerName);
    const auto it = std::lower_bound(kSortedTags.begin(), kSortedTags.end(), name,
                                     [](const TagEntry& entry, std::u16string_view key) { return entry.name < key; });
    if (it == kSortedTags.end() || it->name != name)
        return tcUnknown;
    return it->code;
}

TFontStyles TagFontStyles(int code)
{
    if (code < tcBold || code > tcUnderline)
        return {};
    return TFontStyles::FromInt(kStyleBits[code - tcBold]);
}

TInputTypeCode FindInputType(QStringView lowerType)
{
    const std::u16string_view type = ToU16View(lowerType);
    for (const InputTypeEntry& entry : kInputTypes) {
        if (entry.name == type)
            return entry.code;
    }
    return ittNone;
}

} // namespace lark::detail
