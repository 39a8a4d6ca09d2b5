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

TColorBox::TColorBox(TColorBoxStyles Style, QWidget* parent)
    : QComboBox(parent)
{
    if (Style & cbCustomColor) {
        addItem(u"Custom..."_s, kCustomEntry);
        FCustomIndex = 0;
    }
    for (const ColorIdent& ident : ColorIdentifiers()) {
        const bool standard = std::find(kStandard.begin(), kStandard.end(), ident.value) != kStandard.end();
        const bool extended = std::find(kExtended.begin(), kExtended.end(), ident.value) != kExtended.end();
        const bool system = IsSystemColor(ident.value);
        if ((standard && (Style & cbStandardColors)) || (extended && (Style & cbExtendedColors)) ||
            (system && (Style & cbSystemColors)))
            AddColor(ident.value, QString::fromLatin1(ident.name));
    }
    connect(this, &QComboBox::activated, this, &TColorBox::Chosen);
}

void TColorBox::AddColor(TColor Color, const QString& Name)
{
    // Names without the "cl" in front, as colour boxes show them.
    addItem(Swatch(Color), Name.startsWith(u"cl"_s) ? Name.mid(2) : Name, qlonglong(Color));
}

QIcon TColorBox::Swatch(TColor Color) const
{
    QPixmap swatch(16, 12);
    swatch.fill(ToQColor(Color, this));
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

void TColorBox::SetSelected(TColor Value)
{
    int index = findData(qlonglong(Value));
    if (index < 0) {
        QString ident;
        AddColor(Value, ColorToIdent(Value, ident) ? ident : QColor(ToQColor(Value)).name());
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void TColorBox::Chosen(int Index)
{
    if (Index == FCustomIndex && FCustomIndex >= 0) {
        const QColor picked = QColorDialog::getColor(ToQColor(Selected(), this), this);
        if (!picked.isValid())
            return;
        SetSelected(FromQColor(picked));
    }
    Q_EMIT colorSelected(Selected());
}

} // namespace lark::demo
