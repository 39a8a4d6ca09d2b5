// The HTML label on real widgets (offscreen platform).
#include <lark/controls/label.h>
#include <lark/framework/color.h>
#include <lark/framework/image_list.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>
#include <lark/storage/storage.h>

#include "support/image_checks.h"
#include "support/test_widgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::SaveForReview;

namespace lark {
namespace {

// An image box of exactly w x h pixels: no picture answers "box", so only
// the width and height attributes size it.
QString Box(int w, int h)
{
    return u"<img src=\"box\" width=%1 height=%2>"_s.arg(w).arg(h);
}

class LabelTest : public testing::Test
{
protected:
    LabelTest()
    {
        Parent.resize(300, 200);
        // Shown, so that resizes reach the label at once, as on a form.
        Parent.show();
        Label = new TLarkHTMLLabel(&Parent);
        Label->move(10, 20);
        Label->show();
        Label->Font().SetName(u"DejaVu Sans"_s);
        Label->Font().SetColor(clBlack);
        Label->OnTagFound = [this](QObject*, QString&, TLarkHTMLItem*&, TStringList*&, bool, bool) { ++Tags; };
    }

    // Sends a mouse event through the label's whole chain (the render
    // object's hook included), as a real pointer would.
    void Mouse(QEvent::Type type, QPoint pos)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, pos, Label->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(Label, &event);
    }
    void Click(QPoint pos)
    {
        Mouse(QEvent::MouseButtonPress, pos);
        Mouse(QEvent::MouseButtonRelease, pos);
    }
    // A point on the first characters of the document.
    QPoint FirstTextPoint() const
    {
        const QRect r = Label->GetTextRect();
        return r.topLeft() + QPoint(Label->Padding()->Left() + 3, Label->Padding()->Top() + 5);
    }
    QImage GrabParent() { return test::GrabRGB32(Parent); }

    // Red and green 8-pixel squares, so that a transparent label shows both.
    test::CheckerboardWidget Parent{Qt::green, Qt::red, 8};
    TLarkHTMLLabel* Label = nullptr; // owned by Parent
    int Tags = 0;                    // tags the parser met: one or more per parse
};

//---- Defaults and re-layout ---------------------------------------------------

TEST_F(LabelTest, PublishesItsDefaults)
{
    EXPECT_EQ(Label->Alignment(), taLeftJustify);
    EXPECT_EQ(Label->Layout(), tlTop);
    EXPECT_TRUE(Label->WordWrap());
    EXPECT_TRUE(Label->IsHTML());
    EXPECT_TRUE(Label->DoubleBuffered());
    EXPECT_FALSE(Label->Transparent());
    EXPECT_FALSE(Label->AutoSize());
    EXPECT_TRUE(Label->CheckStorageLinks());
    EXPECT_EQ(Label->StorageItemIndex(), 0);
    EXPECT_EQ(Label->Padding()->Margins(), QMargins(1, 1, 1, 1));
    EXPECT_EQ(Label->size(), QSize(100, 100));
    EXPECT_EQ(Label->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(IsWindowedHost(Label));
    EXPECT_EQ(Label->GetOffset(), QPoint(0, 0));
    // Designer sees the same defaults through the meta-object system.
    EXPECT_EQ(Label->property("Layout").toInt(), int(tlTop));
    EXPECT_EQ(Label->property("Alignment").toInt(), int(taLeftJustify));
}

struct ReparseCase
{
    const char* name;
    std::function<void(TLarkHTMLLabel&)> change;
    bool reparses;
};

class LabelReparseTest : public LabelTest, public testing::WithParamInterface<ReparseCase>
{
};

TEST_P(LabelReparseTest, ParsesOnlyForLayoutChanges)
{
    Label->SetCaption(u"<b>x</b>"_s);
    Tags = 0;
    GetParam().change(*Label);
    EXPECT_EQ(Tags > 0, GetParam().reparses);
}

const ReparseCase kReparseCases[] = {
    {"Alignment", [](TLarkHTMLLabel& l) { l.SetAlignment(taCenter); }, false},
    {"SameCaption", [](TLarkHTMLLabel& l) { l.SetCaption(u"<b>x</b>"_s); }, false},
    {"Offset", [](TLarkHTMLLabel& l) { l.SetOffset(QPoint(3, 3)); }, false},
    {"Layout", [](TLarkHTMLLabel& l) { l.SetLayout(tlBottom); }, true},
    {"WordWrap", [](TLarkHTMLLabel& l) { l.SetWordWrap(false); }, true},
    {"Caption", [](TLarkHTMLLabel& l) { l.SetCaption(u"<i>y</i>"_s); }, true},
    {"FontHeight", [](TLarkHTMLLabel& l) { l.Font().SetHeight(-20); }, true},
    {"LinkColor", [](TLarkHTMLLabel& l) { l.Options()->SetLinkColor(clRed); }, true},
    {"Padding", [](TLarkHTMLLabel& l) { l.Padding()->SetLeft(5); }, true},
    {"Resize", [](TLarkHTMLLabel& l) { l.resize(150, 100); }, true},
    {"ZeroWidth", [](TLarkHTMLLabel& l) { l.resize(0, 100); }, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, LabelReparseTest, testing::ValuesIn(kReparseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, ZeroSizedLabelNeitherParsesNorPaints)
{
    Label->resize(0, 40);
    Label->SetCaption(u"<b>never</b>"_s);
    EXPECT_EQ(Tags, 0);
    EXPECT_EQ(Label->Render()->Data()->ItemCount(), 0);
    // Widening it parses the caption it was given meanwhile.
    Label->resize(80, 40);
    EXPECT_GT(Tags, 0);
}

//---- Auto-size --------------------------------------------------------------------

TEST_F(LabelTest, AutoSizeAddsThePaddingAndKeepsThePosition)
{
    Label->Padding()->SetBounds(3, 3, 3, 3);
    Label->SetCaption(Box(120, 40));
    const QSize text = Label->Render()->Data()->TextSize();
    Label->SetAutoSize(true);
    EXPECT_EQ(Label->size(), text + QSize(6, 6));
    EXPECT_EQ(Label->pos(), QPoint(10, 20));
    EXPECT_EQ(Label->sizeHint(), Label->size());
    // The document is drawn inside the padding.
    EXPECT_EQ(Label->GetTextRect(), QRect(QPoint(0, 0), Label->size()));
}

// Markup that shows nothing must not shrink an unpadded label to 0 pixels,
// where it would never lay out again.
TEST_F(LabelTest, AutoSizeNeverShrinksToNothing)
{
    Label->Padding()->SetBounds(0, 0, 0, 0);
    Label->SetAutoSize(true);
    Label->SetCaption(u"<b></b>"_s);
    EXPECT_FALSE(Label->size().isEmpty());
    Label->SetCaption(Box(30, 20));
    EXPECT_EQ(Label->size(), Label->ContentSize());
    EXPECT_EQ(Label->ContentSize().height(), 20);
}

TEST_F(LabelTest, AutoSizeMeasuresPlainTextWhenNotHTML)
{
    Label->SetIsHTML(false);
    Label->SetAutoSize(true);
    Label->SetCaption(u"<b>raw</b> and more\r\nline two"_s);
    const QFontMetrics metrics(Label->Font().ToQFont());
    // The widest line, the lines' height, and the padding of 1 all round.
    // (Qt's drawn extent may add a pixel of overhang to the advance.)
    EXPECT_NEAR(Label->width(), metrics.horizontalAdvance(u"<b>raw</b> and more"_s) + 2, 1);
    EXPECT_GE(Label->height(), 2 * metrics.height() + 2);
    EXPECT_LE(Label->height(), 2 * metrics.lineSpacing() + 2);
}

//---- Text rectangle ---------------------------------------------------------------

struct TextRectCase
{
    const char* name;
    TTextLayout layout;
    TAlignment alignment;
    int padding;
    int docWidth, docHeight;
    QRect expected; // in a 100 x 100 label
};

class LabelTextRectTest : public LabelTest, public testing::WithParamInterface<TextRectCase>
{
};

TEST_P(LabelTextRectTest, PlacesTheTextBlock)
{
    const TextRectCase& row = GetParam();
    Label->Padding()->SetBounds(row.padding, row.padding, row.padding, row.padding);
    Label->SetLayout(row.layout);
    Label->SetAlignment(row.alignment);
    Label->SetCaption(Box(row.docWidth, row.docHeight));
    ASSERT_EQ(Label->Render()->Data()->TextSize().height(), row.docHeight);
    const int tw = Label->Render()->Data()->TextSize().width();
    QRect expected = row.expected;
    // The document is a little wider than its box; right and centred blocks
    // follow the document's width.
    if (row.alignment == taRightJustify)
        expected.setLeft(expected.left() - (tw - row.docWidth));
    EXPECT_EQ(Label->GetTextRect(), expected);
}

const TextRectCase kTextRectCases[] = {
    {"TopIsTheClientArea", tlTop, taLeftJustify, 0, 50, 40, QRect(0, 0, 100, 100)},
    {"CenterOfShortDocument", tlCenter, taLeftJustify, 0, 50, 40, QRect(0, 30, 100, 40)},
    {"CenterOfTallDocument", tlCenter, taLeftJustify, 0, 50, 150, QRect(0, 0, 100, 100)},
    {"BottomStartsAPixelHigher", tlBottom, taLeftJustify, 0, 50, 40, QRect(0, 59, 100, 41)},
    {"RightJustified", tlTop, taRightJustify, 0, 50, 40, QRect(50, 0, 50, 100)},
    // The padding frames the area the text is placed in; it never cuts the
    // text's own width or height short.
    {"PaddingFramesTheCentredBlock", tlCenter, taLeftJustify, 2, 50, 40, QRect(2, 30, 96, 40)},
    {"PaddingKeepsTheCentredWidth", tlTop, taCenter, 3, 50, 40, QRect(25, 3, 50, 94)},
};
INSTANTIATE_TEST_SUITE_P(Rows, LabelTextRectTest, testing::ValuesIn(kTextRectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, CentredBlockTakesTheDocumentsWidth)
{
    Label->Padding()->SetBounds(0, 0, 0, 0);
    Label->SetAlignment(taCenter);
    Label->SetCaption(Box(50, 40));
    const int tw = Label->Render()->Data()->TextSize().width();
    EXPECT_EQ(Label->GetTextRect(), QRect((100 - tw) / 2, 0, tw, 100));
}

//---- Links and storage ------------------------------------------------------------

class LabelStorageTest : public LabelTest
{
protected:
    LabelStorageTest()
    {
        for (const char* name : {"Intro", "Next", "Missing"}) {
            TLarkHTMLStorageItem* item = Storage.Items()->Add();
            item->SetName(QString::fromLatin1(name));
            item->Lines().Add(u"<b>"_s + item->Name() + u"</b>"_s);
        }
        Label->resize(200, 60);
        Label->SetStorage(&Storage);
        Label->SetStorageItemNotFoundIndex(2);
        Label->OnLinkClick = [this](QObject* sender, const QString& href) {
            EXPECT_EQ(sender, Label);
            Clicked << href;
        };
    }
    // Shows a page made of one link, then clicks it.
    void ClickLinkTo(const QString& target)
    {
        Storage.Items()->Items(0)->Lines().SetText(u"<a href=\"%1\">link</a>"_s.arg(target));
        Label->SetStorageItemIndex(0);
        Click(FirstTextPoint());
    }

    TLarkHTMLStorage Storage;
    QStringList Clicked;
};

TEST_F(LabelStorageTest, ShowsTheStorageItemAndFallsBackToCaption)
{
    Label->SetCaption(u"own caption"_s);
    Label->SetStorageItemIndex(1);
    EXPECT_EQ(Label->GetSourceText(), u"<b>Next</b>\r\n"_s);
    EXPECT_EQ(Label->PlainText(), u"Next"_s);
    Label->SetStorageItemIndex(7);
    EXPECT_EQ(Label->PlainText(), u"own caption"_s);
}

TEST_F(LabelStorageTest, LinkToAnItemSwitchesWithoutRaisingLinkClick)
{
    ClickLinkTo(u"Next"_s);
    EXPECT_EQ(Label->StorageItemIndex(), 1);
    EXPECT_TRUE(Clicked.isEmpty());
    EXPECT_EQ(Label->PlainText(), u"Next"_s);
}

TEST_F(LabelStorageTest, LinkToNoItemSwitchesToNotFoundAndRaisesLinkClick)
{
    QStringList signalled;
    QObject::connect(Label, &TLarkCustomHTMLLabel::linkClicked, [&](const QString& h) { signalled << h; });
    ClickLinkTo(u"nowhere"_s);
    EXPECT_EQ(Label->StorageItemIndex(), 2);
    EXPECT_EQ(Clicked, QStringList{u"nowhere"_s});
    EXPECT_EQ(signalled, Clicked);
}

TEST_F(LabelStorageTest, LinkLookupIsCaseSensitive)
{
    ClickLinkTo(u"next"_s);
    EXPECT_EQ(Label->StorageItemIndex(), 2);
    EXPECT_EQ(Clicked, QStringList{u"next"_s});
}

TEST_F(LabelStorageTest, WithoutCheckStorageLinksOnlyLinkClickIsRaised)
{
    Label->SetCheckStorageLinks(false);
    ClickLinkTo(u"Next"_s);
    EXPECT_EQ(Label->StorageItemIndex(), 0);
    EXPECT_EQ(Clicked, QStringList{u"Next"_s});
}

TEST_F(LabelStorageTest, StorageItemChangedSeesTheOldIndex)
{
    QList<QList<int>> seen;
    Label->OnStorageItemChanged = [&](QObject* sender, int oldIndex, int newIndex) {
        EXPECT_EQ(sender, Label);
        seen.append({oldIndex, newIndex, Label->StorageItemIndex()});
    };
    ClickLinkTo(u"Next"_s);
    Label->SetStorageItemIndex(1); // unchanged: not raised
    const QList<QList<int>> expected{{0, 1, 0}};
    EXPECT_EQ(seen, expected);
}

TEST_F(LabelStorageTest, ClickBesideLinksRaisesOnClick)
{
    int clicks = 0;
    Label->OnClick = [&](QObject*) { ++clicks; };
    ClickLinkTo(u"Next"_s);
    EXPECT_EQ(clicks, 0);
    Click(QPoint(Label->width() - 3, Label->height() - 3));
    EXPECT_EQ(clicks, 1);
}

TEST_F(LabelStorageTest, EditingTheStorageReparsesAndDestroyingItShowsTheCaption)
{
    Label->SetCaption(u"own"_s);
    Storage.Items()->Items(0)->Lines().SetText(u"edited"_s);
    EXPECT_EQ(Label->PlainText(), u"edited"_s);
    {
        auto doomed = std::make_unique<TLarkHTMLStorage>();
        doomed->Items()->Add()->Lines().Add(u"gone soon"_s);
        Label->SetStorage(doomed.get());
        EXPECT_EQ(Label->PlainText(), u"gone soon"_s);
    }
    EXPECT_EQ(Label->Storage(), nullptr);
    EXPECT_EQ(Label->PlainText(), u"own"_s);
}

TEST_F(LabelTest, CursorTurnsToAHandOverLinksOnly)
{
    Label->setCursor(Qt::CrossCursor);
    Label->SetCaption(u"<a href=\"x\">link</a><br><br>plain"_s);
    Mouse(QEvent::MouseMove, FirstTextPoint());
    EXPECT_EQ(Label->cursor().shape(), Qt::PointingHandCursor);
    Mouse(QEvent::MouseMove, QPoint(90, 90));
    EXPECT_EQ(Label->cursor().shape(), Qt::CrossCursor);
}

TEST_F(LabelTest, LinkPopupMenuPopsUpOverLinksOnly)
{
    QMenu menu;
    menu.addAction(u"Copy link"_s);
    Label->SetLinkPopupMenu(&menu);
    Label->SetCaption(u"<a href=\"x\">link</a><br><br>plain"_s);
    auto rightClick = [this](QPoint pos) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, Label->mapToGlobal(pos));
        QApplication::sendEvent(Label, &event);
    };
    rightClick(QPoint(90, 90));
    EXPECT_FALSE(menu.isVisible());
    rightClick(FirstTextPoint());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.property("PopupComponent").value<QObject*>(), Label);
    menu.hide();
    Label->SetLinkPopupMenu(nullptr);
    EXPECT_EQ(Label->LinkPopupMenu(), nullptr);
}

//---- Plain text, image list, embedded controls ------------------------------------

TEST_F(LabelTest, PlainTextIsDrawnUnparsed)
{
    Label->SetCaption(u"<b>x</b>"_s);
    const int htmlWidth = Label->ContentSize().width();
    EXPECT_EQ(Label->PlainText(), u"x"_s);
    Tags = 0;
    Label->SetIsHTML(false);
    EXPECT_EQ(Tags, 0);
    EXPECT_EQ(Label->PlainText(), u"<b>x</b>"_s);
    EXPECT_GT(Label->ContentSize().width(), htmlWidth);
    // Nothing of the earlier document answers the mouse any more.
    EXPECT_EQ(Label->Render()->Data()->ItemCount(), 0);
    const QImage shot = GrabParent();
    const QRect ink = InkBounds(shot, Label->geometry(), QColor(ToQColor(Label->Color(), Label)));
    EXPECT_GE(ink.width(), Label->ContentSize().width() - 2) << SaveForReview(shot, u"label-plain"_s).toStdString();
}

TEST_F(LabelTest, ImageListChangesReparseAndItsDestructionIsSafe)
{
    Label->SetCaption(u"<img src=\"index:0\">"_s);
    auto images = std::make_unique<TCustomImageList>(24, 18);
    Label->SetImageList(images.get());
    EXPECT_EQ(Label->ContentSize().height(), 0);
    QImage red(24, 18, QImage::Format_RGB32);
    red.fill(Qt::red);
    images->Add(red);
    EXPECT_EQ(Label->ContentSize().height(), 18);
    images.reset();
    EXPECT_EQ(Label->ImageList(), nullptr);
    EXPECT_EQ(Label->Render()->ImageList(), nullptr);
    EXPECT_EQ(Label->ContentSize().height(), 0);
}

TEST_F(LabelTest, DestroyingTheLabelFreesItsEmbeddedControls)
{
    Label->SetCaption(u"<control vclclass=\"TEdit\" width=60>"_s);
    const QList<QLineEdit*> edits = Parent.findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    // The label has no window of its own: its controls live on its parent.
    EXPECT_EQ(edits.front()->parentWidget(), &Parent);
    const QPointer<QLineEdit> edit = edits.front();
    delete Label;
    Label = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(edit.isNull());
}

//---- Painting ---------------------------------------------------------------------

// Text in bold capitals has full-coverage pixels of the text colour.
const QString kInk = QStringLiteral("<b>MMMM WWWW</b>");

TEST_F(LabelTest, DisabledLabelDrawsItsTextInGrey)
{
    Label->SetCaption(kInk);
    const QRect area = Label->geometry();
    const QImage enabled = GrabParent();
    Label->setEnabled(false);
    const QImage disabled = GrabParent();
    // Grey text, moved away from black (the colour the disabled text is
    // adjusted from) by half its distance to white.
    const TColor grey = ColorToRGB(clGrayText, Label);
    auto lighten = [](int v) { return v + ((255 - v) * 50 + 50) / 100; };
    const QColor expected(lighten(int(grey & 0xFF)), lighten(int((grey >> 8) & 0xFF)),
                          lighten(int((grey >> 16) & 0xFF)));
    EXPECT_GT(CountPixels(enabled, area, Qt::black), 10);
    EXPECT_GT(CountPixels(disabled, area, expected, 2), 10) << SaveForReview(disabled, u"label-disabled"_s).toStdString();
    EXPECT_EQ(CountPixels(disabled, area, Qt::black, 40), 0);
}

struct BackgroundCase
{
    const char* name;
    bool transparent;
    bool buffered;
};

class LabelBackgroundTest : public LabelTest, public testing::WithParamInterface<BackgroundCase>
{
};

TEST_P(LabelBackgroundTest, TransparentLabelShowsTheParent)
{
    const BackgroundCase& row = GetParam();
    Label->SetColor(clYellow);
    Label->SetTransparent(row.transparent);
    Label->SetDoubleBuffered(row.buffered);
    Label->SetCaption(kInk);
    const QImage shot = GrabParent();
    // The lower half holds no text.
    const QRect lower = Label->geometry().adjusted(0, 50, 0, 0);
    const int red = CountPixels(shot, lower, Qt::red);
    const int green = CountPixels(shot, lower, Qt::green);
    const int yellow = CountPixels(shot, lower, Qt::yellow);
    const QString name = u"label-"_s + QString::fromLatin1(row.name);
    if (row.transparent) {
        EXPECT_GT(red, 1000) << SaveForReview(shot, name).toStdString();
        EXPECT_GT(green, 1000);
        EXPECT_EQ(yellow, 0);
    } else {
        EXPECT_EQ(yellow, lower.width() * lower.height()) << SaveForReview(shot, name).toStdString();
    }
    // The text is drawn either way, and in the same place.
    const QRect top = Label->geometry().adjusted(0, 0, 0, -50);
    EXPECT_GT(CountPixels(shot, top, Qt::black), 10);
}

const BackgroundCase kBackgroundCases[] = {
    {"OpaqueBuffered", false, true},
    {"OpaqueDirect", false, false},
    {"TransparentBuffered", true, true},
    {"TransparentDirect", true, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, LabelBackgroundTest, testing::ValuesIn(kBackgroundCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, BufferedAndDirectPaintingLookTheSame)
{
    Label->SetAutoSize(true);
    Label->Padding()->SetBounds(4, 3, 2, 1);
    Label->SetCaption(u"<b>Lark</b> <i>label</i><br><font color=red>red</font>"_s);
    const QImage buffered = Label->grab().toImage();
    Label->SetDoubleBuffered(false);
    const QImage direct = Label->grab().toImage();
    EXPECT_EQ(buffered, direct);
}

TEST_F(LabelTest, EmptyLabelAtDesignTimeShowsADashedFrame)
{
    Label->SetDesigning(true);
    const QImage shot = test::GrabRGB32(*Label);
    const int edge = CountPixels(shot, QRect(0, 0, 100, 1), Qt::black);
    EXPECT_GT(edge, 20);
    EXPECT_LT(edge, 100); // dashed, not solid
    EXPECT_EQ(CountPixels(shot, QRect(2, 2, 96, 96), Qt::black), 0);
    Label->SetCaption(u"text"_s);
    const QImage withText = test::GrabRGB32(*Label);
    EXPECT_EQ(CountPixels(withText, QRect(0, 99, 100, 1), Qt::black), 0);
}

TEST_F(LabelTest, FontSetOnTheWidgetBecomesTheDocumentFont)
{
    QFont font(u"DejaVu Serif"_s);
    font.setPixelSize(20);
    font.setBold(true);
    Label->setFont(font);
    EXPECT_EQ(Label->Font().Name(), u"DejaVu Serif"_s);
    EXPECT_EQ(Label->Font().Height(), -20);
    EXPECT_TRUE(Label->Font().Style().Contains(fsBold));
    Label->SetCaption(u"x"_s);
    EXPECT_EQ(Label->Render()->Data()->DefaultHeight(), -20);
}

} // namespace
} // namespace lark
