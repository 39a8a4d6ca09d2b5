#pragma once
// TCanvas: the component model's drawing surface over a QPainter.
//
// A canvas draws on a QImage, a QPixmap or a widget (it begins painting on
// the first drawing call and ends in its destructor or in Release), or
// through a QPainter that somebody else owns. It keeps its own font, brush,
// pen, text alignment, pen position and clip, and sets the painter from them
// for each drawing call, so the painter's own state never leaks in.
//
// Rectangles follow the component model: right and bottom are exclusive.
// Build them with RectLTRB(left, top, right, bottom) and nowhere else:
//
//   canvas.Brush().SetColor(clRed);
//   canvas.FillRect(RectLTRB(0, 0, 10, 5));   // fills x 0..9, y 0..4
//
// Shapes are not antialiased; lines and polylines leave out their last point.

#include <lark/framework/color.h>
#include <lark/framework/font.h>

#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QPainter;
class QPaintDevice;
class QPixmap;
class QWidget;

namespace lark {

// The rectangle from (left, top) up to but not including (right, bottom).
constexpr QRect RectLTRB(int left, int top, int right, int bottom) noexcept
{
    return QRect(left, top, right - left, bottom - top);
}

// Vertical reference point of TextOut; text is always left-aligned.
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

enum TBrushStyle { bsSolid, bsClear };

class TBrush
{
public:
    TColor Color() const { return FColor; }
    // Choosing a colour makes a clear brush solid, as the component model does.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value) { FStyle = value; }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class TPen
{
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    // Width 0 draws one pixel wide, like 1. Dashes and dots exist only for
    // one-pixel pens; wider pens draw solid.
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value) { FStyle = value; }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};

// The device pixel ratio painter draws at: that of the device it really
// paints on (a widget painted into a grab or a print preview paints on that
// image, not on the screen), 1 without a device. Off-screen buffers use it
// so that they stay as sharp as direct painting.
qreal PaintDeviceRatio(const QPainter& painter);

class TCanvas
{
public:
    explicit TCanvas(QPaintDevice* device);
    // Draws through painter, which must stay active while the canvas is
    // used; drawing calls leave their pen, brush, font and clip on it.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    TBrush& Brush() { return FBrush; }
    const TBrush& Brush() const { return FBrush; }
    TPen& Pen() { return FPen; }
    const TPen& Pen() const { return FPen; }
    unsigned TextAlign() const { return FTextAlign; }
    void SetTextAlign(unsigned value) { FTextAlign = value; }

    // Draws text at x with y as its top, base line or bottom (TextAlign), in
    // the font's colour; a solid brush first fills the text cell (the
    // advance width by the font height). The pen moves to the text's end.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    // The font's height (ascent + descent), whatever the text.
    int TextHeight(const QString& text) const;
    QSize TextExtent(const QString& text) const;

    // Fills with the brush; a clear brush fills nothing.
    void FillRect(const QRect& rect);
    // Fills with the brush and outlines with the pen, inside rect.
    // Empty or inverted rectangles draw nothing, as for Ellipse.
    void Rectangle(const QRect& rect);
    void Ellipse(const QRect& rect);
    void Polyline(const QList<QPoint>& points);
    void MoveTo(int x, int y);
    // A line with the pen from the pen position up to (x, y), which is left
    // out; the pen position becomes (x, y).
    void LineTo(int x, int y);
    QPoint PenPos() const { return FPenPos; }
    void SetPenPos(const QPoint& value) { FPenPos = value; }

    // Scales image into rect (nearest pixel, no smoothing).
    void StretchDraw(const QRect& rect, const QImage& image);
    void Draw(int x, int y, const QImage& image);
    void Draw(int x, int y, const QPixmap& pixmap);
    // Replaces the pixels of dest (alpha included) with the pixels of src's
    // device in srcRect, scaled when the sizes differ. A widget that is being
    // painted cannot be read back: its area copies as its background colour.
    void CopyRect(const QRect& dest, TCanvas& src, const QRect& srcRect);

    // The box of the area drawing can reach: the device, cut by the clip
    // rectangle and the paint event's region; empty without a device.
    QRect ClipRect() const;
    void SetClipRect(const QRect& rect);
    void ClearClip();

    // The active painter, begun on demand; nullptr when the device cannot
    // be painted (a null image, a widget outside its paint event).
    QPainter* Painter();
    QPaintDevice* Device() const;
    // Metrics of Font() on this canvas's device.
    QFontMetrics FontMetrics() const;
    // Ends painting on an owned device so that it can be read or resized;
    // the next drawing call begins again with the canvas's state.
    void Release();

private:
    QPainter* ActivePainter();
    QColor Resolve(TColor color) const;
    const QWidget* ColorSource() const;
    void UsePen(QPainter& painter) const;
    void UseBrush(QPainter& painter) const;
    QImage ReadPixels(const QRect& rect);

    QPaintDevice* FDevice = nullptr;
    QPainter* FExternal = nullptr;
    std::unique_ptr<QPainter> FOwned;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    unsigned FTextAlign = TA_TOP;
    QPoint FPenPos;
    std::optional<QRect> FClip;
    mutable std::optional<QFontMetrics> FMetrics;
};

} // namespace lark
