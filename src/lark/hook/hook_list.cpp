#include "lark/hook/hook_list_p.h"

#include "lark/hook/ctl_hook_p.h"

#include <algorithm>
#include <utility>

namespace lark::detail {

namespace {

TLarkHookList* gHookList = nullptr;
bool gHookListFreed = false;

// Frees the list at program end, which unhooks every widget still hooked.
// Components that outlive it find no list and simply forget their widget.
struct HookListReaper
{
    ~HookListReaper()
    {
        gHookListFreed = true;
        delete std::exchange(gHookList, nullptr);
    }
};
HookListReaper gHookListReaper;

} // namespace

TLarkHookList* TLarkHookList::Instance()
{
    return gHookList;
}

TLarkHookList* TLarkHookList::Ensure()
{
    if (!gHookList && !gHookListFreed)
        gHookList = new TLarkHookList;
    return gHookList;
}

TLarkHookList::~TLarkHookList() = default;

TCtlHook* TLarkHookList::Find(const QWidget* aControl) const
{
    const auto it = std::find_if(FCtlHooks.begin(), FCtlHooks.end(),
                                 [aControl](const auto& record) { return record->Control() == aControl; });
    return it == FCtlHooks.end() ? nullptr : it->get();
}

void TLarkHookList::Attach(QWidget* aControl, TLarkHookComponent* aHook)
{
    TCtlHook* record = Find(aControl);
    if (!record)
        record = FCtlHooks.emplace_back(std::make_unique<TCtlHook>(aControl)).get();
    record->Attach(aHook);
}

void TLarkHookList::Detach(QWidget* aControl, TLarkHookComponent* aHook)
{
    TCtlHook* record = Find(aControl);
    if (record && !record->Detach(aHook))
        Retire(record);
}

// A record without hooks leaves nothing behind on its widget: its filter is
// already gone, and the record goes too, so that a later widget at the same
// address starts afresh.
void TLarkHookList::Retire(TCtlHook* aRecord)
{
    const auto it = std::find_if(FCtlHooks.begin(), FCtlHooks.end(),
                                 [aRecord](const auto& record) { return record.get() == aRecord; });
    if (it == FCtlHooks.end())
        return;
    std::unique_ptr<TCtlHook> record = std::move(*it);
    FCtlHooks.erase(it);
    if (record->Dispatching())
        record.release()->DeleteWhenIdle();
}

} // namespace lark::detail
