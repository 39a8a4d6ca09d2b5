#pragma once

// The per-widget chain of hook components. One TCtlHook exists for each
// widget that has at least one attached component; it is the event filter
// installed on that widget.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace lark {
class TLarkHookComponent;
}

namespace lark::detail {

class TCtlHook final : public QObject
{
public:
    explicit TCtlHook(QWidget* aControl);
    ~TCtlHook() override;

    TCtlHook(const TCtlHook&) = delete;
    TCtlHook& operator=(const TCtlHook&) = delete;

    // Identity of the watched widget; stays valid as a key while the widget
    // is being destroyed.
    QWidget* Control() const { return FControl; }
    bool Installed() const { return FInstalled; }
    const std::vector<TLarkHookComponent*>& Hooks() const { return FHooks; }
    bool Dispatching() const { return FDispatchDepth > 0; }

    // Appends aHook; the first attach installs the filter on the widget.
    void Attach(TLarkHookComponent* aHook);
    // Removes aHook; the last detach removes the filter again. Returns
    // whether hooks are left.
    bool Detach(TLarkHookComponent* aHook);

    // The record has left the process-wide list while one of its dispatches
    // is still running: it deletes itself when the outermost one returns.
    void DeleteWhenIdle() { FDeleteWhenIdle = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DispatchScope;
    using Snapshot = std::vector<QPointer<TLarkHookComponent>>;

    Snapshot LastAttachedFirst() const;
    bool IsAttached(const TLarkHookComponent* aHook) const;
    bool RunBeforeProcess(const Snapshot& hooks, QEvent* event);
    void RunAfterProcess(const Snapshot& hooks, QEvent* event);
    bool AnyWantsAfterProcess(const Snapshot& hooks) const;
    void Uninstall();

    std::vector<TLarkHookComponent*> FHooks;   // attachment order, not owned
    QWidget* const FControl;
    QPointer<QWidget> FAlive;                  // FControl while it lives
    bool FInstalled = false;
    bool FDestroying = false;
    bool FDeleteWhenIdle = false;
    int FDispatchDepth = 0;
};

} // namespace lark::detail
