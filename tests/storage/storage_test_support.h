#pragma once

// Helpers for the storage tests: items as plain values (comparable, printed
// readably by GoogleTest) and a counter of what a storage reports.

#include <lark/storage/storage.h>

#include <QPointer>
#include <QStringList>

#include <ostream>
#include <vector>

namespace lark::test {

struct ItemData
{
    QString name;
    QStringList lines;

    friend bool operator==(const ItemData&, const ItemData&) = default;
    friend void PrintTo(const ItemData& item, std::ostream* os)
    {
        *os << "{" << item.name.toStdString() << ": [" << item.lines.join(QStringLiteral("|")).toStdString() << "]}";
    }
};

inline std::vector<ItemData> Snapshot(const TLarkHTMLStorage& storage)
{
    std::vector<ItemData> items;
    for (int i = 0; i < storage.Count(); ++i) {
        const TLarkHTMLStorageItem* item = storage.Items()->Items(i);
        items.push_back({ item->Name(), item->Lines().ToStringList() });
    }
    return items;
}

// Fills storage with the given items through the public API.
inline void Fill(TLarkHTMLStorage& storage, const std::vector<ItemData>& items)
{
    for (const ItemData& data : items) {
        TLarkHTMLStorageItem* item = storage.Items()->Add();
        item->SetName(data.name);
        item->SetLines(TStringList(data.lines));
    }
}

// Counts notifications through a registered link and through OnChange.
class ChangeCounter
{
public:
    explicit ChangeCounter(TLarkHTMLStorage& storage)
        : FStorage(&storage)
    {
        FLink.OnChange = [this](QObject* sender) {
            ++LinkCount;
            LastSender = sender;
        };
        storage.RegisterChanges(&FLink);
        storage.OnChange = [this](QObject*) { ++OwnCount; };
    }
    ~ChangeCounter()
    {
        if (FStorage)
            FStorage->OnChange = nullptr;
    }
    ChangeCounter(const ChangeCounter&) = delete;
    ChangeCounter& operator=(const ChangeCounter&) = delete;

    int LinkCount = 0;
    int OwnCount = 0;
    QObject* LastSender = nullptr;

private:
    QPointer<TLarkHTMLStorage> FStorage;
    TLarkHTMLStorageChangeLink FLink;
};

} // namespace lark::test
