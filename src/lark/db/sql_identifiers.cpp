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

QString WithoutSchema(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.mid(dot + 1);
}

void ProbeTable(const QSqlDatabase& database, const QString& tableName)
{
    QSqlQuery probe(database);
    const QString table = database.driver()->escapeIdentifier(tableName, QSqlDriver::TableName);
    if (!probe.exec(u"SELECT * FROM %1 WHERE 1 = 0"_s.arg(table)))
        throw SqlError(probe.lastError().text());
}

} // namespace

QString ResolveTableName(const QSqlDatabase& database, const QString& tableName)
{
    const QStringList tables = database.tables(QSql::Tables) + database.tables(QSql::Views);
    if (tables.contains(tableName))
        return tableName;
    for (const QString& table : tables) {
        if (table.compare(tableName, Qt::CaseInsensitive) == 0)
            return table;
    }
    if (!tableName.contains(u'.')) {
        for (const QString& table : tables) {
            if (WithoutSchema(table).compare(tableName, Qt::CaseInsensitive) == 0)
                return table;
        }
    }
    ProbeTable(database, tableName);
    return tableName;
}

} // namespace lark::detail
