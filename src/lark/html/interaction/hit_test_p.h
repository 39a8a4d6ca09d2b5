#pragma once
// Internal: finding the item under a point of a prepared document.

#include <cstdint>

namespace lark {
class TLarkHTMLData;
class TLarkHTMLItem;
} // namespace lark

namespace lark::detail {

// The item under the document point (PX, PY), measured from the document's
// top-left corner, for an area AreaWidth pixels wide; nullptr when none.
TLarkHTMLItem* HitTest(TLarkHTMLData& Data, std::int64_t PX, std::int64_t PY, int AreaWidth);

} // namespace lark::detail
