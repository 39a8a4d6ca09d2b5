#pragma once
// Internal: the paint pass's steps for input items (check boxes, radio
// buttons) and embedded controls, in check_box_painter.cpp and
// embedded_controls.cpp.

#include "lark/html/paint/paint_p.h"

#include <lark/html/model/items.h>

class QPainter;
class QPalette;

namespace lark::detail {

// Lets an input item's painter draw its box at the current position: as
// high as the item without the line gap, standing on the line's bottom. The
// caller advances x.
void PaintInputItem(PaintContext& ctx, TLarkHTMLItem& item);

// Places an embedded control at the current position, or outlines its place
// in editor preview and design mode. False when placing failed (an event
// handler threw); the caller then does not advance x.
bool PlaceEmbeddedControl(PaintContext& ctx, TLarkHTMLItem& item, int index);

// The classic look of a check box or radio button, for applications without
// widget styles: a sunken square (or circle) centred in rect.
void DrawClassicInput(QPainter& painter, const QRect& rect, TLarkHTMLInputType type, bool checked,
                      const QPalette& palette);

} // namespace lark::detail
