// Painting of check boxes and radio buttons: through the host's style (hot
// while the mouse is over the item, a focus frame while it is selected), or
// in the classic sunken look when no widget style exists (an application
// without QApplication). Also the paint pass's step for input items.
#include "lark/html/paint/paint_inputs_p.h"

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QWidget>

#include <algorithm>

namespace lark {

namespace {

// The host whose style and palette the box is drawn with, or nullptr.
QWidget* HostOf(const TLarkHTMLInputItem& item)
{
    const TLarkHTMLRender* render = item.FOwner ? item.FOwner->Render() : nullptr;
    return render ? render->Control() : nullptr;
}

// Widget styles exist only in a widget application.
QStyle* StyleFor(const QWidget* host)
{
    if (host)
        return host->style();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return QApplication::style();
    return nullptr;
}

// Check boxes and radio buttons are square: the largest square that fits,
// centred.
QRect CentredSquare(const QRect& rect)
{
    const int side = std::min(rect.width(), rect.height());
    return QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
}

QPalette PaletteFor(const QWidget* host)
{
    return host ? host->palette() : QGuiApplication::palette();
}

void DrawStyledBox(QStyle& style, QPainter& painter, const QWidget* host, const QRect& rect,
                   const TLarkHTMLInputItem& item, bool hot)
{
    QStyleOptionButton option;
    if (host)
        option.initFrom(host);
    else
        option.palette = PaletteFor(nullptr);
    option.rect = CentredSquare(rect);
    // The item's own state only: never disabled, never pressed, and the
    // host's focus or hover say nothing about the item.
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    option.state |= item.Checked() ? QStyle::State_On : QStyle::State_Off;
    if (hot)
        option.state |= QStyle::State_MouseOver;
    const auto element =
        item.InputType() == itRadioButton ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
    style.drawPrimitive(element, &option, &painter, host);
}

void DrawStyledFocus(QStyle& style, QPainter& painter, const QWidget* host, const QRect& rect, const QColor& background)
{
    QStyleOptionFocusRect option;
    if (host)
        option.initFrom(host);
    else
        option.palette = PaletteFor(nullptr);
    option.rect = rect;
    option.state = QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    option.backgroundColor = background;
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, host);
}

void DrawDottedFocus(QPainter& painter, const QRect& rect)
{
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace

namespace detail {

void DrawClassicInput(QPainter& painter, const QRect& rect, TLarkHTMLInputType type, bool checked,
                      const QPalette& palette)
{
    // A two-pixel sunken edge around the field.
    const QRect box = CentredSquare(rect);
    const int side = box.width();
    if (side <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, type == itRadioButton);
    if (type == itRadioButton) {
        const QRectF outer = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(palette.color(QPalette::Dark), 1));
        painter.setBrush(palette.color(QPalette::Base));
        painter.drawEllipse(outer);
        painter.setPen(QPen(palette.color(QPalette::Shadow), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(outer.adjusted(1, 1, -1, -1));
        if (checked && side >= 6) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette.color(QPalette::Text));
            const qreal dot = side / 3.0;
            painter.drawEllipse(QRectF(box).center() - QPointF(dot / 2, dot / 2), dot, dot);
        }
        painter.restore();
        return;
    }
    const int r = box.right();
    const int b = box.bottom();
    painter.fillRect(box.adjusted(2, 2, -2, -2), palette.color(QPalette::Base));
    // Outer edge: shadow above and left, highlight below and right; the
    // inner edge darker above, face colour below.
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(box.left(), box.top(), r - 1, box.top());
    painter.drawLine(box.left(), box.top(), box.left(), b - 1);
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(box.left(), b, r, b);
    painter.drawLine(r, box.top(), r, b);
    painter.setPen(palette.color(QPalette::Shadow));
    painter.drawLine(box.left() + 1, box.top() + 1, r - 2, box.top() + 1);
    painter.drawLine(box.left() + 1, box.top() + 1, box.left() + 1, b - 2);
    painter.setPen(palette.color(QPalette::Button));
    painter.drawLine(box.left() + 1, b - 1, r - 1, b - 1);
    painter.drawLine(r - 1, box.top() + 1, r - 1, b - 1);
    if (checked && side >= 8) {
        // A tick in the field, three pixels thick in a 13-pixel box.
        const QRectF field = QRectF(box.adjusted(2, 2, -2, -2));
        QPainterPath tick;
        tick.moveTo(field.left() + field.width() * 0.2, field.top() + field.height() * 0.5);
        tick.lineTo(field.left() + field.width() * 0.42, field.top() + field.height() * 0.72);
        tick.lineTo(field.left() + field.width() * 0.8, field.top() + field.height() * 0.28);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette.color(QPalette::Text), std::max(1.0, side / 6.0), Qt::SolidLine,
                            Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.restore();
}

void PaintInputItem(PaintContext& ctx, TLarkHTMLItem& item)
{
    if (!ctx.Drawing)
        return;
    auto* input = dynamic_cast<TLarkHTMLInputItem*>(&item);
    if (!input || !input->ControlPainter())
        return;
    // As high as the input without the gap, standing on the line's bottom.
    const std::int64_t left = std::int64_t(ctx.Offset.x()) + ctx.X - ctx.Request.Source.x();
    const std::int64_t bottom = std::int64_t(ctx.Offset.y()) + ctx.Y + ctx.Hl - ctx.Request.Source.y();
    const std::int64_t top = bottom + ctx.Data.LineGap() - item.FHeight;
    const QRect box = RectLTRB(SaturatingInt(left), SaturatingInt(top),
                               SaturatingInt(left + item.FWidth), SaturatingInt(bottom));
    if (box.isEmpty() || !box.intersects(ctx.Visible))
        return;
    input->ControlPainter()->PaintTo(ctx.Surface, box);
}

} // namespace detail

void TLarkHTMLCheckBoxPainter::PaintTo(TCanvas& canvas, const QRect& aRect)
{
    if (!FInputItem || aRect.isEmpty())
        return;
    QPainter* painter = canvas.Painter();
    if (!painter)
        return;
    const TLarkHTMLData* data = FInputItem->FOwner;
    const bool hot = data && data->ActiveItem() == FInputItem;
    const bool selected = data && data->SelectedItem() == FInputItem;
    const QWidget* host = HostOf(*FInputItem);
    QStyle* style = StyleFor(host);

    painter->save();
    // Styles may draw their indicator at a size of their own; it stays in
    // the item's box.
    painter->setClipRect(aRect, Qt::IntersectClip);
    if (style)
        DrawStyledBox(*style, *painter, host, aRect, *FInputItem, hot);
    else
        detail::DrawClassicInput(*painter, aRect, FInputItem->InputType(), FInputItem->Checked(), PaletteFor(host));
    painter->restore();
    if (!selected)
        return;
    canvas.Brush().SetStyle(bsSolid);
    painter->save();
    if (style)
        DrawStyledFocus(*style, *painter, host, aRect, ToQColor(canvas.Brush().Color(), host));
    else
        DrawDottedFocus(*painter, aRect);
    painter->restore();
}

} // namespace lark
