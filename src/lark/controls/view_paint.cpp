// Painting the view: the style's frame, the corner between the scroll bars,
// the background (a colour, a banded gradient, or nothing so that the parent
// shows through) and the document at the scroll position. Painting never
// parses; Qt's backing store is the off-screen buffer, so scrolling does not
// flicker.
#include <lark/controls/view.h>

#include <lark/framework/canvas.h>
#include <lark/html/paint/gradient.h>
#include <lark/html/render.h>

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lark {

//---- Colours ------------------------------------------------------------------

TColor TLarkCustomHTMLView::FillColor() const
{
    // The default colour is the style's edit background, which has a
    // variant of its own for a disabled edit.
    if (FColor == clWindow && !isEnabled())
        return FromQColor(palette().color(QPalette::Disabled, QPalette::Base));
    return FColor;
}

//---- Paint ----------------------------------------------------------------------

void TLarkCustomHTMLView::paintEvent(QPaintEvent*)
{
    if (UpdatingLocked())
        return;
    FPainting = true;
    const auto done = qScopeGuard([this] { FPainting = false; });
    QPainter painter(this);
    PaintFrame(painter);
    TCanvas canvas(&painter);
    PaintBackground(canvas, ClientRect());
    PaintDocument(canvas);
}

void TLarkCustomHTMLView::PaintFrame(QPainter& painter)
{
    const QRect inner = InnerRect();
    const QRect client = ClientRect();
    if (!FTransparent) {
        // The frame's inner ring and the corner between the bars are the
        // view's own pixels (the frame may not cover its whole width).
        const QRegion ring = QRegion(rect()) - QRegion(client);
        for (const QRect& r : ring)
            painter.fillRect(r, palette().window());
    }
    if (FVScrollVisible && FHScrollVisible) {
        // The square where the two bars meet, as scroll areas show it.
        const QRect corner(client.right() + 1, client.bottom() + 1, inner.right() - client.right(),
                           inner.bottom() - client.bottom());
        painter.fillRect(corner, palette().window());
    }
    if (FBorderStyle == bsNone)
        return;
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect();
    option.frameShape = QFrame::StyledPanel;
    option.state |= QStyle::State_Sunken;
    option.lineWidth = FrameWidth();
    option.midLineWidth = 0;
    style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
}

void TLarkCustomHTMLView::PaintBackground(TCanvas& canvas, const QRect& r)
{
    if (FTransparent) {
        // Qt painted the parent under the view already; numbers of ordered
        // lists then have no background of their own either.
        canvas.Brush().SetColor(clNone);
        return;
    }
    if (FBackgroundType == bgtColorFill) {
        canvas.Brush().SetColor(FillColor());
        canvas.FillRect(r);
        return;
    }
    const bool vertical = FBackgroundType == bgtVertGradient;
    FillGradient(canvas, ColorToRGB(FGradientStartColor, this), ColorToRGB(FGradientEndColor, this), vertical, r,
                 FGradientSteps, clNone);
    canvas.Brush().SetColor(clNone);
}

void TLarkCustomHTMLView::PaintDocument(TCanvas& canvas)
{
    TLarkHTMLRender& render = *Render();
    render.NotePaintSource(FOffset);
    if (isEnabled()) {
        render.DrawText(canvas, FOffset, FTextRect, clNone, FTextRect);
        PaintTextSelection(canvas, FOffset, FTextRect, FTextRect);
        return;
    }
    // Text without a colour of its own, and the selection, in the style's
    // disabled text colour.
    render.DrawTextEx(canvas, FOffset, FTextRect, true, clGrayText, clNone, clGrayText, clNone, clNone, FTextRect);
}

//---- Size and style -------------------------------------------------------------

void TLarkCustomHTMLView::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    const QRect before = FViewRect;
    SetViewRect(ClientRect());
    // A wrapped document is laid out for the new width (and shows its top).
    // Qt also delivers resize events that change nothing (each grab of a
    // hidden view sends its pending one again); a long document must not be
    // parsed again for those.
    if (FWordWrap && (FViewRect != before || NeedsRewrap()))
        RebuildDocument();
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    switch (e->type()) {
    case QEvent::StyleChange:
        // Another style has another frame width and scroll bar extent.
        UpdateScrollBars();
        update();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        update();
        break;
    case QEvent::FontChange:
        WidgetFontChanged();
        break;
    default:
        break;
    }
}

} // namespace lark
