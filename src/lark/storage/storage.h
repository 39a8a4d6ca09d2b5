#pragma once
// TLarkHTMLStorage: a non-visual component holding an ordered collection of
// named HTML snippets. Hosts (label, panel, view) show one item by index and
// follow links whose target is an item's name; a change link tells every
// bound host about any change, so hosts re-parse when a snippet is edited.
//
// Example:
//   auto* storage = new TLarkHTMLStorage(form);
//   TLarkHTMLStorageItem* intro = storage->Items()->Add();   // "StorageItem0"
//   intro->SetName(u"Intro"_s);
//   intro->Lines().Add(u"<b>Welcome</b> <a href=\"Next\">on</a>"_s);
//   storage->GetNamedIndex(u"Intro"_s);                     // 0
//   storage->SaveToFile(u"pages.txt"_s);                    // the text form
//
// Ownership: the storage owns its collection, the collection its items, each
// item its lines. Change links belong to the hosts; the storage only refers
// to them, and either side may be destroyed first.

#include <lark/framework/object.h>
#include <lark/storage/html_strings.h>

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;

namespace lark {

class TLarkHTMLStorage;
class TLarkHTMLStorageItems;

namespace detail {
class NameIndex;
}

//---- Change link -----------------------------------------------------------

// A host's registration with a storage. Destroying a registered link removes
// it from its storage; destroying the storage first leaves the link with
// Sender() nullptr and raises OnSenderDestroying while the storage is still
// whole, so the host can drop its reference and show its own caption.
class TLarkHTMLStorageChangeLink
{
public:
    TLarkHTMLStorageChangeLink() = default;
    virtual ~TLarkHTMLStorageChangeLink();
    TLarkHTMLStorageChangeLink(const TLarkHTMLStorageChangeLink&) = delete;
    TLarkHTMLStorageChangeLink& operator=(const TLarkHTMLStorageChangeLink&) = delete;

    // The storage this link is registered with; nullptr when none.
    TLarkHTMLStorage* Sender() const { return FSender; }

    // Raises OnChange with the storage as Sender.
    virtual void Change();

    TNotifyEvent OnChange;
    // Raised by a storage being destroyed, after it dropped this link.
    TNotifyEvent OnSenderDestroying;

private:
    friend class TLarkHTMLStorage;
    TLarkHTMLStorage* FSender = nullptr;
};

//---- Items -----------------------------------------------------------------

// One named snippet. Created and destroyed only by its collection (Add,
// Insert, Delete), which owns it; every change of its name or lines is
// reported through the collection.
class TLarkHTMLStorageItem
{
public:
    TLarkHTMLStorageItem(const TLarkHTMLStorageItem&) = delete;
    TLarkHTMLStorageItem& operator=(const TLarkHTMLStorageItem&) = delete;

    TLarkHTMLStorageItems* Collection() const { return FCollection; }

    // The position in the collection. Setting it moves the item; a position
    // outside the collection raises EListError.
    int Index() const;
    void SetIndex(int value);

    // Names are not checked for uniqueness; lookups return the first match.
    const QString& Name() const { return FName; }
    void SetName(const QString& value);

    // The snippet's source is Lines().Text(): each line followed by CR LF.
    TLarkHTMLStrings& Lines() { return FLines; }
    const TLarkHTMLStrings& Lines() const { return FLines; }
    // Copies the lines (one change).
    void SetLines(const TStringList& value);
    void SetLines(const TLarkHTMLStrings& value);

    // Copies name and lines of Source (one change).
    void Assign(const TLarkHTMLStorageItem& source);

    // The name, or the class name for an unnamed item.
    virtual QString GetDisplayName() const;

private:
    friend class TLarkHTMLStorageItems;
    friend struct std::default_delete<TLarkHTMLStorageItem>;
    explicit TLarkHTMLStorageItem(TLarkHTMLStorageItems* collection);
    virtual ~TLarkHTMLStorageItem();
    void Changed();

    TLarkHTMLStrings FLines;
    QString FName;
    TLarkHTMLStorageItems* FCollection; // never nullptr: items exist only in a collection
};

// The ordered items of a storage. A collection without owner (nullptr) is a
// detached set of items, for example to build items and Assign them at once.
class TLarkHTMLStorageItems
{
public:
    explicit TLarkHTMLStorageItems(TLarkHTMLStorage* aOwner);
    virtual ~TLarkHTMLStorageItems();
    TLarkHTMLStorageItems(const TLarkHTMLStorageItems&) = delete;
    TLarkHTMLStorageItems& operator=(const TLarkHTMLStorageItems&) = delete;

    TLarkHTMLStorage* Owner() const { return FOwner; }

    int Count() const { return int(FItems.size()); }
    // Raise EListError for an index outside 0 .. Count() - 1.
    TLarkHTMLStorageItem* Items(int index) const;
    TLarkHTMLStorageItem* operator[](int index) const { return Items(index); }
    // Copies Value's name and lines into item Index.
    void SetItems(int index, const TLarkHTMLStorageItem& value);

    // A new item at the end (or at Index, 0 .. Count()), named with the first
    // free generated name "StorageItem<n>".
    TLarkHTMLStorageItem* Add();
    TLarkHTMLStorageItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Moves item CurIndex to NewIndex.
    void Move(int curIndex, int newIndex);
    // Replaces every item by a copy of Source's items (one change).
    void Assign(const TLarkHTMLStorageItems& source);

    // The first item whose name equals Name exactly (letter case counts), or
    // -1 when there is none.
    int GetItemByName(const QString& name) const;

    // Changes between BeginUpdate and the last EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Called after any change of the collection (Item nullptr) or of one
    // item; tells the owner storage.
    virtual void Update(TLarkHTMLStorageItem* item);
    // Called right after Item was inserted: an empty name, or one another
    // item already has, is replaced by the first free generated name.
    virtual void SetItemName(TLarkHTMLStorageItem* item);

private:
    friend class TLarkHTMLStorageItem;
    void Changed(TLarkHTMLStorageItem* item);
    void CheckIndex(int index) const;
    int IndexOfItem(const TLarkHTMLStorageItem* item) const;
    TLarkHTMLStorageItem* NewItem(int index);
    void RenameItem(TLarkHTMLStorageItem* item, const QString& name);

    TLarkHTMLStorage* FOwner = nullptr;
    std::vector<std::unique_ptr<TLarkHTMLStorageItem>> FItems;
    std::unique_ptr<detail::NameIndex> FNames;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

//---- Storage ---------------------------------------------------------------

class TLarkHTMLStorage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)

public:
    explicit TLarkHTMLStorage(QObject* aOwner = nullptr);
    ~TLarkHTMLStorage() override;

    // Created on first use. The setter copies Value's items.
    TLarkHTMLStorageItems* Items();
    const TLarkHTMLStorageItems* Items() const;
    void SetItems(const TLarkHTMLStorageItems& value);

    // 0 while the collection was never created.
    int Count() const;
    // The position of the first item named exactly Name, or -1.
    int GetNamedIndex(const QString& name) const;

    // A link may be registered twice and is then told twice. Registering a
    // link that belongs to another storage moves it here.
    void RegisterChanges(TLarkHTMLStorageChangeLink* value);
    // Removes one registration of Value; unknown links are ignored. Sender()
    // stays set while another registration of the link remains.
    void UnRegisterChanges(TLarkHTMLStorageChangeLink* value);

    // While loading, nothing is reported; the last EndLoading reports once
    // when anything changed meanwhile.
    void BeginLoading();
    void EndLoading();
    bool Loading() const { return FLoadingCount > 0; }

    // The text form: "Items = <", one "item" ... "end" block per item, ">".
    // Reading replaces every item with one change; a malformed text raises
    // EParserError (line number and what was expected) and leaves the storage
    // as it was. Files and streams hold UTF-8 (a byte-order mark may select
    // another encoding); a missing file raises EFOpenError.
    QString ToTextForm() const;
    void FromTextForm(const QString& text);
    void LoadFromFile(const QString& fileName);
    void LoadFromStream(QIODevice& stream);
    void SaveToFile(const QString& fileName) const;
    void SaveToStream(QIODevice& stream) const;

    // Raised after the change links were told.
    TNotifyEvent OnChange;

Q_SIGNALS:
    void changed();

protected:
    // Tells every registered link, in registration order, then OnChange and
    // changed(); nothing while loading or being destroyed.
    virtual void Change();

private:
    friend class TLarkHTMLStorageChangeLink;
    friend class TLarkHTMLStorageItems;
    void UnregisterAll(TLarkHTMLStorageChangeLink* value);
    bool IsRegistered(const TLarkHTMLStorageChangeLink* value) const;
    void ReleaseClients();

    QList<TLarkHTMLStorageChangeLink*> FClients;
    mutable std::unique_ptr<TLarkHTMLStorageItems> FItems;
    int FLoadingCount = 0;
    bool FChangedWhileLoading = false;
    bool FDestroying = false;
};

} // namespace lark
