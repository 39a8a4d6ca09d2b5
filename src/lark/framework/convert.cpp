#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>

#include <QLocale>

#include <cmath>
#include <limits>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

int DecimalDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

// Hexadecimal digits fill the unsigned type; one digit more is an overflow.
template <typename U>
bool AccumulateHex(QStringView digits, U& value)
{
    constexpr int topShift = std::numeric_limits<U>::digits - 4;
    value = 0;
    for (QChar ch : digits) {
        const int d = HexDigitValue(ch);
        if (d < 0 || (value >> topShift) != 0)
            return false;
        value = static_cast<U>(value << 4) | static_cast<U>(d);
    }
    return true;
}

template <typename U>
bool AccumulateDecimal(QStringView digits, U limit, U& value)
{
    value = 0;
    for (QChar ch : digits) {
        const int d = DecimalDigit(ch);
        if (d < 0 || value > (limit - static_cast<U>(d)) / 10)
            return false;
        value = value * 10 + static_cast<U>(d);
    }
    return true;
}

template <typename T>
bool ParseInteger(QStringView text, T& result)
{
    using U = std::make_unsigned_t<T>;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    const QStringView digits = text.mid(i);
    if (digits.isEmpty())
        return false;

    U magnitude = 0;
    if (hex) {
        if (!AccumulateHex(digits, magnitude))
            return false;
    } else {
        // The negative range reaches one further than the positive one.
        const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
        if (!AccumulateDecimal(digits, limit, magnitude))
            return false;
    }
    // Unsigned arithmetic wraps; the conversion back is modular (C++20).
    result = static_cast<T>(negative ? static_cast<U>(U(0) - magnitude) : magnitude);
    return true;
}

QString DecimalSeparator()
{
    return QLocale().decimalPoint();
}

// Checks the float grammar and rewrites the text with "." for strtod-like
// parsing independent of the C locale.
bool NormaliseFloat(QStringView text, QByteArray& ascii)
{
    text = text.trimmed();
    const QString separator = DecimalSeparator();
    qsizetype i = 0;
    ascii.clear();
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ascii += static_cast<char>(text[i++].unicode());
    int mantissaDigits = 0;
    bool seenSeparator = false;
    while (i < text.size()) {
        if (DecimalDigit(text[i]) >= 0) {
            ascii += static_cast<char>(text[i++].unicode());
            ++mantissaDigits;
        } else if (!seenSeparator && !separator.isEmpty() && text.mid(i).startsWith(separator)) {
            ascii += '.';
            i += separator.size();
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            ascii += static_cast<char>(text[i++].unicode());
        int exponentDigits = 0;
        while (i < text.size() && DecimalDigit(text[i]) >= 0) {
            ascii += static_cast<char>(text[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

[[noreturn]] void ThrowConvert(const QString& pattern, QStringView text)
{
    throw EConvertError(pattern.arg(text));
}

} // namespace

bool TryStrToInt(QStringView text, int& value)
{
    return ParseInteger(text, value);
}

bool TryStrToInt64(QStringView text, std::int64_t& value)
{
    return ParseInteger(text, value);
}

int StrToInt(QStringView text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        ThrowConvert(u"'%1' is not a valid integer value"_s, text);
    return value;
}

std::int64_t StrToInt64(QStringView text)
{
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value))
        ThrowConvert(u"'%1' is not a valid integer value"_s, text);
    return value;
}

int StrToIntDef(QStringView text, int defaultValue)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

bool TryStrToFloat(QStringView text, double& value)
{
    QByteArray ascii;
    if (!NormaliseFloat(text, ascii))
        return false;
    bool ok = false;
    const double parsed = ascii.toDouble(&ok);
    // toDouble reports an overflow to infinity as a failure.
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(QStringView text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        ThrowConvert(u"'%1' is not a valid floating point value"_s, text);
    return value;
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return u"NAN"_s;
    if (std::isinf(value))
        return value < 0 ? u"-INF"_s : u"INF"_s;
    if (value == 0)
        return u"0"_s;

    constexpr int precision = 15;
    // "d.ddddddddddddddde+XX": the significant digits and the exponent.
    const QString scientific = QString::number(std::fabs(value), 'e', precision - 1);
    const qsizetype ePos = scientific.indexOf(u'e');
    QString digits = scientific.left(ePos);
    digits.remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    const int exponent = scientific.mid(ePos + 1).toInt();

    QString result = value < 0 ? u"-"_s : QString();
    const QString separator = DecimalSeparator();
    if (exponent >= precision || exponent < -5) {
        result += digits.left(1);
        if (digits.size() > 1)
            result += separator + digits.mid(1);
        return result + u'E' + QString::number(exponent);
    }
    if (exponent < 0)
        return result + u'0' + separator + QString(-exponent - 1, u'0') + digits;
    const qsizetype integerDigits = exponent + 1;
    if (digits.size() <= integerDigits)
        return result + digits + QString(integerDigits - digits.size(), u'0');
    return result + digits.left(integerDigits) + separator + digits.mid(integerDigits);
}

bool TryStrToBool(QStringView text, bool& value)
{
    // Integers are read by the integer rule too, so hexadecimal counts.
    std::int64_t integer = 0;
    if (TryStrToInt64(text, integer)) {
        value = integer != 0;
        return true;
    }
    double number = 0;
    if (TryStrToFloat(text, number)) {
        value = number != 0;
        return true;
    }
    if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(QStringView text)
{
    bool value = false;
    if (!TryStrToBool(text, value))
        ThrowConvert(u"'%1' is not a valid boolean value"_s, text);
    return value;
}

QString BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs)
        return value ? u"True"_s : u"False"_s;
    return value ? u"-1"_s : u"0"_s;
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (2 * (remainder < 0 ? -remainder : remainder) >= (denominator < 0 ? -std::int64_t(denominator) : denominator))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    if (quotient < std::numeric_limits<int>::min() || quotient > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(quotient);
}

int HexDigitValue(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace lark
