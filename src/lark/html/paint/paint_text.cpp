// Text runs: colours, font and position of one hitChar or hitVar item.
//
// The run is drawn from its cached glyph layout with its base line at
//   line top + line height - line descent
// (a run followed by an embedded control on its line uses its own height
// instead of the line's), raised by half its height for a superscript and
// lowered by a quarter for a subscript. A background colour fills the text
// cell (advance by ascent + descent) behind the glyphs.

#include "lark/html/paint/paint_p.h"
#include "lark/html/paint/synthetic_bold_p.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>

#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace lark::detail {

namespace {

struct RunColors
{
    TColor Text = clNone;
    TColor Background = clNone;
    TFontStyles Style;
};

// The selected item shows in the highlight colours (or the selection's
// over-colours). Other runs without a colour of their own take the
// over-colours when asked to; links then take the link style alone and the
// link colour unless they have a colour of their own.
RunColors ChooseColors(const PaintContext& ctx, const TLarkHTMLItem& item)
{
    const PaintRequest& request = ctx.Request;
    const TLarkHTMLData& data = ctx.Data;
    RunColors colors;
    colors.Style = item.FontStyle;
    if (request.TextOnly) {
        colors.Text = request.Color;
        if (item.IsLink())
            colors.Style = data.LinkStyle();
        return colors;
    }
    if (&item == data.SelectedItem()) {
        colors.Background = request.UseOverColors ? request.SelBkColor : data.HighlightBgColor();
        colors.Text = request.UseOverColors ? request.SelColor : data.HighlightColor();
    }
    else {
        const bool overColors = request.UseOverColors && item.FFntCnt == 0;
        colors.Background = overColors ? request.BkColor : item.FontBgColor;
        colors.Text = overColors ? request.Color : item.FontColor;
        if (item.IsLink()) {
            colors.Style = data.LinkStyle();
            colors.Text = item.FontColor == clNone ? data.LinkColor() : item.FontColor;
        }
    }
    if (request.AdjustFrom != clNone)
        colors.Text = AdjustContrast(colors.Text, request.AdjustFrom, ctx.Palette);
    return colors;
}

// The lines QPainter::drawText puts under and through a run, drawn as it
// draws them, so that a run painted from its glyphs looks the same: the
// face's line thickness from the run's start to its end (both rounded down),
// the underline on the pixel row below the face's underline position (kept
// inside the descent), the strike-out a third of the ascent above the base
// line.
void DrawDecorations(QPainter& painter, QPointF origin, qreal advance, const QRawFont& face, TFontStyles style)
{
    const QPen textPen = painter.pen();
    QPen pen = textPen;
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(face.lineThickness());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const qreal left = std::floor(origin.x());
    const qreal right = std::floor(origin.x() + advance);
    if (style.Contains(fsUnderline)) {
        const qreal position = face.underlinePosition();
        qreal offset = std::ceil(position) + 0.5;
        if (position <= face.descent())
            offset = std::min(offset, face.descent() - 0.5);
        painter.drawLine(QLineF(left, origin.y() + offset, right, origin.y() + offset));
    }
    if (style.Contains(fsStrikeOut)) {
        const qreal y = origin.y() - face.ascent() / 3.0;
        painter.drawLine(QLineF(left, y, right, y));
    }
    painter.setPen(textPen);
}

// A run laid out glyph by glyph, with its decorations drawn here rather than
// by QPainter, which places a glyph run's lines in device space: wrong inside
// a widget painted through its window's backing store.
void DrawGlyphByGlyph(QPainter& painter, QPointF origin, const Measurer::PreparedRun& run, TFontStyles style)
{
    for (QGlyphRun glyphs : run.Glyphs) {
        glyphs.setUnderline(false);
        glyphs.setStrikeOut(false);
        glyphs.setOverline(false);
        painter.drawGlyphRun(origin, glyphs);
    }
    DrawDecorations(painter, origin, run.Advance, run.Font->Raw(), style);
}

int BaseLineOf(const PaintContext& ctx, TLarkHTMLItem& item, int index)
{
    const int lineHeight = ctx.LastControl > index ? item.FHeight : ctx.Hl;
    std::int64_t baseLine = ctx.Y + lineHeight - ctx.D;
    if (item.IsSuper() || item.IsSub()) {
        int descent = 0;
        const int height = item.GetHeight(descent);
        if (item.IsSuper())
            baseLine -= height / 2;
        if (item.IsSub())
            baseLine += height / 4;
    }
    return ctx.SurfaceY(baseLine);
}

} // namespace

bool CellMayShow(const PaintContext& ctx, int x, int baseLine, int width, const Measurer::FontMetrics& metrics)
{
    // Glyphs may overhang their cell a little (italics, accents); a cell
    // height of slack keeps them.
    const std::int64_t slack = std::int64_t(metrics.Height) + 2;
    const QRect& visible = ctx.Visible;
    return std::int64_t(baseLine) - metrics.Ascent - slack <= visible.bottom()
        && std::int64_t(baseLine) + metrics.Descent + slack >= visible.top() && x - slack <= visible.right()
        && std::int64_t(x) + width + slack >= visible.left();
}

Measurer::FontEntry* RunFontAt(PaintContext& ctx, int index)
{
    if (index < 0 || index >= ctx.Data.ItemCount())
        return nullptr;
    const TLarkHTMLItem& item = *ctx.Data.Items()[size_t(index)];
    return &ctx.Fonts.Entry(item.FFontRef, item.EffectiveFontHeight(), ChooseColors(ctx, item).Style);
}

void PaintTextRun(PaintContext& ctx, TLarkHTMLItem& item, int index)
{
    const RunColors colors = ChooseColors(ctx, item);
    Measurer::FontEntry& font = ctx.Fonts.Entry(item.FFontRef, item.EffectiveFontHeight(), colors.Style);
    ctx.NumberFont = &font;
    if (!ctx.Drawing || !ctx.Painter)
        return;

    const Measurer::FontMetrics& metrics = font.Metrics();
    const int x = ctx.SurfaceX(ctx.X);
    const int baseLine = BaseLineOf(ctx, item, index);
    if (!CellMayShow(ctx, x, baseLine, item.FWidth, metrics))
        return;
    QPainter& painter = *ctx.Painter;
    // On a scaled (high-DPI) device QPainter lays the text out itself: glyph
    // positions and lines then follow the device's scale. Decorated runs that
    // needed shaping are left to it too, as it splits their lines by script.
    const bool scaledDevice = painter.device() && painter.device()->devicePixelRatioF() != 1.0;
    const bool decorated = colors.Style.Contains(fsUnderline) || colors.Style.Contains(fsStrikeOut);
    const Measurer::PreparedRun& run = ctx.Fonts.Prepare(
        &item, font, item.Text(), scaledDevice ? Measurer::PrepareMode::WidthOnly : Measurer::PrepareMode::Glyphs);
    if (!CellMayShow(ctx, x, baseLine, run.Width, metrics))
        return;

    if (colors.Background != clNone && run.Width > 0)
        painter.fillRect(QRect(x, baseLine - metrics.Ascent, run.Width, metrics.Height),
                         ToQColor(colors.Background, ctx.Palette));
    painter.setPen(ToQColor(colors.Text, ctx.Palette));
    const QPointF origin(x, baseLine);
    if (run.Plain || scaledDevice || (decorated && !run.GlyphByGlyph)) {
        painter.setFont(font.Font());
        painter.drawText(QPoint(x, baseLine), run.Text);
        if (scaledDevice)
            RestoreSyntheticBold(painter, font.Font(), origin, run.Text);
        return;
    }
    if (decorated) {
        DrawGlyphByGlyph(painter, origin, run, colors.Style);
        return;
    }
    for (const QGlyphRun& glyphs : run.Glyphs)
        painter.drawGlyphRun(origin, glyphs);
}

} // namespace lark::detail
