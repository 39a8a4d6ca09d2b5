#include "document_probes.h"

namespace lark::test {

QRect PaintedRect(const TLarkHTMLData& data, const TLarkHTMLItem* item)
{
    int lineHeight = 0;
    for (const auto& each : data.Items()) {
        if (each->IsBreakItem())
            lineHeight = each->FHeight;
        if (each.get() == item)
            break;
    }
    const int bottom = item->Top() + lineHeight;
    return QRect(item->Left() - item->FWidth, bottom - item->FHeight, item->FWidth, item->FHeight);
}

const TLarkHTMLItem* FindItem(const TLarkHTMLData& data, const std::function<bool(const TLarkHTMLItem&)>& wanted)
{
    for (const auto& item : data.Items()) {
        if (wanted(*item))
            return item.get();
    }
    return nullptr;
}

} // namespace lark::test
