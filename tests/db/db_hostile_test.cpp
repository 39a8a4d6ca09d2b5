// Databases that go away under bound controls: a table dropped, an SQLite
// file deleted or locked by another connection, a PostgreSQL server
// stopped. Each ends in an EDatabaseError that names the table (through the
// navigator's OnError, or from Open), the controls stay usable, and the
// table writes nothing.
#include "db/test_database.h"
#include "support/bound_form.h"

#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/db/sql_table.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::Backend;
using test::TestDatabase;

using test::BoundForm;

class DroppedTableTest : public testing::TestWithParam<Backend>
{
};

TEST_P(DroppedTableTest, BrowsingADroppedTableReportsItAndWritesNothing)
{
    TestDatabase db(GetParam());
    db.CreatePeople();
    BoundForm form(u"Name"_s);
    form.Table.SetTableName(u"People"_s);
    db.Bind(form.Table);
    ASSERT_FALSE(form.OpenError());
    form.Table.Last();
    EXPECT_TRUE(form.Browse().isEmpty());

    db.Exec(u"DROP TABLE People"_s);
    const QByteArray before = db.Fingerprint();
    const QStringList errors = form.Browse();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(u"Cannot read table \"People\""_s)) << errors[0].toStdString();
    // The failed read leaves the model empty; the cursor points into it.
    EXPECT_TRUE(form.Table.Active());
    EXPECT_LT(form.Table.CurrentRow(), form.Table.Model()->rowCount());

    form.Table.Close();
    const std::optional<QString> reopen = form.OpenError();
    ASSERT_TRUE(reopen);
    EXPECT_TRUE(reopen->contains(u"People"_s)) << reopen->toStdString();
    EXPECT_FALSE(form.Table.Active());
    EXPECT_TRUE(form.Label->Caption().isEmpty());
    EXPECT_EQ(db.Fingerprint(), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, DroppedTableTest, testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const testing::TestParamInfo<Backend>& row) { return test::BackendName(row.param); });

TEST(SQLiteGoneTest, ADeletedFileIsReportedOnReopeningAndNotMadeAgain)
{
    auto db = std::make_unique<TestDatabase>(Backend::SQLite);
    db->CreatePeople();
    const QString path = db->FilePath();
    const QString dir = QFileInfo(path).absolutePath();
    BoundForm form(u"Name"_s);
    form.Table.SetTableName(u"People"_s);
    form.Table.SetDatabaseName(path);
    ASSERT_FALSE(form.OpenError());
    ASSERT_TRUE(QFile::remove(path));

    // The open connection still reads the file it has; nothing breaks.
    form.Browse();
    form.Table.Close();
    const std::optional<QString> reopen = form.OpenError();
    ASSERT_TRUE(reopen);
    EXPECT_TRUE(reopen->contains(u"unable to open database file"_s)) << reopen->toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(SQLiteGoneTest, AnExclusiveLockOfAnotherConnectionIsReportedAndNothingIsWritten)
{
    TestDatabase db(Backend::SQLite);
    db.CreatePeople();
    BoundForm open(u"Name"_s);
    open.Table.SetTableName(u"People"_s);
    db.Bind(open.Table);
    ASSERT_FALSE(open.OpenError());

    db.Exec(u"BEGIN EXCLUSIVE"_s);
    const QByteArray before = db.Fingerprint();
    const QStringList errors = open.Browse();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(u"locked"_s)) << errors[0].toStdString();

    BoundForm other(u"Name"_s);

    other.Table.SetTableName(u"People"_s);
    db.Bind(other.Table);
    const std::optional<QString> error = other.OpenError();
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(u"locked"_s)) << error->toStdString();
    EXPECT_EQ(db.Fingerprint(), before);
    db.Exec(u"ROLLBACK"_s);
}

// A cluster of its own: the shared one serves the other tests meanwhile.
TEST(PostgreSQLGoneTest, AStoppedServerIsReportedAndTheControlsStayUsable)
{
    QTemporaryDir state;
    const QString script = QStringLiteral(LARK_PG_CLUSTER_SCRIPT);
    ASSERT_EQ(QProcess::execute(script, {u"start"_s, state.path()}), 0);
    const auto stop = qScopeGuard([&] { QProcess::execute(script, {u"stop"_s, state.path()}); });
    QFile dirFile(QDir(state.path()).filePath(u"cluster_dir"_s));
    ASSERT_TRUE(dirFile.open(QIODevice::ReadOnly));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"stopped"_s);
        db.setHostName(QString::fromUtf8(dirFile.readAll()).trimmed());
        db.setUserName(u"lark"_s);
        db.setDatabaseName(u"postgres"_s);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u"CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT)"_s));
        ASSERT_TRUE(query.exec(u"INSERT INTO people VALUES (1, 'Ann'), (2, 'Bob')"_s));

        BoundForm form(u"Name"_s);

        form.Table.SetTableName(u"People"_s);
        form.Table.SetConnectionName(u"stopped"_s);
        ASSERT_FALSE(form.OpenError());
        EXPECT_EQ(form.Label->Caption(), u"Ann"_s);
        ASSERT_EQ(QProcess::execute(script, {u"stop"_s, state.path()}), 0);

        const QStringList errors = form.Browse();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(u"Cannot read table \"People\""_s)) << errors[0].toStdString();
        form.Table.Close();
        const std::optional<QString> reopen = form.OpenError();
        ASSERT_TRUE(reopen);
        EXPECT_TRUE(reopen->contains(u"People"_s)) << reopen->toStdString();
        EXPECT_FALSE(form.Window.grab().isNull());
        db.close();
    }
    QSqlDatabase::removeDatabase(u"stopped"_s);
}

} // namespace
} // namespace lark
