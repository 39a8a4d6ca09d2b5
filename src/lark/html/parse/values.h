#pragma once
// How attribute text becomes values: colours, integers, Booleans, font sizes,
// unquoted text and character references. Every rule accepts any input: bad
// text yields the caller's default or a failed Try… result, never a crash.
//
// Example:
//     TColor c = ParseColor(u"#ff0000", clNone);   // clRed (red sits in the low byte)
//     int h = FontSizeToHeight(u"+2", -11, -11, 96); // -14

#include <lark/framework/color.h>
#include <lark/framework/convert.h>

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace lark {

// Strips one layer of quotes: a leading apostrophe or double quote goes, and
// so does the last character when it is the same quote. A value opened but
// never closed ('abc) therefore still loses its opening quote.
QString UnquoteValue(QStringView value);

// Integer and Boolean attribute values follow the framework's rules in
// convert.h: StrToInt / TryStrToInt / StrToIntDef (leading blanks, a sign,
// decimal digits or hexadecimal ones after "$", "x", "0x"; 32 bits) and
// StrToBool / TryStrToBool (a number is true unless zero, else "true" or
// "false" in any letter case). The throwing forms raise EConvertError, which
// the parser turns into an empty document where a value is mandatory.

// The hexadecimal rule of colour values: an optional leading "$", blanks and
// control characters at both ends ignored, an optional sign ("-" negates),
// then hexadecimal digits only. Accumulates modulo 2^32.
bool TryParseHex(QStringView text, std::uint32_t& value);

// Turns a 0xRRGGBB number into a TColor (red in the low byte). Bits above the
// low 24 are dropped.
constexpr TColor RGBNumberToColor(std::uint32_t rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// Colour text: "#" and a hexadecimal RGB number, one of the 147 colour names,
// or a colour identifier with or without its "cl" prefix; letter case is
// ignored. Empty or unknown text gives defaultColor.
TColor ParseColor(QStringView text, TColor defaultColor);

// The size attribute of a font tag as a new font height. currentHeight is the
// height in force before the tag, defaultHeight the document's default
// height, resolution the screen's pixels per logical inch. Relative sizes
// ("+2", "3") grow from the document default, not from the enclosing font.
int FontSizeToHeight(QStringView text, int currentHeight, int defaultHeight, int resolution);
// As above with the screen resolution.
int FontSizeToHeight(QStringView text, int currentHeight, int defaultHeight);

// Pixels per logical inch of the primary screen, read once; 100 without a screen.
int ScreenResolution();

// What a character reference stands for.
struct TCharRef
{
    enum Kind : std::uint8_t {
        Nothing,   // dropped from the text
        Character, // Char is appended as it is
        Blank,     // a blank that collapses with a blank before it, as a typed one does
    };
    Kind kind = Nothing;
    QChar ch;

    friend bool operator==(const TCharRef&, const TCharRef&) = default;
};

// Decodes the text between "&" and ";". A body starting with "#" is a numeric
// reference: the rest is read as an integer (32 when it is not a
// number), code 32 is a collapsing blank, otherwise the low 16 bits are the
// character (none for 0; lone surrogates are kept as they are). Any other body
// is a name, looked up as written and then in lower case; "nbsp" is an
// ordinary blank that does not collapse.
TCharRef DecodeCharRef(QStringView body);

} // namespace lark
