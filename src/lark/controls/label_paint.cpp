// Painting the HTML label.
//
//   1. fill the client area with the background colour (not when Transparent)
//   2. a designer's empty label: a dashed frame and nothing else
//   3. R := GetTextRect(); with AutoSize the document starts inside R at the
//      padding's left and top, otherwise at R's corner
//   4. draw the document: enabled with DrawText, disabled with DrawTextEx in
//      the palette's disabled text colour; plain text (IsHTML off) as it is
//
// Buffered painting draws the document into an image first and puts the
// image at R, so that the drawing is clipped to R exactly as a bitmap of R's
// size would clip it. The image starts with what the client area holds
// under R: the background colour, or nothing for a transparent label (the
// image is then laid over the parent's pixels). Painting never parses.
#include <lark/controls/label.h>
#include "lark/controls/label_p.h"

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QPaintEvent>
#include <QPainter>

namespace lark {

void TLarkCustomHTMLLabel::paintEvent(QPaintEvent*)
{
    if (UpdatingLocked() || width() == 0 || height() == 0)
        return;
    QPainter painter(this);
    TCanvas canvas(&painter);
    Paint(canvas);
}

void TLarkCustomHTMLLabel::Paint(TCanvas& canvas)
{
    if (UpdatingLocked() || width() == 0 || height() == 0)
        return;
    const TColor background = BackgroundColor();
    canvas.Brush().SetColor(background);
    if (!FTransparent)
        canvas.FillRect(rect());
    if (IsDesigning() && IsEmpty()) {
        PaintDesignFrame(canvas);
        return;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    const QRect r = GetTextRect();
    const QPoint paddingShift = FAutoSize ? QPoint(Padding()->Left(), Padding()->Top()) : QPoint();
    if (FDoubleBuffered)
        PaintBuffered(canvas, r, paddingShift);
    else
        DrawDocument(canvas, r.translated(paddingShift), rect());
}

void TLarkCustomHTMLLabel::PaintDesignFrame(TCanvas& canvas)
{
    canvas.Pen().SetStyle(psDash);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(RectLTRB(0, 0, width(), height()));
}

// Only the part of R inside the client area is buffered: the rest could not
// show anyway, and R may be as tall as a long document.
void TLarkCustomHTMLLabel::PaintBuffered(TCanvas& canvas, const QRect& r, QPoint paddingShift)
{
    const QRect visible = r.intersected(rect());
    QPainter* painter = canvas.Painter();
    if (visible.isEmpty() || !painter)
        return;
    const qreal ratio = PaintDeviceRatio(*painter);
    const QSize pixels = (QSizeF(visible.size()) * ratio).toSize();
    // An opaque label's image has no use for alpha, and an opaque image is
    // copied onto the surface rather than blended.
    const QImage::Format format = FTransparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (FBuffer.size() != pixels || FBuffer.format() != format)
        FBuffer = QImage(pixels, format);
    FBuffer.setDevicePixelRatio(ratio);
    FBuffer.fill(FTransparent ? QColor(Qt::transparent) : ToQColor(BackgroundColor(), this));

    // Where the document's area lies in the image.
    const QRect area(r.topLeft() + paddingShift - visible.topLeft(), r.size());
    {
        TCanvas buffer(&FBuffer);
        buffer.Brush().SetColor(Color());
        buffer.Font().Assign(Font());
        DrawDocument(buffer, area, QRect(QPoint(0, 0), visible.size()));
    }
    painter->drawImage(visible.topLeft(), FBuffer);
    // The engine maps mouse positions through the area of the last paint;
    // give it the area in client coordinates, not in the image's.
    if (TLarkHTMLData* data = Render()->Data(); data && FIsHTML)
        data->SetRect(area.translated(visible.topLeft()));
}

void TLarkCustomHTMLLabel::DrawDocument(TCanvas& canvas, const QRect& r, const QRect& clipRect)
{
    if (!FIsHTML) {
        DrawPlainText(canvas, r);
        return;
    }
    DrawHostDocument(canvas, FOffset, r, clipRect);
}

// Drawn like the platform's DrawText without flags: top-left, no wrapping,
// line breaks honoured, "&" marking a mnemonic, clipped to R.
void TLarkCustomHTMLLabel::DrawPlainText(TCanvas& canvas, const QRect& r)
{
    QPainter* painter = canvas.Painter();
    if (!painter || r.isEmpty())
        return;
    const QString text = detail::PlainLines(GetSourceText());
    painter->save();
    painter->setFont(Font().ToQFont());
    painter->setPen(ToQColor(isEnabled() ? StyledTextColor(QPalette::WindowText) : DisabledTextColor(), this));
    painter->drawText(r, Qt::TextShowMnemonic, text);
    painter->restore();
}

} // namespace lark
