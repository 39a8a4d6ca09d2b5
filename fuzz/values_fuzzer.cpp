// The value rules of attribute text: colours, integers, Booleans, font sizes,
// unquoting and character references. Besides "no crash", each rule is held
// to what it promises: defaults only for text it does not understand, values
// inside their documented range, and round trips where a rule gives one.
//
// Input: the bytes as UTF-8 text; the last bytes, when there are enough, also
// give the numeric arguments (heights, resolution, an RGB number).

#include "fuzz_support.h"

#include <lark/framework/color.h>
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include <lark/html/parse/values.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace lark;
using namespace Qt::StringLiterals;
using lark::fuzz::TextOf;

namespace {

// Numbers taken from the end of the input, so that the text keeps its start.
class Tail
{
public:
    Tail(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
    std::uint32_t Take(int bytes)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes && FSize > 0; ++i)
            v = (v << 8) | FData[--FSize];
        return v;
    }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
};

QString AsciiCase(const QString& text, bool upper)
{
    QString out = text;
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if (upper && c >= u'a' && c <= u'z')
            ch = QChar(char16_t(c - 32));
        else if (!upper && c >= u'A' && c <= u'Z')
            ch = QChar(char16_t(c + 32));
    }
    return out;
}

bool IsColorValue(TColor c)
{
    if (c <= 0x00FFFFFFu || c == clNone || c == clDefault)
        return true;
    // A system colour: $FF0000nn with one of the platform's indexes.
    return (c & 0xFFFFFF00u) == clSystemColor && (c & 0xFFu) <= 0x1Eu;
}

void CheckColor(const QString& text, std::uint32_t rgb)
{
    constexpr TColor kDefaultA = 0x7A5A5A5A;
    constexpr TColor kDefaultB = 0x6B4B4B4B;
    const TColor a = ParseColor(text, kDefaultA);
    const TColor b = ParseColor(text, kDefaultB);
    if (a != b) {
        // Not a colour: each call answers its own default.
        LARK_FUZZ_CHECK(a == kDefaultA && b == kDefaultB, text);
    } else {
        LARK_FUZZ_CHECK(IsColorValue(a), text + u" -> "_s + QString::number(a, 16));
    }
    // Letter case is ignored.
    LARK_FUZZ_CHECK(ParseColor(AsciiCase(text, true), kDefaultA) == a, text);
    LARK_FUZZ_CHECK(ParseColor(AsciiCase(text, false), kDefaultA) == a, text);

    // #rrggbb reads back as that colour, red in the low byte.
    const std::uint32_t number = rgb & 0xFFFFFFu;
    const QString hex = u"#"_s + QStringLiteral("%1").arg(number, 6, 16, QChar(u'0'));
    const TColor expected = (number >> 16) | (number & 0xFF00u) | ((number & 0xFFu) << 16);
    LARK_FUZZ_CHECK(ParseColor(hex, clNone) == expected, hex);
    LARK_FUZZ_CHECK(ParseColor(hex.toUpper(), clNone) == expected, hex);
    LARK_FUZZ_CHECK(ColorToRGB(expected) == expected, hex);
}

bool HasHexMark(const QString& text)
{
    return text.contains(u'$') || text.contains(u'x') || text.contains(u'X');
}

void CheckIntegers(const QString& text)
{
    int v = 0;
    const bool ok = TryStrToInt(text, v);
    LARK_FUZZ_CHECK(StrToIntDef(text, 12345) == (ok ? v : 12345), text);
    bool threw = false;
    try {
        LARK_FUZZ_CHECK(StrToInt(text) == v, text);
    } catch (const EConvertError&) {
        threw = true;
    }
    LARK_FUZZ_CHECK(threw == !ok, text);
    if (ok) {
        int back = 0;
        LARK_FUZZ_CHECK(TryStrToInt(QString::number(v), back) && back == v, text);
    }
    std::int64_t w = 0;
    const bool ok64 = TryStrToInt64(text, w);
    if (!HasHexMark(text)) {
        // Decimal text: the 64-bit rule agrees wherever a value fits 32 bits.
        if (ok)
            LARK_FUZZ_CHECK(ok64 && w == v, text);
        if (ok64 && w >= INT32_MIN && w <= INT32_MAX)
            LARK_FUZZ_CHECK(ok && w == v, text);
    }
    std::uint32_t h = 0;
    if (TryParseHex(text, h)) {
        std::uint32_t back = 0;
        LARK_FUZZ_CHECK(TryParseHex(QString::number(h, 16), back) && back == h, text);
    }
}

void CheckBooleans(const QString& text)
{
    bool v = false;
    const bool ok = TryStrToBool(text, v);
    bool threw = false;
    try {
        LARK_FUZZ_CHECK(StrToBool(text) == v, text);
    } catch (const EConvertError&) {
        threw = true;
    }
    LARK_FUZZ_CHECK(threw == !ok, text);
    if (ok) {
        for (bool words : { false, true }) {
            bool back = !v;
            LARK_FUZZ_CHECK(TryStrToBool(BoolToStr(v, words), back) && back == v, text);
        }
    }
}

void CheckFontSize(const QString& text, int current, int deflt, int resolution)
{
    const int height = FontSizeToHeight(text, current, deflt, resolution);
    const bool signed_ = text.startsWith(u'+') || text.startsWith(u'-');
    const int sign = (current > 0) - (current < 0);
    if (signed_) {
        if (current == 0)
            LARK_FUZZ_CHECK(height == 0, text);
        return;
    }
    if (text.contains(u"px"_s))
        return;
    int n = 0;
    if (!TryStrToInt(text, n)) {
        LARK_FUZZ_CHECK(height == deflt, text);
        return;
    }
    if (n >= 1 && n <= 9)
        LARK_FUZZ_CHECK(height == sign * (std::abs(deflt) + 5 * n), text);
    else
        LARK_FUZZ_CHECK(height == n, text);
}

void CheckUnquote(const QString& text)
{
    const QString once = UnquoteValue(text);
    LARK_FUZZ_CHECK(once.size() <= text.size() && once.size() >= text.size() - 2, text);
    if (!text.startsWith(u'\'') && !text.startsWith(u'"'))
        LARK_FUZZ_CHECK(once == text, text);
    for (QChar quote : { QChar(u'\''), QChar(u'"') }) {
        LARK_FUZZ_CHECK(UnquoteValue(quote + text + quote) == text, text);
        if (!text.endsWith(quote))
            LARK_FUZZ_CHECK(UnquoteValue(quote + text) == text, text);
    }
}

bool IsNamedReferenceChar(char16_t c)
{
    return c == u' ' || c == u'"' || c == u'&' || c == u'<' || c == u'>' || (c >= 0xA1 && c <= 0xFF) || c == 0x2122
        || c == 0x20AC;
}

void CheckCharRef(const QString& body)
{
    const TCharRef ref = DecodeCharRef(body);
    LARK_FUZZ_CHECK(ref.kind == TCharRef::Nothing || ref.kind == TCharRef::Character || ref.kind == TCharRef::Blank,
                    body);
    if (body.startsWith(u'#')) {
        int code = 0;
        if (!TryStrToInt(QStringView(body).mid(1), code) || code == 32) {
            LARK_FUZZ_CHECK(ref.kind == TCharRef::Blank && ref.ch == QChar(u' '), body);
            return;
        }
        const char16_t unit = char16_t(std::uint32_t(code) & 0xFFFFu);
        if (unit == 0)
            LARK_FUZZ_CHECK(ref.kind == TCharRef::Nothing, body);
        else
            LARK_FUZZ_CHECK(ref.kind == TCharRef::Character && ref.ch == QChar(unit), body);
        return;
    }
    LARK_FUZZ_CHECK(ref.kind != TCharRef::Blank, body);
    if (ref.kind == TCharRef::Character)
        LARK_FUZZ_CHECK(IsNamedReferenceChar(ref.ch.unicode()), body);
    // A name unknown as written is looked up in lower case.
    const TCharRef lower = DecodeCharRef(AsciiCase(body, false));
    if (ref.kind == TCharRef::Nothing)
        LARK_FUZZ_CHECK(lower.kind == TCharRef::Nothing, body);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lark::fuzz::InitializeEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = TextOf(data, size);
    Tail tail(data, size);
    const std::uint32_t rgb = tail.Take(3);
    const int current = int(std::int8_t(tail.Take(1))); // heights of either sign and 0
    const int deflt = int(std::int8_t(tail.Take(1)));
    const int resolution = int(tail.Take(1)) + 1;

    CheckColor(text, rgb);
    CheckIntegers(text);
    CheckBooleans(text);
    CheckFontSize(text, current, deflt, resolution);
    CheckUnquote(text);
    CheckCharRef(text);
    return 0;
}
