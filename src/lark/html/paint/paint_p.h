#pragma once
// Internal: the paint pass, shared by paint.cpp (the walk over lines and
// items), paint_text.cpp (text runs), paint_bullets.cpp (list markers) and
// contrast.cpp.

#include "lark/html/layout/measure_p.h"

#include <lark/framework/color.h>
#include <lark/framework/saturate.h>

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cstdint>

class QPainter;
class QWidget;

namespace lark {
class TCanvas;
class TLarkHTMLBreakItem;
class TLarkHTMLData;
class TLarkHTMLItem;
class TLarkHTMLRender;
} // namespace lark

namespace lark::detail {

// The arguments of DrawTextEx.
struct PaintRequest
{
    QPoint Source;            // document point shown at the area's top-left
    QRect Area;               // the area on the target canvas
    bool UseOverColors = false;
    TColor Color = 0;         // runs without a colour of their own ...
    TColor BkColor = 0;       // ... and their background
    TColor SelColor = 0;      // the selected item's text ...
    TColor SelBkColor = 0;    // ... and background
    TColor AdjustFrom = clNone;
    QRect Clip;               // visible part of the host (embedded controls)
    // Every run in Color, no backgrounds: the selected text drawn over its
    // highlight (DrawTextInColor).
    bool TextOnly = false;
};

// Everything one paint works with. Document coordinates x, y are turned into
// surface coordinates by subtracting Source and adding Offset.
struct PaintContext
{
    TLarkHTMLRender& Render;
    TLarkHTMLData& Data;
    Measurer& Fonts;
    TCanvas& Surface;
    QPainter* Painter = nullptr; // the surface's painter; nullptr draws nothing
    const PaintRequest& Request;
    const QWidget* Palette = nullptr; // resolves system colours (the host)
    QPoint Offset;                    // where the area starts on the canvas
    QRect Visible;                    // what drawing can reach on the surface
    TColor Bg = clNone;               // the surface's brush colour at the start

    // The current line.
    TLarkHTMLBreakItem* Line = nullptr;
    int LineIndex = -1;   // index of its break item
    int LineEnd = 0;      // index one past its last item
    int LastControl = -1; // index of its last embedded control, -1 for none
    int Hl = 0;           // its height
    int D = 0;            // its descent
    int W = 0;            // max(its width, area width + 1)
    std::int64_t X = 0;
    std::int64_t Y = 0;

    // The font list numbers are drawn in: the last run's, or the surface's
    // own before any run.
    Measurer::FontEntry* NumberFont = nullptr;
    // False while walking a line only to place embedded controls.
    bool Drawing = true;

    int SurfaceX(std::int64_t x) const { return SaturatingInt(Offset.x() + x - Request.Source.x()); }
    int SurfaceY(std::int64_t y) const { return SaturatingInt(Offset.y() + y - Request.Source.y()); }
    // A colour for the canvas: system colours resolved through the host.
    TColor Resolve(TColor color) const;
};

// Paints the data's document; the frame (buffering, alignment) is the
// caller's.
void PaintItems(PaintContext& ctx);

// Draws a text run (hitChar, hitVar) at the current position; the caller
// advances x. Without drawing it only takes the run's font for list numbers.
void PaintTextRun(PaintContext& ctx, TLarkHTMLItem& item, int index);
// False when a text cell at x (width wide, base line baseLine) cannot
// reach the visible part of the surface.
bool CellMayShow(const PaintContext& ctx, int x, int baseLine, int width, const Measurer::FontMetrics& metrics);
// The font a text run is drawn in (its own, or the link style); nullptr for
// index -1.
Measurer::FontEntry* RunFontAt(PaintContext& ctx, int index);
// Draws the bullet or number of a list item line; a number advances x.
void PaintListMarker(PaintContext& ctx, TLarkHTMLBreakItem& item, int index);
// Draws an image item (hitBitmap) at the current position; the caller
// advances x.
void PaintImage(PaintContext& ctx, const TLarkHTMLItem& item);

// The colour k moved away from the luminance of from: darkened by half
// against a light colour, lightened by half against a dark one. clNone stays.
TColor AdjustContrast(TColor k, TColor from, const QWidget* palette);

} // namespace lark::detail
