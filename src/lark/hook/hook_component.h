#pragma once

// TLarkHookComponent: watch every event a widget receives, before and after
// the widget's own handling, without subclassing the widget.
//
// Example:
//     auto* hook = new TLarkHookComponent(owner);
//     hook->OnBeforeProcess = [](QObject*, QEvent* e, bool& handled) {
//         handled = e->type() == QEvent::Wheel;   // swallow wheel events
//     };
//     hook->SetControl(edit);
//
// Several components may watch one widget. They share one event filter on it
// and run last-attached first: before-process handlers until one sets Handled
// (which also suppresses the widget's own handling), then, after the widget
// handled the event, after-process handlers until one sets Handled.
//
// How "after" is done: while at least one attached component wants the
// after-process event (WantsAfterProcess()), the filter hands the event to the
// widget's event() itself and reports it as filtered, so the widget handles it
// exactly once and the after-process handlers run when it returns. Acceptance
// and propagation to parents are untouched, because Qt decides those from the
// event's accept flag after the filter returns.
// \warning Event filters installed on the widget before its first hook do not
// see events delivered that way. Components that only listen before
// processing never take delivery over, and then every filter runs as usual.

#include <QObject>
#include <QWidget>

#include <functional>

class QEvent;

namespace lark {

namespace detail {
class TCtlHook;
}

// Raised with the component as Sender. Message may be modified; Handled
// arrives false and, when set, stops the chain it belongs to.
using TLarkHookEvent = std::function<void(QObject* sender, QEvent* message, bool& handled)>;

class TLarkHookComponent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(bool DesignActive READ DesignActive WRITE SetDesignActive)
    Q_PROPERTY(QWidget* Control READ Control WRITE SetControl)

public:
    explicit TLarkHookComponent(QObject* aOwner = nullptr);
    ~TLarkHookComponent() override;

    // The watched widget, not owned. Cleared when the widget is destroyed.
    // Setting nil leaves the component inactive; setting another widget moves
    // an active hook there.
    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* value);

    // True after construction; the hook is installed only while active and
    // with a control (and, in design mode, only with DesignActive).
    bool Active() const { return FActive; }
    void SetActive(bool value);

    bool DesignActive() const { return FDesignActive; }
    void SetDesignActive(bool value);

    // Design mode, set by design tools: hooks then run only with DesignActive.
    bool Designing() const { return FDesigning; }
    void SetDesigning(bool value);

    // Whether the component sits in its widget's chain right now.
    bool Installed() const { return FInstalled; }

    TLarkHookEvent OnBeforeProcess;
    TLarkHookEvent OnAfterProcess;

protected:
    virtual void DoBeforeProcess(QEvent* message, bool& handled);
    virtual void DoAfterProcess(QEvent* message, bool& handled);
    // Called after the component joined and after it left its widget's chain.
    virtual void HookInstalled();
    virtual void HookRemoved();
    // Overrides of DoAfterProcess that do not use OnAfterProcess override
    // this too, so that the chain delivers events itself (see above).
    virtual bool WantsAfterProcess() const;

private:
    friend class detail::TCtlHook;

    bool HooksMayRun() const { return !FDesigning || FDesignActive; }
    void ApplyInstallState();
    void Install();
    void Uninstall();
    void ControlDestroyed();

    bool FActive = true;
    bool FDesignActive = false;
    bool FDesigning = false;
    bool FInstalled = false;
    QWidget* FControl = nullptr;
    QMetaObject::Connection FControlFreeNotification;
};

} // namespace lark
