// The HTML list box and the HTML item delegate on real widgets (offscreen).
#include <lark/controls/html_list_box.h>
#include <lark/controls/item_delegate.h>
#include <lark/framework/color.h>
#include <lark/framework/picture.h>
#include <lark/framework/string_list.h>
#include <lark/html/model/items.h>

#include "support/image_checks.h"
#include "support/test_widgets.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::SaveForReview;

namespace lark {
namespace {

class HTMLListBoxTest : public testing::Test
{
protected:
    HTMLListBoxTest()
    {
        Form.resize(320, 260);
        List = new TLarkHTMLListBox(&Form);
        List->setGeometry(10, 10, 240, 200);
        List->Font().SetName(u"DejaVu Sans"_s);
        List->Font().SetHeight(-12);
        List->Font().SetColor(clBlack);
        List->SetColor(clWhite);
        test::ShowActive(Form, List);
        List->OnLinkClick = [this](QObject*, const QString& href) { Clicked << href; };
    }

    QImage Shot()
    {
        QApplication::processEvents();
        return test::GrabRGB32(*List->viewport());
    }
    void Press(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(List->viewport(), button, {}, pos);
        QTest::mouseRelease(List->viewport(), button, {}, pos);
    }
    // A point on the first characters of a row's document.
    QPoint RowStart(int row) const
    {
        const QRect r = List->GetItemRect(row);
        return QPoint(r.left() + 6, r.top() + 6);
    }

    QWidget Form;
    TLarkHTMLListBox* List = nullptr; // owned by Form
    QStringList Clicked;
};

TEST_F(HTMLListBoxTest, PublishesItsDefaultsAndTheHostInterface)
{
    EXPECT_TRUE(List->IsHTML());
    EXPECT_TRUE(List->ItemAutoHeight());
    EXPECT_TRUE(List->AutoComplete());
    EXPECT_FALSE(List->VirtualMode());
    EXPECT_EQ(List->GetOffset(), QPoint(0, 0));
    EXPECT_EQ(List->GetHTML(), QString());
    List->Items().Add(u"a"_s);
    List->Items().Add(u"b"_s);
    EXPECT_EQ(List->GetHTML(), u"a\r\nb"_s);
    List->SetHTML(u"x\r\ny\r\nz"_s);
    EXPECT_EQ(List->Count(), 3);
    List->setProperty("ItemAutoHeight", false);
    List->metaObject()->property(List->metaObject()->indexOfProperty("ItemAutoHeight")).reset(List);
    EXPECT_TRUE(List->ItemAutoHeight());
}

//---- Heights and drawing ---------------------------------------------------------------------

TEST_F(HTMLListBoxTest, ASingleLineRowIsAsHighAsItsFirstTextRun)
{
    List->Items().Add(u"small"_s);
    List->Items().Add(u"<font size=7>big</font> small"_s);
    List->Items().Add(u"small <font size=7>big</font>"_s);
    EXPECT_GT(List->RowHeight(1), List->RowHeight(0));
    EXPECT_EQ(List->RowHeight(2), List->RowHeight(0));
    List->doItemsLayout();
    EXPECT_EQ(List->GetItemRect(1).height(), List->RowHeight(1));
}

TEST_F(HTMLListBoxTest, DrawsRowsTwoPixelsIn)
{
    List->Items().Add(u"<font bgcolor=#ff0000>XXXX</font>"_s);
    const QImage shot = Shot();
    const QRect r = List->GetItemRect(0);
    const QRect red = InkBounds(shot, r, Qt::white);
    EXPECT_EQ(red.left(), r.left() + 2) << SaveForReview(shot, u"two-pixels-in"_s).toStdString();
    EXPECT_GT(CountPixels(shot, r, Qt::red), 20);
}

TEST_F(HTMLListBoxTest, MultiLineRowsWrapAtTheClientWidth)
{
    List->SetMultiLine(true);
    List->Items().Add(u"<b>one</b> two three four five six seven eight nine ten eleven twelve thirteen"_s);
    List->Items().Add(u"one"_s);
    const int tall = List->RowHeight(0);
    EXPECT_GT(tall, 2 * List->RowHeight(1) - 2);
    List->resize(120, List->height());
    QApplication::processEvents();
    EXPECT_GT(List->RowHeight(0), tall);
}

TEST_F(HTMLListBoxTest, SelectedRowsAreBoldInTheSelectionColours)
{
    List->Items().Add(u"plain words"_s);
    List->Items().Add(u"plain words"_s);
    List->SetSelectedColor(clNavy);
    List->SetSelectedFontColor(clWhite);
    List->SetSelectedFontStyle({fsBold});
    List->SetItemIndex(1);
    const QImage shot = Shot();
    const QRect normal = List->GetItemRect(0);
    const QRect selected = List->GetItemRect(1);
    const QColor navy(0, 0, 0x80);
    EXPECT_GT(CountPixels(shot, selected, navy), selected.width() * 4) << SaveForReview(shot, u"selected"_s).toStdString();
    EXPECT_GT(CountPixels(shot, selected, Qt::white, 40), 10);
    EXPECT_EQ(CountPixels(shot, normal, navy, 40), 0);
    // Bold runs are wider than the same words in the regular face.
    EXPECT_GT(InkBounds(shot, selected, navy).width(), InkBounds(shot, normal, Qt::white).width());
}

TEST_F(HTMLListBoxTest, WithoutHTMLRowsShowTheirTagsAndLinksAreDead)
{
    List->Items().Add(u"<a href=\"x\">link</a>"_s);
    List->SetIsHTML(false);
    EXPECT_EQ(List->PlainItemText(0), u"<a href=\"x\">link</a>"_s);
    Press(RowStart(0));
    EXPECT_TRUE(Clicked.isEmpty());
    EXPECT_EQ(List->ItemIndex(), 0);
    List->SetIsHTML(true);
    EXPECT_EQ(List->PlainItemText(0), u"link"_s);
}

//---- Links --------------------------------------------------------------------------------------

TEST_F(HTMLListBoxTest, ALeftClickOnALinkRaisesOnLinkClickWithoutSelecting)
{
    List->Items().Add(u"<a href=\"first\">first</a> row"_s);
    List->Items().Add(u"<a href=\"second\">second</a> row"_s);
    QSignalSpy spy(List, &TLarkHTMLListBox::linkClicked);
    Press(RowStart(1));
    EXPECT_EQ(Clicked, QStringList{u"second"_s});
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(List->ItemIndex(), -1);
    // Beyond the link's words the row selects as usual.
    const QRect r = List->GetItemRect(1);
    Press(QPoint(r.right() - 4, r.top() + 6));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Clicked.size(), 1);
}

TEST_F(HTMLListBoxTest, ARightClickOnALinkOpensTheLinkMenuWithoutSelecting)
{
    QMenu menu;
    menu.addAction(u"Copy link"_s);
    List->SetLinkPopupMenu(&menu);
    List->Items().Add(u"<a href=\"menu\">menu</a> row"_s);
    Press(RowStart(0), Qt::RightButton);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.property("PopupComponent").value<QObject*>(), List);
    EXPECT_TRUE(Clicked.isEmpty());
    EXPECT_EQ(List->ItemIndex(), -1);
    menu.hide();
}

TEST_F(HTMLListBoxTest, TheCursorIsAHandOverLinks)
{
    List->Items().Add(u"<a href=\"x\">link</a> and words"_s);
    const QRect r = List->GetItemRect(0);
    QTest::mouseMove(List->viewport(), RowStart(0));
    QMouseEvent over(QEvent::MouseMove, RowStart(0), List->viewport()->mapToGlobal(RowStart(0)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(List->viewport(), &over);
    EXPECT_EQ(List->viewport()->cursor().shape(), Qt::PointingHandCursor);
    const QPoint words(r.right() - 10, r.top() + 6);
    QMouseEvent away(QEvent::MouseMove, words, List->viewport()->mapToGlobal(words), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(List->viewport(), &away);
    EXPECT_EQ(List->viewport()->cursor().shape(), Qt::ArrowCursor);
}

//---- Inputs in rows ------------------------------------------------------------------------------

TEST_F(HTMLListBoxTest, CheckBoxesAndRadioButtonsToggleAndStayToggled)
{
    List->Items().Add(u"<input type=checkbox name=a> remember"_s);
    List->Items().Add(u"<input type=\"radio\" name=r checked=\"True\"><input type=radio name=r /> pick"_s);
    Press(RowStart(0));
    EXPECT_EQ(List->Items()[0], u"<input type=checkbox name=a checked=\"True\"> remember"_s);
    Press(RowStart(0));
    EXPECT_EQ(List->Items()[0], u"<input type=checkbox name=a> remember"_s);
    // The second radio button of the row takes the group's check.
    const QRect r = List->GetItemRect(1);
    Press(QPoint(r.left() + 2 + 17 + 8, r.top() + 8));
    EXPECT_EQ(List->Items()[1], u"<input type=\"radio\" name=r><input type=radio name=r checked=\"True\" /> pick"_s);
}

//---- Virtual mode -----------------------------------------------------------------------------------

TEST_F(HTMLListBoxTest, VirtualModeDrawsAndHitTestsWhatOnDataGives)
{
    List->OnData = [](QObject*, int index, QString& data) {
        data = u"<a href=\"v%1\">row</a> <b>%1</b>"_s.arg(index);
    };
    List->SetVirtualMode(true);
    List->SetCount(100000);
    List->scrollToBottom();
    QApplication::processEvents();
    const int last = List->ItemAtPos(QPoint(5, 5));
    ASSERT_GT(last, 99000);
    Press(RowStart(last));
    EXPECT_EQ(Clicked, QStringList{u"v%1"_s.arg(last)});
    EXPECT_TRUE(InkBounds(Shot(), List->GetItemRect(last), Qt::white).isValid());
}

//---- Kept heights change nothing one can observe --------------------------------------------------------

struct CacheCase
{
    const char* name;
    // Installs handlers on a list box; the counter counts their calls.
    std::function<void(TLarkHTMLListBox&, int& calls)> handlers;
};

class HTMLListBoxCacheTest : public testing::TestWithParam<CacheCase>
{
};

const QStringList kCacheRows = {
    u"plain row"_s,
    u"<font size=6>tall</font> start"_s,
    u"<b>bold</b> <a href=\"x\">link</a> <i>italic</i>"_s,
    u"<~~> variable first"_s,
    u"<big>custom</big> tag"_s,
    u"<img src=\"app:pic\">"_s,
    u"<font size=5>text</font> <img src=\"app:pic\">"_s,
    QString(),
};

// Lays the rows out twice and draws them, and tells what was seen.
struct Observed
{
    QList<int> heights;
    QImage pixels;
    int calls = 0;
};

Observed Observe(const CacheCase& c, bool caching)
{
    QWidget form;
    form.resize(260, 300);
    auto* list = new TLarkHTMLListBox(&form);
    list->setGeometry(0, 0, 250, 290);
    list->Font().SetName(u"DejaVu Sans"_s);
    list->SetHeightCaching(caching);
    Observed seen;
    c.handlers(*list, seen.calls);
    list->Items().Assign(TStringList(kCacheRows));
    form.show();
    for (int pass = 0; pass < 2; ++pass) {
        list->doItemsLayout();
        for (int i = 0; i < list->Count(); ++i)
            seen.heights << list->GetItemRect(i).height();
        seen.pixels = list->viewport()->grab().toImage();
    }
    return seen;
}

TEST_P(HTMLListBoxCacheTest, KeptHeightsMatchMeasuringEveryTime)
{
    const Observed kept = Observe(GetParam(), true);
    const Observed fresh = Observe(GetParam(), false);
    EXPECT_EQ(kept.heights, fresh.heights);
    EXPECT_EQ(kept.calls, fresh.calls);
    EXPECT_TRUE(kept.pixels == fresh.pixels) << SaveForReview(kept.pixels, u"cache-kept"_s).toStdString() << " "
                                             << SaveForReview(fresh.pixels, u"cache-fresh"_s).toStdString();
}

const CacheCase kCacheCases[] = {
    {"NoHandlers", [](TLarkHTMLListBox&, int&) {}},
    {"VariableGrowsEachTime",
     [](TLarkHTMLListBox& l, int& calls) {
         l.OnGetVariable = [&calls](QObject*, const QString&, QString& value) {
             value = QString(u'v').repeated(++calls % 7);
         };
     }},
    {"TagFoundMakesBigBold",
     [](TLarkHTMLListBox& l, int& calls) {
         l.OnTagFound = [&calls](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*&, bool, bool) {
             if (tag == u"big" && ++calls % 2 == 0)
                 tag = u"b"_s;
         };
     }},
    {"ImageChangesSize",
     [](TLarkHTMLListBox& l, int& calls) {
         l.OnGetImage = [&calls](QObject*, const QString&, TPicture* image) {
             const int side = 10 + ++calls % 20;
             QImage picture(side, side, QImage::Format_RGB32);
             picture.fill(Qt::blue);
             image->SetImage(picture);
         };
     }},
};

INSTANTIATE_TEST_SUITE_P(Handlers, HTMLListBoxCacheTest, testing::ValuesIn(kCacheCases),
                         [](const auto& info) { return std::string(info.param.name); });

//---- The delegate in any view ----------------------------------------------------------------------------

class ItemDelegateTest : public testing::Test
{
protected:
    ItemDelegateTest()
    {
        Model.setRowCount(3);
        Model.setColumnCount(2);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 2; ++column)
                Model.setItem(row, column,
                              new QStandardItem(u"<a href=\"r%1c%2\">go</a> <b>cell</b> text"_s.arg(row).arg(column)));
        Delegate = new TLarkHTMLItemDelegate(&View);
        Delegate->Font().SetName(u"DejaVu Sans"_s);
        View.setModel(&Model);
        View.setItemDelegate(Delegate);
        View.resize(400, 200);
        View.show();
        QApplication::processEvents();
    }
    // A point on the link at the start of a cell's text.
    QPoint LinkPoint(int row, int column)
    {
        const QRect r = View.visualRect(Model.index(row, column));
        return QPoint(r.left() + 8, r.center().y());
    }

    QStandardItemModel Model;
    QTableView View;
    TLarkHTMLItemDelegate* Delegate = nullptr; // owned by View
};

TEST_F(ItemDelegateTest, AClickOnALinkInATableCellReportsItWithoutSelecting)
{
    QSignalSpy spy(Delegate, &TLarkHTMLItemDelegate::linkClicked);
    QString callback;
    Delegate->OnLinkClick = [&](QObject* sender, const QString& href) {
        EXPECT_EQ(sender, Delegate);
        callback = href;
    };
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, LinkPoint(1, 1));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), u"r1c1"_s);
    EXPECT_EQ(spy.at(0).at(1).toModelIndex(), Model.index(1, 1));
    EXPECT_EQ(callback, u"r1c1"_s);
    EXPECT_FALSE(View.selectionModel()->isSelected(Model.index(1, 1)));

    // The hand shows over links only.
    QMouseEvent over(QEvent::MouseMove, LinkPoint(2, 0), View.viewport()->mapToGlobal(LinkPoint(2, 0)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(View.viewport(), &over);
    EXPECT_EQ(View.viewport()->cursor().shape(), Qt::PointingHandCursor);
    const QRect cell = View.visualRect(Model.index(2, 0));
    const QPoint empty(cell.right() - 2, cell.center().y());
    QMouseEvent away(QEvent::MouseMove, empty, View.viewport()->mapToGlobal(empty), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(View.viewport(), &away);
    EXPECT_NE(View.viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ItemDelegateTest, SelectedCellsTakeTheStylesSelectionColours)
{
    View.selectionModel()->select(Model.index(0, 0), QItemSelectionModel::Select);
    View.setFocus();
    QApplication::processEvents();
    const QImage shot = test::GrabRGB32(*View.viewport());
    const QColor highlight = View.palette().color(QPalette::Active, QPalette::Highlight);
    const QRect cell = View.visualRect(Model.index(0, 0));
    EXPECT_GT(CountPixels(shot, cell, highlight, 8), cell.width() * 4) << SaveForReview(shot, u"delegate"_s).toStdString();
    EXPECT_EQ(CountPixels(shot, View.visualRect(Model.index(0, 1)), highlight, 8), 0);
}

TEST_F(ItemDelegateTest, ElidesSingleLineCellsThatDoNotFit)
{
    Model.setItem(0, 0, new QStandardItem(u"a long cell text that does not fit in a narrow column at all"_s));
    View.setColumnWidth(0, 80);
    const QRect cell = View.visualRect(Model.index(0, 0));
    const QImage elided = test::GrabRGB32(*View.viewport());
    Delegate->SetElideRows(false);
    const QImage cut = test::GrabRGB32(*View.viewport());
    EXPECT_FALSE(elided.copy(cell) == cut.copy(cell));
    EXPECT_GT(Delegate->sizeHint(QStyleOptionViewItem(), Model.index(0, 0)).width(), cell.width());
}

} // namespace
} // namespace lark
