// The list boxes against handlers and programs that pull the rows away
// under them: OnDrawItem and OnMeasureItem replacing the rows while a row is
// drawn or measured, and the editor open while the list is cleared.
#include <lark/controls/html_list_box.h>
#include <lark/controls/list_box.h>

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <memory>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

constexpr int kRows = 12;

void Fill(TLarkCustomListBox& list)
{
    for (int i = 0; i < kRows; ++i)
        list.Items().Add(u"row %1"_s.arg(i));
}

// What a handler does to the rows, once, and the row count it leaves.
struct RowChange
{
    const char* name;
    std::function<void(TLarkCustomListBox&, int index)> change;
    int countAfter;
};

const RowChange kChanges[] = {
    {"clear", [](TLarkCustomListBox& l, int) { l.Items().Clear(); }, 0},
    {"delete the first row", [](TLarkCustomListBox& l, int) { l.Items().Delete(0); }, kRows - 1},
    {"delete its own row", [](TLarkCustomListBox& l, int i) { l.Items().Delete(i); }, kRows - 1},
    {"replace its own row", [](TLarkCustomListBox& l, int i) { l.Items().SetStrings(i, u"new"_s); }, kRows},
    {"add a row", [](TLarkCustomListBox& l, int) { l.Items().Add(u"added"_s); }, kRows + 1},
    {"set all the text", [](TLarkCustomListBox& l, int) { l.Items().SetText(u"a\nb"_s); }, 2},
};

// The list and its model agree, the current row exists, and the list paints.
void ExpectConsistent(TLarkCustomListBox& list, int count)
{
    EXPECT_EQ(list.Count(), count);
    EXPECT_EQ(list.model()->rowCount(), count);
    EXPECT_LT(list.ItemIndex(), count);
    EXPECT_FALSE(list.grab().isNull());
    // The view laid the rows out again: the last one sits in the list.
    if (count > 0) {
        const QRect last = list.visualRect(list.model()->index(count - 1, 0));
        EXPECT_TRUE(last.left() >= 0 && last.left() < list.width()) << last.left();
    }
}

// Where the handler runs: drawing a row, measuring one (RowHeight), or
// measuring every row after a resize of a multi-line list.
enum class Trigger { Draw, Measure, MeasureAll };

TEST(ListBoxHostileTest, AHandlerReplacingTheRowsWhileARowIsDrawnOrMeasuredLeavesAConsistentList)
{
    for (const RowChange& c : kChanges) {
        for (const Trigger trigger : {Trigger::Draw, Trigger::Measure, Trigger::MeasureAll}) {
            SCOPED_TRACE(std::string(c.name) + " while " +
                         (trigger == Trigger::Draw ? "drawing" : trigger == Trigger::Measure ? "measuring" : "measuring all"));
            TLarkCustomListBox list;
            // Every row shows, so that rows past a new end are painted too.
            list.resize(200, 20 * (kRows + 2));
            Fill(list);
            list.SetItemIndex(kRows - 1);
            bool done = false;
            auto once = [&](int index) {
                if (!std::exchange(done, true))
                    c.change(list, index);
            };
            if (trigger == Trigger::Draw) {
                list.OnDrawItem = [&](QObject*, TCanvas&, int index, const QRect&, TOwnerDrawState) { once(index); };
            } else {
                list.OnMeasureItem = [&](QObject*, int index, int& height) {
                    height = 20;
                    once(index);
                };
                list.SetMultiLine(trigger == Trigger::MeasureAll);
                list.SetItemAutoHeight(true);
                list.SetMeasureItemEvent(true);
            }
            (void)list.grab();
            QCoreApplication::sendPostedEvents();
            EXPECT_TRUE(done);
            ExpectConsistent(list, c.countAfter);
        }
    }
}

// A variable's handler runs while an HTML row is measured and drawn.
TEST(ListBoxHostileTest, AVariableHandlerDeletingARowWhileTheHTMLListIsLaidOutLeavesItShowingTheRest)
{
    TLarkHTMLListBox list;
    list.resize(260, 20 * (kRows + 2));
    Fill(list);
    list.Items().SetStrings(2, u"<~~x> variable"_s);
    bool done = false;
    list.OnGetVariable = [&](QObject*, const QString&, QString& value) {
        value = u"v"_s;
        if (!std::exchange(done, true))
            list.Items().Delete(0);
    };
    (void)list.grab();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(done);
    EXPECT_EQ(list.Items().Strings(0), u"row 1"_s);
    ExpectConsistent(list, kRows - 1);
}

TEST(ListBoxHostileTest, ClearingTheListClosesTheEditorAndItsKeysAddNothing)
{
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Escape), int(Qt::Key_Down)}) {
        for (const bool insert : {false, true}) {
            SCOPED_TRACE(std::to_string(key) + (insert ? " on a new row" : " on row 3"));
            QWidget window;
            auto* list = new TLarkCustomListBox(&window);
            list->resize(200, 150);
            list->SetEditOptions(lboAllowInsert | lboAllowEdit | lboAllowDelete);
            window.show();
            QApplication::setActiveWindow(&window);
            // The first resize would close an editor opened before it.
            QCoreApplication::processEvents();
            Fill(*list);
            QCoreApplication::processEvents();
            if (insert)
                list->AddItemByEditor();
            else
                list->DisplayEditor(3);
            const QPointer<TLarkCustomListBoxEdit> editor = list->EditControl();
            ASSERT_TRUE(editor);
            editor->insertPlainText(u"typed"_s);

            list->Items().Clear();
            EXPECT_EQ(list->EditControl(), nullptr);
            EXPECT_EQ(list->EditIndex(), -1);
            if (editor) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(editor, &press);
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(editor);
            ExpectConsistent(*list, 0);
        }
    }
}

// In virtual mode the rows are OnData's; Items may change meanwhile, at
// indexes past the virtual rows, without touching them.
TEST(ListBoxHostileTest, ItemsChangedInVirtualModeLeaveTheVirtualRows)
{
    TLarkCustomListBox list;
    list.resize(200, 150);
    list.SetItemAutoHeight(true);
    list.SetVirtualMode(true);
    list.OnData = [](QObject*, int index, QString& data) { data = u"virtual %1"_s.arg(index); };
    Fill(list);
    list.SetCount(3);
    (void)list.grab();
    list.Items().Delete(5);
    list.Items().SetStrings(7, u"changed"_s);
    list.Items().Insert(0, u"first"_s);
    EXPECT_EQ(list.Items().Count(), kRows);
    ExpectConsistent(list, 3);
    EXPECT_EQ(list.model()->index(2, 0).data().toString(), u"virtual 2"_s);
}

// The program inserting or removing rows while a new row is edited: the
// editor closes, so that its Escape cannot take away another row.
TEST(ListBoxHostileTest, RowsInsertedOrRemovedByTheProgramCloseTheEditorAndKeepEveryRow)
{
    const std::pair<const char*, std::function<void(TLarkCustomListBox&)>> changes[] = {
        {"a row removed above", [](TLarkCustomListBox& l) { l.Items().Delete(0); }},
        {"a row inserted above", [](TLarkCustomListBox& l) { l.Items().Insert(0, u"inserted"_s); }},
        {"the selection deleted", [](TLarkCustomListBox& l) { l.DeleteSelected(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        QWidget window;
        auto* list = new TLarkCustomListBox(&window);
        list->resize(200, 150);
        list->SetEditOptions(lboAllowInsert);
        window.show();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
        Fill(*list);
        list->SetItemIndex(3);
        QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
        QApplication::sendEvent(list, &insert);
        const QPointer<TLarkCustomListBoxEdit> editor = list->EditControl();
        ASSERT_TRUE(editor);
        ASSERT_EQ(list->EditIndex(), 3);
        list->SetSelected(0, true);

        change(*list);
        EXPECT_EQ(list->EditControl(), nullptr);
        const QStringList rows = list->Items().ToStringList();
        if (editor) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(editor, &escape);
        }
        EXPECT_EQ(list->Items().ToStringList(), rows);
        EXPECT_TRUE(rows.contains(u"row 3"_s));
        ExpectConsistent(*list, int(rows.size()));
    }
}

} // namespace
} // namespace lark
