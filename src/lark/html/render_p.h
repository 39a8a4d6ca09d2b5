#pragma once
// Internal: what the parser, the handlers and the layout and paint passes
// share through the render object.

#include "lark/html/layout/measure_p.h"
#include <lark/html/render.h>

namespace lark::detail {

struct RenderInternals
{
    // The list numbering counter of the list handlers; survives parses.
    int CurListItem = 0;
    // Text measurement, bound to the measuring device (SetDC).
    detail::Measurer Measurer;
};

} // namespace lark::detail
