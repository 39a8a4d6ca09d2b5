#pragma once
// TDBGrid: a table view of a dataset's records whose current row is the
// dataset's current record, both ways: moving the dataset selects the row,
// clicking or keying to a row moves the dataset.
//
//     auto* grid = new TDBGrid(form);
//     grid->SetDataSource(&source);
//
// The grid shows the dataset's own model while the dataset is open and
// nothing while it is closed. It is read-only unless ReadOnly is turned off
// (and the model accepts edits).

#include <lark/db/data_source.h>

#include <QTableView>

#include <memory>

namespace lark {

namespace detail {
class TCallbackDataLink;
}

class TDBGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(lark::TDataSource* DataSource READ DataSource WRITE SetDataSource STORED false)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly RESET ResetReadOnly)

public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    // Not owned; cleared when the source is destroyed.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    void ResetReadOnly() { SetReadOnly(true); }

private:
    TDataSet* ActiveDataSet() const;
    void DataSetChanged();
    void ShowModel(QAbstractItemModel* model);
    void SelectCurrentRecord();
    void CurrentRowChanged(const QModelIndex& current);

    std::unique_ptr<detail::TCallbackDataLink> FDataLink;
    bool FReadOnly = true;
    bool FSyncing = false;
};

} // namespace lark
