#pragma once
// Internal: the line metrics pass, run once at the end of every parse.

#include "lark/html/layout/line_index_p.h"

namespace lark {
class TLarkHTMLBreakItem;
class TLarkHTMLData;
} // namespace lark

namespace lark::detail {

// Measures every item, gives each line (its break item) its height, width
// and descent, sets the document's TextSize and rebuilds its line index.
void RunLineMetrics(TLarkHTMLData& data);

// The height of a break item (GetHeight) when the caller already knows
// whether its line holds anything: a line with content takes its height from
// the content, an empty one from the break's font.
int BreakHeight(TLarkHTMLBreakItem& item, bool lineIsEmpty, int& baseLine);

// True when the line index matches the data's current item list.
bool LineIndexIsCurrent(const TLarkHTMLData& data);

} // namespace lark::detail
