#include <lark/framework/canvas.h>
#include <lark/framework/frame3d.h>

namespace lark {

namespace {

// One ring just inside R (right and bottom exclusive).
void Ring(TCanvas& Canvas, const QRect& R, TColor TopColor, TColor BottomColor)
{
    const int left = R.left();
    const int top = R.top();
    const int right = R.left() + R.width();
    const int bottom = R.top() + R.height();
    Canvas.Brush().SetColor(TopColor);
    Canvas.FillRect(RectLTRB(left, top, right - 1, top + 1));
    Canvas.FillRect(RectLTRB(left, top, left + 1, bottom - 1));
    Canvas.Brush().SetColor(BottomColor);
    Canvas.FillRect(RectLTRB(right - 1, top, right, bottom));
    Canvas.FillRect(RectLTRB(left, bottom - 1, right, bottom));
}

} // namespace

void Frame3D(TCanvas& Canvas, QRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    if (Width <= 0)
        return;
    // The caller's brush survives the frame.
    const TBrush brush = Canvas.Brush();
    for (int i = 0; i < Width && Rect.width() > 0 && Rect.height() > 0; ++i) {
        Ring(Canvas, Rect, TopColor, BottomColor);
        Rect.adjust(1, 1, -1, -1);
    }
    Canvas.Brush() = brush;
}

} // namespace lark
