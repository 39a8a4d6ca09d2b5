#include "widget_table.h"

#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>

#include <iterator>

namespace lark::designer {

namespace {

template <class Widget>
QWidget* Create(QWidget* parent)
{
    return new Widget(parent);
}

constexpr TDesignerWidget kWidgets[] = {
    {"lark::TLarkHTMLLabel", "lark/controls/label.h", "A label that shows an HTML snippet",
     "<b>Lark</b> label with a <a href=\"link\">link</a>", false, QSize(160, 40), false, &Create<TLarkHTMLLabel>},
    {"lark::TLarkHTMLPanel", "lark/controls/panel.h", "A panel with an HTML caption inside a bevelled frame",
     "<b>Lark</b> panel", false, QSize(185, 41), true, &Create<TLarkHTMLPanel>},
    {"lark::TLarkHTMLView", "lark/controls/view.h", "A scrollable view of an HTML document",
     "<b>Lark</b> view<br>A scrollable <i>HTML</i> document.", false, QSize(200, 120), false,
     &Create<TLarkHTMLView>},
    {"lark::TLarkHTMLListBox", "lark/controls/html_list_box.h", "A list box whose rows are HTML snippets",
     "<b>Lark</b> list row with a <a href=\"link\">link</a>", true, QSize(200, 120), false,
     &Create<TLarkHTMLListBox>},
    {"lark::TLarkHTMLDBLabel", "lark/db/db_label.h", "An HTML label showing a field of a dataset", nullptr, false,
     QSize(160, 40), false, &Create<TLarkHTMLDBLabel>},
    {"lark::TLarkHTMLDBView", "lark/db/db_view.h", "An HTML view showing a field of a dataset", nullptr, false,
     QSize(200, 120), false, &Create<TLarkHTMLDBView>},
};

} // namespace

std::span<const TDesignerWidget> DesignerWidgets()
{
    return kWidgets;
}

const TDesignerWidget* FindDesignerWidget(const QString& className)
{
    for (const TDesignerWidget& row : kWidgets) {
        if (className == QLatin1StringView(row.ClassName))
            return &row;
    }
    return nullptr;
}

} // namespace lark::designer
