// The HTML panel on real widgets (offscreen platform).
#include <lark/controls/panel.h>
#include <lark/framework/color.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>
#include <lark/storage/storage.h>

#include "support/image_checks.h"
#include "support/property_checks.h"

#include <QApplication>
#include <QLineEdit>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::RegionIs;
using lark::test::SaveForReview;

namespace lark {
namespace {

// An image box of exactly w x h pixels: no picture answers "box", so only
// the width and height attributes size it.
QString Box(int w, int h)
{
    return u"<img src=\"box\" width=%1 height=%2>"_s.arg(w).arg(h);
}

// Bold capitals: full-coverage pixels of the text colour.
const QString kInk = QStringLiteral("<b>MMMM WWWW</b>");

class PanelTest : public testing::Test
{
protected:
    PanelTest()
    {
        Parent.resize(400, 300);
        Parent.show();
        Panel = new TLarkHTMLPanel(&Parent);
        Panel->move(10, 20);
        Panel->resize(200, 100);
        Panel->show();
        Panel->Font().SetName(u"DejaVu Sans"_s);
        Panel->Font().SetColor(clBlack);
        Panel->SetColor(clWhite);
        Panel->OnTagFound = [this](QObject*, QString&, TLarkHTMLItem*&, TStringList*&, bool, bool) { ++Tags; };
        Panel->OnLinkClick = [this](QObject* sender, const QString& href) {
            EXPECT_EQ(sender, Panel);
            Links << href;
        };
        Panel->OnClick = [this](QObject*) { ++Clicks; };
    }

    void Click(QPoint pos)
    {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, pos, Panel->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(Panel, &event);
        }
    }
    QImage Grab() { return test::GrabRGB32(*Panel); }
    QSize TextSize() const { return Panel->Render()->Data()->TextSize(); }

    QWidget Parent;
    TLarkHTMLPanel* Panel = nullptr; // owned by Parent
    int Tags = 0;                    // tags the parser met: one or more per parse
    int Clicks = 0;
    QStringList Links;
};

//---- Defaults and properties ----------------------------------------------------

TEST_F(PanelTest, PublishesItsDefaults)
{
    TLarkHTMLPanel panel;
    EXPECT_EQ(panel.Alignment(), taCenter);
    EXPECT_EQ(panel.Layout(), tlTop);
    EXPECT_EQ(panel.BevelOuter(), bvRaised);
    EXPECT_EQ(panel.BevelInner(), bvNone);
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.BorderWidth(), 0);
    EXPECT_EQ(panel.Color(), clBtnFace);
    EXPECT_TRUE(panel.IsHTML());
    EXPECT_TRUE(panel.ShowCaption());
    EXPECT_TRUE(panel.WordWrap());
    EXPECT_FALSE(panel.AutoSize());
    EXPECT_FALSE(panel.DoubleBuffered());
    EXPECT_TRUE(panel.CheckStorageLinks());
    EXPECT_EQ(panel.Padding()->Margins(), QMargins(0, 0, 0, 0));
    EXPECT_EQ(panel.size(), QSize(185, 41));
    EXPECT_TRUE(IsWindowedHost(&panel));
    EXPECT_EQ(panel.GetOffset(), QPoint(1, 1));
}

// Qt Designer writes a property and resets it through its RESET function.
TEST(PanelProperties, PublishedPropertiesResetToTheirDefaults)
{
    const test::PropertyResetCase cases[] = {
        {"Alignment", QVariant::fromValue(taRightJustify), QVariant::fromValue(taCenter)},
        {"AutoSize", true, false},
        {"BevelInner", QVariant::fromValue(bvLowered), QVariant::fromValue(bvNone)},
        {"BevelOuter", QVariant::fromValue(bvSpace), QVariant::fromValue(bvRaised)},
        {"BevelWidth", 4, 1},
        {"BorderWidth", 3, 0},
        {"Caption", u"<b>x</b>"_s, QString()},
        {"Color", QVariant::fromValue(clRed), QVariant::fromValue(clBtnFace)},
        {"DoubleBuffered", true, false},
        {"IsHTML", false, true},
        {"Layout", QVariant::fromValue(tlBottom), QVariant::fromValue(tlTop)},
        {"ShowCaption", false, true},
        {"WordWrap", false, true},
        {"ParentFont", false, true},
        {"StorageItemIndex", 3, 0},
        {"StorageItemNotFoundIndex", 2, 0},
        {"CheckStorageLinks", false, true},
        {"Untrusted", true, false},
    };
    TLarkHTMLPanel panel;
    test::ExpectPropertiesReset(panel, cases);
    for (const char* object : {"Options", "Padding"})
        EXPECT_NE(panel.property(object).value<QObject*>(), nullptr) << object;
}

TEST_F(PanelTest, FrameWidthsStayInRange)
{
    Panel->SetBevelWidth(0);
    EXPECT_EQ(Panel->BevelWidth(), 1);
    Panel->SetBorderWidth(-4);
    EXPECT_EQ(Panel->BorderWidth(), 0);
    Panel->SetBorderWidth(1 << 30);
    EXPECT_EQ(Panel->BorderWidth(), TLarkCustomHTMLPanel::MaxFrameWidth);
}

// The frame is what is drawn: each bevel that is not bvNone, and the border.
TEST_F(PanelTest, OffsetIsTheFrameWidth)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    EXPECT_EQ(Panel->GetOffset(), QPoint(5, 5));
    Panel->SetBevelInner(bvLowered);
    EXPECT_EQ(Panel->GetOffset(), QPoint(7, 7));
    Panel->SetBevelOuter(bvNone);
    Panel->SetBevelInner(bvNone);
    EXPECT_EQ(Panel->GetOffset(), QPoint(3, 3));
}

//---- Re-layout ------------------------------------------------------------------------

struct ReparseCase
{
    const char* name;
    std::function<void(TLarkHTMLPanel&)> change;
    bool reparses;
};

class PanelReparseTest : public PanelTest, public testing::WithParamInterface<ReparseCase>
{
};

TEST_P(PanelReparseTest, ParsesOnlyForLayoutChanges)
{
    Panel->SetCaption(u"<b>x</b>"_s);
    Tags = 0;
    GetParam().change(*Panel);
    EXPECT_EQ(Tags > 0, GetParam().reparses);
}

const ReparseCase kReparseCases[] = {
    {"Alignment", [](TLarkHTMLPanel& p) { p.SetAlignment(taLeftJustify); }, false},
    {"ShowCaption", [](TLarkHTMLPanel& p) { p.SetShowCaption(false); }, false},
    {"IsHTML", [](TLarkHTMLPanel& p) { p.SetIsHTML(false); }, false},
    {"Color", [](TLarkHTMLPanel& p) { p.SetColor(clRed); }, false},
    {"DoubleBuffered", [](TLarkHTMLPanel& p) { p.SetDoubleBuffered(true); }, false},
    {"SameCaption", [](TLarkHTMLPanel& p) { p.SetCaption(u"<b>x</b>"_s); }, false},
    {"Caption", [](TLarkHTMLPanel& p) { p.SetCaption(u"<i>y</i>"_s); }, true},
    {"Layout", [](TLarkHTMLPanel& p) { p.SetLayout(tlCenter); }, true},
    {"BevelWidth", [](TLarkHTMLPanel& p) { p.SetBevelWidth(3); }, true},
    {"BorderWidth", [](TLarkHTMLPanel& p) { p.SetBorderWidth(2); }, true},
    {"BevelInner", [](TLarkHTMLPanel& p) { p.SetBevelInner(bvRaised); }, true},
    {"FontHeight", [](TLarkHTMLPanel& p) { p.Font().SetHeight(-20); }, true},
    {"Padding", [](TLarkHTMLPanel& p) { p.Padding()->SetLeft(5); }, true},
    {"Resize", [](TLarkHTMLPanel& p) { p.resize(150, 100); }, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, PanelReparseTest, testing::ValuesIn(kReparseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The document wraps between the frame's inner edges, less the padding.
TEST_F(PanelTest, DocumentWrapsInsideTheFrame)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->Padding()->SetBounds(4, 0, 6, 0);
    const QString text = QString(u"x "_s).repeated(100);
    Panel->SetCaption(text);
    // The same text in a frameless, unpadded panel: it wraps alike at the
    // 200 - 2 * 5 - 10 = 180 pixels left inside, and otherwise at 190.
    TLarkHTMLPanel bare(&Parent);
    bare.show();
    bare.SetBevelOuter(bvNone);
    bare.Font().Assign(Panel->Font());
    bare.resize(180, 100);
    bare.SetCaption(text);
    EXPECT_EQ(TextSize(), bare.Render()->Data()->TextSize());
    bare.resize(190, 100);
    EXPECT_NE(TextSize(), bare.Render()->Data()->TextSize());
}

//---- Auto-size ------------------------------------------------------------------------

TEST_F(PanelTest, AutoSizeWrapsTheFrameAroundTheDocument)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->SetCaption(Box(100, 40));
    // The box is measured a little wider than its picture; take it out.
    const int extra = TextSize().width() - 100;
    Panel->SetCaption(Box(100 - extra, 40));
    ASSERT_EQ(TextSize(), QSize(100, 40));
    Panel->SetAutoSize(true);
    EXPECT_EQ(Panel->size(), QSize(110, 50));
    EXPECT_EQ(Panel->pos(), QPoint(10, 20));
    EXPECT_EQ(Panel->sizeHint(), QSize(110, 50));
    // The padding comes on top of the frame.
    Panel->Padding()->SetBounds(1, 2, 3, 4);
    EXPECT_EQ(Panel->size(), QSize(114, 56));
    EXPECT_EQ(Panel->GetTextRect(), QRect(6, 7, 100, 40));
}

TEST_F(PanelTest, AutoSizeOfThePlainCaptionAddsTheFrame)
{
    Panel->SetBorderWidth(4);
    Panel->SetIsHTML(false);
    Panel->SetAutoSize(true);
    Panel->SetCaption(u"plain words"_s);
    const QSize text = Panel->ContentSize();
    ASSERT_GT(text.width(), 0);
    EXPECT_EQ(Panel->size(), text + QSize(10, 10));
    // Back to HTML: the size follows the document.
    Panel->SetIsHTML(true);
    EXPECT_EQ(Panel->size(), TextSize() + QSize(10, 10));
}

//---- Text rectangle -------------------------------------------------------------------

struct TextRectCase
{
    const char* name;
    TTextLayout layout;
    TAlignment alignment;
    int padding;
    QRect expected; // a 60 x 40 document in a 200 x 100 panel with a 5-pixel frame
};

class PanelTextRectTest : public PanelTest, public testing::WithParamInterface<TextRectCase>
{
};

TEST_P(PanelTextRectTest, PlacesTheTextBlockInsideTheFrame)
{
    const TextRectCase& row = GetParam();
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->Padding()->SetBounds(row.padding, row.padding, row.padding, row.padding);
    Panel->SetLayout(row.layout);
    Panel->SetAlignment(row.alignment);
    Panel->SetCaption(Box(60, 40));
    const int extra = TextSize().width() - 60;
    Panel->SetCaption(Box(60 - extra, 40));
    ASSERT_EQ(TextSize(), QSize(60, 40));
    EXPECT_EQ(Panel->GetTextRect(), row.expected);
}

const TextRectCase kTextRectCases[] = {
    {"TopLeft", tlTop, taLeftJustify, 0, QRect(5, 5, 190, 90)},
    {"CentredBlock", tlTop, taCenter, 0, QRect(70, 5, 60, 90)},
    {"RightBlock", tlTop, taRightJustify, 0, QRect(135, 5, 60, 90)},
    {"Centre", tlCenter, taLeftJustify, 0, QRect(5, 30, 190, 40)},
    {"Bottom", tlBottom, taLeftJustify, 0, QRect(5, 54, 190, 41)},
    {"PaddedCentredBlock", tlTop, taCenter, 4, QRect(70, 9, 60, 82)},
    {"PaddedBottomRight", tlBottom, taRightJustify, 4, QRect(131, 50, 60, 41)},
};
INSTANTIATE_TEST_SUITE_P(Rows, PanelTextRectTest, testing::ValuesIn(kTextRectCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The default alignment centres the drawn text between the frame's edges.
TEST_F(PanelTest, CentreAlignmentCentresTheInk)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->SetCaption(kInk);
    const QImage shot = Grab();
    const QRect ink = InkBounds(shot, QRect(5, 5, 190, 90), Qt::white);
    ASSERT_FALSE(ink.isEmpty()) << SaveForReview(shot, u"panel-centre"_s).toStdString();
    const int leftGap = ink.left() - 5;
    const int rightGap = 195 - (ink.right() + 1);
    EXPECT_NEAR(leftGap, rightGap, 3) << SaveForReview(shot, u"panel-centre"_s).toStdString();
    EXPECT_GT(leftGap, 20);
}

//---- What is shown ----------------------------------------------------------------------

TEST_F(PanelTest, ShowCaptionOffLeavesAPlainPanelAndOnShowsTheDocumentAgain)
{
    Panel->SetCaption(kInk);
    const QImage withText = Grab();
    ASSERT_GT(CountPixels(withText, Panel->rect(), Qt::black), 20);
    Tags = 0;
    Panel->SetShowCaption(false);
    const QImage plain = Grab();
    EXPECT_TRUE(RegionIs(plain, QRect(1, 1, 198, 98), Qt::white)) << SaveForReview(plain, u"panel-plain"_s).toStdString();
    Panel->SetShowCaption(true);
    EXPECT_EQ(Grab(), withText);
    EXPECT_EQ(Tags, 0);
    // Links are not there to click while hidden.
    Panel->SetCaption(u"<a href=\"x\">"_s + kInk + u"</a>"_s);
    const QPoint onText = Panel->GetTextRect().topLeft() + QPoint(5, 5);
    Panel->SetShowCaption(false);
    Click(onText);
    EXPECT_TRUE(Links.isEmpty());
    EXPECT_EQ(Clicks, 1);
    Panel->SetShowCaption(true);
    Click(onText);
    EXPECT_EQ(Links, QStringList{u"x"_s});
}

TEST_F(PanelTest, IsHTMLSwitchesBetweenDocumentAndPlainCaptionWithoutParsing)
{
    Panel->SetAlignment(taLeftJustify);
    Panel->SetCaption(u"<b>MM</b>"_s);
    const QImage html = Grab();
    Tags = 0;
    Panel->SetIsHTML(false);
    const QImage plain = Grab();
    // The markup itself is drawn now: far more ink than two letters.
    const QRect htmlInk = InkBounds(html, QRect(1, 1, 198, 98), Qt::white);
    const QRect plainInk = InkBounds(plain, QRect(1, 1, 198, 98), Qt::white);
    EXPECT_GT(plainInk.width(), 2 * htmlInk.width()) << SaveForReview(plain, u"panel-plain-caption"_s).toStdString();
    Panel->SetIsHTML(true);
    EXPECT_EQ(Grab(), html);
    EXPECT_EQ(Tags, 0);
}

// A caption set while the plain text shows is parsed when HTML comes back.
TEST_F(PanelTest, DocumentChangedWhilePlainIsParsedWhenHTMLReturns)
{
    Panel->SetCaption(u"<b>old</b>"_s);
    Panel->SetIsHTML(false);
    Panel->SetCaption(u"<i>new</i>"_s);
    Panel->SetIsHTML(true);
    EXPECT_EQ(Panel->Render()->AsText(), u"new"_s);
}

//---- Links --------------------------------------------------------------------------------

// Two 40 x 20 links side by side, in a centred block inside a 2 + 3 pixel
// frame and a padding of 7, 6, 0, 0: the block is centred in the 190 - 7
// pixels between the padding and the right frame edge.
TEST_F(PanelTest, ClickInsideABevelledPaddedPanelHitsTheLinkUnderThePointer)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->Padding()->SetBounds(7, 6, 0, 0);
    Panel->SetCaption(u"<a href=\"left\">%1</a><a href=\"right\">%1</a>"_s.arg(Box(40, 20)));
    const int tw = TextSize().width();
    ASSERT_GE(tw, 80);
    const int left = 5 + 7 + (183 - tw) / 2;
    const int top = 5 + 6;
    Click(QPoint(left + 5, top + 10));
    Click(QPoint(left + 35, top + 2));
    Click(QPoint(left + tw - 35, top + 10));
    Click(QPoint(left + tw - 5, top + 18));
    EXPECT_EQ(Links, (QStringList{u"left"_s, u"left"_s, u"right"_s, u"right"_s}));
    // Beside the block, on the frame and below the line: plain clicks.
    Links.clear();
    Click(QPoint(left - 3, top + 10));
    Click(QPoint(left + tw + 3, top + 10));
    Click(QPoint(1, 1));
    Click(QPoint(left + 20, top + 30));
    EXPECT_TRUE(Links.isEmpty());
    EXPECT_EQ(Clicks, 4);
}

class PanelStorageTest : public PanelTest
{
protected:
    PanelStorageTest()
    {
        for (const char* name : {"Intro", "Next"}) {
            TLarkHTMLStorageItem* item = Storage.Items()->Add();
            item->SetName(QString::fromLatin1(name));
        }
        Storage.Items()->Items(0)->Lines().SetText(u"<a href=\"Next\">"_s + kInk + u"</a>"_s);
        Storage.Items()->Items(1)->Lines().SetText(u"second page"_s);
        Panel->SetStorage(&Storage);
    }

    TLarkHTMLStorage Storage;
};

TEST_F(PanelStorageTest, StorageLinkOnlyRaisesLinkClick)
{
    Panel->SetCaption(u"own caption"_s);
    EXPECT_EQ(Panel->GetSourceText(), Storage.Items()->Items(0)->Lines().Text());
    int changes = 0;
    Panel->OnStorageItemChanged = [&](QObject*, int, int) { ++changes; };
    QStringList signalled;
    QObject::connect(Panel, &TLarkHTMLPanel::linkClicked, [&](const QString& href) { signalled << href; });
    Click(Panel->GetTextRect().topLeft() + QPoint(5, 5));
    EXPECT_EQ(Links, QStringList{u"Next"_s});
    EXPECT_EQ(signalled, QStringList{u"Next"_s});
    EXPECT_EQ(Panel->StorageItemIndex(), 0);
    EXPECT_EQ(changes, 0);
    // The application switches pages itself.
    Panel->SetStorageItemIndex(1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Panel->Render()->AsText(), u"second page"_s);
}

//---- Children -------------------------------------------------------------------------------

// An embedded control lives on the panel where its item is drawn, beside a
// child the application placed; a new document replaces only its own.
TEST_F(PanelTest, EmbeddedControlsAndOwnChildrenShareThePanel)
{
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(3);
    Panel->Padding()->SetBounds(4, 4, 4, 4);
    Panel->SetAlignment(taCenter);
    auto* button = new QPushButton(u"Own"_s, Panel);
    button->setGeometry(150, 60, 40, 30);
    button->show();
    Panel->SetCaption(u"<control vclclass=\"TEdit\" width=60 height=20>"_s + Box(30, 20));
    const QImage shot = Grab(); // placement happens while painting
    const QList<QLineEdit*> edits = Panel->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    QLineEdit* edit = edits.front();
    EXPECT_EQ(edit->parentWidget(), Panel);
    EXPECT_TRUE(edit->isVisible());
    // The control starts the centred block: 90 pixels wide in the 182
    // between the frame and the padding.
    ASSERT_EQ(TextSize(), QSize(90, 20));
    EXPECT_EQ(edit->geometry(), QRect(9 + 46, 9, 60, 20)) << SaveForReview(shot, u"panel-children"_s).toStdString();
    // The edit's own pixels are in the grab at that place.
    const QColor base = edit->palette().color(QPalette::Base);
    EXPECT_GT(CountPixels(shot, edit->geometry().adjusted(3, 3, -3, -3), base, 8), 100);

    Panel->SetCaption(u"<b>no controls</b>"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Panel->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(button->parentWidget(), Panel);
    EXPECT_EQ(button->geometry(), QRect(150, 60, 40, 30));
    EXPECT_TRUE(button->isVisible());
}

//---- Painting -------------------------------------------------------------------------------

struct BevelCase
{
    const char* name;
    TPanelBevel outer;
    TPanelBevel inner;
    int border;
    // Expected colours: outer ring top-left and bottom-right, then the
    // ring just inside the border (the inner bevel or the face).
    QPalette::ColorRole outerTop, outerBottom, innerTop, innerBottom;
};

class PanelBevelTest : public PanelTest, public testing::WithParamInterface<BevelCase>
{
};

TEST_P(PanelBevelTest, DrawsTheFrameRings)
{
    const BevelCase& row = GetParam();
    Panel->SetColor(clBtnFace);
    Panel->SetBevelWidth(2);
    Panel->SetBevelOuter(row.outer);
    Panel->SetBevelInner(row.inner);
    Panel->SetBorderWidth(row.border);
    const QImage shot = Grab();
    // System colours resolve through the active colours of the palette.
    const QPalette& palette = Panel->palette();
    auto at = [&](int x, int y) { return shot.pixel(x, y); };
    auto pal = [&](QPalette::ColorRole role) { return palette.color(QPalette::Active, role).rgb(); };
    const int inner = 2 + row.border;
    EXPECT_EQ(at(50, 1), pal(row.outerTop)) << SaveForReview(shot, u"panel-bevel"_s).toStdString();
    EXPECT_EQ(at(1, 50), pal(row.outerTop));
    EXPECT_EQ(at(50, 98), pal(row.outerBottom));
    EXPECT_EQ(at(198, 50), pal(row.outerBottom));
    if (row.border > 0) {
        EXPECT_EQ(at(50, 2), pal(QPalette::Button));
    }
    EXPECT_EQ(at(50, inner), pal(row.innerTop));
    EXPECT_EQ(at(199 - inner, 50), pal(row.innerBottom));
    // The face inside everything.
    EXPECT_EQ(at(100, 50), pal(QPalette::Button));
}

const BevelCase kBevelCases[] = {
    {"Raised", bvRaised, bvNone, 0, QPalette::Light, QPalette::Dark, QPalette::Button, QPalette::Button},
    {"Lowered", bvLowered, bvNone, 0, QPalette::Dark, QPalette::Light, QPalette::Button, QPalette::Button},
    {"RaisedAroundLoweredWithBorder", bvRaised, bvLowered, 3, QPalette::Light, QPalette::Dark, QPalette::Dark,
     QPalette::Light},
    {"SpaceIsTheFace", bvSpace, bvRaised, 1, QPalette::Button, QPalette::Button, QPalette::Light,
     QPalette::Dark},
};
INSTANTIATE_TEST_SUITE_P(Rows, PanelBevelTest, testing::ValuesIn(kBevelCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A document larger than the panel stays inside the frame.
TEST_F(PanelTest, TextNeverCoversTheFrame)
{
    Panel->SetColor(clWhite);
    Panel->SetBevelWidth(3);
    Panel->SetAlignment(taLeftJustify);
    Panel->SetLayout(tlBottom);
    Panel->SetCaption(u"<font color=\"red\">"_s + QString(u"<b>MMMMMMMMMMMMMMMMMMMM</b><br>"_s).repeated(12));
    for (bool buffered : {false, true}) {
        Panel->SetDoubleBuffered(buffered);
        const QImage shot = Grab();
        EXPECT_GT(CountPixels(shot, QRect(3, 3, 194, 94), Qt::red, 40), 100);
        const QRegion frame = QRegion(Panel->rect()) - QRegion(QRect(3, 3, 194, 94));
        int red = 0;
        for (const QRect& r : frame)
            red += CountPixels(shot, r, Qt::red, 80);
        EXPECT_EQ(red, 0) << SaveForReview(shot, u"panel-overflow"_s).toStdString();
    }
}

TEST_F(PanelTest, BufferedAndDirectPaintingLookTheSame)
{
    Panel->SetBevelInner(bvLowered);
    Panel->SetBorderWidth(2);
    Panel->Padding()->SetBounds(4, 3, 2, 1);
    Panel->SetLayout(tlCenter);
    Panel->SetCaption(u"<b>Lark</b> <i>panel</i><br><font color=red>red</font> <a href=x>link</a>"_s);
    const QImage direct = Grab();
    Panel->SetDoubleBuffered(true);
    EXPECT_EQ(Grab(), direct);
}

TEST_F(PanelTest, DisabledPanelDrawsItsTextInGrey)
{
    Panel->SetCaption(kInk);
    auto* button = new QPushButton(u"child"_s, Panel);
    button->move(5, 60);
    button->show();
    ASSERT_GT(CountPixels(Grab(), Panel->rect(), Qt::black), 20);
    Panel->setEnabled(false);
    const QImage shot = Grab();
    // Grey text, moved away from black (the colour the disabled text is
    // adjusted from) by half its distance to white, as on the label.
    const TColor grey = ColorToRGB(clGrayText, Panel);
    auto lighten = [](int v) { return v + ((255 - v) * 50 + 50) / 100; };
    const QColor expected(lighten(int(grey & 0xFF)), lighten(int((grey >> 8) & 0xFF)),
                          lighten(int((grey >> 16) & 0xFF)));
    const QRect text = Panel->GetTextRect();
    EXPECT_EQ(CountPixels(shot, text, Qt::black, 40), 0) << SaveForReview(shot, u"panel-disabled"_s).toStdString();
    EXPECT_GT(CountPixels(shot, text, expected, 2), 20) << SaveForReview(shot, u"panel-disabled"_s).toStdString();
    EXPECT_FALSE(button->isEnabled());
    // The frame does not change.
    EXPECT_EQ(shot.pixel(50, 0), Panel->palette().color(QPalette::Active, QPalette::Light).rgb());
}

} // namespace
} // namespace lark
