#include "plugin_collection.h"

#include "widget_plugin.h"
#include "widget_table.h"

namespace lark::designer {

TLarkDesignerPlugins::TLarkDesignerPlugins(QObject* parent)
    : QObject(parent)
{
    for (const TDesignerWidget& row : DesignerWidgets())
        FWidgets.append(new TWidgetPlugin(row, this));
}

} // namespace lark::designer
