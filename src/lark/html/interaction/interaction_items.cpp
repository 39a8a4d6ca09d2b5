// What the user does to a check box or radio button item (click, space),
// its checked state with the radio group rule, its value, and the render
// object's raisers for input and embedded-control events.
//
// Event handlers may re-parse the document, which frees the item that raised
// the event; nothing here touches the item after raising one.
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QPointer>

namespace lark {

namespace {

QPointer<TLarkHTMLRender> RenderOf(const TLarkHTMLItem& item)
{
    return item.FOwner ? item.FOwner->Render() : nullptr;
}

// Checking a radio button clears the others of its group: the input items
// with its group number, whose flags change silently (no events for them).
void ClearGroup(const TLarkHTMLData& data, int group)
{
    for (TLarkHTMLItem* item : data.ControlsArray()) {
        auto* input = dynamic_cast<TLarkHTMLInputItem*>(item);
        if (input && input->FTag == group)
            input->FChecked = false;
    }
}

} // namespace

//---- The input item -----------------------------------------------------------

void TLarkHTMLInputItem::SetChecked(bool value)
{
    if (value == FChecked)
        return;
    // A radio button without a name has group 0 and belongs to no group.
    if (value && FInputType == itRadioButton && FTag > 0 && FOwner)
        ClearGroup(*FOwner, FTag);
    FChecked = value;
    if (const QPointer<TLarkHTMLRender> render = RenderOf(*this))
        render->DoInputItemChecked(this);
}

void TLarkHTMLInputItem::SetValue(const QString& value)
{
    if (value == FValue)
        return;
    FValue = value;
    if (const QPointer<TLarkHTMLRender> render = RenderOf(*this))
        render->DoInputItemTextChanged(this);
}

void TLarkHTMLInputItem::Click()
{
    // Both kinds toggle: a click on a checked radio button unchecks it.
    const QPointer<TLarkHTMLRender> render = RenderOf(*this);
    SetChecked(!FChecked);
    if (render)
        render->Change();
}

void TLarkHTMLInputItem::KeyDownTransfer(int key)
{
    if (key != Qt::Key_Space)
        return;
    // Space never unchecks a radio button, unlike a click.
    SetChecked(FInputType == itRadioButton ? true : !FChecked);
}

//---- Raisers ------------------------------------------------------------------

void TLarkHTMLRender::DoInputItemChecked(TLarkHTMLInputItem* inputItem)
{
    const QPointer<TLarkHTMLRender> self(this);
    if (OnInputItemChecked)
        OnInputItemChecked(this, inputItem);
    if (self)
        Change();
}

void TLarkHTMLRender::DoInputItemTextChanged(TLarkHTMLInputItem* inputItem)
{
    const QPointer<TLarkHTMLRender> self(this);
    if (OnInputItemTextChanged)
        OnInputItemTextChanged(this, inputItem);
    if (self)
        Change();
}

void TLarkHTMLRender::DoAdjustControlPosition(QWidget* aControl, TLarkHTMLItem* aData, int& x, int& y)
{
    if (OnAdjustControlPosition)
        OnAdjustControlPosition(this, aControl, aData, x, y);
}

void TLarkHTMLRender::DoSetControlVisibility(QWidget* aControl, TLarkHTMLItem* aData, bool& aVisible)
{
    if (OnSetControlVisibility)
        OnSetControlVisibility(this, aControl, aData, aVisible);
}

void TLarkHTMLRender::DoControlCreated(QWidget* aControl)
{
    if (OnControlCreated)
        OnControlCreated(this, aControl);
}

} // namespace lark
