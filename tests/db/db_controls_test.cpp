// The data-aware label and view on both databases: normal and template
// mode, rebinding, notifications, rows deleted under them, closing and
// reopening, and browsing that leaves the database as it was.
#include "db/test_database.h"

#include <lark/controls/label.h>
#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/db/field.h>
#include <lark/db/sql_table.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include "support/image_checks.h"
#include "support/property_checks.h"

#include <QSqlError>
#include <QSqlTableModel>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::Backend;
using test::TestDatabase;

enum class Kind { Label, View };

// The two controls behind one face, so that every case runs on both.
class Bound
{
public:
    virtual ~Bound() = default;
    virtual QWidget* Widget() = 0;
    virtual void SetDataSource(TDataSource* value) = 0;
    virtual void SetDataField(const QString& value) = 0;
    virtual QString DataField() const = 0;
    virtual void SetIsTemplate(bool value) = 0;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& value) = 0;
    virtual TNotifyEvent& OnDataChange() = 0;
    virtual TLarkHTMLVariableNeededEvent& OnGetVariable() = 0;
    virtual TLarkHTMLRender* Render() const = 0;
    // Where the text is drawn, in widget coordinates.
    virtual QRect TextArea() const = 0;

    // The document's words and filled variables, blanks collapsed.
    QString Shown() const
    {
        QString text;
        for (const auto& item : Render()->Data()->Items()) {
            if (item->ItemType() == hitChar || item->ItemType() == hitVar)
                text += item->Text();
        }
        return text.simplified();
    }
    QImage Grab() { return Widget()->grab().toImage(); }
};

template <class C>
class BoundControl final : public Bound
{
public:
    explicit BoundControl(QWidget* parent)
        : FControl(new C(parent))
    {
        FControl->setGeometry(10, 10, 300, 120);
        FControl->Font().SetName(u"DejaVu Sans"_s);
        FControl->Font().SetHeight(-16);
        FControl->show();
    }
    QWidget* Widget() override { return FControl; }
    void SetDataSource(TDataSource* value) override { FControl->SetDataSource(value); }
    void SetDataField(const QString& value) override { FControl->SetDataField(value); }
    QString DataField() const override { return FControl->DataField(); }
    void SetIsTemplate(bool value) override { FControl->SetIsTemplate(value); }
    QString Caption() const override { return FControl->Caption(); }
    void SetCaption(const QString& value) override { FControl->SetCaption(value); }
    TNotifyEvent& OnDataChange() override { return FControl->OnDataChange; }
    TLarkHTMLVariableNeededEvent& OnGetVariable() override { return FControl->OnGetVariable; }
    TLarkHTMLRender* Render() const override { return FControl->Render(); }
    QRect TextArea() const override
    {
        if constexpr (std::is_same_v<C, TLarkHTMLDBView>)
            return FControl->TextRect();
        else
            return FControl->rect();
    }

private:
    C* FControl;
};

std::unique_ptr<Bound> MakeBound(Kind kind, QWidget* parent)
{
    if (kind == Kind::Label)
        return std::make_unique<BoundControl<TLarkHTMLDBLabel>>(parent);
    return std::make_unique<BoundControl<TLarkHTMLDBView>>(parent);
}

// Pixels of the text area darker than mid grey: the ink of the text.
int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

class DBControlTest : public testing::TestWithParam<std::tuple<Backend, Kind>>
{
protected:
    DBControlTest()
        : Db(std::get<0>(GetParam()))
    {
        Db.CreatePeople();
        Db.Bind(Table);
        Table.SetTableName(u"People"_s);
        Source.SetDataSet(&Table);
        Form.resize(320, 140);
        Form.show();
        Control = MakeBound(std::get<1>(GetParam()), &Form);
        Control->SetDataSource(&Source);
    }

    // Opens the table on record RecNo with the control bound to Field.
    void ShowField(const QString& field, int recNo = 1)
    {
        Control->SetDataField(field);
        Table.Open();
        Table.SetRecNo(recNo);
    }

    TestDatabase Db;
    TSQLTable Table;
    TDataSource Source;
    QWidget Form;
    std::unique_ptr<Bound> Control;
};

TEST_P(DBControlTest, ABoldValueShowsBoldAndAnEmptyValueNothing)
{
    ShowField(u"Notes"_s);
    EXPECT_EQ(Control->Caption(), u"<b>Alpha</b>"_s);
    EXPECT_EQ(Control->Shown(), u"Alpha"_s);
    const QRect area = Control->TextArea();
    const int bold = DarkPixels(Control->Grab(), area);
    test::SaveForReview(Control->Grab(), u"db-control-bold-%1"_s.arg(int(std::get<1>(GetParam()))));

    // The same word unbound and plain, in the same control.
    Control->SetDataSource(nullptr);
    Control->SetCaption(u"Alpha"_s);
    const int plain = DarkPixels(Control->Grab(), area);
    EXPECT_GT(plain, 20);
    EXPECT_GT(bold, plain * 6 / 5);

    Control->SetDataSource(&Source);
    for (const int recNo : {2, 3}) { // an empty text, then NULL
        SCOPED_TRACE(recNo);
        Table.SetRecNo(recNo);
        EXPECT_EQ(Control->Caption(), QString());
        EXPECT_EQ(DarkPixels(Control->Grab(), area), 0);
    }
}

TEST_P(DBControlTest, ATemplateFollowsTheRecordsAndStaysAsItWas)
{
    ShowField(u"Template"_s);
    Control->SetIsTemplate(true);
    const QString templateText = u"[<~~textfield1>|<~~textfield2>]"_s;
    const char* expected[] = {"[one-a |two-a ]", "[one-b |two-b ]", "[one-c |two-c ]"};
    for (int recNo = 1; recNo <= 3; ++recNo) {
        SCOPED_TRACE(recNo);
        Table.SetRecNo(recNo);
        EXPECT_EQ(Control->Caption(), templateText);
        EXPECT_EQ(Control->Shown(), QString::fromLatin1(expected[recNo - 1]));
    }
    // Filling the template bound the link to each variable's field in turn.
    EXPECT_EQ(Control->DataField(), u"textfield2"_s);
}

TEST_P(DBControlTest, AVariableMatchesAFieldInOtherLetterCase)
{
    ShowField(u"Template"_s, 2); // "<~~TEXTFIELD2>!"
    Control->SetIsTemplate(true);
    EXPECT_EQ(Control->Shown(), u"two-b !"_s);
}

TEST_P(DBControlTest, AVariableNamingNoFieldIsTheApplications)
{
    ShowField(u"Template"_s, 3); // "<~~nosuch>"
    Control->SetIsTemplate(true);
    EXPECT_EQ(Control->Shown(), u"~~"_s); // nobody answered

    QStringList asked;
    Control->OnGetVariable() = [&](QObject*, const QString& name, QString& value) {
        asked << name;
        value = u"("_s + name + u")"_s;
    };
    Table.Refresh();
    EXPECT_EQ(asked, QStringList{u"nosuch"_s});
    EXPECT_EQ(Control->Shown(), u"(nosuch)"_s);
}

TEST_P(DBControlTest, TemplateModeOffBindsTheFieldItHadBefore)
{
    ShowField(u"Template"_s);
    Control->SetIsTemplate(true);
    Table.SetRecNo(2); // the template stays record 1's
    EXPECT_EQ(Control->DataField(), u"textfield2"_s);
    Control->SetIsTemplate(false);
    EXPECT_EQ(Control->DataField(), u"Template"_s);
    EXPECT_EQ(Control->Caption(), u"<~~TEXTFIELD2>!"_s);
    Table.SetRecNo(1);
    EXPECT_EQ(Control->Caption(), u"[<~~textfield1>|<~~textfield2>]"_s);
}

TEST_P(DBControlTest, OnDataChangeRunsOncePerChangeAfterTheControlUpdated)
{
    ShowField(u"Name"_s);
    QStringList seen; // what the control showed when the event ran
    Control->OnDataChange() = [&](QObject*) { seen << Control->Shown(); };
    Table.Next();
    EXPECT_EQ(seen, QStringList{u"Bob"_s});

    Control->SetDataField(u"Template"_s); // record 2's: "<~~TEXTFIELD2>!"
    EXPECT_EQ(seen, (QStringList{u"Bob"_s, u"~~ !"_s}));
    Control->SetIsTemplate(true); // the control refreshes itself: one event
    EXPECT_EQ(seen.size(), 3);
    seen.clear();
    Table.Prior();
    EXPECT_EQ(seen, QStringList{u"two-a !"_s});
    Table.Last();
    EXPECT_EQ(seen, (QStringList{u"two-a !"_s, u"two-c !"_s}));
}

TEST_P(DBControlTest, NoFieldOrAClosedDataSetShowsNothingAndReopeningShowsTheField)
{
    ShowField(u"Name"_s, 2);
    EXPECT_EQ(Control->Caption(), u"Bob"_s);
    Control->SetDataField(QString());
    EXPECT_EQ(Control->Caption(), QString());
    Control->SetDataField(u"Name"_s);
    EXPECT_EQ(Control->Caption(), u"Bob"_s);
    Table.Close();
    EXPECT_EQ(Control->Caption(), QString());
    EXPECT_EQ(Control->Shown(), QString());
    Table.Open();
    EXPECT_EQ(Control->Caption(), u"Ann"_s);
    Source.SetEnabled(false);
    EXPECT_EQ(Control->Caption(), QString());
}

TEST_P(DBControlTest, ACurrentRowDeletedUnderTheControlShowsTheNextRecord)
{
    Table.SetReadOnly(false);
    ShowField(u"Name"_s, 2);
    EXPECT_EQ(Control->Caption(), u"Bob"_s);
    QSqlTableModel* model = Table.TableModel();
    ASSERT_TRUE(model->removeRow(Table.CurrentRow()));
    ASSERT_TRUE(model->submitAll()) << model->lastError().text().toStdString();
    EXPECT_EQ(Control->Caption(), u"Cy"_s);
    EXPECT_EQ(Table.RecNo(), 2);
    EXPECT_EQ(Table.RecordCount(), 2);
    // The last one: the new last record shows.
    ASSERT_TRUE(model->removeRow(Table.CurrentRow()));
    ASSERT_TRUE(model->submitAll());
    EXPECT_EQ(Control->Caption(), u"Ann"_s);
}

INSTANTIATE_TEST_SUITE_P(Databases, DBControlTest,
                         testing::Combine(testing::Values(Backend::SQLite, Backend::PostgreSQL),
                                          testing::Values(Kind::Label, Kind::View)),
                         [](const testing::TestParamInfo<std::tuple<Backend, Kind>>& row) {
                             return test::BackendName(std::get<0>(row.param)) +
                                    (std::get<1>(row.param) == Kind::Label ? "_Label" : "_View");
                         });

//---- Browsing writes nothing ------------------------------------------------------

// Every mode of both controls over a read-only and a writable table.
TEST_P(DBControlTest, BrowsingInEveryModeLeavesTheDatabaseUnchanged)
{
    const QByteArray before = Db.Fingerprint();
    const qint64 counter = Db.Kind() == Backend::SQLite ? test::SQLiteChangeCounter(Db.FilePath()) : 0;
    for (const bool readOnly : {true, false}) {
        for (const bool templated : {false, true}) {
            SCOPED_TRACE(std::string(readOnly ? "read-only" : "writable") + (templated ? " template" : " normal"));
            Table.SetReadOnly(readOnly);
            ShowField(u"Template"_s);
            Control->SetIsTemplate(templated);
            for (Table.First(); !Table.Eof(); Table.Next())
                Control->Grab();
            Table.Last();
            Table.MoveBy(-2);
            Table.Refresh();
            Control->SetDataField(u"Notes"_s);
            Control->SetIsTemplate(!templated);
            Control->SetIsTemplate(templated);
            Table.Close();
            Control->SetIsTemplate(false);
            EXPECT_EQ(Db.Fingerprint(), before);
            if (Db.Kind() == Backend::SQLite) {
                EXPECT_EQ(test::SQLiteChangeCounter(Db.FilePath()), counter);
            }
        }
    }
}

// Qt Designer's "restore default" on a new control leaves it as it was, the
// binding's settings included.
TEST(DBControlDefaults, ResetOnANewControlChangesNothing)
{
    TLarkHTMLDBLabel label;
    EXPECT_GE(test::ExpectFreshResetsKeepValues(label), 10);
    TLarkHTMLDBView view;
    EXPECT_GE(test::ExpectFreshResetsKeepValues(view), 16);
    label.SetIsTemplate(true);
    label.SetDataField(u"Notes"_s);
    label.ResetIsTemplate();
    label.ResetDataField();
    EXPECT_FALSE(label.IsTemplate());
    EXPECT_TRUE(label.DataField().isEmpty());
}

} // namespace
} // namespace lark
