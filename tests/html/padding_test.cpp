// Padding: the HTML controls' margins default to 1, changes notify once.

#include <lark/html/host/padding.h>

#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace lark;

namespace {

class PaddingTest : public testing::Test
{
protected:
    PaddingTest()
    {
        padding.OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &padding);
            ++notified;
        };
    }

    TLarkPadding padding;
    int notified = 0;
};

TEST_F(PaddingTest, MarginsDefaultToOne)
{
    EXPECT_EQ(padding.Margins(), QMargins(1, 1, 1, 1));
    EXPECT_EQ(padding.DefaultMargin(), 1);
    EXPECT_EQ(TPadding().Margins(), QMargins(0, 0, 0, 0));
}

struct MarginCase
{
    const char* name;
    void (TPadding::*set)(int);
    int (TPadding::*get)() const;
    void (TPadding::*reset)();
    bool (TPadding::*stored)() const;
};

const MarginCase kMarginCases[] = {
    {"Left", &TPadding::SetLeft, &TPadding::Left, &TPadding::ResetLeft, &TPadding::IsLeftStored},
    {"Top", &TPadding::SetTop, &TPadding::Top, &TPadding::ResetTop, &TPadding::IsTopStored},
    {"Right", &TPadding::SetRight, &TPadding::Right, &TPadding::ResetRight, &TPadding::IsRightStored},
    {"Bottom", &TPadding::SetBottom, &TPadding::Bottom, &TPadding::ResetBottom, &TPadding::IsBottomStored},
};

TEST_F(PaddingTest, EachMarginNotifiesOnlyOnChange)
{
    QSignalSpy spy(&padding, &TPadding::changed);
    for (const MarginCase& row : kMarginCases)
    {
        SCOPED_TRACE(row.name);
        notified = 0;
        spy.clear();
        (padding.*row.set)(1);
        EXPECT_EQ(notified, 0);
        EXPECT_FALSE((padding.*row.stored)());

        (padding.*row.set)(6);
        EXPECT_EQ((padding.*row.get)(), 6);
        EXPECT_TRUE((padding.*row.stored)());
        EXPECT_EQ(notified, 1);
        EXPECT_EQ(spy.count(), 1);

        (padding.*row.reset)();
        EXPECT_EQ((padding.*row.get)(), 1);
        EXPECT_EQ(notified, 2);
        EXPECT_TRUE(padding.metaObject()->property(padding.metaObject()->indexOfProperty(row.name)).isResettable());
    }
}

TEST_F(PaddingTest, SetBoundsNotifiesOnce)
{
    padding.SetBounds(2, 3, 4, 5);
    EXPECT_EQ(padding.Margins(), QMargins(2, 3, 4, 5));
    EXPECT_EQ(notified, 1);

    TLarkPadding other;
    other.Assign(padding);
    EXPECT_EQ(other.Margins(), QMargins(2, 3, 4, 5));
}

TEST_F(PaddingTest, NegativeMarginIsZero)
{
    padding.SetLeft(-5);
    EXPECT_EQ(padding.Left(), 0);
    padding.SetLeft(-1);
    EXPECT_EQ(notified, 1);
}

} // namespace
