// The list boxes and the HTML item delegate driven by a script of user and
// program actions. After every action:
//
//   - Count() agrees with the view's model, and in item mode with Items;
//   - ItemIndex, every selected row, TopIndex and the edited row lie inside
//     the rows (EditIndex may be -1);
//   - the editor, when open, is a child of the viewport;
//   - no top-level window is left behind once the list is gone.
//
// Input: rows of markup separated by line breaks, a 0xFF byte, then the
// script: one byte picks the action, the following bytes its arguments
// (points, keys, indexes). The first script byte picks the list's class and
// starting settings. The same rows then fill a QTableView over a
// QStandardItemModel drawn by a TLarkHTMLItemDelegate: painted, measured and
// clicked at points of the script.

#include "fuzz_support.h"

#include <lark/controls/html_list_box.h>
#include <lark/controls/item_delegate.h>
#include <lark/controls/list_box.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QWheelEvent>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

struct TKey
{
    int Key;
    const char16_t* Text;
};

// Keys a user presses on a list and in its editor.
constexpr TKey kKeys[] = {
    { Qt::Key_Up, u"" },       { Qt::Key_Down, u"" },     { Qt::Key_PageUp, u"" },  { Qt::Key_PageDown, u"" },
    { Qt::Key_Home, u"" },     { Qt::Key_End, u"" },      { Qt::Key_Left, u"" },    { Qt::Key_Right, u"" },
    { Qt::Key_Insert, u"" },   { Qt::Key_Delete, u"" },   { Qt::Key_F2, u"" },      { Qt::Key_Return, u"\r" },
    { Qt::Key_Enter, u"\r" },  { Qt::Key_Escape, u"" },   { Qt::Key_Tab, u"\t" },   { Qt::Key_Backtab, u"" },
    { Qt::Key_Space, u" " },   { Qt::Key_A, u"a" },       { Qt::Key_B, u"b" },      { Qt::Key_Less, u"<" },
    { Qt::Key_Backspace, u"" }, { Qt::Key_Ampersand, u"&" },
};

constexpr Qt::KeyboardModifiers kModifiers[] = {
    Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::ControlModifier | Qt::ShiftModifier,
};

constexpr Qt::MouseButton kButtons[] = { Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };

constexpr TLarkListBoxLargeTextOptions kLargeText[] = { lbltNone, lbltEndEllipsis, lbltPathEllipsis,
                                                         lbltHorzScrollBar, lbltShowHint };

class TListRun
{
public:
    TListRun(const QStringList& rows, fuzz::ByteReader& script, const QString& text)
        : FRows(rows), FIn(script), FText(text)
    {
        const std::uint8_t setup = FIn.Byte();
        if (setup & 1)
            FList = new TLarkHTMLListBox(&fuzz::ActiveWindow());
        else
            FList = new TLarkCustomListBox(&fuzz::ActiveWindow());
        FList->setGeometry(4, 4, 200 + (setup >> 4) * 8, 150);
        FList->SetEditOptions(TLarkListBoxEditOptions::fromInt((setup >> 1) & 0x1F));
        FList->OnData = [this](QObject*, int index, QString& data) { data = Row(index); };
        FList->OnDataFind = [this](QObject*, const QString& find) {
            for (int i = 0; i < FRows.size(); ++i)
                if (FRows[i].startsWith(find, Qt::CaseInsensitive))
                    return i;
            return -1;
        };
        FList->OnMeasureItem = [this](QObject*, int, int& height) { height = FMeasuredHeight; };
        FList->show();
        for (const QString& row : FRows)
            FList->Items().Add(row);
    }

    ~TListRun() { delete FList; }

    void Run()
    {
        static const bool trace = qEnvironmentVariableIsSet("LARK_FUZZ_TRACE");
        while (!FIn.AtEnd()) {
            const std::uint8_t action = FIn.Byte();
            Step(action);
            if (trace)
                std::fprintf(stderr, "action %d: count %d, current %d, editing %d\n", action % 24, FList->Count(),
                             FList->ItemIndex(), FList->EditIndex());
            Check();
        }
        Paint();
        Check();
    }

private:
    QString Row(int index) const { return FRows.isEmpty() ? QString() : FRows[index % FRows.size()]; }
    int AnyIndex() { return FIn.Below(FList->Count() + 2) - 1; }

    QWidget* KeyTarget() const
    {
        if (TLarkCustomListBoxEdit* editor = FList->EditControl())
            return editor;
        return FList;
    }

    void Step(std::uint8_t action)
    {
        QWidget* viewport = FList->viewport();
        switch (action % 24) {
        case 0:
        case 1: { // a click, or a double click
            const QPoint p(FIn.Coordinate(viewport->width()), FIn.Coordinate(viewport->height()));
            const Qt::MouseButton button = kButtons[FIn.Below(int(std::size(kButtons)))];
            const Qt::KeyboardModifiers mods = kModifiers[FIn.Below(int(std::size(kModifiers)))];
            Mouse(viewport, QEvent::MouseButtonPress, p, button, button, mods);
            if (action % 24 == 1 && FList)
                Mouse(viewport, QEvent::MouseButtonDblClick, p, button, button, mods);
            Mouse(viewport, QEvent::MouseButtonRelease, p, button, Qt::NoButton, mods);
            break;
        }
        case 2: { // a move, with the left button held now and then
            const QPoint p(FIn.Coordinate(viewport->width()), FIn.Coordinate(viewport->height()));
            const Qt::MouseButtons held = FIn.Flag() ? Qt::LeftButton : Qt::NoButton;
            Mouse(viewport, QEvent::MouseMove, p, Qt::NoButton, held, Qt::NoModifier);
            break;
        }
        case 3: { // the wheel
            const QPoint p(FIn.Coordinate(viewport->width()), FIn.Coordinate(viewport->height()));
            const int delta = (FIn.Byte() - 128) * 8;
            const bool horizontal = FIn.Flag();
            QWheelEvent wheel(p, viewport->mapToGlobal(p), QPoint(),
                              horizontal ? QPoint(delta, 0) : QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &wheel);
            break;
        }
        case 4:
        case 5:
        case 6: { // keys, to the editor while it is open
            const TKey& key = kKeys[FIn.Below(int(std::size(kKeys)))];
            const Qt::KeyboardModifiers mods = kModifiers[FIn.Below(int(std::size(kModifiers)))];
            QKeyEvent press(QEvent::KeyPress, key.Key, mods, QString::fromUtf16(key.Text));
            QApplication::sendEvent(KeyTarget(), &press);
            QKeyEvent release(QEvent::KeyRelease, key.Key, mods, QString::fromUtf16(key.Text));
            QApplication::sendEvent(KeyTarget(), &release);
            break;
        }
        case 7: // rows added by the program
            FList->Items().Add(Row(FIn.Byte()));
            break;
        case 8:
            FList->Items().Insert(FIn.Below(FList->Items().Count() + 1), Row(FIn.Byte()));
            break;
        case 9:
            if (FList->Items().Count() > 0)
                FList->Items().Delete(FIn.Below(FList->Items().Count()));
            break;
        case 10:
            if (FList->Items().Count() > 0)
                FList->Items().SetStrings(FIn.Below(FList->Items().Count()), Row(FIn.Byte()));
            break;
        case 11:
            if (FIn.Flag())
                FList->Items().Clear();
            else
                FList->Items().SetText(FRows.join(u'\n'));
            break;
        case 12:
            FList->resize(FIn.Byte() + 1, FIn.Byte() + 1);
            break;
        case 13:
            Paint();
            break;
        case 14: // selection settings
            FList->SetMultiSelect(FIn.Flag());
            FList->SetExtendedSelect(FIn.Flag());
            FList->SetHideSelection(FIn.Flag());
            break;
        case 15:
            FList->SetSorted(FIn.Flag());
            break;
        case 16: // virtual mode and its row count
            FList->SetVirtualMode(FIn.Flag());
            FList->SetCount(FIn.Word() % 2000);
            break;
        case 17: // selection by the program
            if (FIn.Flag())
                FList->SetItemIndex(AnyIndex());
            else
                FList->SetSelected(AnyIndex(), FIn.Flag());
            break;
        case 18: // the editor by the program
            switch (FIn.Below(4)) {
            case 0: FList->DisplayEditor(AnyIndex()); break;
            case 1: FList->AddItemByEditor(); break;
            case 2: FList->HideEditor(); break;
            default:
                if (FList->EditControl())
                    FList->EditControl()->insertPlainText(Row(FIn.Byte()));
                break;
            }
            break;
        case 19: // layout settings
            FList->SetMultiLine(FIn.Flag());
            FList->SetItemAutoHeight(FIn.Flag());
            FList->SetLargeTextOptions(kLargeText[FIn.Below(int(std::size(kLargeText)))]);
            FList->SetColumns(FIn.Below(4));
            break;
        case 20: // measured heights, from the handler too, any of them
            FList->SetItemHeight(FIn.Below(80) - 8);
            FMeasuredHeight = FIn.Byte() - 16;
            FList->SetMeasureItemEvent(FIn.Flag());
            FList->SetHorzGridLine(FIn.Flag());
            break;
        case 21:
            FList->SetTopIndex(AnyIndex());
            break;
        case 22:
            if (FIn.Flag())
                FList->DeleteSelected();
            else
                FList->ClearSelection();
            break;
        default: // what the event loop would deliver meanwhile
            if (auto* html = qobject_cast<TLarkHTMLListBox*>(FList))
                html->SetIsHTML(FIn.Flag());
            QCoreApplication::sendPostedEvents();
            break;
        }
    }

    static void Mouse(QWidget* target, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods)
    {
        QMouseEvent event(type, p, target->mapToGlobal(p), button, buttons, mods);
        QApplication::sendEvent(target, &event);
    }

    void Paint()
    {
        QImage image(FList->size(), QImage::Format_RGB32);
        FList->render(&image);
    }

    void Check()
    {
        const int count = FList->Count();
        const QString where = u"count %1 | "_s.arg(count) + FText;
        LARK_FUZZ_CHECK(count >= 0, where);
        LARK_FUZZ_CHECK(FList->model()->rowCount() == count, where);
        if (!FList->VirtualMode())
            LARK_FUZZ_CHECK(FList->Items().Count() == count, where);
        LARK_FUZZ_CHECK(FList->ItemIndex() >= -1 && FList->ItemIndex() < count, where);
        LARK_FUZZ_CHECK(FList->SelCount() <= count, where);
        for (const QModelIndex& index : FList->selectionModel()->selectedIndexes())
            LARK_FUZZ_CHECK(index.row() >= 0 && index.row() < count, where);
        LARK_FUZZ_CHECK(FList->TopIndex() >= -1 && FList->TopIndex() < count, where);
        LARK_FUZZ_CHECK(FList->EditIndex() >= -1 && FList->EditIndex() < count, where);
        if (TLarkCustomListBoxEdit* editor = FList->EditControl())
            LARK_FUZZ_CHECK(editor->parentWidget() == FList->viewport(), where);
    }

    const QStringList& FRows;
    fuzz::ByteReader& FIn;
    const QString& FText;
    TLarkCustomListBox* FList = nullptr;
    int FMeasuredHeight = 16;
};

// The delegate on its own, in a table view over a model of the rows.
void RunTable(const QStringList& rows, fuzz::ByteReader& in)
{
    QStandardItemModel model;
    for (int i = 0; i < rows.size() && i < 64; ++i)
        model.appendRow({ new QStandardItem(rows[i]), new QStandardItem(rows[rows.size() - 1 - i]) });
    QTableView view(&fuzz::ActiveWindow());
    auto* delegate = new TLarkHTMLItemDelegate(&view);
    delegate->SetMultiLine(in.Flag());
    delegate->SetElideRows(in.Flag());
    view.setItemDelegate(delegate);
    view.setModel(&model);
    view.setGeometry(0, 0, 240, 180);
    view.show();
    view.resizeRowsToContents();
    view.resizeColumnsToContents();
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);

    QWidget* viewport = view.viewport();
    for (int i = 0; i < 6 && !in.AtEnd(); ++i) {
        const QPoint p(in.Coordinate(viewport->width()), in.Coordinate(viewport->height()));
        const Qt::MouseButton button = kButtons[in.Below(int(std::size(kButtons)))];
        for (QEvent::Type type : { QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
            QMouseEvent event(type, p, viewport->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : button,
                              held, Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    }
    LARK_FUZZ_CHECK(model.rowCount() == std::min<qsizetype>(rows.size(), 64), rows.join(u'\n'));
    view.render(&image);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::InitializeWidgetTarget(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::TextAndScript input = fuzz::SplitInput(data, size);
    const QStringList rows = input.Text.split(u'\n');
    {
        fuzz::ByteReader script(input.Script, input.ScriptSize);
        TListRun run(rows, script, input.Text);
        run.Run();
    }
    fuzz::CheckNoNewTopLevels(input.Text);
    {
        fuzz::ByteReader script(input.Script, input.ScriptSize);
        RunTable(rows, script);
    }
    fuzz::CheckNoNewTopLevels(input.Text);
    return 0;
}
