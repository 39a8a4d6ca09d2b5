#include "core_form.h"

#include "demo_database.h"
#include "demo_messages.h"
#include "image_lists.h"
#include "navigation_bar.h"
#include "page_table.h"
#include "themes.h"

#include <lark/db/data_source.h>
#include <lark/db/sql_table.h>

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>

#include <exception>
#include <optional>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr QSize kClientSize(703, 552);
// The outer minimum of 715 x 560, less a window frame of 6 pixels a side and
// a 32-pixel title bar: the window never gets narrower than its design.
constexpr QSize kMinimumClientSize(703, 522);
constexpr int kBorderWidth = 2;
constexpr int kTopPanelHeight = 32;
constexpr int kBottomPanelHeight = 40;
constexpr int kNavigationWidth = 153;
constexpr int kStylesComboWidth = 145;
constexpr TColor kButtonColor = 0xDBE1E2;
constexpr TColor kSelectedButtonColor = 0xBEC7CA;
const QString kFirstPage = u"TLarkHTMLLabel"_s;

QFrame* CreatePanel(QWidget* parent, const QString& name, int height)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    return panel;
}

} // namespace

TfrmLarkHTMLCore::TfrmLarkHTMLCore(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"frmLarkHTMLCore"_s);
    setWindowTitle(u"Lark HTML Controls Demo"_s);
    QFont tahoma(u"Tahoma"_s);
    tahoma.setPixelSize(11);
    setFont(tahoma);
    setMinimumSize(kMinimumClientSize);
    resize(kClientSize);

    FImages = new TfrmImages(this);
    CreateComponents();
    NavigationButtonClicked(kFirstPage);
    FillStylesCombo();
}

TfrmLarkHTMLCore::~TfrmLarkHTMLCore()
{
    // Pages go first: they refer to the image list.
    delete FCurrentFrame;
}

void TfrmLarkHTMLCore::CreateComponents()
{
    Panel2 = CreatePanel(this, u"Panel2"_s, kTopPanelHeight);
    FStylesCombo = new QComboBox(Panel2);
    FStylesCombo->setObjectName(u"StylesCombo"_s);
    FStylesCombo->setFixedWidth(kStylesComboWidth);
    FStylesCombo->hide();
    auto* top = static_cast<QHBoxLayout*>(Panel2->layout());
    top->addStretch(1);
    top->addWidget(FStylesCombo);

    FNavigation = new demo::TCategoryButtons(this);
    FNavigation->setObjectName(u"Navigation"_s);
    FNavigation->setFixedWidth(kNavigationWidth);
    FNavigation->SetButtonColors(kButtonColor, kSelectedButtonColor);
    for (const demo::TDemoCategory& category : demo::DemoCategories())
        FNavigation->AddCategory(QString::fromLatin1(category.Caption), category.Color);
    for (const demo::TDemoPage& page : demo::DemoPages())
        FNavigation->AddButton(page.Category, QString::fromLatin1(page.Caption));

    FClientArea = new QWidget(this);
    FClientArea->setObjectName(u"ClientArea"_s);
    auto* client = new QVBoxLayout(FClientArea);
    client->setContentsMargins(0, 0, 0, 0);

    Panel1 = CreatePanel(this, u"Panel1"_s, kBottomPanelHeight);
    btnClose = new QPushButton(u"Close"_s, Panel1);
    btnClose->setObjectName(u"btnClose"_s);
    auto* bottom = static_cast<QHBoxLayout*>(Panel1->layout());
    bottom->addStretch(1);
    bottom->addWidget(btnClose, 0, Qt::AlignBottom);

    ADOTable1 = new TSQLTable(this);
    ADOTable1->setObjectName(u"ADOTable1"_s);
    ADOTable1->SetDatabaseName(demo::DefaultDatabaseFile());
    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(u"DataSource1"_s);
    DataSource1->SetDataSet(ADOTable1);

    // Attached to nothing: the DB pages have menus of their own.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    for (const QString& item : { u"1"_s, u"2"_s, u"3"_s })
        PopupMenu1->addAction(item);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(kBorderWidth);
    middle->addWidget(FNavigation);
    middle->addWidget(FClientArea, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->setSpacing(kBorderWidth);
    layout->addWidget(Panel2);
    layout->addLayout(middle, 1);
    layout->addWidget(Panel1);

    connect(FNavigation, &demo::TCategoryButtons::buttonClicked, this, &TfrmLarkHTMLCore::NavigationButtonClicked);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(FStylesCombo, &QComboBox::activated, this, &TfrmLarkHTMLCore::StylesComboChange);
}

void TfrmLarkHTMLCore::FillStylesCombo()
{
    const std::optional<demo::TTheme> active = demo::ActiveTheme();
    int match = -1;
    for (const demo::TTheme& theme : demo::AvailableThemes()) {
        FStylesCombo->addItem(theme.Name());
        if (active && theme == *active)
            match = FStylesCombo->count() - 1;
    }
    FStylesCombo->setVisible(true);
    if (match >= 0)
        FStylesCombo->setCurrentIndex(match);
}

void TfrmLarkHTMLCore::NavigationButtonClicked(const QString& caption)
{
    const demo::TDemoPage* page = demo::FindPage(caption);
    if (!page)
        return;
    FNavigation->SetSelectedButton(caption);
    if (caption == FCurrentCaption && FCurrentFrame)
        return;
    if (page->Mode == demo::smLoadsData) {
        ShowDataFrame(*page);
        return;
    }
    ShowFrame(*page, true);
    if (page->Shown)
        page->Shown(FCurrentFrame, *this);
}

void TfrmLarkHTMLCore::ShowDataFrame(const demo::TDemoPage& page)
{
    QString failure;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        setUpdatesEnabled(false);
        const auto restore = qScopeGuard([this] {
            setUpdatesEnabled(true);
            QApplication::restoreOverrideCursor();
        });
        ShowFrame(page, false);
        try {
            if (page.Shown)
                page.Shown(FCurrentFrame, *this);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
    }
    // Told with the cursor back to normal; the page stays, without data.
    if (!failure.isEmpty())
        demo::ShowError(this, failure);
}

QString TfrmLarkHTMLCore::DatabaseName() const
{
    return ADOTable1->DatabaseName();
}

void TfrmLarkHTMLCore::SetDatabaseName(const QString& value)
{
    // The next DB page opens the new file; a page shown now goes blank
    // instead of failing here.
    ADOTable1->Close();
    ADOTable1->SetDatabaseName(value);
}

void TfrmLarkHTMLCore::ShowFrame(const demo::TDemoPage& page, bool lock)
{
    if (lock)
        setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this, lock] {
        if (lock)
            setUpdatesEnabled(true);
    });
    delete FCurrentFrame;
    const QString caption = QString::fromLatin1(page.Caption);
    QWidget* frame = page.Create(FImages, FClientArea);
    FClientArea->layout()->addWidget(frame);
    frame->show();
    FCurrentFrame = frame;
    FCurrentCaption = caption;
}

void TfrmLarkHTMLCore::StylesComboChange(int index)
{
    const QList<demo::TTheme> themes = demo::AvailableThemes();
    if (index < 0 || index >= themes.size())
        return;
    try {
        demo::ApplyTheme(themes.at(index));
    } catch (const std::exception& error) {
        demo::ShowError(this, QString::fromUtf8(error.what()));
    }
}

} // namespace lark
