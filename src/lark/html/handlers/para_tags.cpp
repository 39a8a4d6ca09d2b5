// Paragraph tags: p and /p start a paragraph (with alignment and indent),
// br breaks the line keeping its alignment, ind moves to an indent or an
// absolute position on the line.
#include <lark/framework/convert.h>
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/parse/values.h>

namespace lark::detail {

namespace {

// Line alignment values of a break item's parameters.
constexpr std::uint32_t kAlignLeft = 0;
constexpr std::uint32_t kAlignCenter = 1;
constexpr std::uint32_t kAlignRight = 2;

std::uint32_t AlignmentOf(const QString& value)
{
    const QString align = AsciiLower(value);
    if (align == u"center")
        return kAlignCenter;
    if (align == u"right")
        return kAlignRight;
    return kAlignLeft;
}

// "</p>" marks its paragraph, and the mark travels with the formatting to
// the items after it. A "<p>" right after a marked hard break only clears
// the mark, and a "</p>" there does nothing, so that closing and reopening
// a paragraph does not stack empty lines.
bool FollowsClosedParagraph(ParserState& state, const ParsedTag& tag)
{
    TLarkHTMLItem* last = state.LastItem();
    if (!last || last->ItemType() != hitBreak || !(last->FBoolState & BoolState::ClosedPara))
        return false;
    if (!tag.IsClosing())
        last->FBoolState &= ~BoolState::ClosedPara;
    return true;
}

} // namespace

void HandleParagraph(ParserState& state, ParsedTag& tag)
{
    if (FollowsClosedParagraph(state, tag))
        return;
    auto next = state.EndRun(tag.HadText);
    auto paragraph = state.NewBreak(hitPara, next.get());
    if (tag.IsClosing())
        paragraph->FBoolState |= BoolState::ClosedPara;
    paragraph->FParams = kAlignLeft;
    if (tag.Params) {
        paragraph->FParams = AlignmentOf(tag.Value(u"align"));
        const QString indent = tag.Value(u"indent");
        if (!indent.isEmpty())
            paragraph->FIndent = StrToIntDef(indent, 0);
    }
    // The text after the tag takes the paragraph's indent (and its mark).
    next->Assign(paragraph.get());
    state.Append(std::move(paragraph));
    state.Cur = std::move(next);
}

void HandleBreak(ParserState& state, ParsedTag& tag)
{
    auto next = state.EndRun(tag.HadText);
    // The alignment goes on; the list level and number do not, so a line
    // broken inside a list item has no bullet.
    const TLarkHTMLBreakItem* lineStart = state.LastBreakItem();
    auto lineBreak = state.NewBreak(hitBreak, next.get());
    lineBreak->FParams = lineStart ? lineStart->FParams : kAlignLeft;
    state.Append(std::move(lineBreak));
    state.Cur = std::move(next);
}

void HandleIndent(ParserState& state, ParsedTag& tag)
{
    const QString width = tag.Value(u"width");
    if (width.isEmpty())
        return;
    auto next = state.EndRun(tag.HadText);
    auto indent = state.FormatCopy(*next);
    indent->FItemType = hitIndent;
    indent->FWidth = StrToIntDef(width, 0);
    if (AsciiLower(tag.Value(u"pos")) == u"abs")
        indent->FBoolState |= BoolState::AbsoluteIndent;
    else
        indent->FBoolState &= ~BoolState::AbsoluteIndent;
    state.Append(std::move(indent));
    state.Cur = std::move(next);
}

} // namespace lark::detail
