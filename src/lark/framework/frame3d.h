#pragma once
// Raised and lowered frames of the component model, drawn ring by ring.
//
// Each ring draws its top and left edges in TopColor and its bottom and
// right edges in BottomColor; the top-right and bottom-left corner pixels
// belong to the bottom and right edges. A raised bevel is a light top-left
// over a shadowed bottom-right, a lowered one the other way round:
//
//     QRect r = widget->rect();
//     Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 2);   // raised, r shrinks by 2
//     Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);   // lowered, inside it
//
// Colours may be system colours; they resolve through the canvas's widget
// palette like every other canvas colour.

#include <lark/framework/color.h>

#include <QRect>

namespace lark {

class TCanvas;

// Draws Width rings just inside Rect, shrinking Rect by one pixel on every
// side per ring. Rings stop once Rect is empty; a Width of 0 or less draws
// nothing.
void Frame3D(TCanvas& canvas, QRect& rect, TColor topColor, TColor bottomColor, int width);

} // namespace lark
