#include "themes.h"

#include <lark/framework/exceptions.h>

#include <QApplication>
#include <QColor>
#include <QStyle>
#include <QStyleFactory>

#include <iterator>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

struct PaletteRow
{
    const char* Name;
    bool Dark;
    QRgb Window, Base, Text, Button, Highlight, Link, Info;
};

constexpr PaletteRow kPalettes[] = {
#define DEMO_PALETTE(name, dark, window, base, text, button, highlight, link, info) \
    { name, dark, window, base, text, button, highlight, link, info },
#include "palette_table.inc"
#undef DEMO_PALETTE
};
static_assert(std::size(kPalettes) == 12, "a dozen palettes");

const QString kDefaultStyle = u"Fusion"_s;

std::optional<TTheme>& Active()
{
    static std::optional<TTheme> active;
    return active;
}

const PaletteRow* FindRow(const QString& name)
{
    for (const PaletteRow& row : kPalettes) {
        if (name.compare(QLatin1StringView(row.Name), Qt::CaseInsensitive) == 0)
            return &row;
    }
    return nullptr;
}

// t of the way from a to b, in whole 8-bit steps as the screen shows it.
QColor Mix(QColor a, QColor b, double t)
{
    const QColor mixed = QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                                          float(a.greenF() + (b.greenF() - a.greenF()) * t),
                                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
    return QColor(mixed.rgb());
}

// Black or white, whichever reads better on Background.
QColor TextOn(QColor background)
{
    return background.lightnessF() > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

QPalette BuildPalette(const PaletteRow& row)
{
    const QColor window(row.Window), base(row.Base), text(row.Text), button(row.Button);
    const QColor highlight(row.Highlight), info(row.Info);
    QPalette p;
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, Mix(base, window, 0.5));
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, button);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::BrightText, row.Dark ? QColor(Qt::white) : QColor(Qt::red));
        p.setColor(group, QPalette::Highlight, highlight);
        p.setColor(group, QPalette::HighlightedText, TextOn(highlight));
        p.setColor(group, QPalette::Link, QColor(row.Link));
        p.setColor(group, QPalette::LinkVisited, Mix(QColor(row.Link), text, 0.3));
        p.setColor(group, QPalette::ToolTipBase, info);
        p.setColor(group, QPalette::ToolTipText, TextOn(info));
        p.setColor(group, QPalette::PlaceholderText, Mix(text, base, 0.5));
        // The 3-D shades: lighter and darker than the button, both ways round
        // on a dark palette so that bevels still read as raised.
        p.setColor(group, QPalette::Light, row.Dark ? button.lighter(150) : QColor(Qt::white));
        p.setColor(group, QPalette::Midlight, Mix(button, p.color(QPalette::Light), 0.5));
        p.setColor(group, QPalette::Dark, row.Dark ? button.darker(160) : button.darker(150));
        p.setColor(group, QPalette::Mid, Mix(window, text, row.Dark ? 0.18 : 0.3));
        p.setColor(group, QPalette::Shadow, row.Dark ? QColor(Qt::black) : button.darker(250));
    }
    const QColor greyed = Mix(text, window, 0.55);
    for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        p.setColor(QPalette::Disabled, role, greyed);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Inactive, QPalette::Highlight, Mix(highlight, window, 0.35));
    return p;
}

} // namespace

QString TTheme::Name() const
{
    return u"%1 (%2)"_s.arg(Palette, Style);
}

QList<TTheme> AvailableThemes()
{
    QList<TTheme> themes;
    for (const QString& style : QStyleFactory::keys()) {
        for (const PaletteRow& row : kPalettes)
            themes.append({ style, QString::fromLatin1(row.Name) });
    }
    return themes;
}

QStringList PaletteNames()
{
    QStringList names;
    for (const PaletteRow& row : kPalettes)
        names << QString::fromLatin1(row.Name);
    return names;
}

bool IsDarkPalette(const QString& palette)
{
    const PaletteRow* row = FindRow(palette);
    return row && row->Dark;
}

QPalette MakePalette(const QString& palette)
{
    const PaletteRow* row = FindRow(palette);
    return BuildPalette(row ? *row : kPalettes[0]);
}

TTheme DefaultTheme()
{
    const QStringList styles = QStyleFactory::keys();
    const QString style = styles.contains(kDefaultStyle, Qt::CaseInsensitive) || styles.isEmpty()
                              ? kDefaultStyle
                              : styles.constFirst();
    return { style, QString::fromLatin1(kPalettes[0].Name) };
}

bool FindTheme(const QString& name, TTheme& found)
{
    for (const TTheme& theme : AvailableThemes()) {
        if (theme.Name().compare(name, Qt::CaseInsensitive) == 0) {
            found = theme;
            return true;
        }
    }
    if (const PaletteRow* row = FindRow(name)) {
        found = { DefaultTheme().Style, QString::fromLatin1(row->Name) };
        return true;
    }
    return false;
}

void ApplyTheme(const TTheme& theme)
{
    QStyle* style = QStyleFactory::create(theme.Style);
    if (!style)
        throw Exception(u"Style '%1' cannot be created"_s.arg(theme.Style));
    // The application takes the style over; setting it resets the palette to
    // the style's own, so the palette goes second.
    QApplication::setStyle(style);
    QApplication::setPalette(MakePalette(theme.Palette));
    Active() = theme;
}

std::optional<TTheme> ActiveTheme()
{
    return Active();
}

TColor ThemedColor(TColor light, TColor dark)
{
    return QApplication::palette().color(QPalette::Window).lightnessF() < 0.45 ? dark : light;
}

} // namespace lark::demo
