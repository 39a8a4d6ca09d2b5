// Text runs: colours, font and position of one hitChar or hitVar item.
//
// The run is drawn from its cached glyph layout with its base line at
//   line top + line height - line descent
// (a run followed by an embedded control on its line uses its own height
// instead of the line's), raised by half its height for a superscript and
// lowered by a quarter for a subscript. A background colour fills the text
// cell (advance by ascent + descent) behind the glyphs.

#include "paint_p.h"

#include <lark/html/data.h>
#include <lark/html/items.h>

#include <QPaintDevice>
#include <QPainter>

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
    // Cached glyph runs place underline and strike-out lines in device space,
    // which is wrong on a scaled (high-DPI) device and inside a widget painted
    // through its window's backing store; decorated runs and scaled devices
    // are laid out by QPainter instead, and need no glyph layout of their own.
    const bool scaledDevice = painter.device() && painter.device()->devicePixelRatioF() != 1.0;
    const bool decorated = colors.Style.Contains(fsUnderline) || colors.Style.Contains(fsStrikeOut);
    const bool byPainter = scaledDevice || decorated;
    const Measurer::PreparedRun& run = ctx.Fonts.Prepare(
        &item, font, item.FText, byPainter ? Measurer::PrepareMode::WidthOnly : Measurer::PrepareMode::Glyphs);
    if (!CellMayShow(ctx, x, baseLine, run.Width, metrics))
        return;

    if (colors.Background != clNone && run.Width > 0)
        painter.fillRect(QRect(x, baseLine - metrics.Ascent, run.Width, metrics.Height),
                         ToQColor(colors.Background, ctx.Palette));
    painter.setPen(ToQColor(colors.Text, ctx.Palette));
    if (run.Plain || byPainter) {
        painter.setFont(font.Font());
        painter.drawText(QPoint(x, baseLine), run.Text);
        return;
    }
    const QPointF origin(x, baseLine);
    for (const QGlyphRun& glyphs : run.Glyphs)
        painter.drawGlyphRun(origin, glyphs);
}

} // namespace lark::detail
