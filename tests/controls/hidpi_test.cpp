// High-DPI screens: run with QT_SCALE_FACTOR=2 and =1.5 (see tests_qt.cmake).
// The widgets draw at device resolution (crisp rules, text rendered for the
// device rather than scaled up, seamless gradients, @2x images), while
// links and embedded controls keep their positions in logical pixels.
#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include "support/image_checks.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::SaveForReview;

namespace lark {
namespace {

class HiDpiTest : public testing::Test
{
protected:
    HiDpiTest()
    {
        Parent.resize(360, 260);
        Parent.show();
        Ratio = Parent.devicePixelRatioF();
    }

    template <class Widget>
    Widget* Make(const QString& caption, QRect geometry = QRect(10, 10, 300, 120))
    {
        auto* w = new Widget(&Parent);
        w->setGeometry(geometry);
        w->Font().SetName(u"DejaVu Sans"_s);
        w->Font().SetColor(clBlack);
        w->SetColor(clWhite);
        w->SetCaption(caption);
        w->show();
        return w;
    }

    QImage Grab(QWidget* w)
    {
        QApplication::processEvents();
        QImage shot = test::GrabRGB32(*w);
        shot.setDevicePixelRatio(1);
        return shot;
    }

    QWidget Parent;
    qreal Ratio = 1;
};

TEST_F(HiDpiTest, RunsAtTheScaleItWasStartedWith)
{
    const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
    ASSERT_FALSE(scale.isEmpty()) << "start with QT_SCALE_FACTOR set";
    EXPECT_DOUBLE_EQ(Ratio, scale.toDouble());
    auto* label = Make<TLarkHTMLLabel>(u"x"_s);
    EXPECT_EQ(Grab(label).width(), std::lround(300 * Ratio));
}

// A rule one logical pixel high covers whole device rows of its colour:
// two at ratio 2, and no band of blended colours around it.
TEST_F(HiDpiTest, AOnePixelRuleIsSolidDeviceRows)
{
    for (bool buffered : {true, false}) {
        SCOPED_TRACE(buffered ? "buffered" : "direct");
        auto* label = Make<TLarkHTMLLabel>(u"top<hr lightcolor=#ff0000 shadowcolor=#0000ff>bottom"_s);
        label->SetDoubleBuffered(buffered);
        const QImage shot = Grab(label);
        const int x = shot.width() / 2;
        int red = 0;
        int blue = 0;
        int blended = 0;
        for (int y = 0; y < shot.height(); ++y) {
            const QColor c = shot.pixelColor(x, y);
            if (c == QColor(255, 0, 0))
                ++red;
            else if (c == QColor(0, 0, 255))
                ++blue;
            else if (c != QColor(Qt::white))
                ++blended;
        }
        const int rows = int(std::floor(Ratio)); // 1.5 device rows cannot be whole: 1 or 2
        EXPECT_GE(red, rows) << SaveForReview(shot, u"hidpi-rule"_s).toStdString();
        EXPECT_LE(red, int(std::ceil(Ratio)));
        EXPECT_GE(blue, rows);
        EXPECT_LE(blue, int(std::ceil(Ratio)));
        EXPECT_EQ(blended, 0) << SaveForReview(shot, u"hidpi-rule"_s).toStdString();
        delete label;
    }
}

// At ratio 2 an image scaled up from ratio 1 consists of uniform 2 x 2
// blocks; text rendered for the device has edges inside the blocks.
TEST_F(HiDpiTest, TextIsRenderedForTheDeviceNotScaledUp)
{
    if (Ratio != 2)
        GTEST_SKIP() << "block test needs ratio 2";
    const QString text = u"Lark <b>bold</b> <i>italic</i> and plain text"_s;
    QWidget* widgets[] = {Make<TLarkHTMLLabel>(text), Make<TLarkHTMLPanel>(text, QRect(10, 10, 300, 60)),
                          Make<TLarkHTMLView>(text), Make<TLarkHTMLListBox>(text)};
    for (QWidget* w : widgets) {
        SCOPED_TRACE(w->metaObject()->className());
        const QImage shot = Grab(w);
        int inkBlocks = 0;
        int mixedBlocks = 0;
        for (int y = 4; y + 1 < shot.height() - 4; y += 2) {
            for (int x = 4; x + 1 < shot.width() - 4; x += 2) {
                const QRgb a = shot.pixel(x, y);
                const QRgb b = shot.pixel(x + 1, y);
                const QRgb c = shot.pixel(x, y + 1);
                const QRgb d = shot.pixel(x + 1, y + 1);
                if (a == b && a == c && a == d) {
                    if (QColor(a) != QColor(Qt::white))
                        ++inkBlocks;
                    continue;
                }
                ++inkBlocks;
                ++mixedBlocks;
            }
        }
        ASSERT_GT(inkBlocks, 100);
        EXPECT_GT(mixedBlocks * 4, inkBlocks) << SaveForReview(shot, u"hidpi-text"_s).toStdString();
    }
}

// Bold stays bold at every ratio: the bold half of "lllll lllll" carries
// clearly more ink than the regular half, as at ratio 1.
TEST_F(HiDpiTest, BoldReadsAsBold)
{
    auto* label = Make<TLarkHTMLLabel>(u"lllll <b>lllll</b>"_s);
    label->Font().SetName(u"Tahoma"_s);
    label->SetAutoSize(true);
    const QImage shot = Grab(label);
    const QRect ink = InkBounds(shot, shot.rect(), Qt::white);
    ASSERT_TRUE(ink.isValid());
    auto darkness = [&shot](const QRect& r) {
        double sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += 255 - qGray(shot.pixel(x, y));
        return sum;
    };
    const int half = ink.width() / 2;
    const double regular = darkness(QRect(ink.left(), ink.top(), half, ink.height()));
    const double bold = darkness(QRect(ink.left() + half, ink.top(), ink.width() - half, ink.height()));
    EXPECT_GT(bold, regular * 1.35) << SaveForReview(shot, u"hidpi-bold"_s).toStdString();
}

// Bands of a gradient meet without a seam: across the view the colour
// only ever grows from white towards silver.
TEST_F(HiDpiTest, GradientBandsMeetWithoutSeams)
{
    auto* view = Make<TLarkHTMLView>(QString());
    view->SetBorderStyle(bsNone);
    view->SetBackgroundType(bgtVertGradient);
    view->SetGradientStartColor(clWhite);
    view->SetGradientEndColor(clBlack);
    view->SetGradientSteps(40);
    const QImage shot = Grab(view);
    const int y = shot.height() / 2;
    int previous = 256;
    int changes = 0;
    for (int x = 0; x < shot.width(); ++x) {
        const int gray = qGray(shot.pixel(x, y));
        EXPECT_LE(gray, previous) << "column " << x << SaveForReview(shot, u"hidpi-gradient"_s).toStdString();
        if (gray != previous)
            ++changes;
        previous = gray;
        if (gray > previous)
            break;
    }
    EXPECT_EQ(changes, 40);
}

// Links and embedded controls are where the document says, in logical
// pixels: the click at a link's logical position hits it.
TEST_F(HiDpiTest, LinkAndControlPositionsAreLogical)
{
    auto* label = Make<TLarkHTMLLabel>(u"go <a href=\"target\">here</a> now "
                                       "<control vclclass=\"TButton\" width=\"40\" height=\"18\" name=\"b\">"_s);
    label->Options()->SetLinkColor(clRed);
    QStringList links;
    label->OnLinkClick = [&links](QObject*, const QString& href) { links << href; };
    // Controls of earlier parses go at the next event loop turn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The parent paints the label and places its controls.
    const QImage shot = Grab(&Parent);

    // The button lies where its item was laid out (the label is a graphic
    // control: its controls are children of its parent), inside the padding.
    // The paint pass records an item's Left after passing it.
    const QList<QPushButton*> buttons = Parent.findChildren<QPushButton*>(u"b"_s);
    ASSERT_EQ(buttons.size(), 1);
    const TLarkHTMLItem* item = nullptr;
    for (const auto& each : label->Render()->Data()->Items())
        if (each->ItemType() == hitControl)
            item = each.get();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(buttons.front()->geometry(),
              QRect(label->pos() + QPoint(item->Left() - 40, item->Top()) + QPoint(1, 1), QSize(40, 18)));
    // Its pixels are where its geometry says, at device resolution.
    const QRect buttonDevice(QPointF(buttons.front()->pos() * Ratio).toPoint(), QSizeF(QSizeF(40, 18) * Ratio).toSize());
    EXPECT_NE(shot.pixelColor(buttonDevice.center()), QColor(Qt::white));

    // The red link's box, from device to the label's logical pixels.
    QRect linkDevice;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (QColor(shot.pixel(x, y)) == QColor(Qt::red))
                linkDevice |= QRect(x, y, 1, 1);
    ASSERT_TRUE(linkDevice.isValid()) << SaveForReview(shot, u"hidpi-link"_s).toStdString();
    const QPointF centre = QRectF(linkDevice).center() / Ratio - QPointF(label->pos());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, label->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &event);
    }
    EXPECT_EQ(links, QStringList{u"target"_s});
}

// A file with an "@2x" twin shows the twin's pixels on a ratio-2 screen, at
// the size of the plain file.
TEST_F(HiDpiTest, TwiceSizedImageVariantsAreUsed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage plain(10, 10, QImage::Format_RGB32);
    plain.fill(Qt::red);
    ASSERT_TRUE(plain.save(dir.filePath(u"swatch.png"_s)));
    QImage twice(20, 20, QImage::Format_RGB32);
    twice.fill(Qt::blue);
    ASSERT_TRUE(twice.save(dir.filePath(u"swatch@2x.png"_s)));
    auto* label = Make<TLarkHTMLLabel>(u"<img src=\"file:%1\">"_s.arg(dir.filePath(u"swatch.png"_s)));
    label->SetAutoSize(true);
    const QImage shot = Grab(label);
    const int device = int(std::lround(10 * Ratio));
    const QColor expected = Ratio > 1 ? QColor(Qt::blue) : QColor(Qt::red);
    EXPECT_GE(CountPixels(shot, shot.rect(), expected), (device - 1) * (device - 1))
        << SaveForReview(shot, u"hidpi-image"_s).toStdString();
    EXPECT_EQ(label->Render()->Data()->TextSize().height() >= 10, true);
    EXPECT_LE(label->Render()->Data()->TextSize().height(), 20);
}

// An image list image with a twin shows the twin's pixels on a high-DPI
// screen, at the plain image's size; one without keeps its own.
TEST_F(HiDpiTest, ImageListTwinsAreUsed)
{
    TCustomImageList list(10, 10);
    // Bottom-left corners of magenta: the colour a transparent image leaves out.
    QImage plain(20, 10, QImage::Format_RGB32);
    plain.fill(Qt::red);
    plain.setPixelColor(0, 9, Qt::magenta);
    plain.setPixelColor(10, 9, Qt::magenta);
    QImage twins(20, 20, QImage::Format_RGB32); // a twin for the first image only
    twins.fill(Qt::blue);
    for (const QPoint p : {QPoint(0, 19), QPoint(1, 19), QPoint(0, 18), QPoint(1, 18)})
        twins.setPixelColor(p, Qt::magenta);
    list.Add(plain, twins);
    auto* label = Make<TLarkHTMLLabel>(u"<img src=\"index:0\"><img src=\"index:1\">"_s);
    label->SetImageList(&list);
    label->SetAutoSize(true);
    const QImage shot = Grab(label);
    const int device = int(std::lround(10 * Ratio));
    const QColor twin = Ratio > 1 ? QColor(Qt::blue) : QColor(Qt::red);
    EXPECT_GE(CountPixels(shot, shot.rect(), twin), (device - 1) * (device - 1))
        << SaveForReview(shot, u"hidpi-image-list"_s).toStdString();
    EXPECT_GE(CountPixels(shot, shot.rect(), Qt::red), (device - 1) * (device - 1));
    EXPECT_EQ(CountPixels(shot, shot.rect(), Qt::magenta, 40), 0);
    // Laid out at the plain images' logical size, not the twin's.
    EXPECT_GE(label->Render()->Data()->TextSize().width(), 20);
    EXPECT_LT(label->Render()->Data()->TextSize().width(), 30);
}

// Rendering into an image of another ratio (a print preview, a grab for a
// thumbnail) draws at that image's resolution, also through the buffer.
TEST_F(HiDpiTest, RenderingIntoAnImageUsesItsRatio)
{
    auto* label = Make<TLarkHTMLLabel>(u"top<hr lightcolor=#ff0000 shadowcolor=#ff0000>bottom"_s);
    label->SetDoubleBuffered(true);
    QImage image(QSize(300, 120) * 3, QImage::Format_RGB32);
    image.setDevicePixelRatio(3);
    image.fill(Qt::white);
    label->render(&image);
    image.setDevicePixelRatio(1);
    const int x = image.width() / 2;
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == QColor(255, 0, 0))
            ++red;
    // One logical row (light and shadow colour alike): three device rows.
    EXPECT_EQ(red, 3) << SaveForReview(image, u"hidpi-render"_s).toStdString();
}

} // namespace
} // namespace lark
