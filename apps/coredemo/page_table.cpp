#include "page_table.h"

#include "core_form.h"
#include "db_controls_page.h"
#include "db_templates_page.h"
#include "direct_drawing_page.h"
#include "embedded_controls_page.h"
#include "label_page.h"
#include "list_box_page.h"
#include "panel_page.h"
#include "view_page.h"

#include <lark/controls/panel.h>
#include <lark/db/sql_table.h>
#include <lark/html/host/options.h>

namespace lark::demo {

namespace {

template <typename Page>
QWidget* Create(TfrmImages*, QWidget* parent)
{
    return new Page(parent);
}

template <typename Page>
QWidget* CreateWithImages(TfrmImages* images, QWidget* parent)
{
    return new Page(images, parent);
}

void EmbeddedControlsShown(QWidget* page, TfrmLarkHTMLCore&)
{
    static_cast<TControlsPanel*>(page)->Panel()->Options()->SetLineGap(1);
}

// Reads the table tableName of the demo database afresh into the window's table.
void OpenTable(TfrmLarkHTMLCore& form, const QString& tableName)
{
    TSQLTable* table = form.Table();
    table->Close();
    table->SetTableName(tableName);
    table->Open();
}

void DBTemplatesShown(QWidget* page, TfrmLarkHTMLCore& form)
{
    OpenTable(form, QStringLiteral("table1"));
    static_cast<TFrameDBTemplates*>(page)->SetDataSource(form.DataSource());
}

void DBCtrlsShown(QWidget* page, TfrmLarkHTMLCore& form)
{
    OpenTable(form, QStringLiteral("table2"));
    form.Table()->First();
    static_cast<TFrameDBCtrls*>(page)->SetDataSource(form.DataSource());
}

constexpr TDemoCategory kCategories[] = {
    { "Core Controls", 0xF4F4F4 },
    { "DB Controls", 0xFFEAFF },
    { "Tips&&Tricks", 0xFFEAFF },
};

constexpr TDemoPage kPages[] = {
    { 0, "TLarkHTMLLabel", CreateWithImages<TFrameLabel>, nullptr, smLocked },
    { 0, "TLarkHTMLPanel", CreateWithImages<TFramePanel>, nullptr, smLocked },
    { 0, "TLarkHTMLListBox", CreateWithImages<TFrameListbox>, nullptr, smLocked },
    { 0, "TLarkHTMLView", Create<TFrameView>, nullptr, smLocked },
    { 1, "DB Controls (1)", Create<TFrameDBTemplates>, DBTemplatesShown, smLoadsData },
    { 1, "DB Controls (2)", Create<TFrameDBCtrls>, DBCtrlsShown, smLoadsData },
    { 2, "Embedded Controls", Create<TControlsPanel>, EmbeddedControlsShown, smLocked },
    { 2, "Direct drawing", Create<TFrameDirectDraw>, nullptr, smLocked },
};

} // namespace

std::span<const TDemoCategory> DemoCategories()
{
    return kCategories;
}

std::span<const TDemoPage> DemoPages()
{
    return kPages;
}

const TDemoPage* FindPage(const QString& caption)
{
    for (const TDemoPage& page : kPages) {
        if (caption == QLatin1StringView(page.Caption))
            return &page;
    }
    return nullptr;
}

} // namespace lark::demo
