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

#include <cmath>

namespace lark {

namespace {

// The widget's font as the canvas's font.
void TakeFont(TFont& Target, const QFont& Source)
{
    Target.SetName(Source.family());
    if (Source.pixelSize() > 0)
        Target.SetHeight(-Source.pixelSize());
    else
        Target.SetHeight(-int(std::lround(Source.pointSizeF() * Target.PixelsPerInch() / 72.0)));
    TFontStyles style;
    if (Source.bold())
        style.Include(fsBold);
    if (Source.italic())
        style.Include(fsItalic);
    if (Source.underline())
        style.Include(fsUnderline);
    if (Source.strikeOut())
        style.Include(fsStrikeOut);
    Target.SetStyle(style);
}

const QString kEllipsis = QStringLiteral("...");

// Characters go from the middle, and the text after the last path
// separator stays as long as anything can.
QString PathEllipsis(const QString& Text, const QFontMetrics& Metrics, int Width)
{
    if (Metrics.horizontalAdvance(Text) <= Width)
        return Text;
    const qsizetype cut = std::max(Text.lastIndexOf(u'\\'), Text.lastIndexOf(u'/'));
    if (cut <= 0)
        return Metrics.elidedText(Text, Qt::ElideMiddle, Width);
    const QString tail = Text.mid(cut);
    const int room = Width - Metrics.horizontalAdvance(kEllipsis) - Metrics.horizontalAdvance(tail);
    if (room < 0)
        return kEllipsis + Metrics.elidedText(tail, Qt::ElideRight, Width - Metrics.horizontalAdvance(kEllipsis));
    QString head = Text.left(cut);
    while (!head.isEmpty() && Metrics.horizontalAdvance(head) > room)
        head.chop(1);
    return head + kEllipsis + tail;
}

} // namespace

//---- The row steps ------------------------------------------------------------------

void TLarkCustomListBox::PaintRow(QPainter& Painter, const QRect& Row, int Index, TOwnerDrawState State)
{
    Painter.save();
    TCanvas canvas(&Painter);
    TakeFont(canvas.Font(), ItemFont());
    canvas.Font().SetColor(ItemTextColor());
    canvas.Brush().SetColor(BackgroundColor());

    const bool enabled = isEnabled();
    const bool focusHidden = enabled ? FHideFocus : true;
    const TColor selection = enabled && !(FHideSelection && !hasFocus()) ? FSelectedColor : clNone;
    // A handler may have taken rows away while the view was painting them.
    if (Index >= Count())
        Index = -1;
    // A selection that is not shown is not drawn by the content either.
    if (selection == clNone)
        State &= ~TOwnerDrawState(odSelected);
    if (State.testFlag(odSelected)) {
        canvas.Brush().SetColor(FSelectedColor);
        canvas.Font().SetColor(FSelectedFontColor);
        canvas.Font().SetStyle(canvas.Font().Style() | FSelectedFontStyle);
    }
    QRect r = Row;
    canvas.FillRect(r);
    if (Index >= 0 && width() < FHorzWidth && FLargeTextOptions == lbltHorzScrollBar)
        r.setWidth(std::max(r.width(), FHorzWidth + 2 * FMargin - r.left()));
    if (Index >= 0)
        DrawItem(canvas, Index, r, State);

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
    if (State.testFlag(odFocused) && !focusHidden) {
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
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &Painter, this);
        }
    }
    Painter.restore();
}

TColor TLarkCustomListBox::ItemTextColor() const
{
    return isEnabled() ? FromQColor(palette().color(QPalette::Active, QPalette::Text))
                       : FromQColor(palette().color(QPalette::Disabled, QPalette::Text));
}

void TLarkCustomListBox::DrawItem(TCanvas& Canvas, int Index, const QRect& R, TOwnerDrawState State)
{
    DrawPlainItem(Canvas, Index, R, State);
}

void TLarkCustomListBox::MeasureItem(int Index, int& Height)
{
    MeasurePlainItem(Index, Height);
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

void TLarkCustomListBox::DrawPlainItem(TCanvas& Canvas, int Index, const QRect& R, TOwnerDrawState State)
{
    const QRect text = RectLTRB(R.left() + FMargin, R.top(), R.left() + R.width() - FMargin, R.top() + R.height() - 1);
    if (OnDrawItem) {
        OnDrawItem(this, Canvas, Index, text, State);
        return;
    }
    QPainter* painter = Canvas.Painter();
    if (!painter || text.isEmpty())
        return;
    QString value = GetStringValue(Index);
    const QFont font = Canvas.Font().ToQFont();
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
    painter->setPen(ToQColor(Canvas.Font().Color(), this));
    painter->drawText(text, flags, value);
    painter->restore();
}

void TLarkCustomListBox::MeasurePlainItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
    // The handler may have taken the row away.
    if (Index < 0 || Index >= Count() || !FAutoHeight)
        return;
    const QFontMetrics metrics(ItemFont());
    const QString text = GetStringValue(Index);
    const QRect measured = FMultiline
        ? metrics.boundingRect(QRect(0, 0, viewport()->width(), 0), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        : metrics.boundingRect(QRect(), Qt::TextExpandTabs, text);
    // An empty row still has a line's height.
    const int needed = std::max(measured.height(), metrics.height());
    if (Height < needed)
        Height = needed + 1;
}

int TLarkCustomListBox::ItemTextWidth(int Index)
{
    const QFontMetrics metrics(ItemFont());
    const QString text = GetStringValue(Index);
    const QRect measured = FMultiline
        ? metrics.boundingRect(QRect(0, 0, viewport()->width(), 0), Qt::TextWordWrap | Qt::TextExpandTabs, text)
        : metrics.boundingRect(QRect(), Qt::TextExpandTabs, text);
    return measured.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

} // namespace lark
