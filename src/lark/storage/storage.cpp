// The storage component and its change links: registration, notification and
// the loading state. Items live in storage_items.cpp, the text form in
// text_form_*.cpp.
#include <lark/storage/storage.h>

#include <QPointer>

namespace lark {

//---- Change link -----------------------------------------------------------

TLarkHTMLStorageChangeLink::~TLarkHTMLStorageChangeLink()
{
    // Every registration goes, not only the first: a storage must never keep
    // a pointer to a destroyed link.
    if (FSender)
        FSender->UnregisterAll(this);
}

void TLarkHTMLStorageChangeLink::Change()
{
    if (OnChange)
        OnChange(FSender);
}

//---- Storage ---------------------------------------------------------------

TLarkHTMLStorage::TLarkHTMLStorage(QObject* aOwner)
    : QObject(aOwner)
{
}

TLarkHTMLStorage::~TLarkHTMLStorage()
{
    FDestroying = true;
    ReleaseClients();
    FItems.reset();
}

// Drops the links last registered first; each host hears about it once, while
// the storage is still whole, and may unregister or even destroy its link.
void TLarkHTMLStorage::ReleaseClients()
{
    while (!FClients.isEmpty()) {
        TLarkHTMLStorageChangeLink* link = FClients.takeLast();
        FClients.removeAll(link);
        link->FSender = nullptr;
        if (link->OnSenderDestroying)
            link->OnSenderDestroying(this);
    }
}

TLarkHTMLStorageItems* TLarkHTMLStorage::Items()
{
    if (!FItems)
        FItems = std::make_unique<TLarkHTMLStorageItems>(this);
    return FItems.get();
}

const TLarkHTMLStorageItems* TLarkHTMLStorage::Items() const
{
    if (!FItems)
        FItems = std::make_unique<TLarkHTMLStorageItems>(const_cast<TLarkHTMLStorage*>(this));
    return FItems.get();
}

void TLarkHTMLStorage::SetItems(const TLarkHTMLStorageItems& value)
{
    Items()->Assign(value);
}

int TLarkHTMLStorage::Count() const
{
    return FItems ? FItems->Count() : 0;
}

int TLarkHTMLStorage::GetNamedIndex(const QString& name) const
{
    return FItems ? FItems->GetItemByName(name) : -1;
}

void TLarkHTMLStorage::RegisterChanges(TLarkHTMLStorageChangeLink* value)
{
    if (!value)
        return;
    // A link that still sat in another storage would dangle there once it
    // is destroyed, since it only remembers one storage.
    if (value->FSender && value->FSender != this)
        value->FSender->UnregisterAll(value);
    value->FSender = this;
    FClients.append(value);
}

void TLarkHTMLStorage::UnRegisterChanges(TLarkHTMLStorageChangeLink* value)
{
    if (!value || !FClients.removeOne(value))
        return;
    if (!FClients.contains(value))
        value->FSender = nullptr;
}

void TLarkHTMLStorage::UnregisterAll(TLarkHTMLStorageChangeLink* value)
{
    FClients.removeAll(value);
    value->FSender = nullptr;
}

bool TLarkHTMLStorage::IsRegistered(const TLarkHTMLStorageChangeLink* value) const
{
    return FClients.contains(value);
}

void TLarkHTMLStorage::BeginLoading()
{
    ++FLoadingCount;
}

void TLarkHTMLStorage::EndLoading()
{
    if (FLoadingCount == 0)
        return;
    if (--FLoadingCount > 0 || !FChangedWhileLoading)
        return;
    FChangedWhileLoading = false;
    Change();
}

void TLarkHTMLStorage::Change()
{
    if (FDestroying)
        return;
    if (Loading()) {
        FChangedWhileLoading = true;
        return;
    }
    // A handler may unregister or destroy links, or destroy the storage:
    // visit a snapshot, skip links gone meanwhile, stop when we are gone.
    const QPointer<TLarkHTMLStorage> alive(this);
    const QList<TLarkHTMLStorageChangeLink*> clients = FClients;
    for (TLarkHTMLStorageChangeLink* link : clients) {
        if (!IsRegistered(link))
            continue;
        link->Change();
        if (!alive || FDestroying)
            return;
    }
    if (OnChange)
        OnChange(this);
    if (!alive || FDestroying)
        return;
    Q_EMIT changed();
}

} // namespace lark
