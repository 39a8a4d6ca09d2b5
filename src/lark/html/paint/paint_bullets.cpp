// List markers, drawn when a list item's line begins (x is the line start).
//
// A bullet is a filled circle as wide as an average character, in a box
// ending one pixel left of the line start and moved five more pixels left,
// centred between the line's descent and its bottom:
//
//        left = x - B - 1 - 5      right = x - 1 - 5
//        top  = y + D + (Hl - D - B) div 2,  bottom = top + B
//
// A number ("1.") is drawn at the line start in the font the surface holds
// (the last run drawn), in the item's own colour on the surface's starting
// brush colour, and the line's content follows right after it.

#include "lark/html/layout/line_metrics_p.h"
#include "lark/html/paint/paint_p.h"

#include <lark/framework/canvas.h>
#include <lark/html/model/items.h>

#include <QPainter>

namespace lark::detail {

namespace {

void PaintBullet(PaintContext& ctx, TLarkHTMLBreakItem& item)
{
    if (!ctx.Drawing)
        return;
    const int size = item.GetWidth();
    const int right = ctx.SurfaceX(ctx.X) - 1;
    const int left = right - size;
    const int top = ctx.SurfaceY(ctx.Y + ctx.D + (std::int64_t(ctx.Hl) - ctx.D - size) / 2);
    const bool overColors = ctx.Request.UseOverColors && item.FFntCnt == 0;
    ctx.Surface.Brush().SetColor(ctx.Resolve(overColors ? ctx.Request.Color : item.FontColor));
    ctx.Surface.Ellipse(RectLTRB(left - 5, top, right - 5, top + size));
}

Measurer::FontEntry& SurfaceFont(PaintContext& ctx)
{
    const TFont& font = ctx.Surface.Font();
    return ctx.Fonts.Entry(font.Name(), font.Height(), font.Style());
}

int NumberBaseLine(const PaintContext& ctx, TLarkHTMLBreakItem& item, int index)
{
    std::int64_t y = ctx.Y + ctx.Hl - ctx.D;
    if (item.IsSuper() || item.IsSub()) {
        int descent = 0;
        const int height = BreakHeight(item, ctx.LineEnd == index + 1, descent);
        if (item.IsSuper())
            y -= height / 2;
        if (item.IsSub())
            y += height / 4;
    }
    return ctx.SurfaceY(y);
}

void PaintNumber(PaintContext& ctx, TLarkHTMLBreakItem& item, int index)
{
    Measurer::FontEntry& font = ctx.NumberFont ? *ctx.NumberFont : SurfaceFont(ctx);
    const Measurer::PreparedRun& run = ctx.Fonts.Prepare(&item, font, QString::number(item.FListItemN) + u'.');
    const int x = ctx.SurfaceX(ctx.X);
    ctx.X += run.Width;
    if (!ctx.Drawing || !ctx.Painter)
        return;
    const TColor background = ctx.Resolve(ctx.Bg);
    ctx.Surface.Brush().SetColor(background);
    const int baseLine = NumberBaseLine(ctx, item, index);
    const Measurer::FontMetrics& metrics = font.Metrics();
    if (!CellMayShow(ctx, x, baseLine, run.Width, metrics))
        return;
    QPainter& painter = *ctx.Painter;
    painter.fillRect(QRect(x, baseLine - metrics.Ascent, run.Width, metrics.Height), ToQColor(background, ctx.Palette));
    painter.setPen(ToQColor(item.FontColor, ctx.Palette));
    const QPointF origin(x, baseLine);
    for (const QGlyphRun& glyphs : run.Glyphs)
        painter.drawGlyphRun(origin, glyphs);
}

} // namespace

void PaintListMarker(PaintContext& ctx, TLarkHTMLBreakItem& item, int index)
{
    if (item.FListItemN < 1)
        PaintBullet(ctx, item);
    else
        PaintNumber(ctx, item, index);
}

} // namespace lark::detail
