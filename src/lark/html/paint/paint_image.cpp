// Images in the paint pass (hitBitmap items).
//
// The picture is obtained afresh for every paint (HandleImage; decoded files
// come from the cache). A bitmap drawn transparently is not scaled: its part
// from (0, 0) as large as the item's box is placed at the top of the line
// below the gap, the colour of its bottom-left pixel left out. Every other
// picture is stretched into the box, which stands on the line's bottom moved
// down by the gap:
//
//   y + LineGap  +--------+ . . .        transparent bitmap: top-left here,
//                | bitmap |              cropped to FWidth x (FHeight - gap)
//                +--------+
//   y + Hl + LineGap - FHeight  +-----+  stretched picture: FWidth x FHeight
//                               |     |  (FHeight includes the gap)
//   y + Hl + LineGap            +-----+
#include <lark/framework/limits.h>
#include "lark/html/paint/paint_p.h"

#include <lark/framework/canvas.h>
#include <lark/framework/picture.h>
#include <lark/html/images/transparent_bitmap.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <algorithm>
#include <cstdint>

namespace lark::detail {

namespace {

int BoxEdge(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, -limits::kMaxImageBoxCoordinate, limits::kMaxImageBoxCoordinate));
}

void DrawTransparent(PaintContext& ctx, const TLarkHTMLItem& item, TBitmap& bitmap, int lineGap)
{
    const int height = SaturatingInt(std::int64_t(item.FHeight) - lineGap);
    if (item.FWidth <= 0 || height <= 0)
        return;
    const QRect part(0, 0, item.FWidth, height);
    DrawTransparentBitmap(ctx.Surface, bitmap, ctx.SurfaceX(ctx.X), ctx.SurfaceY(ctx.Y + lineGap), part,
                          BitmapTransparentColor(bitmap));
}

void DrawStretched(PaintContext& ctx, const TLarkHTMLItem& item, const QImage& image, int lineGap)
{
    const std::int64_t left = std::int64_t(ctx.Offset.x()) + ctx.X - ctx.Request.Source.x();
    const std::int64_t bottom = std::int64_t(ctx.Offset.y()) + ctx.Y + ctx.Hl + lineGap - ctx.Request.Source.y();
    const QRect box = RectLTRB(BoxEdge(left), BoxEdge(bottom - item.FHeight), BoxEdge(left + item.FWidth),
                               BoxEdge(bottom));
    ctx.Surface.StretchDraw(box, image);
}

} // namespace

void PaintImage(PaintContext& ctx, const TLarkHTMLItem& item)
{
    TPicture picture;
    ctx.Render.HandleImage(item.Text(), picture);
    if (picture.Empty())
        return;
    const int lineGap = ctx.Data.LineGap();
    if (picture.IsBitmap() && item.Transparent())
        DrawTransparent(ctx, item, picture.Bitmap(), lineGap);
    else
        DrawStretched(ctx, item, picture.Image(), lineGap);
}

} // namespace lark::detail
