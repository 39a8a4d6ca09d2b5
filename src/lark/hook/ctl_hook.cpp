// The per-widget chain: one event filter that runs every attached component
// around the widget's own handling.
//
//   event ──> before-process, last attached first, until Handled
//               │ not Handled                          │ Handled
//               v                                      │
//             widget->event()  (only when someone      │
//               │               listens after; else    │
//               │               Qt delivers as usual)  │
//               v                                      v
//             after-process, last attached first, until Handled
//
// Handlers may attach, detach or delete components, and even delete the
// widget, while an event is on its way: every step works on a snapshot of
// guarded pointers and calls only components that are still attached.

#include "lark/hook/ctl_hook_p.h"

#include <lark/hook/hook_component.h>

#include <QEvent>

#include <algorithm>

namespace lark::detail {

// Counts nested dispatches, so that a record retired by a handler outlives
// the dispatch that is still using it.
class TCtlHook::DispatchScope
{
public:
    explicit DispatchScope(TCtlHook& aHook) : FHook(aHook) { ++FHook.FDispatchDepth; }
    ~DispatchScope()
    {
        if (--FHook.FDispatchDepth == 0 && FHook.FDeleteWhenIdle)
            delete &FHook;
    }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    TCtlHook& FHook;
};

TCtlHook::TCtlHook(QWidget* aControl)
    : FControl(aControl)
    , FAlive(aControl)
{
}

TCtlHook::~TCtlHook()
{
    FDestroying = true;
    FHooks.clear();
    Uninstall();
}

void TCtlHook::Attach(TLarkHookComponent* aHook)
{
    if (!aHook || IsAttached(aHook))
        return;
    FHooks.push_back(aHook);
    if (FInstalled || !FAlive)
        return;
    FAlive->installEventFilter(this);
    FInstalled = true;
}

bool TCtlHook::Detach(TLarkHookComponent* aHook)
{
    std::erase(FHooks, aHook);
    if (FHooks.empty())
        Uninstall();
    return !FHooks.empty();
}

void TCtlHook::Uninstall()
{
    if (!FInstalled)
        return;
    FInstalled = false;
    // A widget in the middle of its destruction drops its filters itself.
    if (FAlive)
        FAlive->removeEventFilter(this);
}

bool TCtlHook::IsAttached(const TLarkHookComponent* aHook) const
{
    return aHook && std::find(FHooks.begin(), FHooks.end(), aHook) != FHooks.end();
}

TCtlHook::Snapshot TCtlHook::LastAttachedFirst() const
{
    return Snapshot(FHooks.rbegin(), FHooks.rend());
}

bool TCtlHook::RunBeforeProcess(const Snapshot& hooks, QEvent* event)
{
    bool handled = false;
    for (const QPointer<TLarkHookComponent>& hook : hooks)
    {
        if (!IsAttached(hook))
            continue;
        hook->DoBeforeProcess(event, handled);
        if (handled)
            break;
    }
    return handled;
}

void TCtlHook::RunAfterProcess(const Snapshot& hooks, QEvent* event)
{
    bool handled = false;
    for (const QPointer<TLarkHookComponent>& hook : hooks)
    {
        if (!IsAttached(hook))
            continue;
        hook->DoAfterProcess(event, handled);
        if (handled)
            break;
    }
}

bool TCtlHook::AnyWantsAfterProcess(const Snapshot& hooks) const
{
    return std::any_of(hooks.begin(), hooks.end(), [this](const QPointer<TLarkHookComponent>& hook) {
        return IsAttached(hook) && hook->WantsAfterProcess();
    });
}

bool TCtlHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FControl || !FInstalled)
        return false;
    DispatchScope scope(*this);
    const Snapshot hooks = LastAttachedFirst();

    // Qt posts its quit request to the application, never to a widget; one
    // that is sent to a widget anyway passes the before-process handlers by,
    // so that nothing can keep a closing program from seeing it.
    bool handled = false;
    if (event->type() != QEvent::Quit && !FDestroying)
        handled = RunBeforeProcess(hooks, event);

    // A handler deleted the widget: there is nothing left to deliver to, and
    // its components have detached through their free notification.
    if (!FAlive)
        return true;

    if (!handled && !AnyWantsAfterProcess(hooks))
        return false;   // Qt delivers; nobody waits for the result

    // Delivered here, exactly once: returning true keeps Qt from delivering it
    // again. QObject::event is public, QWidget's override is reached through it.
    if (!handled)
        static_cast<QObject*>(FAlive.data())->event(event);
    RunAfterProcess(hooks, event);
    return true;
}

} // namespace lark::detail
