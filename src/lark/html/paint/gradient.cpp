// Gradients and rules. Rectangles are handled as left, top, right, bottom
// with right and bottom exclusive, the way the canvas takes them.

#include <lark/framework/canvas.h>
#include <lark/html/paint/gradient.h>
#include <lark/framework/saturate.h>

#include <QPaintDevice>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lark {

namespace {

struct Rgb
{
    int R = 0;
    int G = 0;
    int B = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// System colours resolve through the widget painted on, or the application.
const QWidget* PaletteSource(const TCanvas& canvas)
{
    const QPaintDevice* device = canvas.Device();
    if (device && device->devType() == QInternal::Widget)
        return static_cast<const QWidget*>(device);
    return nullptr;
}

Rgb ToRgb(TColor color, const QWidget* palette)
{
    const TColor rgb = ColorToRGB(color, palette);
    return { int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF) };
}

// Nearest integer, halves to even.
long RoundEven(double v)
{
    return std::lrint(v);
}

void FillSolid(TCanvas& canvas, const Rgb& c, const QRect& rect)
{
    canvas.Brush().SetColor(RGB(c.R, c.G, c.B));
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(rect);
}

void FillBands(TCanvas& canvas, const Rgb& from, const Rgb& to, bool vertical, const QRect& rect, int steps)
{
    const int left = rect.left();
    const int top = rect.top();
    const int right = left + rect.width();
    const int bottom = top + rect.height();
    const double incR = double(to.R - from.R) / steps;
    const double incG = double(to.G - from.G) / steps;
    const double incB = double(to.B - from.B) / steps;
    const double band = double(vertical ? rect.width() : rect.height()) / steps;
    const auto length = std::int64_t(band) + 1;

    auto bandStart = [&](std::int64_t i) { return RoundEven(double(i) * band); };
    auto drawBand = [&](std::int64_t i, long offset) {
        const TColor color = RGB(from.R + int(RoundEven(double(i) * incR)), from.G + int(RoundEven(double(i) * incG)),
                                 from.B + int(RoundEven(double(i) * incB)));
        canvas.Brush().SetColor(color);
        canvas.Pen().SetColor(color);
        if (vertical) {
            const auto x0 = std::int64_t(left) + offset;
            const auto x1 = std::min<std::int64_t>(right, x0 + length);
            canvas.Rectangle(RectLTRB(int(x0), top, int(x1), bottom));
        }
        else {
            const auto y0 = std::int64_t(top) + offset;
            const auto y1 = std::min<std::int64_t>(bottom, y0 + length);
            canvas.Rectangle(RectLTRB(left, int(y0), right, int(y1)));
        }
    };
    // With more steps than pixels several bands start on the same pixel and
    // only the last of them stays visible: draw just that one, so that the
    // work is bounded by the rectangle, not by the step count.
    const int extent = vertical ? rect.width() : rect.height();
    if (steps > extent) {
        std::int64_t i = 0;
        for (long pixel = 0; pixel <= extent && i < steps; ++pixel) {
            std::int64_t last = std::min<std::int64_t>(steps - 1, std::int64_t((pixel + 0.5) / band) + 1);
            while (last >= 0 && bandStart(last) > pixel)
                --last;
            if (last >= i && bandStart(last) == pixel)
                drawBand(last, pixel);
            i = std::max(i, last + 1);
        }
        return;
    }
    for (int i = 0; i < steps; ++i)
        drawBand(i, bandStart(i));
}

} // namespace

void FillGradient(TCanvas& canvas, TColor color1, TColor color2, bool vertical, const QRect& rect, int steps,
                  TColor borderColor)
{
    const QWidget* palette = PaletteSource(canvas);
    steps = std::max(steps, 1);
    if (color2 == clNone)
        color2 = color1;
    if (color1 != clNone) {
        const Rgb from = ToRgb(color1, palette);
        const Rgb to = ToRgb(color2, palette);
        if (from == to)
            FillSolid(canvas, from, rect);
        else
            FillBands(canvas, from, to, vertical, rect, steps);
    }
    if (borderColor == clNone)
        return;
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(ColorToRGB(borderColor, palette));
    canvas.Rectangle(rect);
}

bool DrawRule(TCanvas& canvas, QRect& rect, TColor lightColor, TColor shadowColor, int height)
{
    if (height == 0)
        return false;
    const QWidget* palette = PaletteSource(canvas);
    int left = rect.left();
    int top = rect.top();
    int right = left + rect.width();
    int bottom = top + rect.height() - 1;
    if (height == 1) {
        right -= 1;
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetColor(ColorToRGB(lightColor, palette));
        canvas.MoveTo(left, top);
        canvas.LineTo(right, top);
        if (shadowColor != lightColor) {
            canvas.Pen().SetColor(ColorToRGB(shadowColor, palette));
            canvas.MoveTo(left, bottom);
            canvas.LineTo(right, bottom);
        }
        left += 1;
        top += 1;
        right -= 1;
        bottom -= 1;
    }
    else {
        canvas.Pen().SetStyle(psClear);
        canvas.Pen().SetWidth(0);
        canvas.Brush().SetStyle(bsSolid);
        const auto h = std::int64_t(height);
        if (shadowColor != lightColor) {
            canvas.Brush().SetColor(ColorToRGB(shadowColor, palette));
            canvas.FillRect(RectLTRB(left, SaturatingInt(top + h), right + 1, SaturatingInt(top + 2 * h)));
        }
        canvas.Brush().SetColor(ColorToRGB(lightColor, palette));
        canvas.FillRect(RectLTRB(left, top, right + 1, SaturatingInt(top + h)));
        left = SaturatingInt(left + h);
        top = SaturatingInt(top + h);
        right = SaturatingInt(right - h - 1);
        bottom = SaturatingInt(bottom - h);
    }
    rect = RectLTRB(left, top, right + 1, bottom + 1);
    return true;
}

} // namespace lark
