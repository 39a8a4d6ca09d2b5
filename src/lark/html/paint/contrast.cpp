// The contrast adjustment of text colours drawn on a known background (a
// disabled label draws grey text and moves it away from its background).
//
// The background's luminance L (0..252, from its largest and smallest
// channel) decides the direction: above 160 every channel of the text
// colour drops by half its distance to 255 (ties to even, not below 0);
// otherwise it rises by half its distance to 255 (halves away from zero).

#include "lark/html/paint/paint_p.h"

#include <algorithm>
#include <cmath>

namespace lark::detail {

namespace {

constexpr int kLightBackground = 160;

int Luminance(TColor rgb)
{
    const int r = int(rgb & 0xFF);
    const int g = int((rgb >> 8) & 0xFF);
    const int b = int((rgb >> 16) & 0xFF);
    const int mx = std::max({ r, g, b });
    const int mn = std::min({ r, g, b });
    return int(std::lrint(((mx + mn) * 252.0 + 255.0) / 510.0));
}

int Darken(int v)
{
    return std::max(0, v - int(std::lrint((255 - v) * 0.5)));
}

int Lighten(int v)
{
    // (255 - v) * 50 / 100, rounded half away from zero; never negative here.
    return v + ((255 - v) * 50 + 50) / 100;
}

} // namespace

TColor AdjustContrast(TColor k, TColor from, const QWidget* palette)
{
    if (k == clNone || from == clNone)
        return k;
    const TColor text = ColorToRGB(k, palette);
    const bool light = Luminance(ColorToRGB(from, palette)) > kLightBackground;
    auto adjust = [light](int v) { return light ? Darken(v) : Lighten(v); };
    return RGB(adjust(int(text & 0xFF)), adjust(int((text >> 8) & 0xFF)), adjust(int((text >> 16) & 0xFF)));
}

} // namespace lark::detail
