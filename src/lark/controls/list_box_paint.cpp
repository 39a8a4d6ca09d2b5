// Drawing and measuring the rows of the owner-drawn list box.
//
// Every row goes through the same steps:
//   1. the background: Color, or DisabledColor while disabled
//   2. the selection colour: SelectedColor; none while disabled, or while
//      unfocused with HideSelection
//   3. an empty list draws row -1 (background, grid line, focus frame only)
//   4. a selected row takes SelectedColor, SelectedFontColor and
//      SelectedFontStyle
//   5. the row rectangle is filled
//   6. the row's content (DrawItem)
//   7. the grid line along the row's bottom pixel row
//   8. the focus frame on the current row: a bevel (shadow top and left,
//      light right and bottom, one pixel inside), or the style's focus
//      rectangle; none with HideFocus or while disabled
#include <lark/controls/list_box.h>
#include "lark/controls/list_box_model_p.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace lark {

namespace {

const QString kEllipsis = QStringLiteral("...");

// Characters go from the middle, and the text after the last path
// separator stays as long as anything can.
QString PathEllipsis(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const qsizetype cut = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
    if (cut <= 0)
        return metrics.elidedText(text, Qt::ElideMiddle, width);
    const QString tail = text.mid(cut);
    const int room = width - metrics.horizontalAdvance(kEllipsis) - metrics.horizontalAdvance(tail);
    if (room < 0)
        return kEllipsis + metrics.elidedText(tail, Qt::ElideRight, width - metrics.horizontalAdvance(kEllipsis));
    QString head = text.left(cut);
    while (!head.isEmpty() && metrics.horizontalAdvance(head) > room)
        head.chop(1);
    return head + kEllipsis + tail;
}

} // namespace

//---- The row steps ------------------------------------------------------------------

void TLarkCustomListBox::PaintRow(QPainter& painter, const QRect& row, int index, TOwnerDrawState state)
{
    painter.save();
    TCanvas canvas(&painter);
    canvas.Font().AssignQFont(ItemFont());
    canvas.Font().SetColor(ItemTextColor());
    canvas.Brush().SetColor(BackgroundColor());

    const bool enabled = isEnabled();
    const bool focusHidden = enabled ? FHideFocus : true;
    const TColor selection = enabled && !(FHideSelection && !hasFocus()) ? FSelectedColor : clNone;
    // A handler may have taken rows away while the view was painting them.
    if (index >= Count())
        index = -1;
    // A selection that is not shown is not drawn by the content either.
    if (selection == clNone)
        state &= ~TOwnerDrawState(odSelected);
    if (state.testFlag(odSelected)) {
        canvas.Brush().SetColor(FSelectedColor);
        canvas.Font().SetColor(FSelectedFontColor);
        canvas.Font().SetStyle(canvas.Font().Style() | FSelectedFontStyle);
    }
    QRect r = row;
    canvas.FillRect(r);
    if (index >= 0 && width() < FHorzWidth && FLargeTextOptions == lbltHorzScrollBar)
        r.setWidth(std::max(r.width(), FHorzWidth + 2 * FMargin - r.left()));
    if (index >= 0)
        DrawItem(canvas, index, r, state);

    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    int bottom = r.top() + r.height();
    if (FHorzGridLine) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetStyle(FHorzGridStyle);
        canvas.Pen().SetColor(FHorzGridColor);
        canvas.MoveTo(left, bottom - 1);
        canvas.LineTo(right, bottom - 1);
    }
    if (state.testFlag(odFocused) && !focusHidden) {
        if (bottom == top)
            bottom = top + FItemHeight;
        if (FBeveledFocus) {
            canvas.Pen().SetStyle(psSolid);
            canvas.Pen().SetWidth(1);
            canvas.Pen().SetColor(FBevelFocusDarkColor);
            canvas.MoveTo(left, bottom - 1);
            canvas.LineTo(left, top);
            canvas.LineTo(right - 1, top);
            canvas.Pen().SetColor(FBevelFocusLightColor);
            canvas.MoveTo(right - 1, top);
            canvas.LineTo(right - 1, bottom - 1);
            canvas.LineTo(left, bottom - 1);
        } else {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = RectLTRB(left, top, right, bottom);
            focus.backgroundColor = ToQColor(canvas.Brush().Color(), this);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
    painter.restore();
}

TColor TLarkCustomListBox::ItemTextColor() const
{
    return isEnabled() ? FromQColor(palette().color(QPalette::Active, QPalette::Text))
                       : FromQColor(palette().color(QPalette::Disabled, QPalette::Text));
}

void TLarkCustomListBox::DrawItem(TCanvas& canvas, int index, const QRect& r, TOwnerDrawState state)
{
    DrawPlainItem(canvas, index, r, state);
}

void TLarkCustomListBox::MeasureItem(int index, int& height)
{
    MeasurePlainItem(index, height);
}

// An empty list still shows its background, grid line and focus frame.
void TLarkCustomListBox::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (Count() != 0)
        return;
    QPainter painter(viewport());
    TOwnerDrawState state;
    if (hasFocus())
        state |= odFocused;
    PaintRow(painter, QRect(0, 0, viewport()->width(), FItemHeight), -1, state);
}

//---- Plain text -----------------------------------------------------------------------

void TLarkCustomListBox::DrawPlainItem(TCanvas& canvas, int index, const QRect& r, TOwnerDrawState state)
{
    const QRect text = RectLTRB(r.left() + FMargin, r.top(), r.left() + r.width() - FMargin, r.top() + r.height() - 1);
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, text, state);
        return;
    }
    QPainter* painter = canvas.Painter();
    if (!painter || text.isEmpty())
        return;
    QString value = GetStringValue(index);
    const QFont font = canvas.Font().ToQFont();
    const QFontMetrics metrics(font);
    int flags = Qt::TextExpandTabs;
    if (layoutDirection() == Qt::RightToLeft)
        flags |= Qt::AlignRight;
    if (FMultiline) {
        flags |= Qt::TextWordWrap | Qt::AlignTop;
    } else {
        flags |= Qt::TextSingleLine | Qt::AlignVCenter;
        if (FLargeTextOptions == lbltEndEllipsis)
            value = metrics.elidedText(value, Qt::ElideRight, text.width());
        else if (FLargeTextOptions == lbltPathEllipsis)
            value = PathEllipsis(value, metrics, text.width());
    }
    painter->save();
    painter->setClipRect(text, Qt::IntersectClip);
    painter->setFont(font);
    painter->setPen(ToQColor(canvas.Font().Color(), this));
    painter->drawText(text, flags, value);
    painter->restore();
}

void TLarkCustomListBox::MeasurePlainItem(int index, int& height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, index, height);
    // The handler may have taken the row away.
    if (index < 0 || index >= Count() || !FAutoHeight)
        return;
    const QFontMetrics metrics(ItemFont());
    const QString text = GetStringValue(index);
    const QRect measured = FMultiline
        ? metrics.boundingRect(QRect(0, 0, viewport()->width(), 0), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        : metrics.boundingRect(QRect(), Qt::TextExpandTabs, text);
    // An empty row still has a line's height.
    const int needed = std::max(measured.height(), metrics.height());
    if (height < needed)
        height = needed + 1;
}

int TLarkCustomListBox::ItemTextWidth(int index)
{
    const QFontMetrics metrics(ItemFont());
    const QString text = GetStringValue(index);
    const QRect measured = FMultiline
        ? metrics.boundingRect(QRect(0, 0, viewport()->width(), 0), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        : metrics.boundingRect(QRect(), Qt::TextExpandTabs, text);
    return measured.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

} // namespace lark
