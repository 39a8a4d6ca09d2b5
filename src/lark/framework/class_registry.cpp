// The registry of creatable classes: the known classes of class_table.inc,
// the ones registered for creation, and which class a widget was made by.
#include <lark/framework/class_registry.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHash>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string_view>

namespace lark {

namespace {

Q_LOGGING_CATEGORY(lcClassRegistry, "lark.framework.registry")

template <typename W>
QWidget* CreateWidget()
{
    return new W;
}

// A memo starts without scroll bars, as in the component model.
QWidget* CreateMemo()
{
    auto* memo = new QPlainTextEdit;
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return memo;
}

// A combo box starts as a drop-down with an edit field.
QWidget* CreateComboBox()
{
    auto* combo = new QComboBox;
    combo->setEditable(true);
    return combo;
}

// A date picker starts on the current date and time, shows the short date
// and drops a calendar down.
QWidget* CreateDateTimePicker()
{
    auto* picker = new QDateTimeEdit(QDateTime::currentDateTime());
    picker->setDisplayFormat(picker->locale().dateFormat(QLocale::ShortFormat));
    picker->setCalendarPopup(true);
    return picker;
}

struct KnownClass
{
    std::u16string_view name;
    const QMetaObject* meta;
    QWidget* (*create)();
};

const KnownClass kKnownClasses[] = {
#define LARK_CLASS(name, QtClass, factory) { u"" #name, &QtClass::staticMetaObject, factory },
#include "lark/framework/class_table.inc"
#undef LARK_CLASS
};

QStringView ViewOf(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size()));
}

const KnownClass* FindKnown(QStringView name)
{
    for (const KnownClass& known : kKnownClasses) {
        if (ViewOf(known.name).compare(name, Qt::CaseInsensitive) == 0)
            return &known;
    }
    return nullptr;
}

// Which registered name each living widget was created by. Never
// destroyed, so that a widget freed during static destruction finds it.
QHash<const QWidget*, QString>& CreatedWidgets()
{
    static auto* const created = new QHash<const QWidget*, QString>;
    return *created;
}

} // namespace

ClassRegistry& ClassRegistry::Instance()
{
    // Never destroyed, like the table of created widgets above.
    static ClassRegistry* const instance = new ClassRegistry;
    return *instance;
}

QStringList ClassRegistry::KnownClasses()
{
    QStringList names;
    for (const KnownClass& known : kKnownClasses)
        names.append(ViewOf(known.name).toString());
    return names;
}

const ClassRegistry::Entry* ClassRegistry::Find(QStringView className) const
{
    for (const Entry& entry : FClasses) {
        if (entry.name.compare(className, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

bool ClassRegistry::RegisterClass(QStringView className)
{
    const KnownClass* known = FindKnown(className);
    if (!known)
        return false;
    RegisterClass(ViewOf(known->name).toString(), known->create);
    return true;
}

void ClassRegistry::RegisterClass(const QString& className, Factory factory)
{
    if (className.isEmpty() || !factory)
        return;
    for (Entry& entry : FClasses) {
        if (entry.name.compare(className, Qt::CaseInsensitive) == 0) {
            entry = Entry{ className, std::move(factory) };
            return;
        }
    }
    FClasses.append(Entry{ className, std::move(factory) });
}

void ClassRegistry::UnregisterClass(QStringView className)
{
    FClasses.removeIf([className](const Entry& entry) {
        return entry.name.compare(className, Qt::CaseInsensitive) == 0;
    });
}

bool ClassRegistry::IsRegistered(QStringView className) const
{
    return Find(className) != nullptr;
}

QStringList ClassRegistry::RegisteredClasses() const
{
    QStringList names;
    for (const Entry& entry : FClasses)
        names.append(entry.name);
    return names;
}

QWidget* ClassRegistry::Create(QStringView className) const
{
    const Entry* entry = Find(className);
    if (!entry) {
        qCWarning(lcClassRegistry) << "class not registered:" << className;
        return nullptr;
    }
    QWidget* widget = entry->factory();
    if (!widget)
        return nullptr;
    CreatedWidgets().insert(widget, entry->name);
    QObject::connect(widget, &QObject::destroyed, [widget] { CreatedWidgets().remove(widget); });
    return widget;
}

QString ClassRegistry::ClassNameOf(const QWidget* widget) const
{
    if (!widget)
        return {};
    const auto it = CreatedWidgets().constFind(widget);
    if (it != CreatedWidgets().constEnd())
        return *it;
    for (const KnownClass& known : kKnownClasses) {
        if (widget->metaObject() == known.meta)
            return ViewOf(known.name).toString();
    }
    return {};
}

} // namespace lark
