// Properties by name: finding them (alias table first, then Qt properties),
// and reading or writing them by kind or as text.
#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include "lark/framework/property_alias_p.h"

#include <QColor>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSet>
#include <QWidget>

#include <cstring>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

using enum TTypeKind;
using detail::PropertyAlias;

const QStringList& BooleanNames()
{
    static const QStringList names{ u"False"_s, u"True"_s };
    return names;
}

TTypeKind KindOf(const QMetaProperty& property)
{
    // A flag type is also an enumeration type to Qt: test it first.
    if (property.isFlagType())
        return tkSet;
    if (property.isEnumType())
        return tkEnumeration;
    switch (property.metaType().id()) {
    case QMetaType::Bool:
        return tkEnumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::QColor:
        return tkInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return tkInt64;
    case QMetaType::Double:
    case QMetaType::Float:
        return tkFloat;
    case QMetaType::QChar:
    case QMetaType::Char16:
        return tkWChar;
    case QMetaType::QString:
        return tkWString;
    default:
        return tkOther;
    }
}

bool IsBool(const QMetaProperty& property)
{
    return property.metaType().id() == QMetaType::Bool;
}

QStringList ElementsOf(const QMetaProperty& property)
{
    if (IsBool(property))
        return BooleanNames();
    QStringList names;
    if (!property.isEnumType())
        return names;
    const QMetaEnum enumerator = property.enumerator();
    for (int i = 0; i < enumerator.keyCount(); ++i)
        names.append(QString::fromLatin1(enumerator.key(i)));
    return names;
}

QStringList ElementsOf(const PropertyAlias& row)
{
    QStringList names;
    for (const char* name : row.elements)
        names.append(QString::fromLatin1(name));
    return names;
}

TPropInfo InfoOf(const PropertyAlias& row, int index)
{
    TPropInfo info;
    info.Name = QString::fromLatin1(row.name);
    info.Kind = row.kind;
    info.TypeName = QString::fromLatin1(row.typeName);
    info.Elements = ElementsOf(row);
    info.Writable = row.set != nullptr;
    info.AliasIndex = index;
    return info;
}

TPropInfo InfoOf(const QMetaProperty& property, int index)
{
    TPropInfo info;
    info.Name = QString::fromLatin1(property.name());
    info.Kind = KindOf(property);
    info.TypeName = IsBool(property) ? u"Boolean"_s : QString::fromLatin1(property.typeName());
    info.Elements = ElementsOf(property);
    info.Writable = property.isWritable();
    info.MetaIndex = index;
    return info;
}

// The property an info stands for on a given widget, checked to belong to it.
struct Bound
{
    const PropertyAlias* alias = nullptr;
    QMetaProperty meta;
    TTypeKind kind = tkOther;
    QString name;

    bool IsMetaBool() const { return !alias && IsBool(meta); }
    bool IsMetaType(int id) const { return !alias && meta.metaType().id() == id; }
};

Bound Bind(const QWidget* widget, const TPropInfo& info)
{
    if (!widget)
        throw EInvalidOperation(u"Property %1 asked of no control"_s.arg(info.Name));
    const auto rows = detail::PropertyAliases();
    if (info.AliasIndex >= 0 && info.AliasIndex < qsizetype(rows.size())) {
        const PropertyAlias& row = rows[std::size_t(info.AliasIndex)];
        if (detail::AliasAppliesTo(row, widget) && info.Name.compare(QLatin1StringView(row.name), Qt::CaseInsensitive) == 0)
            return Bound{ &row, QMetaProperty(), row.kind, info.Name };
    } else if (info.MetaIndex >= 0 && info.MetaIndex < widget->metaObject()->propertyCount()) {
        const QMetaProperty property = widget->metaObject()->property(info.MetaIndex);
        if (info.Name.compare(QLatin1StringView(property.name()), Qt::CaseInsensitive) == 0)
            return Bound{ nullptr, property, KindOf(property), info.Name };
    }
    throw EInvalidOperation(u"Property %1 does not belong to %2"_s.arg(
        info.Name, QString::fromLatin1(widget->metaObject()->className())));
}

QVariant Read(const QWidget* widget, const Bound& bound)
{
    return bound.alias ? bound.alias->get(widget) : bound.meta.read(widget);
}

void Write(QWidget* widget, const Bound& bound, const QVariant& value)
{
    if (bound.alias) {
        if (!bound.alias->set)
            throw EPropReadOnly(u"Property %1 is read-only"_s.arg(bound.name));
        bound.alias->set(widget, value);
        return;
    }
    if (!bound.meta.isWritable())
        throw EPropReadOnly(u"Property %1 is read-only"_s.arg(bound.name));
    if (!bound.meta.write(widget, value))
        throw EConvertError(u"Invalid value for property %1"_s.arg(bound.name));
}

[[noreturn]] void ThrowWrongKind(const Bound& bound, const char* wanted)
{
    throw EInvalidOperation(u"Property %1 is not %2"_s.arg(bound.name, QLatin1StringView(wanted)));
}

[[noreturn]] void ThrowInvalidElement(QStringView element)
{
    throw EConvertError(u"Invalid property element: %1"_s.arg(element));
}

// An integer from a variant, including enumeration and flag values that
// QVariant does not convert by itself.
std::int64_t IntegerOf(const QVariant& value)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (ok)
        return number;
    switch (value.metaType().sizeOf()) {
    case 1: {
        qint8 raw = 0;
        std::memcpy(&raw, value.constData(), sizeof raw);
        return raw;
    }
    case 2: {
        qint16 raw = 0;
        std::memcpy(&raw, value.constData(), sizeof raw);
        return raw;
    }
    case 4: {
        qint32 raw = 0;
        std::memcpy(&raw, value.constData(), sizeof raw);
        return raw;
    }
    case 8: {
        qint64 raw = 0;
        std::memcpy(&raw, value.constData(), sizeof raw);
        return raw;
    }
    default:
        return 0;
    }
}

// Integer properties hold 32 bits; wider values wrap as they would in one.
int Wrap32(std::int64_t value)
{
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

QStringList ElementsOf(const Bound& bound)
{
    if (bound.alias)
        return ElementsOf(*bound.alias);
    return ElementsOf(bound.meta);
}

// Set bits of an alias are 1 << element index; flags use the key values.
std::int64_t ElementValue(const Bound& bound, int index)
{
    if (bound.alias || bound.IsMetaBool())
        return bound.kind == tkSet ? (std::int64_t(1) << index) : index;
    return bound.meta.enumerator().value(index);
}

int FindElement(const QStringList& elements, QStringView name)
{
    for (int i = 0; i < elements.size(); ++i) {
        if (elements.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool IsValidOrdinal(const Bound& bound, std::int64_t value)
{
    if (bound.alias || bound.IsMetaBool())
        return value >= 0 && value < ElementsOf(bound).size();
    return bound.meta.enumerator().valueToKey(Wrap32(value)) != nullptr;
}

bool IsValidSet(const Bound& bound, std::int64_t value)
{
    std::int64_t all = 0;
    for (int i = 0; i < ElementsOf(bound).size(); ++i)
        all |= ElementValue(bound, i);
    return (value & ~all) == 0;
}

} // namespace

std::optional<TPropInfo> ClassRegistry::GetPropInfo(const QWidget* widget, QStringView name) const
{
    if (!widget || name.isEmpty())
        return std::nullopt;
    const int alias = detail::FindPropertyAlias(widget, name);
    if (alias >= 0)
        return InfoOf(detail::PropertyAliases()[std::size_t(alias)], alias);
    // Most derived first, so that a subclass's property hides a base's.
    const QMetaObject* meta = widget->metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        if (property.isReadable() && name.compare(QLatin1StringView(property.name()), Qt::CaseInsensitive) == 0)
            return InfoOf(property, i);
    }
    return std::nullopt;
}

QList<TPropInfo> ClassRegistry::GetPropList(const QWidget* widget) const
{
    QList<TPropInfo> list;
    if (!widget)
        return list;
    QSet<QString> seen;
    const auto rows = detail::PropertyAliases();
    for (int i = 0; i < int(rows.size()); ++i) {
        const PropertyAlias& row = rows[std::size_t(i)];
        const QString key = QString::fromLatin1(row.name).toLower();
        if (detail::AliasAppliesTo(row, widget) && !seen.contains(key)) {
            seen.insert(key);
            list.append(InfoOf(row, i));
        }
    }
    const QMetaObject* meta = widget->metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        const QString key = QString::fromLatin1(property.name()).toLower();
        if (property.isReadable() && !seen.contains(key)) {
            seen.insert(key);
            list.append(InfoOf(property, i));
        }
    }
    return list;
}

std::int64_t ClassRegistry::GetOrdProp(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    const QVariant value = Read(widget, bound);
    switch (bound.kind) {
    case tkInteger:
        if (bound.IsMetaType(QMetaType::QColor))
            return FromQColor(value.value<QColor>());
        return IntegerOf(value);
    case tkWChar:
        if (!bound.alias)
            return value.value<QChar>().unicode();
        return IntegerOf(value);
    case tkInt64:
    case tkEnumeration:
    case tkSet:
        return IntegerOf(value);
    default:
        ThrowWrongKind(bound, "an ordinal property");
    }
}

void ClassRegistry::SetOrdProp(QWidget* widget, const TPropInfo& info, std::int64_t value) const
{
    const Bound bound = Bind(widget, info);
    switch (bound.kind) {
    case tkInteger:
        if (bound.IsMetaType(QMetaType::QColor))
            return Write(widget, bound, ToQColor(static_cast<TColor>(Wrap32(value)), widget));
        if (bound.alias)
            return Write(widget, bound, QVariant(qint64(Wrap32(value))));
        return Write(widget, bound, QVariant(Wrap32(value)));
    case tkInt64:
        return Write(widget, bound, QVariant(qint64(value)));
    case tkEnumeration:
        if (!IsValidOrdinal(bound, value))
            ThrowInvalidElement(QString::number(value));
        if (bound.IsMetaBool())
            return Write(widget, bound, QVariant(value != 0));
        return Write(widget, bound, QVariant(Wrap32(value)));
    case tkSet:
        if (!IsValidSet(bound, value))
            ThrowInvalidElement(QString::number(value));
        return Write(widget, bound, QVariant(Wrap32(value)));
    case tkWChar:
        if (value < 0 || value > 0xFFFF)
            throw EConvertError(u"Invalid character code %1 for property %2"_s.arg(value).arg(bound.name));
        if (bound.alias)
            return Write(widget, bound, QVariant(int(value)));
        return Write(widget, bound, QVariant::fromValue(QChar(char16_t(value))));
    default:
        ThrowWrongKind(bound, "an ordinal property");
    }
}

double ClassRegistry::GetFloatProp(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkFloat)
        ThrowWrongKind(bound, "a floating point property");
    return Read(widget, bound).toDouble();
}

void ClassRegistry::SetFloatProp(QWidget* widget, const TPropInfo& info, double value) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkFloat)
        ThrowWrongKind(bound, "a floating point property");
    Write(widget, bound, QVariant(value));
}

QString ClassRegistry::GetEnumProp(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkEnumeration)
        ThrowWrongKind(bound, "an enumeration");
    const std::int64_t value = GetOrdProp(widget, info);
    const QStringList elements = ElementsOf(bound);
    for (int i = 0; i < elements.size(); ++i) {
        if (ElementValue(bound, i) == value)
            return elements.at(i);
    }
    return QString::number(value);
}

void ClassRegistry::SetEnumProp(QWidget* widget, const TPropInfo& info, const QString& value) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkEnumeration)
        ThrowWrongKind(bound, "an enumeration");
    const int index = FindElement(ElementsOf(bound), value);
    if (index < 0)
        ThrowInvalidElement(value);
    SetOrdProp(widget, info, ElementValue(bound, index));
}

QString ClassRegistry::GetSetProp(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkSet)
        ThrowWrongKind(bound, "a set");
    const std::int64_t value = GetOrdProp(widget, info);
    const QStringList elements = ElementsOf(bound);
    QStringList present;
    std::int64_t covered = 0;
    // Single-bit elements first; keys naming several bits only where they
    // add bits no listed element has (a Qt flag type can have both).
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < elements.size(); ++i) {
            const std::int64_t bits = ElementValue(bound, i);
            const bool single = bits != 0 && (bits & (bits - 1)) == 0;
            if (bits == 0 || single != (pass == 0) || (value & bits) != bits || (covered & bits) == bits)
                continue;
            present.append(elements.at(i));
            covered |= bits;
        }
    }
    return present.join(u',');
}

void ClassRegistry::SetSetProp(QWidget* widget, const TPropInfo& info, const QString& value) const
{
    const Bound bound = Bind(widget, info);
    if (bound.kind != tkSet)
        ThrowWrongKind(bound, "a set");
    QStringView text = QStringView(value).trimmed();
    if (text.startsWith(u'[') && text.endsWith(u']') && text.size() >= 2)
        text = text.mid(1, text.size() - 2);
    const QStringList elements = ElementsOf(bound);
    std::int64_t bits = 0;
    for (QStringView element : text.split(u',')) {
        element = element.trimmed();
        if (element.isEmpty())
            continue;
        const int index = FindElement(elements, element);
        if (index < 0)
            ThrowInvalidElement(element);
        bits |= ElementValue(bound, index);
    }
    SetOrdProp(widget, info, bits);
}

QString ClassRegistry::GetStrProp(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    switch (bound.kind) {
    case tkString:
    case tkWString:
    case tkOther:
        return Read(widget, bound).toString();
    case tkWChar: {
        const auto code = char16_t(GetOrdProp(widget, info));
        return code == 0 ? QString() : QString(QChar(code));
    }
    default:
        ThrowWrongKind(bound, "a string property");
    }
}

void ClassRegistry::SetStrProp(QWidget* widget, const TPropInfo& info, const QString& value) const
{
    const Bound bound = Bind(widget, info);
    switch (bound.kind) {
    case tkString:
    case tkWString:
        return Write(widget, bound, QVariant(value));
    case tkWChar:
        return SetOrdProp(widget, info, value.isEmpty() ? 0 : value.at(0).unicode());
    case tkOther: {
        QVariant converted(value);
        if (!converted.convert(bound.meta.metaType()))
            throw EConvertError(u"'%1' is not a valid %2 value"_s.arg(value, info.TypeName));
        return Write(widget, bound, converted);
    }
    default:
        ThrowWrongKind(bound, "a string property");
    }
}

QString ClassRegistry::GetPropText(const QWidget* widget, const TPropInfo& info) const
{
    const Bound bound = Bind(widget, info);
    switch (bound.kind) {
    case tkInteger:
    case tkInt64:
        return QString::number(GetOrdProp(widget, info));
    case tkEnumeration:
        return GetEnumProp(widget, info);
    case tkFloat:
        return FloatToStr(GetFloatProp(widget, info));
    case tkSet:
        return GetSetProp(widget, info);
    default:
        return GetStrProp(widget, info);
    }
}

void ClassRegistry::SetPropText(QWidget* widget, const TPropInfo& info, const QString& text) const
{
    const Bound bound = Bind(widget, info);
    switch (bound.kind) {
    case tkInteger:
        return SetOrdProp(widget, info, StrToInt(text));
    case tkInt64:
        return SetOrdProp(widget, info, StrToInt64(text));
    case tkEnumeration:
        return SetEnumProp(widget, info, text);
    case tkFloat:
        return SetFloatProp(widget, info, StrToFloat(text));
    case tkSet:
        return SetSetProp(widget, info, text);
    default:
        return SetStrProp(widget, info, text);
    }
}

} // namespace lark
