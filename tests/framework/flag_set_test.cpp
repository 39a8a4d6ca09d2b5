// The flag-set template and the saturating conversion: small value types the
// engine's fonts, input handling and coordinate arithmetic are built on.

#include <lark/framework/flag_set.h>
#include <lark/framework/font.h>
#include <lark/framework/saturate.h>
#include <lark/html/interaction/shift_state.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace lark {
namespace {

// A fixed underlying type, so a value past the named ones is valid to make.
enum TSide : int { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TFlagSet<TSide, 4>;

// Checked at compile time too: the sets are literal types.
static_assert(TSides{sdTop}.ToInt() == 2);
static_assert((~TSides{sdLeft}) == TSides{sdTop, sdRight, sdBottom});
static_assert(sizeof(TSides) == 1 && sizeof(TFlagSet<TSide, 9>) == 2 && sizeof(TFlagSet<TSide, 32>) == 4);

TEST(FlagSet, IncludeExcludeContains)
{
    TSides sides;
    EXPECT_TRUE(sides.IsEmpty());
    sides.Include(sdTop).Include(sdBottom);
    EXPECT_TRUE(sides.Contains(sdTop));
    EXPECT_TRUE(sides.Contains(sdBottom));
    EXPECT_FALSE(sides.Contains(sdLeft));
    EXPECT_EQ(sides.ToInt(), 0b1010);
    sides.Exclude(sdTop).Exclude(sdTop);
    EXPECT_EQ(sides, TSides{sdBottom});
}

TEST(FlagSet, Operators)
{
    const TSides a{sdLeft, sdTop};
    const TSides b{sdTop, sdRight};
    struct Case
    {
        const char* name;
        TSides result;
        TSides expected;
    };
    const Case cases[] = {
        {"union", a | b, TSides{sdLeft, sdTop, sdRight}},
        {"intersection", a & b, TSides{sdTop}},
        {"symmetric difference", a ^ b, TSides{sdLeft, sdRight}},
        {"difference", a - b, TSides{sdLeft}},
        {"complement stays within the values", ~a, TSides{sdRight, sdBottom}},
        {"complement of everything", ~(a | ~a), TSides{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.name;

    TSides s = a;
    s |= b;
    EXPECT_EQ(s, (TSides{sdLeft, sdTop, sdRight}));
    s &= b;
    EXPECT_EQ(s, b);
    s ^= TSides{sdTop};
    EXPECT_EQ(s, TSides{sdRight});
    s -= TSides{sdRight};
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_NE(a, b);
}

TEST(FlagSet, ValuesOutsideTheSetAreDropped)
{
    EXPECT_EQ(TSides::FromInt(0xFF), (TSides{sdLeft, sdTop, sdRight, sdBottom}));
    EXPECT_EQ(TSides::FromInt(-1).ToInt(), 0x0F);
    const auto outside = static_cast<TSide>(4);
    EXPECT_TRUE(TSides{outside}.IsEmpty());
    EXPECT_FALSE(TSides::FromInt(0xFF).Contains(outside));
    EXPECT_EQ(TSides{sdLeft}.Include(outside), TSides{sdLeft});
    EXPECT_EQ((TFlagSet<TSide, 32>::FromInt(-1).ToInt()), -1);
}

// The two sets the library declares keep their bit layout: forms store
// font styles as these numbers.
TEST(FlagSet, FontStylesAndShiftStateBits)
{
    EXPECT_EQ(TFontStyles{fsUnderline}.ToInt(), 4);
    EXPECT_EQ((TFontStyles{fsBold, fsStrikeOut}).ToInt(), 0b1001);
    EXPECT_EQ(TFontStyles::FromInt(0x1F), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
    EXPECT_EQ(TShiftState{ssMeta}.ToInt(), 0x80);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton),
              (TShiftState{ssShift, ssCtrl, ssLeft}));
}

TEST(Saturate, ClampsToTheTargetRange)
{
    struct Case
    {
        std::int64_t value;
        int expected;
    };
    const Case cases[] = {
        {0, 0},
        {-5, -5},
        {INT_MAX, INT_MAX},
        {std::int64_t(INT_MAX) + 1, INT_MAX},
        {INT64_MAX, INT_MAX},
        {INT_MIN, INT_MIN},
        {std::int64_t(INT_MIN) - 1, INT_MIN},
        {INT64_MIN, INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SaturatingInt(c.value), c.expected) << c.value;

    EXPECT_EQ(SaturateCast<std::uint8_t>(-1), 0);
    EXPECT_EQ(SaturateCast<std::uint8_t>(300), 255);
    EXPECT_EQ(SaturateCast<int>(UINT64_MAX), INT_MAX);
    EXPECT_EQ(SaturateCast<std::int16_t>(std::uint32_t(40000)), INT16_MAX);
}

} // namespace
} // namespace lark
