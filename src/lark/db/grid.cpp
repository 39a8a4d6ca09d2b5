// The grid keeps one current row with its dataset. FSyncing marks the moves
// the grid makes itself, so that neither side answers the other's echo.
#include <lark/db/grid.h>

#include "lark/db/callback_link_p.h"

#include <lark/db/data_source.h>
#include <lark/db/dataset.h>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScopeGuard>

namespace lark {

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent)
    , FDataLink(std::make_unique<detail::TCallbackDataLink>([this] { DataSetChanged(); }))
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

TDBGrid::~TDBGrid()
{
    FDataLink.reset();
}

TDataSource* TDBGrid::DataSource() const
{
    return FDataLink->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* value)
{
    FDataLink->SetDataSource(value);
    DataSetChanged();
}

void TDBGrid::SetReadOnly(bool value)
{
    FReadOnly = value;
    setEditTriggers(value ? QAbstractItemView::NoEditTriggers
                          : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
}

TDataSet* TDBGrid::ActiveDataSet() const
{
    return FDataLink && FDataLink->Active() ? FDataLink->DataSet() : nullptr;
}

void TDBGrid::DataSetChanged()
{
    TDataSet* dataSet = ActiveDataSet();
    ShowModel(dataSet ? dataSet->Model() : nullptr);
    SelectCurrentRecord();
}

void TDBGrid::ShowModel(QAbstractItemModel* shown)
{
    if (shown == model())
        return;
    // A view makes a new selection model for every model and leaves the old
    // one to its owner.
    QItemSelectionModel* old = selectionModel();
    setModel(shown);
    delete old;
    if (QItemSelectionModel* selection = selectionModel()) {
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { CurrentRowChanged(current); });
    }
}

void TDBGrid::SelectCurrentRecord()
{
    const TDataSet* dataSet = ActiveDataSet();
    if (!dataSet || !model() || FSyncing)
        return;
    FSyncing = true;
    const auto done = qScopeGuard([this] { FSyncing = false; });
    const int row = dataSet->CurrentRow();
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = model()->index(row, column);
    if (index == currentIndex() && selectionModel()->isRowSelected(row, QModelIndex()))
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void TDBGrid::CurrentRowChanged(const QModelIndex& current)
{
    TDataSet* dataSet = ActiveDataSet();
    if (FSyncing || !dataSet || !current.isValid())
        return;
    FSyncing = true;
    const auto done = qScopeGuard([this] { FSyncing = false; });
    dataSet->SetRecNo(current.row() + 1);
}

} // namespace lark
