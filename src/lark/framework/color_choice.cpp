#include "lark/framework/color_choice.h"

#include <QMetaEnum>

namespace lark {

TSystemColor SystemColorOf(TColor Color)
{
    if (!IsSystemColor(Color))
        return SystemColorEnums::RGBColor;
    const int index = int(Color & 0xFF);
    // A system colour the enumeration does not name reads as RGB.
    if (!QMetaEnum::fromType<TSystemColor>().valueToKey(index))
        return SystemColorEnums::RGBColor;
    return TSystemColor(index);
}

TColor ChooseSystemColor(TColor Color, TSystemColor Ident, const QWidget* Widget)
{
    if (Ident == SystemColorEnums::RGBColor)
        return ColorToRGB(Color, Widget);
    if (!QMetaEnum::fromType<TSystemColor>().valueToKey(int(Ident)))
        return Color;
    return clSystemColor | TColor(Ident);
}

TColor ChoosePickedColor(TColor Color, const QColor& Picked, const QWidget* Widget)
{
    if (!Picked.isValid())
        return Color;
    const TColor rgb = FromQColor(Picked);
    if (IsSystemColor(Color) && ColorToRGB(Color, Widget) == rgb)
        return Color;
    return rgb;
}

} // namespace lark
