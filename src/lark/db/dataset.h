#pragma once
// TDataSet: a cursor over the rows of any QAbstractItemModel.
//
// Each column of the model is a field, named by the model's horizontal
// header (SQL datasets name it by the column); the current record is a row.
// Data sources (TDataSource) attached to the dataset pass its changes on to
// their data links, which is how data-aware controls follow it.
//
//     QStandardItemModel model;              // or any model of yours
//     TDataSet people;
//     people.SetModel(&model);
//     people.Open();
//     for (people.First(); !people.Eof(); people.Next())
//         qDebug() << people.FieldByName(u"Name"_s).AsString();
//
// Navigation follows the classic cursor rules: Bof is true after Open and
// First and after a move that stopped at the first record; Eof after Last and
// after a move that stopped at the last record; both are true on an empty
// dataset. RecNo counts from 1 (0 without a current record).
//
// Models that fetch lazily (QSqlQueryModel and its kin) are read as far as
// the cursor goes: Next fetches the next batch at the end of what is loaded;
// only Last and RecordCount ask for more.
//
// What the model reports while the dataset is open reaches the links:
// changed values of the current record as a record change; inserted, removed
// and moved rows and resets as a data set change. The current record stays
// on the same record when rows move around it; when its own row is removed
// the record that took its place becomes current (the new last one when the
// last row went).

#include <lark/db/db_types.h>
#include <lark/framework/object.h>

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class QAbstractItemModel;

namespace lark {

class TDataSource;
class TField;

class TDataSet : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive NOTIFY activeChanged STORED false)

public:
    explicit TDataSet(QObject* parent = nullptr);
    ~TDataSet() override;

    //---- the model; not owned. Changing it while open reopens the dataset.
    // While open, the model being read (an SQL table's own); else the one set.
    QAbstractItemModel* Model() const { return FOpenModel ? FOpenModel : FModel; }
    void SetModel(QAbstractItemModel* value);

    //---- opening and closing
    bool Active() const { return FActive; }
    // Opening without a model, or a model that cannot be read, raises
    // EDatabaseError and leaves the dataset closed.
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    // Reads the data again and keeps the current position (clamped). When
    // reading fails the error is raised after the links were told of the
    // (possibly empty) data there is now.
    void Refresh();

    //---- moving
    void First();
    void Prior() { MoveBy(-1); }
    void Next() { MoveBy(1); }
    void Last();
    // Moves up to Distance records and returns how far it went.
    int MoveBy(int distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    // 1 for the first record, 0 without a current record.
    int RecNo() const { return FRow + 1; }
    // Makes the record Value current (clamped to the records there are).
    void SetRecNo(int value);
    // Every record, fetching the rest of a lazily read model when needed.
    virtual int RecordCount();
    bool IsEmpty() const { return FRow < 0; }
    // The model row of the current record; -1 without one.
    int CurrentRow() const { return FRow; }

    //---- fields (only while open)
    int FieldCount() const { return int(FFields.size()); }
    TField* Fields(int index) const;
    // The first field of that name, letter case ignored; nullptr when none.
    TField* FindField(const QString& fieldName) const;
    // As FindField, but a name of no field raises EDatabaseError.
    TField& FieldByName(const QString& fieldName) const;
    QStringList FieldNames() const;

    // The current record's cell of a column, in a role.
    QVariant CurrentData(int column, int role) const;

    //---- events
    TNotifyEvent BeforeOpen;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    TNotifyEvent AfterClose;
    TNotifyEvent AfterScroll;

Q_SIGNALS:
    void activeChanged(bool active);
    // The current record moved (recNo is the new RecNo).
    void scrolled(int recNo);
    // Rows or values changed while open.
    void dataChanged();

protected:
    // The model to read when opening; the base class answers Model(). A
    // dataset that makes its own model (an SQL table) creates it here and
    // raises EDatabaseError when it cannot.
    virtual QAbstractItemModel* OpenCursor();
    // Releases what OpenCursor made; called after the links heard of the
    // close.
    virtual void CloseCursor() {}
    // Reads the data again; the base class resets nothing and only tells the
    // links.
    virtual void InternalRefresh() {}
    // A column's field name and declared type. By default the horizontal
    // header's text and no declared type.
    virtual QString ColumnFieldName(int column) const;
    virtual QMetaType ColumnDataType(int column) const;

    // Sends an event to every enabled data source and its links.
    void DataEvent(TDataEvent event, TField* info = nullptr);

private:
    friend class TDataSource;
    void AttachDataSource(TDataSource* source);
    void DetachDataSource(TDataSource* source);

    //---- dataset.cpp
    void MoveTo(int row, bool bof, bool eof);
    bool FetchMore();
    bool CanFetchMore() const;
    int LoadedRows() const;
    bool IsLastRow(int row) const;
    void ResetFlagsAfterChange();
    bool RebuildFields();

    //---- dataset_model.cpp: the model's signals
    void ConnectModel();
    void DisconnectModel();
    void OnModelDataChanged(int top, int bottom, int left, int right);
    void OnRowsAboutToBeRemoved(int first, int last);
    void OnRowsRemoved(int first, int last);
    void OnRowsInserted(int first, int last);
    void OnRowsMoved(int first, int last, int destination);
    void OnLayoutAboutToBeChanged();
    void OnLayoutChanged();
    void OnModelReset();
    void OnColumnsChanged();
    void RowsChanged();

    QPointer<QAbstractItemModel> FModel;
    QPointer<QAbstractItemModel> FOpenModel; // the model read while open
    QList<QMetaObject::Connection> FModelConnections;
    QList<TDataSource*> FDataSources;
    std::vector<TField*> FFields; // children of the dataset
    QHash<QString, TField*> FFieldsByName; // lower-case names
    QPersistentModelIndex FLayoutAnchor;
    bool FActive = false;
    bool FOpening = false;
    bool FBof = true;
    bool FEof = true;
    bool FFetching = false;
    bool FRefreshing = false;
    int FRow = -1;
    int FRemovedRow = -1; // the current row while its removal is under way
};

} // namespace lark
