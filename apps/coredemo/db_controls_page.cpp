#include "db_controls_page.h"

#include "db_templates_page.h"
#include "demo_messages.h"
#include "themes.h"

#include <lark/controls/label.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/db/navigator.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/render.h>

#include <QBoxLayout>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kLineHeight = 29;

} // namespace

TFrameDBCtrls::TFrameDBCtrls(QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameDBCtrls"_s);
    PopupMenu1 = demo::CreateLinkPopupMenu(this);

    LarkHTMLLabel1 = new TLarkHTMLLabel(Panel3);
    LarkHTMLLabel1->setObjectName(u"LarkHTMLLabel1"_s);
    LarkHTMLLabel1->setFixedHeight(kLineHeight);
    LarkHTMLLabel1->SetCaption(u"<p align=center><font size=+2><b>Lark HTML DB-aware controls</b></font></p>"_s);

    LarkHTMLDBLabel = new TLarkHTMLDBLabel(Panel3);
    LarkHTMLDBLabel->setObjectName(u"LarkHTMLDBLabel"_s);
    LarkHTMLDBLabel->setFixedHeight(kLineHeight);
    LarkHTMLDBLabel->SetColor(clInfoBk);
    LarkHTMLDBLabel->SetDataField(u"caption"_s);
    LarkHTMLDBLabel->OnLinkClick = [this](QObject* sender, const QString& hRef) {
        LarkHTMLDBLabelLinkClick(sender, hRef);
    };

    LarkHTMLDBView = new TLarkHTMLDBView(Panel3);
    LarkHTMLDBView->setObjectName(u"LarkHTMLDBView"_s);
    LarkHTMLDBView->SetBorderStyle(bsNone);
    LarkHTMLDBView->Padding()->SetBounds(1, 1, 1, 1);
    LarkHTMLDBView->SetDataField(u"description"_s);
    LarkHTMLDBView->SetLinkPopupMenu(PopupMenu1);
    LarkHTMLDBView->SetWordWrap(true);
    LarkHTMLDBView->OnLinkClick = [this](QObject*, const QString& hRef) { LarkHTMLDBViewLinkClick(hRef); };

    auto* area = new QVBoxLayout(Panel3);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(0);
    area->addWidget(LarkHTMLLabel1);
    area->addWidget(LarkHTMLDBLabel);
    area->addWidget(LarkHTMLDBView, 1);

    DBNavigator1 = new TDBNavigator(Panel1);
    DBNavigator1->setObjectName(u"DBNavigator1"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(DBNavigator1);
    row->addStretch(1);
    ApplyThemeColors();
}

void TFrameDBCtrls::ApplyThemeColors()
{
    LarkHTMLDBView->SetColor(demo::ThemedColor(clWhite, clWindow));
    // Blue links vanish on a dark window; the theme's link colour does not.
    const TColor link = demo::ThemedColor(clBlue, clHotLight);
    LarkHTMLDBLabel->Options()->SetLinkColor(link);
    LarkHTMLDBView->Options()->SetLinkColor(link);
}

void TFrameDBCtrls::SetDataSource(TDataSource* d)
{
    DBNavigator1->SetDataSource(d);
    LarkHTMLDBLabel->SetDataSource(d);
    LarkHTMLDBView->SetDataSource(d);
}

void TFrameDBCtrls::LarkHTMLDBLabelLinkClick(QObject* sender, const QString& hRef)
{
    demo::ShowMessage(this, demo::LinkClickMessage(sender, hRef));
}

void TFrameDBCtrls::LarkHTMLDBViewLinkClick(const QString& hRef)
{
    // A target the desktop has no handler for would otherwise do nothing
    // without a word.
    if (!TLarkHTMLRender::RunURL(hRef))
        demo::ShowError(this, u"Cannot open \"%1\"."_s.arg(hRef));
}

} // namespace lark
