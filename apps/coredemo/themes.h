#pragma once
// The demo's themes: every Qt style the platform offers, combined with each
// of a dozen named colour palettes of our own (six light, six dark). A theme
// is applied to the whole application; the HTML controls read their style
// colours (clBtnFace, clInfoBk, clAppWorkSpace ...) from the palette when they
// paint, so everything is repainted in the new colours.

#include <QList>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <lark/framework/color.h>

#include <optional>

namespace lark::demo {

struct TTheme
{
    QString Style;   // a QStyleFactory key, "Fusion"
    QString Palette; // a palette of the table, "Classic"

    // "Classic (Fusion)": what the style combo lists.
    QString Name() const;
    bool operator==(const TTheme&) const = default;
};

// Every style with every palette: styles in QStyleFactory's order, each with
// the palettes in table order.
QList<TTheme> AvailableThemes();
// The palette names, light ones first.
QStringList PaletteNames();
bool IsDarkPalette(const QString& palette);
// The full palette for a name of the table; the first palette for an unknown one.
QPalette MakePalette(const QString& palette);

// The theme active at start: Fusion (or the first style) with "Classic".
TTheme DefaultTheme();
// Finds a theme by its Name(), or by a palette name alone (with the default
// style), ignoring letter case; false when nothing matches.
bool FindTheme(const QString& name, TTheme& theme);

// Makes Theme the application's style and palette. Throws lark::Exception
// naming the style when the platform cannot create it (the active theme then
// stays as it was).
void ApplyTheme(const TTheme& theme);
// The theme ApplyTheme last applied, if any.
std::optional<TTheme> ActiveTheme();

// Light on a light application palette, else Dark: for the few fixed colours
// of the pages (a silver view) that a dark theme replaces by a style colour,
// as styled controls take the style's colours.
TColor ThemedColor(TColor light, TColor dark);

} // namespace lark::demo
