#include "color_box.h"

#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

constexpr std::array kStandard{ clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal, clGray,
                                clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite };
constexpr std::array kExtended{ clMoneyGreen, clSkyBlue, clCream, clMedGray };

constexpr int kCustomEntry = -2; // item data of "Custom..."

} // namespace

TColorBox::TColorBox(TColorBoxStyles style, QWidget* parent)
    : QComboBox(parent)
{
    if (style & cbCustomColor) {
        addItem(u"Custom..."_s, kCustomEntry);
        FCustomIndex = 0;
    }
    for (const ColorIdent& ident : ColorIdentifiers()) {
        const bool standard = std::find(kStandard.begin(), kStandard.end(), ident.value) != kStandard.end();
        const bool extended = std::find(kExtended.begin(), kExtended.end(), ident.value) != kExtended.end();
        const bool system = IsSystemColor(ident.value);
        if ((standard && (style & cbStandardColors)) || (extended && (style & cbExtendedColors)) ||
            (system && (style & cbSystemColors)))
            AddColor(ident.value, QString::fromLatin1(ident.name));
    }
    connect(this, &QComboBox::activated, this, &TColorBox::Chosen);
}

void TColorBox::AddColor(TColor color, const QString& name)
{
    // Names without the "cl" in front, as colour boxes show them.
    addItem(Swatch(color), name.startsWith(u"cl"_s) ? name.mid(2) : name, qlonglong(color));
}

QIcon TColorBox::Swatch(TColor color) const
{
    QPixmap swatch(16, 12);
    swatch.fill(ToQColor(color, this));
    QPainter(&swatch).drawRect(0, 0, 15, 11);
    return QIcon(swatch);
}

void TColorBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    for (int i = 0; i < count(); ++i) {
        const qlonglong color = itemData(i).toLongLong();
        if (color != kCustomEntry && IsSystemColor(TColor(color)))
            setItemIcon(i, Swatch(TColor(color)));
    }
}

TColor TColorBox::Selected() const
{
    const QVariant data = currentData();
    return data.isValid() && data.toLongLong() != kCustomEntry ? TColor(data.toLongLong()) : clBlack;
}

void TColorBox::SetSelected(TColor value)
{
    int index = findData(qlonglong(value));
    if (index < 0) {
        QString ident;
        AddColor(value, ColorToIdent(value, ident) ? ident : QColor(ToQColor(value)).name());
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void TColorBox::Chosen(int index)
{
    if (index == FCustomIndex && FCustomIndex >= 0) {
        const QColor picked = QColorDialog::getColor(ToQColor(Selected(), this), this);
        if (!picked.isValid())
            return;
        SetSelected(FromQColor(picked));
    }
    Q_EMIT colorSelected(Selected());
}

} // namespace lark::demo
