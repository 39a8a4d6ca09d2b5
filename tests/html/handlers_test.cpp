// The tag handlers: styles, fonts, lists, paragraphs and breaks, indents,
// links, rules, variables and the body.
#include "html/engine_fixture.h"

#include <lark/html/render.h>
#include "lark/html/render_p.h"
#include <lark/html/parse/values.h>

#include <gtest/gtest.h>

using namespace lark;
using lark::test::DumpItems;
using lark::test::EngineTest;

namespace {

TLarkHTMLBreakItem& AsBreak(TLarkHTMLItem* item)
{
    return *static_cast<TLarkHTMLBreakItem*>(item);
}

//---- Styles ---------------------------------------------------------------

struct StyleCase
{
    const char* name;
    QString html;  // the run "x" is checked
    TFontStyles style;
    TFontStyles defaultStyle;
};

class StyleTags : public EngineTest, public testing::WithParamInterface<StyleCase>
{
};

TEST_P(StyleTags, StyleOfX)
{
    Data().SetDefaultStyle(GetParam().defaultStyle);
    Parse(GetParam().html);
    EXPECT_EQ(Run(QStringLiteral("x")).FontStyle.ToInt(), GetParam().style.ToInt()) << DumpItems(Data());
}

const StyleCase kStyleCases[] = {
    {"Bold", "<b>x", {fsBold}, {}},
    {"Strong", "<strong>x", {fsBold}, {}},
    {"Italic", "<i>x", {fsItalic}, {}},
    {"Em", "<em>x", {fsItalic}, {}},
    {"Var", "<var>x", {fsBold, fsItalic}, {}},
    {"Cite", "<cite>x", {fsBold, fsItalic}, {}},
    {"StrikeOut", "<strikeout>x", {fsStrikeOut}, {}},
    {"S", "<s>x", {fsStrikeOut}, {}},
    {"Underline", "<u>x", {fsUnderline}, {}},
    {"UpperCaseTags", "<B>a</B>x", {}, {}},
    {"Closed", "<b><i>a</b>x", {fsItalic}, {}},
    {"LeftOpen", "<b>a<u>b</u>x", {fsBold}, {}},
    {"SurplusClosingRemoves", "</b>x", {}, {}},
    {"ClosingDefaultStyleChangesNothing", "</b>x", {fsBold}, {fsBold}},
    // Closing a tag whose styles are only partly the default removes them all.
    {"ClosingPartlyDefaultRemovesAll", "</var>x", {}, {fsBold}},
    {"AttributesIgnored", "<b class=y>x", {fsBold}, {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, StyleTags, testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SubAndSuperscriptBitsAreIndependent)
{
    Parse(QStringLiteral("<sub>a<sup>b</sub>c</sup>d"));
    struct Case { const char* run; bool sub; bool super; };
    const Case cases[] = {{"a", true, false}, {"b", true, true}, {"c", false, true}, {"d", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run);
        EXPECT_EQ(Run(QString::fromUtf8(c.run)).IsSub(), c.sub);
        EXPECT_EQ(Run(QString::fromUtf8(c.run)).IsSuper(), c.super);
    }
}

//---- Fonts ----------------------------------------------------------------

TEST_F(EngineTest, FontColoursNestAndRestore)
{
    Parse(QStringLiteral("<font color=red>a<font size=+1>b</font>c</font>d"));
    struct Case { const char* run; TColor color; int fntCnt; };
    // A font tag with attributes always sets its colour: "b" gets the default.
    const Case cases[] = {
        {"a", clRed, 1}, {"b", clWindowText, 1}, {"c", clRed, 0}, {"d", clWindowText, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run);
        EXPECT_EQ(Run(QString::fromUtf8(c.run)).FontColor, c.color);
        EXPECT_EQ(Run(QString::fromUtf8(c.run)).FFntCnt, c.fntCnt);
    }
    EXPECT_EQ(Run(QStringLiteral("b")).FontHeight, FontSizeToHeight(u"+1", -11, -11));
    EXPECT_EQ(Run(QStringLiteral("c")).FontHeight, -11);
}

TEST_F(EngineTest, FontAttributes)
{
    struct Case { const char* html; const char* face; int height; TColor color; TColor background; int fntCnt; };
    const Case cases[] = {
        {"<font face=Tahoma>x", "Tahoma", -11, clWindowText, clNone, 0},
        {"<font face=Tahoma name='Courier New'>x", "Courier New", -11, clWindowText, clNone, 0},
        {"<font face=Tahoma name=''>x", "Tahoma", -11, clWindowText, clNone, 0},
        {"<font size=3>x", "MS Sans Serif", -26, clWindowText, clNone, 0},
        {"<font size=12px>x", "MS Sans Serif", 12, clWindowText, clNone, 0},
        {"<font size=0>x", "MS Sans Serif", 0, clWindowText, clNone, 0},
        {"<font size=big>x", "MS Sans Serif", -11, clWindowText, clNone, 0},
        {"<font color=#0000ff>x", "MS Sans Serif", -11, clBlue, clNone, 1},
        {"<font bgcolor=yellow>x", "MS Sans Serif", -11, clWindowText, clYellow, 1},
        {"<font background=aqua>x", "MS Sans Serif", -11, clWindowText, clAqua, 1},
        {"<font bgcolor=red background=aqua>x", "MS Sans Serif", -11, clWindowText, clRed, 1},
        {"<font color=''>x", "MS Sans Serif", -11, clWindowText, clNone, 0},
        {"<font color=nonsense>x", "MS Sans Serif", -11, clWindowText, clNone, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        const TLarkHTMLItem& x = Run(QStringLiteral("x"));
        EXPECT_EQ(x.FFontRef.toStdString(), c.face);
        EXPECT_EQ(x.FontHeight, c.height);
        EXPECT_EQ(x.FontColor, c.color);
        EXPECT_EQ(x.FontBgColor, c.background);
        EXPECT_EQ(x.FFntCnt, c.fntCnt);
    }
}

TEST_F(EngineTest, FontWithoutAttributesStillPairsWithItsEnd)
{
    Parse(QStringLiteral("<font color=red><font>a</font>b</font>c</font>d"));
    EXPECT_EQ(Run(QStringLiteral("a")).FontColor, clRed);
    EXPECT_EQ(Run(QStringLiteral("b")).FontColor, clRed);
    EXPECT_EQ(Run(QStringLiteral("c")).FontColor, clWindowText);
    // A surplus end puts the font in force back on.
    EXPECT_EQ(Run(QStringLiteral("d")).FontColor, clWindowText);
}

TEST_F(EngineTest, FontRelativeSizesGrowFromTheDocumentDefault)
{
    Parse(QStringLiteral("<font size=5>a<font size=2>b"));
    EXPECT_EQ(Run(QStringLiteral("a")).FontHeight, -(11 + 25));
    EXPECT_EQ(Run(QStringLiteral("b")).FontHeight, -(11 + 10));
}

//---- Lists ----------------------------------------------------------------

TEST_F(EngineTest, ListNumbering)
{
    struct Case { const char* html; std::vector<int> numbers; };
    const Case cases[] = {
        {"<ol><li>a<li>b</ol><ol><li>c</ol>", {1, 2, 1}},
        // The inner bullet list leaves the shared counter at -1.
        {"<ol><li>a<ul><li>b</ul><li>c</ol>", {1, -1, -1}},
        {"<ul><li>a<ol><li>b<li>c</ol><li>d</ul>", {-1, 1, 2, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        std::vector<int> numbers;
        for (TLarkHTMLItem* item : OfKind(hitLI))
            numbers.push_back(AsBreak(item).FListItemN);
        EXPECT_EQ(numbers, c.numbers);
    }
}

TEST_F(EngineTest, ListItemOutsideAListUsesTheCounterAsItIs)
{
    EXPECT_EQ(Dump(QStringLiteral("<li>x")), "P LI T'x'");
    EXPECT_EQ(AsBreak(OfKind(hitLI).front()).FListItemN, 0);
    EXPECT_EQ(AsBreak(OfKind(hitLI).front()).FListLevel, 0);
    // The counter survives the parse.
    Parse(QStringLiteral("<ol><li>a"));
    EXPECT_EQ(detail::Internals(Render).CurListItem, 2);
    Parse(QStringLiteral("<li>y<li>z"));
    EXPECT_EQ(AsBreak(OfKind(hitLI)[0]).FListItemN, 2);
    EXPECT_EQ(AsBreak(OfKind(hitLI)[1]).FListItemN, 3);
}

TEST_F(EngineTest, ListStructure)
{
    struct Case { const char* html; const char* items; };
    const Case cases[] = {
        {"<ul><li>one<li>two</ul>", "P UL LI T'one' LI T'two' BR"},
        // The hard break before the list goes, and with it the empty line.
        {"text<br><ul><li>a</ul>", "P T'text' UL LI T'a' BR"},
        {"text<br> <ul><li>a</ul>", "P T'text' T' ' UL LI T'a' BR"},
        {"text<br>more<ul><li>a</ul>", "P T'text' BR T'more' UL LI T'a' BR"},
        // A hard break right before a list item or the list's end goes too.
        {"<ul><li>a<br><li>b<br></ul>", "P UL LI T'a' LI T'b' BR"},
        {"<ol><li>a<br>b</ol>x", "P OL LI T'a' BR T'b' BR T'x'"},
        {"</ul></ul>x<li>y", "P BR T'x' LI T'y'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(Dump(QString::fromUtf8(c.html)), c.items);
    }
}

TEST_F(EngineTest, ListsIndentByTheirStep)
{
    Parse(QStringLiteral("<ul><li>a<ul><li>b</ul><li>c</ul>d"));
    const std::vector<TLarkHTMLItem*> starts = OfKind(hitUL);
    ASSERT_EQ(starts.size(), 2u);
    const int step = starts[0]->FIndent;
    EXPECT_GT(step, 0);
    EXPECT_EQ(Run(QStringLiteral("a")).FIndent, step);
    EXPECT_EQ(Run(QStringLiteral("b")).FIndent, 2 * step);
    EXPECT_EQ(Run(QStringLiteral("c")).FIndent, step);
    EXPECT_EQ(Run(QStringLiteral("d")).FIndent, 0);
    EXPECT_EQ(AsBreak(OfKind(hitLI)[1]).FListLevel, 2);
    EXPECT_EQ(AsBreak(OfKind(hitLI)[2]).FListLevel, 1);
}

TEST_F(EngineTest, SurplusListEndsGoBelowZero)
{
    Parse(QStringLiteral("</ul></ol><li>x"));
    EXPECT_EQ(AsBreak(OfKind(hitLI).front()).FListLevel, -2);
    EXPECT_LT(Run(QStringLiteral("x")).FIndent, 0);
    EXPECT_EQ(detail::Internals(Render).CurListItem, -1);
}

//---- Paragraphs, breaks and indents ---------------------------------------

TEST_F(EngineTest, ParagraphsAndBreaks)
{
    struct Case { const char* html; const char* items; };
    const Case cases[] = {
        {"<p>x</p><p>y", "P T'x' P P T'y'"},
        // After a closed paragraph's mark reached a hard break, "p" only
        // clears the mark and "/p" does nothing.
        {"<p>x</p><br><p>y", "P T'x' P BR T'y'"},
        {"<p>x</p><br></p>y", "P T'x' P BR T'y'"},
        // The mark stays on every later run, so this holds for later breaks too.
        {"<p>x</p><br><p>y<br><p>z", "P T'x' P BR T'y' BR T'z'"},
        {"a<br>b<br><br>", "P T'a' BR T'b' BR BR"},
        {"<hr>", "P BR HR BR"},
        {"a<hr>b", "P T'a' BR HR BR T'b'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(Dump(QString::fromUtf8(c.html)), c.items);
    }
}

TEST_F(EngineTest, ClosedParagraphMarkTravelsAndIsCleared)
{
    Parse(QStringLiteral("<p>x</p><br><p>y"));
    const std::vector<TLarkHTMLItem*> breaks = OfKind(hitBreak);
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_FALSE(breaks[0]->FBoolState & BoolState::ClosedPara);
    EXPECT_TRUE(OfKind(hitPara)[1]->FBoolState & BoolState::ClosedPara);
    EXPECT_TRUE(Run(QStringLiteral("y")).FBoolState & BoolState::ClosedPara);
}

TEST_F(EngineTest, ParagraphAlignmentAndIndent)
{
    struct Case { const char* html; int align; int indent; };
    const Case cases[] = {
        {"<p align=center>x", 1, 0},
        {"<p align='RIGHT'>x", 2, 0},
        {"<p align=left>x", 0, 0},
        {"<p align=justify>x", 0, 0},
        {"<p indent=20>x", 0, 20},
        {"<p indent=abc>x", 0, 0},
        {"<p align=right indent=-5>x", 2, -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        const TLarkHTMLBreakItem& paragraph = AsBreak(OfKind(hitPara).back());
        EXPECT_EQ(paragraph.Alignment(), c.align);
        EXPECT_EQ(paragraph.FIndent, c.indent);
        EXPECT_EQ(Run(QStringLiteral("x")).FIndent, c.indent);
    }
}

TEST_F(EngineTest, BreakKeepsAlignmentButNotTheListItem)
{
    Parse(QStringLiteral("<p align=center>x<br>y"));
    EXPECT_EQ(AsBreak(OfKind(hitBreak).front()).Alignment(), 1);

    Parse(QStringLiteral("<ol><li>a<br>b"));
    const TLarkHTMLBreakItem& lineBreak = AsBreak(OfKind(hitBreak).front());
    EXPECT_EQ(lineBreak.FListItemN, 0);
    EXPECT_EQ(lineBreak.FListLevel, 0);
}

TEST_F(EngineTest, Indents)
{
    struct Case { const char* html; const char* items; int width; bool absolute; };
    const Case cases[] = {
        {"a<ind width=30>b", "P T'a' IND T'b'", 30, false},
        {"a<ind width=30 pos=ABS>b", "P T'a' IND T'b'", 30, true},
        {"a<ind width=x pos=abs>b", "P T'a' IND T'b'", 0, true},
        {"a<ind>b", "P T'ab'", 0, false},
        {"a<ind pos=abs>b", "P T'ab'", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(Dump(QString::fromUtf8(c.html)), c.items);
        for (TLarkHTMLItem* indent : OfKind(hitIndent)) {
            EXPECT_EQ(indent->FWidth, c.width);
            EXPECT_EQ(indent->IsAbsoluteIndent(), c.absolute);
        }
    }
}

//---- Rules ----------------------------------------------------------------

TEST_F(EngineTest, RuleAttributes)
{
    struct Case { const char* html; int width; int thickness; TColor light; TColor shadow; };
    const Case cases[] = {
        {"<hr>", 0, 1, clBtnShadow, clBtnFace},
        {"<hr width=100 height=3 lightcolor=red shadowcolor=#0000ff>", 100, 3, clRed, clBlue},
        {"<hr lightcolor=nonsense height=0>", 0, 1, clBtnShadow, clBtnFace},
        {"<hr height=-4>", 0, 1, clBtnShadow, clBtnFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        ASSERT_EQ(OfKind(hitHR).size(), 1u);
        const TLarkHTMLItem& rule = *OfKind(hitHR).front();
        EXPECT_EQ(rule.FWidth, c.width);
        EXPECT_EQ(rule.FHeight2, c.thickness);
        EXPECT_EQ(rule.FBgColor1, c.light);
        EXPECT_EQ(rule.FBgColor2, c.shadow);
    }
}

//---- Links ----------------------------------------------------------------

TEST_F(EngineTest, LinkRunsAndFocus)
{
    Data().SetLinkColor(clGreen);
    EXPECT_EQ(Dump(QStringLiteral("<b>x<a href='Page One'>link</a>after")), "P T'x' T'link' T'after'");
    const TLarkHTMLItem& link = Run(QStringLiteral("link"));
    EXPECT_TRUE(link.IsLink());
    EXPECT_EQ(link.LinkRef(), QStringLiteral("Page One"));
    EXPECT_EQ(link.FontColor, clGreen);
    EXPECT_EQ(link.FontStyle, Data().LinkStyle());
    EXPECT_EQ(Data().ControlsArray(), QList<TLarkHTMLItem*>{const_cast<TLarkHTMLItem*>(&link)});

    const TLarkHTMLItem& after = Run(QStringLiteral("after"));
    EXPECT_FALSE(after.IsLink());
    EXPECT_TRUE(after.LinkRef().isEmpty());
    EXPECT_EQ(after.FontStyle, TFontStyles{fsBold});
    EXPECT_EQ(after.FontColor, clWindowText);
}

TEST_F(EngineTest, LinkDetails)
{
    struct Case { const char* html; const char* items; int focusable; };
    const Case cases[] = {
        // The run before a link is listed even when empty.
        {"<a href=x>y</a>", "P T'' T'y'", 1},
        {"<a>y</a>z", "P T'y' T'z'", 0},
        // A link that stays empty is not focusable.
        {"a<a href=x></a>b", "P T'a' T'b'", 0},
        {"a<a href=x>", "P T'a'", 0},
        {"<a href=x><a href=y>z</a>", "P T'' T'' T'z'", 2},
        {"<a href=x><b></b></a>", "P T''", 0},
        // A link run that stays empty hands its focus on to the run after it.
        {"<a href=x><b>bold</b> plain</a>", "P T'' T'bold' T' plain'", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(Dump(QString::fromUtf8(c.html)), c.items);
        EXPECT_EQ(Data().ControlsArray().size(), c.focusable);
        for (TLarkHTMLItem* item : Data().ControlsArray())
            EXPECT_GE(Data().IndexOfItem(item), 0);
    }
}

TEST_F(EngineTest, LinkColourAndEndFormatting)
{
    Parse(QStringLiteral("<font color=red>r<a href=x color=#00ff00>g</a>e"));
    EXPECT_EQ(Run(QStringLiteral("g")).FontColor, clLime);
    EXPECT_EQ(Run(QStringLiteral("e")).FontColor, clRed);
    // The run listed before the link gives its formatting back.
    Data().SetDefaultStyle({fsItalic});
    Parse(QStringLiteral("<a href=x>l</a>e"));
    EXPECT_EQ(Run(QStringLiteral("e")).FontStyle, TFontStyles{fsItalic});
}

//---- Variables and body ---------------------------------------------------

TEST_F(EngineTest, VariablesAskTheApplication)
{
    QStringList names;
    Render.OnVariableNeeded = [&](QObject* sender, const QString& name, QString& value) {
        EXPECT_EQ(sender, &Render);
        EXPECT_EQ(value, QStringLiteral("~~"));
        names << name;
        if (name == QStringLiteral("abc"))
            value = QStringLiteral("42");
    };
    EXPECT_EQ(Dump(QStringLiteral("<~~abc>x")), "P V'42' T' x'");
    EXPECT_EQ(Dump(QStringLiteral("<~~ name=n>  <~~ p>")), "P V'~~' T' ' V'~~' T' '");
    EXPECT_EQ(Dump(QStringLiteral("<~~ name=\"q\">")), "P V'~~' T' '");
    EXPECT_EQ(Dump(QStringLiteral("a<~~abc attr>b")), "P T'ab'");
    EXPECT_EQ(names, (QStringList{"abc", "n", "p", "\"q\""}));
}

TEST_F(EngineTest, VariableWithoutHandlerShowsTildes)
{
    EXPECT_EQ(Dump(QStringLiteral("<b><~~v></b>")), "P V'~~' T' '");
    EXPECT_TRUE(OfKind(hitVar).front()->FontStyle.Contains(fsBold));
}

TEST_F(EngineTest, BodyBackground)
{
    EXPECT_EQ(Dump(QStringLiteral("<body>x")), "P T'x'");
    EXPECT_EQ(Dump(QStringLiteral("<body bgcolor=''>x")), "P T'x'");
    EXPECT_EQ(Dump(QStringLiteral("<body bgcolor=red>x")), "P BODY T'x'");
    const TLarkHTMLItem* body = OfKind(hitBody).front();
    EXPECT_EQ(body->FBgColor1, clRed);
    EXPECT_EQ(body->FBgColor2, clWhite);
    EXPECT_FALSE(body->FBgVertical);
    EXPECT_EQ(body->FBorderColor, clNone);

    Parse(QStringLiteral("<body bgcolor=nonsense bgcolorto=navy dir=V bordercolor=clBtnFace>"));
    body = OfKind(hitBody).front();
    EXPECT_EQ(body->FBgColor1, clWhite);
    EXPECT_EQ(body->FBgColor2, clNavy);
    EXPECT_TRUE(body->FBgVertical);
    EXPECT_EQ(body->FBorderColor, clBtnFace);
}

//---- HTML regeneration ----------------------------------------------------

TEST_F(EngineTest, GenerateHTML)
{
    Render.OnVariableNeeded = [](QObject*, const QString&, QString& value) { value = QStringLiteral("42"); };
    struct Case { const char* html; const char* generated; };
    const Case cases[] = {
        {"a<br>b", "<html>a<br>\r\nb</html>"},
        {"<b>x</b>", "<html>x</html>"},
        {"x &lt; y", "<html>x < y</html>"},
        {"<~~v>", "<html><~~42> </html>"},
        // The list drops the hard break after the rule (an empty line).
        {"<p>a</p><hr><ul><li>b</ul>", "<html>a<br>\r\nb<br>\r\n</html>"},
        {"", "<html></html>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        EXPECT_EQ(Data().GenerateHTML().toStdString(), c.generated);
    }
}

TEST_F(EngineTest, GenerateHTMLWritesInputsAndControls)
{
    auto input = std::make_unique<TLarkHTMLInputItem>(&Data());
    input->SetName(QStringLiteral("g"));
    input->SetInputType(itRadioButton);
    input->FValue = QStringLiteral("x");
    input->FChecked = true;
    Data().AppendItem(std::move(input));
    Data().AppendItem(std::make_unique<TLarkHTMLControlItem>(&Data()));
    EXPECT_EQ(Data().GenerateHTML().toStdString(),
              "<html><input type=\"radio\" name=\"g\" checked=\"True\" value=\"x\" >\r\n\r\n</html>");
}

} // namespace
