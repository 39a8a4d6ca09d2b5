// The hit test: lines stacked from the top, items standing on the line's
// bottom, superscripts raised, aligned lines placed in the wider of the area
// and the line; and the link test built on it.
#include "html/interaction_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lark;
using namespace Qt::StringLiterals;
using lark::test::DumpItems;
using lark::test::InteractionTest;

namespace {

class HitTest : public InteractionTest
{
};

TEST_F(HitTest, OnlyTheLineUnderThePointIsSearched)
{
    // A short line above a long one: right of "a" lies nothing on its own
    // line, although the line below has text in that column.
    Parse(u"a<br>a much longer line"_s);
    TLarkHTMLItem& shortRun = Run(u"a"_s);
    TLarkHTMLItem& longRun = Run(u"a much longer line"_s);
    const int h1 = Item(0).FHeight;
    const int h2 = Item(2).FHeight;
    const int beyond = shortRun.FWidth + 5;
    ASSERT_GT(longRun.FWidth, beyond);

    struct Probe
    {
        const char* name;
        QPoint point;
        QPoint source;
        TLarkHTMLItem* expected;
    };
    const Probe probes[] = {
        {"OnShortRun", {0, h1 - 1}, {}, &shortRun},
        {"RightEdgeIsInclusive", {shortRun.FWidth, h1 - 1}, {}, &shortRun},
        {"BesideShortLine", {beyond, h1 - 1}, {}, nullptr},
        {"SameColumnLineBelow", {beyond, h1 + h2 - 1}, {}, &longRun},
        {"TopRowOfLineBelow", {beyond, h1}, {}, &longRun},
        {"AboveDocument", {0, -1}, {}, nullptr},
        {"BelowLastLine", {0, h1 + h2}, {}, nullptr},
        {"SourcePointIsAdded", {0, 0}, {beyond, h1 + h2 - 1}, &longRun},
        {"NegativeSourcePoint", {beyond + 10, h1 + h2 + 9}, {-10, -10}, &longRun},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        EXPECT_EQ(Render.GetItemAt(probe.point, probe.source, kArea), probe.expected);
    }
}

struct ScriptCase
{
    const char* name;
    QString html; // the script run is "2"
    bool raised;
};

class ScriptHitTest : public InteractionTest, public testing::WithParamInterface<ScriptCase>
{
};

TEST_P(ScriptHitTest, ScriptBoxSitsOnTheBottomOrHalfItsHeightAbove)
{
    Parse(GetParam().html);
    TLarkHTMLItem& script = Run(u"2"_s);
    const int lineBottom = Item(0).FHeight;
    int baseLine = 0;
    const int h = script.GetHeight(baseLine);
    const int up = GetParam().raised ? h / 2 : 0;
    const int x = Run(u"x"_s).FWidth + script.FWidth / 2 + 1;
    ASSERT_GT(h, 1);

    struct Probe
    {
        const char* name;
        int y;
        bool hits;
    };
    // The line's bottom row already belongs to the line below, so a box on
    // the bottom is hit down to the row above it.
    const Probe probes[] = {
        {"Top", lineBottom - up - h, true},
        {"AboveTop", lineBottom - up - h - 1, false},
        {"LowestRow", std::min(lineBottom - up, lineBottom - 1), true},
        {"BelowBox", lineBottom - up + 1, false},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        const TLarkHTMLItem* hit = Render.GetItemAt(QPoint(x, probe.y), QPoint(), kArea);
        EXPECT_EQ(hit == &script, probe.hits) << "y " << probe.y;
    }
}

const ScriptCase kScriptCases[] = {
    {"Superscript", u"x<sup>2</sup>"_s, true},
    {"Subscript", u"x<sub>2</sub>"_s, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, ScriptHitTest, testing::ValuesIn(kScriptCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AlignCase
{
    const char* name;
    const char* align;
    int areaExtra; // area width minus line width
    int probeX;
    bool hits;
};

class AlignedHitTest : public InteractionTest, public testing::WithParamInterface<AlignCase>
{
};

// The line starts at (W - width - 1) div 2 centred and W - width - 1 right,
// W being the wider of the area and the line.
TEST_P(AlignedHitTest, LineStartsWhereItsAlignmentPutsIt)
{
    Parse(QString::fromLatin1("<p align=%1>aligned").arg(QLatin1String(GetParam().align)));
    TLarkHTMLItem& run = Run(u"aligned"_s);
    const int index = Data().IndexOfItem(&run);
    const TLarkHTMLItem& line = Item(index - 1);
    ASSERT_TRUE(line.IsBreakItem());
    int top = 0;
    for (int i = 0; i < index - 1; ++i)
        top += Item(i).IsBreakItem() ? Item(i).FHeight : 0;
    const QRect area(0, 0, line.FWidth + GetParam().areaExtra, 50);
    const TLarkHTMLItem* hit =
        Render.GetItemAt(QPoint(GetParam().probeX, top + line.FHeight - 1), QPoint(), area);
    EXPECT_EQ(hit == &run, GetParam().hits) << DumpItems(Data());
}

const AlignCase kAlignCases[] = {
    {"CentreWide", "center", 40, 19, true},
    {"CentreWideBeforeStart", "center", 40, 18, false},
    {"CentreNarrowAsWideAsLine", "center", -5, 0, true},
    {"CentreNarrowBeforeStart", "center", -5, -1, false},
    {"RightWide", "right", 40, 39, true},
    {"RightWideBeforeStart", "right", 40, 38, false},
    {"RightNarrow", "right", -5, -1, true},
    {"RightNarrowBeforeStart", "right", -5, -2, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, AlignedHitTest, testing::ValuesIn(kAlignCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HitTest, AreaOfZeroWidthStandsForTheLastPaintArea)
{
    Parse(u"<p align=center>aligned"_s);
    const TLarkHTMLItem& run = Run(u"aligned"_s);
    const TLarkHTMLItem& line = Item(Data().IndexOfItem(&run) - 1);
    const int y = Data().TextSize().height() - 1;
    Data().SetRect(QRect(5, 5, line.FWidth + 40, 50));
    // Centred in the last paint's width the line starts at 19, not at 0.
    EXPECT_EQ(Render.GetItemAt(QPoint(19, y), QPoint(), QRect()), &run);
    EXPECT_EQ(Render.GetItemAt(QPoint(18, y), QPoint(), QRect(3, 3, 0, 10)), nullptr);
}

TEST_F(HitTest, NothingWithoutAContainer)
{
    Parse(u"text"_s);
    TLarkHTMLData* own = Render.Data();
    TLarkHTMLData* other = Render.CreateData();
    Render.SetData(other);
    Render.DestroyData(other);
    ASSERT_EQ(Render.Data(), nullptr);
    QString href = u"stale"_s;
    EXPECT_EQ(Render.GetItemAt(QPoint(1, 1), QPoint(), kArea), nullptr);
    EXPECT_FALSE(Render.IsCursorOverLink(QPoint(1, 1), QPoint(), kArea, href));
    EXPECT_TRUE(href.isEmpty());
    Render.SetData(own);
}

TEST_F(HitTest, CursorOverLinkGivesItsTargetAsWritten)
{
    Parse(u"<a href=\"Pages/Two.html\">link</a> plain"_s);
    struct Probe
    {
        const char* name;
        const TLarkHTMLItem* item; // nullptr: a point below the document
        bool overLink;
        QString href;
    };
    const Probe probes[] = {
        {"Link", &Run(u"link"_s), true, u"Pages/Two.html"_s},
        {"Plain", &Run(u" plain"_s), false, QString()},
        {"Nothing", nullptr, false, QString()},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        const QPoint p = probe.item ? PointOn(*probe.item).value_or(QPoint()) : QPoint(0, 1000);
        QString href = u"stale"_s;
        EXPECT_EQ(Render.IsCursorOverLink(p, QPoint(), kArea, href), probe.overLink);
        EXPECT_EQ(href, probe.href);
    }
}

} // namespace
