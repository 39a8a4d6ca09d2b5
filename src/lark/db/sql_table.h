#pragma once
// TSQLTable: a dataset over one table of an SQL database (Qt SQL).
//
// SQLite is the embedded default: name a database file and the table opens
// its own connection to it.
//
//     TSQLTable table;
//     table.SetDatabaseName(u"/data/countries.db"_s);
//     table.SetTableName(u"country"_s);
//     table.Open();                // EDatabaseError with the driver's message
//
// For a server, open a QSqlDatabase connection yourself and name it:
//
//     QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"crm"_s);
//     ... host, user, password; db.open();
//     table.SetConnectionName(u"crm"_s);
//
// The table is read-only by default: its own SQLite connection is opened
// read-only and its model refuses edits, so browsing never writes. A missing
// file is never created, whatever ReadOnly says. With ReadOnly off the model
// (TableModel(), a QSqlTableModel with manual submit) accepts edits, which
// reach the database when the application calls submitAll().
//
// Table names match in any letter case, so one name serves databases that
// fold unquoted identifiers to lower case (PostgreSQL) and those that keep
// them (SQLite). Records come in the order of the primary key, when the
// table has one. Rows are read lazily where the driver allows it.

#include <lark/db/dataset.h>

#include <QSqlRecord>
#include <QString>

#include <memory>

class QSqlTableModel;
class QSqlDatabase;

namespace lark {

class TSQLTable : public TDataSet
{
    Q_OBJECT
    Q_PROPERTY(QString DriverName READ DriverName WRITE SetDriverName RESET ResetDriverName)
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QString ConnectionName READ ConnectionName WRITE SetConnectionName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly RESET ResetReadOnly)

public:
    static inline const QString DefaultDriverName = QStringLiteral("QSQLITE");

    explicit TSQLTable(QObject* parent = nullptr);
    ~TSQLTable() override;

    // Changing any of these while open reopens the table.
    // The Qt SQL driver of the table's own connection.
    QString DriverName() const { return FDriverName; }
    void SetDriverName(const QString& value);
    void ResetDriverName() { SetDriverName(DefaultDriverName); }
    // The database of the table's own connection: a file for SQLite.
    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& value);
    // An open QSqlDatabase connection to use instead of an own one.
    QString ConnectionName() const { return FConnectionName; }
    void SetConnectionName(const QString& value);
    QString TableName() const { return FTableName; }
    void SetTableName(const QString& value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    void ResetReadOnly() { SetReadOnly(true); }

    // The table's model while open, else nullptr.
    QSqlTableModel* TableModel() const;
    // The table's name as the database spells it (while open).
    QString ResolvedTableName() const { return FResolvedName; }

protected:
    QAbstractItemModel* OpenCursor() override;
    void CloseCursor() override;
    void InternalRefresh() override;
    QString ColumnFieldName(int column) const override;
    QMetaType ColumnDataType(int column) const override;

private:
    template <typename T>
    void Reconfigure(T& field, const T& value);
    QSqlDatabase Connect();
    void Disconnect();
    QString OwnConnectionTarget() const;
    QString Describe() const;

    QString FDriverName = DefaultDriverName;
    QString FDatabaseName;
    QString FConnectionName;
    QString FTableName;
    QString FResolvedName;
    QString FOwnConnection; // the connection this table added, while open
    bool FReadOnly = true;
    std::unique_ptr<QSqlTableModel> FTableModel;
    QSqlRecord FRecord;
};

} // namespace lark
