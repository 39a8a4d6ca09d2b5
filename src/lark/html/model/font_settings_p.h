#pragma once
// Internal: the font state the parser keeps across font tags, copied to
// and from items.

#include <lark/framework/color.h>
#include <lark/html/model/items.h>

#include <QString>

namespace lark {

struct TFontSettings
{
    QString FontName;
    int Height = 0;
    TColor Color = 0;
    TColor BgColor = clNone;
};

void ApplyFontSettings(TLarkHTMLItem& item, const TFontSettings& settings);
void SaveFontSettings(const TLarkHTMLItem& item, TFontSettings& settings);

} // namespace lark
