// The data-aware controls bound to a dataset whose model the script changes
// under them. After every action:
//
//   - the current record lies inside the model's rows, and there is one
//     exactly when the open dataset has rows;
//   - a label or view in field mode shows the bound field of the current
//     record as the model holds it; in template mode each variable that
//     names a field is filled with the current record's value of it;
//   - after a move of the dataset, the grid's current row is its record;
//   - no top-level window is left behind (the navigator reports errors to
//     its handler here, never in a message box).
//
// Input: records as lines of tab-separated cells (the first line gives the
// field names), a 0xFF byte, then the script: one byte picks the action,
// the following bytes its arguments.

#include "fuzz_support.h"

#include <lark/db/data_source.h>
#include <lark/db/dataset.h>
#include <lark/db/db_types.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/db/field.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QStandardItemModel>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

// QStandardItemModel with the row moves an item model may report: the
// cells' values rotate inside beginMoveRows/endMoveRows, so the moved
// persistent indexes find their values at the new rows.
class TMovableModel : public QStandardItemModel
{
public:
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
                  int destinationChild) override
    {
        if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
            sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount())
            return false;
        if (!beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild))
            return false;
        std::vector<QList<QVariant>> rows;
        for (int r = 0; r < rowCount(); ++r) {
            QList<QVariant> cells;
            for (int c = 0; c < columnCount(); ++c)
                cells.append(index(r, c).data(Qt::EditRole));
            rows.push_back(cells);
        }
        std::vector<QList<QVariant>> moved(rows.begin() + sourceRow, rows.begin() + sourceRow + count);
        rows.erase(rows.begin() + sourceRow, rows.begin() + sourceRow + count);
        const int at = destinationChild > sourceRow ? destinationChild - count : destinationChild;
        rows.insert(rows.begin() + at, moved.begin(), moved.end());
        {
            const QSignalBlocker quiet(this);
            for (int r = 0; r < rowCount(); ++r)
                for (int c = 0; c < columnCount(); ++c)
                    setData(index(r, c), rows[size_t(r)][c], Qt::EditRole);
        }
        endMoveRows();
        return true;
    }
};

class TDbRun
{
public:
    TDbRun(const QString& text, fuzz::ByteReader& script)
        : FIn(script), FText(text)
    {
        const QStringList lines = text.split(u'\n');
        const QStringList names = lines.value(0).split(u'\t');
        FModel.setColumnCount(int(names.size()));
        FModel.setHorizontalHeaderLabels(names);
        for (int i = 1; i < lines.size() && i < 200; ++i)
            AppendRecord(lines[i]);
        FNames = names + QStringList{ u"nosuchfield"_s, u""_s };

        FSource.SetDataSet(&FDataSet);
        FDataSet.SetModel(&FModel);
        FLabel = new TLarkHTMLDBLabel(&fuzz::ActiveWindow());
        FView = new TLarkHTMLDBView(&fuzz::ActiveWindow());
        FGrid = new TDBGrid(&fuzz::ActiveWindow());
        FNavigator = new TDBNavigator(&fuzz::ActiveWindow());
        FNavigator->OnError = [](QObject*, const QString&) {};
        FLabel->setGeometry(0, 0, 200, 60);
        FView->setGeometry(200, 0, 200, 120);
        FGrid->setGeometry(0, 120, 300, 150);
        FNavigator->setGeometry(0, 280, 200, 30);
        for (QWidget* w : { static_cast<QWidget*>(FLabel), static_cast<QWidget*>(FView),
                            static_cast<QWidget*>(FGrid), static_cast<QWidget*>(FNavigator) })
            w->show();
        FLabel->SetDataSource(&FSource);
        FView->SetDataSource(&FSource);
        FGrid->SetDataSource(&FSource);
        FNavigator->SetDataSource(&FSource);
        FLabel->SetDataField(AnyName());
        FView->SetDataField(AnyName());
        if (FIn.Flag())
            FDataSet.Open();
    }

    ~TDbRun()
    {
        delete FLabel;
        delete FView;
        delete FGrid;
        delete FNavigator;
    }

    void Run()
    {
        static const bool trace = qEnvironmentVariableIsSet("LARK_FUZZ_TRACE");
        while (!FIn.AtEnd()) {
            // Opening without a model raises, as documented.
            try {
                Step(FLastAction = FIn.Byte());
            } catch (const EDatabaseError&) {
                LARK_FUZZ_CHECK(!FDataSet.Active(), FText);
            }
            if (trace)
                std::fprintf(stderr, "action %d: row %d of %d x %d, label %s [%s]: %s\n", FLastAction % 20,
                             FDataSet.CurrentRow(), FModel.rowCount(), FModel.columnCount(),
                             FLabel->IsTemplate() ? "template" : "field", qPrintable(FLabel->DataField()),
                             qPrintable(FLabel->Caption().left(40)));
            Check();
        }
        Paint();
    }

private:
    void AppendRecord(const QString& line)
    {
        QList<QStandardItem*> cells;
        const QStringList values = line.split(u'\t');
        for (int c = 0; c < FModel.columnCount(); ++c)
            cells.append(new QStandardItem(values.value(c)));
        if (!cells.isEmpty())
            FModel.appendRow(cells);
    }

    QString AnyName() { return FNames[FIn.Below(int(FNames.size()))]; }
    int AnyRow(int extra) { return FIn.Below(FModel.rowCount() + extra); }
    QString AnyValue() { return FText.mid(FIn.Byte() * 3, FIn.Below(24)); }
    // The template: variables for some of the fields, with markup between.
    QString AnyTemplate()
    {
        QString out;
        for (int i = FIn.Below(4) + 1; i > 0; --i)
            out += u"<b><~~"_s + AnyName() + u"></b> | "_s;
        return out;
    }

    void Step(std::uint8_t action)
    {
        switch (action % 20) {
        case 0: // rows inserted
            FModel.insertRows(AnyRow(1), FIn.Below(3) + 1);
            break;
        case 1:
            if (FModel.rowCount() > 0) {
                const int first = AnyRow(0);
                FModel.removeRows(first, std::min(FIn.Below(3) + 1, FModel.rowCount() - first));
            }
            break;
        case 2:
            if (FModel.rowCount() > 0) {
                const int first = AnyRow(0);
                FModel.moveRows({}, first, std::min(FIn.Below(3) + 1, FModel.rowCount() - first), {}, AnyRow(1));
            }
            break;
        case 3: // a reset: a new set of records
            FModel.setRowCount(FIn.Below(6));
            if (FIn.Flag())
                FModel.clear();
            break;
        case 4:
        case 5: // values changed, also of the current record
            if (FModel.rowCount() > 0 && FModel.columnCount() > 0) {
                const int row = FIn.Flag() && FDataSet.CurrentRow() >= 0 ? FDataSet.CurrentRow() : AnyRow(0);
                FModel.setData(FModel.index(row, FIn.Below(FModel.columnCount())), AnyValue());
            }
            break;
        case 6:
            FModel.insertColumn(FIn.Below(FModel.columnCount() + 1));
            FModel.setHorizontalHeaderItem(FModel.columnCount() - 1, new QStandardItem(AnyName()));
            break;
        case 7:
            if (FModel.columnCount() > 0)
                FModel.removeColumn(FIn.Below(FModel.columnCount()));
            break;
        case 8:
            FModel.sort(FIn.Below(FModel.columnCount() + 1), FIn.Flag() ? Qt::AscendingOrder : Qt::DescendingOrder);
            break;
        case 9: // the current record moved
            switch (FIn.Below(5)) {
            case 0: FDataSet.First(); break;
            case 1: FDataSet.Last(); break;
            case 2: FDataSet.MoveBy(FIn.Byte() - 128); break;
            case 3: FDataSet.SetRecNo(FIn.Word() - 2); break;
            default: (void)FDataSet.RecordCount(); break;
            }
            CheckGridFollows();
            break;
        case 10:
            FNavigator->BtnClick(TDBNavigator::TNavigateBtn(FIn.Below(TDBNavigator::ButtonCount)));
            CheckGridFollows();
            break;
        case 11: // open, close, refresh, disable the source
            switch (FIn.Below(4)) {
            case 0: FDataSet.SetActive(!FDataSet.Active()); break;
            case 1: FDataSet.Refresh(); break;
            case 2: FSource.SetEnabled(!FSource.Enabled()); break;
            default: FSource.SetDataSet(FSource.DataSet() ? nullptr : &FDataSet); break;
            }
            break;
        case 12: // modes and fields of the label and the view
            SwitchMode(*FLabel);
            break;
        case 13:
            SwitchMode(*FView);
            break;
        case 14: // an edit in the grid, posted or cancelled
            FGrid->SetReadOnly(FIn.Flag());
            if (FGrid->model() && FGrid->model()->rowCount() > 0 && FGrid->model()->columnCount() > 0) {
                const QModelIndex cell = FGrid->model()->index(FIn.Below(FGrid->model()->rowCount()),
                                                               FIn.Below(FGrid->model()->columnCount()));
                FGrid->setCurrentIndex(cell);
                FGrid->edit(cell);
                if (QWidget* editor = QApplication::focusWidget()) {
                    Key(editor, Qt::Key_X, u"x"_s);
                    Key(editor, FIn.Flag() ? Qt::Key_Return : Qt::Key_Escape, {});
                }
            }
            break;
        case 15: // keys in the grid
            Key(FGrid, FIn.Flag() ? Qt::Key_Down : (FIn.Flag() ? Qt::Key_Up : Qt::Key_End), {});
            break;
        case 16:
            Paint();
            break;
        case 17: // the model taken away and given back
            FDataSet.SetModel(FIn.Flag() ? nullptr : &FModel);
            break;
        case 18: // a control rebound to another source and back
            FLabel->SetDataSource(FIn.Flag() ? nullptr : &FSource);
            FGrid->SetDataSource(FIn.Flag() ? nullptr : &FSource);
            break;
        default:
            QCoreApplication::sendPostedEvents();
            break;
        }
    }

    // A caption the program sets in field mode stays until the next record
    // change, by design; so a new caption comes with template mode only.
    template <class TControl>
    void SwitchMode(TControl& control)
    {
        if (FIn.Flag()) {
            control.SetIsTemplate(false);
            control.SetCaption(AnyTemplate());
            control.SetIsTemplate(true);
        } else {
            control.SetIsTemplate(false);
        }
        control.SetDataField(AnyName());
    }

    static void Key(QWidget* target, int key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }

    void Paint()
    {
        QImage image(fuzz::ActiveWindow().size(), QImage::Format_RGB32);
        fuzz::ActiveWindow().render(&image);
    }

    // The model's text of a field in the current record, found by name as
    // the dataset finds it (the first column of that name).
    QString ModelText(const QString& name) const
    {
        for (int c = 0; c < FModel.columnCount(); ++c)
            if (FModel.headerData(c, Qt::Horizontal).toString().compare(name, Qt::CaseInsensitive) == 0)
                return FModel.index(FDataSet.CurrentRow(), c).data().toString();
        return {};
    }

    void CheckGridFollows()
    {
        // Without columns there is no cell to be current.
        if (!FDataSet.Active() || !FSource.IsActive() || FGrid->DataSource() != &FSource || !FGrid->model() ||
            FGrid->model()->columnCount() == 0)
            return;
        LARK_FUZZ_CHECK(FGrid->currentIndex().row() == FDataSet.CurrentRow(),
                        u"grid %1 record %2 | "_s.arg(FGrid->currentIndex().row()).arg(FDataSet.CurrentRow()) + FText);
    }

    void Check()
    {
        const QString where = u"row %1 of %2 | "_s.arg(FDataSet.CurrentRow()).arg(FModel.rowCount()) + FText;
        if (!FDataSet.Active())
            return;
        const int rows = FDataSet.Model() ? FDataSet.Model()->rowCount() : 0;
        LARK_FUZZ_CHECK(FDataSet.CurrentRow() >= -1 && FDataSet.CurrentRow() < rows, where);
        LARK_FUZZ_CHECK((FDataSet.CurrentRow() == -1) == (rows == 0), where);
        LARK_FUZZ_CHECK(FDataSet.RecNo() == FDataSet.CurrentRow() + 1, where);
        if (!FSource.IsActive() || FDataSet.Model() != &FModel || FDataSet.CurrentRow() < 0)
            return;
        CheckControl(*FLabel, FLabel->DataSource(), FLabel->IsTemplate(), FLabel->DataField(), FLabel->Caption(), where);
        CheckControl(*FView, FView->DataSource(), FView->IsTemplate(), FView->DataField(), FView->Caption(), where);
    }

    template <class TControl>
    void CheckControl(TControl& control, const TDataSource* source, bool isTemplate, const QString& field,
                      const QString& caption, const QString& where)
    {
        if (source != &FSource)
            return;
        if (!isTemplate) {
            if (FDataSet.FindField(field))
                LARK_FUZZ_CHECK(caption == ModelText(field), u"caption "_s + caption + u" | "_s + where);
            return;
        }
        for (const QString& name : FNames) {
            if (!FDataSet.FindField(name))
                continue;
            QString value;
            control.TriggerVariableNeededEvent(&control, name, value);
            LARK_FUZZ_CHECK(value == ModelText(name), name + u" = "_s + value + u" | "_s + where);
        }
    }

    fuzz::ByteReader& FIn;
    const QString& FText;
    TMovableModel FModel;
    TDataSet FDataSet;
    TDataSource FSource;
    QStringList FNames;
    TLarkHTMLDBLabel* FLabel = nullptr;
    TLarkHTMLDBView* FView = nullptr;
    TDBGrid* FGrid = nullptr;
    TDBNavigator* FNavigator = nullptr;
    std::uint8_t FLastAction = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::InitializeWidgetTarget(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::RunScripted<TDbRun>(data, size);
    return 0;
}
