// The storage's collection and its items: positions, generated names, and the
// one path by which every change reaches the storage (Changed -> Update ->
// TLarkHTMLStorage::Change).
#include "lark/storage/name_index_p.h"

#include <lark/framework/exceptions.h>
#include <lark/storage/storage.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {

//---- Item ------------------------------------------------------------------

TLarkHTMLStorageItem::TLarkHTMLStorageItem(TLarkHTMLStorageItems* collection)
    : FCollection(collection)
{
    FLines.OnChange = [this](TLarkHTMLStrings*) { Changed(); };
}

TLarkHTMLStorageItem::~TLarkHTMLStorageItem() = default;

int TLarkHTMLStorageItem::Index() const
{
    return FCollection->IndexOfItem(this);
}

void TLarkHTMLStorageItem::SetIndex(int value)
{
    FCollection->Move(Index(), value);
}

void TLarkHTMLStorageItem::SetName(const QString& value)
{
    if (value == FName)
        return;
    FCollection->RenameItem(this, value);
    Changed();
}

void TLarkHTMLStorageItem::SetLines(const TStringList& value)
{
    FLines.Assign(value);
}

void TLarkHTMLStorageItem::SetLines(const TLarkHTMLStrings& value)
{
    FLines.Assign(value);
}

void TLarkHTMLStorageItem::Assign(const TLarkHTMLStorageItem& source)
{
    if (&source == this)
        return;
    FCollection->BeginUpdate();
    SetName(source.Name());
    SetLines(source.Lines());
    FCollection->EndUpdate();
}

QString TLarkHTMLStorageItem::GetDisplayName() const
{
    return FName.isEmpty() ? u"TLarkHTMLStorageItem"_s : FName;
}

void TLarkHTMLStorageItem::Changed()
{
    FCollection->Changed(this);
}

//---- Collection ------------------------------------------------------------

TLarkHTMLStorageItems::TLarkHTMLStorageItems(TLarkHTMLStorage* aOwner)
    : FOwner(aOwner)
    , FNames(std::make_unique<detail::NameIndex>())
{
}

TLarkHTMLStorageItems::~TLarkHTMLStorageItems() = default;

void TLarkHTMLStorageItems::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(index));
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Items(int index) const
{
    CheckIndex(index);
    return FItems[size_t(index)].get();
}

void TLarkHTMLStorageItems::SetItems(int index, const TLarkHTMLStorageItem& value)
{
    Items(index)->Assign(value);
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Add()
{
    return Insert(Count());
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(index));
    TLarkHTMLStorageItem* inserted = NewItem(index);
    SetItemName(inserted);
    Changed(nullptr);
    return inserted;
}

// An unnamed item at Index, reported to nobody yet.
TLarkHTMLStorageItem* TLarkHTMLStorageItems::NewItem(int index)
{
    auto item = std::unique_ptr<TLarkHTMLStorageItem>(new TLarkHTMLStorageItem(this));
    TLarkHTMLStorageItem* created = item.get();
    FItems.insert(FItems.begin() + index, std::move(item));
    FNames->Add(created->FName);
    return created;
}

void TLarkHTMLStorageItems::RenameItem(TLarkHTMLStorageItem* item, const QString& name)
{
    FNames->Remove(item->FName);
    item->FName = name;
    FNames->Add(name);
}

void TLarkHTMLStorageItems::Delete(int index)
{
    CheckIndex(index);
    FNames->Remove(FItems[size_t(index)]->FName);
    FItems.erase(FItems.begin() + index);
    Changed(nullptr);
}

void TLarkHTMLStorageItems::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    FNames->Clear();
    Changed(nullptr);
}

void TLarkHTMLStorageItems::Move(int curIndex, int newIndex)
{
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex)
        return;
    const auto first = FItems.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
    Changed(nullptr);
}

void TLarkHTMLStorageItems::Assign(const TLarkHTMLStorageItems& source)
{
    if (&source == this)
        return;
    // Every copy takes its source's name, so no name is generated first.
    BeginUpdate();
    Clear();
    FItems.reserve(source.FItems.size());
    for (const auto& item : source.FItems)
        NewItem(Count())->Assign(*item);
    EndUpdate();
}

int TLarkHTMLStorageItems::GetItemByName(const QString& name) const
{
    if (FNames->Count(name) == 0)
        return -1;
    for (int i = 0; i < Count(); ++i) {
        if (FItems[size_t(i)]->Name() == name)
            return i;
    }
    return -1;
}

int TLarkHTMLStorageItems::IndexOfItem(const TLarkHTMLStorageItem* item) const
{
    for (int i = 0; i < Count(); ++i) {
        if (FItems[size_t(i)].get() == item)
            return i;
    }
    return -1;
}

void TLarkHTMLStorageItems::BeginUpdate()
{
    ++FUpdateCount;
}

void TLarkHTMLStorageItems::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount > 0 || !FChangedWhileUpdating)
        return;
    FChangedWhileUpdating = false;
    Update(nullptr);
}

void TLarkHTMLStorageItems::Changed(TLarkHTMLStorageItem* item)
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    Update(item);
}

void TLarkHTMLStorageItems::Update(TLarkHTMLStorageItem*)
{
    if (FOwner)
        FOwner->Change();
}

void TLarkHTMLStorageItems::SetItemName(TLarkHTMLStorageItem* item)
{
    if (!item->Name().isEmpty() && FNames->Count(item->Name()) == 1)
        return;
    // Not through SetName: the insertion that called us reports the change.
    RenameItem(item, FNames->FirstFreeGeneratedName());
}

} // namespace lark
