#pragma once
// Drawing a bitmap with one colour left out, the way bitmaps of the img tag
// and of image lists are shown: the colour of the bitmap's bottom-left pixel
// marks where the background shows through.

#include <lark/framework/color.h>

#include <QRect>

namespace lark {

class TBitmap;
class TCanvas;

// Draws the part Rect of Bitmap unscaled with its top-left at (X, Y), leaving
// the canvas untouched wherever the bitmap's pixel has the colour TransColor.
// TransColor clNone leaves no colour out. Pixels the bitmap itself makes
// transparent (alpha) blend as usual. The part of Rect outside the bitmap
// draws nothing: a box larger than the bitmap crops, it never stretches.
// The bitmap is not changed.
//
// Example: a 16 by 16 icon on a magenta ground, the ground left out:
//   DrawTransparentBitmap(canvas, icon, 10, 10, RectLTRB(0, 0, 16, 16), clFuchsia);
void DrawTransparentBitmap(TCanvas& dc, const TBitmap& bitmap, int x, int y, const QRect& rect, TColor transColor);

// The colour DrawTransparentBitmap is given for a bitmap: that of its
// bottom-left pixel (column 0, last row); clNone for an empty bitmap and
// for a corner the bitmap's own alpha already makes fully transparent.
TColor BitmapTransparentColor(const TBitmap& bitmap);

} // namespace lark
