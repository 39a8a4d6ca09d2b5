// Every notification event of every HTML widget is also a Qt signal, so Qt
// code connects as usual. One table row per widget.
#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/storage/storage.h>

#include "support/image_checks.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;

namespace lark {
namespace {

using ImageSlot = std::function<void(const QString&, TPicture*)>;

struct WidgetCase
{
    const char* Name;
    std::function<QWidget*(QWidget* parent)> Make;
    // Connects the widget's imageNeeded() directly to Slot.
    std::function<void(QWidget*, ImageSlot)> ConnectImage;
    // The list box has neither embedded controls nor a storage.
    bool HasControlsAndStorage = true;
};

void PrintTo(const WidgetCase& c, std::ostream* os)
{
    *os << c.Name;
}

template <class Widget>
QWidget* Make(QWidget* parent)
{
    auto* w = new Widget(parent);
    // The data-aware widgets show their caption in template mode.
    if constexpr (requires { w->SetIsTemplate(true); })
        w->SetIsTemplate(true);
    return w;
}

template <class Widget>
WidgetCase Row(const char* name, bool controlsAndStorage = true)
{
    return {name, &Make<Widget>,
            [](QWidget* w, ImageSlot slot) {
                QObject::connect(static_cast<Widget*>(w), &Widget::imageNeeded, w, slot, Qt::DirectConnection);
            },
            controlsAndStorage};
}

const WidgetCase kWidgets[] = {
    Row<TLarkHTMLLabel>("Label"),
    Row<TLarkHTMLPanel>("Panel"),
    Row<TLarkHTMLView>("View"),
    Row<TLarkHTMLDBLabel>("DBLabel"),
    Row<TLarkHTMLDBView>("DBView"),
    Row<TLarkHTMLListBox>("ListBox", false),
};

class SignalsTest : public testing::TestWithParam<WidgetCase>
{
protected:
    SignalsTest()
    {
        Parent.resize(320, 200);
        Widget = GetParam().Make(&Parent);
        Widget->setGeometry(10, 10, 240, 120);
        Host = dynamic_cast<TLarkHTMLHostBase*>(Widget);
        Parent.show();
    }

    QWidget Parent;
    QWidget* Widget = nullptr; // owned by Parent
    TLarkHTMLHostBase* Host = nullptr;
};

// A slot connected to imageNeeded() supplies the picture the engine draws.
TEST_P(SignalsTest, ImageNeededLetsASlotSupplyThePicture)
{
    QStringList asked;
    GetParam().ConnectImage(Widget, [&asked](const QString& source, TPicture* image) {
        asked << source;
        QImage red(12, 12, QImage::Format_RGB32);
        red.fill(Qt::red);
        image->SetImage(red);
    });
    Host->SetCaption(u"<img src=\"app:swatch\">"_s);
    QApplication::processEvents();
    const QImage shot = test::GrabRGB32(*Widget);
    // The list box lays its rows out when it paints them.
    EXPECT_TRUE(asked.contains(u"app:swatch"_s));
    EXPECT_GE(CountPixels(shot, shot.rect(), Qt::red), 12 * 12);
}

TEST_P(SignalsTest, ControlCreatedCarriesTheNewControl)
{
    if (!GetParam().HasControlsAndStorage)
        GTEST_SKIP() << "no embedded controls";
    QSignalSpy spy(Widget, SIGNAL(controlCreated(QWidget*)));
    ASSERT_TRUE(spy.isValid());
    Host->SetCaption(u"<control vclclass=\"TButton\" width=\"40\" height=\"18\" name=\"b\" caption=\"ok\">"_s);
    ASSERT_GE(spy.count(), 1);
    EXPECT_NE(qobject_cast<QPushButton*>(spy.last().at(0).value<QWidget*>()), nullptr);
}

TEST_P(SignalsTest, StorageItemChangedCarriesOldAndNewIndex)
{
    if (!GetParam().HasControlsAndStorage)
        GTEST_SKIP() << "no storage";
    TLarkHTMLStorage storage;
    for (int i = 0; i < 2; ++i)
        storage.Items()->Add()->Lines().SetText(u"page %1"_s.arg(i));
    Host->SetStorage(&storage);
    QSignalSpy spy(Widget, SIGNAL(storageItemChanged(int, int)));
    ASSERT_TRUE(spy.isValid());
    Host->SetStorageItemIndex(1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 0);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 1);
    Host->SetStorage(nullptr);
}

// A link click reaches the signal and the event alike, with the target.
TEST_P(SignalsTest, LinkClickReachesSignalAndEvent)
{
    QSignalSpy spy(Widget, SIGNAL(linkClicked(QString)));
    ASSERT_TRUE(spy.isValid());
    QString event;
    Host->OnLinkClick = [&event](QObject*, const QString& href) { event = href; };
    Host->TriggerLinkClickEvent(Widget, u"next"_s);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), u"next"_s);
    EXPECT_EQ(event, u"next"_s);
}

INSTANTIATE_TEST_SUITE_P(Widgets, SignalsTest, testing::ValuesIn(kWidgets),
                         [](const testing::TestParamInfo<WidgetCase>& test) { return std::string(test.param.Name); });

} // namespace
} // namespace lark
