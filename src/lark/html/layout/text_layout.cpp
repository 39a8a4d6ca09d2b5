// The document as text on a page: plain-text offsets of the items, their
// places on the lines, and what ranges of offsets cover and hold.
//
// The plain text is built item by item exactly as AsText builds it, so an
// offset here is an offset there. The places follow the hit test: lines
// stacked from y 0 by their heights, a line's items side by side from its
// aligned start.
#include <lark/html/layout/text_layout.h>

#include "lark/html/interaction/hit_test_p.h"
#include "lark/html/layout/measure_p.h"
#include "lark/html/render_p.h"

#include <lark/framework/color.h>
#include <lark/framework/saturate.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

// What an item adds to the plain text (AsText's rules).
QString ItemText(const TLarkHTMLItem& item, std::size_t index)
{
    switch (item.ItemType()) {
    case hitChar:
        return item.Text();
    case hitBreak:
        return kLineEnd.toString();
    case hitPara:
        return index == 0 ? QString() : kLineEnd.toString() + kLineEnd.toString();
    case hitLI:
        return u"- "_s;
    default:
        return {};
    }
}

enum class CharClass { Word, Blank, Other };

CharClass ClassOf(QChar c)
{
    if (c.isLetterOrNumber() || c == u'_' || c.isMark())
        return CharClass::Word;
    if (c.isSpace())
        return CharClass::Blank;
    return CharClass::Other;
}

QString HexColor(TColor color)
{
    const QColor c = ToQColor(color);
    return c.name(QColor::HexRgb);
}

} // namespace

TLarkHTMLTextLayout::TLarkHTMLTextLayout(TLarkHTMLData& data, int areaWidth)
    : FData(data)
    , FAreaWidth(areaWidth)
    , FListVersion(data.ListVersion())
{
    MapText();
    PlaceLines();
}

void TLarkHTMLTextLayout::MapText()
{
    const auto& items = FData.Items();
    FPlaces.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString text = ItemText(*items[i], i);
        FPlaces[i].TextStart = int(FText.size());
        FPlaces[i].TextLength = int(text.size());
        FText += text;
    }
}

void TLarkHTMLTextLayout::PlaceLines()
{
    const auto& items = FData.Items();
    int y = 0;
    int x = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i]->IsBreakItem())
            continue;
        const auto& breakItem = static_cast<const TLarkHTMLBreakItem&>(*items[i]);
        Line line;
        line.BreakItem = int(i);
        line.Top = y;
        line.Height = breakItem.FHeight;
        line.StartOffset = FPlaces[i].TextStart + FPlaces[i].TextLength;
        x = SaturatingInt(detail::LineStartX(breakItem, FAreaWidth, x));
        const int lineIndex = int(FLines.size());
        FPlaces[i].Line = lineIndex;
        FPlaces[i].X = x;
        std::size_t j = i + 1;
        for (; j < items.size() && !items[j]->IsBreakItem(); ++j) {
            const TLarkHTMLItem& item = *items[j];
            FPlaces[j].Line = lineIndex;
            FPlaces[j].X = x;
            FPlaces[j].Width = item.FWidth;
            x = item.IsAbsoluteIndent() ? item.FWidth : x + item.FWidth;
        }
        line.End = int(j);
        line.EndOffset = j < items.size() ? FPlaces[j].TextStart : int(FText.size());
        FLines.push_back(line);
        y += breakItem.FHeight;
    }
}

int TLarkHTMLTextLayout::Clamp(int offset) const
{
    return std::clamp(offset, 0, Length());
}

int TLarkHTMLTextLayout::PrefixWidth(int index, int n) const
{
    const ItemPlace& place = FPlaces[std::size_t(index)];
    if (n <= 0 || place.TextLength == 0)
        return 0;
    if (n >= place.TextLength)
        return place.Width;
    TLarkHTMLItem& item = *FData.Items()[std::size_t(index)];
    TLarkHTMLRender* render = FData.Render();
    if (item.ItemType() != hitChar || !render)
        return place.Width * n / place.TextLength;
    const int width = detail::Internals(*render).Measurer.TextWidth(
        item.FFontRef, item.EffectiveFontHeight(), item.FontStyle, QStringView(item.Text()).left(n));
    return std::min(width, place.Width);
}

// The boundary nearest to px inside a text item: the first one whose
// character's middle lies right of the point.
int TLarkHTMLTextLayout::OffsetInItem(int item, int px) const
{
    const ItemPlace& place = FPlaces[std::size_t(item)];
    int before = 0;
    for (int n = 0; n < place.TextLength; ++n) {
        const int after = PrefixWidth(item, n + 1);
        if (px < (before + after + 1) / 2)
            return place.TextStart + n;
        before = after;
    }
    return place.TextStart + place.TextLength;
}

int TLarkHTMLTextLayout::LineOfOffset(int offset) const
{
    if (FLines.empty())
        return -1;
    offset = Clamp(offset);
    // The last line whose text starts at or before the offset; a line break's
    // own characters belong to the line they end.
    for (int l = int(FLines.size()) - 1; l > 0; --l) {
        if (FLines[std::size_t(l)].StartOffset <= offset)
            return l;
    }
    return 0;
}

int TLarkHTMLTextLayout::OffsetAt(QPoint docPoint) const
{
    if (FLines.empty())
        return 0;
    if (docPoint.y() < 0)
        return FLines.front().StartOffset;
    for (const Line& line : FLines) {
        if (docPoint.y() >= line.Top + line.Height)
            continue;
        for (int i = line.BreakItem + 1; i < line.End; ++i) {
            const ItemPlace& place = FPlaces[std::size_t(i)];
            if (docPoint.x() < place.X)
                return place.TextStart;
            if (docPoint.x() < place.X + place.Width)
                return OffsetInItem(i, docPoint.x() - place.X);
        }
        return line.EndOffset;
    }
    return Length();
}

QRect TLarkHTMLTextLayout::CharRect(int offset) const
{
    const int l = LineOfOffset(offset);
    if (l < 0)
        return {};
    offset = Clamp(offset);
    const Line& line = FLines[std::size_t(l)];
    int x = FPlaces[std::size_t(line.BreakItem)].X;
    for (int i = line.BreakItem + 1; i < line.End; ++i) {
        const ItemPlace& place = FPlaces[std::size_t(i)];
        if (offset >= place.TextStart && offset < place.TextStart + place.TextLength) {
            const int n = offset - place.TextStart;
            const int left = place.X + PrefixWidth(i, n);
            return QRect(left, line.Top, place.X + PrefixWidth(i, n + 1) - left, line.Height);
        }
        x = place.X + place.Width;
    }
    return QRect(x, line.Top, 0, line.Height);
}

QRect TLarkHTMLTextLayout::ItemRect(int index) const
{
    if (index < 0 || std::size_t(index) >= FPlaces.size() || FPlaces[std::size_t(index)].Line < 0)
        return {};
    const ItemPlace& place = FPlaces[std::size_t(index)];
    const Line& line = FLines[std::size_t(place.Line)];
    const TLarkHTMLItem& item = *FData.Items()[std::size_t(index)];
    // Inputs and controls stand on the line's bottom at their own height.
    const int height = item.ItemType() == hitChar || item.IsBreakItem() ? line.Height
                                                                        : std::min<int>(item.FHeight, line.Height);
    return QRect(place.X, line.Top + line.Height - height, place.Width, height);
}

int TLarkHTMLTextLayout::ItemOffset(int item) const
{
    if (item < 0 || std::size_t(item) >= FPlaces.size())
        return Length();
    return FPlaces[std::size_t(item)].TextStart;
}

QList<QRect> TLarkHTMLTextLayout::RangeRects(TLarkHTMLTextRange range) const
{
    QList<QRect> rects;
    const TLarkHTMLTextRange r = range.Normalized();
    if (r.IsEmpty())
        return rects;
    for (const Line& line : FLines) {
        int left = INT_MAX;
        int right = INT_MIN;
        for (int i = line.BreakItem + 1; i < line.End; ++i) {
            const ItemPlace& place = FPlaces[std::size_t(i)];
            if (place.TextLength == 0) {
                // Images, inputs and controls inside the range go with it.
                if (r.Start <= place.TextStart && place.TextStart < r.End && place.Width > 0) {
                    left = std::min(left, place.X);
                    right = std::max(right, place.X + place.Width);
                }
                continue;
            }
            const int from = std::max(r.Start, place.TextStart);
            const int to = std::min(r.End, place.TextStart + place.TextLength);
            if (from >= to)
                continue;
            left = std::min(left, place.X + PrefixWidth(i, from - place.TextStart));
            right = std::max(right, place.X + PrefixWidth(i, to - place.TextStart));
        }
        if (left < right)
            rects << QRect(left, line.Top, right - left, line.Height);
    }
    return rects;
}

TLarkHTMLTextRange TLarkHTMLTextLayout::WordAt(int offset) const
{
    if (FText.isEmpty())
        return {};
    offset = std::clamp(offset, 0, Length() - 1);
    const CharClass kind = ClassOf(FText[offset]);
    if (kind == CharClass::Other)
        return {offset, offset + 1};
    int start = offset;
    while (start > 0 && ClassOf(FText[start - 1]) == kind)
        --start;
    int end = offset + 1;
    while (end < Length() && ClassOf(FText[end]) == kind)
        ++end;
    return {start, end};
}

TLarkHTMLTextRange TLarkHTMLTextLayout::LineAt(int offset) const
{
    const int l = LineOfOffset(offset);
    if (l < 0)
        return {};
    const int start = FLines[std::size_t(l)].StartOffset;
    const int end = std::size_t(l) + 1 < FLines.size() ? FLines[std::size_t(l) + 1].StartOffset : Length();
    return {start, end};
}

QString TLarkHTMLTextLayout::RangeText(TLarkHTMLTextRange range) const
{
    const TLarkHTMLTextRange r = range.Normalized();
    const int start = Clamp(r.Start);
    return FText.mid(start, Clamp(r.End) - start);
}

QString TLarkHTMLTextLayout::RangeHTML(TLarkHTMLTextRange range) const
{
    const TLarkHTMLTextRange r = range.Normalized();
    QString html;
    if (r.IsEmpty())
        return html;
    const auto& items = FData.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TLarkHTMLItem& item = *items[i];
        const ItemPlace& place = FPlaces[i];
        const int from = std::max(r.Start, place.TextStart);
        const int to = std::min(r.End, place.TextStart + place.TextLength);
        switch (item.ItemType()) {
        case hitChar: {
            if (from >= to)
                break;
            QString run = item.Text().mid(from - place.TextStart, to - from).toHtmlEscaped();
            const auto wrap = [&run](QStringView open, QStringView close) {
                run = open.toString() + run + close.toString();
            };
            if (item.FontStyle.Contains(fsBold))
                wrap(u"<b>", u"</b>");
            if (item.FontStyle.Contains(fsItalic))
                wrap(u"<i>", u"</i>");
            if (item.FontStyle.Contains(fsUnderline) && !item.IsLink())
                wrap(u"<u>", u"</u>");
            if (item.FontStyle.Contains(fsStrikeOut))
                wrap(u"<s>", u"</s>");
            if (item.FFntCnt > 0 && item.FontColor != clNone)
                wrap(u"<font color=\"%1\">"_s.arg(HexColor(item.FontColor)), u"</font>");
            if (item.IsLink())
                wrap(u"<a href=\"%1\">"_s.arg(item.LinkRef().toHtmlEscaped()), u"</a>");
            html += run;
            break;
        }
        case hitBreak:
            if (from < to)
                html += u"<br>"_s;
            break;
        case hitPara:
            if (from < to)
                html += u"<p>"_s;
            break;
        case hitInput:
        case hitControl:
            if (r.Start <= place.TextStart && place.TextStart < r.End) {
                QString itemHTML;
                item.GetItemHTML(itemHTML);
                html += itemHTML;
            }
            break;
        default:
            if (from < to)
                html += FText.mid(from, to - from).toHtmlEscaped();
            break;
        }
    }
    return html;
}

} // namespace lark
