// The dataset over an item model, its fields, data sources and links, with
// QStandardItemModel and a lazily fetching model as the data.
#include <lark/db/data_link.h>
#include <lark/db/data_source.h>
#include <lark/db/dataset.h>
#include <lark/db/field.h>

#include <QStandardItemModel>
#include <QStringListModel>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

// Columns Name and City; one row per name, the city "<name>-town".
void Fill(QStandardItemModel& model, const QStringList& names)
{
    model.clear();
    model.setHorizontalHeaderLabels({u"Name"_s, u"City"_s});
    for (const QString& name : names)
        model.appendRow({new QStandardItem(name), new QStandardItem(name + u"-town"_s)});
}

QList<QStandardItem*> Row(const QString& name)
{
    return {new QStandardItem(name), new QStandardItem(name + u"-town"_s)};
}

class DataSetTest : public testing::Test
{
protected:
    DataSetTest()
    {
        Fill(Model, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
        DataSet.SetModel(&Model);
        Source.SetDataSet(&DataSet);
        Link.SetDataSource(&Source);
        Link.SetFieldName(u"name"_s);
        Link.OnDataChange = [this](QObject*) { ++Changes; };
    }

    QString Current() const { return Link.Field() ? Link.Field()->AsString() : u"(none)"_s; }

    QStandardItemModel Model;
    TDataSet DataSet;
    TDataSource Source;
    TFieldDataLink Link;
    int Changes = 0;
};

//---- Moving -----------------------------------------------------------------

struct MoveCase
{
    const char* name;
    std::function<void(TDataSet&)> move;
    int recNo;
    bool bof;
    bool eof;
};

TEST_F(DataSetTest, MovingFollowsTheCursorRules)
{
    const MoveCase cases[] = {
        {"open", [](TDataSet&) {}, 1, true, false},
        {"next", [](TDataSet& d) { d.Next(); }, 2, false, false},
        {"prior back to the first", [](TDataSet& d) { d.Next(); d.Prior(); }, 1, false, false},
        {"prior at the first", [](TDataSet& d) { d.Prior(); }, 1, true, false},
        {"last", [](TDataSet& d) { d.Last(); }, 5, false, true},
        {"next onto the last", [](TDataSet& d) { d.MoveBy(4); }, 5, false, false},
        {"next at the last", [](TDataSet& d) { d.Last(); d.Next(); }, 5, false, true},
        {"move past the end", [](TDataSet& d) { d.MoveBy(40); }, 5, false, true},
        {"move past the start", [](TDataSet& d) { d.Last(); d.MoveBy(-40); }, 1, true, false},
        {"first after last", [](TDataSet& d) { d.Last(); d.First(); }, 1, true, false},
        {"record number", [](TDataSet& d) { d.SetRecNo(3); }, 3, false, false},
        {"record number past the end", [](TDataSet& d) { d.SetRecNo(99); }, 5, false, true},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataSet.Close();
        DataSet.Open();
        c.move(DataSet);
        EXPECT_EQ(DataSet.RecNo(), c.recNo);
        EXPECT_EQ(DataSet.Bof(), c.bof);
        EXPECT_EQ(DataSet.Eof(), c.eof);
        EXPECT_EQ(Current(), Model.item(c.recNo - 1, 0)->text());
    }
}

TEST_F(DataSetTest, TheClassicLoopVisitsEveryRecordOnce)
{
    DataSet.Open();
    QStringList seen;
    for (DataSet.First(); !DataSet.Eof(); DataSet.Next())
        seen << DataSet.FieldByName(u"NAME"_s).AsString();
    EXPECT_EQ(seen, (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}));
    EXPECT_EQ(DataSet.MoveBy(-2), -2);
    EXPECT_EQ(DataSet.RecNo(), 3);
}

TEST_F(DataSetTest, AnEmptyOrClosedDataSetHasNoRecord)
{
    EXPECT_EQ(DataSet.RecNo(), 0);
    EXPECT_EQ(DataSet.RecordCount(), 0);
    EXPECT_EQ(DataSet.FieldCount(), 0);
    Model.removeRows(0, Model.rowCount());
    DataSet.Open();
    EXPECT_TRUE(DataSet.Bof());
    EXPECT_TRUE(DataSet.Eof());
    EXPECT_EQ(DataSet.RecNo(), 0);
    DataSet.Next();
    DataSet.Last();
    EXPECT_EQ(DataSet.RecNo(), 0);
    ASSERT_NE(Link.Field(), nullptr);
    EXPECT_TRUE(Link.Field()->IsNull());
    EXPECT_EQ(Link.Field()->AsString(), QString());
}

//---- Fields -------------------------------------------------------------------

TEST_F(DataSetTest, FieldsAreTheColumnsFoundInAnyLetterCase)
{
    DataSet.Open();
    ASSERT_EQ(DataSet.FieldCount(), 2);
    EXPECT_EQ(DataSet.FieldNames(), (QStringList{u"Name"_s, u"City"_s}));
    EXPECT_EQ(DataSet.FindField(u"city"_s), DataSet.Fields(1));
    EXPECT_EQ(DataSet.FindField(u"CITY"_s), DataSet.Fields(1));
    EXPECT_EQ(DataSet.FindField(u"country"_s), nullptr);
    EXPECT_EQ(DataSet.FieldByName(u"City"_s).AsString(), u"a-town"_s);
    EXPECT_EQ(DataSet.FieldByName(u"City"_s).FieldNo(), 2);
    try {
        DataSet.FieldByName(u"country"_s);
        FAIL() << "no exception";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains(u"'country'"_s)) << error.what();
    }
    EXPECT_THROW(DataSet.Fields(2), EListError);
}

TEST_F(DataSetTest, DisplayTextIsTheModelsDisplayRole)
{
    Model.item(0, 1)->setData(u"stored"_s, Qt::EditRole);
    Model.item(0, 1)->setData(u"shown"_s, Qt::DisplayRole);
    // QStandardItem keeps one value for both roles; a role-splitting model:
    QStandardItemModel split;
    split.setHorizontalHeaderLabels({u"Value"_s});
    auto* item = new QStandardItem;
    item->setData(42, Qt::EditRole);
    split.appendRow(item);
    TDataSet dataSet;
    dataSet.SetModel(&split);
    dataSet.Open();
    TField& value = dataSet.FieldByName(u"value"_s);
    EXPECT_EQ(value.AsString(), u"42"_s);
    EXPECT_EQ(value.AsInteger(), 42);
    value.OnGetText = [](TField*, QString& text, bool display) {
        if (display)
            text = u"#"_s + text;
    };
    EXPECT_EQ(value.DisplayText(), u"#42"_s);
    EXPECT_EQ(value.AsString(), u"42"_s);
}

TEST_F(DataSetTest, OpeningWithoutAModelRaises)
{
    TDataSet empty;
    EXPECT_THROW(empty.Open(), EDatabaseError);
    EXPECT_FALSE(empty.Active());
}

TEST_F(DataSetTest, AModelThatGoesAwayClosesTheDataSet)
{
    auto* model = new QStandardItemModel;
    Fill(*model, {u"x"_s});
    TDataSet dataSet;
    dataSet.SetModel(model);
    dataSet.Open();
    delete model;
    EXPECT_FALSE(dataSet.Active());
    EXPECT_EQ(dataSet.FieldCount(), 0);
}

//---- The model's changes --------------------------------------------------------

struct ChangeCase
{
    const char* name;
    int startRecNo;
    std::function<void(QStandardItemModel&)> change;
    QString current; // the current record's name afterwards
    int recNo;
};

TEST_F(DataSetTest, ModelChangesKeepTheCurrentRecordWhereAUserExpects)
{
    const ChangeCase cases[] = {
        {"row before removed", 3, [](QStandardItemModel& m) { m.removeRow(0); }, u"c"_s, 2},
        {"row after removed", 3, [](QStandardItemModel& m) { m.removeRow(4); }, u"c"_s, 3},
        {"current row removed: the next takes its place", 3, [](QStandardItemModel& m) { m.removeRow(2); }, u"d"_s,
         3},
        {"current last row removed: the new last", 5, [](QStandardItemModel& m) { m.removeRow(4); }, u"d"_s, 4},
        {"current row among several removed", 3, [](QStandardItemModel& m) { m.removeRows(1, 3); }, u"e"_s, 2},
        {"row inserted before", 3, [](QStandardItemModel& m) { m.insertRow(0, Row(u"z"_s)); }, u"c"_s, 4},
        {"row inserted after", 3, [](QStandardItemModel& m) { m.insertRow(4, Row(u"z"_s)); }, u"c"_s, 3},
        {"sorted", 1, [](QStandardItemModel& m) { m.sort(0, Qt::DescendingOrder); }, u"a"_s, 5},
        {"value of the current record", 2, [](QStandardItemModel& m) { m.item(1, 0)->setText(u"B"_s); }, u"B"_s, 2},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(Model, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
        DataSet.Close();
        DataSet.Open();
        DataSet.SetRecNo(c.startRecNo);
        Changes = 0;
        c.change(Model);
        EXPECT_EQ(Current(), c.current);
        EXPECT_EQ(DataSet.RecNo(), c.recNo);
        EXPECT_EQ(Changes, 1);
    }
}

// Moves and resets, on a model that implements them.
struct ListCase
{
    const char* name;
    int startRecNo;
    std::function<void(QStringListModel&)> change;
    QString current;
    int recNo;
};

TEST(ListDataSetTest, MovesAndResetsKeepTheCurrentRecordWhereAUserExpects)
{
    const QStringList letters{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
    const ListCase cases[] = {
        {"current row moved down", 2, [](QStringListModel& m) { m.moveRows(QModelIndex(), 1, 1, QModelIndex(), 4); },
         u"b"_s, 4},
        {"current row moved up", 4, [](QStringListModel& m) { m.moveRows(QModelIndex(), 3, 1, QModelIndex(), 0); },
         u"d"_s, 1},
        {"rows moved across it", 3, [](QStringListModel& m) { m.moveRows(QModelIndex(), 0, 2, QModelIndex(), 5); },
         u"c"_s, 1},
        {"reset to fewer rows", 4, [](QStringListModel& m) { m.setStringList({u"p"_s, u"q"_s}); }, u"q"_s, 2},
        {"reset to more rows", 2, [](QStringListModel& m) { m.setStringList({u"p"_s, u"q"_s, u"r"_s}); }, u"q"_s,
         2},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringListModel model(letters);
        TDataSet dataSet;
        dataSet.SetModel(&model);
        TDataSource source;
        source.SetDataSet(&dataSet);
        TFieldDataLink link;
        link.SetDataSource(&source);
        link.SetFieldName(u"1"_s); // the default header names the column by number
        dataSet.Open();
        dataSet.SetRecNo(c.startRecNo);
        int changes = 0;
        link.OnDataChange = [&](QObject*) { ++changes; };
        c.change(model);
        ASSERT_NE(link.Field(), nullptr);
        EXPECT_EQ(link.Field()->AsString(), c.current);
        EXPECT_EQ(dataSet.RecNo(), c.recNo);
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(DataSetTest, ChangesElsewhereDoNotDisturbTheCurrentRecord)
{
    DataSet.Open();
    Changes = 0;
    Model.item(3, 0)->setText(u"D"_s);
    EXPECT_EQ(Changes, 0);
    Model.item(0, 1)->setText(u"A-city"_s); // another field of the current record
    EXPECT_EQ(Changes, 0);
    Model.item(0, 0)->setText(u"A"_s);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Current(), u"A"_s);
}

TEST_F(DataSetTest, RemovingEveryRowLeavesAnEmptyDataSet)
{
    DataSet.Open();
    DataSet.SetRecNo(2);
    Model.removeRows(0, 5);
    EXPECT_TRUE(DataSet.IsEmpty());
    EXPECT_TRUE(DataSet.Bof());
    EXPECT_TRUE(DataSet.Eof());
    EXPECT_EQ(Current(), QString());
    Model.appendRow(Row(u"n"_s));
    EXPECT_EQ(DataSet.RecNo(), 1);
    EXPECT_EQ(Current(), u"n"_s);
}

TEST_F(DataSetTest, RenamedColumnsRebindTheLinkByName)
{
    DataSet.Open();
    Link.SetFieldName(u"city"_s);
    EXPECT_EQ(Current(), u"a-town"_s);
    Model.setHorizontalHeaderLabels({u"City"_s, u"Name"_s});
    EXPECT_EQ(Link.Field(), DataSet.Fields(0));
    EXPECT_EQ(Current(), u"a"_s);
}

// The field keeps its name but now reads another column: the link hears of it.
TEST_F(DataSetTest, AFieldKeptByNameButReadingAnotherColumnNotifiesTheLink)
{
    DataSet.Open();
    Model.insertColumn(2, {new QStandardItem(u"second a"_s), new QStandardItem(u"second b"_s)});
    Model.setHorizontalHeaderItem(2, new QStandardItem(u"Name"_s));
    TField* field = Link.Field();
    ASSERT_EQ(Current(), u"a"_s);
    Changes = 0;
    Model.removeColumn(0);
    EXPECT_EQ(Link.Field(), field);
    EXPECT_EQ(Current(), u"second a"_s);
    EXPECT_GE(Changes, 1);
}

//---- Lazy models ------------------------------------------------------------------

// Rows arrive ten at a time, as an SQL model's do.
class LazyModel : public QAbstractTableModel
{
public:
    explicit LazyModel(int total)
        : FTotal(total)
    {
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : FLoaded; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole || role == Qt::EditRole ? QVariant(index.row() + 1) : QVariant();
    }
    QVariant headerData(int, Qt::Orientation, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(u"N"_s) : QVariant();
    }
    bool canFetchMore(const QModelIndex& parent) const override { return !parent.isValid() && FLoaded < FTotal; }
    void fetchMore(const QModelIndex& parent) override
    {
        const int more = std::min(10, FTotal - FLoaded);
        if (parent.isValid() || more <= 0)
            return;
        beginInsertRows(QModelIndex(), FLoaded, FLoaded + more - 1);
        FLoaded += more;
        endInsertRows();
    }

private:
    int FTotal;
    int FLoaded = 0;
};

TEST(LazyDataSetTest, ReadsOnlyAsFarAsTheCursorGoes)
{
    LazyModel model(35);
    TDataSet dataSet;
    dataSet.SetModel(&model);
    dataSet.Open();
    EXPECT_EQ(model.rowCount(), 10);
    int scrolls = 0;
    QObject::connect(&dataSet, &TDataSet::scrolled, [&] { ++scrolls; });
    for (int i = 0; i < 24; ++i)
        dataSet.Next();
    EXPECT_EQ(dataSet.RecNo(), 25);
    EXPECT_EQ(dataSet.FieldByName(u"n"_s).AsInteger(), 25);
    EXPECT_EQ(model.rowCount(), 30);
    EXPECT_EQ(scrolls, 24);
    EXPECT_FALSE(dataSet.Eof());
    EXPECT_EQ(dataSet.RecordCount(), 35);
    dataSet.Last();
    EXPECT_EQ(dataSet.RecNo(), 35);
    EXPECT_TRUE(dataSet.Eof());
}

//---- Sources and links ----------------------------------------------------------

TEST_F(DataSetTest, ADisabledSourceLooksClosedToItsLinks)
{
    DataSet.Open();
    int states = 0;
    Source.OnStateChange = [&](QObject*) { ++states; };
    Source.SetEnabled(false);
    EXPECT_FALSE(Link.Active());
    EXPECT_EQ(Link.Field(), nullptr);
    DataSet.Next();
    EXPECT_EQ(Link.Field(), nullptr);
    Source.SetEnabled(true);
    EXPECT_EQ(Current(), u"b"_s);
    EXPECT_EQ(states, 2);
}

TEST_F(DataSetTest, TheFieldLinkRebindsWhenTheNameOrTheDataSetChanges)
{
    DataSet.Open();
    int actives = 0;
    Link.OnActiveChange = [&](QObject*) { ++actives; };
    Changes = 0;
    Link.SetFieldName(u"CITY"_s);
    EXPECT_EQ(Current(), u"a-town"_s);
    EXPECT_EQ(Changes, 1);
    Link.SetFieldName(u"city"_s); // the same field: nothing to show anew
    EXPECT_EQ(Changes, 1);

    QStandardItemModel other;
    Fill(other, {u"x"_s});
    TDataSet otherSet;
    otherSet.SetModel(&other);
    otherSet.Open();
    Source.SetDataSet(&otherSet);
    EXPECT_EQ(Current(), u"x-town"_s);
    EXPECT_EQ(Link.Field()->DataSet(), &otherSet);
    EXPECT_EQ(actives, 1);

    // The data source notifies after its links, with the Qt signal too.
    TField* seen = reinterpret_cast<TField*>(1);
    QObject::connect(&Source, &TDataSource::dataChanged, [&](TField* field) { seen = field; });
    otherSet.Close();
    EXPECT_EQ(Link.Field(), nullptr);
    EXPECT_EQ(actives, 2);
    other.item(0, 0)->setText(u"y"_s);
    otherSet.Open();
    other.item(0, 1)->setText(u"y-town"_s);
    EXPECT_EQ(seen, otherSet.Fields(1));
}

TEST_F(DataSetTest, DestroyedPartnersLeaveTheOthersClean)
{
    DataSet.Open();
    {
        TDataSource source;
        source.SetDataSet(&DataSet);
        TFieldDataLink link;
        link.SetDataSource(&source);
        link.SetFieldName(u"name"_s);
        EXPECT_NE(link.Field(), nullptr);
    } // link first, then source: the dataset keeps no dangling source
    DataSet.Next();
    auto* dataSet = new TDataSet;
    dataSet->SetModel(&Model);
    dataSet->Open();
    Source.SetDataSet(dataSet);
    EXPECT_EQ(Current(), u"a"_s);
    delete dataSet;
    EXPECT_EQ(Source.DataSet(), nullptr);
    EXPECT_EQ(Link.Field(), nullptr);
    EXPECT_FALSE(Link.Active());
}

} // namespace
} // namespace lark
