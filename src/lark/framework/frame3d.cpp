#include <lark/framework/canvas.h>
#include <lark/framework/frame3d.h>

namespace lark {

namespace {

// One ring just inside R (right and bottom exclusive).
void Ring(TCanvas& canvas, const QRect& r, TColor topColor, TColor bottomColor)
{
    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    canvas.Brush().SetColor(topColor);
    canvas.FillRect(RectLTRB(left, top, right - 1, top + 1));
    canvas.FillRect(RectLTRB(left, top, left + 1, bottom - 1));
    canvas.Brush().SetColor(bottomColor);
    canvas.FillRect(RectLTRB(right - 1, top, right, bottom));
    canvas.FillRect(RectLTRB(left, bottom - 1, right, bottom));
}

} // namespace

void Frame3D(TCanvas& canvas, QRect& rect, TColor topColor, TColor bottomColor, int width)
{
    if (width <= 0)
        return;
    // The caller's brush survives the frame.
    const TBrush brush = canvas.Brush();
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        Ring(canvas, rect, topColor, bottomColor);
        rect.adjust(1, 1, -1, -1);
    }
    canvas.Brush() = brush;
}

} // namespace lark
