// Browsing a table: the current record moves through all 10,000 records of
// an SQLite table, one pass per iteration, and the control showing it is
// repainted at every record. Lark: a data-aware label in template mode filling two variables
// from two fields. Qt: QDataWidgetMapper putting the same text, as one
// rich-text field, into an auto-sized QLabel (set, size, paint).
//
// Both read the same file through lazily fetching SQL models. A pass takes
// a good part of a second with QLabel, so these cases run a few single
// passes rather than the usual timed repetitions.
#include "cases.h"

#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/sql_table.h>

#include <benchmark/benchmark.h>

#include <QDataWidgetMapper>
#include <QImage>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace lark::bench {

namespace {

constexpr int kRecords = 10000;

// The table, made once per run: TextField1, TextField2, and Html holding
// what the template shows of them.
const QString& RecordsFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"records.db"_s);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bench-writer"_s);
            db.setDatabaseName(file);
            db.open();
            QSqlQuery query(db);
            query.exec(u"CREATE TABLE Records (Id INTEGER PRIMARY KEY, TextField1 VARCHAR(40), "
                       u"TextField2 VARCHAR(40), Html VARCHAR(120))"_s);
            db.transaction();
            query.prepare(u"INSERT INTO Records VALUES (?, ?, ?, ?)"_s);
            for (int id = 1; id <= kRecords; ++id) {
                const QString one = u"Name %1"_s.arg(id);
                const QString two = u"%1 Main Street"_s.arg(id * 7);
                query.addBindValue(id);
                query.addBindValue(one);
                query.addBindValue(two);
                query.addBindValue(u"<b>%1</b> lives at <i>%2</i>"_s.arg(one, two));
                if (!query.exec())
                    std::fprintf(stderr, "lark_bench: cannot fill the records table\n");
            }
            db.commit();
        }
        QSqlDatabase::removeDatabase(u"bench-writer"_s);
        return file;
    }();
    return path;
}

QImage Target()
{
    QImage image(kPageWidth, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void LarkDBLabel(benchmark::State& state)
{
    QImage image = Target();
    TSQLTable table;
    table.SetDatabaseName(RecordsFile());
    table.SetTableName(u"Records"_s);
    table.Open();
    TDataSource source;
    source.SetDataSet(&table);
    TLarkHTMLDBLabel label;
    label.SetAutoSize(true);
    label.SetWordWrap(false);
    label.SetCaption(u"<b><~~TextField1></b> lives at <i><~~TextField2></i>"_s);
    label.SetDataSource(&source);
    label.SetIsTemplate(true);
    for (auto _ : state) {
        for (table.First(); !table.Eof(); table.Next())
            label.render(&image);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    benchmark::DoNotOptimize(label.size());
}

void QtMapperLabel(benchmark::State& state)
{
    QImage image = Target();
    const QString connection = u"bench-mapper"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(RecordsFile());
        db.open();
        QSqlTableModel model(nullptr, db);
        model.setTable(u"Records"_s);
        model.select();
        QLabel label;
        label.setFont(DocumentFont());
        label.setTextFormat(Qt::RichText);
        QDataWidgetMapper mapper;
        mapper.setModel(&model);
        mapper.addMapping(&label, model.fieldIndex(u"Html"_s), "text");
        for (auto _ : state) {
            mapper.toFirst();
            for (;;) {
                label.resize(label.sizeHint());
                label.render(&image);
                // The mapper moves only through the rows already read.
                const int next = mapper.currentIndex() + 1;
                if (next >= model.rowCount() && model.canFetchMore())
                    model.fetchMore();
                if (next >= model.rowCount())
                    break;
                mapper.toNext();
            }
        }
        state.SetItemsProcessed(state.iterations() * kRecords);
        benchmark::DoNotOptimize(label.size());
    }
    QSqlDatabase::removeDatabase(connection);
}

void ConfigurePass(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

} // namespace

void RegisterDBCases()
{
    ConfigurePass(benchmark::RegisterBenchmark(names::kDBLabelLark, LarkDBLabel));
    ConfigurePass(benchmark::RegisterBenchmark(names::kDBLabelQt, QtMapperLabel));
}

} // namespace lark::bench
