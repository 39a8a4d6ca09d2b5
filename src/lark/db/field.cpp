// A field reads its column at the dataset's current record.
#include <lark/db/field.h>

#include "lark/db/field_value_p.h"

#include <lark/db/dataset.h>

namespace lark {

TField::TField(TDataSet* aDataSet, const QString& aFieldName, int aIndex, QMetaType aDataType)
    : QObject(aDataSet)
    , FDataSet(aDataSet)
    , FFieldName(aFieldName)
    , FIndex(aIndex)
    , FDataType(aDataType)
{
    setObjectName(aFieldName);
}

QVariant TField::Value() const
{
    return detail::NormalizedValue(FDataSet->CurrentData(FIndex, Qt::EditRole), FDataType);
}

QString TField::Text(int role, bool display) const
{
    QString text = detail::ValueText(detail::NormalizedValue(FDataSet->CurrentData(FIndex, role), FDataType));
    if (OnGetText)
        OnGetText(const_cast<TField*>(this), text, display);
    return text;
}

QString TField::AsString() const
{
    return Text(Qt::EditRole, false);
}

QString TField::DisplayText() const
{
    return Text(Qt::DisplayRole, true);
}

qint64 TField::AsInteger() const
{
    return Value().toLongLong();
}

double TField::AsFloat() const
{
    return Value().toDouble();
}

bool TField::AsBoolean() const
{
    const QVariant value = Value();
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool();
    return detail::NormalizedValue(value, QMetaType::fromType<bool>()).toBool();
}

} // namespace lark
