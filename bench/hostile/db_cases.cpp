// The data-aware controls bound to a table whose database goes away under
// them: the table dropped, the SQLite file deleted or locked by another
// connection, the PostgreSQL server stopped. Each must end in a clear
// EDatabaseError (the navigator's OnError, or the exception of Open), with
// no crash and nothing written by the table.
#include "data_cases.h"
#include "support/bound_form.h"

#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/db/sql_table.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <memory>

using namespace Qt::StringLiterals;

namespace lark::hostile {

namespace {

constexpr int kRecords = 2000;

// The bound form of the tests, shown; what it shows after a paint.
struct TBoundForm : test::BoundForm
{
    TBoundForm()
        : BoundForm(u"name"_s)
    {
        Window.show();
    }

    QString Paint()
    {
        BoundForm::Paint();
        return u"record %1, label \"%2\""_s.arg(Table.RecNo()).arg(Label->Caption());
    }

    // The error's text, or nothing when it opened.
    QString TryOpen() { return OpenError().value_or(QString()); }

    QString Browse() { return BoundForm::Browse().join(u" / "_s); }
};

QString Fingerprint(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"(missing)"_s;
    QString traces = QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
    for (const char* suffix : { "-journal", "-wal", "-shm" })
        if (QFile::exists(path + QString::fromLatin1(suffix)))
            traces += QString::fromLatin1(suffix);
    return traces;
}

// A writer connection of another program and a file of kRecords people.
class TSQLiteFile
{
public:
    explicit TSQLiteFile(const QString& dir)
        : FPath(QDir(dir).filePath(u"people.db"_s))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"writer"_s);
        db.setDatabaseName(FPath);
        db.open();
        Exec(u"CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT)"_s);
        Exec(u"BEGIN"_s);
        for (int i = 1; i <= kRecords; ++i)
            Exec(u"INSERT INTO people VALUES (%1, '<b>person</b> %1')"_s.arg(i));
        Exec(u"COMMIT"_s);
    }
    ~TSQLiteFile()
    {
        QSqlDatabase::database(u"writer"_s, false).close();
        QSqlDatabase::removeDatabase(u"writer"_s);
    }
    QString Path() const { return FPath; }
    // The statement's error, or nothing.
    static QString Exec(const QString& sql)
    {
        QSqlQuery query(QSqlDatabase::database(u"writer"_s));
        return query.exec(sql) ? QString() : query.lastError().text();
    }

private:
    QString FPath;
};

QString Expect(bool held, const QString& problem)
{
    return held ? QString() : problem;
}

QString TableDropped(const DataCaseContext& context)
{
    TSQLiteFile file(context.WorkDir);
    TBoundForm form;
    form.Table.SetDatabaseName(file.Path());
    form.Table.SetTableName(u"people"_s);
    QString error = form.TryOpen();
    if (!error.isEmpty())
        return u"the table did not open: "_s + error;
    Step(u"open and browse"_s, [&] {
        const QString errors = form.Browse();
        return errors + form.Paint();
    });
    Step(u"drop the table"_s, [&] {
        const QString refused = TSQLiteFile::Exec(u"DROP TABLE people"_s);
        return refused.isEmpty() ? u"dropped"_s : u"the drop was refused: "_s + refused;
    });
    const QString before = Fingerprint(file.Path());
    Step(u"browse"_s, [&] { return error = form.Browse(); });
    Step(u"reopen"_s, [&] {
        form.Table.Close();
        const QString reopen = form.TryOpen();
        error += reopen;
        return reopen + u" | "_s + form.Paint();
    });
    return Expect(!error.isEmpty(), u"no error reported"_s) +
           Expect(Fingerprint(file.Path()) == before, u" the file changed"_s);
}

QString FileDeleted(const DataCaseContext& context)
{
    auto file = std::make_unique<TSQLiteFile>(context.WorkDir);
    const QString path = file->Path();
    TBoundForm form;
    form.Table.SetDatabaseName(path);
    form.Table.SetTableName(u"people"_s);
    if (const QString error = form.TryOpen(); !error.isEmpty())
        return u"the table did not open: "_s + error;
    file.reset();
    Step(u"delete the file"_s, [&] { return QFile::remove(path) ? u"deleted"_s : u"not deleted"_s; });
    Step(u"browse"_s, [&] {
        const QString errors = form.Browse();
        return errors + u" | "_s + form.Paint();
    });
    QString error;
    Step(u"reopen"_s, [&] {
        form.Table.Close();
        error = form.TryOpen();
        return error + u" | "_s + form.Paint();
    });
    return Expect(!error.isEmpty(), u"no error reported"_s) +
           Expect(!QFile::exists(path), u" the file was made again"_s);
}

QString FileLocked(const DataCaseContext& context)
{
    TSQLiteFile file(context.WorkDir);
    TBoundForm open;
    open.Table.SetDatabaseName(file.Path());
    open.Table.SetTableName(u"people"_s);
    if (const QString error = open.TryOpen(); !error.isEmpty())
        return u"the table did not open: "_s + error;
    // A table read only in part keeps its statement, and with it a read
    // lock that no writer gets past; read to the end, it holds none.
    Step(u"read every record"_s, [&] { return u"%1 records"_s.arg(open.Table.RecordCount()); });
    // The writer holds the lock no reader gets past.
    Step(u"lock"_s, [&] {
        const QString refused = TSQLiteFile::Exec(u"BEGIN EXCLUSIVE"_s);
        return refused.isEmpty() ? u"locked"_s : refused;
    });
    const QString before = Fingerprint(file.Path());
    QString browseError;
    Step(u"browse the open table"_s, [&] { return browseError = open.Browse(); });
    QString openError;
    Step(u"open another table"_s, [&] {
        TBoundForm other;
        other.Table.SetDatabaseName(file.Path());
        other.Table.SetTableName(u"people"_s);
        openError = other.TryOpen();
        return openError + u" | "_s + other.Paint();
    });
    TSQLiteFile::Exec(u"ROLLBACK"_s);
    return Expect(!browseError.isEmpty() && !openError.isEmpty(), u"a locked file gave no error"_s) +
           Expect(Fingerprint(file.Path()) == before, u" the file changed"_s);
}

QString PgServerStopped(const DataCaseContext& context)
{
    if (context.PgClusterScript.isEmpty())
        return u"no cluster script given"_s;
    const auto cluster = [&](const QString& action) {
        return QProcess::execute(context.PgClusterScript, { action, context.PgState });
    };
    QString started;
    Step(u"start a cluster"_s, [&] {
        started = cluster(u"start"_s) == 0 ? QString() : u"the cluster did not start"_s;
        return started;
    });
    if (!started.isEmpty())
        return started;
    QFile dirFile(QDir(context.PgState).filePath(u"cluster_dir"_s));
    dirFile.open(QIODevice::ReadOnly);
    const QString socketDir = QString::fromUtf8(dirFile.readAll()).trimmed();
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"crm"_s);
        db.setHostName(socketDir);
        db.setUserName(u"lark"_s);
        db.setDatabaseName(u"postgres"_s);
        if (!db.open()) {
            cluster(u"stop"_s);
            return u"cannot connect: "_s + db.lastError().text();
        }
        QSqlQuery query(db);
        query.exec(u"CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT)"_s);
        query.exec(u"INSERT INTO people SELECT n, '<b>person</b> ' || n FROM generate_series(1, %1) n"_s.arg(kRecords));
        TBoundForm form;
        form.Table.SetConnectionName(u"crm"_s);
        form.Table.SetTableName(u"people"_s);
        if (const QString error = form.TryOpen(); !error.isEmpty())
            result = u"the table did not open: "_s + error;
        Step(u"stop the server"_s, [&] { return cluster(u"stop"_s) == 0 ? u"stopped"_s : u"stop failed"_s; });
        QString error;
        Step(u"browse"_s, [&] { return error = form.Browse(); });
        Step(u"reopen"_s, [&] {
            form.Table.Close();
            const QString reopen = form.TryOpen();
            error += reopen;
            return reopen + u" | "_s + form.Paint();
        });
        result += Expect(!error.isEmpty(), u"no error reported"_s);
        db.close();
    }
    QSqlDatabase::removeDatabase(u"crm"_s);
    return result;
}

const DataCase kDbCases[] = {
    { "sqlite-table-dropped", "the bound table dropped by another connection", TableDropped },
    { "sqlite-file-deleted", "the bound SQLite file deleted", FileDeleted },
    { "sqlite-file-locked", "another connection holds an exclusive lock on the file", FileLocked },
    { "pg-server-stopped", "the PostgreSQL server of the bound table stopped", PgServerStopped },
};

} // namespace

const DataCase* DbCases(int& count)
{
    count = int(std::size(kDbCases));
    return kDbCases;
}

} // namespace lark::hostile
