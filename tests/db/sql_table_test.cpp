// The SQL table on SQLite and on PostgreSQL: opening, names in any letter
// case, values alike on both, lazy reading, and clear errors for database
// files that cannot be read.
#include "db/test_database.h"

#include <lark/db/data_source.h>
#include <lark/db/field.h>
#include <lark/db/sql_table.h>

#include <QDir>
#include <QFile>
#include <QSqlDriver>
#include <QSqlTableModel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::Backend;
using test::TestDatabase;

class SqlTableTest : public testing::TestWithParam<Backend>
{
protected:
    SqlTableTest()
        : Db(GetParam())
    {
        Db.CreatePeople();
        Db.Bind(Table);
    }

    TestDatabase Db;
    TSQLTable Table;
};

TEST_P(SqlTableTest, OpensAnyLetterCaseOfTheTableAndItsFields)
{
    for (const QString& name : {u"People"_s, u"PEOPLE"_s, u"people"_s}) {
        SCOPED_TRACE(name.toStdString());
        Table.Close();
        Table.SetTableName(name);
        Table.Open();
        EXPECT_EQ(Table.RecordCount(), 3);
        EXPECT_EQ(Table.FieldCount(), 10);
        EXPECT_EQ(Table.FieldByName(u"TextField1"_s).AsString(), u"one-a"_s);
        EXPECT_EQ(Table.FindField(u"TEXTFIELD1"_s), Table.FindField(u"textfield1"_s));
    }
    Table.Close();
    EXPECT_FALSE(Table.Active());
    EXPECT_EQ(Table.TableModel(), nullptr);
}

struct ValueCase
{
    int recNo;
    const char* field;
    QString text;
    bool isNull;
};

TEST_P(SqlTableTest, ValuesReadTheSameOnEveryDatabase)
{
    const ValueCase cases[] = {
        {1, "Id", u"1"_s, false},
        {1, "Name", u"Ann"_s, false},
        {1, "Notes", u"<b>Alpha</b>"_s, false},
        {1, "Active", u"true"_s, false},
        {1, "Amount", u"2.5"_s, false},
        {1, "Born", u"2001-02-03"_s, false},
        {1, "Stamp", u"2024-01-31 09:30:00"_s, false},
        {2, "Notes", QString(), false},
        {2, "Active", u"false"_s, false},
        {2, "Amount", QString(), true},
        {2, "Born", QString(), true},
        {3, "Notes", QString(), true},
        {3, "Active", QString(), true},
        {3, "Amount", u"10"_s, false},
        {3, "Stamp", u"2000-01-01 00:00:00"_s, false},
    };
    Table.SetTableName(u"People"_s);
    Table.Open();
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.recNo) + " " + c.field);
        Table.SetRecNo(c.recNo);
        const TField& field = Table.FieldByName(QString::fromLatin1(c.field));
        EXPECT_EQ(field.AsString(), c.text);
        EXPECT_EQ(field.DisplayText(), c.text);
        EXPECT_EQ(field.IsNull(), c.isNull);
    }
    Table.SetRecNo(1);
    EXPECT_TRUE(Table.FieldByName(u"active"_s).AsBoolean());
    EXPECT_DOUBLE_EQ(Table.FieldByName(u"amount"_s).AsFloat(), 2.5);
    EXPECT_EQ(Table.FieldByName(u"id"_s).AsInteger(), 1);
}

TEST_P(SqlTableTest, RowsAreReadLazilyWhereTheDriverCan)
{
    Db.Exec(u"CREATE TABLE Numbers (N INTEGER)"_s);
    Db.InsertNumbers(u"Numbers"_s, 1000);
    Table.SetTableName(u"Numbers"_s);
    Table.Open();
    const QSqlTableModel* model = Table.TableModel();
    ASSERT_NE(model, nullptr);
    if (!model->database().driver()->hasFeature(QSqlDriver::QuerySize)) {
        EXPECT_LT(model->rowCount(), 1000);
        EXPECT_TRUE(model->canFetchMore());
    }
    Table.MoveBy(599);
    EXPECT_EQ(Table.FieldByName(u"n"_s).AsInteger(), 600);
    EXPECT_FALSE(Table.Eof());
    EXPECT_EQ(Table.RecordCount(), 1000);
    Table.Last();
    EXPECT_EQ(Table.RecNo(), 1000);
    EXPECT_TRUE(Table.Eof());
}

TEST_P(SqlTableTest, ARefreshShowsWhatOthersWroteAndKeepsThePosition)
{
    Table.SetTableName(u"People"_s);
    Table.Open();
    Table.SetRecNo(2);
    Db.Exec(u"UPDATE People SET Name = 'Robert' WHERE Id = 2"_s);
    Db.Exec(u"INSERT INTO People (Id, Name) VALUES (4, 'Dee')"_s);
    Table.Refresh();
    EXPECT_EQ(Table.RecNo(), 2);
    EXPECT_EQ(Table.FieldByName(u"name"_s).AsString(), u"Robert"_s);
    EXPECT_EQ(Table.RecordCount(), 4);
}

TEST_P(SqlTableTest, AReadOnlyTableRefusesEdits)
{
    Table.SetTableName(u"People"_s);
    Table.Open();
    QSqlTableModel* model = Table.TableModel();
    EXPECT_FALSE(model->flags(model->index(0, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model->setData(model->index(0, 1), u"Eve"_s));
    EXPECT_FALSE(model->removeRow(0));
    EXPECT_EQ(Table.FieldByName(u"name"_s).AsString(), u"Ann"_s);
}

TEST_P(SqlTableTest, AMissingTableRaisesTheDriversMessage)
{
    Table.SetTableName(u"Nowhere"_s);
    try {
        Table.Open();
        FAIL() << "no exception";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains(u"Nowhere"_s, Qt::CaseInsensitive)) << error.what();
        EXPECT_TRUE(error.Message().contains(u"table"_s, Qt::CaseInsensitive) ||
                    error.Message().contains(u"relation"_s, Qt::CaseInsensitive))
            << error.what();
    }
    EXPECT_FALSE(Table.Active());
    // The table's own connections are gone with the failure.
    for (const QString& name : QSqlDatabase::connectionNames())
        EXPECT_FALSE(name.startsWith(u"lark.TSQLTable"_s)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Databases, SqlTableTest, testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const testing::TestParamInfo<Backend>& row) { return test::BackendName(row.param); });

//---- Database files that cannot be read --------------------------------------------

struct BadFileCase
{
    const char* name;
    // Makes the bad file in the folder and returns its path.
    std::function<QString(const QDir&)> make;
    // The driver's message, or one of them ("a|b").
    const char* driverText;
};

QString Corrupt(const QDir& dir)
{
    QFile file(dir.filePath(u"corrupt.db"_s));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray("this is no database, only text. ").repeated(200));
    return file.fileName();
}

TEST(SqlTableFileTest, AFileThatCannotBeReadRaisesTheDriversMessageAndStaysAsItWas)
{
    const BadFileCase cases[] = {
        {"missing", [](const QDir& dir) { return dir.filePath(u"missing.db"_s); }, "unable to open database file"},
        {"a folder", [](const QDir& dir) {
             dir.mkdir(u"folder.db"_s);
             return dir.filePath(u"folder.db"_s);
         }, "unable to open database file|disk I/O error"},
        {"corrupt", Corrupt, "file is not a database"},
    };
    for (const BadFileCase& c : cases) {
        for (const bool readOnly : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (readOnly ? " read-only" : " read-write"));
            QTemporaryDir temp;
            const QDir dir(temp.path());
            const QString path = c.make(dir);
            const QStringList before = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            QByteArray bytes;
            if (QFile file(path); QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
                bytes = file.readAll();

            TSQLTable table;
            table.SetReadOnly(readOnly);
            table.SetDatabaseName(path);
            table.SetTableName(u"People"_s);
            try {
                table.Open();
                ADD_FAILURE() << "no exception";
            } catch (const EDatabaseError& error) {
                const QStringList texts = QString::fromLatin1(c.driverText).split(u'|');
                EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                        [&](const QString& text) { return error.Message().contains(text); }))
                    << error.what();
                EXPECT_TRUE(error.Message().contains(path)) << error.what();
            }
            EXPECT_FALSE(table.Active());
            EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
            if (QFile file(path); QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) {
                EXPECT_EQ(file.readAll(), bytes);
            }
        }
    }
}

TEST(SqlTableFileTest, AnUnreadableFileRaisesTheDriversMessage)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TestDatabase db(Backend::SQLite);
    db.CreatePeople();
    QFile::setPermissions(db.FilePath(), QFileDevice::Permissions());
    TSQLTable table;
    table.SetDatabaseName(db.FilePath());
    table.SetTableName(u"People"_s);
    EXPECT_THROW(table.Open(), EDatabaseError);
    QFile::setPermissions(db.FilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace
} // namespace lark
