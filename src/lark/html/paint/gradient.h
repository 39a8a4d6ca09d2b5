#pragma once
// Banded colour gradients (the body background, the view's background) and
// the two-tone horizontal rule of the hr tag.

#include <lark/framework/color.h>

#include <QRect>

namespace lark {

class TCanvas;

// Fills Rect with Steps bands going from Color1 to Color2, then outlines it
// in BorderColor unless that is clNone. Vertical makes vertical stripes
// changing from left to right; otherwise the stripes are horizontal and
// change from top to bottom. Each band is one pixel longer than its share,
// so neighbours overlap, and the last band stops one step short of Color2.
// Steps below 1 count as 1; Color2 clNone means Color1; equal colours are
// one solid fill; Color1 clNone fills nothing. The bands and the outline use
// the canvas's current pen width and style.
//
// Example: a light yellow band of ten steps fading to white:
//   FillGradient(canvas, RGB(255, 255, 225), clWhite, false, RectLTRB(0, 0, 200, 100), 10, clNone);
void FillGradient(TCanvas& canvas, TColor color1, TColor color2, bool vertical, const QRect& rect, int steps,
                  TColor borderColor);

// Draws a rule at the top of Rect: for Height 1 a LightColor line above a
// ShadowColor line (the bottom row of Rect); for a larger Height a LightColor
// band Height pixels high over a ShadowColor band of the same height. Equal
// colours draw only the light part. Returns false and draws nothing for
// Height 0; otherwise Rect becomes the area inside the drawn edge.
bool DrawRule(TCanvas& canvas, QRect& rect, TColor lightColor, TColor shadowColor, int height);

} // namespace lark
