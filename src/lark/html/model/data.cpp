// The document container: the item list and the references into it, the
// defaults copied from a host, and the list operations of the parser.
//
// Every item the container refers to besides the list itself (ControlsArray,
// SelectedItem, ActiveItem) must be in the list; whoever removes an item goes
// through DeleteItem/TakeItem or ForgetItem so that no reference dangles.
#include <lark/framework/exceptions.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/options.h>
#include "lark/html/layout/line_index_p.h"
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

[[noreturn]] void ThrowIndexError(int index)
{
    throw EListError(u"List index out of bounds (%1)"_s.arg(index));
}

} // namespace

TLarkHTMLData::TLarkHTMLData()
    : FLineIndex(std::make_unique<detail::LineIndex>())
{
}

TLarkHTMLData::~TLarkHTMLData()
{
    ClearArrays();
}

TLarkHTMLRender* TLarkHTMLData::Render() const
{
    return FRender.data();
}

void TLarkHTMLData::SetRender(TLarkHTMLRender* r)
{
    FRender = r;
}

void TLarkHTMLData::AssignSettings(ILarkHTMLControl* aControl)
{
    if (!aControl)
        return;
    if (const TFont* font = aControl->GetFont()) {
        FDefaultStyle = font->Style();
        FDefaultFont = font->Name();
        FCharset = font->Charset();
        FDefaultColor = font->Color();
        FDefaultHeight = font->Height();
    }
    if (const TLarkHTMLOptions* options = aControl->GetOptions()) {
        FLineGap = options->LineGap();
        FLinkColor = options->LinkColor();
        FLinkStyle = options->LinkStyle();
    }
}

void TLarkHTMLData::ClearArrays()
{
    // The field, not the setter: clearing is no change of the hovered input
    // that anyone repaints for, and it also runs from the destructor.
    FActiveItem = nullptr;
    FControlsArray.clear();
    FRadioList.Clear();
    // Item destructors may free embedded controls, which can call back into
    // the host; let them see an empty list rather than a half-cleared one.
    std::vector<std::unique_ptr<TLarkHTMLItem>> doomed;
    doomed.swap(FArray);
    ++FListVersion;
    // A selection among the freed items would dangle; any other is kept.
    if (FSelectedItem && std::any_of(doomed.begin(), doomed.end(),
                                     [this](const auto& item) { return item.get() == FSelectedItem; }))
        FSelectedItem = nullptr;
    doomed.clear();
}

int TLarkHTMLData::LineCount() const
{
    if (FArray.size() < 2)
        return 0;
    return int(std::count_if(FArray.begin(), FArray.end(), [](const auto& item) { return item->IsBreakItem(); }));
}

TLarkHTMLItem* TLarkHTMLData::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        ThrowIndexError(index);
    return FArray[std::size_t(index)].get();
}

void TLarkHTMLData::AppendItem(std::unique_ptr<TLarkHTMLItem> item)
{
    if (!item)
        return;
    item->FOwner = this;
    FArray.push_back(std::move(item));
    ++FListVersion;
}

void TLarkHTMLData::InsertItem(int index, std::unique_ptr<TLarkHTMLItem> item)
{
    if (!item)
        return;
    if (index < 0 || index > GetItemCount())
        ThrowIndexError(index);
    item->FOwner = this;
    FArray.insert(FArray.begin() + index, std::move(item));
    ++FListVersion;
}

void TLarkHTMLData::DeleteItem(int index)
{
    // Freed only after it left the list, so that a destructor calling back
    // finds a consistent container.
    std::unique_ptr<TLarkHTMLItem> doomed = TakeItem(index);
}

std::unique_ptr<TLarkHTMLItem> TLarkHTMLData::TakeItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        ThrowIndexError(index);
    std::unique_ptr<TLarkHTMLItem> item = std::move(FArray[std::size_t(index)]);
    FArray.erase(FArray.begin() + index);
    ++FListVersion;
    ForgetItem(item.get());
    return item;
}

int TLarkHTMLData::IndexOfItem(const TLarkHTMLItem* item) const
{
    // Searched from the end: callers look for items they added recently.
    for (auto i = FArray.size(); i-- > 0;) {
        if (FArray[i].get() == item)
            return int(i);
    }
    return -1;
}

void TLarkHTMLData::ForgetItem(const TLarkHTMLItem* item)
{
    if (!item)
        return;
    // Links are discarded while they are the newest entry, so look there
    // first; only links, inputs and controls are ever listed at all.
    if (!FControlsArray.isEmpty() && FControlsArray.constLast() == item)
        FControlsArray.removeLast();
    const bool focusable = item->IsLink() || item->ItemType() == hitInput || item->ItemType() == hitControl;
    for (qsizetype i = FControlsArray.size(); focusable && i-- > 0;) {
        if (FControlsArray.at(i) == item)
            FControlsArray.removeAt(i);
    }
    if (FSelectedItem == item)
        FSelectedItem = nullptr;
    if (FActiveItem == item)
        FActiveItem = nullptr;
}

void TLarkHTMLData::SetSelectedItem(TLarkHTMLItem* value)
{
    FSelectedItem = value;
    const auto* controlItem = dynamic_cast<const TLarkHTMLControlItem*>(value);
    if (controlItem && controlItem->Control())
        controlItem->Control()->setFocus();
}

void TLarkHTMLData::SetActiveItem(TLarkHTMLInputItem* value)
{
    if (value == FActiveItem)
        return;
    FActiveItem = value;
    if (FRender)
        FRender->Change();
}

} // namespace lark
