// Field values made alike across models and drivers. PostgreSQL hands back
// typed values (bool, QDate, numeric as text); SQLite has dynamic typing and
// hands back what the cell holds (0/1 for booleans, text for dates). Each is
// read in the column's declared type, and the text of a value follows one
// set of rules whatever produced it.
#include "lark/db/field_value_p.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

bool IsIntegerType(int id)
{
    switch (id) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool IsNumber(const QVariant& v)
{
    const int id = v.metaType().id();
    return IsIntegerType(id) || id == QMetaType::Double || id == QMetaType::Float;
}

QVariant AsBool(const QVariant& raw)
{
    if (raw.metaType().id() == QMetaType::Bool)
        return raw;
    if (IsNumber(raw))
        return raw.toDouble() != 0;
    const QString text = raw.toString().trimmed().toLower();
    static const QString kTrue[] = {u"t"_s, u"true"_s, u"y"_s, u"yes"_s, u"1"_s, u"on"_s};
    static const QString kFalse[] = {u"f"_s, u"false"_s, u"n"_s, u"no"_s, u"0"_s, u"off"_s};
    for (const QString& word : kTrue)
        if (text == word)
            return true;
    for (const QString& word : kFalse)
        if (text == word)
            return false;
    return raw;
}

QVariant AsInteger(const QVariant& raw)
{
    bool ok = false;
    const qlonglong value = raw.toLongLong(&ok);
    return ok ? QVariant(value) : raw;
}

QVariant AsDouble(const QVariant& raw)
{
    bool ok = false;
    const double value = raw.toDouble(&ok);
    return ok ? QVariant(value) : raw;
}

// SQLite keeps dates as ISO text, with a blank or a "T" before the time.
QVariant AsDateTime(const QVariant& raw, int id)
{
    if (raw.metaType().id() != QMetaType::QString)
        return raw;
    QString text = raw.toString().trimmed();
    if (text.size() > 10 && text.at(10) == u' ')
        text[10] = u'T';
    QVariant parsed;
    switch (id) {
    case QMetaType::QDate:
        parsed = QDate::fromString(text.left(10), Qt::ISODate);
        break;
    case QMetaType::QTime:
        parsed = QTime::fromString(text, Qt::ISODateWithMs);
        break;
    default:
        parsed = QDateTime::fromString(text, Qt::ISODateWithMs);
        break;
    }
    return parsed.isValid() && !parsed.isNull() ? parsed : raw;
}

} // namespace

QVariant NormalizedValue(const QVariant& raw, QMetaType declared)
{
    if (!raw.isValid() || raw.isNull())
        return {};
    if (!declared.isValid() || raw.metaType() == declared)
        return raw;
    const int id = declared.id();
    if (id == QMetaType::Bool)
        return AsBool(raw);
    if (IsIntegerType(id))
        return AsInteger(raw);
    if (id == QMetaType::Double || id == QMetaType::Float)
        return AsDouble(raw);
    if (id == QMetaType::QDate || id == QMetaType::QTime || id == QMetaType::QDateTime)
        return AsDateTime(raw, id);
    if (id == QMetaType::QString && raw.canConvert<QString>())
        return raw.toString();
    return raw;
}

QString ValueText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? u"true"_s : u"false"_s;
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        return time.toString(time.msec() ? u"HH:mm:ss.zzz"_s : u"HH:mm:ss"_s);
    }
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.toString(moment.time().msec() ? u"yyyy-MM-dd HH:mm:ss.zzz"_s : u"yyyy-MM-dd HH:mm:ss"_s);
    }
    default:
        return value.toString();
    }
}

} // namespace lark::detail
