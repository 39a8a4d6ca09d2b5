// The HTML view on real widgets under the offscreen platform: scroll codes,
// keys, wheel, scroll bars, storage links, files, the context menu and what
// the view paints.
#include "support/image_checks.h"
#include "support/property_checks.h"
#include "support/test_widgets.h"

#include <lark/controls/view.h>
#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/picture.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>
#include <lark/storage/storage.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::CountPixels;
using test::InkBounds;
using test::SaveForReview;

// A view without a border whose client area is 300 x 200, showing a document
// of an exact height: one image (asked for through OnGetImage) sized so that
// the document's measured height is what the test wants.
class ViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        view.SetBorderStyle(bsNone);
        view.Font().SetHeight(-11);
        view.OnGetImage = [this](QObject*, const QString& source, TPicture* image) {
            if (source != u"tall")
                return;
            QImage tall(10, imageHeight, QImage::Format_RGB32);
            tall.fill(Qt::darkGray);
            image->SetImage(tall);
        };
        view.resize(300, 200);
        view.show();
    }

    int TextHeight() { return view.Render()->Data()->TextSize().height(); }

    void ShowDocumentOfHeight(int height)
    {
        imageHeight = height;
        view.SetCaption(u"<img src=\"tall\">"_s);
        imageHeight = height - (TextHeight() - height);
        view.SetCaption(u"<img src=\"tall\">"_s);
        ASSERT_EQ(TextHeight(), height);
    }

    // Sends a turn of the mouse wheel the way the platform delivers it.
    void Wheel(int delta)
    {
        const QPointF at(50, 50);
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    }

    QScrollBar* Bar(Qt::Orientation orientation)
    {
        for (QScrollBar* bar : view.findChildren<QScrollBar*>()) {
            if (bar->orientation() == orientation)
                return bar;
        }
        return nullptr;
    }
    QScrollBar* VerticalBar() { return Bar(Qt::Vertical); }
    QScrollBar* HorizontalBar() { return Bar(Qt::Horizontal); }

    TLarkHTMLView view;
    int imageHeight = 0;
};

//---- Vertical scroll codes ------------------------------------------------

TEST_F(ViewTest, PageDownWalksToOnePixelPastTheEnd)
{
    ShowDocumentOfHeight(1000);
    ASSERT_EQ(view.ClientRect().height(), 200);
    EXPECT_TRUE(view.VertScrollBarVisible());
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        view.VScroll(scPageDown);
        seen.push_back(view.Position().y());
    }
    // From 600 a page would end at exactly the bottom: 1000 - 200 + 1. From
    // 801 the next page is past the range and ignored.
    EXPECT_EQ(seen, (std::vector<int>{200, 400, 600, 801, 801}));

    view.VScroll(scPageUp);
    EXPECT_EQ(view.Position().y(), 601);
    view.VScroll(scTop);
    EXPECT_EQ(view.Position().y(), 0);
    view.VScroll(scBottom);
    EXPECT_EQ(view.Position().y(), 801);
    view.VScroll(scPosition, 1001);
    EXPECT_EQ(view.Position().y(), 801) << "positions past the maximum are ignored, not clamped";
    view.VScroll(scTrack, 1000);
    EXPECT_EQ(view.Position().y(), 1000);
}

struct LineStepCase
{
    const char* name;
    int fontHeight;
};
constexpr LineStepCase kLineStepCases[] = {{"Eight", -11}, {"Twelve", -16}, {"CellHeight", 20}};

class ViewLineStepTest : public ViewTest, public testing::WithParamInterface<LineStepCase>
{
};

TEST_P(ViewLineStepTest, LineStepIsTheFontHeight)
{
    view.Font().SetHeight(GetParam().fontHeight);
    ShowDocumentOfHeight(1000);
    const int step = std::abs(GetParam().fontHeight);
    view.VScroll(scLineDown);
    view.VScroll(scLineDown);
    EXPECT_EQ(view.Position().y(), 2 * step);
    view.VScroll(scLineUp);
    EXPECT_EQ(view.Position().y(), step);
    view.VScroll(scLineUp);
    view.VScroll(scLineUp);
    EXPECT_EQ(view.Position().y(), 0) << "a line up stops at the top";
    view.VScroll(scBottom);
    view.VScroll(scLineDown);
    EXPECT_EQ(view.Position().y(), 801) << "no line down once the page reaches the end";
}

INSTANTIATE_TEST_SUITE_P(Fonts, ViewLineStepTest, testing::ValuesIn(kLineStepCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewTest, RequestsAreIgnoredWhenTheDocumentFits)
{
    ShowDocumentOfHeight(150);
    EXPECT_FALSE(view.VertScrollBarVisible());
    EXPECT_FALSE(VerticalBar()->isVisible());
    for (TScrollCode code : {scLineDown, scPageDown, scBottom, scPosition, scTrack}) {
        SCOPED_TRACE(int(code));
        view.VScroll(code, 20);
        Wheel(-120);
        EXPECT_EQ(view.Position(), QPoint(0, 0));
    }
}

TEST_F(ViewTest, PositionBeyond32767)
{
    view.SetCaption(u"line<br>"_s.repeated(4000));
    ASSERT_GT(TextHeight(), 40000);
    // The scroll bar's thumb, dragged far down the document.
    VerticalBar()->setSliderPosition(39000);
    EXPECT_EQ(view.Position().y(), 39000);
    EXPECT_EQ(VerticalBar()->value(), 39000);
    Wheel(120);
    EXPECT_EQ(view.Position().y(), 39000 - 3 * (11 / 2));
    view.VScroll(scBottom);
    EXPECT_EQ(view.Position().y(), TextHeight() - 200 + 1);
}

//---- Scroll bars ----------------------------------------------------------

struct BarActionCase
{
    const char* name;
    QAbstractSlider::SliderAction action;
    int from;
    int expected;
};
constexpr BarActionCase kBarActionCases[] = {
    {"LineDown", QAbstractSlider::SliderSingleStepAdd, 100, 111},
    {"LineUp", QAbstractSlider::SliderSingleStepSub, 100, 89},
    {"PageDown", QAbstractSlider::SliderPageStepAdd, 600, 801},
    {"PageUp", QAbstractSlider::SliderPageStepSub, 150, 0},
    {"ToMaximum", QAbstractSlider::SliderToMaximum, 0, 801},
    {"ToMinimum", QAbstractSlider::SliderToMinimum, 500, 0},
};

class ViewBarActionTest : public ViewTest, public testing::WithParamInterface<BarActionCase>
{
};

TEST_P(ViewBarActionTest, ScrollBarActionsAreScrollCodes)
{
    ShowDocumentOfHeight(1000);
    view.SetPosition(QPoint(0, GetParam().from));
    VerticalBar()->triggerAction(GetParam().action);
    EXPECT_EQ(view.Position().y(), GetParam().expected);
    EXPECT_EQ(VerticalBar()->value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Actions, ViewBarActionTest, testing::ValuesIn(kBarActionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewTest, ScrollBarsTakeTheirRealExtent)
{
    const int extent = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, VerticalBar());
    // Wide and tall: both bars, each taking its extent from the other's page.
    view.SetCaption(u"<img src=\"tall\" width=900 height=900>"_s);
    ASSERT_TRUE(view.VertScrollBarVisible());
    ASSERT_TRUE(view.HorzScrollBarVisible());
    EXPECT_EQ(view.ClientRect(), QRect(0, 0, 300 - extent, 200 - extent));
    EXPECT_EQ(VerticalBar()->geometry(), QRect(300 - extent, 0, extent, 200 - extent));
    EXPECT_EQ(HorizontalBar()->geometry(), QRect(0, 200 - extent, 300 - extent, extent));
    // A horizontal page is half the visible width.
    view.HScroll(scPageDown);
    EXPECT_EQ(view.Position().x(), (300 - extent) / 2);
    view.HScroll(scLineDown);
    EXPECT_EQ(view.Position().x(), (300 - extent) / 2 + 1);
    view.HScroll(scBottom);
    EXPECT_EQ(view.Position().x(), view.Render()->Data()->TextSize().width() - (300 - extent) + 1);
}

TEST_F(ViewTest, WordWrapDisablesHorizontalScrolling)
{
    view.SetCaption(u"<img src=\"tall\" width=900 height=50> words to wrap words to wrap"_s);
    ASSERT_TRUE(view.HorzScrollBarVisible());
    view.HScroll(scLineDown);
    EXPECT_EQ(view.Position().x(), 1);

    view.SetWordWrap(true);
    EXPECT_EQ(view.Position(), QPoint(0, 0));
    EXPECT_FALSE(view.HorzScrollBarVisible());
    EXPECT_FALSE(HorizontalBar()->isVisible());
    for (TScrollCode code : {scLineDown, scPageDown, scBottom, scPosition}) {
        SCOPED_TRACE(int(code));
        view.HScroll(code, 5);
        EXPECT_EQ(view.Position().x(), 0);
    }
}

TEST_F(ViewTest, WrappedDocumentWrapsBesideTheScrollBar)
{
    view.SetWordWrap(true);
    view.SetCaption(u"words to wrap "_s.repeated(400));
    ASSERT_TRUE(view.VertScrollBarVisible());
    EXPECT_LT(view.TextRect().width(), 300);
    EXPECT_EQ(view.Render()->Data()->MaxWidth(), view.TextRect().width());
    EXPECT_LE(view.Render()->Data()->TextSize().width(), view.TextRect().width());
}

//---- Wheel and keys ----------------------------------------------------------

TEST_F(ViewTest, WheelScrollsLinesOfHalfTheFontHeight)
{
    QApplication::setWheelScrollLines(3);
    ShowDocumentOfHeight(1000);
    const int notch = 3 * (11 / 2);
    view.SetPosition(QPoint(0, 300));
    Wheel(120);
    EXPECT_EQ(view.Position().y(), 300 - notch);
    Wheel(-120);
    EXPECT_EQ(view.Position().y(), 300);
    // Fractions of a notch add up.
    Wheel(60);
    Wheel(60);
    EXPECT_EQ(view.Position().y(), 300 - notch);
    view.SetPosition(QPoint(0, 4));
    Wheel(120);
    EXPECT_EQ(view.Position().y(), 0) << "never above the top";
    view.VScroll(scBottom);
    Wheel(-120);
    EXPECT_EQ(view.Position().y(), 801) << "nothing below the bottom";

    // More lines per notch than a notch has units must not divide by zero.
    QApplication::setWheelScrollLines(500);
    view.SetPosition(QPoint(0, 500));
    Wheel(-1);
    EXPECT_EQ(view.Position().y(), 505);
    QApplication::setWheelScrollLines(3);
}

struct KeyCase
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint from;
    QPoint lines; // vertical lines of 11 pixels, horizontal ones of a pixel
    QPoint pages; // the client height, or half the client width
};
const KeyCase kKeyCases[] = {
    {"PageDown", Qt::Key_PageDown, Qt::NoModifier, {0, 0}, {}, {0, 1}},
    {"SpacePagesDown", Qt::Key_Space, Qt::NoModifier, {0, 0}, {}, {0, 1}},
    {"PageUp", Qt::Key_PageUp, Qt::NoModifier, {0, 300}, {}, {0, -1}},
    {"Down", Qt::Key_Down, Qt::NoModifier, {0, 0}, {0, 1}, {}},
    {"Up", Qt::Key_Up, Qt::NoModifier, {0, 22}, {0, -1}, {}},
    {"Right", Qt::Key_Right, Qt::NoModifier, {5, 0}, {1, 0}, {}},
    {"Left", Qt::Key_Left, Qt::NoModifier, {5, 0}, {-1, 0}, {}},
    {"CtrlRightPagesRight", Qt::Key_Right, Qt::ControlModifier, {5, 0}, {}, {1, 0}},
    {"CtrlLeftPagesLeft", Qt::Key_Left, Qt::ControlModifier, {200, 0}, {}, {-1, 0}},
    {"HomeDoesNothing", Qt::Key_Home, Qt::NoModifier, {0, 300}, {}, {}},
    {"EndDoesNothing", Qt::Key_End, Qt::NoModifier, {0, 0}, {}, {}},
    {"ShiftDownDoesNothing", Qt::Key_Down, Qt::ShiftModifier, {0, 0}, {}, {}},
};

class ViewKeyTest : public ViewTest, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(ViewKeyTest, KeysScroll)
{
    // Wide and tall: both scroll bars.
    view.SetCaption(u"<img src=\"tall\" width=900 height=1000>"_s);
    const QSize client = view.ClientRect().size();
    const KeyCase& c = GetParam();
    view.SetPosition(c.from);
    QTest::keyClick(&view, c.key, c.modifiers);
    const QPoint moved(c.lines.x() + c.pages.x() * (client.width() / 2), c.lines.y() * 11 + c.pages.y() * client.height());
    EXPECT_EQ(view.Position(), c.from + moved);
}

INSTANTIATE_TEST_SUITE_P(Keys, ViewKeyTest, testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

//---- Content --------------------------------------------------------------

TEST_F(ViewTest, CaptionChangeShowsTheTop)
{
    ShowDocumentOfHeight(1000);
    view.VScroll(scPageDown);
    ASSERT_EQ(view.Position().y(), 200);
    view.SetCaption(u"<img src=\"tall\"> again"_s);
    EXPECT_EQ(view.Position(), QPoint(0, 0));
    EXPECT_EQ(VerticalBar()->value(), 0);
}

TEST_F(ViewTest, MarginLeavesTheTextRectangleToThePadding)
{
    view.Padding()->SetBounds(5, 6, 7, 8);
    const QRect expected = view.ClientRect().marginsRemoved(QMargins(5, 6, 7, 8));
    EXPECT_EQ(view.TextRect(), expected);
    view.SetMargin(20);
    EXPECT_EQ(view.TextRect(), expected) << "the padding applies once, the margin not at all";
}

TEST_F(ViewTest, ContentChangedWhilePaintingWaitsForThePaint)
{
    view.SetBorderStyle(bsSingle);
    view.SetCaption(u"<control vclclass=TEdit name=edit>"_s);
    QPoint placed;
    view.OnAdjustControlPosition = [&](QObject*, QWidget*, TLarkHTMLItem*, int& x, int& y) {
        placed = QPoint(x, y);
        // Freeing the document now would pull it from under the painter.
        view.SetCaption(u"replaced"_s);
    };
    view.grab();
    EXPECT_EQ(placed, view.TextRect().topLeft()) << "embedded controls sit inside the border";
    EXPECT_NE(view.Render()->AsText(), u"replaced"_s);
    view.OnAdjustControlPosition = nullptr;
    QCoreApplication::processEvents();
    EXPECT_EQ(view.Render()->AsText(), u"replaced"_s);
}

// Qt Designer resets a property to its default through its RESET function.
TEST(ViewProperties, PublishedPropertiesResetToTheirDefaults)
{
    const test::PropertyResetCase cases[] = {
        {"BackgroundType", QVariant::fromValue(bgtVertGradient), QVariant::fromValue(bgtColorFill)},
        {"BorderStyle", QVariant::fromValue(bsNone), QVariant::fromValue(bsSingle)},
        {"Color", QVariant::fromValue(clRed), QVariant::fromValue(clWindow)},
        {"GradientStartColor", QVariant::fromValue(clRed), QVariant::fromValue(clWhite)},
        {"GradientEndColor", QVariant::fromValue(clRed), QVariant::fromValue(clSilver)},
        {"GradientSteps", 4, 16},
        {"Margin", 9, 4},
        {"CheckStorageLinks", false, true},
        {"StorageItemIndex", 3, 0},
        {"StorageItemNotFoundIndex", 2, 0},
    };
    TLarkHTMLView view;
    test::ExpectPropertiesReset(view, cases);
    EXPECT_FALSE(view.WordWrap());
    EXPECT_FALSE(view.Transparent());
}

TEST(ViewProperties, GradientStepsIgnoresValuesBelowOne)
{
    TLarkHTMLView view;
    for (int steps : {0, -5}) {
        view.SetGradientSteps(steps);
        EXPECT_EQ(view.GradientSteps(), 16);
    }
    view.SetGradientSteps(3);
    EXPECT_EQ(view.GradientSteps(), 3);
}

struct FileCase
{
    const char* name;
    QByteArray bytes;
    QString caption;
};
const FileCase kFileCases[] = {
    {"Utf8", "<b>Gr\xC3\xBC\xC3\x9F" "e</b>\nzwei", u"<b>Grüße</b>\r\nzwei\r\n"_s},
    {"Utf8WithMark", "\xEF\xBB\xBF" "caf\xC3\xA9", u"café\r\n"_s},
    {"Utf16LittleEndian", QByteArray("\xFF\xFE" "a\0\xE9\0\r\0\n\0b\0", 12), u"aé\r\nb\r\n"_s},
    {"Utf16BigEndian", QByteArray("\xFE\xFF\0x\0y", 6), u"xy\r\n"_s},
    {"Latin1Fallback", "na\xEFve", u"naïve\r\n"_s},
    {"Empty", "", QString()},
};

class ViewFileTest : public testing::TestWithParam<FileCase>
{
};

TEST_P(ViewFileTest, LoadsTheEncodingItFinds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.html"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes);
    file.close();
    TLarkHTMLView view;
    view.SetCaption(u"old"_s);
    view.LoadFromFile(path);
    EXPECT_EQ(view.Caption(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Files, ViewFileTest, testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewFile, UnreadableFileRaisesAndKeepsTheCaption)
{
    QTemporaryDir dir;
    TLarkHTMLView view;
    view.SetCaption(u"<b>kept</b>"_s);
    EXPECT_THROW(view.LoadFromFile(dir.filePath(u"missing.html"_s)), EFOpenError);
    EXPECT_THROW(view.LoadFromFile(dir.path()), Exception) << "a folder is no file";
    EXPECT_EQ(view.Caption(), u"<b>kept</b>"_s);
    EXPECT_EQ(view.Render()->AsText(), u"kept"_s);
}

//---- Links and storage -------------------------------------------------------

// A storage of three pages whose first page starts with a link to Next
// and then one to a name no page has.
class ViewStorageTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        const char* pages[][2] = {
            {"Home", "<a href=\"Next\">NEXTNEXT</a> <a href=\"http://x\">OUTSIDE</a>"},
            {"Next", "second page"},
            {"Missing", "no such page"},
        };
        for (const auto& page : pages) {
            TLarkHTMLStorageItem* item = storage.Items()->Add();
            item->SetName(QString::fromLatin1(page[0]));
            item->Lines().Add(QString::fromLatin1(page[1]));
        }
        view.SetStorageItemNotFoundIndex(2);
        view.SetStorage(&storage);
        view.OnLinkClick = [this](QObject* sender, const QString& href) {
            EXPECT_EQ(sender, &view);
            clicked.push_back(href);
        };
        view.OnStorageItemChanged = [this](QObject*, int oldIndex, int newIndex) {
            changes.push_back({oldIndex, newIndex, view.StorageItemIndex()});
        };
        // A paint records where each item is.
        view.grab();
    }

    // A point over the first characters of the link whose text is given.
    QPoint PointOverLink(const QString& text)
    {
        for (const auto& item : view.Render()->Data()->Items()) {
            if (item->IsLink() && item->Text().startsWith(text.left(3)))
                return view.TextRect().topLeft() + QPoint(item->FLeft - item->FWidth + 3, 5);
        }
        ADD_FAILURE() << "no link " << text.toStdString();
        return {};
    }

    struct Change
    {
        int oldIndex, newIndex, seen;
        bool operator==(const Change&) const = default;
    };

    TLarkHTMLStorage storage;
    std::vector<QString> clicked;
    std::vector<Change> changes;
};

TEST_F(ViewStorageTest, LinkToAPageSwitchesWithoutLinkClick)
{
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, PointOverLink(u"NEXT"_s));
    EXPECT_EQ(view.StorageItemIndex(), 1);
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(changes, (std::vector<Change>{{0, 1, 0}})) << "the handler still sees the old index";
    EXPECT_EQ(view.Render()->AsText().trimmed(), u"second page"_s);
}

TEST_F(ViewStorageTest, LinkToNoPageShowsTheNotFoundPageAndRaisesLinkClick)
{
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, PointOverLink(u"OUTSIDE"_s));
    EXPECT_EQ(view.StorageItemIndex(), 2);
    EXPECT_EQ(clicked, (std::vector<QString>{u"http://x"_s}));
    EXPECT_EQ(changes, (std::vector<Change>{{0, 2, 0}}));
}

TEST_F(ViewStorageTest, EnterOnATabSelectedLinkFollowsIt)
{
    QTest::keyClick(&view, Qt::Key_Tab);
    ASSERT_NE(view.Render()->Data()->SelectedItem(), nullptr);
    EXPECT_TRUE(view.hasFocus() || !QApplication::focusWidget()) << "Tab stays in the view";
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(view.StorageItemIndex(), 1);
    EXPECT_TRUE(clicked.empty());
}

TEST_F(ViewStorageTest, ClickOutsideLinksRaisesOnClick)
{
    int clicks = 0;
    view.OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(250, 150));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(view.StorageItemIndex(), 0);
}

TEST_F(ViewStorageTest, StorageGoneShowsTheCaption)
{
    view.SetCaption(u"own caption"_s);
    EXPECT_FALSE(view.IsStorageLinkEmpty());
    {
        TLarkHTMLStorage temporary;
        temporary.Items()->Add()->Lines().Add(u"from the temporary storage"_s);
        view.SetStorage(&temporary);
        EXPECT_EQ(view.Render()->AsText().trimmed(), u"from the temporary storage"_s);
    }
    EXPECT_EQ(view.Storage(), nullptr);
    EXPECT_EQ(view.Render()->AsText().trimmed(), u"own caption"_s);
}

TEST_F(ViewStorageTest, IsEmptyLooksAtTheShownSource)
{
    EXPECT_TRUE(view.Caption().isEmpty());
    EXPECT_FALSE(view.IsEmpty()) << "a storage item with text is shown";
    view.SetStorage(nullptr);
    EXPECT_TRUE(view.IsEmpty());
}

TEST_F(ViewStorageTest, RightClickOnALinkShowsTheLinkMenu)
{
    QMenu linkMenu;
    QMenu ordinaryMenu;
    linkMenu.addAction(u"Open link"_s);
    ordinaryMenu.addAction(u"Copy"_s);
    view.SetLinkPopupMenu(&linkMenu);
    view.SetPopupMenu(&ordinaryMenu);
    struct Case
    {
        QPoint at;
        QMenu* shown;
    };
    for (const Case& c : {Case{PointOverLink(u"NEXT"_s), &linkMenu}, Case{QPoint(250, 150), &ordinaryMenu}}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, c.at, view.mapToGlobal(c.at));
        QApplication::sendEvent(&view, &event);
        EXPECT_TRUE(c.shown->isVisible());
        EXPECT_FALSE((c.shown == &linkMenu ? ordinaryMenu : linkMenu).isVisible());
        c.shown->hide();
    }
}

//---- Painting -------------------------------------------------------------

// Text in the top-left corner and room below it to probe the background.
constexpr auto kPaintCaption = u"<b>Lark</b> view";

using test::GrabRGB32;

TEST(ViewPaint, OpaqueViewFillsWithTheStyleBaseAndFramesItself)
{
    TLarkHTMLView view;
    view.resize(160, 90);
    view.SetCaption(QString::fromUtf16(kPaintCaption));
    const QImage image = GrabRGB32(view);
    const QColor base = view.palette().color(QPalette::Active, QPalette::Base);
    const QRect empty(20, 50, 100, 30);
    EXPECT_TRUE(test::RegionIs(image, empty, base)) << SaveForReview(image, u"view-opaque"_s).toStdString();
    const QRect ink = InkBounds(image, view.TextRect(), base);
    EXPECT_TRUE(ink.isValid());
    EXPECT_LT(ink.top(), view.TextRect().top() + 16);
    EXPECT_GT(CountPixels(image, view.TextRect(), Qt::black, 60), 20);
    EXPECT_GT(view.ClientRect().left(), 0) << "a single border takes the frame's width";
    EXPECT_NE(QColor(image.pixel(0, 45)), base) << SaveForReview(image, u"view-opaque"_s).toStdString();
}

TEST(ViewPaint, VerticalGradientPaintsSixteenStripesFromLeftToRight)
{
    TLarkHTMLView view;
    view.SetBorderStyle(bsNone);
    view.resize(160, 90);
    view.SetBackgroundType(bgtVertGradient);
    view.SetCaption(QString::fromUtf16(kPaintCaption));
    const QImage image = GrabRGB32(view);
    QList<QRgb> stripes;
    for (int x = 0; x < 160; ++x) {
        const QRgb c = image.pixel(x, 70);
        if (stripes.isEmpty() || stripes.last() != c)
            stripes.append(c);
    }
    EXPECT_EQ(stripes.size(), 16) << SaveForReview(image, u"view-gradient"_s).toStdString();
    EXPECT_EQ(QColor(stripes.first()), QColor(Qt::white));
    EXPECT_GT(qRed(stripes.last()), 0xC0);
    EXPECT_LT(qRed(stripes.last()), 0xC8);
    EXPECT_EQ(QColor(image.pixel(5, 70)), QColor(image.pixel(5, 2))) << "the stripes run top to bottom";
    // The text is drawn without a box of its own over the stripes.
    EXPECT_EQ(CountPixels(image, view.TextRect().adjusted(60, 0, 0, -40), Qt::white), 0)
        << SaveForReview(image, u"view-gradient"_s).toStdString();
}

TEST(ViewPaint, TransparentViewShowsItsParent)
{
    // 4-pixel red and blue squares.
    test::CheckerboardWidget parent(Qt::blue, Qt::red, 4);
    parent.resize(200, 120);
    auto* view = new TLarkHTMLView(&parent);
    view->setGeometry(20, 20, 160, 90);
    view->SetTransparent(true);
    view->SetCaption(QString::fromUtf16(kPaintCaption));
    const QImage image = GrabRGB32(parent);
    const QRect below(40, 70, 100, 30);
    EXPECT_GT(CountPixels(image, below, Qt::red), 1000) << SaveForReview(image, u"view-transparent"_s).toStdString();
    EXPECT_GT(CountPixels(image, below, Qt::blue), 1000);
    EXPECT_GT(CountPixels(image, QRect(22, 22, 60, 14), Qt::black, 60), 20) << "the text is drawn over it";
}

TEST(ViewPaint, DisabledViewDrawsGreyText)
{
    TLarkHTMLView view;
    view.resize(160, 90);
    view.SetCaption(u"<b>Lark</b> view <font color=red>red</font>"_s);
    view.setEnabled(false);
    const QImage image = GrabRGB32(view);
    const QColor grey = view.palette().color(QPalette::Disabled, QPalette::Text);
    const QColor base = view.palette().color(QPalette::Disabled, QPalette::Base);
    EXPECT_TRUE(test::RegionIs(image, QRect(20, 50, 100, 30), base))
        << SaveForReview(image, u"view-disabled"_s).toStdString();
    EXPECT_GT(CountPixels(image, view.TextRect(), grey, 8), 20) << SaveForReview(image, u"view-disabled"_s).toStdString();
    EXPECT_EQ(CountPixels(image, view.TextRect(), Qt::black, 40), 0);
    EXPECT_GT(CountPixels(image, view.TextRect(), Qt::red, 60), 5) << "explicit colours stay";
}

} // namespace
} // namespace lark
