#include "support/image_checks.h"

#include <lark/framework/canvas.h>
#include <lark/html/paint/gradient.h>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::test;

namespace {

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QColor Rgb(TColor color)
{
    return ToQColor(ColorToRGB(color));
}

TEST(FillGradient, HorizontalBandsStepFromTopToBottom)
{
    // The rectangle is 100 high inside a taller image: the last band must
    // stop at its bottom although every band reaches one pixel further.
    QImage image = Blank(60, 110);
    {
        TCanvas canvas(&image);
        FillGradient(canvas, RGB(255, 255, 225), clWhite, false, RectLTRB(0, 0, 60, 100), 10, clNone);
    }
    for (int row = 0; row < 100; ++row) {
        SCOPED_TRACE(row);
        const QColor expected(255, 255, 225 + 3 * (row / 10));
        EXPECT_TRUE(RegionIs(image, QRect(0, row, 60, 1), expected));
    }
    EXPECT_TRUE(RegionIs(image, QRect(0, 100, 60, 10), Qt::white));
}

TEST(FillGradient, VerticalStripesMoveMonotonicallyAndStopOneStepShort)
{
    QImage image = Blank(100, 10);
    {
        TCanvas canvas(&image);
        FillGradient(canvas, clWhite, clBlack, true, RectLTRB(0, 0, 100, 10), 7, clNone);
    }
    EXPECT_EQ(QColor(image.pixel(0, 5)), QColor(255, 255, 255));
    for (int x = 1; x < 100; ++x) {
        SCOPED_TRACE(x);
        EXPECT_LE(qRed(image.pixel(x, 5)), qRed(image.pixel(x - 1, 5)));
        EXPECT_TRUE(RegionIs(image, QRect(x, 0, 1, 10), QColor(image.pixel(x, 0))));
    }
    // Six steps of 255 / 7 down from white.
    EXPECT_EQ(QColor(image.pixel(99, 5)), QColor(36, 36, 36));
}

TEST(FillGradient, EqualColoursFillSolidlyUnderTheBorder)
{
    QImage image = Blank(40, 30);
    {
        TCanvas canvas(&image);
        FillGradient(canvas, clYellow, clYellow, false, RectLTRB(5, 5, 35, 25), 10, clRed);
    }
    EXPECT_TRUE(RegionIs(image, QRect(6, 6, 28, 18), Qt::yellow));
    for (const QRect& edge : { QRect(5, 5, 30, 1), QRect(5, 24, 30, 1), QRect(5, 5, 1, 20), QRect(34, 5, 1, 20) })
        EXPECT_TRUE(RegionIs(image, edge, Qt::red)) << edge.x() << "," << edge.y();
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 40, 5), Qt::white));
}

TEST(FillGradient, StepCountsBelowOneMakeOneBand)
{
    for (int steps : { 0, -5 }) {
        SCOPED_TRACE(steps);
        QImage image = Blank(20, 20);
        {
            TCanvas canvas(&image);
            FillGradient(canvas, clRed, clBlue, false, RectLTRB(0, 0, 20, 20), steps, clNone);
        }
        EXPECT_TRUE(RegionIs(image, image.rect(), Qt::red));
    }
}

TEST(FillGradient, MoreStepsThanPixelsKeepsTheLastBandOfEachRow)
{
    QImage image = Blank(8, 20);
    {
        TCanvas canvas(&image);
        FillGradient(canvas, clWhite, clBlack, false, RectLTRB(0, 0, 8, 20), 1000000000, clNone);
    }
    // Each row shows the last band starting on it: the first is already
    // some steps darker than white.
    EXPECT_GT(qRed(image.pixel(4, 0)), 240);
    for (int y = 1; y < 20; ++y)
        EXPECT_LT(qRed(image.pixel(4, y)), qRed(image.pixel(4, y - 1))) << y;
    EXPECT_LT(qRed(image.pixel(4, 19)), 10);
}

TEST(FillGradient, SecondColourNoneMeansTheFirst)
{
    QImage image = Blank(20, 20);
    {
        TCanvas canvas(&image);
        FillGradient(canvas, clGreen, clNone, true, RectLTRB(0, 0, 20, 20), 6, clNone);
    }
    EXPECT_TRUE(RegionIs(image, image.rect(), Rgb(clGreen)));
}

struct RuleCase
{
    const char* name;
    TColor light;
    TColor shadow;
    int height;
    // Rows from the rule's top, each in one colour (spanning the columns).
    std::vector<std::pair<int, TColor>> rows;
    int lastColumn; // rightmost column drawn
    QRect inside;
};

class DrawRuleTest : public testing::TestWithParam<RuleCase>
{
};

TEST_P(DrawRuleTest, DrawsBandsAndShrinksTheRectangle)
{
    const RuleCase& c = GetParam();
    QImage image = Blank(80, 30);
    QRect rect = RectLTRB(10, 10, 60, 12);
    bool drawn = false;
    {
        TCanvas canvas(&image);
        drawn = DrawRule(canvas, rect, c.light, c.shadow, c.height);
    }
    EXPECT_TRUE(drawn);
    EXPECT_EQ(rect, c.inside);
    for (const auto& [row, color] : c.rows) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(RegionIs(image, QRect(QPoint(10, 10 + row), QPoint(c.lastColumn, 10 + row)), Rgb(color)))
            << SaveForReview(image, QString::fromLatin1(c.name)).toStdString();
        EXPECT_TRUE(RegionIs(image, QRect(c.lastColumn + 1, 10 + row, 80 - c.lastColumn - 1, 1), Qt::white));
    }
    const int below = 10 + int(c.rows.size());
    EXPECT_TRUE(RegionIs(image, QRect(0, below, 80, 30 - below), Qt::white));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DrawRuleTest,
    testing::Values(
        // The hr default: a shadow line over a face line, one pixel short of
        // the rectangle's right edge.
        RuleCase{ "Etched", clBtnShadow, clBtnFace, 1, { { 0, clBtnShadow }, { 1, clBtnFace } }, 58,
                  RectLTRB(11, 11, 59, 11) },
        RuleCase{ "SingleLine", clBlue, clBlue, 1, { { 0, clBlue }, { 1, clWhite } }, 58, RectLTRB(11, 11, 59, 11) },
        // Bands reach one pixel past the right edge and below the rectangle.
        RuleCase{ "ThickBands",
                  clSilver,
                  clBtnFace,
                  3,
                  { { 0, clSilver }, { 1, clSilver }, { 2, clSilver }, { 3, clBtnFace }, { 4, clBtnFace }, { 5, clBtnFace } },
                  60,
                  RectLTRB(13, 13, 57, 9) },
        RuleCase{ "ThickSingleBand", clRed, clRed, 2, { { 0, clRed }, { 1, clRed } }, 60, RectLTRB(12, 12, 58, 10) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawRule, HeightZeroDrawsNothing)
{
    QImage image = Blank(40, 10);
    QRect rect = RectLTRB(0, 0, 40, 2);
    {
        TCanvas canvas(&image);
        EXPECT_FALSE(DrawRule(canvas, rect, clRed, clBlue, 0));
    }
    EXPECT_EQ(rect, RectLTRB(0, 0, 40, 2));
    EXPECT_TRUE(RegionIs(image, image.rect(), Qt::white));
}

} // namespace
