#include "page_table.h"

#include "direct_drawing_page.h"
#include "embedded_controls_page.h"
#include "label_page.h"
#include "view_page.h"

#include <lark/controls/view.h>
#include <lark/html/options.h>

namespace lark::demo {

namespace {

template <typename Page>
QWidget* Create(TfrmImages*, QWidget* Parent)
{
    return new Page(Parent);
}

template <typename Page>
QWidget* CreateWithImages(TfrmImages* Images, QWidget* Parent)
{
    return new Page(Images, Parent);
}

void EmbeddedControlsShown(QWidget* Page, TfrmLarkHTMLCore&)
{
    static_cast<TControlsPanel*>(Page)->Panel()->Options()->SetLineGap(1);
}

constexpr TDemoCategory kCategories[] = {
    { "Core Controls", 0xF4F4F4 },
    { "DB Controls", 0xFFEAFF },
    { "Tips&&Tricks", 0xFFEAFF },
};

constexpr TDemoPage kPages[] = {
    { 0, "TLarkHTMLLabel", CreateWithImages<TFrameLabel>, nullptr, true },
    { 0, "TLarkHTMLPanel", nullptr, nullptr, true },
    { 0, "TLarkHTMLListBox", nullptr, nullptr, true },
    { 0, "TLarkHTMLView", Create<TFrameView>, nullptr, true },
    { 1, "DB Controls (1)", nullptr, nullptr, false },
    { 1, "DB Controls (2)", nullptr, nullptr, false },
    { 2, "Embedded Controls", Create<TControlsPanel>, EmbeddedControlsShown, true },
    { 2, "Direct drawing", Create<TFrameDirectDraw>, nullptr, true },
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

const TDemoPage* FindPage(const QString& Caption)
{
    for (const TDemoPage& page : kPages) {
        if (Caption == QLatin1StringView(page.Caption))
            return &page;
    }
    return nullptr;
}

} // namespace lark::demo
