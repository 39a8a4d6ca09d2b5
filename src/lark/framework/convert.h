#pragma once
// Text <-> number conversions with the component model's rules.
//
// Integers: leading blanks are skipped, then an optional "+" or "-", then
// decimal digits, or hexadecimal digits after a "$", "x", "X", "0x" or "0X"
// prefix. Nothing may follow the digits (no trailing blanks). A decimal value
// outside the type's range fails; hexadecimal digits may fill all the bits of
// the type and then wrap ("$FFFFFFFF" is -1 as a 32-bit integer).
//
// Floats: optional blanks around, optional sign, digits with an optional
// decimal separator (the default QLocale's), optional exponent. The
// separator is the locale's so that FloatToStr and StrToFloat round-trip.
//
// Example:
//   int n = 0;
//   TryStrToInt(u"$ff", n);  // true, n == 255
//   StrToInt(u"12 ");        // throws EConvertError "'12 ' is not a valid integer value"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace lark {

// 0..15 for a hexadecimal digit in either case, else -1.
int HexDigitValue(QChar ch);
bool TryStrToInt(QStringView text, int& value);
bool TryStrToInt64(QStringView text, std::int64_t& value);
// Throw EConvertError "'<text>' is not a valid integer value".
int StrToInt(QStringView text);
std::int64_t StrToInt64(QStringView text);
// Returns defaultValue when text is not an integer.
int StrToIntDef(QStringView text, int defaultValue);

bool TryStrToFloat(QStringView text, double& value);
// Throws EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(QStringView text);
// Fifteen significant digits, fixed notation unless the number is very large
// or very small ("1.5", "100", "1E20", "1E-6"); "NAN", "INF", "-INF".
QString FloatToStr(double value);

// A number (an integer by the rule above, or a float) is false when it is 0
// and true otherwise; else "True" or "False" in any letter case.
bool TryStrToBool(QStringView text, bool& value);
// Throws EConvertError "'<text>' is not a valid boolean value".
bool StrToBool(QStringView text);
// "-1" / "0", or "True" / "False" when useBoolStrs.
QString BoolToStr(bool value, bool useBoolStrs = false);

// number * numerator / denominator rounded half away from zero, computed in
// 64 bits; -1 when the denominator is 0 or the result does not fit an int.
int MulDiv(int number, int numerator, int denominator);

} // namespace lark
