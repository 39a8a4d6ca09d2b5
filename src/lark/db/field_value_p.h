#pragma once
// Internal: turning what a model or SQL driver returns into the value and
// text a field reports, the same on every database.

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace lark::detail {

// Raw in the declared type (when there is one and Raw converts to it); a
// null QVariant for SQL NULL and missing data.
QVariant NormalizedValue(const QVariant& raw, QMetaType declared);
// The text of a normalized value.
QString ValueText(const QVariant& value);

} // namespace lark::detail
