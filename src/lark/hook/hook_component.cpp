#include <lark/hook/hook_component.h>

#include "lark/hook/hook_list_p.h"

namespace lark {

using detail::TLarkHookList;

TLarkHookComponent::TLarkHookComponent(QObject* aOwner)
    : QObject(aOwner)
{
}

TLarkHookComponent::~TLarkHookComponent()
{
    SetControl(nullptr);
}

void TLarkHookComponent::SetControl(QWidget* Value)
{
    if (Value == FControl)
        return;
    const bool wasActive = FActive;
    SetActive(false);
    QObject::disconnect(FControlFreeNotification);
    FControl = Value;
    if (!FControl)
        return;   // without a widget there is nothing to be active on
    SetActive(wasActive);
    FControlFreeNotification = connect(FControl, &QObject::destroyed, this, [this] { ControlDestroyed(); });
}

void TLarkHookComponent::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    ApplyInstallState();
}

void TLarkHookComponent::SetDesignActive(bool Value)
{
    if (Value == FDesignActive)
        return;
    FDesignActive = Value;
    ApplyInstallState();
}

void TLarkHookComponent::SetDesigning(bool Value)
{
    if (Value == FDesigning)
        return;
    FDesigning = Value;
    ApplyInstallState();
}

// The single rule every setter goes through, so that switching DesignActive
// off in design mode really takes an installed hook out again.
void TLarkHookComponent::ApplyInstallState()
{
    if (FActive && FControl && HooksMayRun())
        Install();
    else
        Uninstall();
}

void TLarkHookComponent::Install()
{
    if (FInstalled)
        return;
    TLarkHookList* list = TLarkHookList::Ensure();
    if (!list)
        return;   // program end
    list->Attach(FControl, this);
    FInstalled = true;
    HookInstalled();
}

void TLarkHookComponent::Uninstall()
{
    if (!FInstalled)
        return;
    FInstalled = false;
    if (TLarkHookList* list = TLarkHookList::Instance())
        list->Detach(FControl, this);
    HookRemoved();
}

void TLarkHookComponent::ControlDestroyed()
{
    SetControl(nullptr);
}

// Handlers run on copies: one may reassign the event or delete the
// component while it runs.
void TLarkHookComponent::DoBeforeProcess(QEvent* Message, bool& Handled)
{
    if (const TLarkHookEvent handler = OnBeforeProcess)
        handler(this, Message, Handled);
}

void TLarkHookComponent::DoAfterProcess(QEvent* Message, bool& Handled)
{
    if (const TLarkHookEvent handler = OnAfterProcess)
        handler(this, Message, Handled);
}

void TLarkHookComponent::HookInstalled()
{
}

void TLarkHookComponent::HookRemoved()
{
}

bool TLarkHookComponent::WantsAfterProcess() const
{
    return static_cast<bool>(OnAfterProcess);
}

} // namespace lark
