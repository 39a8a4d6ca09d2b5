#include "demo_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

struct TSampleRecord
{
    const char* First;
    const char* Second;
};

// table1: plain values, for the template page fills them into its own
// markup; the last record asks the application for a value in normal mode.
constexpr TSampleRecord kTable1[] = {
    { "Skylark", "sings while it climbs, up to a hundred metres high" },
    { "Woodlark", "heath and open woodland" },
    { "Crested lark", "a pointed crest; often seen along roads" },
    { "Horned lark", "black horns in summer" },
    { "Calandra lark", "a heavy bill; Mediterranean fields" },
    { "<b>Field notes:</b> <~~xx>", "the variable xx is filled in by the program" },
};

// table2: captions and descriptions with links; the view opens them with the
// desktop's handler, the label reports them.
constexpr TSampleRecord kTable2[] = {
    { "<b>1.</b> Data-aware controls",
      "<p align=center><font size=+1><b>Fields as HTML</b></font></p><hr>"
      "<p>The label above shows the field <b>caption</b>, this view the field "
      "<b>description</b> of the current record. Move with the navigator below: both follow.</p>"
      "<ul><li><b>TLarkHTMLDBLabel</b> for short fields</li>"
      "<li><b>TLarkHTMLDBView</b> for long ones, with scroll bars</li></ul>"
      "<p>The records live in an <a href=\"https://www.sqlite.org/\">SQLite</a> file, read through "
      "<a href=\"https://doc.qt.io/qt-6/qtsql-index.html\">Qt SQL</a>.</p>" },
    { "<b>2.</b> Links in records",
      "<p>Click a link to open it in your browser:</p>"
      "<ul><li><a href=\"https://www.qt.io/\">www.qt.io</a></li>"
      "<li><a href=\"https://www.sqlite.org/docs.html\">SQLite documentation</a></li>"
      "<li><a href=\"https://en.wikipedia.org/wiki/HTML\">HTML</a> on Wikipedia</li></ul>"
      "<p>Right-click a link for the view's link menu.</p>" },
    { "<b>3.</b> Formatting <a href=\"formatting\">(what is this?)</a>",
      "<p><b>Bold</b>, <i>italic</i>, <u>underlined</u>, <s>struck out</s>, "
      "H<sub>2</sub>O and E = mc<sup>2</sup>.</p>"
      "<p><font color=clRed>Colours</font> by <font color=\"#0080C0\">value</font> or "
      "<font color=clGreen>name</font>, <font bgcolor=clYellow>backgrounds</font> and "
      "<font size=+2>sizes</font>.</p>"
      "<ol><li>numbered</li><li>lists</li><li>too</li></ol>"
      "<hr><p align=right><i>More in the <a href=\"https://developer.mozilla.org/docs/Web/HTML\">HTML standard</a>.</i></p>" },
    { "<b>4.</b> Pictures and controls",
      "<p align=center><img src=\"file:logo.png\"></p>"
      "<p>Pictures come from files, the program or an image list. A record can even hold a real "
      "control: <control vclclass=\"TButton\" width=\"60\" height=\"20\" caption=\"Button\"></p>"
      "<p>See <a href=\"https://doc.qt.io/qt-6/qwidget.html\">QWidget</a> for what embedded controls are.</p>" },
};

void Execute(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        throw std::runtime_error(query.lastError().text().toStdString());
}

void Insert(QSqlDatabase& db, const QString& statement, const TSampleRecord& record)
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        throw std::runtime_error(query.lastError().text().toStdString());
    query.addBindValue(QString::fromUtf8(record.First));
    query.addBindValue(QString::fromUtf8(record.Second));
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
}

void FillDatabase(QSqlDatabase& db)
{
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
    if (!db.transaction())
        throw std::runtime_error(db.lastError().text().toStdString());
    QSqlQuery query(db);
    Execute(query, u"CREATE TABLE table1 (textfield1 TEXT, textfield2 TEXT)"_s);
    Execute(query, u"CREATE TABLE table2 (caption TEXT, description TEXT)"_s);
    for (const TSampleRecord& record : kTable1)
        Insert(db, u"INSERT INTO table1 (textfield1, textfield2) VALUES (?, ?)"_s, record);
    for (const TSampleRecord& record : kTable2)
        Insert(db, u"INSERT INTO table2 (caption, description) VALUES (?, ?)"_s, record);
    if (!db.commit())
        throw std::runtime_error(db.lastError().text().toStdString());
}

} // namespace

QString DefaultDatabaseFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(u"larkhtmldbaware.sqlite"_s);
}

bool CreateSampleDatabase(const QString& file, QString& error)
{
    if (QFileInfo::exists(file))
        return true;
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        error = u"cannot create the folder %1"_s.arg(QFileInfo(file).absolutePath());
        return false;
    }
    // Written under a temporary name and renamed when complete, so that a
    // failure never leaves a half-filled database that looks usable.
    const QString part = file + u".part"_s;
    QFile::remove(part);
    const QString connection = u"coredemo-sample-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(part);
        try {
            FillDatabase(db);
            done = true;
        } catch (const std::runtime_error& failure) {
            error = QString::fromStdString(failure.what());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (done && !QFile::rename(part, file)) {
        error = u"cannot rename %1 to %2"_s.arg(part, file);
        done = false;
    }
    if (!done)
        QFile::remove(part);
    return done;
}

} // namespace lark::demo
