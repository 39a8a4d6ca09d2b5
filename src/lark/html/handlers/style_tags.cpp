// Style tags: sub and sup set a position bit, b, strong, i, em, var, cite,
// s, strikeout and u add font styles; their closing forms take them away.
// Each starts a new run with the changed formatting.
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/tag_table_p.h"

namespace lark::detail {

namespace {

void SwitchPositionBit(ParserState& state, ParsedTag& tag, std::uint32_t bit)
{
    auto next = state.EndRun(tag.HadText);
    next->FBoolState = tag.IsClosing() ? (next->FBoolState & ~bit) : (next->FBoolState | bit);
    state.Cur = std::move(next);
    MoveToTagEnd(state, tag);
}

} // namespace

void MoveToTagEnd(ParserState& state, const ParsedTag& tag)
{
    if (!tag.Params)
        return;
    const qsizetype end = state.Text.indexOf(u'>', state.Pos);
    if (end >= 0)
        state.Pos = end;
}

void HandleSub(ParserState& state, ParsedTag& tag)
{
    SwitchPositionBit(state, tag, BoolState::Sub);
}

void HandleSup(ParserState& state, ParsedTag& tag)
{
    SwitchPositionBit(state, tag, BoolState::Super);
}

void HandleFontStyle(ParserState& state, ParsedTag& tag)
{
    const TFontStyles styles = TagFontStyles(tag.Code);
    auto next = state.EndRun(tag.HadText);
    if (!tag.IsClosing()) {
        next->FontStyle |= styles;
    } else if (!(styles - state.Data.DefaultStyle()).IsEmpty()) {
        // Closing a style that is wholly the document's default changes
        // nothing; otherwise every style of the tag goes.
        next->FontStyle -= styles;
    }
    state.Cur = std::move(next);
    MoveToTagEnd(state, tag);
}

} // namespace lark::detail
