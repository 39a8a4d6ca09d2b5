// List tags: ul and ol open a list (one indent step deeper), li starts a
// list item with a bullet or the next number, /ul and /ol close a list.
//
// The render object's list counter (CurListItem) carries the numbering: -1
// inside a bullet list, otherwise the number the next item gets. It is shared
// by nested lists and survives between parses, so an ordered list continued
// after an inner bullet list goes on with bullets.
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/tag_table_p.h"
#include <lark/html/render.h>
#include "lark/html/render_p.h"

#include <algorithm>
#include <limits>

namespace lark::detail {

namespace {

bool IsLineBreakKind(TLarkHTMLItemType kind)
{
    return kind == hitSoftBreak || kind == hitBreak;
}

bool IsBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() <= u' '; });
}

// When the current line holds nothing but blanks, it goes: a list starts on
// a line of its own anyway, and the empty line would only push it down.
void DropBlankLine(ParserState& state, const TLarkHTMLBreakItem& lineStart)
{
    const int start = state.Data.IndexOfItem(&lineStart);
    if (start < 0)
        return;
    const auto& items = state.Data.Items();
    for (std::size_t i = std::size_t(start) + 1; i < items.size(); ++i) {
        if (items[i]->ItemType() != hitChar || !IsBlank(items[i]->Text()))
            return;
    }
    for (int i = state.Data.GetItemCount() - 1; i >= start; --i)
        state.RemoveAt(i);
}

// The list indentation step of an item's font: the widest character.
int ListIndentStep(TLarkHTMLItem& item, TLarkHTMLItemType listKind)
{
    const TLarkHTMLItemType kind = item.FItemType;
    item.FItemType = listKind;
    const int step = item.GetWidth();
    item.FItemType = kind;
    item.ResetWidthCache();
    return step;
}

// Ends the run before a list item or the end of a list. A hard break that
// was made current by an event handler is dropped rather than listed.
std::unique_ptr<TLarkHTMLItem> EndRunBeforeListItem(ParserState& state, const ParsedTag& tag)
{
    auto next = state.FormatCopy(*state.Cur);
    if (tag.HadText && state.Cur->ItemType() != hitBreak)
        state.Append(std::move(state.Cur));
    else
        state.Retire(std::move(state.Cur), *next);
    return next;
}

} // namespace

void HandleListStart(ParserState& state, ParsedTag& tag)
{
    const bool bullets = tag.Code == tcUL;
    const TLarkHTMLItem& cur = *state.Cur;
    if (cur.IsBreakItem() && IsLineBreakKind(cur.ItemType())) {
        tag.HadText = false;
    } else {
        const TLarkHTMLBreakItem* lineStart = state.LastBreakItem();
        if (lineStart && IsLineBreakKind(lineStart->ItemType()) && cur.ItemType() == hitChar && IsBlank(cur.Text())) {
            DropBlankLine(state, *lineStart);
            tag.HadText = !cur.Text().isEmpty();
        }
    }
    auto next = state.EndRun(tag.HadText);
    ++state.ListLevel;
    Internals(state.Render).CurListItem = bullets ? -1 : 1;

    auto listStart = state.NewBreak(bullets ? hitUL : hitOL, next.get());
    listStart->FIndent += listStart->GetWidth();
    next->FIndent = listStart->FIndent;
    state.Append(std::move(listStart));
    state.Cur = std::move(next);
}

void HandleListEnd(ParserState& state, ParsedTag& tag)
{
    const bool bullets = tag.Code == tcEndUL;
    auto next = EndRunBeforeListItem(state, tag);
    --state.ListLevel;
    next->FIndent -= ListIndentStep(*next, bullets ? hitUL : hitOL);
    state.RemoveLastOfKind(hitBreak);
    if (!bullets)
        Internals(state.Render).CurListItem = -1;
    state.Append(state.NewBreak(hitBreak, next.get()));
    state.Cur = std::move(next);
}

void HandleListItem(ParserState& state, ParsedTag& tag)
{
    auto next = EndRunBeforeListItem(state, tag);
    state.RemoveLastOfKind(hitBreak);
    auto itemStart = state.NewBreak(hitLI, next.get());
    int& counter = Internals(state.Render).CurListItem;
    itemStart->FListItemN = counter;
    itemStart->FListLevel = state.ListLevel;
    if (counter > 0 && counter < std::numeric_limits<int>::max())
        ++counter;
    state.Append(std::move(itemStart));
    state.Cur = std::move(next);
}

} // namespace lark::detail
