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

TLarkHTMLStorageItem::TLarkHTMLStorageItem(TLarkHTMLStorageItems* Collection)
    : FCollection(Collection)
{
    FLines.OnChange = [this](TLarkHTMLStrings*) { Changed(); };
}

TLarkHTMLStorageItem::~TLarkHTMLStorageItem() = default;

int TLarkHTMLStorageItem::Index() const
{
    return FCollection->IndexOfItem(this);
}

void TLarkHTMLStorageItem::SetIndex(int Value)
{
    FCollection->Move(Index(), Value);
}

void TLarkHTMLStorageItem::SetName(const QString& Value)
{
    if (Value == FName)
        return;
    FCollection->RenameItem(this, Value);
    Changed();
}

void TLarkHTMLStorageItem::SetLines(const TStringList& Value)
{
    FLines.Assign(Value);
}

void TLarkHTMLStorageItem::SetLines(const TLarkHTMLStrings& Value)
{
    FLines.Assign(Value);
}

void TLarkHTMLStorageItem::Assign(const TLarkHTMLStorageItem& Source)
{
    if (&Source == this)
        return;
    FCollection->BeginUpdate();
    SetName(Source.Name());
    SetLines(Source.Lines());
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

TLarkHTMLStorageItems::TLarkHTMLStorageItems(TLarkHTMLStorage* AOwner)
    : FOwner(AOwner)
    , FNames(std::make_unique<detail::NameIndex>())
{
}

TLarkHTMLStorageItems::~TLarkHTMLStorageItems() = default;

void TLarkHTMLStorageItems::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(Index));
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Items(int Index) const
{
    CheckIndex(Index);
    return FItems[size_t(Index)].get();
}

void TLarkHTMLStorageItems::SetItems(int Index, const TLarkHTMLStorageItem& Value)
{
    Items(Index)->Assign(Value);
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Add()
{
    return Insert(Count());
}

TLarkHTMLStorageItem* TLarkHTMLStorageItems::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(Index));
    TLarkHTMLStorageItem* inserted = NewItem(Index);
    SetItemName(inserted);
    Changed(nullptr);
    return inserted;
}

// An unnamed item at Index, reported to nobody yet.
TLarkHTMLStorageItem* TLarkHTMLStorageItems::NewItem(int Index)
{
    auto item = std::unique_ptr<TLarkHTMLStorageItem>(new TLarkHTMLStorageItem(this));
    TLarkHTMLStorageItem* created = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    FNames->Add(created->FName);
    return created;
}

void TLarkHTMLStorageItems::RenameItem(TLarkHTMLStorageItem* Item, const QString& Name)
{
    FNames->Remove(Item->FName);
    Item->FName = Name;
    FNames->Add(Name);
}

void TLarkHTMLStorageItems::Delete(int Index)
{
    CheckIndex(Index);
    FNames->Remove(FItems[size_t(Index)]->FName);
    FItems.erase(FItems.begin() + Index);
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

void TLarkHTMLStorageItems::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex)
        return;
    const auto first = FItems.begin();
    if (CurIndex < NewIndex)
        std::rotate(first + CurIndex, first + CurIndex + 1, first + NewIndex + 1);
    else
        std::rotate(first + NewIndex, first + CurIndex, first + CurIndex + 1);
    Changed(nullptr);
}

void TLarkHTMLStorageItems::Assign(const TLarkHTMLStorageItems& Source)
{
    if (&Source == this)
        return;
    // Every copy takes its source's name, so no name is generated first.
    BeginUpdate();
    Clear();
    FItems.reserve(Source.FItems.size());
    for (const auto& source : Source.FItems)
        NewItem(Count())->Assign(*source);
    EndUpdate();
}

int TLarkHTMLStorageItems::GetItemByName(const QString& Name) const
{
    if (FNames->Count(Name) == 0)
        return -1;
    for (int i = 0; i < Count(); ++i) {
        if (FItems[size_t(i)]->Name() == Name)
            return i;
    }
    return -1;
}

int TLarkHTMLStorageItems::IndexOfItem(const TLarkHTMLStorageItem* Item) const
{
    for (int i = 0; i < Count(); ++i) {
        if (FItems[size_t(i)].get() == Item)
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

void TLarkHTMLStorageItems::Changed(TLarkHTMLStorageItem* Item)
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    Update(Item);
}

void TLarkHTMLStorageItems::Update(TLarkHTMLStorageItem*)
{
    if (FOwner)
        FOwner->Change();
}

void TLarkHTMLStorageItems::SetItemName(TLarkHTMLStorageItem* Item)
{
    if (!Item->Name().isEmpty() && FNames->Count(Item->Name()) == 1)
        return;
    // Not through SetName: the insertion that called us reports the change.
    RenameItem(Item, FNames->FirstFreeGeneratedName());
}

} // namespace lark
