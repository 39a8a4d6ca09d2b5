// The paint pass with inputs and embedded controls on a live host: controls
// are moved to their place (or outlined in editor preview and design mode),
// the application's events can move or hide them, and check boxes and radio
// buttons are drawn standing on their line's bottom.
#include "support/image_checks.h"
#include "support/test_host.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include "lark/html/paint/paint_inputs_p.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::test;
using namespace Qt::StringLiterals;

namespace {

const QColor kLime(0, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);

// A lime edit field 60 by 20: easy to find in a grabbed image.
const QString kEdit = u"<control vclclass=TEdit name=edit1 color=clLime width=60 height=20>"_s;

class EmbeddedPaintTest : public testing::Test
{
protected:
    EmbeddedPaintTest()
    {
        Host.resize(300, 120);
        Host.show();
    }

    // The first paint places the controls, the second shows them.
    QImage Shot()
    {
        Host.Grab();
        QCoreApplication::processEvents();
        return Host.Grab();
    }
    QWidget* OnlyControl()
    {
        for (const auto& item : Host.Data().Items()) {
            if (auto* control = dynamic_cast<TLarkHTMLControlItem*>(item.get()))
                return control->Control();
        }
        ADD_FAILURE() << "no control item";
        return nullptr;
    }
    TLarkHTMLItem* FirstOfKind(TLarkHTMLItemType kind)
    {
        for (const auto& item : Host.Data().Items()) {
            if (item->ItemType() == kind)
                return item.get();
        }
        return nullptr;
    }
    int TextWidth(const QString& text)
    {
        for (const auto& item : Host.Data().Items()) {
            if (item->ItemType() == hitChar && item->Text() == text)
                return item->FWidth;
        }
        ADD_FAILURE() << "no run " << text.toStdString();
        return 0;
    }
    int LineHeight(int line)
    {
        int n = -1;
        for (const auto& item : Host.Data().Items()) {
            if (item->IsBreakItem() && ++n == line)
                return item->FHeight;
        }
        ADD_FAILURE() << "no line " << line;
        return 0;
    }
    static int LimeIn(const QImage& image, const QRect& r) { return CountPixels(image, r, kLime, 8); }

    TestHost Host;
};

TEST_F(EmbeddedPaintTest, ControlsAppearAtTheirPlace)
{
    enum Place { AfterAbc, SecondLine, Right, Centre };
    struct Case
    {
        QString html;
        Place place;
    };
    const Case cases[] = {
        {u"abc"_s + kEdit, AfterAbc},
        {u"x<br>"_s + kEdit, SecondLine},
        {u"<p align=right>"_s + kEdit, Right},
        {u"<p align=center>"_s + kEdit, Centre},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html.toStdString());
        Host.SetHTML(c.html);
        const QImage image = Shot();
        QWidget* control = OnlyControl();
        ASSERT_NE(control, nullptr);
        // The host's padding is one pixel; the text area 298 wide.
        QPoint place(1, 1);
        if (c.place == AfterAbc)
            place.rx() += TextWidth(u"abc"_s);
        else if (c.place == SecondLine)
            place.ry() += LineHeight(0);
        else if (c.place == Right)
            place.rx() += 298 - 60;
        else
            place.rx() += (298 - 60) / 2;
        const QRect expected(place, QSize(60, 20));
        EXPECT_EQ(control->geometry(), expected);
        EXPECT_TRUE(control->isVisible());
        const QRect inner = expected.adjusted(4, 4, -4, -4);
        EXPECT_GT(LimeIn(image, inner), inner.width() * inner.height() * 3 / 4)
            << SaveForReview(image, u"control-place"_s).toStdString();
        EXPECT_EQ(LimeIn(image, image.rect()), LimeIn(image, expected));
        EXPECT_EQ(Host.LockCount(), 0);
        EXPECT_GE(Host.MaxLockCount(), 1);
    }
}

TEST_F(EmbeddedPaintTest, PlaceholderInEditorPreviewAndDesignMode)
{
    for (const bool preview : {true, false}) {
        SCOPED_TRACE(preview ? "editor preview" : "design mode");
        TestHost host;
        host.resize(300, 120);
        host.show();
        if (preview)
            host.SetParameter(u"EditorPreview"_s, u"1"_s);
        else
            host.SetDesigning(true);
        host.SetHTML(u"abc"_s + kEdit);
        host.Grab();
        QCoreApplication::processEvents();
        const QImage image = host.Grab();

        QWidget* control = nullptr;
        for (const auto& item : host.Data().Items()) {
            if (auto* c = dynamic_cast<TLarkHTMLControlItem*>(item.get()))
                control = c->Control();
        }
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isHidden());
        EXPECT_EQ(CountPixels(image, image.rect(), kLime, 8), 0);

        int abcWidth = 0;
        for (const auto& item : host.Data().Items()) {
            if (item->ItemType() == hitChar)
                abcWidth = item->FWidth;
        }
        // A dashed grey outline of the control's box, its name inside.
        const QRect box(1 + abcWidth, 1, 60, 20);
        const QRect top(box.left(), box.top(), box.width(), 1);
        const int dashes = CountPixels(image, top, kGrey, 0);
        EXPECT_GE(dashes, 30) << SaveForReview(image, u"placeholder"_s).toStdString();
        EXPECT_LT(dashes, box.width());
        EXPECT_GT(CountPixels(image, QRect(box.left(), box.top(), 1, box.height()), kGrey, 0), 10);
        const QRect name = InkBounds(image, box.adjusted(1, 1, -1, -1), kWhite);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(CountPixels(image, box.adjusted(1, 1, -1, -1), Qt::black, 40), 0);
        EXPECT_EQ(host.MaxLockCount(), 0);
    }
}

TEST_F(EmbeddedPaintTest, VisibilityEventCanHideTheControl)
{
    TLarkHTMLItem* context = nullptr;
    bool offered = false;
    Host.Render().OnSetControlVisibility = [&](QObject* sender, QWidget* control, TLarkHTMLItem* aData,
                                               bool& aVisible) {
        EXPECT_EQ(sender, &Host.Render());
        EXPECT_EQ(control, OnlyControl());
        context = aData;
        offered = aVisible;
        aVisible = false;
    };
    Host.SetHTML(u"abc"_s + kEdit);
    const QImage image = Shot();
    EXPECT_TRUE(offered);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->Text(), u"abc"_s);
    EXPECT_TRUE(OnlyControl()->isHidden());
    EXPECT_EQ(LimeIn(image, image.rect()), 0);
}

TEST_F(EmbeddedPaintTest, PositionEventMovesTheControlUnderTheLock)
{
    std::vector<QPoint> offered;
    Host.Render().OnAdjustControlPosition = [&](QObject*, QWidget*, TLarkHTMLItem* aData, int& x, int& y) {
        EXPECT_EQ(aData, FirstOfKind(hitPara));
        EXPECT_EQ(Host.LockCount(), 1);
        offered.emplace_back(x, y);
        x = 100;
        y = 50;
    };
    Host.SetHTML(kEdit);
    const QImage image = Shot();
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front(), QPoint(1, 1));
    EXPECT_EQ(OnlyControl()->geometry(), QRect(100, 50, 60, 20));
    EXPECT_GT(LimeIn(image, QRect(104, 54, 52, 12)), 400);
    EXPECT_EQ(Host.LockCount(), 0);
}

TEST_F(EmbeddedPaintTest, FailingPositionEventKeepsTheLineGoing)
{
    Host.Render().OnAdjustControlPosition = [](QObject*, QWidget*, TLarkHTMLItem*, int&, int&) {
        throw std::runtime_error("no place");
    };
    Host.SetHTML(kEdit + u"after"_s);
    Shot();
    EXPECT_TRUE(OnlyControl()->isHidden());
    EXPECT_EQ(Host.LockCount(), 0);
    // The control's advance is lost, so the text starts where it stood.
    EXPECT_EQ(Host.Data().GetItem(Host.Data().ItemCount() - 1)->Left(), TextWidth(u"after"_s));
}

TEST_F(EmbeddedPaintTest, ControlOfAHostWithoutWindowLivesInTheParent)
{
    QWidget parent;
    parent.resize(500, 300);
    auto* host = new TestHost(&parent);
    host->SetWindowed(false);
    host->setGeometry(30, 40, 300, 100);
    parent.show();
    host->SetHTML(kEdit);
    host->Grab();
    QCoreApplication::processEvents();
    const QImage image = test::GrabRGB32(parent);
    QWidget* control = nullptr;
    for (const auto& item : host->Data().Items()) {
        if (auto* c = dynamic_cast<TLarkHTMLControlItem*>(item.get()))
            control = c->Control();
    }
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), &parent);
    EXPECT_EQ(control->geometry(), QRect(31, 41, 60, 20));
    EXPECT_GT(LimeIn(image, QRect(35, 45, 52, 12)), 400);
}

TEST_F(EmbeddedPaintTest, ControlBelowTheAreaStaysHidden)
{
    Host.resize(300, 30);
    Host.SetHTML(u"a<br>b<br>c<br>d<br>e<br>"_s + kEdit);
    const QImage image = Shot();
    EXPECT_TRUE(OnlyControl()->isHidden());
    EXPECT_EQ(LimeIn(image, image.rect()), 0);
}

//---- Check boxes and radio buttons ----------------------------------------

class InputPaintTest : public EmbeddedPaintTest
{
protected:
    // The box of the only input: standing on the bottom of line 0.
    QRect InputBox()
    {
        const TLarkHTMLItem* input = FirstOfKind(hitInput);
        if (!input)
            return {};
        const int bottom = 1 + LineHeight(0);
        return QRect(1 + input->Left() - input->FWidth, bottom - input->FHeight, input->FWidth, input->FHeight);
    }
    QImage BoxImage(const QString& html, bool hot = false, bool selected = false)
    {
        Host.SetHTML(html);
        auto* input = dynamic_cast<TLarkHTMLInputItem*>(FirstOfKind(hitInput));
        if (!input) {
            ADD_FAILURE() << "no input in " << html.toStdString();
            return {};
        }
        Host.Data().SetActiveItem(hot ? input : nullptr);
        Host.Data().SetSelectedItem(selected ? input : nullptr);
        const QImage image = Shot();
        return image.copy(InputBox().adjusted(-1, -1, 1, 1));
    }
};

TEST_F(InputPaintTest, BoxStandsOnTheLineBottom)
{
    const QString cases[] = {
        u"<input type=checkbox>"_s,
        u"<font size=7>Big</font><input type=checkbox checked=1>"_s,
        u"x<input type=radio width=25 height=12>"_s,
    };
    for (const QString& html : cases) {
        SCOPED_TRACE(html.toStdString());
        Host.SetHTML(html);
        const QImage image = Shot();
        const QRect box = InputBox();
        ASSERT_FALSE(box.isEmpty());
        const QRect ink = InkBounds(image, QRect(box.left(), 0, box.width(), image.height()), kWhite);
        EXPECT_FALSE(ink.isEmpty()) << SaveForReview(image, u"input-box"_s).toStdString();
        EXPECT_TRUE(box.contains(ink)) << "ink " << ink.y() << "+" << ink.height() << " box " << box.y() << "+"
                                       << box.height() << " " << SaveForReview(image, u"input-box"_s).toStdString();
    }
}

TEST_F(InputPaintTest, CheckedBoxesShowTheirState)
{
    const QImage unchecked = BoxImage(u"<input type=checkbox>"_s);
    const QImage checked = BoxImage(u"<input type=checkbox checked=1>"_s);
    const QImage radio = BoxImage(u"<input type=radio>"_s);
    const QImage radioOn = BoxImage(u"<input type=radio checked=1>"_s);
    const QImage focused = BoxImage(u"<input type=checkbox>"_s, false, true);
    const QImage again = BoxImage(u"<input type=checkbox>"_s);
    ASSERT_FALSE(unchecked.isNull());
    EXPECT_EQ(again, unchecked);
    EXPECT_NE(checked, unchecked);
    EXPECT_NE(radio, unchecked);
    EXPECT_NE(radioOn, radio);
    EXPECT_NE(focused, unchecked);
}

// Records what the painter asks of the style.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle()
        : QProxyStyle(u"Fusion"_s)
    {
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        calls.push_back({element, option->state, option->rect});
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    struct Call
    {
        PrimitiveElement element;
        QStyle::State state;
        QRect rect;
    };
    mutable std::vector<Call> calls;
};

TEST_F(InputPaintTest, StyleElementFollowsTypeCheckedAndHot)
{
    RecordingStyle style;
    Host.setStyle(&style);
    struct Case
    {
        const char* html;
        bool hot;
        bool selected;
        QStyle::PrimitiveElement element;
        bool on;
    };
    const Case cases[] = {
        {"<input type=checkbox>", false, false, QStyle::PE_IndicatorCheckBox, false},
        {"<input type=checkbox>", true, false, QStyle::PE_IndicatorCheckBox, false},
        {"<input type=checkbox checked=1>", false, false, QStyle::PE_IndicatorCheckBox, true},
        {"<input type=checkbox checked=1>", true, true, QStyle::PE_IndicatorCheckBox, true},
        {"<input type=radio>", false, true, QStyle::PE_IndicatorRadioButton, false},
        {"<input type=radio>", true, false, QStyle::PE_IndicatorRadioButton, false},
        {"<input type=radio checked=1>", false, false, QStyle::PE_IndicatorRadioButton, true},
        {"<input type=radio checked=1 width=30>", true, false, QStyle::PE_IndicatorRadioButton, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.html << " hot " << c.hot << " selected " << c.selected);
        style.calls.clear();
        BoxImage(QString::fromUtf8(c.html), c.hot, c.selected);
        // The last paint: its indicator, and a focus frame after it when selected.
        const auto& calls = style.calls;
        const auto last = std::find_if(calls.rbegin(), calls.rend(), [](const RecordingStyle::Call& call) {
            return call.element == QStyle::PE_IndicatorCheckBox || call.element == QStyle::PE_IndicatorRadioButton;
        });
        ASSERT_NE(last, calls.rend());
        const RecordingStyle::Call& indicator = *last;
        const auto focus = std::find_if(calls.rbegin(), last, [](const RecordingStyle::Call& call) {
            return call.element == QStyle::PE_FrameFocusRect;
        });
        EXPECT_EQ(focus != last, c.selected);
        const QRect box = InputBox();
        const int side = std::min(box.width(), box.height());
        const QRect square(box.x() + (box.width() - side) / 2, box.y() + (box.height() - side) / 2, side, side);
        EXPECT_EQ(indicator.element, c.element);
        EXPECT_EQ(indicator.rect, square);
        EXPECT_EQ(bool(indicator.state & QStyle::State_On), c.on);
        EXPECT_EQ(bool(indicator.state & QStyle::State_Off), !c.on);
        EXPECT_EQ(bool(indicator.state & QStyle::State_MouseOver), c.hot);
        EXPECT_TRUE(indicator.state & QStyle::State_Enabled);
        EXPECT_FALSE(indicator.state & QStyle::State_Sunken);
        if (focus != last) {
            EXPECT_EQ(focus->rect, box);
        }
    }
    Host.setStyle(nullptr);
}

TEST(ClassicInputTest, SunkenBoxWithMark)
{
    const QPalette palette = QApplication::palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    struct Case
    {
        TLarkHTMLInputType type;
        bool checked;
        QColor centre;
    };
    const Case cases[] = {
        {itCheckBox, false, base},
        {itCheckBox, true, text},
        {itRadioButton, false, base},
        {itRadioButton, true, text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " checked " << c.checked);
        QImage image(100, 17, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        {
            QPainter painter(&image);
            detail::DrawClassicInput(painter, image.rect(), c.type, c.checked, palette);
        }
        // A 17-pixel box centred in the wider rectangle.
        EXPECT_EQ(InkBounds(image, image.rect(), Qt::magenta, 0), QRect(41, 0, 17, 17));
        EXPECT_TRUE(CountPixels(image, QRect(48, 7, 3, 3), c.centre, 40) >= 4);
    }
    QImage empty(10, 10, QImage::Format_RGB32);
    empty.fill(Qt::magenta);
    QPainter painter(&empty);
    detail::DrawClassicInput(painter, QRect(2, 2, 0, 8), itCheckBox, true, palette);
    painter.end();
    EXPECT_TRUE(RegionIs(empty, empty.rect(), Qt::magenta));
}

} // namespace
