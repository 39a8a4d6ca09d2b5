#include <lark/framework/color.h>

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <iterator>

namespace lark {

namespace {

constexpr ColorIdent kColorIdents[] = {
#include "lark/framework/color_idents.inc"
};
static_assert(std::size(kColorIdents) == 52);

struct SystemColor
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    TColor fixed;
};

constexpr SystemColor kSystemColors[] = {
#include "lark/framework/system_colors.inc"
};
static_assert(std::size(kSystemColors) == 31, "one row per system colour index 0 to 30");

bool SameIdent(QStringView ident, const char* name)
{
    return ident.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0;
}

QPalette PaletteFor(const QWidget* widget)
{
    return widget ? widget->palette() : QGuiApplication::palette();
}

} // namespace

std::span<const ColorIdent> ColorIdentifiers()
{
    return kColorIdents;
}

bool IdentToColor(QStringView ident, TColor& color)
{
    for (const ColorIdent& entry : kColorIdents) {
        if (SameIdent(ident, entry.name)) {
            color = entry.value;
            return true;
        }
    }
    return false;
}

bool ColorToIdent(TColor color, QString& ident)
{
    for (const ColorIdent& entry : kColorIdents) {
        if (entry.value == color) {
            ident = QLatin1StringView(entry.name);
            return true;
        }
    }
    return false;
}

TColor ColorToRGB(TColor color, const QWidget* widget)
{
    if (!IsSystemColor(color))
        return color;
    const TColor index = color & 0xFF;
    // Indexes past the table are not system colours the platform knows: black.
    if (index >= std::size(kSystemColors))
        return clBlack;
    const SystemColor& entry = kSystemColors[index];
    if (entry.role == QPalette::NoRole)
        return entry.fixed;
    return FromQColor(PaletteFor(widget).color(entry.group, entry.role));
}

QColor ToQColor(TColor color, const QWidget* widget)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(color, widget);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace lark
