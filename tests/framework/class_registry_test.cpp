// The class registry: creating widgets by class name and their properties
// by name, kind and text.
#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/framework/exceptions.h>

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

using namespace lark;
using enum TTypeKind;

namespace {

ClassRegistry& Registry()
{
    return ClassRegistry::Instance();
}

std::unique_ptr<QWidget> Create(const char* className)
{
    return std::unique_ptr<QWidget>(Registry().Create(QString::fromLatin1(className)));
}

TPropInfo Info(const QWidget* widget, const char* name)
{
    const std::optional<TPropInfo> info = Registry().GetPropInfo(widget, QString::fromLatin1(name));
    if (!info)
        throw std::runtime_error(std::string("no property ") + name);
    return *info;
}

void SetText(QWidget* widget, const char* name, const QString& text)
{
    Registry().SetPropText(widget, Info(widget, name), text);
}

QString GetText(const QWidget* widget, const char* name)
{
    return Registry().GetPropText(widget, Info(widget, name));
}

// Registers a known class for the length of a test, unless it already was.
class ScopedClass
{
public:
    explicit ScopedClass(const char* name)
        : FName(QString::fromLatin1(name))
        , FWasRegistered(Registry().IsRegistered(FName))
    {
        EXPECT_TRUE(Registry().RegisterClass(FName));
    }
    ~ScopedClass()
    {
        if (!FWasRegistered)
            Registry().UnregisterClass(FName);
    }

private:
    QString FName;
    bool FWasRegistered;
};

struct CreateCase
{
    const char* spelling;
    const QMetaObject* meta;
    const char* className;
};

const CreateCase kStartupClasses[] = {
    { "TButton", &QPushButton::staticMetaObject, "TButton" },
    { "tbutton", &QPushButton::staticMetaObject, "TButton" },
    { "TBUTTON", &QPushButton::staticMetaObject, "TButton" },
    { "tEdit", &QLineEdit::staticMetaObject, "TEdit" },
    { "TCheckBox", &QCheckBox::staticMetaObject, "TCheckBox" },
    { "tradiobutton", &QRadioButton::staticMetaObject, "TRadioButton" },
};

TEST(ClassRegistry, CreatesStartupClassesByAnyLetterCase)
{
    for (const CreateCase& row : kStartupClasses) {
        SCOPED_TRACE(row.spelling);
        EXPECT_TRUE(Registry().IsRegistered(QString::fromLatin1(row.spelling)));
        const auto widget = Create(row.spelling);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->metaObject(), row.meta);
        EXPECT_EQ(widget->parent(), nullptr);
        EXPECT_EQ(Registry().ClassNameOf(widget.get()), row.className);
    }
}

TEST(ClassRegistry, OnlyRegisteredClassesAreCreated)
{
    EXPECT_EQ(Create("TNoSuchClass"), nullptr);
    EXPECT_FALSE(Registry().RegisterClass(u"TNoSuchClass"));
    EXPECT_FALSE(Registry().IsRegistered(u"TMemo"));
    EXPECT_EQ(Create("TMemo"), nullptr);
    {
        ScopedClass memo("tmemo");
        EXPECT_TRUE(Registry().IsRegistered(u"TMEMO"));
        const auto widget = Create("TMemo");
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(widget.get()));
        EXPECT_EQ(Registry().ClassNameOf(widget.get()), "TMemo");
    }
    EXPECT_FALSE(Registry().IsRegistered(u"TMemo"));
    EXPECT_TRUE(ClassRegistry::KnownClasses().contains("TDateTimePicker"));
}

TEST(ClassRegistry, ApplicationFactoriesRegisterUnderTheirOwnName)
{
    Registry().RegisterClass("TStaticText", [] { return new QLabel("made here"); });
    const auto widget = Create("tstatictext");
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(widget.get())->text(), "made here");
    EXPECT_EQ(Registry().ClassNameOf(widget.get()), "TStaticText");
    Registry().UnregisterClass(u"TSTATICTEXT");
    EXPECT_FALSE(Registry().IsRegistered(u"TStaticText"));
    EXPECT_EQ(Registry().ClassNameOf(widget.get()), "TStaticText");
}

TEST(ClassRegistry, SetsCaptionAndWidthOfAButton)
{
    const auto button = Create("TButton");
    const TPropInfo caption = Info(button.get(), "caption");
    EXPECT_EQ(caption.Name, "Caption");
    EXPECT_EQ(caption.Kind, tkString);
    Registry().SetPropText(button.get(), caption, "button");
    EXPECT_EQ(qobject_cast<QPushButton*>(button.get())->text(), "button");
    EXPECT_EQ(Registry().GetPropText(button.get(), caption), "button");

    const TPropInfo width = Info(button.get(), "WIDTH");
    EXPECT_EQ(width.Kind, tkInteger);
    Registry().SetPropText(button.get(), width, "60");
    SetText(button.get(), "height", "$14");
    EXPECT_EQ(button->size(), QSize(60, 20));
    EXPECT_EQ(Registry().GetOrdProp(button.get(), width), 60);
    EXPECT_EQ(GetText(button.get(), "Height"), "20");
}

TEST(ClassRegistry, CheckedIsABooleanEnumeration)
{
    const auto box = Create("TCheckBox");
    const TPropInfo checked = Info(box.get(), "checked");
    EXPECT_EQ(checked.Kind, tkEnumeration);
    EXPECT_EQ(checked.TypeName, "Boolean");
    EXPECT_EQ(checked.Elements, QStringList({ "False", "True" }));
    auto* checkBox = qobject_cast<QCheckBox*>(box.get());
    for (const char* text : { "true", "TRUE", "True" }) {
        checkBox->setChecked(false);
        Registry().SetPropText(box.get(), checked, QString::fromLatin1(text));
        EXPECT_TRUE(checkBox->isChecked()) << text;
        EXPECT_EQ(Registry().GetPropText(box.get(), checked), "True");
    }
    Registry().SetEnumProp(box.get(), checked, "false");
    EXPECT_FALSE(checkBox->isChecked());
    EXPECT_EQ(Registry().GetOrdProp(box.get(), checked), 0);
    for (const char* text : { "yes", "1", "" })
        EXPECT_THROW(Registry().SetPropText(box.get(), checked, QString::fromLatin1(text)), EConvertError) << text;
    EXPECT_FALSE(checkBox->isChecked());
}

TEST(ClassRegistry, EnumerationsAreSetByElementName)
{
    const auto edit = Create("TEdit");
    auto* lineEdit = qobject_cast<QLineEdit*>(edit.get());
    const TPropInfo alignment = Info(edit.get(), "Alignment");
    EXPECT_EQ(alignment.Elements, QStringList({ "taLeftJustify", "taRightJustify", "taCenter" }));
    Registry().SetPropText(edit.get(), alignment, "taRightJustify");
    EXPECT_TRUE(lineEdit->alignment() & Qt::AlignRight);
    EXPECT_EQ(Registry().GetPropText(edit.get(), alignment), "taRightJustify");
    Registry().SetPropText(edit.get(), alignment, "TACENTER");
    EXPECT_TRUE(lineEdit->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(Registry().GetOrdProp(edit.get(), alignment), 2);
    EXPECT_THROW(Registry().SetPropText(edit.get(), alignment, "taMiddle"), EConvertError);
    EXPECT_THROW(Registry().SetOrdProp(edit.get(), alignment, 3), EConvertError);

    // Qt's own enumerations, found through the widget's meta-object.
    const TPropInfo echo = Info(edit.get(), "ECHOMODE");
    EXPECT_EQ(echo.Name, "echoMode");
    EXPECT_EQ(echo.Kind, tkEnumeration);
    Registry().SetPropText(edit.get(), echo, "password");
    EXPECT_EQ(lineEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Registry().GetPropText(edit.get(), echo), "Password");

    const auto box = Create("TCheckBox");
    SetText(box.get(), "State", "cbGrayed");
    EXPECT_EQ(qobject_cast<QCheckBox*>(box.get())->checkState(), Qt::PartiallyChecked);
    SetText(box.get(), "Alignment", "taLeftJustify");
    EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
}

TEST(ClassRegistry, SetsAreWrittenAsElementLists)
{
    const auto edit = Create("TEdit");
    const TPropInfo hints = Info(edit.get(), "inputmethodhints");
    EXPECT_EQ(hints.Kind, tkSet);
    Registry().SetPropText(edit.get(), hints, " [ImhDigitsOnly, imhnopredictivetext] ");
    EXPECT_EQ(edit->inputMethodHints(), Qt::ImhDigitsOnly | Qt::ImhNoPredictiveText);
    const QString text = Registry().GetPropText(edit.get(), hints);
    EXPECT_FALSE(text.contains('['));
    QStringList elements = text.split(',');
    elements.sort();
    EXPECT_EQ(elements, QStringList({ "ImhDigitsOnly", "ImhNoPredictiveText" }));
    Registry().SetSetProp(edit.get(), hints, "[]");
    EXPECT_EQ(edit->inputMethodHints(), Qt::ImhNone);
    EXPECT_THROW(Registry().SetSetProp(edit.get(), hints, "ImhDigitsOnly,ImhNothing"), EConvertError);
    EXPECT_EQ(edit->inputMethodHints(), Qt::ImhNone);
}

TEST(ClassRegistry, ColorSetsTheBackgroundAndParentColorFollowsTheParent)
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    parent.setPalette(palette);
    QWidget* box = Registry().Create(u"TCheckBox");
    box->setParent(&parent);

    // A check box shows the window colour behind it.
    EXPECT_EQ(GetText(box, "ParentColor"), "True");
    EXPECT_EQ(GetText(box, "Color"), QString::number(RGB(10, 20, 30)));
    SetText(box, "color", QString::number(clRed));
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(box->autoFillBackground());
    EXPECT_EQ(GetText(box, "Color"), "255");
    EXPECT_EQ(GetText(box, "ParentColor"), "False");

    // A system colour (clBtnFace as the signed 32-bit integer it is).
    SetText(box, "Color", QString::number(qint32(clBtnFace)));
    EXPECT_EQ(box->palette().color(QPalette::Window), box->palette().color(QPalette::Button));

    SetText(box, "parentcolor", "true");
    EXPECT_EQ(GetText(box, "ParentColor"), "True");
    EXPECT_FALSE(box->autoFillBackground());
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(10, 20, 30));
    palette.setColor(QPalette::Window, QColor(40, 50, 60));
    parent.setPalette(palette);
    EXPECT_EQ(GetText(box, "Color"), QString::number(RGB(40, 50, 60)));

    // An edit's colour is its field, a button's its face.
    const auto edit = Create("TEdit");
    SetText(edit.get(), "Color", QString::number(clYellow));
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 0));
    const auto button = Create("TButton");
    SetText(button.get(), "Color", QString::number(clBlue));
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(0, 0, 255));
}

TEST(ClassRegistry, VisibleMeansNotHiddenOnPurpose)
{
    QWidget parent;
    QWidget* button = Registry().Create(u"TButton");
    EXPECT_EQ(GetText(button, "Visible"), "True");
    SetText(button, "Visible", "False");
    EXPECT_EQ(GetText(button, "Visible"), "False");
    // Without a parent it does not become a window of its own...
    SetText(button, "Visible", "True");
    EXPECT_EQ(GetText(button, "Visible"), "True");
    EXPECT_FALSE(button->isVisible());
    // ...but shows with the parent it gets.
    button->setParent(&parent);
    parent.show();
    EXPECT_TRUE(button->isVisible());
    SetText(button, "Visible", "False");
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(GetText(button, "visible"), "False");
}

TEST(ClassRegistry, UnknownPropertiesGiveNoInfoAndAddNothing)
{
    const auto button = Create("TButton");
    for (const char* name : { "nonsense", "", "Captionx", "Checked " })
        EXPECT_FALSE(Registry().GetPropInfo(button.get(), QString::fromLatin1(name))) << name;
    EXPECT_FALSE(Registry().GetPropInfo(nullptr, u"Caption"));
    EXPECT_TRUE(button->dynamicPropertyNames().isEmpty());

    // An info taken from one class does not apply to another.
    const auto box = Create("TCheckBox");
    const TPropInfo state = Info(box.get(), "State");
    EXPECT_THROW(Registry().GetPropText(button.get(), state), EInvalidOperation);
    EXPECT_THROW(Registry().GetPropText(nullptr, state), EInvalidOperation);
}

TEST(ClassRegistry, ValuesThatDoNotConvertThrowAndChangeNothing)
{
    const auto button = Create("TButton");
    button->resize(70, 25);
    for (const char* text : { "abc", "", "12 ", "1.5", "99999999999" })
        EXPECT_THROW(SetText(button.get(), "Width", QString::fromLatin1(text)), EConvertError) << text;
    EXPECT_EQ(button->width(), 70);

    const TPropInfo x = Info(button.get(), "x"); // Qt's read-only position
    EXPECT_FALSE(x.Writable);
    EXPECT_THROW(Registry().SetPropText(button.get(), x, "5"), EPropReadOnly);

    const TPropInfo caption = Info(button.get(), "Caption");
    EXPECT_THROW(Registry().GetOrdProp(button.get(), caption), EInvalidOperation);
    EXPECT_THROW(Registry().SetFloatProp(button.get(), caption, 1.0), EInvalidOperation);
}

TEST(ClassRegistry, CharactersAndFloats)
{
    const auto edit = Create("TEdit");
    const TPropInfo password = Info(edit.get(), "PasswordChar");
    EXPECT_EQ(password.Kind, tkWChar);
    EXPECT_EQ(Registry().GetPropText(edit.get(), password), "");
    Registry().SetPropText(edit.get(), password, "#");
    EXPECT_EQ(qobject_cast<QLineEdit*>(edit.get())->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Registry().GetOrdProp(edit.get(), password), '*');

    ScopedClass picker("TDateTimePicker");
    const auto widget = Create("TDateTimePicker");
    auto* dateTime = qobject_cast<QDateTimeEdit*>(widget.get());
    const TPropInfo date = Info(widget.get(), "Date");
    EXPECT_EQ(date.Kind, tkFloat);
    // Day numbers count from 30 December 1899.
    SetText(widget.get(), "DateTime", "45000.25");
    EXPECT_EQ(dateTime->dateTime(), QDateTime(QDate(2023, 3, 15), QTime(6, 0)));
    EXPECT_EQ(GetText(widget.get(), "Date"), "45000");
    EXPECT_EQ(GetText(widget.get(), "Time"), "0.25");
    Registry().SetFloatProp(widget.get(), date, 2.5); // the time part is kept
    EXPECT_EQ(dateTime->dateTime(), QDateTime(QDate(1900, 1, 1), QTime(6, 0)));
    EXPECT_THROW(SetText(widget.get(), "Date", "1e300"), EConvertError);
    EXPECT_THROW(SetText(widget.get(), "Date", "soon"), EConvertError);
}

// Every property of every known class reads back what was written as its
// text, for every kind the registry converts.
TEST(ClassRegistry, PropertyTextRoundTripsForEveryKnownClass)
{
    for (const QString& className : ClassRegistry::KnownClasses()) {
        SCOPED_TRACE(className.toStdString());
        ScopedClass scoped(className.toLatin1().constData());
        const auto widget = Create(className.toLatin1().constData());
        ASSERT_NE(widget, nullptr);
        // Some Qt widgets keep internal dynamic properties of their own.
        const QList<QByteArray> dynamicBefore = widget->dynamicPropertyNames();
        const QList<TPropInfo> list = Registry().GetPropList(widget.get());
        QSet<QString> names;
        int roundTrips = 0;
        for (const TPropInfo& info : list) {
            EXPECT_FALSE(names.contains(info.Name.toLower())) << "twice: " << info.Name.toStdString();
            names.insert(info.Name.toLower());
            if (!info.Writable || info.Kind == tkOther)
                continue;
            SCOPED_TRACE(info.Name.toStdString());
            const QString before = Registry().GetPropText(widget.get(), info);
            ASSERT_NO_THROW(Registry().SetPropText(widget.get(), info, before));
            EXPECT_EQ(Registry().GetPropText(widget.get(), info), before);
            ++roundTrips;
        }
        EXPECT_GT(roundTrips, 30); // the aliases and Qt's own properties
        for (const char* name : { "Name", "Left", "Width", "Color", "ParentColor", "Hint", "TabStop" })
            EXPECT_TRUE(names.contains(QString::fromLatin1(name).toLower())) << name;
        EXPECT_EQ(widget->dynamicPropertyNames(), dynamicBefore);
    }
}

} // namespace
