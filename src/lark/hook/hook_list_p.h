#pragma once

// The process-wide list of hooked widgets. Created on the first activation
// that has a widget, freed at program end (which unhooks every widget still
// hooked). GUI thread only, like the widgets it watches.

#include <QWidget>

#include <memory>
#include <vector>

namespace lark {
class TLarkHookComponent;
}

namespace lark::detail {

class TCtlHook;

class TLarkHookList
{
public:
    // The list, or nullptr before the first hook (and after program end).
    static TLarkHookList* Instance();
    // The list, created when needed; nullptr only during program end.
    static TLarkHookList* Ensure();

    ~TLarkHookList();

    // Linear search by widget identity: lists hold a handful of widgets.
    TCtlHook* Find(const QWidget* aControl) const;
    int Count() const { return static_cast<int>(FCtlHooks.size()); }

    void Attach(QWidget* aControl, TLarkHookComponent* aHook);
    void Detach(QWidget* aControl, TLarkHookComponent* aHook);

private:
    TLarkHookList() = default;
    void Retire(TCtlHook* aRecord);

    std::vector<std::unique_ptr<TCtlHook>> FCtlHooks;
};

} // namespace lark::detail
