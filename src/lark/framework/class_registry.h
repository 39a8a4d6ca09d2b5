#pragma once
// The class registry: widgets created by the component model's class names,
// and their properties read and written by name, kind and text.
//
// Only registered classes can be created (TEdit, TButton, TCheckBox and
// TRadioButton are registered by InitializeFramework; the other known
// classes on request; applications may add their own factories). A property
// is looked up first in the alias table of the component model's names
// (Caption, Checked, Color, ParentColor, Left ... for the widget's class),
// then among the widget's Qt properties, both ignoring letter case. Unknown
// names are reported, never created as dynamic properties.
//
// Example:
//   auto& registry = ClassRegistry::Instance();
//   QWidget* button = registry.Create(u"tbutton");
//   if (auto info = registry.GetPropInfo(button, u"caption"))
//       registry.SetPropText(button, *info, u"OK"_s);

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace lark {

enum class TTypeKind { tkInteger, tkInt64, tkFloat, tkEnumeration, tkSet, tkWChar, tkWString, tkString, tkOther };

// What GetPropInfo found. Valid for widgets of the class it was asked for.
struct TPropInfo
{
    QString Name;           // the property's own spelling ("Caption", "maxLength")
    TTypeKind Kind = TTypeKind::tkOther;
    QString TypeName;       // "Boolean", "TAlignment", "Integer", or Qt's type name
    QStringList Elements;   // element names of an enumeration or a set
    bool Writable = false;
    int AliasIndex = -1;    // row of the alias table, or -1
    int MetaIndex = -1;     // index of the Qt property, or -1
};

class ClassRegistry
{
public:
    using Factory = std::function<QWidget*()>;

    static ClassRegistry& Instance();

    // Registers one of the known classes (TEdit, TButton, TCheckBox,
    // TRadioButton, TMemo, TComboBox, TDateTimePicker) by name, any letter
    // case; false when the name is not one of them.
    bool RegisterClass(QStringView className);
    // Registers (or replaces) a class with the application's own factory.
    void RegisterClass(const QString& className, Factory factory);
    void UnregisterClass(QStringView className);
    bool IsRegistered(QStringView className) const;
    // The registered names, in registration order.
    QStringList RegisteredClasses() const;
    // The names RegisterClass(QStringView) accepts.
    static QStringList KnownClasses();

    // A new widget without parent, or nullptr (with a warning) when the
    // class is not registered. The caller owns it.
    QWidget* Create(QStringView className) const;
    // The registered name the widget was created by, else the known class
    // name of its Qt class; empty when neither.
    QString ClassNameOf(const QWidget* widget) const;

    std::optional<TPropInfo> GetPropInfo(const QWidget* widget, QStringView name) const;
    QList<TPropInfo> GetPropList(const QWidget* widget) const;

    // Text by kind: integers in decimal, enumerations as the element name,
    // floats as FloatToStr, sets as the element names joined by "," without
    // brackets, characters and strings as they are.
    QString GetPropText(const QWidget* widget, const TPropInfo& info) const;
    // The reverse of GetPropText; enumeration and set elements ignore letter
    // case and a set may be written in brackets. Throws EConvertError when
    // the text does not convert, EPropReadOnly for a read-only property.
    void SetPropText(QWidget* widget, const TPropInfo& info, const QString& text) const;

    // Typed access. Each throws EInvalidOperation when the property is not of
    // a fitting kind or does not belong to the widget, EConvertError for an
    // invalid value and EPropReadOnly when writing a read-only property.
    // Ordinals: integers, the element index of an enumeration (a Qt enum's
    // value; False 0, True 1), the bits of a set, a character's code.
    std::int64_t GetOrdProp(const QWidget* widget, const TPropInfo& info) const;
    void SetOrdProp(QWidget* widget, const TPropInfo& info, std::int64_t value) const;
    double GetFloatProp(const QWidget* widget, const TPropInfo& info) const;
    void SetFloatProp(QWidget* widget, const TPropInfo& info, double value) const;
    QString GetEnumProp(const QWidget* widget, const TPropInfo& info) const;
    void SetEnumProp(QWidget* widget, const TPropInfo& info, const QString& value) const;
    QString GetSetProp(const QWidget* widget, const TPropInfo& info) const;
    void SetSetProp(QWidget* widget, const TPropInfo& info, const QString& value) const;
    // Strings, and the text form of properties of other kinds (tkOther).
    QString GetStrProp(const QWidget* widget, const TPropInfo& info) const;
    void SetStrProp(QWidget* widget, const TPropInfo& info, const QString& value) const;
    QString GetWideStrProp(const QWidget* widget, const TPropInfo& info) const { return GetStrProp(widget, info); }
    void SetWideStrProp(QWidget* widget, const TPropInfo& info, const QString& value) const
    {
        SetStrProp(widget, info, value);
    }

private:
    ClassRegistry() = default;

    struct Entry
    {
        QString name;
        Factory factory;
    };
    const Entry* Find(QStringView className) const;

    QList<Entry> FClasses;
};

} // namespace lark
