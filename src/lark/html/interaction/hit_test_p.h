#pragma once
// Internal: finding the item under a point of a prepared document.

#include <cstdint>

namespace lark {
class TLarkHTMLBreakItem;
class TLarkHTMLData;
class TLarkHTMLItem;
} // namespace lark

namespace lark::detail {

// The item under the document point (PX, PY), measured from the document's
// top-left corner, for an area AreaWidth pixels wide; nullptr when none.
TLarkHTMLItem* HitTest(TLarkHTMLData& data, std::int64_t px, std::int64_t py, int areaWidth);

// Where a line's first item starts. A centred or right-aligned line is
// aligned in the wider of the area and the line itself; an unknown
// alignment keeps x where the line above left it. Hit testing and the text
// layout walk lines alike, so both start them here.
std::int64_t LineStartX(const TLarkHTMLBreakItem& line, int areaWidth, std::int64_t x);

} // namespace lark::detail
