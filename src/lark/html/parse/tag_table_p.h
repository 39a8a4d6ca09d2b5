#pragma once
// The tag vocabulary of the engine: tag names to handler codes, the style
// bits of the style tags, and the input types of the input tag.

#include <lark/framework/font.h>

#include <QStringView>

#include <cstddef>
#include <span>
#include <string_view>

namespace lark::detail {

// Handler codes. The numbers are part of the tag vocabulary (hosts see them
// through the supported flag of the tag-found event), so keep them stable.
enum TLarkHTMLTagCode : int {
    tcUnknown = -1,
    tcSub = 0,        // sub, /sub
    tcSup = 1,        // sup, /sup
    tcBold = 2,       // b, strong and their closing forms
    tcItalic = 3,     // i, em
    tcBoldItalic = 4, // var, cite
    tcStrikeOut = 5,  // strikeout, s
    tcUnderline = 6,  // u
    tcUL = 7,
    tcEndUL = 8,
    tcOL = 9,
    tcEndOL = 10,
    tcLI = 11,
    tcPara = 12, // p, /p
    tcBreak = 13,
    tcIndent = 14,
    tcImage = 15,
    tcLink = 16,
    tcEndLink = 17,
    tcHtml = 18, // accepted, does nothing
    tcRule = 19,
    tcEndFont = 20,
    tcFont = 21,
    tcInput = 22,
    tcControl = 23,
    tcVariable = 24, // "~~"
    tcBody = 25,
};

inline constexpr int TagCodeCount = 26;
inline constexpr std::size_t TagNameCount = 42;

struct TagEntry
{
    std::u16string_view name;
    TLarkHTMLTagCode code;
};

// The table in list order.
std::span<const TagEntry> TagTable();

// The code of a lower-case tag name, tcUnknown when the table lacks it.
// Exact match: the parser lowers the name first.
TLarkHTMLTagCode FindTag(QStringView lowerName);

// The font styles a style tag (tcBold to tcUnderline) switches on or off;
// empty for every other code.
TFontStyles TagFontStyles(int code);

// Values of the input type table.
enum TInputTypeCode : int {
    ittNone = 0, // not in the table: the input tag is ignored
    ittCheckBox = 1,
    ittRadio = 2,
};

// The input type of a lower-case, unquoted type attribute.
TInputTypeCode FindInputType(QStringView lowerType);

} // namespace lark::detail
