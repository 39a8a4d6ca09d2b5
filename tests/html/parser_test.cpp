// The parser: the character loop (blanks, line ends, character references,
// comments, tags), the attribute reader and the tag-found event.
#include "html/engine_fixture.h"

#include "lark/html/parse/attributes_p.h"
#include <lark/html/render.h>

#include <gtest/gtest.h>

using namespace lark;
using lark::test::DumpItems;
using lark::test::EngineTest;

namespace {

struct DumpCase
{
    const char* name;
    QString html;
    const char* items;
};

class CharacterLoop : public EngineTest, public testing::WithParamInterface<DumpCase>
{
};

TEST_P(CharacterLoop, Items)
{
    EXPECT_EQ(Dump(GetParam().html), GetParam().items);
}

const DumpCase kCharacterCases[] = {
    {"EmptyText", "", ""},
    {"PlainText", "abc", "P T'abc'"},
    {"BlanksCollapse", "a  b   c", "P T'a b c'"},
    {"LeadingBlankKept", " a", "P T' a'"},
    {"NbspNeverCollapses", "a&nbsp;&nbsp;b", "P T'a  b'"},
    {"NumericBlankCollapses", "a&#32;&#32;b", "P T'a b'"},
    {"NbspThenTypedBlankCollapses", "a&nbsp; b", "P T'a b'"},
    {"CrLfProducesNothing", "a\r\nb", "P T'ab'"},
    {"LoneCrProducesNothing", "a\rb", "P T'ab'"},
    {"LoneLfStays", "a\nb", "P T'a\\nb'"},
    {"TabStays", "a\tb", "P T'a\\u0009b'"},
    {"NamedReference", "x &amp; y", "P T'x & y'"},
    {"NamedReferenceAnyCase", "&AMP;&Amp;", "P T'&&'"},
    {"NamedReferenceExactCaseFirst", "&Agrave;&agrave;", "P T'\\u00c0\\u00e0'"},
    {"AmpersandBeforeBlank", "x & y", "P T'x & y'"},
    {"AmpersandWithoutSemicolon", "a&b c", "P T'a&b c'"},
    {"AmpersandAtEnd", "a&", "P T'a&'"},
    {"UnknownReferenceDropped", "a&bogus;b", "P T'ab'"},
    {"ReferenceNameRunsOverTags", "a&b <b>x</b>;c", "P T'ac'"},
    {"NumericReference", "&#65;&#x41;&#$41;", "P T'AAA'"},
    {"EmptyNumericIsBlank", "a&#;b", "P T'a b'"},
    {"NumericZeroProducesNothing", "a&#0;b", "P T'ab'"},
    {"NumericLowSixteenBits", "&#65601;", "P T'A'"},
    {"LoneSurrogateKept", "&#55296;", "P T'\\ud800'"},
    {"NumericWithoutSemicolonRunsToTheEnd", "a&#65 b<b>c", "P T'a '"},
    {"Comment", "<!-- note -->abc", "P T'abc'"},
    {"CommentHyphensCount", "<!--->x", "P T'x'"},
    {"UnclosedComment", "<!-- note", ""},
    {"CommentKeepsRun", "a<!--x-->b", "P T'ab'"},
    {"UnknownTagIgnored", "a<x>b", "P T'ab'"},
    {"UnknownTagWithAttributes", "a<x y=1 z>b", "P T'ab'"},
    {"TagCutOff", "ab<b", "P T'ab'"},
    {"TagCutOffInAttributes", "ab<b c=1", "P T'ab'"},
    {"GreaterThanIsText", "a>b", "P T'a>b'"},
    {"BlankAfterTagStays", "a <b> b", "P T'a ' T' b'"},
    {"HtmlTagChangesNothing", "<html>x</html>", "P T'x'"},
    {"NulIsText", QString::fromUtf16(u"a\0b", 3), "P T'a\\u0000b'"},
    {"LessThanRun", "<<<<", ""},
    {"SurplusClosingTags", "</b></i></font></a></ul></ol></p>x", "P BR P T'x'"},
};
INSTANTIATE_TEST_SUITE_P(Rows, CharacterLoop, testing::ValuesIn(kCharacterCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AttributeCase
{
    const char* name;
    QString text;      // from the blank after the tag name
    const char* lines; // the attribute lines joined with "|"
    int endPos;        // where reading stopped
};

class AttributeReader : public testing::TestWithParam<AttributeCase>
{
};

TEST_P(AttributeReader, Lines)
{
    const AttributeCase& c = GetParam();
    TStringList attributes;
    qsizetype pos = 0;
    detail::ReadAttributes(c.text, pos, attributes);
    EXPECT_EQ(attributes.ToStringList().join(QLatin1Char('|')).toStdString(), c.lines);
    EXPECT_EQ(pos, c.endPos);
}

const AttributeCase kAttributeCases[] = {
    {"Named", " a=1 b=two>", "a=1|b=two", 10},
    {"NameLowerValueKept", " NAME=Val>", "name=Val", 9},
    {"QuotesKept", " b='x y' c=\"z\">", "b='x y'|c=\"z\"", 14},
    {"QuotedGreaterThan", " x=\"a>b\" y=2>", "x=\"a>b\"|y=2", 12},
    {"OtherQuoteInside", " x='it\"s'>", "x='it\"s'", 9},
    {"BlankRunsInQuotesShrink", " x=\"a    b\">", "x=\"a b\"", 11},
    {"Positional", " checked readonly>", "p1=checked|p2=readonly", 17},
    {"BlanksAroundEqualsSplit", " a = 1>", "p1=a|=|p2=1", 6},
    {"TrimmedControls", " a\t=\tb>", "a=b", 6},
    {"EmptyName", " =x>", "=x", 3},
    {"ManyBlanks", "   a=1    >", "a=1", 10},
    {"CutOffDropsUnfinished", " a=1 b=2", "a=1", 7},
    {"UnclosedQuoteRunsToEnd", " a='x> b=1", "", 9},
    {"FirstEqualsSplits", " href=a=b>", "href=a=b", 9},
};
INSTANTIATE_TEST_SUITE_P(Rows, AttributeReader, testing::ValuesIn(kAttributeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AttributeLookup, FirstLineWinsAndValuesAreUnquoted)
{
    const TStringList attributes{QStringLiteral("a='x'"), QStringLiteral("a=y"), QStringLiteral("b=\"open")};
    EXPECT_EQ(detail::Attribute(attributes, u"A"), QStringLiteral("x"));
    EXPECT_EQ(detail::RawAttribute(attributes, u"a"), QStringLiteral("'x'"));
    EXPECT_EQ(detail::Attribute(attributes, u"b"), QStringLiteral("open"));
    EXPECT_EQ(detail::Attribute(attributes, u"missing"), QString());
}

// Every call of the tag-found event, as "name(params)closing,supported".
TEST_F(EngineTest, TagFoundSeesEveryTag)
{
    QStringList seen;
    Render.OnTagFound = [&](QObject* sender, QString& tag, TLarkHTMLItem*& item, TStringList*& params,
                            bool closing, bool supported) {
        EXPECT_EQ(sender, &Render);
        EXPECT_NE(item, nullptr);
        seen << QStringLiteral("%1(%2)%3%4")
                    .arg(tag, params ? params->ToStringList().join(QLatin1Char(',')) : QStringLiteral("-"))
                    .arg(closing ? 'c' : 'o')
                    .arg(supported ? 's' : 'u');
    };
    Parse(QStringLiteral("<B>x</B><x/y><Font Color=Red><~~v><!-- no --><br"));
    EXPECT_EQ(seen, (QStringList{"b(-)os", "/b(-)cs", "x/y(-)cu", "font(color=Red)os", "~~(p1=v)os"}));
}

TEST_F(EngineTest, TagFoundMayRenameTheTag)
{
    Render.OnTagFound = [](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*&, bool, bool) {
        if (tag == QStringLiteral("x"))
            tag = QStringLiteral("B");
    };
    Parse(QStringLiteral("a<x>b"));
    EXPECT_FALSE(Run(QStringLiteral("a")).FontStyle.Contains(fsBold));
    EXPECT_TRUE(Run(QStringLiteral("b")).FontStyle.Contains(fsBold));
}

TEST_F(EngineTest, TagFoundMayReplaceOrDropTheAttributes)
{
    Render.OnTagFound = [](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*& params, bool, bool) {
        if (tag == QStringLiteral("font"))
            params = new TStringList{QStringLiteral("color=red")};
        else if (tag == QStringLiteral("p"))
            params = nullptr;
    };
    Parse(QStringLiteral("<font>red</font><p align=right>left"));
    EXPECT_EQ(Run(QStringLiteral("red")).FontColor, clRed);
    EXPECT_EQ(static_cast<TLarkHTMLBreakItem*>(OfKind(hitPara).back())->Alignment(), 0);
}

TEST_F(EngineTest, TagFoundMayReplaceTheCurrentItem)
{
    std::unique_ptr<TLarkHTMLItem> replaced;
    Render.OnTagFound = [&](QObject*, QString& tag, TLarkHTMLItem*& item, TStringList*&, bool, bool) {
        if (tag != QStringLiteral("swap"))
            return;
        replaced.reset(item);
        item = new TLarkHTMLItem(nullptr);
        item->SetText(QStringLiteral("new:"));
        item->FontColor = clRed;
    };
    Parse(QStringLiteral("old<swap>text"));
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->Text(), QStringLiteral("old"));
    EXPECT_EQ(DumpItems(Data()), "P T'new:text'");
    EXPECT_EQ(Item(1).FontColor, clRed);
    EXPECT_EQ(Item(1).Owner(), &Data());
}

TEST_F(EngineTest, TagFoundCannotHandOverAListedItem)
{
    Render.OnTagFound = [&](QObject*, QString& tag, TLarkHTMLItem*& item, TStringList*&, bool, bool) {
        if (tag == QStringLiteral("again") && Data().ItemCount() > 0)
            item = Data().LastItem();
        if (tag == QStringLiteral("none"))
            item = nullptr;
    };
    Parse(QStringLiteral("a<br>b<again>c<none>d"));
    EXPECT_EQ(DumpItems(Data()), "P T'a' BR T'bcd'");
}

TEST_F(EngineTest, HostileMarkupGivesASoundDocument)
{
    struct Case { const char* name; QString html; };
    const Case cases[] = {
        {"LessThanSigns", QString(200000, QLatin1Char('<'))},
        {"AmpersandsWithoutSemicolon", QStringLiteral("&x").repeated(100000)},
        {"NestedLinksClosed", QStringLiteral("<a href=x>").repeated(20000) + QStringLiteral("</a>").repeated(20000)},
        {"ZeroWidthItemsOnOneLine", QStringLiteral("<body bgcolor=red>").repeated(20000) + QStringLiteral("x ").repeated(2000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Parse(c.html, 400, true);
        for (TLarkHTMLItem* item : Data().ControlsArray())
            EXPECT_GE(Data().IndexOfItem(item), 0);
    }
}

} // namespace
