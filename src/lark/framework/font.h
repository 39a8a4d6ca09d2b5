#pragma once
// Fonts of the component model.
//
// Heights follow the component model's convention: a negative height is the
// character height in pixels (the em size, without internal leading), a
// positive height is the cell height (ascent + descent), and 0 asks for the
// face's default, taken here as the application font's pixel size. The
// conversion to QFont happens in one place, MakeQFont, so that measuring and
// painting always agree.

#include <lark/framework/color.h>
#include <lark/framework/flag_set.h>
#include <lark/framework/limits.h>
#include <lark/framework/object.h>

#include <QFont>
#include <QObject>
#include <QString>


namespace lark {

enum TFontStyle { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };

// A set of TFontStyle; style s is bit 1 << s, so {fsUnderline}.ToInt() == 4.
using TFontStyles = TFlagSet<TFontStyle, 4>;

using limits::kMaxFontPixelSize;

// The screen's logical resolution in pixels per inch (the primary screen's
// logical DPI; 96 without a GUI application or screen). Point sizes convert
// to pixels with it.
int ScreenPixelsPerInch();

// The QFont for a face, a height in the component model's convention and a
// style set. The font asks Qt not to shape scripts that do not need it, which
// makes widths additive per character; measure and paint with the same font.
// A positive height picks the pixel size whose ascent + descent comes
// nearest to it (results are cached per face, style and height).
QFont MakeQFont(const QString& name, int height, TFontStyles style);

class TFont : public QObject
{
    Q_OBJECT

public:
    explicit TFont(QObject* parent = nullptr);

    // Face name; default "MS Sans Serif" (substituted by a scalable face).
    QString Name() const { return FName; }
    void SetName(const QString& value);
    // Default -11: 11-pixel characters.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Size in points through PixelsPerInch: -Height * 72 / PixelsPerInch.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    // Default clWindowText.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Kept for the component model (1 = the default character set); Qt
    // chooses glyphs from Unicode, so it does not change the QFont.
    int Charset() const { return FCharset; }
    void SetCharset(int value);
    // The resolution Size converts with; ScreenPixelsPerInch() at creation.
    // Changing it changes no other property and raises no notification.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value);

    // Copies every property; notifies once when anything changed.
    void Assign(const TFont& source);
    // Takes the face, the size (as a character height: a pixel size as it is,
    // a point size through PixelsPerInch) and the styles of a QFont; colour
    // and character set stay. Notifies once when anything changed.
    void AssignQFont(const QFont& source);
    // MakeQFont(Name, Height, Style), cached until the next change.
    QFont ToQFont() const;

    // Raised once per effective change, before changed().
    TNotifyEvent OnChange;

Q_SIGNALS:
    void changed();

protected:
    virtual void Changed();

private:
    QString FName;
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FCharset = 1;
    int FPixelsPerInch = 96;
    mutable QFont FQFont;
    mutable bool FQFontValid = false;
};

} // namespace lark
