#pragma once
// The names of a collection's items, counted, so that the checks done on
// every insertion (is this name taken? which "StorageItem<n>" is free?) cost
// O(log n) instead of a walk over all items: reading a text form with many
// items would otherwise take quadratic time.

#include <QHash>
#include <QString>

#include <set>

namespace lark::detail {

class NameIndex
{
public:
    void Add(const QString& name);
    void Remove(const QString& name);
    void Clear();

    // How many items carry name.
    int Count(const QString& name) const { return FCounts.value(name); }

    // "StorageItem<n>" for the smallest n no item is named with.
    QString FirstFreeGeneratedName();

private:
    // Numbers below FLimit that no name uses; every number from FLimit up
    // is unexplored. FLimit only grows, so finding a free number costs
    // amortised O(log n).
    std::set<qint64> FFree;
    qint64 FLimit = 0;
    QHash<qint64, int> FTakenNumbers;
    QHash<QString, int> FCounts;
};

// The number n of a name "StorageItem<n>" written as QString::number writes
// it (no sign, no leading zero); -1 for any other name.
qint64 GeneratedNameNumber(QStringView name);

} // namespace lark::detail
