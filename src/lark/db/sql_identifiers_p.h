#pragma once
// Internal: names of tables as a database spells them.

#include <lark/framework/exceptions.h>

#include <QSqlDatabase>
#include <QString>

namespace lark::detail {

// The database's own message about a table it cannot read.
class SqlError : public Exception
{
public:
    using Exception::Exception;
};

// The table or view of that name as the database lists it: the exact name,
// else the first one equal in another letter case (also after a schema
// prefix, "sales.Orders" for "orders"). A name the database does not list is
// tried with a query that reads no rows, so that a damaged file or a missing
// table raises SqlError with the driver's own message.
QString ResolveTableName(const QSqlDatabase& database, const QString& tableName);

} // namespace lark::detail
