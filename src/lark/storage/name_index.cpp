#include "lark/storage/name_index_p.h"

namespace lark::detail {

namespace {

constexpr QLatin1StringView kGeneratedNamePrefix("StorageItem");
// Longer numbers are never generated: no collection gets that many items.
constexpr qsizetype kMaxGeneratedDigits = 9;

} // namespace

qint64 GeneratedNameNumber(QStringView name)
{
    if (!name.startsWith(kGeneratedNamePrefix))
        return -1;
    const QStringView digits = name.mid(kGeneratedNamePrefix.size());
    if (digits.isEmpty() || digits.size() > kMaxGeneratedDigits || (digits.size() > 1 && digits.front() == u'0'))
        return -1;
    qint64 number = 0;
    for (const QChar ch : digits) {
        if (ch < u'0' || ch > u'9')
            return -1;
        number = number * 10 + (ch.unicode() - u'0');
    }
    return number;
}

void NameIndex::Add(const QString& name)
{
    ++FCounts[name];
    const qint64 number = GeneratedNameNumber(name);
    if (number < 0 || ++FTakenNumbers[number] > 1)
        return;
    if (number < FLimit)
        FFree.erase(number);
}

void NameIndex::Remove(const QString& name)
{
    const auto count = FCounts.find(name);
    if (count == FCounts.end())
        return;
    if (--*count == 0)
        FCounts.erase(count);
    const qint64 number = GeneratedNameNumber(name);
    if (number < 0)
        return;
    const auto taken = FTakenNumbers.find(number);
    if (taken == FTakenNumbers.end() || --*taken > 0)
        return;
    FTakenNumbers.erase(taken);
    if (number < FLimit)
        FFree.insert(number);
}

void NameIndex::Clear()
{
    FFree.clear();
    FLimit = 0;
    FTakenNumbers.clear();
    FCounts.clear();
}

QString NameIndex::FirstFreeGeneratedName()
{
    if (FFree.empty()) {
        while (FTakenNumbers.contains(FLimit))
            ++FLimit;
        FFree.insert(FLimit++);
    }
    return kGeneratedNamePrefix + QString::number(*FFree.begin());
}

} // namespace lark::detail
