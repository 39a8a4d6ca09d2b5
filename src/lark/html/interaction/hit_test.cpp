// The hit test: which item lies under a point.
//
// Lines are stacked from y 0 by their heights, as the paint pass stacks
// them. The point's line is the first whose bottom lies below it; only that
// line is searched, so a point right of a line's last item hits nothing even
// when a longer line below would have an item there. Within the line, items
// stand on the line's bottom:
//
//        x          x + width
//        +-----------+  <- bottom - h - up
//        |   item    |
//        +-----------+  <- bottom - up      (up = h / 2 for superscripts)
//   -----------------------  line bottom
//
// Both bounds are inclusive, so neighbouring items share their edge column
// and the earlier one wins.
#include "lark/html/interaction/hit_test_p.h"
#include "lark/html/layout/line_metrics_p.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <algorithm>

namespace lark {

namespace detail {

namespace {

// Sub- and superscripts are hit by their measured height; others by the
// height the line metrics pass gave them.
int HitHeight(TLarkHTMLItem& item)
{
    if (!item.IsSub() && !item.IsSuper())
        return item.FHeight;
    int baseLine = 0;
    return item.GetHeight(baseLine);
}

TLarkHTMLItem* HitOnLine(const TLarkHTMLData& data, std::size_t lineItem, std::int64_t& x, std::int64_t lineBottom,
                         std::int64_t px, std::int64_t py)
{
    const auto& items = data.Items();
    for (std::size_t i = lineItem + 1; i < items.size() && !items[i]->IsBreakItem(); ++i) {
        TLarkHTMLItem& item = *items[i];
        const std::int64_t h = HitHeight(item);
        const std::int64_t up = item.IsSuper() ? h / 2 : 0;
        const bool inColumns = x <= px && px <= x + item.FWidth;
        const bool inRows = lineBottom - h - up <= py && py <= lineBottom - up;
        if (inColumns && inRows)
            return &item;
        x = item.IsAbsoluteIndent() ? item.FWidth : x + item.FWidth;
    }
    return nullptr;
}

// The break items in document order: from the line index when it is
// current (a walk over the lines only), else found by walking the items.
template <typename Visit>
TLarkHTMLItem* ForEachLine(const TLarkHTMLData& data, Visit visit)
{
    const auto& items = data.Items();
    if (LineIndexIsCurrent(data)) {
        for (const LineStart& start : data.LineIndex().Lines) {
            TLarkHTMLItem* hit = nullptr;
            if (visit(std::size_t(start.Item), hit))
                return hit;
        }
        return nullptr;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i]->IsBreakItem())
            continue;
        TLarkHTMLItem* hit = nullptr;
        if (visit(i, hit))
            return hit;
    }
    return nullptr;
}

} // namespace

std::int64_t LineStartX(const TLarkHTMLBreakItem& line, int areaWidth, std::int64_t x)
{
    const std::int64_t width = std::max<std::int64_t>(areaWidth, line.FWidth);
    switch (line.Alignment()) {
    case 0:
        return line.FIndent;
    case 1:
        return (width - line.FWidth - 1) / 2;
    case 2:
        return width - line.FWidth - 1;
    default:
        return x;
    }
}

TLarkHTMLItem* HitTest(TLarkHTMLData& Data, std::int64_t PX, std::int64_t PY, int areaWidth)
{
    std::int64_t y = 0;
    std::int64_t x = 0;
    // visit() answers whether the walk ends (the point's line was found).
    return ForEachLine(Data, [&](std::size_t lineItem, TLarkHTMLItem*& hit) {
        const auto& line = static_cast<const TLarkHTMLBreakItem&>(*Data.Items()[lineItem]);
        if (y + line.FHeight <= PY) {
            y += line.FHeight;
            return false;
        }
        x = LineStartX(line, areaWidth, x);
        hit = HitOnLine(Data, lineItem, x, y + line.FHeight, PX, PY);
        return true;
    });
}

} // namespace detail

TLarkHTMLItem* TLarkHTMLRender::GetItemAt(QPoint point, QPoint srcPoint, const QRect& r)
{
    if (!FData)
        return nullptr;
    const QRect area = r.width() == 0 ? FData->Rect() : r;
    const std::int64_t px = std::int64_t(point.x()) + srcPoint.x();
    const std::int64_t py = std::int64_t(point.y()) + srcPoint.y();
    return detail::HitTest(*FData, px, py, area.width());
}

bool TLarkHTMLRender::IsCursorOverLink(QPoint point, QPoint srcPoint, const QRect& r, QString& href)
{
    href.clear();
    const TLarkHTMLItem* item = GetItemAt(point, srcPoint, r);
    if (!item || !item->IsLink())
        return false;
    href = item->LinkRef();
    return true;
}

} // namespace lark
