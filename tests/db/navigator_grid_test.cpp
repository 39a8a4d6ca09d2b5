// The navigator's buttons and the grid's current row follow the dataset.
#include <lark/db/data_source.h>
#include <lark/db/dataset.h>
#include <lark/db/field.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>

#include "support/image_checks.h"

#include <QStandardItemModel>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

class DataControlsTest : public testing::Test
{
protected:
    DataControlsTest()
    {
        Model.setHorizontalHeaderLabels({u"Name"_s, u"City"_s});
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s})
            Model.appendRow({new QStandardItem(name), new QStandardItem(name + u"-town"_s)});
        DataSet.SetModel(&Model);
        Source.SetDataSet(&DataSet);
        Form.resize(360, 200);
        Navigator = new TDBNavigator(&Form);
        Navigator->SetDataSource(&Source);
        Grid = new TDBGrid(&Form);
        Grid->setGeometry(0, 40, 360, 160);
        Grid->SetDataSource(&Source);
        Form.show();
    }

    // First, Prior, Next, Last, Refresh: 1 for enabled.
    QString Enabled() const
    {
        QString states;
        for (int b = 0; b < TDBNavigator::ButtonCount; ++b)
            states += Navigator->Button(TDBNavigator::TNavigateBtn(b))->isEnabled() ? u'1' : u'0';
        return states;
    }

    QStandardItemModel Model;
    TDataSet DataSet;
    TDataSource Source;
    QWidget Form;
    TDBNavigator* Navigator = nullptr;
    TDBGrid* Grid = nullptr;
};

struct NavigatorCase
{
    const char* name;
    std::function<void(TDBNavigator&, TDataSet&)> act;
    QString enabled;
    int recNo;
};

TEST_F(DataControlsTest, NavigatorButtonsFollowBofAndEof)
{
    using N = TDBNavigator;
    const NavigatorCase cases[] = {
        {"closed", [](N&, TDataSet& d) { d.Close(); }, u"00000"_s, 0},
        {"opened", [](N&, TDataSet&) {}, u"00111"_s, 1},
        {"next clicked", [](N& n, TDataSet&) { n.Button(N::nbNext)->click(); }, u"11111"_s, 2},
        {"last clicked", [](N& n, TDataSet&) { n.Button(N::nbLast)->click(); }, u"11001"_s, 3},
        {"prior from the last", [](N& n, TDataSet&) {
             n.Button(N::nbLast)->click();
             n.Button(N::nbPrior)->click();
         }, u"11111"_s, 2},
        {"first clicked", [](N& n, TDataSet&) {
             n.Button(N::nbLast)->click();
             n.Button(N::nbFirst)->click();
         }, u"00111"_s, 1},
        {"refresh keeps the record", [](N& n, TDataSet& d) {
             d.SetRecNo(2);
             n.Button(N::nbRefresh)->click();
         }, u"11111"_s, 2},
    };
    for (const NavigatorCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataSet.Close();
        DataSet.Open();
        c.act(*Navigator, DataSet);
        EXPECT_EQ(Enabled(), c.enabled);
        EXPECT_EQ(DataSet.RecNo(), c.recNo);
    }
    Source.SetEnabled(false);
    EXPECT_EQ(Enabled(), u"00000"_s);
}

TEST_F(DataControlsTest, NavigatorReportsClicks)
{
    DataSet.Open();
    QList<TDBNavigator::TNavigateBtn> clicked;
    Navigator->OnClick = [&](QObject*, TDBNavigator::TNavigateBtn b) { clicked << b; };
    Navigator->Button(TDBNavigator::nbNext)->click();
    Navigator->Button(TDBNavigator::nbFirst)->click();
    EXPECT_EQ(clicked, (QList<TDBNavigator::TNavigateBtn>{TDBNavigator::nbNext, TDBNavigator::nbFirst}));
}

// A dataset whose data cannot be read again.
class FailingDataSet : public TDataSet
{
protected:
    void InternalRefresh() override { throw EDatabaseError(u"server gone away"_s); }
};

TEST_F(DataControlsTest, NavigatorReportsARefreshThatFails)
{
    FailingDataSet failing;
    failing.SetModel(&Model);
    failing.Open();
    failing.Last();
    Source.SetDataSet(&failing);
    QStringList errors;
    Navigator->OnError = [&](QObject*, const QString& message) { errors << message; };
    int clicks = 0;
    Navigator->OnClick = [&](QObject*, TDBNavigator::TNavigateBtn) { ++clicks; };
    Navigator->BtnClick(TDBNavigator::nbRefresh);
    EXPECT_EQ(errors, QStringList{u"server gone away"_s});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(failing.RecNo(), 3);
    EXPECT_EQ(Enabled(), u"11001"_s);
}

TEST_F(DataControlsTest, GridAndDataSetShareOneCurrentRow)
{
    EXPECT_EQ(Grid->model(), nullptr);
    DataSet.Open();
    ASSERT_EQ(Grid->model(), &Model);
    EXPECT_EQ(Grid->currentIndex().row(), 0);

    DataSet.Last();
    EXPECT_EQ(Grid->currentIndex().row(), 2);
    EXPECT_TRUE(Grid->selectionModel()->isRowSelected(2, QModelIndex()));

    // The user picks a row in the grid.
    Grid->setCurrentIndex(Model.index(1, 1));
    EXPECT_EQ(DataSet.RecNo(), 2);
    EXPECT_EQ(DataSet.FieldByName(u"name"_s).AsString(), u"b"_s);
    EXPECT_EQ(Grid->currentIndex().column(), 1);

    // A removed current row moves both to the record that took its place.
    Model.removeRow(1);
    EXPECT_EQ(DataSet.FieldByName(u"name"_s).AsString(), u"c"_s);
    EXPECT_EQ(Grid->currentIndex().row(), DataSet.CurrentRow());

    EXPECT_EQ(Grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    DataSet.Close();
    EXPECT_EQ(Grid->model(), nullptr);
}

TEST_F(DataControlsTest, GridAndNavigatorAsDrawn)
{
    DataSet.Open();
    DataSet.Next();
    const QImage shot = Form.grab().toImage();
    test::SaveForReview(shot, u"db-navigator-grid"_s);
    // The selected row is painted in the highlight colour.
    const QRect row = Grid->visualRect(Model.index(1, 0)).translated(Grid->viewport()->mapTo(&Form, QPoint()));
    const QRect other = Grid->visualRect(Model.index(2, 0)).translated(Grid->viewport()->mapTo(&Form, QPoint()));
    const QPalette::ColorGroup group = Grid->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor highlight = Grid->palette().color(group, QPalette::Highlight);
    EXPECT_GT(test::CountPixels(shot, row, highlight, 8), row.width() * row.height() / 3);
    EXPECT_EQ(test::CountPixels(shot, other, highlight, 8), 0);
}

} // namespace
} // namespace lark
