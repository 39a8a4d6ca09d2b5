// Painting the HTML panel.
//
//   1. the background in Color, then the frame from the outside in:
//      outer bevel, border ring (the background shows), inner bevel
//   2. with ShowCaption, the text at GetTextRect(): the document (enabled
//      with DrawText, disabled with DrawTextEx in grey) or, with IsHTML off,
//      the plain caption
//
// The text is clipped to the inside of the frame, so that a document taller
// or wider than the panel never covers the bevels. Buffered painting draws
// the visible part of the text rectangle into an image first, in client
// coordinates (the image's painter is moved), so that the engine places
// embedded controls and records the document's area exactly as when it draws
// on the widget. Painting never parses.
#include "lark/controls/label_p.h"
#include <lark/controls/panel.h>

#include <lark/framework/canvas.h>
#include <lark/framework/frame3d.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QPaintEvent>
#include <QPainter>

#include <array>

namespace lark {

namespace {

struct BevelColors
{
    TColor Top;
    TColor Bottom;
};

// By TPanelBevel; clNone stands for the panel's own colour (a flat space).
constexpr std::array<BevelColors, 4> kBevelColors{ {
    { clNone, clNone },                 // bvNone (not drawn)
    { clBtnShadow, clBtnHighlight },    // bvLowered
    { clBtnHighlight, clBtnShadow },    // bvRaised
    { clNone, clNone },                 // bvSpace
} };

void DrawBevel(TCanvas& canvas, QRect& r, TPanelBevel bevel, int width, TColor face)
{
    if (bevel == bvNone)
        return;
    const BevelColors colors = kBevelColors[std::size_t(bevel)];
    Frame3D(canvas, r, colors.Top == clNone ? face : colors.Top, colors.Bottom == clNone ? face : colors.Bottom,
            width);
}

} // namespace

void TLarkCustomHTMLPanel::paintEvent(QPaintEvent*)
{
    if (UpdatingLocked() || width() == 0 || height() == 0)
        return;
    QPainter painter(this);
    TCanvas canvas(&painter);
    Paint(canvas);
}

void TLarkCustomHTMLPanel::Paint(TCanvas& canvas)
{
    if (UpdatingLocked() || width() == 0 || height() == 0)
        return;
    PaintFrame(canvas);
    if (!FShowCaption)
        return;
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    const QRect area = GetTextRect();
    const QRect clip = InnerRect();
    if (FDoubleBuffered) {
        PaintBuffered(canvas, area, clip);
        return;
    }
    // The engine only skips what lies wholly outside the clip rectangle; the
    // painter cuts what straddles it.
    canvas.SetClipRect(clip);
    DrawDocument(canvas, area, clip);
    canvas.ClearClip();
}

void TLarkCustomHTMLPanel::PaintFrame(TCanvas& canvas)
{
    QRect r = rect();
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(r);
    DrawBevel(canvas, r, FBevelOuter, FBevelWidth, FColor);
    // The border ring is the background already filled.
    r.adjust(FBorderWidth, FBorderWidth, -FBorderWidth, -FBorderWidth);
    DrawBevel(canvas, r, FBevelInner, FBevelWidth, FColor);
}

void TLarkCustomHTMLPanel::PaintBuffered(TCanvas& canvas, const QRect& r, const QRect& clip)
{
    const QRect visible = r.intersected(clip);
    QPainter* painter = canvas.Painter();
    if (visible.isEmpty() || !painter)
        return;
    const qreal ratio = PaintDeviceRatio(*painter);
    const QSize pixels = (QSizeF(visible.size()) * ratio).toSize();
    if (FBuffer.size() != pixels)
        FBuffer = QImage(pixels, QImage::Format_RGB32);
    FBuffer.setDevicePixelRatio(ratio);
    // What the panel holds under the text: its background.
    FBuffer.fill(ToQColor(FColor, this));
    {
        QPainter bufferPainter(&FBuffer);
        bufferPainter.translate(-visible.topLeft());
        TCanvas buffer(&bufferPainter);
        buffer.Brush().SetColor(FColor);
        buffer.Font().Assign(Font());
        DrawDocument(buffer, r, visible);
    }
    painter->drawImage(visible.topLeft(), FBuffer);
}

void TLarkCustomHTMLPanel::DrawDocument(TCanvas& canvas, const QRect& r, const QRect& clipRect)
{
    if (!FIsHTML) {
        DrawPlainText(canvas, r, clipRect);
        return;
    }
    DrawHostDocument(canvas, FOffset, r, clipRect);
}

// Top-left in R, no wrapping, line breaks honoured, "&" marking a mnemonic.
void TLarkCustomHTMLPanel::DrawPlainText(TCanvas& canvas, const QRect& r, const QRect& clipRect)
{
    QPainter* painter = canvas.Painter();
    if (!painter || r.isEmpty())
        return;
    painter->save();
    painter->setClipRect(clipRect, Qt::IntersectClip);
    painter->setFont(Font().ToQFont());
    painter->setPen(ToQColor(isEnabled() ? StyledTextColor(QPalette::WindowText) : DisabledTextColor(), this));
    painter->drawText(r, Qt::TextShowMnemonic, detail::PlainLines(GetSourceText()));
    painter->restore();
}

} // namespace lark
