// Tag code -> handler, one row per code of the tag table.
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/tag_table_p.h"

#include <array>
#include <iterator>

namespace lark::detail {

namespace {

constexpr TagHandler kHandlers[] = {
    HandleSub,        // tcSub
    HandleSup,        // tcSup
    HandleFontStyle,  // tcBold
    HandleFontStyle,  // tcItalic
    HandleFontStyle,  // tcBoldItalic
    HandleFontStyle,  // tcStrikeOut
    HandleFontStyle,  // tcUnderline
    HandleListStart,  // tcUL
    HandleListEnd,    // tcEndUL
    HandleListStart,  // tcOL
    HandleListEnd,    // tcEndOL
    HandleListItem,   // tcLI
    HandleParagraph,  // tcPara
    HandleBreak,      // tcBreak
    HandleIndent,     // tcIndent
    HandleImageTag,   // tcImage
    HandleLinkStart,  // tcLink
    HandleLinkEnd,    // tcEndLink
    nullptr,          // tcHtml: accepted, changes nothing
    HandleRule,       // tcRule
    HandleFontEnd,    // tcEndFont
    HandleFont,       // tcFont
    HandleInput,      // tcInput
    HandleControl,    // tcControl
    HandleVariable,   // tcVariable
    HandleBody,       // tcBody
};
static_assert(std::size(kHandlers) == TagCodeCount);

} // namespace

TagHandler HandlerFor(int code)
{
    if (code < 0 || code >= TagCodeCount)
        return nullptr;
    return kHandlers[code];
}

} // namespace lark::detail
