// The attribute value rules: quotes, integers, Booleans, hexadecimal numbers,
// colours, font sizes, character references.
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/parse/values.h>

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

using namespace lark;

namespace {

template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

//---- UnquoteValue ----

struct UnquoteCase
{
    const char* name;
    const char16_t* text;
    const char16_t* expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const UnquoteCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr UnquoteCase kUnquoteCases[] = {
    {"Empty", u"", u""},
    {"Plain", u"abc", u"abc"},
    {"Apostrophes", u"'abc'", u"abc"},
    {"DoubleQuotes", u"\"abc\"", u"abc"},
    {"OpenedNotClosed", u"'abc", u"abc"},
    {"MixedQuotesKeepTheLast", u"'abc\"", u"abc\""},
    {"ClosingQuoteOnly", u"abc'", u"abc'"},
    {"LoneQuote", u"'", u""},
    {"EmptyQuoted", u"''", u""},
    {"OnlyOneLayer", u"\"'a'\"", u"'a'"},
    {"LeadingBlankIsNotAQuote", u" 'a'", u" 'a'"},
    {"InnerQuotesStay", u"'a'b'", u"a'b"},
};

class UnquoteTest : public testing::TestWithParam<UnquoteCase>
{
};

TEST_P(UnquoteTest, StripsOneLayer)
{
    EXPECT_EQ(UnquoteValue(QStringView(GetParam().text)), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, UnquoteTest, testing::ValuesIn(kUnquoteCases), RowName<UnquoteCase>);

//---- Integer rule (the framework's, as attribute values use it) ----

struct IntegerCase
{
    const char* name;
    const char16_t* text;
    bool ok;
    int value;
};

void PrintTo(const IntegerCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr IntegerCase kIntegerCases[] = {
    {"Decimal", u"12", true, 12},
    {"LeadingZeros", u"0012", true, 12},
    {"Zero", u"0", true, 0},
    {"LeadingBlanksSkipped", u"   12", true, 12},
    {"PlusSign", u"+7", true, 7},
    {"MinusSign", u"-7", true, -7},
    {"DollarHex", u"$1F", true, 31},
    {"LowerXHex", u"x41", true, 65},
    {"UpperXHex", u"X41", true, 65},
    {"ZeroXHex", u"0x41", true, 65},
    {"ZeroUpperXHex", u"0Xff", true, 255},
    {"NegativeHex", u"-$10", true, -16},
    {"HexFillsAllBits", u"$FFFFFFFF", true, -1},
    {"HexBeyond32Bits", u"$100000000", false, 0},
    {"LargestInt", u"2147483647", true, INT_MAX},
    {"SmallestInt", u"-2147483648", true, INT_MIN},
    {"DecimalOverflow", u"2147483648", false, 0},
    {"NegativeOverflow", u"-2147483649", false, 0},
    {"HugeNumber", u"99999999999999999999999999999999", false, 0},
    {"Empty", u"", false, 0},
    {"BlanksOnly", u"   ", false, 0},
    {"SignOnly", u"-", false, 0},
    {"DollarOnly", u"$", false, 0},
    {"ZeroXOnly", u"0x", false, 0},
    {"TrailingBlank", u"12 ", false, 0},
    {"TrailingLetter", u"12a", false, 0},
    {"HexDigitsWithoutPrefix", u"1F", false, 0},
    {"TabIsNotABlank", u"\t12", false, 0},
    {"BlankAfterSign", u"- 1", false, 0},
    {"ControlCharacter", u"1\x01", false, 0},
    {"NonAsciiDigit", u"\u0661", false, 0},
    {"FullwidthDigit", u"\uFF11", false, 0},
};

class IntegerTest : public testing::TestWithParam<IntegerCase>
{
};

TEST_P(IntegerTest, FollowsTheIntegerRule)
{
    const IntegerCase& row = GetParam();
    const QStringView text(row.text);
    int value = 12345;
    ASSERT_EQ(TryStrToInt(text, value), row.ok);
    if (row.ok) {
        EXPECT_EQ(value, row.value);
        EXPECT_EQ(StrToInt(text), row.value);
        EXPECT_EQ(StrToIntDef(text, 99), row.value);
    } else {
        EXPECT_THROW(StrToInt(text), EConvertError);
        EXPECT_EQ(StrToIntDef(text, 99), 99);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, IntegerTest, testing::ValuesIn(kIntegerCases), RowName<IntegerCase>);

//---- Boolean rule (the framework's, as the checked attribute uses it) ----

struct BooleanCase
{
    const char* name;
    const char16_t* text;
    bool ok;
    bool value;
};

void PrintTo(const BooleanCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr BooleanCase kBooleanCases[] = {
    {"One", u"1", true, true},
    {"Zero", u"0", true, false},
    {"NegativeNumber", u"-3", true, true},
    {"HexZero", u"$0", true, false},
    {"HexNumber", u"0x10", true, true},
    {"True", u"true", true, true},
    {"FalseCapitalised", u"False", true, false},
    {"TrueUpperCase", u"TRUE", true, true},
    {"TrueMixedCase", u"tRuE", true, true},
    {"FloatZero", u"0.0", true, false},
    {"FloatFraction", u"0.5", true, true},
    {"FloatWithExponent", u"2.5e3", true, true},
    {"ZeroWithExponent", u"0e5", true, false},
    {"LongNumberBeyondInt", u"99999999999", true, true},
    {"NumberInBlanks", u" 0 ", true, false},
    {"Yes", u"yes", false, false},
    {"Empty", u"", false, false},
    {"TrueWithSuffix", u"truex", false, false},
    {"TrueWithBlank", u"true ", false, false},
    {"DotOnly", u".", false, false},
    {"ExponentWithoutDigits", u"1e", false, false},
};

class BooleanTest : public testing::TestWithParam<BooleanCase>
{
};

TEST_P(BooleanTest, FollowsTheBooleanRule)
{
    const BooleanCase& row = GetParam();
    const QStringView text(row.text);
    bool value = !row.value;
    ASSERT_EQ(TryStrToBool(text, value), row.ok);
    if (row.ok) {
        EXPECT_EQ(value, row.value);
        EXPECT_EQ(StrToBool(text), row.value);
    } else {
        EXPECT_THROW(StrToBool(text), EConvertError);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, BooleanTest, testing::ValuesIn(kBooleanCases), RowName<BooleanCase>);

//---- Hexadecimal rule ----

struct HexCase
{
    const char* name;
    const char16_t* text;
    bool ok;
    std::uint32_t value;
};

void PrintTo(const HexCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr HexCase kHexCases[] = {
    {"LowerDigits", u"ff", true, 0xFF},
    {"UpperDigits", u"FF", true, 0xFF},
    {"DollarPrefix", u"$00ff00", true, 0x00FF00},
    {"BlanksAndControlsTrimmed", u" \tff\r\n", true, 0xFF},
    {"DollarThenBlanks", u"$ ff ", true, 0xFF},
    {"Minus", u"-1", true, 0xFFFFFFFF},
    {"Plus", u"+10", true, 0x10},
    {"WrapsAt32Bits", u"123456789", true, 0x23456789},
    {"Empty", u"", false, 0},
    {"DollarOnly", u"$", false, 0},
    {"BlanksOnly", u"  ", false, 0},
    {"SignOnly", u"-", false, 0},
    {"NotAHexDigit", u"fg", false, 0},
    {"InnerBlank", u"f f", false, 0},
    {"DollarAfterBlank", u" $ff", false, 0},
    {"ZeroXIsNotAPrefix", u"0x1", false, 0},
    {"FullwidthLetter", u"\uFF41", false, 0},
};

class HexTest : public testing::TestWithParam<HexCase>
{
};

TEST_P(HexTest, FollowsTheHexRule)
{
    const HexCase& row = GetParam();
    std::uint32_t value = 0xDEADBEEF;
    ASSERT_EQ(TryParseHex(QStringView(row.text), value), row.ok);
    if (row.ok) {
        EXPECT_EQ(value, row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, HexTest, testing::ValuesIn(kHexCases), RowName<HexCase>);

//---- Colours ----

// A default no rule produces by itself, so that falling back is visible.
constexpr TColor kFallback = 0x00123456;

struct ColorCase
{
    const char* name;
    const char16_t* text;
    TColor expected;
};

void PrintTo(const ColorCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr ColorCase kColorCases[] = {
    {"HashUpper", u"#FF0000", clRed},
    {"HashLower", u"#ff0000", clRed},
    {"Name", u"red", clRed},
    {"NameCapitalised", u"Red", clRed},
    {"NameUpperCase", u"RED", clRed},
    {"Identifier", u"clRed", clRed},
    {"IdentifierLowerCase", u"clred", clRed},
    {"HashBlue", u"#0000ff", clBlue},
    {"HashWithDollar", u"#$00ff00", 0x0000FF00},
    {"HashBlanksTrimmed", u"#  ff0000 ", clRed},
    {"IndianRed", u"indianred", 0x005C5CCD},
    {"Indigo", u"indigo", 0x0082004B},
    {"DarkGrey", u"darkgrey", 0x00A9A9A9},
    {"DarkGray", u"darkgray", 0x00A9A9A9},
    {"MediumPurple", u"mediumpurple", 0x00D87093},
    {"PaleVioletRed", u"palevioletred", 0x009370D8},
    {"BitsAbove24Dropped", u"#12345678", 0x00785634},
    {"NoThreeDigitShorthand", u"#fff", 0x00FF0F00},
    {"NegatedHex", u"#-1", clWhite},
    {"BadHex", u"#xyz", kFallback},
    {"HashOnly", u"#", kFallback},
    {"IdentifierNone", u"clnone", clNone},
    {"IdentifierWithoutPrefixDefault", u"default", clDefault},
    {"SystemColourWithoutPrefix", u"btnface", clBtnFace},
    {"SystemColour", u"clBtnFace", clBtnFace},
    {"Nonsense", u"nonsense", kFallback},
    {"Empty", u"", kFallback},
    {"PrefixOnly", u"cl", kFallback},
    {"LeadingBlank", u" red", kFallback},
    {"UnicodeLookAlike", u"\u0130ndigo", kFallback},
};

class ColorTest : public testing::TestWithParam<ColorCase>
{
};

TEST_P(ColorTest, Parses)
{
    EXPECT_EQ(ParseColor(QStringView(GetParam().text), kFallback), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ColorTest, testing::ValuesIn(kColorCases), RowName<ColorCase>);

TEST(ColorNames, TableIsSortedAndComplete)
{
    const auto names = detail::ColorNames();
    ASSERT_EQ(names.size(), 147u);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(names[i - 1].name, names[i].name) << "at " << i;
}

TEST(ColorNames, EveryNameMatchesItsHashForm)
{
    for (const detail::ColorNameEntry& entry : detail::ColorNames()) {
        const QString name = QString::fromStdU16String(std::u16string(entry.name));
        SCOPED_TRACE(name.toStdString());
        const QString hash = QStringLiteral("#%1").arg(entry.rgb, 6, 16, QLatin1Char('0'));
        const TColor expected = ParseColor(hash, kFallback);
        ASSERT_NE(expected, kFallback);
        EXPECT_EQ(ParseColor(name, kFallback), expected);
        EXPECT_EQ(ParseColor(name.toUpper(), kFallback), expected);
    }
}

//---- Font sizes ----

struct FontSizeCase
{
    const char* name;
    const char16_t* text;
    int current; // H: the height in force
    int standard; // D: the document's default height
    int resolution; // R
    int expected;
};

void PrintTo(const FontSizeCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr FontSizeCase kFontSizeCases[] = {
    {"PlusTwo", u"+2", -11, -11, 96, -14},
    {"MinusOne", u"-1", -11, -11, 96, -10},
    {"PlusFromPositiveHeight", u"+2", 11, -11, 96, 14},
    {"PlusFromZeroHeight", u"+2", 0, -11, 96, 0},
    {"RelativeToDocumentNotEnclosing", u"+2", -30, -11, 96, -14},
    {"PlusAtSeventyTwoDpi", u"+1", -11, -11, 72, -12},
    {"HalfRoundsAwayFromZero", u"+1", -11, -11, 36, -12},
    {"NegativeHalfRoundsAwayFromZero", u"-1", -11, -11, 36, -10},
    {"SignedNotANumber", u"+big", -11, -11, 96, -11},
    {"SignedOverflowCountsAsZero", u"-99999999999", -11, -11, 96, -11},
    {"HugePointCountStaysFinite", u"+2147483647", -11, -11, 96, -10},
    {"Step3", u"3", -11, -11, 96, -26},
    {"Step9", u"9", -11, -11, 96, -56},
    {"Step1FromZeroHeight", u"1", 0, -11, 96, 0},
    {"StepWithLeadingBlank", u" 3", -11, -11, 96, -26},
    {"StepHugeDefaultSaturates", u"3", -1, INT_MIN, 96, INT_MIN},
    {"Pixels", u"12px", -11, -11, 96, 12},
    {"PixelsWithBlank", u"12 px", -11, -11, 96, 12},
    {"PixelsFirstOccurrenceOnly", u"1px2", -11, -11, 96, 12},
    {"PixelsNotANumber", u"px", -11, -11, 96, -11},
    {"PixelsUpperCaseIsNotPixels", u"12PX", -11, -11, 96, -11},
    {"PixelsSignedIsRelative", u"-12px", -11, -11, 96, -11},
    {"Zero", u"0", -11, -11, 96, 0},
    {"TenIsAbsolute", u"10", -11, -11, 96, 10},
    {"TwelveIsAbsolute", u"12", -11, -11, 96, 12},
    {"Word", u"big", -11, -11, 96, -11},
    {"Empty", u"", -11, -13, 96, -13},
};

class FontSizeTest : public testing::TestWithParam<FontSizeCase>
{
};

TEST_P(FontSizeTest, GivesHeight)
{
    const FontSizeCase& row = GetParam();
    EXPECT_EQ(FontSizeToHeight(QStringView(row.text), row.current, row.standard, row.resolution), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FontSizeTest, testing::ValuesIn(kFontSizeCases), RowName<FontSizeCase>);

TEST(ScreenResolution, ComesFromThePrimaryScreen)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ScreenResolution(), qRound(screen->logicalDotsPerInchY()));
    EXPECT_EQ(FontSizeToHeight(u"+4", -11, -11), FontSizeToHeight(u"+4", -11, -11, ScreenResolution()));
}

//---- Character references ----

struct CharRefCase
{
    const char* name;
    const char16_t* body; // the text between "&" and ";"
    TCharRef::Kind kind;
    char16_t ch;
};

void PrintTo(const CharRefCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr CharRefCase kCharRefCases[] = {
    {"Amp", u"amp", TCharRef::Character, u'&'},
    {"AmpUpperCase", u"AMP", TCharRef::Character, u'&'},
    {"AmpCapitalised", u"Amp", TCharRef::Character, u'&'},
    {"Quot", u"quot", TCharRef::Character, u'"'},
    {"Lt", u"lt", TCharRef::Character, u'<'},
    {"Gt", u"gt", TCharRef::Character, u'>'},
    {"NbspIsAPlainBlank", u"nbsp", TCharRef::Character, u' '},
    {"CapitalAGrave", u"Agrave", TCharRef::Character, u'\u00C0'},
    {"SmallAGrave", u"agrave", TCharRef::Character, u'\u00E0'},
    {"UpperCaseFallsBackToLower", u"AGRAVE", TCharRef::Character, u'\u00E0'},
    {"CapitalEth", u"ETH", TCharRef::Character, u'\u00D0'},
    {"SmallEth", u"eth", TCharRef::Character, u'\u00F0'},
    {"FirstLatin1", u"iexcl", TCharRef::Character, u'\u00A1'},
    {"LastLatin1", u"yuml", TCharRef::Character, u'\u00FF'},
    {"Euro", u"euro", TCharRef::Character, u'\u20AC'},
    {"Trade", u"trade", TCharRef::Character, u'\u2122'},
    {"UnknownName", u"foo", TCharRef::Nothing, 0},
    {"EmptyName", u"", TCharRef::Nothing, 0},
    {"NameWithBlank", u"amp x", TCharRef::Nothing, 0},
    {"UnicodeLookAlike", u"\u0130excl", TCharRef::Nothing, 0},
    {"Decimal", u"#65", TCharRef::Character, u'A'},
    {"HexThroughIntegerRule", u"#x41", TCharRef::Character, u'A'},
    {"HexWithDollar", u"#$41", TCharRef::Character, u'A'},
    {"LeadingBlankSkipped", u"# 65", TCharRef::Character, u'A'},
    {"EmptyNumberIsABlank", u"#", TCharRef::Blank, u' '},
    {"ThirtyTwoIsABlank", u"#32", TCharRef::Blank, u' '},
    {"NotANumberIsABlank", u"#abc", TCharRef::Blank, u' '},
    {"OverflowIsABlank", u"#99999999999", TCharRef::Blank, u' '},
    {"ZeroIsNothing", u"#0", TCharRef::Nothing, 0},
    {"LowBitsZeroIsNothing", u"#65536", TCharRef::Nothing, 0},
    {"LowBitsThirtyTwoIsAPlainBlank", u"#65568", TCharRef::Character, u' '},
    {"LoneSurrogateKept", u"#55296", TCharRef::Character, u'\xD800'},
    {"NegativeWraps", u"#-1", TCharRef::Character, u'\xFFFF'},
};

class CharRefTest : public testing::TestWithParam<CharRefCase>
{
};

TEST_P(CharRefTest, Decodes)
{
    const CharRefCase& row = GetParam();
    const TCharRef ref = DecodeCharRef(QStringView(row.body));
    EXPECT_EQ(ref.kind, row.kind);
    if (row.kind != TCharRef::Nothing) {
        EXPECT_EQ(ref.ch.unicode(), row.ch);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CharRefTest, testing::ValuesIn(kCharRefCases), RowName<CharRefCase>);

TEST(NamedCharRefs, TableHoldsLatin1InCodePointOrder)
{
    const auto refs = detail::NamedCharRefs();
    ASSERT_EQ(refs.size(), 102u);
    constexpr std::size_t kFirstLatin1 = 5; // after nbsp, quot, amp, lt, gt
    for (char16_t code = 0xA1; code <= 0xFF; ++code)
        EXPECT_EQ(refs[kFirstLatin1 + (code - 0xA1)].code, code);
    EXPECT_EQ(refs.back().name, u"euro");
}

TEST(NamedCharRefs, EveryNameDecodesToItsCharacter)
{
    for (const detail::NamedCharRefEntry& entry : detail::NamedCharRefs()) {
        const QString name = QString::fromStdU16String(std::u16string(entry.name));
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(DecodeCharRef(name), (TCharRef{TCharRef::Character, QChar(entry.code)}));
    }
}

} // namespace
