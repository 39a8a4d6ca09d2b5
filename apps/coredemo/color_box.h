#pragma once
// TColorBox: a drop-down list of colours, each with a swatch and its name.
// Which colours it offers is chosen by TColorBoxStyle: the 16 standard
// colours, the four extended ones, the style colours (clBtnFace ...) and a
// "Custom..." entry that asks for any colour.

#include <lark/framework/color.h>

#include <QComboBox>
#include <QFlags>

namespace lark::demo {

class TColorBox : public QComboBox
{
    Q_OBJECT

public:
    enum TColorBoxStyle {
        cbStandardColors = 0x1,
        cbExtendedColors = 0x2,
        cbSystemColors = 0x4,
        cbCustomColor = 0x8,
    };
    Q_DECLARE_FLAGS(TColorBoxStyles, TColorBoxStyle)

    explicit TColorBox(TColorBoxStyles style = TColorBoxStyles(cbStandardColors) | cbExtendedColors | cbSystemColors,
                       QWidget* parent = nullptr);

    TColor Selected() const;
    // Selects Value, adding it as a custom entry when the list lacks it.
    void SetSelected(TColor value);

protected:
    // Style colours follow the palette: their swatches are redrawn.
    void changeEvent(QEvent* event) override;

Q_SIGNALS:
    // The user chose a colour (also the one already selected).
    void colorSelected(lark::TColor color);

private:
    void AddColor(TColor color, const QString& name);
    QIcon Swatch(TColor color) const;
    void Chosen(int index);

    int FCustomIndex = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TColorBox::TColorBoxStyles)

} // namespace lark::demo
