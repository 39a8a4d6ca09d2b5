// The value rules of attribute text: quotes, hexadecimal colour numbers,
// colour names and identifiers, font sizes.
#include <lark/framework/saturate.h>
#include "lark/html/parse/value_tables_p.h"
#include <lark/framework/convert.h>
#include <lark/html/parse/values.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <limits>

using namespace Qt::StringLiterals;

namespace lark {

namespace detail {

namespace {

constexpr ColorNameEntry kColorNames[] = {
#include "lark/html/parse/color_names.inc"
};
static_assert(std::size(kColorNames) == ColorNameCount);
static_assert(std::adjacent_find(std::begin(kColorNames), std::end(kColorNames),
                                 [](const ColorNameEntry& a, const ColorNameEntry& b) { return a.name >= b.name; })
                  == std::end(kColorNames),
              "color_names.inc must stay sorted by name, without duplicates");

} // namespace

std::span<const ColorNameEntry> ColorNames()
{
    return kColorNames;
}

bool FindColorName(QStringView lowerName, std::uint32_t& rgb)
{
    const std::u16string_view key = ToU16View(lowerName);
    const auto it = std::lower_bound(
        std::begin(kColorNames), std::end(kColorNames), key,
        [](const ColorNameEntry& entry, std::u16string_view k) { return entry.name < k; });
    if (it == std::end(kColorNames) || it->name != key)
        return false;
    rgb = it->rgb;
    return true;
}

QString AsciiLower(QStringView text)
{
    QString result = text.toString();
    for (QChar& ch : result) {
        if (ch >= u'A' && ch <= u'Z')
            ch = QChar(ch.unicode() + (u'a' - u'A'));
    }
    return result;
}

} // namespace detail

namespace {

// Pixels per logical inch assumed when no screen can be asked.
constexpr int kNoScreenResolution = 100;
// Relative font sizes count in points: n points are n * resolution / 72 pixels.
constexpr int kPointsPerInch = 72;
// Each step of a size from 1 to 9 adds this many pixels to the default height.
constexpr int kPixelsPerSizeStep = 5;

bool IsBlankOrControl(QChar ch)
{
    return ch.unicode() <= u' ';
}

QStringView TrimBlanksAndControls(QStringView text)
{
    while (!text.isEmpty() && IsBlankOrControl(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsBlankOrControl(text.back()))
        text.chop(1);
    return text;
}

bool StartsWithSign(QStringView text)
{
    return text.startsWith(u'-') || text.startsWith(u'+');
}

} // namespace

QString UnquoteValue(QStringView value)
{
    if (value.isEmpty())
        return {};
    const QChar quote = value.front();
    if (quote != u'\'' && quote != u'"')
        return value.toString();
    QStringView inner = value.mid(1);
    if (!inner.isEmpty() && inner.back() == quote)
        inner.chop(1);
    return inner.toString();
}

bool TryParseHex(QStringView text, std::uint32_t& value)
{
    if (text.startsWith(u'$'))
        text = text.mid(1);
    text = TrimBlanksAndControls(text);
    if (text.isEmpty())
        return false;
    const bool negative = text.front() == u'-';
    if (StartsWithSign(text))
        text = text.mid(1);
    // A sign alone is no number.
    if (text.isEmpty())
        return false;
    std::uint32_t accumulated = 0;
    for (const QChar ch : text) {
        const int digit = HexDigitValue(ch);
        if (digit < 0)
            return false;
        accumulated = accumulated * 16u + std::uint32_t(digit);
    }
    value = negative ? 0u - accumulated : accumulated;
    return true;
}

TColor ParseColor(QStringView text, TColor defaultColor)
{
    if (text.isEmpty())
        return defaultColor;
    const QString lower = detail::AsciiLower(text);
    std::uint32_t rgb = 0;
    if (lower.startsWith(u'#')) {
        if (!TryParseHex(QStringView(lower).mid(1), rgb))
            return defaultColor;
        return RGBNumberToColor(rgb);
    }
    if (detail::FindColorName(lower, rgb))
        return RGBNumberToColor(rgb);
    const QString ident = lower.startsWith(u"cl"_s) ? lower : u"cl"_s + lower;
    TColor color = defaultColor;
    if (IdentToColor(ident, color))
        return color;
    return defaultColor;
}

int FontSizeToHeight(QStringView text, int currentHeight, int defaultHeight, int resolution)
{
    // 64-bit arithmetic throughout: absurd sizes saturate instead of overflowing.
    const std::int64_t sign = (currentHeight > 0) - (currentHeight < 0);
    const std::int64_t defaultMagnitude = std::llabs(std::int64_t(defaultHeight));

    if (StartsWithSign(text)) {
        // MulDiv answers -1 when the result does not fit an int, so a huge
        // point count ends one pixel short of the default height.
        const int points = StrToIntDef(text, 0);
        return SaturatingInt(sign * (MulDiv(points, resolution, kPointsPerInch) + defaultMagnitude));
    }

    const qsizetype px = text.indexOf(u"px"_s);
    if (px >= 0) {
        QString number = text.left(px).toString();
        number.append(text.mid(px + 2));
        return StrToIntDef(TrimBlanksAndControls(number), defaultHeight);
    }

    int number = 0;
    if (!TryStrToInt(text, number))
        return defaultHeight;
    if (number >= 1 && number <= 9)
        return SaturatingInt(sign * (defaultMagnitude + kPixelsPerSizeStep * number));
    return number;
}

int FontSizeToHeight(QStringView text, int currentHeight, int defaultHeight)
{
    return FontSizeToHeight(text, currentHeight, defaultHeight, ScreenResolution());
}

int ScreenResolution()
{
    // Read once; before the application has a screen, answer the fallback
    // without remembering it.
    static int resolution = 0;
    if (resolution > 0)
        return resolution;
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (screen == nullptr)
        return kNoScreenResolution;
    const int dpi = qRound(screen->logicalDotsPerInchY());
    resolution = dpi > 0 ? dpi : kNoScreenResolution;
    return resolution;
}

} // namespace lark
