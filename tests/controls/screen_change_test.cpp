// Widgets whose window moves to a screen of another device pixel ratio lay
// their document out again and draw for the new ratio: "@2x" twins of image
// list images and files come and go, buffers take the new size. Runs on the
// offscreen platform with two screens, of ratio 1 and 2 (see main below).
#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/framework/framework.h>

#include "support/image_checks.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <QTemporaryDir>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::SaveForReview;

namespace lark {
namespace {

QTemporaryDir& Files()
{
    static QTemporaryDir dir;
    return dir;
}

// A square of one colour; its bottom-left pixel white, the colour a
// transparent image list image leaves out.
QImage Filled(int size, QColor color)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(color);
    image.setPixelColor(0, size - 1, Qt::white);
    return image;
}

struct WidgetKind
{
    const char* Name;
    std::function<QWidget*(QWidget* parent)> Create;
};

template <class Widget>
QWidget* Create(QWidget* parent)
{
    return new Widget(parent);
}

const WidgetKind kKinds[] = {
    {"label", &Create<TLarkHTMLLabel>},
    {"panel", &Create<TLarkHTMLPanel>},
    {"view", &Create<TLarkHTMLView>},
    {"list box", &Create<TLarkHTMLListBox>},
};

class ScreenChangeTest : public testing::TestWithParam<WidgetKind>
{
protected:
    ScreenChangeTest()
    {
        // An image list image (red, its twin blue) and a file (green, its
        // twin yellow), ten logical pixels square.
        List.Add(Filled(10, Qt::red), Filled(20, Qt::blue));
        Filled(10, Qt::green).save(Files().filePath(u"swatch.png"_s));
        Filled(20, Qt::yellow).save(Files().filePath(u"swatch@2x.png"_s));
        Window.resize(240, 80);
    }

    void MoveTo(int screen)
    {
        Window.windowHandle()->setScreen(QGuiApplication::screens().at(screen));
        QApplication::processEvents();
    }

    QImage Grab(QWidget* w)
    {
        QApplication::processEvents();
        QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shot.setDevicePixelRatio(1);
        return shot;
    }

    TCustomImageList List{10, 10};
    QWidget Window;
};

TEST_P(ScreenChangeTest, DocumentFollowsTheNewRatio)
{
    ASSERT_TRUE(Files().isValid());
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    QWidget* widget = GetParam().Create(&Window);
    auto* host = dynamic_cast<TLarkHTMLHostBase*>(widget);
    ASSERT_NE(host, nullptr);
    host->SetImageList(&List);
    // What the application supplies at layout time may depend on the ratio
    // (a variable here): it is asked again on the new screen.
    qreal askedAt = 0;
    host->OnGetVariable = [&](QObject*, const QString&, QString& value) {
        askedAt = widget->devicePixelRatioF();
        value = u"at"_s;
    };
    host->SetCaption(u"<img src=\"index:0\"> <img src=\"file:%1\"> <~~ name=ratio>"_s.arg(
        Files().filePath(u"swatch.png"_s)));
    widget->setGeometry(0, 0, 220, 60);
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    const int plainArea = 9 * 9;

    const QImage atOne = Grab(widget);
    EXPECT_EQ(atOne.width(), 220);
    EXPECT_GE(CountPixels(atOne, atOne.rect(), Qt::red), plainArea) << SaveForReview(atOne, u"screen-1"_s).toStdString();
    EXPECT_GE(CountPixels(atOne, atOne.rect(), Qt::green), plainArea);
    EXPECT_EQ(CountPixels(atOne, atOne.rect(), Qt::blue), 0);
    EXPECT_EQ(askedAt, 1.0);

    MoveTo(1);
    ASSERT_EQ(widget->devicePixelRatioF(), 2.0);
    const QImage atTwo = Grab(widget);
    EXPECT_EQ(atTwo.width(), 440);
    EXPECT_GE(CountPixels(atTwo, atTwo.rect(), Qt::blue), 19 * 19) << SaveForReview(atTwo, u"screen-2"_s).toStdString();
    EXPECT_GE(CountPixels(atTwo, atTwo.rect(), Qt::yellow), 19 * 19);
    EXPECT_EQ(CountPixels(atTwo, atTwo.rect(), Qt::red), 0);
    EXPECT_EQ(CountPixels(atTwo, atTwo.rect(), Qt::green), 0);
    EXPECT_EQ(askedAt, 2.0);

    MoveTo(0);
    const QImage back = Grab(widget);
    EXPECT_EQ(back.width(), 220);
    EXPECT_GE(CountPixels(back, back.rect(), Qt::red), plainArea);
    EXPECT_EQ(CountPixels(back, back.rect(), Qt::blue), 0);
    EXPECT_EQ(askedAt, 1.0);
}

INSTANTIATE_TEST_SUITE_P(EveryHost, ScreenChangeTest, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<WidgetKind>& test) {
                             return QString::fromLatin1(test.param.Name).remove(u' ').toStdString();
                         });

} // namespace
} // namespace lark

// Two offscreen screens: "one" at ratio 1, "two" beside it at ratio 2.
int main(int argc, char** argv)
{
    QTemporaryDir config;
    const QString path = config.filePath(u"screens.json"_s);
    QFile file(path);
    if (!config.isValid() || !file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [
        {"name": "one", "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "two", "x": 800, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}
    ]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    QApplication app(argc, argv);
    lark::InitializeFramework();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
