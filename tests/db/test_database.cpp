#include "test_database.h"

#include <lark/db/sql_table.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace lark::test {

namespace {

QString UniqueName(const QString& prefix)
{
    static std::atomic<int> counter{0};
    return u"%1_%2_%3"_s.arg(prefix).arg(QCoreApplication::applicationPid()).arg(++counter);
}

// The folder whose socket the cluster listens on, from the fixture's state.
QString ClusterSocketDir()
{
    const QString state = qEnvironmentVariable("LARK_PG_CLUSTER_STATE", QStringLiteral(LARK_PG_CLUSTER_STATE));
    QFile file(QDir(state).filePath(u"cluster_dir"_s));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("no PostgreSQL test cluster: run the tests through ctest (fixture PgCluster)");
    return QString::fromUtf8(file.readAll()).trimmed();
}

QSqlDatabase Connect(const QString& name, const QString& database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
    db.setHostName(ClusterSocketDir());
    db.setUserName(u"lark"_s);
    db.setDatabaseName(database);
    if (!db.open())
        throw std::runtime_error(("cannot connect to the test cluster: " + db.lastError().text()).toStdString());
    return db;
}

void Run(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        throw std::runtime_error((sql + u": "_s + query.lastError().text()).toStdString());
}

void Drop(const QString& name)
{
    if (name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

std::string BackendName(Backend b)
{
    return b == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

TestDatabase::TestDatabase(Backend b)
    : FBackend(b)
{
    FWriter = UniqueName(u"writer"_s);
    if (b == Backend::SQLite) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, FWriter);
        db.setDatabaseName(FilePath());
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        return;
    }
    OpenPostgreSQL();
}

void TestDatabase::OpenPostgreSQL()
{
    FAdmin = UniqueName(u"admin"_s);
    FDatabase = UniqueName(u"lark_test"_s);
    Run(Connect(FAdmin, u"postgres"_s), u"CREATE DATABASE %1"_s.arg(FDatabase));
    Connect(FWriter, FDatabase);
    FReader = UniqueName(u"reader"_s);
    Connect(FReader, FDatabase);
}

TestDatabase::~TestDatabase()
{
    Drop(FReader);
    Drop(FWriter);
    if (!FAdmin.isEmpty()) {
        {
            QSqlQuery drop(QSqlDatabase::database(FAdmin, false));
            drop.exec(u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(FDatabase));
        }
        Drop(FAdmin);
    }
}

QString TestDatabase::FilePath() const
{
    return FDir.filePath(u"people.db"_s);
}

void TestDatabase::Exec(const QString& sql)
{
    Run(QSqlDatabase::database(FWriter, false), sql);
}

void TestDatabase::Exec(const QStringList& statements)
{
    for (const QString& sql : statements)
        Exec(sql);
}

void TestDatabase::InsertNumbers(const QString& table, int count)
{
    QSqlDatabase db = QSqlDatabase::database(FWriter, false);
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(u"INSERT INTO %1 (N) VALUES (?)"_s.arg(table));
    for (int n = 1; n <= count; ++n) {
        insert.bindValue(0, n);
        if (!insert.exec())
            throw std::runtime_error(insert.lastError().text().toStdString());
    }
    db.commit();
}

void TestDatabase::Bind(TSQLTable& table) const
{
    if (FBackend == Backend::SQLite)
        table.SetDatabaseName(FilePath());
    else
        table.SetConnectionName(FReader);
}

QString TestDatabase::Query1(const QString& sql) const
{
    QSqlQuery query(QSqlDatabase::database(FWriter, false));
    if (!query.exec(sql) || !query.next())
        throw std::runtime_error((sql + u": "_s + query.lastError().text()).toStdString());
    return query.value(0).toString();
}

QByteArray TestDatabase::Fingerprint() const
{
    QByteArray print;
    if (FBackend == Backend::SQLite) {
        // The writer holds no lock between statements; the file is at rest.
        for (const QFileInfo& entry : QDir(FDir.path()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile file(entry.filePath());
            if (!file.open(QIODevice::ReadOnly))
                throw std::runtime_error("cannot read " + entry.filePath().toStdString());
            print += entry.fileName().toUtf8() + ':' +
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex() + '\n';
        }
        return print;
    }
    // Any insert, update, delete, lock or schema change leaves a new row
    // version (xmin, xmax, ctid) in a table or in the catalog.
    print += Query1(u"SELECT string_agg(oid::text || ':' || xmin::text, ',' ORDER BY oid) FROM pg_class"_s).toUtf8();
    QSqlQuery tables(QSqlDatabase::database(FWriter, false));
    tables.exec(u"SELECT tablename FROM pg_tables WHERE schemaname = 'public' ORDER BY tablename"_s);
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    for (const QString& table : names) {
        print += '\n' + table.toUtf8() + ':' +
                 Query1(u"SELECT coalesce(string_agg(ctid::text || ':' || xmin::text || ':' || xmax::text, ',' "
                        u"ORDER BY ctid), '') FROM \"%1\""_s.arg(table))
                     .toUtf8();
    }
    return print;
}

void TestDatabase::CreatePeople()
{
    Exec(QStringList{
        u"CREATE TABLE People (Id INTEGER PRIMARY KEY, Name VARCHAR(40), Notes VARCHAR(200), "
        u"Template VARCHAR(200), TextField1 VARCHAR(100), TextField2 VARCHAR(100), Active BOOLEAN, "
        u"Amount NUMERIC(10, 2), Born DATE, Stamp TIMESTAMP)"_s,
        u"INSERT INTO People VALUES (1, 'Ann', '<b>Alpha</b>', '[<~~textfield1>|<~~textfield2>]', 'one-a', "
        u"'two-a', TRUE, 2.50, '2001-02-03', '2024-01-31 09:30:00')"_s,
        u"INSERT INTO People VALUES (2, 'Bob', '', '<~~TEXTFIELD2>!', 'one-b', 'two-b', FALSE, NULL, NULL, "
        u"NULL)"_s,
        u"INSERT INTO People VALUES (3, 'Cy', NULL, '<~~nosuch>', 'one-c', 'two-c', NULL, 10, '1999-12-31', "
        u"'2000-01-01 00:00:00')"_s,
    });
}

qint64 SQLiteChangeCounter(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(28);
    if (header.size() < 28)
        return -1;
    const auto* b = reinterpret_cast<const uchar*>(header.constData()) + 24;
    return (qint64(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
}

} // namespace lark::test
