// Moving the selection: to the item under a point, through the link items,
// and through the focusable items (links, inputs, embedded controls) as Tab
// does; and finding an input item by name.
#include "lark/html/interaction/interaction_p.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <algorithm>
#include <iterator>

namespace lark {

namespace detail {

void StoreSelectedItem(TLarkHTMLData& data, TLarkHTMLItem* item)
{
    data.StoreSelectedItem(item);
}

} // namespace detail

void TLarkHTMLRender::SelectLinkAt(QPoint point, QPoint srcPoint, const QRect& r)
{
    if (!FData)
        return;
    detail::StoreSelectedItem(*FData, GetItemAt(point, srcPoint, r));
}

//---- Link items -------------------------------------------------------------
// A link broken into several runs (by formatting or wrapping) is several link
// items, and each is a step of its own.

void TLarkHTMLRender::SelectNextLink()
{
    if (!FData)
        return;
    const auto& items = FData->Items();
    // Nothing selected gives position -1: the search starts at the top.
    const int from = FData->IndexOfItem(FData->SelectedItem()) + 1;
    for (std::size_t i = std::size_t(from); i < items.size(); ++i) {
        if (items[i]->IsLink()) {
            detail::StoreSelectedItem(*FData, items[i].get());
            return;
        }
    }
}

void TLarkHTMLRender::SelectPrevLink()
{
    if (!FData || !FData->SelectedItem())
        return;
    const auto& items = FData->Items();
    for (int i = FData->IndexOfItem(FData->SelectedItem()) - 1; i >= 0; --i) {
        if (items[std::size_t(i)]->IsLink()) {
            detail::StoreSelectedItem(*FData, items[std::size_t(i)].get());
            return;
        }
    }
}

//---- Focusable items ---------------------------------------------------------
// Both directions wrap. Through the property, so that an embedded control
// takes the keyboard focus when its turn comes.

void TLarkHTMLRender::SelectNextSuitableItem()
{
    if (!FData || FData->ControlsArray().isEmpty())
        return;
    const QList<TLarkHTMLItem*>& focusable = FData->ControlsArray();
    // Nothing selected (position -1) selects the first.
    qsizetype i = focusable.indexOf(FData->SelectedItem()) + 1;
    if (i >= focusable.size())
        i = 0;
    FData->SetSelectedItem(focusable.at(i));
}

void TLarkHTMLRender::SelectPrevSuitableItem()
{
    if (!FData || FData->ControlsArray().isEmpty())
        return;
    const QList<TLarkHTMLItem*>& focusable = FData->ControlsArray();
    // Nothing selected (position -1) selects the last.
    qsizetype i = focusable.indexOf(FData->SelectedItem()) - 1;
    if (i < 0)
        i = focusable.size() - 1;
    FData->SetSelectedItem(focusable.at(i));
}

//---- Inputs by name -----------------------------------------------------------

TLarkHTMLInputItem* TLarkHTMLRender::FindInputItemByName(const QString& aName, const TLarkHTMLItem* findFrom) const
{
    if (!FData)
        return nullptr;
    const QList<TLarkHTMLItem*>& focusable = FData->ControlsArray();
    // Without FindFrom, or with one that is not listed, from the top.
    auto from = std::find(focusable.begin(), focusable.end(), findFrom);
    from = from == focusable.end() ? focusable.begin() : std::next(from);
    for (auto it = from; it != focusable.end(); ++it) {
        auto* input = dynamic_cast<TLarkHTMLInputItem*>(*it);
        if (input && input->Name() == aName)
            return input;
    }
    return nullptr;
}

} // namespace lark
