// The owner-drawn list box on real widgets (offscreen platform).
#include <lark/controls/list_box.h>
#include <lark/framework/color.h>

#include "support/image_checks.h"
#include "support/test_widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::SaveForReview;

namespace lark {
namespace {

class ListBoxTest : public testing::Test
{
protected:
    ListBoxTest()
    {
        Form.resize(320, 240);
        List = new TLarkCustomListBox(&Form);
        List->setGeometry(10, 10, 200, 160);
        Other = new QLineEdit(&Form);
        Other->setGeometry(220, 10, 90, 24);
        QFont font(u"DejaVu Sans"_s);
        font.setPixelSize(12);
        List->setFont(font);
        test::ShowActive(Form, List);
        for (int i = 0; i < 5; ++i)
            List->Items().Add(u"item %1"_s.arg(i));
        QApplication::processEvents();
    }

    QStringList Rows() const { return List->Items().ToStringList(); }
    QImage Shot()
    {
        QApplication::processEvents();
        return test::GrabRGB32(*List->viewport());
    }
    void MoveMouse(QPoint pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, List->viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(List->viewport(), &move);
    }

    QWidget Form;
    TLarkCustomListBox* List = nullptr; // owned by Form
    QLineEdit* Other = nullptr;
};

//---- Properties ---------------------------------------------------------------

struct PropertyCase
{
    const char* name;
    QVariant defaultValue;
    QVariant otherValue;
};

class ListBoxPropertyTest : public ListBoxTest, public testing::WithParamInterface<PropertyCase>
{
};

TEST_P(ListBoxPropertyTest, StartsAtItsDefaultAndResetsToIt)
{
    const PropertyCase& c = GetParam();
    const QMetaProperty property = List->metaObject()->property(List->metaObject()->indexOfProperty(c.name));
    ASSERT_TRUE(property.isValid()) << c.name;
    EXPECT_EQ(property.read(List), c.defaultValue);
    ASSERT_TRUE(property.write(List, c.otherValue));
    EXPECT_EQ(property.read(List), c.otherValue);
    ASSERT_TRUE(property.reset(List));
    EXPECT_EQ(property.read(List), c.defaultValue);
}

const PropertyCase kPropertyCases[] = {
    {"BeveledFocus", false, true},
    {"BevelFocusShadowColor", uint(clGray), uint(clRed)},
    {"BevelFocusLightColor", uint(clWhite), uint(clRed)},
    {"MeasureItemEvent", false, true},
    {"HideSelection", false, true},
    {"Margin", 1, 4},
    {"HorzGridColor", uint(clSilver), uint(clRed)},
    {"HorzGridStyle", int(psSolid), int(psDot)},
    {"HorzGridLine", false, true},
    {"VerticalScrollBar", true, false},
    {"SelectedColor", uint(clHighlight), uint(clRed)},
    {"DisabledColor", uint(clWindow), uint(clRed)},
    {"SelectedFontColor", uint(clHighlightText), uint(clRed)},
    {"SelectedFontStyle", 0, TFontStyles{fsBold}.ToInt()},
    {"HideFocus", false, true},
    {"ItemAutoHeight", false, true},
    {"MultiLine", false, true},
    {"Sorted", false, true},
    {"Columns", 0, 2},
    {"ItemHeight", TListBoxDefaults::ItemHeight, 30},
    {"VirtualMode", false, true},
    {"MultiSelect", false, true},
};

INSTANTIATE_TEST_SUITE_P(Defaults, ListBoxPropertyTest, testing::ValuesIn(kPropertyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListBoxTest, KeepsExclusiveSettingsApart)
{
    List->SetLargeTextOptions(lbltShowHint);
    List->SetMultiLine(true);
    EXPECT_EQ(List->LargeTextOptions(), lbltNone);
    List->SetLargeTextOptions(lbltEndEllipsis);
    EXPECT_FALSE(List->MultiLine());

    List->SetMultiSelect(true);
    List->SetHideSelection(true);
    EXPECT_FALSE(List->HideSelection());
    EXPECT_EQ(List->selectionMode(), QAbstractItemView::ExtendedSelection);
}

//---- Drawing ---------------------------------------------------------------------

TEST_F(ListBoxTest, BeveledFocusIsGreyTopLeftAndWhiteOnePixelInsideRightBottom)
{
    List->SetBeveledFocus(true);
    List->SetSelectedColor(clYellow);
    List->SetItemIndex(1);
    ASSERT_TRUE(List->hasFocus());
    const QImage shot = Shot();
    const QRect r = List->GetItemRect(1);
    const QColor grey(0x80, 0x80, 0x80);
    const QColor white(Qt::white);
    // Left and top edges.
    EXPECT_EQ(shot.pixelColor(r.left(), r.top() + r.height() / 2), grey) << SaveForReview(shot, u"bevel"_s).toStdString();
    EXPECT_EQ(shot.pixelColor(r.left() + r.width() / 2, r.top()), grey);
    // Right and bottom edges on the rectangle's last column and row.
    EXPECT_EQ(shot.pixelColor(r.right(), r.top() + r.height() / 2), white);
    EXPECT_EQ(shot.pixelColor(r.left() + r.width() / 2, r.bottom()), white);
    // Inside: the selection colour.
    EXPECT_EQ(shot.pixelColor(r.left() + 1, r.top() + 1), QColor(Qt::yellow));
    // Without the focus frame the edges are the selection colour too.
    List->SetHideFocus(true);
    EXPECT_EQ(Shot().pixelColor(r.left(), r.top() + r.height() / 2), QColor(Qt::yellow));
}

TEST_F(ListBoxTest, DrawsGridLinesDisabledColourAndHiddenSelection)
{
    List->SetHorzGridLine(true);
    List->SetHorzGridColor(clRed);
    const QRect r = List->GetItemRect(0);
    EXPECT_EQ(Shot().pixelColor(r.left() + r.width() / 2, r.bottom()), QColor(Qt::red));

    List->SetItemIndex(2);
    List->SetSelectedColor(clBlue);
    const QRect selected = List->GetItemRect(2);
    EXPECT_GT(CountPixels(Shot(), selected, Qt::blue), selected.width() * 4);
    List->SetHideSelection(true);
    Other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(CountPixels(Shot(), selected, Qt::blue), 0);

    List->SetDisabledColor(clLime);
    List->setEnabled(false);
    EXPECT_GT(CountPixels(Shot(), List->viewport()->rect(), Qt::green), List->viewport()->width() * 40);
}

//---- Keyboard editing ---------------------------------------------------------------

struct EditCase
{
    const char* name;
    int start;                                     // ItemIndex before the keys
    std::function<void(TLarkCustomListBox&)> keys; // what the user types
    QStringList rows;                              // Items afterwards
    int itemIndex;                                 // ItemIndex afterwards
};

class ListBoxEditTest : public ListBoxTest, public testing::WithParamInterface<EditCase>
{
};

void Type(TLarkCustomListBox& list, const QString& text, Qt::Key end)
{
    ASSERT_NE(list.EditControl(), nullptr);
    QTest::keyClicks(list.EditControl(), text);
    QTest::keyClick(list.EditControl(), end);
}

TEST_P(ListBoxEditTest, EditsRowsFromTheKeyboard)
{
    const EditCase& c = GetParam();
    List->SetEditOptions(lboAllowInsert | lboAllowEdit | lboAllowDelete);
    List->SetItemIndex(c.start);
    c.keys(*List);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(List->ItemIndex(), c.itemIndex);
    EXPECT_EQ(List->EditControl(), nullptr);
}

const EditCase kEditCases[] = {
    {"InsertThenEscape", 3,
     [](TLarkCustomListBox& l) {
         QTest::keyClick(&l, Qt::Key_Insert);
         EXPECT_EQ(l.Items()[3], QString());
         EXPECT_EQ(l.EditIndex(), 3);
         QTest::keyClick(l.EditControl(), Qt::Key_Escape);
     },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"item 3"_s, u"item 4"_s}, 3},
    {"InsertThenEnter", 3, [](TLarkCustomListBox& l) {
         QTest::keyClick(&l, Qt::Key_Insert);
         Type(l, u"new"_s, Qt::Key_Return);
     },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"new"_s, u"item 3"_s, u"item 4"_s}, 3},
    {"CtrlInsertAfter", 3, [](TLarkCustomListBox& l) {
         QTest::keyClick(&l, Qt::Key_Insert, Qt::ControlModifier);
         Type(l, u"after"_s, Qt::Key_Enter);
     },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"item 3"_s, u"after"_s, u"item 4"_s}, 4},
    {"F2ThenEnter", 3, [](TLarkCustomListBox& l) {
         QTest::keyClick(&l, Qt::Key_F2);
         l.EditControl()->selectAll();
         Type(l, u"renamed"_s, Qt::Key_Return);
     },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"renamed"_s, u"item 4"_s}, 3},
    {"DeleteLast", 4, [](TLarkCustomListBox& l) { QTest::keyClick(&l, Qt::Key_Delete); },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"item 3"_s}, 3},
    {"DeleteMiddle", 1, [](TLarkCustomListBox& l) { QTest::keyClick(&l, Qt::Key_Delete); },
     {u"item 0"_s, u"item 2"_s, u"item 3"_s, u"item 4"_s}, 1},
    {"AddItemByEditor", 0, [](TLarkCustomListBox& l) {
         l.AddItemByEditor();
         Type(l, u"end"_s, Qt::Key_Return);
     },
     {u"item 0"_s, u"item 1"_s, u"item 2"_s, u"item 3"_s, u"item 4"_s, u"end"_s}, 5},
};

INSTANTIATE_TEST_SUITE_P(Keys, ListBoxEditTest, testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListBoxTest, KeysWithoutTheirOptionDoNothing)
{
    List->SetItemIndex(3);
    QTest::keyClick(List, Qt::Key_Insert);
    QTest::keyClick(List, Qt::Key_F2);
    QTest::keyClick(List, Qt::Key_Delete);
    EXPECT_EQ(List->Count(), 5);
    EXPECT_EQ(List->EditControl(), nullptr);
}

TEST_F(ListBoxTest, LeavingTheEditorForAnotherWidgetKeepsTheOldText)
{
    List->SetEditOptions(lboAllowEdit);
    List->SetItemIndex(3);
    QTest::keyClick(List, Qt::Key_F2);
    ASSERT_NE(List->EditControl(), nullptr);
    EXPECT_EQ(List->EditControl()->toPlainText(), u"item 3"_s);
    QTest::keyClicks(List->EditControl(), u" changed"_s);
    Other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(List->EditControl(), nullptr);
    EXPECT_EQ(List->Items()[3], u"item 3"_s);
    EXPECT_EQ(List->ItemIndex(), 3);
}

TEST_F(ListBoxTest, EditorEventsCanVetoAndSizeTheEditor)
{
    List->SetEditOptions(lboAllowEdit);
    List->SetItemIndex(2);
    int shown = 0, hidden = 0, changed = -1;
    List->OnEditShow = [&](QObject*, int index, bool& cancel) {
        EXPECT_EQ(index, 2);
        cancel = ++shown == 1;
    };
    List->OnEditMeasure = [](QObject*, int, int& height) { height = 40; };
    List->OnEditHide = [&](QObject*) { ++hidden; };
    List->OnEditChange = [&](QObject*, int index) { changed = index; };
    QTest::keyClick(List, Qt::Key_F2);
    EXPECT_EQ(List->EditControl(), nullptr);
    QTest::keyClick(List, Qt::Key_F2);
    ASSERT_NE(List->EditControl(), nullptr);
    const QRect row = List->GetItemRect(2);
    EXPECT_EQ(List->EditControl()->geometry(), QRect(row.left(), row.top() - 1, row.left() + row.width(), 40));
    QTest::keyClick(List->EditControl(), Qt::Key_Return);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(hidden, 1);
}

TEST_F(ListBoxTest, SortedListEditsANewRowAtTheEndThenSortsIt)
{
    List->Items().Clear();
    List->SetSorted(true);
    List->Items().Add(u"d"_s);
    List->Items().Add(u"B"_s);
    EXPECT_EQ(Rows(), (QStringList{u"B"_s, u"d"_s}));
    List->SetEditOptions(lboAllowInsert);
    List->SetItemIndex(0);
    QTest::keyClick(List, Qt::Key_Insert);
    EXPECT_EQ(Rows(), (QStringList{u"B"_s, u"d"_s, QString()}));
    Type(*List, u"c"_s, Qt::Key_Return);
    EXPECT_EQ(Rows(), (QStringList{u"B"_s, u"c"_s, u"d"_s}));
    EXPECT_EQ(List->ItemIndex(), 1);
}

TEST_F(ListBoxTest, VirtualModeNeverEdits)
{
    List->SetEditOptions(lboAllowInsert | lboAllowEdit);
    List->SetVirtualMode(true);
    List->SetCount(3);
    List->SetItemIndex(1);
    QTest::keyClick(List, Qt::Key_Insert);
    List->DisplayEditor(1);
    EXPECT_EQ(List->EditControl(), nullptr);
    EXPECT_EQ(List->Count(), 3);
}

//---- Selection --------------------------------------------------------------------------

TEST_F(ListBoxTest, RaisesOnSelectOnlyForTheUsersChanges)
{
    int selects = 0;
    List->OnSelect = [&](QObject*) { ++selects; };
    List->SetItemIndex(1);
    List->ClearSelection();
    List->DeleteSelected();
    EXPECT_EQ(selects, 0);
    List->SetItemIndex(1);
    QTest::keyClick(List, Qt::Key_Down);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(selects, 1);
}

TEST_F(ListBoxTest, DeletesEverySelectedRowOfAMultiSelectList)
{
    List->SetMultiSelect(true);
    List->SetSelected(1, true);
    List->SetSelected(3, true);
    EXPECT_EQ(List->SelCount(), 2);
    List->DeleteSelected();
    EXPECT_EQ(Rows(), (QStringList{u"item 0"_s, u"item 2"_s, u"item 4"_s}));
}

//---- Large text: tooltip and horizontal extent ----------------------------------------------

struct HintCase
{
    const char* name;
    int row;
    bool selectIt;
    bool shows;
};

class ListBoxHintTest : public ListBoxTest, public testing::WithParamInterface<HintCase>
{
};

TEST_P(ListBoxHintTest, ShowsClippedUnselectedRowsInFull)
{
    const HintCase& c = GetParam();
    const QString wide = u"a row far too wide for a list of two hundred pixels"_s;
    List->Items().SetStrings(1, wide);
    List->SetLargeTextOptions(lbltShowHint);
    if (c.selectIt)
        List->SetItemIndex(c.row);
    const QRect r = List->GetItemRect(c.row);
    MoveMouse(r.center());
    QWidget* hint = List->HintWindow();
    ASSERT_EQ(hint != nullptr, c.shows);
    if (!hint)
        return;
    EXPECT_EQ(qobject_cast<QLabel*>(hint)->text(), wide);
    EXPECT_EQ(hint->pos(), List->viewport()->mapToGlobal(r.topLeft()));
    // Leaving the list takes it away.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(List->viewport(), &leave);
    EXPECT_EQ(List->HintWindow(), nullptr);
}

const HintCase kHintCases[] = {
    {"ClippedUnselected", 1, false, true},
    {"ClippedSelected", 1, true, false},
    {"Fitting", 0, false, false},
};

INSTANTIATE_TEST_SUITE_P(Hint, ListBoxHintTest, testing::ValuesIn(kHintCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListBoxTest, HorizontalExtentFollowsTheWidestRow)
{
    List->SetLargeTextOptions(lbltHorzScrollBar);
    const int scrollBar = List->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, List);
    const QFontMetrics metrics(List->font());
    int widest = 0;
    for (const QString& row : Rows())
        widest = std::max(widest, metrics.boundingRect(QRect(), Qt::TextExpandTabs, row).width() + scrollBar);
    EXPECT_EQ(List->ScrollWidth(), widest);

    const QString wide = QString(u'W').repeated(80);
    List->Items().Add(wide);
    const int wideWidth = metrics.boundingRect(QRect(), Qt::TextExpandTabs, wide).width() + scrollBar;
    EXPECT_EQ(List->ScrollWidth(), wideWidth);
    List->doItemsLayout();
    EXPECT_EQ(List->horizontalScrollBar()->maximum(),
              wideWidth + 2 * List->Margin() - List->viewport()->width());

    List->Items().Delete(List->Count() - 1);
    EXPECT_EQ(List->ScrollWidth(), widest);
}

TEST_F(ListBoxTest, EndEllipsisShortensAClippedRow)
{
    List->Items().SetStrings(0, QString(u'x').repeated(100));
    const QRect r = List->GetItemRect(0);
    const int fullInk = InkBounds(Shot(), r, Qt::white).width();
    List->SetLargeTextOptions(lbltEndEllipsis);
    const QRect ellipsisInk = InkBounds(Shot(), r, Qt::white);
    EXPECT_GE(fullInk, r.width() - 2);
    EXPECT_LT(ellipsisInk.right(), r.right() - 1);
}

TEST_F(ListBoxTest, PathEllipsisKeepsTheFileName)
{
    const QString path = u"/usr/share/a/very/long/folder/name/that/never/ends/readme.txt"_s;
    List->Items().SetStrings(0, path);
    List->SetLargeTextOptions(lbltPathEllipsis);
    const QRect r = List->GetItemRect(0);
    const QImage pathShot = Shot();
    List->SetLargeTextOptions(lbltEndEllipsis);
    const QImage endShot = Shot();
    // Both fit the row, and they differ where the file name is kept.
    EXPECT_LT(InkBounds(pathShot, r, Qt::white).right(), r.right() - 1);
    EXPECT_FALSE(pathShot.copy(r) == endShot.copy(r));
}

TEST_F(ListBoxTest, OnDrawItemDrawsTheRowInsideTheMargins)
{
    List->SetMargin(3);
    QList<QRect> rects;
    List->OnDrawItem = [&](QObject* sender, TCanvas& canvas, int index, const QRect& rect, TOwnerDrawState state) {
        EXPECT_EQ(sender, List);
        EXPECT_EQ(state.testFlag(odSelected), index == 1);
        rects << rect;
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(rect);
    };
    List->SetSelectedColor(clBlue);
    List->SetItemIndex(1);
    const QImage shot = Shot();
    const QRect row = List->GetItemRect(1);
    ASSERT_FALSE(rects.isEmpty());
    EXPECT_EQ(CountPixels(shot, row, Qt::red), (row.width() - 6) * (row.height() - 1));
    // The margins keep the selection colour; the bottom row is the grid line's.
    EXPECT_EQ(shot.pixelColor(row.left() + 1, row.center().y()), QColor(Qt::blue));
}

TEST_F(ListBoxTest, ColumnsFlowRowsSideBySide)
{
    for (int i = 5; i < 40; ++i)
        List->Items().Add(u"item %1"_s.arg(i));
    List->SetColumns(2);
    QApplication::processEvents();
    const QRect first = List->GetItemRect(0);
    EXPECT_EQ(first.width(), List->viewport()->width() / 2);
    int next = 1;
    while (next < List->Count() && List->GetItemRect(next).left() == first.left())
        ++next;
    ASSERT_LT(next, List->Count());
    EXPECT_GT(next, 3);
    EXPECT_EQ(List->GetItemRect(next).left(), first.left() + first.width());
    EXPECT_EQ(List->GetItemRect(next).top(), first.top());
}

//---- Heights ------------------------------------------------------------------------------------

TEST_F(ListBoxTest, MultiLineRowsAreMeasuredAgainWhenTheWidthChanges)
{
    List->Items().SetStrings(2, u"many words that wrap into several lines of text in a narrow list"_s);
    List->SetItemAutoHeight(true);
    List->SetMultiLine(true);
    const int single = List->RowHeight(0);
    const int wide = List->RowHeight(2);
    EXPECT_GT(wide, single);
    List->resize(100, List->height());
    QApplication::processEvents();
    EXPECT_GT(List->RowHeight(2), wide);
    EXPECT_EQ(List->GetItemRect(2).height(), List->RowHeight(2));
}

TEST_F(ListBoxTest, MeasureItemEventAsksTheApplication)
{
    List->OnMeasureItem = [](QObject*, int index, int& height) { height = 20 + index; };
    List->SetMeasureItemEvent(true);
    List->doItemsLayout();
    EXPECT_EQ(List->GetItemRect(3).height(), 23);
}

TEST_F(ListBoxTest, VirtualModeDrawsWhatOnDataGives)
{
    List->SetVirtualMode(true);
    List->OnData = [](QObject*, int index, QString& data) { data = u"virtual %1"_s.arg(index); };
    List->SetCount(100000);
    EXPECT_EQ(List->Count(), 100000);
    EXPECT_EQ(List->model()->rowCount(), 100000);
    EXPECT_EQ(List->GetStringValue(99999), u"virtual 99999"_s);
    EXPECT_EQ(List->model()->index(7, 0).data().toString(), u"virtual 7"_s);
    const QImage shot = Shot();
    EXPECT_TRUE(InkBounds(shot, List->GetItemRect(0), Qt::white).isValid());
}

} // namespace
} // namespace lark
