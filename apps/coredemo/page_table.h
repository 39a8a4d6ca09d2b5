#pragma once
// The demo's pages as a table: the navigation bar's categories and buttons,
// and for each button the page it shows. A page is made on demand by its
// factory; the optional Shown step runs after it is in place.
//
// Pages show in one of two ways: made with window updates suspended, or, for
// pages that read the database in their Shown step, with the busy cursor and
// suspended updates from making the page to the end of Shown; a failure of
// Shown is then shown in a message box and the page stays.

#include <lark/framework/color.h>

#include <QString>

#include <span>

class QWidget;

namespace lark {

class TfrmImages;
class TfrmLarkHTMLCore;

namespace demo {

struct TDemoCategory
{
    const char* Caption; // "&&" shows as "&"
    TColor Color;
};

enum TShowMode {
    smLocked,
    smLoadsData,
};

struct TDemoPage
{
    int Category; // index into DemoCategories()
    const char* Caption;
    QWidget* (*Create)(TfrmImages* images, QWidget* parent);
    void (*Shown)(QWidget* page, TfrmLarkHTMLCore& form);
    TShowMode Mode;
};

std::span<const TDemoCategory> DemoCategories();
// In navigation order.
std::span<const TDemoPage> DemoPages();
// The row with exactly this caption, or nullptr.
const TDemoPage* FindPage(const QString& caption);

} // namespace demo
} // namespace lark
