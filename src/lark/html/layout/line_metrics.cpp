// The line metrics pass: once per parse, after the last item is added.
//
// A line is a break item B and the items up to the next break item. Every
// item is measured (FWidth := GetWidth, FHeight := GetHeight with its
// descent d), B first, so a list item's line counts the bullet and a list
// start counts one indentation unit:
//
//   B.FHeight  = the largest item height on the line (heights include LineGap)
//   B.FWidth   = B.FIndent + the advance of the items (an absolute indent
//                sets the advance instead of adding to it)
//   descent    = the largest d on the line, never below 0
//
//          +------------------------------+  line top
//          |  Text   x^2                  |
//   ascent |                              |  B.FHeight
//   -------+---------------------------- -+- base line
//  descent |             x_i              |
//          +------------------------------+
//
// A subscript adds a quarter of its height below the line (to d and to its
// height); a superscript raises d by half its height (d may go negative) and
// grows by two thirds. TextSize is the widest line by the sum of the line
// heights plus LineGap once more per line.
//
// The pass also records the line index the paint pass uses to start at the
// first visible line of a long document.

#include "lark/html/layout/line_metrics_p.h"

#include "lark/html/layout/measure_p.h"
#include "lark/html/render_p.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace lark::detail {

namespace {

struct LineResult
{
    int Height = 0;
    int Descent = 0;
    std::int64_t Advance = 0;
    // How far below the line's top anything on it may draw, besides the
    // tallest item of the document (added later).
    std::int64_t InkExtent = 0;
    bool HasControl = false;
};

// Sizes one item and folds it into the line.
void MeasureItem(TLarkHTMLItem& item, int width, int height, int descent, LineResult& line)
{
    item.FWidth = width;
    item.FHeight = height;
    if (item.IsAbsoluteIndent())
        line.Advance = width;
    else
        line.Advance += width;
    // A run can be both: the superscript's change applies to the
    // subscripted height.
    if (item.FItemType == hitChar && item.IsSub()) {
        descent = SaturatingInt(std::int64_t(descent) + item.FHeight / 4);
        item.FHeight = SaturatingInt(std::int64_t(item.FHeight) + item.FHeight / 4);
    }
    if (item.FItemType == hitChar && item.IsSuper()) {
        descent = SaturatingInt(std::int64_t(descent) - item.FHeight / 2);
        item.FHeight = SaturatingInt(std::int64_t(item.FHeight) + (2 * std::int64_t(item.FHeight)) / 3);
    }
    line.Descent = std::max(line.Descent, descent);
    line.Height = std::max(line.Height, item.FHeight);
}

// The line [first, end): measures it and stores its geometry in its break item.
LineResult MeasureLine(const std::vector<std::unique_ptr<TLarkHTMLItem>>& items, size_t first, size_t end,
                       int lineGap)
{
    LineResult line;
    auto& breakItem = static_cast<TLarkHTMLBreakItem&>(*items[first]);
    int descent = 0;
    const int breakHeight = BreakHeight(breakItem, end == first + 1, descent);
    // For a list item this is its marker's size, which FWidth no longer
    // holds once it is the line's width.
    const int markerSize = breakItem.GetWidth();
    MeasureItem(breakItem, markerSize, breakHeight, descent, line);
    std::int64_t ruleExtent = 0;
    for (size_t k = first + 1; k < end; ++k) {
        TLarkHTMLItem& item = *items[k];
        const int width = item.GetWidth();
        const int height = item.GetHeight(descent);
        MeasureItem(item, width, height, descent, line);
        if (item.FItemType == hitHR)
            ruleExtent = std::max<std::int64_t>(ruleExtent, 2 + 2 * std::abs(std::int64_t(item.FHeight2)));
        else if (item.FItemType == hitControl)
            line.HasControl = true;
    }
    breakItem.FHeight = line.Height;
    breakItem.FWidth = SaturatingInt(breakItem.FIndent + line.Advance);
    breakItem.SetLineDescent(line.Descent);

    // Images stretch LineGap below the line; rules hang from its middle; a
    // bullet box is centred between the descent and the bottom.
    line.InkExtent = std::max<std::int64_t>(line.Height, 0) + std::abs(std::int64_t(lineGap));
    if (ruleExtent > 0)
        line.InkExtent += line.Height / 2 + ruleExtent;
    if (breakItem.FItemType == hitLI)
        line.InkExtent += std::abs(std::int64_t(line.Descent)) + std::abs(std::int64_t(markerSize));
    return line;
}

bool IsTextRun(const TLarkHTMLItem& item)
{
    return item.FItemType == hitChar || item.FItemType == hitVar;
}

} // namespace

void RunLineMetrics(TLarkHTMLData& data)
{
    if (TLarkHTMLRender* render = data.Render())
        Internals(*render).Measurer.Trim();
    const auto& items = data.Items();
    const int lineGap = data.LineGap();
    LineIndex& index = data.LineIndex();
    index = LineIndex{};

    std::int64_t textWidth = 0;
    std::int64_t textHeight = 0;
    std::int64_t top = 0;
    int tallestItem = 0;
    int lastRun = -1;
    int lastRule = -1;
    std::vector<std::int64_t> inkBottoms;

    size_t i = 0;
    // Items ahead of the first break belong to no line (the parser never
    // makes such a list); they are sized, and painting walks them from the
    // start.
    for (; i < items.size() && !items[i]->IsBreakItem(); ++i) {
        int descent = 0;
        items[i]->FWidth = items[i]->GetWidth();
        items[i]->FHeight = items[i]->GetHeight(descent);
    }
    while (i < items.size()) {
        size_t end = i + 1;
        while (end < items.size() && !items[end]->IsBreakItem())
            ++end;
        const LineResult line = MeasureLine(items, i, end, lineGap);

        LineStart start;
        start.Item = int(i);
        start.Top = SaturatingInt(top);
        start.LastRun = lastRun;
        start.LastRule = lastRule;
        if (line.HasControl)
            index.ControlLines.push_back(int(index.Lines.size()));
        index.Lines.push_back(start);
        inkBottoms.push_back(top + line.InkExtent);

        for (size_t k = i; k < end; ++k) {
            const TLarkHTMLItem& item = *items[k];
            tallestItem = std::max(tallestItem, item.FHeight);
            if (IsTextRun(item))
                lastRun = int(k);
            else if (item.FItemType == hitHR)
                lastRule = int(k);
            else if (item.FItemType == hitBody)
                index.Bodies.push_back(BodyStart{ int(k), lastRule });
        }
        const auto& breakItem = *items[i];
        textWidth = std::max<std::int64_t>(textWidth, breakItem.FWidth);
        textHeight += std::int64_t(breakItem.FHeight) + lineGap;
        top += breakItem.FHeight;
        i = end;
    }

    // Any glyph may reach a cell height below its line's box (negative line
    // gaps, a list number in a large font), so the tallest cell and a margin
    // for the surface's own font are added to every extent; the running
    // maximum makes the bottoms searchable.
    constexpr int kInkMargin = 16;
    const std::int64_t tallestCell = std::max(tallestItem, 0) + std::abs(std::int64_t(lineGap));
    std::int64_t running = INT64_MIN;
    for (size_t k = 0; k < index.Lines.size(); ++k) {
        running = std::max(running, inkBottoms[k] + tallestCell + kInkMargin);
        index.Lines[k].InkBottom = SaturatingInt(running);
    }
    index.Built = true;
    index.ListVersion = data.ListVersion();
    data.SetTextSize(QSize(SaturatingInt(textWidth), SaturatingInt(textHeight)));
}

bool LineIndexIsCurrent(const TLarkHTMLData& data)
{
    const LineIndex& index = data.LineIndex();
    return index.Built && index.ListVersion == data.ListVersion();
}

} // namespace lark::detail
