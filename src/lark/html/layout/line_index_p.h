#pragma once
// Internal: the line index of a document, built by the line metrics pass.

#include <cstdint>
#include <vector>

namespace lark::detail {

// Where each line starts and what painting needs to begin at it, so that a
// paint scrolled into a long document finds its first visible line by binary
// search instead of walking the items above it. Written by the line metrics
// pass; valid only while the item list is the one it was built for.
struct LineStart
{
    int Item = 0;      // index of the line's break item
    int Top = 0;       // paint y of the line: the heights of the lines above
    int InkBottom = 0; // lowest y any line up to this one can draw at (exclusive)
    int LastRun = -1;  // last text run before the line: the surface's font there
    int LastRule = -1; // last rule before the line: the surface's pen there
};
struct BodyStart
{
    int Item = 0;      // a body item
    int LastRule = -1; // the last rule before it: the pen it is painted with
};
struct LineIndex
{
    std::vector<LineStart> Lines;
    std::vector<BodyStart> Bodies;  // items painting the body background
    std::vector<int> ControlLines;  // lines holding embedded controls
    bool Built = false;
    std::uint64_t ListVersion = 0; // the item list's version it was built for
};

} // namespace lark::detail
