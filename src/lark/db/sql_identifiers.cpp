// Table names across databases: PostgreSQL folds unquoted names to lower
// case, SQLite keeps them as written, and Qt quotes the name it is given.
// Matching the name against the database's own list, letter case ignored,
// lets one spelling open the table on either.
#include "lark/db/sql_identifiers_p.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

QString WithoutSchema(const QString& Name)
{
    const qsizetype dot = Name.lastIndexOf(u'.');
    return dot < 0 ? Name : Name.mid(dot + 1);
}

void ProbeTable(const QSqlDatabase& Database, const QString& TableName)
{
    QSqlQuery probe(Database);
    const QString table = Database.driver()->escapeIdentifier(TableName, QSqlDriver::TableName);
    if (!probe.exec(u"SELECT * FROM %1 WHERE 1 = 0"_s.arg(table)))
        throw SqlError(probe.lastError().text());
}

} // namespace

QString ResolveTableName(const QSqlDatabase& Database, const QString& TableName)
{
    const QStringList tables = Database.tables(QSql::Tables) + Database.tables(QSql::Views);
    if (tables.contains(TableName))
        return TableName;
    for (const QString& table : tables) {
        if (table.compare(TableName, Qt::CaseInsensitive) == 0)
            return table;
    }
    if (!TableName.contains(u'.')) {
        for (const QString& table : tables) {
            if (WithoutSchema(table).compare(TableName, Qt::CaseInsensitive) == 0)
                return table;
        }
    }
    ProbeTable(Database, TableName);
    return TableName;
}

} // namespace lark::detail
