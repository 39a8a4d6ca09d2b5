// The list box against sizes and handlers no form would give it: a million
// rows, one row of 10 MB, handlers that replace the rows while a row is
// drawn or measured, and an editor whose rows are cleared under it.
#include "data_cases.h"

#include <lark/controls/html_list_box.h>
#include <lark/controls/list_box.h>
#include <lark/framework/string_list.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <memory>

using namespace Qt::StringLiterals;

namespace lark::hostile {

namespace {

constexpr int kRows = 1000000;

QString Paint(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    widget.render(&image);
    return u"%1x%2"_s.arg(image.width()).arg(image.height());
}

QString Describe(const TLarkCustomListBox& list)
{
    return u"count %1, top %2, current %3, selected %4"_s.arg(list.Count())
        .arg(list.TopIndex())
        .arg(list.ItemIndex())
        .arg(list.SelCount());
}

// A million rows: added one Add at a time, painted, scrolled to the end,
// every row selected, then sorted.
QString ManyRows(TLarkCustomListBox& list, int rows)
{
    list.resize(400, 300);
    list.show();
    Step(u"add %1 rows"_s.arg(rows), [&] {
        list.Items().BeginUpdate();
        for (int i = 0; i < rows; ++i)
            list.Items().Add(u"<b>row</b> %1 <i>of</i> the list"_s.arg((i * 7919) % rows));
        list.Items().EndUpdate();
        return Describe(list);
    });
    Step(u"paint"_s, [&] { return Paint(list); });
    Step(u"scroll to the end"_s, [&] {
        list.SetTopIndex(list.Count() - 1);
        Paint(list);
        return Describe(list);
    });
    Step(u"select all"_s, [&] {
        list.SetMultiSelect(true);
        list.selectAll();
        Paint(list);
        return Describe(list);
    });
    Step(u"sort"_s, [&] {
        list.SetSorted(true);
        Paint(list);
        return u"first %1"_s.arg(list.Items().Strings(0).left(24));
    });
    if (list.Count() != rows)
        return u"the list has %1 rows, not %2"_s.arg(list.Count()).arg(rows);
    if (list.SelCount() > rows)
        return u"%1 rows selected of %2"_s.arg(list.SelCount()).arg(rows);
    return {};
}

QString PlainMillion(const DataCaseContext& context)
{
    TLarkCustomListBox list;
    return ManyRows(list, kRows / context.Divisor);
}

QString HTMLMillion(const DataCaseContext& context)
{
    TLarkHTMLListBox list;
    return ManyRows(list, kRows / context.Divisor);
}

// One row of 10 MB of markup among short ones, in the HTML list box with
// measured heights and the tooltip for clipped rows.
QString HugeRow(const DataCaseContext& context)
{
    const QString block = u"<b>bold</b> <font color=red>red</font> <a href=x>link</a> plain text &amp; more "_s;
    const qsizetype size = 10 * 1024 * 1024 / context.Divisor;
    const QString row = block.repeated(size / block.size() + 1);
    TLarkHTMLListBox list;
    list.resize(400, 300);
    list.SetLargeTextOptions(lbltShowHint);
    list.show();
    Step(u"add a row of %1 characters"_s.arg(row.size()), [&] {
        list.Items().Add(u"short"_s);
        list.Items().Add(row);
        list.Items().Add(u"short"_s);
        return Describe(list);
    });
    Step(u"paint"_s, [&] { return Paint(list); });
    Step(u"select and hint"_s, [&] {
        list.SetItemIndex(1);
        return u"hint text %1 characters"_s.arg(list.PlainItemText(1).size());
    });
    Step(u"multi-line, paint"_s, [&] {
        list.SetMultiLine(true);
        Paint(list);
        return u"row height %1"_s.arg(list.RowHeight(1));
    });
    Step(u"horizontal extent"_s, [&] {
        list.SetMultiLine(false);
        list.SetLargeTextOptions(lbltHorzScrollBar);
        Paint(list);
        return u"scroll width %1"_s.arg(list.ScrollWidth());
    });
    return list.Count() == 3 ? QString() : u"%1 rows"_s.arg(list.Count());
}

// Handlers that replace, delete and clear the rows while the list draws or
// measures one of them.
QString HandlersReplaceRows(const DataCaseContext&)
{
    TLarkCustomListBox list;
    list.resize(300, 200);
    list.show();
    int calls = 0;
    list.OnDrawItem = [&](QObject*, TCanvas&, int Index, const QRect&, TOwnerDrawState) {
        ++calls;
        switch (calls % 4) {
        case 0: list.Items().Clear(); break;
        case 1: list.Items().SetStrings(Index, u"drawn %1"_s.arg(calls)); break;
        case 2: if (list.Count() > 0) list.Items().Delete(0); break;
        default: list.Items().Add(u"added while drawn"_s); break;
        }
    };
    list.OnMeasureItem = [&](QObject*, int Index, int& Height) {
        ++calls;
        Height = 10 + calls % 30;
        if (calls % 3 == 0)
            list.Items().Clear();
        else if (Index >= 0 && Index < list.Count())
            list.Items().SetStrings(Index, u"measured %1"_s.arg(calls));
    };
    for (int round = 0; round < 20; ++round) {
        Step(u"round %1"_s.arg(round), [&] {
            for (int i = 0; i < 40; ++i)
                list.Items().Add(u"row %1"_s.arg(i));
            list.SetMeasureItemEvent(round % 2 == 0);
            list.SetItemAutoHeight(round % 3 == 0);
            Paint(list);
            QCoreApplication::sendPostedEvents();
            return Describe(list);
        });
    }
    return calls > 0 ? QString() : u"no handler ran"_s;
}

// The editor open on a row, or on a new one, while the program clears the
// list; then the editor's keys.
QString EditorCleared(const DataCaseContext&)
{
    QWidget window;
    window.resize(320, 240);
    auto* list = new TLarkCustomListBox(&window);
    list->resize(300, 200);
    list->SetEditOptions(lboAllowInsert | lboAllowEdit | lboAllowDelete);
    window.show();
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
    QString problem;
    for (int key : { int(Qt::Key_Return), int(Qt::Key_Escape), int(Qt::Key_Down) }) {
        for (bool insert : { false, true }) {
            Step(u"key %1, %2"_s.arg(key, 0, 16).arg(insert ? u"new row"_s : u"row 3"_s), [&] {
                list->Items().Clear();
                for (int i = 0; i < 10; ++i)
                    list->Items().Add(u"row %1"_s.arg(i));
                if (insert)
                    list->AddItemByEditor();
                else
                    list->DisplayEditor(3);
                QWidget* editor = list->EditControl();
                list->Items().Clear();
                if (list->EditControl())
                    problem = u"the editor stayed open on a cleared list"_s;
                if (editor) {
                    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : list, &press);
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                Paint(*list);
                return Describe(*list);
            });
        }
    }
    if (list->Count() > 1)
        return u"%1 rows after clearing"_s.arg(list->Count());
    return problem;
}

const DataCase kListCases[] = {
    { "rows-1m-plain", "1,000,000 plain rows: add, paint, scroll to the end, select all, sort", PlainMillion },
    { "rows-1m-html", "1,000,000 HTML rows: add, paint, scroll to the end, select all, sort", HTMLMillion },
    { "row-10mb", "one HTML row of 10 MB among short ones: paint, hint, wrap, extent", HugeRow },
    { "handlers-replace-rows", "OnDrawItem/OnMeasureItem replace, delete and clear rows", HandlersReplaceRows },
    { "editor-cleared", "the editor open while the list is cleared, then its keys", EditorCleared },
};

} // namespace

const DataCase* ListCases(int& count)
{
    count = int(std::size(kListCases));
    return kListCases;
}

} // namespace lark::hostile
