#pragma once
// A database for the SQL tests, on SQLite (a file in a temporary folder) or
// on PostgreSQL (a database of its own in the throw-away cluster the
// PgCluster fixture starts). Tests write through it; a TSQLTable reads it
// after Bind().
//
//     TestDatabase db(Backend::PostgreSQL);
//     db.Exec(u"CREATE TABLE t (Id INTEGER PRIMARY KEY, Name VARCHAR(20))"_s);
//     TSQLTable table;
//     db.Bind(table);
//     table.SetTableName(u"T"_s);
//     const QByteArray before = db.Fingerprint();
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace lark {
class TSQLTable;
}

namespace lark::test {

enum class Backend { SQLite, PostgreSQL };

// "SQLite" or "PostgreSQL", for test names.
std::string BackendName(Backend b);

class TestDatabase
{
public:
    explicit TestDatabase(Backend b);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Backend Kind() const { return FBackend; }
    // Runs statements on the writing connection; a failure throws with the
    // driver's message.
    void Exec(const QString& sql);
    void Exec(const QStringList& statements);
    // Inserts rows into a one-column table in one transaction.
    void InsertNumbers(const QString& table, int count);
    // Points the table at this database (a file for SQLite, an open
    // connection for PostgreSQL).
    void Bind(TSQLTable& table) const;
    // The traces any write would leave: the file's bytes and the folder's
    // files (SQLite); the row versions of every table and of the catalog
    // (PostgreSQL).
    QByteArray Fingerprint() const;
    // SQLite: the database file.
    QString FilePath() const;

    // The tables the tests share: People (three typed records) and, on
    // request, Numbers (N from 1 to Count).
    void CreatePeople();

private:
    void OpenPostgreSQL();
    QString Query1(const QString& sql) const;

    Backend FBackend;
    QTemporaryDir FDir;
    QString FWriter;    // connection names
    QString FReader;
    QString FAdmin;
    QString FDatabase;  // PostgreSQL database name
};

// SQLite's file change counter (header bytes 24 to 27), -1 when unreadable.
qint64 SQLiteChangeCounter(const QString& path);

} // namespace lark::test
