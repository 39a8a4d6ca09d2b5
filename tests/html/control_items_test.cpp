// Embedded controls made from control tags on a live host: only registered
// classes, parented to the host (or its parent), sized by the tag's rules,
// configured through the registry's properties, written back as HTML.
#include "support/test_host.h"

#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lark;
using namespace lark::test;
using namespace Qt::StringLiterals;

namespace {

class ControlItemTest : public testing::Test
{
protected:
    ControlItemTest() { Host.resize(400, 200); }

    std::vector<TLarkHTMLControlItem*> Controls() { return Host.ControlItems(); }
    // The single control of the document; fails the test when there is none.
    QWidget* OnlyControl()
    {
        const auto controls = Controls();
        if (controls.size() != 1 || !controls[0]->Control()) {
            ADD_FAILURE() << "expected one control item with a control";
            return nullptr;
        }
        return controls[0]->Control();
    }
    std::int64_t OrdProp(QWidget* control, const char* name)
    {
        const ClassRegistry& registry = ClassRegistry::Instance();
        const auto info = registry.GetPropInfo(control, QString::fromLatin1(name));
        if (!info) {
            ADD_FAILURE() << "no property " << name;
            return -1;
        }
        return registry.GetOrdProp(control, *info);
    }
    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TestHost Host;
};

TEST_F(ControlItemTest, SizeRules)
{
    struct Case
    {
        const char* html;
        int width;
        int height;
    };
    // The default height is two pixels more than the document's 11.
    const Case cases[] = {
        {"<control vclclass=TButton>", 50, 13},
        {"<control vclclass=TButton width=0>", 50, 13},
        {"<control vclclass=TButton height=40000>", 50, 13},
        {"<control vclclass=TButton width=32768 height=32767>", 50, 32767},
        {"<control vclclass=tbutton width=60 height=20>", 60, 20},
        {"<control vclclass=TEdit width=-4 height=\"25\">", 50, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Host.SetHTML(QString::fromUtf8(c.html));
        QWidget* control = OnlyControl();
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Controls()[0]->FWidth, c.width);
        EXPECT_EQ(Controls()[0]->FHeight, c.height);
        EXPECT_EQ(control->geometry(), QRect(0, 0, c.width, c.height));
    }

    Host.Data().SetDefaultHeight(-20);
    Host.Render().PrepareText(u"<control vclclass=TButton>"_s, 400, true);
    EXPECT_EQ(Controls()[0]->FHeight, 22);
}

TEST_F(ControlItemTest, BadWidthEndsTheSizeStep)
{
    Host.SetHTML(u"<control vclclass=TButton width=abc height=30>"_s);
    QWidget* control = OnlyControl();
    ASSERT_NE(control, nullptr);
    // The control keeps its own size, and the item takes it.
    EXPECT_NE(control->height(), 30);
    EXPECT_EQ(Controls()[0]->FWidth, control->width());
    EXPECT_EQ(Controls()[0]->FHeight, control->height());
}

TEST_F(ControlItemTest, ButtonOfTheExample)
{
    std::vector<QWidget*> created;
    Host.Render().OnControlCreated = [&](QObject* sender, QWidget* control) {
        EXPECT_EQ(sender, &Host.Render());
        created.push_back(control);
    };
    Host.SetHTML(u"a<control vclclass=\"TButton\" width=\"60\" height=\"20\" caption=\"button\">b"_s);
    auto* button = qobject_cast<QPushButton*>(OnlyControl());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(created, std::vector<QWidget*>{button});
    EXPECT_EQ(button->text(), u"button"_s);
    EXPECT_EQ(button->size(), QSize(60, 20));
    EXPECT_EQ(button->parentWidget(), &Host);
    EXPECT_TRUE(button->isHidden());
    EXPECT_FALSE(button->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(button->focusPolicy() & Qt::ClickFocus);
    EXPECT_EQ(Controls()[0]->FControlClass, u"TButton"_s);
    EXPECT_EQ(Host.Data().ControlsArray(), QList<TLarkHTMLItem*>{Controls()[0]});
    EXPECT_EQ(Host.Data().GenerateHTML(),
              u"<html>a<control vclclass=\"TButton\" width=\"60\" height=\"20\" caption=\"button\" >\r\nb</html>"_s);
}

TEST_F(ControlItemTest, IntegerPropertiesTakeColourIdentifiersAndNumbers)
{
    Host.SetHTML(u"<control vclclass=TCheckBox>"_s);
    const std::int64_t defaultColor = OrdProp(OnlyControl(), "Color");
    struct Case
    {
        const char* value;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"clRed", 0x0000FF},
        {"\"clLime\"", 0x00FF00},
        {"#$FF", 255},
        {"$FF0000", 0xFF0000},
        {"4210752", 4210752},
        {"clNoSuchColour", defaultColor},
        {"#0000ff", defaultColor},
        {"red", defaultColor},
        {"", defaultColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Host.SetHTML(u"<control vclclass=TCheckBox color=%1>"_s.arg(QString::fromUtf8(c.value)));
        EXPECT_EQ(OrdProp(OnlyControl(), "Color"), c.expected);
    }
}

TEST_F(ControlItemTest, PropertiesOfEveryKind)
{
    Host.SetHTML(u"<control vclclass=TCheckBox caption='Yes please' parentcolor=true checked=TRUE "
                 "name=box1 hint=tip enabled=false bogus=1 width=80>"_s);
    auto* box = qobject_cast<QCheckBox*>(OnlyControl());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), u"Yes please"_s);
    EXPECT_EQ(OrdProp(box, "ParentColor"), 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(box->objectName(), u"box1"_s);
    EXPECT_EQ(box->toolTip(), u"tip"_s);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->width(), 80);

    // A value the property does not take is skipped, the others still apply.
    Host.SetHTML(u"<control vclclass=TEdit text=abc maxlength=x readonly=maybe>"_s);
    auto* edit = qobject_cast<QLineEdit*>(OnlyControl());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), u"abc"_s);
    EXPECT_FALSE(edit->isReadOnly());
}

TEST_F(ControlItemTest, WrittenBackWithColourIdentifiersAndReadBackAlike)
{
    Host.SetHTML(u"<control vclclass=TCheckBox color=#$FF caption=x checked=true vclclass=TEdit foo=1>"_s);
    QString first;
    Controls()[0]->GetItemHTML(first);
    EXPECT_EQ(first, u"<control vclclass=\"TCheckBox\" color=\"clRed\" caption=\"x\" checked=\"True\" >"_s);

    Host.SetHTML(first);
    QString second;
    Controls()[0]->GetItemHTML(second);
    EXPECT_EQ(second, first);

    // The current state is written, not the tag's.
    qobject_cast<QCheckBox*>(OnlyControl())->setChecked(false);
    Controls()[0]->GetItemHTML(second);
    EXPECT_TRUE(second.contains(u"checked=\"False\""_s));
}

TEST_F(ControlItemTest, OnlyRegisteredClassesAreCreated)
{
    const QObjectList before = Host.children();
    const char* const tags[] = {
        "a<control vclclass=TMemo>b",          // known, but not registered
        "a<control vclclass=QPushButton>b",    // a Qt class name
        "a<control vclclass=QWidget caption=x>b",
        "a<control vclclass=>b",
        "a<control caption=x>b",
        "a<control>b",
    };
    for (const char* tag : tags) {
        SCOPED_TRACE(tag);
        Host.SetHTML(QString::fromUtf8(tag));
        EXPECT_TRUE(Controls().empty());
        EXPECT_EQ(Host.Render().AsText(), u"ab"_s);
        EXPECT_EQ(Host.children(), before);
    }
    // Once the application registers the class it is made.
    ClassRegistry::Instance().RegisterClass(QStringView(u"TMemo"));
    Host.SetHTML(u"<control vclclass=tmemo>"_s);
    EXPECT_NE(OnlyControl(), nullptr);
    ClassRegistry::Instance().UnregisterClass(u"TMemo");
}

TEST_F(ControlItemTest, NoDynamicPropertyAndNoTopLevelWindow)
{
    Host.show();
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    Host.SetHTML(u"<control vclclass=TEdit qwerty=1 _q_x=2 dynamic=3 text=t>"
                 "<control vclclass=TButton objectname=b windowtitle=w visible=true>"
                 "<control vclclass=TCheckBox parent=0 left=5 top=5>"_s);
    ASSERT_EQ(Controls().size(), 3u);
    Host.Grab();
    for (const TLarkHTMLControlItem* item : Controls()) {
        ASSERT_NE(item->Control(), nullptr);
        EXPECT_TRUE(item->Control()->dynamicPropertyNames().isEmpty());
        EXPECT_EQ(item->Control()->parentWidget(), &Host);
        EXPECT_FALSE(item->Control()->isWindow());
    }
    EXPECT_EQ(QApplication::topLevelWidgets(), topLevels);
}

TEST_F(ControlItemTest, ParentOfAHostWithoutWindow)
{
    QWidget parent;
    parent.resize(500, 300);
    auto* host = new TestHost(&parent);
    host->SetWindowed(false);
    host->setGeometry(30, 40, 300, 100);
    host->SetHTML(u"<control vclclass=TButton>"_s);
    const auto& items = host->Data().Items();
    ASSERT_EQ(items.size(), 2u);
    auto* item = dynamic_cast<TLarkHTMLControlItem*>(items[1].get());
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->Control(), nullptr);
    EXPECT_EQ(item->Control()->parentWidget(), &parent);

    // Without a parent to hold it, such a host gets no control at all.
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    TestHost orphan;
    orphan.SetWindowed(false);
    orphan.SetHTML(u"a<control vclclass=TButton width=60>b"_s);
    EXPECT_EQ(orphan.Data().GenerateHTML(), u"<html>a\r\nb</html>"_s);
    orphan.SetHTML(u"a<control vclclass=TButton caption=x>b"_s);
    EXPECT_EQ(orphan.Render().AsText(), u"ab"_s);
    EXPECT_TRUE(orphan.findChildren<QWidget*>().isEmpty());
    QWidgetList after = QApplication::topLevelWidgets();
    after.removeOne(&orphan);
    EXPECT_EQ(after, topLevels);
}

TEST_F(ControlItemTest, ReparseFreesTheOldControls)
{
    Host.SetHTML(u"<control vclclass=TButton><control vclclass=TEdit>"_s);
    ASSERT_EQ(Controls().size(), 2u);
    const QPointer<QWidget> first = Controls()[0]->Control();
    const QPointer<QWidget> second = Controls()[1]->Control();
    Host.SetHTML(u"text"_s);
    // Hidden at once, freed once control is back in the event loop.
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(first->isHidden());
    FlushDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST_F(ControlItemTest, FailingCreatedHandlerDropsTheTag)
{
    QPointer<QWidget> seen;
    Host.Render().OnControlCreated = [&](QObject*, QWidget* control) {
        seen = control;
        throw std::runtime_error("refused");
    };
    Host.SetHTML(u"a<control vclclass=TButton>b<control vclclass=TEdit>c"_s);
    EXPECT_TRUE(Controls().empty());
    EXPECT_TRUE(Host.Data().ControlsArray().isEmpty());
    EXPECT_EQ(Host.Render().AsText(), u"abc"_s);
    FlushDeletes();
    EXPECT_TRUE(seen.isNull());
}

TEST_F(ControlItemTest, ControlsOfADyingRenderObjectStayWithTheHost)
{
    QPointer<QWidget> control;
    {
        TestHost host;
        host.SetHTML(u"<control vclclass=TButton>"_s);
        ASSERT_EQ(host.Data().ItemCount(), 2);
        control = dynamic_cast<TLarkHTMLControlItem*>(host.Data().GetItem(1))->Control();
        ASSERT_FALSE(control.isNull());
    }
    // The host freed it as a child, once.
    EXPECT_TRUE(control.isNull());
}

} // namespace
