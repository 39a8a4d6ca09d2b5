// The parser state: making items, the item list with the caches the wrap
// step and the handlers read (line offset, last break item, last item that is
// not a link), the focusable runs not listed yet, and producing text.
#include <lark/framework/limits.h>
#include "lark/html/parse/parser_p.h"

namespace lark::detail {

ParserState::ParserState(TLarkHTMLRender& render, TLarkHTMLData& data, const QString& text, bool autoWrap)
    : Render(render)
    , Data(data)
    , Text(text)
    , AutoWrap(autoWrap)
    , FLineOffsetVersion(data.ListVersion() - 1)
    , FLastBreakVersion(data.ListVersion() - 1)
    , FLastNonLinkVersion(data.ListVersion() - 1)
{
}

ParserState::~ParserState()
{
    // The run may be a link already listed among the focusable items.
    Discard(std::move(Cur));
}

std::unique_ptr<TLarkHTMLItem> ParserState::FormatCopy(const TLarkHTMLItem& source) const
{
    auto item = std::make_unique<TLarkHTMLItem>(&Data);
    item->Assign(&source);
    return item;
}

std::unique_ptr<TLarkHTMLBreakItem> ParserState::NewBreak(TLarkHTMLItemType kind, const TLarkHTMLItem* source) const
{
    auto item = std::make_unique<TLarkHTMLBreakItem>(&Data, kind);
    item->Assign(source);
    return item;
}

std::unique_ptr<TLarkHTMLItem> ParserState::EndRun(bool hadText)
{
    std::unique_ptr<TLarkHTMLItem> next = FormatCopy(*Cur);
    if (hadText)
        Append(std::move(Cur));
    else
        Retire(std::move(Cur), *next);
    return next;
}

void ParserState::Retire(std::unique_ptr<TLarkHTMLItem> item, TLarkHTMLItem& successor)
{
    if (item && item.get() == FUnlistedControl && successor.IsLink() && successor.LinkRef() == item->LinkRef())
        HandOverControl(*item, successor);
    Discard(std::move(item));
}

void ParserState::Discard(std::unique_ptr<TLarkHTMLItem> item)
{
    if (!item || item.get() != FUnlistedControl)
        return;
    Data.ForgetItem(item.get());
    FUnlistedControl = nullptr;
}

void ParserState::ListAsControl(TLarkHTMLItem& item)
{
    Data.ControlsArrayRef().append(&item);
    FUnlistedControl = &item;
}

void ParserState::HandOverControl(const TLarkHTMLItem& from, TLarkHTMLItem& to)
{
    if (!from.IsLink())
        return;
    QList<TLarkHTMLItem*>& controls = Data.ControlsArrayRef();
    const qsizetype index = controls.lastIndexOf(&from);
    if (index < 0)
        return;
    controls[index] = &to;
    FUnlistedControl = &to;
}

bool ParserState::AdoptCur(TLarkHTMLItem* item)
{
    if (item == Cur.get())
        return true;
    if (!item || item == Base.get() || Data.IndexOfItem(item) >= 0)
        return false;
    // The replaced run is the handler's now; the container forgets it.
    Data.ForgetItem(Cur.get());
    if (Cur.get() == FUnlistedControl)
        FUnlistedControl = nullptr;
    (void)Cur.release();
    Cur.reset(item);
    item->FOwner = &Data;
    return true;
}

void ParserState::Append(std::unique_ptr<TLarkHTMLItem> item)
{
    if (!item)
        return;
    TLarkHTMLItem& added = *item;
    if (&added == FUnlistedControl)
        FUnlistedControl = nullptr;
    const bool offsetKnown = IsCurrent(FLineOffsetVersion);
    const bool lastBreakKnown = IsCurrent(FLastBreakVersion);
    const bool lastNonLinkKnown = IsCurrent(FLastNonLinkVersion);
    Data.AppendItem(std::move(item));
    const std::uint64_t version = Data.ListVersion();
    if (offsetKnown && AutoWrap) {
        AdvanceLineOffset(added);
        FLineOffsetVersion = version;
    }
    if (lastBreakKnown) {
        if (added.IsBreakItem())
            FLastBreak = static_cast<TLarkHTMLBreakItem*>(&added);
        FLastBreakVersion = version;
    }
    if (lastNonLinkKnown) {
        if (!added.IsLink())
            FLastNonLink = &added;
        FLastNonLinkVersion = version;
    }
}

void ParserState::RemoveAt(int index)
{
    const TLarkHTMLItem* doomed = Data.GetItem(index);
    const bool lastBreakStays = IsCurrent(FLastBreakVersion) && doomed != FLastBreak;
    const bool lastNonLinkStays = IsCurrent(FLastNonLinkVersion) && doomed != FLastNonLink;
    Data.DeleteItem(index);
    const std::uint64_t version = Data.ListVersion();
    if (lastBreakStays)
        FLastBreakVersion = version;
    if (lastNonLinkStays)
        FLastNonLinkVersion = version;
    // The line offset is walked again when it is next asked for.
}

void ParserState::RemoveLastOfKind(TLarkHTMLItemType kind)
{
    const TLarkHTMLItem* last = LastItem();
    if (last && last->ItemType() == kind)
        RemoveAt(Data.GetItemCount() - 1);
}

TLarkHTMLBreakItem* ParserState::LastBreakItem()
{
    if (IsCurrent(FLastBreakVersion))
        return FLastBreak;
    FLastBreak = nullptr;
    const auto& items = Data.Items();
    for (auto i = items.size(); i-- > 0;) {
        if (items[i]->IsBreakItem()) {
            FLastBreak = static_cast<TLarkHTMLBreakItem*>(items[i].get());
            break;
        }
    }
    FLastBreakVersion = Data.ListVersion();
    return FLastBreak;
}

TLarkHTMLItem* ParserState::LastNonLinkItem()
{
    if (IsCurrent(FLastNonLinkVersion))
        return FLastNonLink;
    FLastNonLink = nullptr;
    const auto& items = Data.Items();
    for (auto i = items.size(); i-- > 0;) {
        if (!items[i]->IsLink()) {
            FLastNonLink = items[i].get();
            break;
        }
    }
    FLastNonLinkVersion = Data.ListVersion();
    return FLastNonLink;
}

void ParserState::AdvanceLineOffset(TLarkHTMLItem& item)
{
    if (item.IsBreakItem())
        FLineOffset = item.FIndent;
    else if (item.IsAbsoluteIndent())
        FLineOffset = item.GetWidth();
    else
        FLineOffset += item.GetWidth();
}

std::int64_t ParserState::LineOffset()
{
    if (IsCurrent(FLineOffsetVersion))
        return FLineOffset;
    // Walk back to the start of the line: the last break item or absolute
    // indent, then forward again as the line metrics pass lays it out.
    const auto& items = Data.Items();
    std::size_t start = items.size();
    while (start > 0) {
        const TLarkHTMLItem& item = *items[start - 1];
        if (item.IsBreakItem() || item.IsAbsoluteIndent())
            break;
        --start;
    }
    FLineOffset = 0;
    for (std::size_t i = start == 0 ? 0 : start - 1; i < items.size(); ++i)
        AdvanceLineOffset(*items[i]);
    FLineOffsetVersion = Data.ListVersion();
    return FLineOffset;
}

bool ParserState::AppendChar(QChar ch, BlankRule rule)
{
    const QString& text = Cur->Text();
    if (ch == u' ' && rule == BlankRule::Collapse && !text.isEmpty() && text.back() == u' ')
        return false;
    Cur->AppendText(ch);
    return true;
}

void ParserState::Produce(QChar ch, BlankRule rule)
{
    if (!AppendChar(ch, rule))
        return;
    // Rather than stepping back in the text and reading the character again
    // (which would read a reference's ";" instead of its character), the
    // produced character itself goes onto the new line.
    for (int rewraps = 0; AutoWrap && rewraps < limits::kMaxRewraps && WrapLine(*this); ++rewraps) {
        if (!AppendChar(ch, rule))
            return;
    }
}

qsizetype ParserState::NextSemicolon(qsizetype from)
{
    // Positions only grow, so one search answers every question up to the
    // ";" it found (or to the end of the text when it found none).
    const bool answered = FSemicolonFrom >= 0 && from >= FSemicolonFrom && (FSemicolonAt < 0 || from <= FSemicolonAt);
    if (!answered) {
        FSemicolonFrom = from;
        FSemicolonAt = from < Text.size() ? Text.indexOf(u';', from) : -1;
    }
    return FSemicolonAt;
}

} // namespace lark::detail
