#include "db_templates_page.h"

#include "demo_messages.h"
#include "themes.h"

#include <lark/controls/label.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kTopHeight = 145;
constexpr int kLeftWidth = 329;
const QString kTryTemplates = u"trytemplates"_s;
const QString kEventVariable = u"xx"_s;

} // namespace

namespace demo {

QString LinkClickMessage(QObject* sender, const QString& hRef)
{
    return u"You clicked link \"%1\" in %2"_s.arg(hRef, sender ? sender->objectName() : QString());
}

QMenu* CreateLinkPopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(u"PopupMenu1"_s);
    for (const QString& item : { u"1"_s, u"2"_s, u"3"_s })
        menu->addAction(item);
    return menu;
}

} // namespace demo

TFrameDBTemplates::TFrameDBTemplates(QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameDBTemplates"_s);
    resize(649, 477);
    Panel3->SetColor(clBtnFace);
    PopupMenu1 = demo::CreateLinkPopupMenu(this);

    LarkHTMLLabel1 = new TLarkHTMLLabel(Panel3);
    LarkHTMLLabel1->setObjectName(u"LarkHTMLLabel1"_s);
    LarkHTMLLabel1->setFixedHeight(kTopHeight);
    LarkHTMLLabel1->Padding()->SetBounds(3, 3, 3, 3);
    LarkHTMLLabel1->Options()->SetLineGap(2);
    LarkHTMLLabel1->OnLinkClick = [this](QObject*, const QString& hRef) { LarkHTMLLabel1LinkClick(hRef); };
    LarkHTMLLabel1->SetCaption(ExplanationCaption());

    auto* left = new QWidget(Panel3);
    left->setObjectName(u"PanelLeft"_s);
    left->setFixedWidth(kLeftWidth);
    auto* right = new QWidget(Panel3);
    right->setObjectName(u"PanelRight"_s);
    CreateDataControls(left, right);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(2);
    columns->addWidget(left);
    columns->addWidget(right, 1);
    auto* area = new QVBoxLayout(Panel3);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(2);
    area->addWidget(LarkHTMLLabel1);
    area->addLayout(columns, 1);

    CheckBox1 = new QCheckBox(u"Use label's caption as template"_s, Panel1);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox2 = new QCheckBox(u"Use view's text as template"_s, Panel1);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(CheckBox1);
    row->addWidget(CheckBox2);
    row->addStretch(1);
    connect(CheckBox1, &QCheckBox::toggled, this, &TFrameDBTemplates::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TFrameDBTemplates::CheckBox2Click);
    ApplyThemeColors();
}

void TFrameDBTemplates::CreateDataControls(QWidget* left, QWidget* right)
{
    DBGrid1 = new TDBGrid(left);
    DBGrid1->setObjectName(u"DBGrid1"_s);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBNavigator1 = new TDBNavigator(left);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    leftLayout->addWidget(DBGrid1, 1);
    leftLayout->addWidget(DBNavigator1);

    LarkHTMLDBLabel = new TLarkHTMLDBLabel(right);
    LarkHTMLDBLabel->setObjectName(u"LarkHTMLDBLabel"_s);
    LarkHTMLDBLabel->setFixedHeight(kTopHeight);
    LarkHTMLDBLabel->SetColor(clGray);
    LarkHTMLDBLabel->SetDataField(u"textfield1"_s);
    LarkHTMLDBLabel->Options()->SetLineGap(2);

    LarkHTMLDBView = new TLarkHTMLDBView(right);
    LarkHTMLDBView->setObjectName(u"LarkHTMLDBView"_s);
    LarkHTMLDBView->SetBorderStyle(bsNone);
    LarkHTMLDBView->SetDataField(u"textfield1"_s);
    LarkHTMLDBView->SetLinkPopupMenu(PopupMenu1);
    LarkHTMLDBView->SetWordWrap(true);

    const auto getVariable = [](QObject*, const QString& aVarName, QString& aVarValue) {
        if (aVarName == kEventVariable)
            aVarValue = u"This value is received from OnGetVariable event."_s;
    };
    const auto linkClick = [this](QObject* sender, const QString& hRef) { LarkHTMLDBLabelLinkClick(sender, hRef); };
    LarkHTMLDBLabel->OnGetVariable = getVariable;
    LarkHTMLDBLabel->OnLinkClick = linkClick;
    LarkHTMLDBView->OnGetVariable = getVariable;
    LarkHTMLDBView->OnLinkClick = linkClick;

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    rightLayout->addWidget(LarkHTMLDBLabel);
    rightLayout->addWidget(LarkHTMLDBView, 1);
}

void TFrameDBTemplates::ApplyThemeColors()
{
    // White on a light theme; a dark one keeps its window colour, so that the
    // records' text stays readable.
    LarkHTMLDBView->SetColor(demo::ThemedColor(clWhite, clWindow));
    // Blue links vanish on a dark window; the theme's link colour does not.
    const TColor link = demo::ThemedColor(clBlue, clHotLight);
    LarkHTMLLabel1->Options()->SetLinkColor(link);
    LarkHTMLDBLabel->Options()->SetLinkColor(link);
    LarkHTMLDBView->Options()->SetLinkColor(link);
}

QString TFrameDBTemplates::ExplanationCaption()
{
    return u"<p align=center><font size=+2><b>Using Lark HTML DB-aware controls in template mode</b></font></p>"
           "<p align=left>Normally a data-aware control shows the text of its field, the record's HTML. "
           "In <b>template mode</b> it keeps the HTML it holds as a template and fills its variables "
           "from the fields of the current record with the same names, for example:<br>"
           "<i>This control reads values from datasource fields and puts them into the template: "
           "&lt;~~textfield1&gt; and &lt;~~textfield2&gt;.</i><br>"
           "Variables that name no field are asked of the OnGetVariable event. "
           "<a href=\"trytemplates\">Click here to try</a></p>"_s;
}

QString TFrameDBTemplates::SampleTemplate()
{
    return u"This control reads values from datasource fields and puts them into the template: "
           "<~~textfield1> and <~~textfield2>.</b>"_s;
}

void TFrameDBTemplates::SetDataSource(TDataSource* d)
{
    DBNavigator1->SetDataSource(d);
    DBGrid1->SetDataSource(d);
    LarkHTMLDBLabel->SetDataSource(d);
    LarkHTMLDBView->SetDataSource(d);
}

void TFrameDBTemplates::CheckBox1Click()
{
    LarkHTMLDBLabel->SetIsTemplate(CheckBox1->isChecked());
}

void TFrameDBTemplates::CheckBox2Click()
{
    LarkHTMLDBView->SetIsTemplate(CheckBox2->isChecked());
}

void TFrameDBTemplates::LarkHTMLLabel1LinkClick(const QString& hRef)
{
    if (hRef != kTryTemplates)
        return;
    LarkHTMLDBView->SetCaption(SampleTemplate());
    CheckBox1->setChecked(true);
    LarkHTMLDBLabel->SetCaption(SampleTemplate());
    CheckBox2->setChecked(true);
}

void TFrameDBTemplates::LarkHTMLDBLabelLinkClick(QObject* sender, const QString& hRef)
{
    demo::ShowMessage(this, demo::LinkClickMessage(sender, hRef));
}

} // namespace lark
