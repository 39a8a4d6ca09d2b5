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

void TLarkHookComponent::SetControl(QWidget* value)
{
    if (value == FControl)
        return;
    const bool wasActive = FActive;
    SetActive(false);
    QObject::disconnect(FControlFreeNotification);
    FControl = value;
    if (!FControl)
        return;   // without a widget there is nothing to be active on
    SetActive(wasActive);
    FControlFreeNotification = connect(FControl, &QObject::destroyed, this, [this] { ControlDestroyed(); });
}

void TLarkHookComponent::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    ApplyInstallState();
}

void TLarkHookComponent::SetDesignActive(bool value)
{
    if (value == FDesignActive)
        return;
    FDesignActive = value;
    ApplyInstallState();
}

void TLarkHookComponent::SetDesigning(bool value)
{
    if (value == FDesigning)
        return;
    FDesigning = value;
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
void TLarkHookComponent::DoBeforeProcess(QEvent* message, bool& handled)
{
    if (const TLarkHookEvent handler = OnBeforeProcess)
        handler(this, message, handled);
}

void TLarkHookComponent::DoAfterProcess(QEvent* message, bool& handled)
{
    if (const TLarkHookEvent handler = OnAfterProcess)
        handler(this, message, handled);
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
