#pragma once
// The page shown for a navigation button whose page this build does not
// contain: it says so, in the page's place.

#include "page_frame.h"

namespace lark::demo {

class TPlaceholderPage : public TPageFrame
{
    Q_OBJECT

public:
    TPlaceholderPage(const QString& Caption, QWidget* parent = nullptr);

    static QString Message(const QString& Caption);
};

} // namespace lark::demo
