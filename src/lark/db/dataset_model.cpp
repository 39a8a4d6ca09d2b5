// How a dataset follows its model while open. Values of the current record
// that change reach the links as a record change; rows inserted, removed or
// moved and resets as a data set change, after the current row has been
// moved to wherever its record went.
#include <lark/db/dataset.h>

#include <lark/db/field.h>

#include <QAbstractItemModel>

#include <algorithm>

namespace lark {

namespace {

// Only the top level of a model is a table of records.
bool topLevel(const QModelIndex& parent)
{
    return !parent.isValid();
}

} // namespace

void TDataSet::ConnectModel()
{
    QAbstractItemModel* model = FOpenModel;
    if (!model)
        return;
    using M = QAbstractItemModel;
    FModelConnections = {
        connect(model, &M::dataChanged, this,
                [this](const QModelIndex& tl, const QModelIndex& br) {
                    if (tl.isValid() && br.isValid() && topLevel(tl.parent()))
                        OnModelDataChanged(tl.row(), br.row(), tl.column(), br.column());
                }),
        connect(model, &M::rowsAboutToBeRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (topLevel(parent))
                        OnRowsAboutToBeRemoved(first, last);
                }),
        connect(model, &M::rowsRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (topLevel(parent))
                        OnRowsRemoved(first, last);
                }),
        connect(model, &M::rowsInserted, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (topLevel(parent))
                        OnRowsInserted(first, last);
                }),
        connect(model, &M::rowsMoved, this,
                [this](const QModelIndex& parent, int first, int last, const QModelIndex& dest, int row) {
                    if (topLevel(parent) && topLevel(dest))
                        OnRowsMoved(first, last, row);
                }),
        connect(model, &M::layoutAboutToBeChanged, this, [this] { OnLayoutAboutToBeChanged(); }),
        connect(model, &M::layoutChanged, this, [this] { OnLayoutChanged(); }),
        connect(model, &M::modelReset, this, [this] { OnModelReset(); }),
        connect(model, &M::columnsInserted, this, [this] { OnColumnsChanged(); }),
        connect(model, &M::columnsRemoved, this, [this] { OnColumnsChanged(); }),
        connect(model, &M::columnsMoved, this, [this] { OnColumnsChanged(); }),
        connect(model, &M::headerDataChanged, this,
                [this](Qt::Orientation orientation) {
                    if (orientation == Qt::Horizontal)
                        OnColumnsChanged();
                }),
        // A model that goes away closes the dataset reading it.
        connect(model, &QObject::destroyed, this, [this] { Close(); }),
    };
}

void TDataSet::DisconnectModel()
{
    for (const QMetaObject::Connection& connection : std::as_const(FModelConnections))
        disconnect(connection);
    FModelConnections.clear();
}

void TDataSet::RowsChanged()
{
    DataEvent(deDataSetChange);
    Q_EMIT dataChanged();
}

void TDataSet::OnModelDataChanged(int top, int bottom, int left, int right)
{
    if (!FActive || FRefreshing || FRow < top || FRow > bottom)
        return;
    TField* field = left == right && left >= 0 && left < FieldCount() ? FFields[size_t(left)] : nullptr;
    DataEvent(deRecordChange, field);
    Q_EMIT dataChanged();
}

void TDataSet::OnRowsAboutToBeRemoved(int first, int last)
{
    FRemovedRow = FRow >= first && FRow <= last ? first : -1;
}

void TDataSet::OnRowsRemoved(int first, int last)
{
    const int removedRow = std::exchange(FRemovedRow, -1);
    if (!FActive || FRefreshing)
        return;
    if (removedRow >= 0) {
        // The record that took the removed one's place, or the new last one.
        while (removedRow >= LoadedRows() && FetchMore()) {
        }
        FRow = std::min(removedRow, LoadedRows() - 1);
    } else if (FRow > last) {
        FRow -= last - first + 1;
    }
    ResetFlagsAfterChange();
    RowsChanged();
}

void TDataSet::OnRowsInserted(int first, int last)
{
    // The rows a fetch brings come after the current one; the move that
    // asked for them tells the links.
    if (!FActive || FFetching || FRefreshing)
        return;
    if (FRow < 0) {
        FRow = 0;
        FBof = true;
        FEof = false;
    } else if (FRow >= first) {
        FRow += last - first + 1;
    }
    ResetFlagsAfterChange();
    RowsChanged();
}

// Rows First..Last went before the row Destination (counted before the move).
void TDataSet::OnRowsMoved(int first, int last, int destination)
{
    if (!FActive || FRefreshing)
        return;
    const int count = last - first + 1;
    if (FRow >= first && FRow <= last)
        FRow = (destination > last ? destination - count : destination) + (FRow - first);
    else if (destination > last && FRow > last && FRow < destination)
        FRow -= count;
    else if (destination < first && FRow >= destination && FRow < first)
        FRow += count;
    ResetFlagsAfterChange();
    RowsChanged();
}

void TDataSet::OnLayoutAboutToBeChanged()
{
    FLayoutAnchor = FActive && FRow >= 0 && FOpenModel ? QPersistentModelIndex(FOpenModel->index(FRow, 0))
                                                       : QPersistentModelIndex();
}

// A sort or a filter: the current record stays current when it is still
// there.
void TDataSet::OnLayoutChanged()
{
    if (!FActive || FRefreshing)
        return;
    if (FLayoutAnchor.isValid())
        FRow = FLayoutAnchor.row();
    FLayoutAnchor = QPersistentModelIndex();
    FRow = std::min(FRow, LoadedRows() - 1);
    if (FRow < 0 && LoadedRows() > 0)
        FRow = 0;
    ResetFlagsAfterChange();
    RowsChanged();
}

// Everything was read again: the current position is kept (clamped), as the
// records there are the closest thing to what was shown.
void TDataSet::OnModelReset()
{
    if (!FActive || FRefreshing)
        return;
    if (RebuildFields())
        DataEvent(deLayoutChange);
    const int keep = std::max(FRow, 0);
    while (keep >= LoadedRows() && FetchMore()) {
    }
    FRow = std::min(keep, LoadedRows() - 1);
    ResetFlagsAfterChange();
    RowsChanged();
}

void TDataSet::OnColumnsChanged()
{
    if (!FActive || FRefreshing)
        return;
    if (RebuildFields())
        DataEvent(deLayoutChange);
}

} // namespace lark
