#pragma once
// The widgets the Designer plugin offers: one row per widget class.

#include <QSize>
#include <QString>

#include <span>

class QWidget;

namespace lark::designer {

struct TDesignerWidget
{
    const char* ClassName; // as forms name it, with its namespace
    const char* Header;    // what uic includes
    const char* ToolTip;
    const char* Caption;   // the snippet a new widget starts with; nullptr: none
    bool ItemsList;        // the snippet is a row of the Items list, not Caption
    QSize Size;            // a new widget's size
    bool Container;        // takes child widgets in Designer
    QWidget* (*Create)(QWidget* parent);
};

// Every widget of the library, in the order Designer lists them.
std::span<const TDesignerWidget> DesignerWidgets();
// The row for a class name, or nullptr.
const TDesignerWidget* FindDesignerWidget(const QString& className);

// The group all of them appear in.
inline constexpr const char* kDesignerGroup = "Lark HTML";

} // namespace lark::designer
