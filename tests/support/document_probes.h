#pragma once
// Looking things up in a laid-out document.
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>

#include <QRect>

#include <functional>

namespace lark::test {

// The rectangle an item was painted in, in document coordinates: a painted
// item records the end of its run as Left and its line's top as Top, and
// stands on the bottom of its line.
QRect PaintedRect(const TLarkHTMLData& data, const TLarkHTMLItem* item);

// The first item wanted accepts, in document order; nullptr when none does.
const TLarkHTMLItem* FindItem(const TLarkHTMLData& data, const std::function<bool(const TLarkHTMLItem&)>& wanted);

} // namespace lark::test
