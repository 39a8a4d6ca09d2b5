// Text <-> number rules of the component model.
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>

#include <QLocale>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

using namespace lark;

namespace {

template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

struct Int64Case
{
    const char* name;
    const char16_t* text;
    bool ok;
    std::int64_t value;
};

constexpr Int64Case kInt64Cases[] = {
    { "Decimal", u"1234567890123", true, 1234567890123 },
    { "LeadingBlanks", u"  -5", true, -5 },
    { "Largest", u"9223372036854775807", true, INT64_MAX },
    { "Smallest", u"-9223372036854775808", true, INT64_MIN },
    { "Overflow", u"9223372036854775808", false, 0 },
    { "HexFillsAllBits", u"$FFFFFFFFFFFFFFFF", true, -1 },
    { "HexBeyond64Bits", u"0x10000000000000000", false, 0 },
    { "BareXPrefix", u"x7f", true, 127 },
    { "TrailingBlank", u"7 ", false, 0 },
    { "Empty", u"", false, 0 },
};

class Int64Test : public testing::TestWithParam<Int64Case>
{
};

TEST_P(Int64Test, FollowsTheIntegerRule)
{
    const Int64Case& row = GetParam();
    std::int64_t value = 42;
    ASSERT_EQ(TryStrToInt64(row.text, value), row.ok);
    if (row.ok) {
        EXPECT_EQ(value, row.value);
        EXPECT_EQ(StrToInt64(row.text), row.value);
    } else {
        EXPECT_EQ(value, 42);
        EXPECT_THROW(StrToInt64(row.text), EConvertError);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Int64Test, testing::ValuesIn(kInt64Cases), RowName<Int64Case>);

TEST(StrToInt, ErrorNamesTheText)
{
    try {
        StrToInt(u"12 ");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12 ' is not a valid integer value");
        EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
    }
    try {
        StrToFloat(u"1,5.");
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "'1,5.' is not a valid floating point value");
    }
}

struct FloatCase
{
    const char* name;
    const char16_t* text;
    bool ok;
    double value;
};

// The default locale of the tests uses "." as its decimal separator.
constexpr FloatCase kFloatCases[] = {
    { "Integer", u"12", true, 12 },
    { "Fraction", u"1.5", true, 1.5 },
    { "Signs", u"-0.25", true, -0.25 },
    { "NoIntegerPart", u".5", true, 0.5 },
    { "NoFractionPart", u"5.", true, 5 },
    { "Exponent", u"2.5E3", true, 2500 },
    { "NegativeExponent", u"1e-2", true, 0.01 },
    { "BlanksAround", u"  3  ", true, 3 },
    { "Overflow", u"1e999", false, 0 },
    { "Hex", u"$10", false, 0 },
    { "TwoSeparators", u"1.2.3", false, 0 },
    { "ExponentWithoutDigits", u"1e", false, 0 },
    { "DotOnly", u".", false, 0 },
    { "Empty", u"", false, 0 },
    { "Letters", u"nan", false, 0 },
};

class FloatTest : public testing::TestWithParam<FloatCase>
{
protected:
    void SetUp() override
    {
        FSaved = QLocale();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(FSaved); }
    QLocale FSaved;
};

TEST_P(FloatTest, FollowsTheFloatRule)
{
    const FloatCase& row = GetParam();
    double value = 42;
    ASSERT_EQ(TryStrToFloat(row.text, value), row.ok);
    if (row.ok)
        EXPECT_DOUBLE_EQ(value, row.value);
    else
        EXPECT_THROW(StrToFloat(row.text), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(Rows, FloatTest, testing::ValuesIn(kFloatCases), RowName<FloatCase>);

TEST(StrToFloat, UsesTheLocaleDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    double value = 0;
    EXPECT_TRUE(TryStrToFloat(u"1,25", value));
    EXPECT_DOUBLE_EQ(value, 1.25);
    EXPECT_FALSE(TryStrToFloat(u"1.25", value));
    EXPECT_EQ(FloatToStr(1.25), "1,25");
    QLocale::setDefault(saved);
}

struct FloatTextCase
{
    const char* name;
    double value;
    const char* text;
};

constexpr FloatTextCase kFloatTextCases[] = {
    { "Zero", 0, "0" },
    { "Integer", 100, "100" },
    { "Fraction", 1.5, "1.5" },
    { "Negative", -0.125, "-0.125" },
    { "FifteenDigits", 1.0 / 3.0, "0.333333333333333" },
    { "RoundsToFifteenDigits", 2.0 / 3.0, "0.666666666666667" },
    { "LargestFixed", 123456789012345.0, "123456789012345" },
    { "LargeIsScientific", 1e15, "1E15" },
    { "SmallestFixed", 0.00001, "0.00001" },
    { "SmallIsScientific", 1.5e-6, "1.5E-6" },
    { "NegativeScientific", -2e20, "-2E20" },
};

class FloatToStrTest : public testing::TestWithParam<FloatTextCase>
{
protected:
    void SetUp() override
    {
        FSaved = QLocale();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(FSaved); }
    QLocale FSaved;
};

TEST_P(FloatToStrTest, WritesFifteenSignificantDigits)
{
    const FloatTextCase& row = GetParam();
    const QString text = FloatToStr(row.value);
    EXPECT_EQ(text, QString::fromLatin1(row.text));
    // And reads back to the same value within fifteen digits.
    EXPECT_NEAR(StrToFloat(text), row.value, std::fabs(row.value) * 1e-14);
}

INSTANTIATE_TEST_SUITE_P(Rows, FloatToStrTest, testing::ValuesIn(kFloatTextCases), RowName<FloatTextCase>);

TEST(FloatToStr, NonFiniteValues)
{
    EXPECT_EQ(FloatToStr(NAN), "NAN");
    EXPECT_EQ(FloatToStr(INFINITY), "INF");
    EXPECT_EQ(FloatToStr(-INFINITY), "-INF");
}

TEST(BoolToStr, BothForms)
{
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
}

struct MulDivCase
{
    int number, numerator, denominator, expected;
};

constexpr MulDivCase kMulDivCases[] = {
    { 2, 96, 72, 3 },             // 2.67 rounds up
    { 8, 96, 72, 11 },            // 10.67
    { 3, 1, 2, 2 },               // halves away from zero
    { -3, 1, 2, -2 },
    { 3, -1, 2, -2 },
    { 5, 1, -3, -2 },             // -1.67
    { INT_MAX, INT_MAX, INT_MAX, INT_MAX },  // 64-bit intermediate
    { INT_MAX, 2, 1, -1 },        // does not fit an int
    { 1, 1, 0, -1 },              // no divisor
};

TEST(MulDiv, RoundsHalfAwayFromZeroIn64Bits)
{
    for (const MulDivCase& row : kMulDivCases) {
        SCOPED_TRACE(testing::Message() << row.number << "*" << row.numerator << "/" << row.denominator);
        EXPECT_EQ(MulDiv(row.number, row.numerator, row.denominator), row.expected);
    }
}

} // namespace
