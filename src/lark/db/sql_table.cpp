// The SQL table: its connection (its own for a file, or the application's),
// the table's name as the database spells it, and a lazily read model.
#include <lark/db/sql_table.h>

#include "lark/db/sql_identifiers_p.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QUrl>

#include <atomic>
#include <utility>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// The table's model: edits are refused while the table is read-only, and
// nothing is written before the application submits.
class ReadOnlyAwareModel final : public QSqlTableModel
{
public:
    ReadOnlyAwareModel(const QSqlDatabase& database, bool readOnly)
        : QSqlTableModel(nullptr, database)
        , FReadOnly(readOnly)
    {
        setEditStrategy(QSqlTableModel::OnManualSubmit);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        const Qt::ItemFlags flags = QSqlTableModel::flags(index);
        return FReadOnly ? flags & ~Qt::ItemIsEditable : flags;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        return !FReadOnly && QSqlTableModel::setData(index, value, role);
    }
    bool insertRows(int row, int count, const QModelIndex& parent) override
    {
        return !FReadOnly && QSqlTableModel::insertRows(row, count, parent);
    }
    bool removeRows(int row, int count, const QModelIndex& parent) override
    {
        return !FReadOnly && QSqlTableModel::removeRows(row, count, parent);
    }

private:
    const bool FReadOnly;
};

bool IsSQLite(const QString& driverName)
{
    return driverName.startsWith(u"QSQLITE"_s, Qt::CaseInsensitive);
}

// A file name as an SQLite URI whose mode never creates the file: a missing
// database is an error, not a new empty one.
QString SQLiteUri(const QString& fileName, bool readOnly)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath());
    url.setQuery(readOnly ? u"mode=ro"_s : u"mode=rw"_s);
    return url.toString(QUrl::FullyEncoded);
}

QString NewConnectionName()
{
    static std::atomic<quint64> counter{0};
    return u"lark.TSQLTable.%1"_s.arg(++counter);
}

} // namespace

TSQLTable::TSQLTable(QObject* parent)
    : TDataSet(parent)
{
}

TSQLTable::~TSQLTable()
{
    Close();
}

//---- Settings -----------------------------------------------------------------

template <typename T>
void TSQLTable::Reconfigure(T& field, const T& value)
{
    if (field == value)
        return;
    const bool wasActive = Active();
    Close();
    field = value;
    if (wasActive)
        Open();
}

void TSQLTable::SetDriverName(const QString& value)
{
    Reconfigure(FDriverName, value);
}

void TSQLTable::SetDatabaseName(const QString& value)
{
    Reconfigure(FDatabaseName, value);
}

void TSQLTable::SetConnectionName(const QString& value)
{
    Reconfigure(FConnectionName, value);
}

void TSQLTable::SetTableName(const QString& value)
{
    Reconfigure(FTableName, value);
}

void TSQLTable::SetReadOnly(bool value)
{
    Reconfigure(FReadOnly, value);
}

QSqlTableModel* TSQLTable::TableModel() const
{
    return FTableModel.get();
}

//---- Opening ------------------------------------------------------------------

QString TSQLTable::Describe() const
{
    const QString where = FConnectionName.isEmpty() ? FDatabaseName : FConnectionName;
    return u"table \"%1\" in \"%2\""_s.arg(FTableName, where);
}

QString TSQLTable::OwnConnectionTarget() const
{
    const bool plainFile = !FDatabaseName.startsWith(u"file:"_s) && FDatabaseName != u":memory:"_s;
    return IsSQLite(FDriverName) && plainFile ? SQLiteUri(FDatabaseName, FReadOnly) : FDatabaseName;
}

QSqlDatabase TSQLTable::Connect()
{
    if (!FConnectionName.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, true);
        if (!db.isValid())
            throw EDatabaseError(u"Cannot open %1: there is no connection of that name"_s.arg(Describe()));
        if (!db.isOpen())
            throw EDatabaseError(u"Cannot open %1: %2"_s.arg(Describe(), db.lastError().text()));
        return db;
    }
    if (FDatabaseName.isEmpty())
        throw EDatabaseError(u"Cannot open table \"%1\": no DatabaseName or ConnectionName is set"_s.arg(FTableName));
    FOwnConnection = NewConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(FDriverName, FOwnConnection);
    if (!db.isValid())
        throw EDatabaseError(u"Cannot open %1: the SQL driver \"%2\" is not available"_s.arg(Describe(), FDriverName));
    if (IsSQLite(FDriverName))
        db.setConnectOptions(u"QSQLITE_OPEN_URI"_s);
    db.setDatabaseName(OwnConnectionTarget());
    if (!db.open())
        throw EDatabaseError(u"Cannot open database \"%1\": %2"_s.arg(FDatabaseName, db.lastError().text()));
    return db;
}

void TSQLTable::Disconnect()
{
    FTableModel.reset();
    FRecord = QSqlRecord();
    FResolvedName.clear();
    const QString name = std::exchange(FOwnConnection, QString());
    if (name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QAbstractItemModel* TSQLTable::OpenCursor()
{
    if (FTableName.isEmpty())
        throw EDatabaseError(u"Cannot open dataset \"%1\": no TableName is set"_s.arg(objectName()));
    try {
        const QSqlDatabase db = Connect();
        FResolvedName = detail::ResolveTableName(db, FTableName);
        auto model = std::make_unique<ReadOnlyAwareModel>(db, FReadOnly);
        model->setTable(FResolvedName);
        // Without an order a server returns rows as they lie on disk, which
        // an update reshuffles; the primary key keeps records where they were.
        if (const QSqlIndex key = model->primaryKey(); !key.isEmpty())
            model->setSort(model->fieldIndex(key.fieldName(0)), Qt::AscendingOrder);
        if (!model->select())
            throw EDatabaseError(u"Cannot open %1: %2"_s.arg(Describe(), model->lastError().text()));
        FRecord = model->record();
        FTableModel = std::move(model);
    } catch (const EDatabaseError&) {
        Disconnect();
        throw;
    } catch (const detail::SqlError& error) {
        Disconnect();
        throw EDatabaseError(u"Cannot open %1: %2"_s.arg(Describe(), error.Message()));
    }
    return FTableModel.get();
}

void TSQLTable::CloseCursor()
{
    Disconnect();
}

void TSQLTable::InternalRefresh()
{
    if (FTableModel && !FTableModel->select())
        throw EDatabaseError(u"Cannot read %1 again: %2"_s.arg(Describe(), FTableModel->lastError().text()));
}

QString TSQLTable::ColumnFieldName(int column) const
{
    return column < FRecord.count() ? FRecord.fieldName(column) : TDataSet::ColumnFieldName(column);
}

QMetaType TSQLTable::ColumnDataType(int column) const
{
    return column < FRecord.count() ? FRecord.field(column).metaType() : QMetaType();
}

} // namespace lark
