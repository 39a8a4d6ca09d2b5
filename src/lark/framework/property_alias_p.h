#pragma once
// Internal: the component model's property names on Qt widgets.
//
// Each row gives a property of the component model for widgets of one Qt
// class (and its descendants): its kind, its type name, its element names
// when it is an enumeration or a set, and a getter / setter pair that
// translates to the widget. Values travel as QVariant: qint64 for integers,
// int for enumeration ordinals, set bits and character codes, double for
// floats, QString for strings.

#include <lark/framework/class_registry.h>

#include <QVariant>

#include <span>

struct QMetaObject;

namespace lark::detail {

struct PropertyAlias
{
    const QMetaObject* owner;
    const char* name;
    TTypeKind kind;
    const char* typeName;
    std::span<const char* const> elements;
    QVariant (*get)(const QWidget*);
    void (*set)(QWidget*, const QVariant&);   // nullptr: read-only
};

std::span<const PropertyAlias> PropertyAliases();
// Index of the alias row for this widget and name (letter case ignored), -1.
int FindPropertyAlias(const QWidget* widget, QStringView name);
// True when row applies to widgets of the widget's class.
bool AliasAppliesTo(const PropertyAlias& row, const QWidget* widget);

} // namespace lark::detail
