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

TLarkHTMLStorage::TLarkHTMLStorage(QObject* AOwner)
    : QObject(AOwner)
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

void TLarkHTMLStorage::SetItems(const TLarkHTMLStorageItems& Value)
{
    Items()->Assign(Value);
}

int TLarkHTMLStorage::Count() const
{
    return FItems ? FItems->Count() : 0;
}

int TLarkHTMLStorage::GetNamedIndex(const QString& Name) const
{
    return FItems ? FItems->GetItemByName(Name) : -1;
}

void TLarkHTMLStorage::RegisterChanges(TLarkHTMLStorageChangeLink* Value)
{
    if (!Value)
        return;
    // A link that still sat in another storage would dangle there once it
    // is destroyed, since it only remembers one storage.
    if (Value->FSender && Value->FSender != this)
        Value->FSender->UnregisterAll(Value);
    Value->FSender = this;
    FClients.append(Value);
}

void TLarkHTMLStorage::UnRegisterChanges(TLarkHTMLStorageChangeLink* Value)
{
    if (!Value || !FClients.removeOne(Value))
        return;
    if (!FClients.contains(Value))
        Value->FSender = nullptr;
}

void TLarkHTMLStorage::UnregisterAll(TLarkHTMLStorageChangeLink* Value)
{
    FClients.removeAll(Value);
    Value->FSender = nullptr;
}

bool TLarkHTMLStorage::IsRegistered(const TLarkHTMLStorageChangeLink* Value) const
{
    return FClients.contains(Value);
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
