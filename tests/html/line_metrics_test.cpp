#include "layout_fixture.h"

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::test;

namespace {

class LineMetricsTest : public testing::Test
{
protected:
    TLarkHTMLRender Render;
    TLarkHTMLData& Data = *Render.Data();
    DocBuilder Doc{ Data };
};

TEST_F(LineMetricsTest, LineTakesTallestItemAndSumOfAdvances)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    line.FIndent = 10;
    TLarkHTMLItem& small = Doc.Text(QStringLiteral("small"), {}, -11);
    TLarkHTMLItem& image = Doc.Item(hitBitmap, 25, 30);
    TLarkHTMLItem& large = Doc.Text(QStringLiteral("Large"), { fsBold }, -20);
    Doc.Layout();

    const QFontMetrics largeMetrics = QtMetrics(kSans, -20, { fsBold });
    EXPECT_EQ(small.FWidth, QtWidth(kSans, -11, {}, small.Text()) + 1);
    EXPECT_EQ(large.FHeight, largeMetrics.height());
    EXPECT_EQ(line.FHeight, std::max(30, largeMetrics.height()));
    EXPECT_EQ(line.FWidth, 10 + small.FWidth + image.FWidth + large.FWidth);
    EXPECT_EQ(line.LineDescent(), std::max(QtMetrics(kSans, -11).descent(), largeMetrics.descent()));
    EXPECT_EQ(Data.TextSize(), QSize(line.FWidth, line.FHeight));
}

TEST_F(LineMetricsTest, AbsoluteIndentSetsTheAdvance)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    Doc.Text(QStringLiteral("a rather long text"));
    TLarkHTMLItem& indent = Doc.Item(hitIndent, 40);
    indent.FBoolState |= BoolState::AbsoluteIndent;
    TLarkHTMLItem& after = Doc.Text(QStringLiteral("x"));
    Doc.Layout();
    EXPECT_EQ(line.FWidth, 40 + after.FWidth);
}

TEST_F(LineMetricsTest, SubAndSuperscriptsGrowTheLine)
{
    struct Case
    {
        const char* name;
        bool sub;
    };
    for (const Case c : { Case{ "Sub", true }, Case{ "Super", false } }) {
        SCOPED_TRACE(c.name);
        Data.ClearArrays();
        TLarkHTMLBreakItem& line = Doc.Break();
        TLarkHTMLItem& plain = Doc.Text(QStringLiteral("plain"));
        TLarkHTMLItem& script = Doc.Text(QStringLiteral("2"));
        script.SetIsSub(c.sub);
        script.SetIsSuper(!c.sub);
        Doc.Layout();
        const QFontMetrics small = QtMetrics(kSans, -11);
        const int h = small.height();
        if (c.sub) {
            EXPECT_EQ(script.FHeight, h + h / 4);
            EXPECT_EQ(line.LineDescent(), std::max(QtMetrics(kSans, -13).descent(), small.descent() + h / 4));
        }
        else {
            EXPECT_EQ(script.FHeight, h + (2 * h) / 3);
            // The superscript's descent goes negative; the line's stays the
            // plain run's.
            EXPECT_EQ(line.LineDescent(), QtMetrics(kSans, -13).descent());
        }
        EXPECT_EQ(line.FHeight, std::max(plain.FHeight, script.FHeight));
    }
}

TEST_F(LineMetricsTest, ListLinesCountTheirMarkers)
{
    TLarkHTMLBreakItem& start = Doc.Break(hitUL);
    start.FIndent = 5;
    TLarkHTMLBreakItem& item = Doc.Break(hitLI);
    TLarkHTMLItem& text = Doc.Text(QStringLiteral("item"));
    Doc.Layout();
    const QFontMetrics metrics = QtMetrics(kSans, -13);
    EXPECT_EQ(start.FWidth, 5 + metrics.maxWidth());
    EXPECT_EQ(item.FWidth, metrics.averageCharWidth() + text.FWidth);
    // The list start's line is empty: it measures nothing.
    EXPECT_EQ(start.FHeight, 0);
    EXPECT_EQ(item.FHeight, text.FHeight);
}

TEST_F(LineMetricsTest, TextSizeAddsTheLineGapOncePerLine)
{
    Data.SetLineGap(3);
    std::vector<TLarkHTMLBreakItem*> lines;
    for (int i = 0; i < 4; ++i) {
        lines.push_back(&Doc.Break(i == 0 ? hitPara : hitBreak));
        Doc.Text(QString(i + 1, QLatin1Char('w')), {}, -10 - 3 * i);
    }
    Doc.Layout();
    int sum = 0;
    int widest = 0;
    for (const TLarkHTMLBreakItem* line : lines) {
        sum += line->FHeight;
        widest = std::max(widest, line->FWidth);
    }
    EXPECT_EQ(Data.TextSize(), QSize(widest, sum + 12));
    // Each line is as high as its text, gap included.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[size_t(i)]->FHeight, QtMetrics(kSans, -10 - 3 * i).height() + 3);
}

TEST_F(LineMetricsTest, LargeSizesDoNotWrap)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    Doc.Item(hitBitmap, 70000, 90000);
    Doc.Item(hitBitmap, 70000, 10);
    Doc.Layout();
    EXPECT_EQ(line.FWidth, 140000);
    EXPECT_EQ(line.FHeight, 90000);
    EXPECT_EQ(Data.TextSize(), QSize(140000, 90000));

    // A subscript's descent grows with the gap: far beyond 16 bits here.
    Data.ClearArrays();
    Data.SetLineGap(300000);
    TLarkHTMLBreakItem& gapped = Doc.Break();
    TLarkHTMLItem& sub = Doc.Text(QStringLiteral("2"));
    sub.SetIsSub(true);
    Doc.Layout();
    const QFontMetrics small = QtMetrics(kSans, -11);
    const int h = small.height() + 300000;
    EXPECT_EQ(gapped.LineDescent(), small.descent() + h / 4);
    EXPECT_EQ(gapped.FHeight, h + h / 4);
}

TEST_F(LineMetricsTest, IndexRecordsLineTopsAndWhatPaintingCarriesOver)
{
    Doc.Break();
    Doc.Item(hitBody);
    Doc.Text(QStringLiteral("first"));
    Doc.Break(hitBreak);
    TLarkHTMLItem& rule = Doc.Item(hitHR);
    rule.FHeight2 = 1;
    Doc.Break(hitBreak);
    Doc.Text(QStringLiteral("third"));
    Doc.Layout();

    const detail::LineIndex& index = Data.LineIndex();
    ASSERT_TRUE(detail::LineIndexIsCurrent(Data));
    ASSERT_EQ(index.Lines.size(), 3u);
    EXPECT_EQ(index.Lines[0].Item, 0);
    EXPECT_EQ(index.Lines[1].Item, 3);
    EXPECT_EQ(index.Lines[2].Item, 5);
    EXPECT_EQ(index.Lines[1].Top, Data.Item(0)->FHeight);
    EXPECT_EQ(index.Lines[2].Top, Data.Item(0)->FHeight + Data.Item(3)->FHeight);
    EXPECT_EQ(index.Lines[2].LastRun, 2);
    EXPECT_EQ(index.Lines[2].LastRule, 4);
    ASSERT_EQ(index.Bodies.size(), 1u);
    EXPECT_EQ(index.Bodies[0].Item, 1);
    EXPECT_EQ(index.Bodies[0].LastRule, -1);
    for (size_t i = 1; i < index.Lines.size(); ++i)
        EXPECT_GE(index.Lines[i].InkBottom, index.Lines[i - 1].InkBottom);
    // Any change of the list makes the index stale.
    Doc.Text(QStringLiteral("more"));
    EXPECT_FALSE(detail::LineIndexIsCurrent(Data));
}

} // namespace
