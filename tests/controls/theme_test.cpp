// Themes: every HTML widget draws its document in the colours of its
// QPalette (the application's theme, the widget's own palette, a style
// sheet) and follows them when they change at run time, as Qt's own widgets
// do. One table row per widget.
#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/framework/color.h>

#include "support/image_checks.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::SaveForReview;

namespace lark {
namespace {

// Bold capitals: many pixels fully covered by the text colour.
const QString kInk = u"<b>MMMM WWWW</b>"_s;

// A dark palette whose roles all differ, so that a pixel tells which role
// it was painted from.
const QColor kDarkWindow(40, 44, 52);
const QColor kDarkBase(24, 26, 30);
const QColor kDarkButton(60, 64, 72);
const QColor kDarkWindowText(255, 214, 0);
const QColor kDarkText(0, 224, 224);
const QColor kDarkDisabledWindowText(150, 60, 150);
const QColor kDarkDisabledText(60, 150, 60);

QPalette DarkPalette()
{
    QPalette p;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, kDarkWindow);
        p.setColor(group, QPalette::Base, kDarkBase);
        p.setColor(group, QPalette::Button, kDarkButton);
        p.setColor(group, QPalette::WindowText, kDarkWindowText);
        p.setColor(group, QPalette::Text, kDarkText);
        p.setColor(group, QPalette::ButtonText, kDarkWindowText);
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, kDarkDisabledWindowText);
    p.setColor(QPalette::Disabled, QPalette::Text, kDarkDisabledText);
    return p;
}

// Halfway to white: the label and the panel lighten their disabled text as
// on a black background.
QColor Lightened(QColor c)
{
    auto up = [](int v) { return v + ((255 - v) * 50 + 50) / 100; };
    return QColor(up(c.red()), up(c.green()), up(c.blue()));
}

// Half way towards black, as rows adjust text on a light background.
QColor Darkened(QColor c)
{
    auto down = [](int v) { return std::max(0, v - int(std::lrint((255 - v) * 0.5))); };
    return QColor(down(c.red()), down(c.green()), down(c.blue()));
}

struct WidgetCase
{
    const char* Name;
    std::function<QWidget*(QWidget* parent)> Make; // shows kInk
    QPalette::ColorRole TextRole;                   // what Qt widgets of the kind write with
    QPalette::ColorRole BackgroundRole;             // the default fill
    bool LightensDisabledText = false;
    // Rows move every text colour away from their background: darker on a
    // light one, lighter on a dark one.
    bool AdjustsTextToBackground = false;
};

void PrintTo(const WidgetCase& c, std::ostream* os)
{
    *os << c.Name;
}

const WidgetCase kWidgets[] = {
    {"Label",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLLabel(parent);
         w->SetCaption(kInk);
         return w;
     },
     QPalette::WindowText, QPalette::Window, true},
    {"Panel",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLPanel(parent);
         w->SetCaption(kInk);
         return w;
     },
     QPalette::WindowText, QPalette::Button, true},
    {"View",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLView(parent);
         w->SetCaption(kInk);
         return w;
     },
     QPalette::Text, QPalette::Base},
    // A list of one row; disabled rows are lightened away from the base.
    {"ListBox",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLListBox(parent);
         w->SetCaption(kInk);
         return w;
     },
     QPalette::Text, QPalette::Base, true, true},
    // The data-aware widgets in template mode, which shows the caption.
    {"DBLabel",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLDBLabel(parent);
         w->SetCaption(kInk);
         w->SetIsTemplate(true);
         return w;
     },
     QPalette::WindowText, QPalette::Window, true},
    {"DBView",
     [](QWidget* parent) {
         auto* w = new TLarkHTMLDBView(parent);
         w->SetCaption(kInk);
         w->SetIsTemplate(true);
         return w;
     },
     QPalette::Text, QPalette::Base},
};

class ThemeTest : public testing::TestWithParam<WidgetCase>
{
protected:
    ThemeTest()
        : Saved(QApplication::palette())
    {
        Parent.resize(320, 200);
        Widget = GetParam().Make(&Parent);
        Widget->setGeometry(10, 10, 240, 80);
        Parent.show();
    }
    ~ThemeTest() override { QApplication::setPalette(Saved); }

    QImage Grab()
    {
        QApplication::processEvents();
        return test::GrabRGB32(*Widget);
    }
    // The text pixels of c (as the widget draws c on a dark or a light
    // background): full-coverage pixels only.
    int Ink(const QImage& shot, QColor c, bool darkBackground = false)
    {
        if (GetParam().AdjustsTextToBackground)
            c = darkBackground ? Lightened(c) : Darkened(c);
        return CountPixels(shot, shot.rect(), c, 6);
    }
    // A point of the background well inside the frame and below the text.
    QColor Background(const QImage& shot) { return shot.pixelColor(shot.width() / 2, shot.height() - 8); }

    const QPalette Saved;
    QWidget Parent;
    QWidget* Widget = nullptr; // owned by Parent
};

TEST_P(ThemeTest, FollowsADarkApplicationPaletteAtRunTime)
{
    const WidgetCase& c = GetParam();
    const QImage light = Grab();
    const QColor lightText = QApplication::palette().color(c.TextRole);
    ASSERT_GT(Ink(light, lightText), 40) << SaveForReview(light, u"theme-light-%1"_s.arg(c.Name)).toStdString();

    QApplication::setPalette(DarkPalette());
    const QImage dark = Grab();
    const QColor darkText = DarkPalette().color(c.TextRole);
    EXPECT_GT(Ink(dark, darkText, true), 40) << SaveForReview(dark, u"theme-dark-%1"_s.arg(c.Name)).toStdString();
    EXPECT_EQ(Ink(dark, lightText, true), 0);
    EXPECT_EQ(Background(dark), DarkPalette().color(c.BackgroundRole));

    // And back: nothing of the dark theme stays behind.
    QApplication::setPalette(Saved);
    const QImage again = Grab();
    EXPECT_EQ(Ink(again, darkText, true), 0);
    EXPECT_GT(Ink(again, lightText), 40);
}

TEST_P(ThemeTest, FollowsItsOwnPalette)
{
    const WidgetCase& c = GetParam();
    Grab();
    Widget->setPalette(DarkPalette());
    const QImage dark = Grab();
    EXPECT_GT(Ink(dark, DarkPalette().color(c.TextRole), true), 40)
        << SaveForReview(dark, u"theme-own-%1"_s.arg(c.Name)).toStdString();
    EXPECT_EQ(Background(dark), DarkPalette().color(c.BackgroundRole));
}

TEST_P(ThemeTest, DisabledTextTakesThePalettesDisabledColour)
{
    const WidgetCase& c = GetParam();
    QApplication::setPalette(DarkPalette());
    Widget->setEnabled(false);
    const QImage shot = Grab();
    const QColor disabled = DarkPalette().color(QPalette::Disabled, c.TextRole);
    EXPECT_GT(CountPixels(shot, shot.rect(), c.LightensDisabledText ? Lightened(disabled) : disabled, 6), 40)
        << SaveForReview(shot, u"theme-disabled-%1"_s.arg(c.Name)).toStdString();
    EXPECT_EQ(Ink(shot, DarkPalette().color(QPalette::Active, c.TextRole), true), 0);
}

// A text colour the application chose stays whatever the theme.
TEST_P(ThemeTest, AnExplicitFontColourOutlivesTheTheme)
{
    auto* host = dynamic_cast<TLarkHTMLHostBase*>(Widget);
    ASSERT_NE(host, nullptr);
    host->Font().SetColor(clRed);
    QApplication::setPalette(DarkPalette());
    const QImage shot = Grab();
    EXPECT_GT(Ink(shot, QColor(255, 0, 0), true), 40) << SaveForReview(shot, u"theme-red-%1"_s.arg(GetParam().Name)).toStdString();
    EXPECT_EQ(Ink(shot, DarkPalette().color(GetParam().TextRole), true), 0);
}

// Qt applies a style sheet's colour, background and font to the widget's
// palette and font; all three reach the document.
TEST_P(ThemeTest, StyleSheetColourBackgroundAndFontReachTheDocument)
{
    const WidgetCase& c = GetParam();
    const QImage plain = Grab();
    const QColor plainBackground = Background(plain);
    const QRect plainInk = InkBounds(plain, plain.rect().adjusted(4, 4, -4, -4), plainBackground);

    Widget->setStyleSheet(u"color: rgb(200, 0, 0); background: rgb(0, 0, 120); font: bold 26px \"DejaVu Sans\";"_s);
    const QImage styled = Grab();
    EXPECT_GT(Ink(styled, QColor(200, 0, 0), true), 100) << SaveForReview(styled, u"theme-sheet-%1"_s.arg(c.Name)).toStdString();
    EXPECT_EQ(Background(styled), QColor(0, 0, 120));
    const QRect styledInk = InkBounds(styled, styled.rect().adjusted(4, 4, -4, -4), QColor(0, 0, 120));
    EXPECT_GT(styledInk.height(), plainInk.height() * 3 / 2) << "the style sheet's 26-pixel font";

    Widget->setStyleSheet(QString());
    const QImage again = Grab();
    EXPECT_EQ(Ink(again, QColor(200, 0, 0), true), 0);
    EXPECT_EQ(Background(again), plainBackground);
}

INSTANTIATE_TEST_SUITE_P(Widgets, ThemeTest, testing::ValuesIn(kWidgets),
                         [](const testing::TestParamInfo<WidgetCase>& test) { return std::string(test.param.Name); });

} // namespace
} // namespace lark
