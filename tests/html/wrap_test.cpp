// The wrap step: where lines break while the parser collects characters.
// Widths are taken from the engine itself (RunWidth), so the cases hold for
// any font the machine substitutes.
#include "html/engine_fixture.h"

#include <lark/html/render.h>
#include "lark/html/render_p.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>

using namespace lark;
using lark::test::DumpItems;
using lark::test::EngineTest;

namespace {

struct WrapCase
{
    const char* name;
    QString html;
    // The wrap width, from the widths of runs in the default font.
    std::function<int(EngineTest&)> width;
    const char* items;
};

class WrapStep : public EngineTest, public testing::WithParamInterface<WrapCase>
{
public:
    int Width(const char* text) { return RunWidth(QString::fromUtf8(text)); }
};

TEST_P(WrapStep, Items)
{
    const int width = GetParam().width(*this);
    EXPECT_EQ(Dump(GetParam().html, width, true), GetParam().items);
}

QString LettersOf(const QString& text)
{
    QString letters;
    for (QChar ch : text) {
        if (ch.isLetterOrNumber())
            letters += ch;
    }
    return letters;
}

int W(EngineTest& test, const char* text)
{
    return static_cast<WrapStep&>(test).Width(text);
}

const WrapCase kWrapCases[] = {
    {"FitsWithoutBreak", "hello world", [](EngineTest& t) { return W(t, "hello world"); }, "P T'hello world'"},
    {"BreaksAtTheLastBlank", "hello world", [](EngineTest& t) { return W(t, "hello world") - 1; },
     "P T'hello ' SB T'world'"},
    {"TwoWordsOfThree", "one two three", [](EngineTest& t) { return W(t, "one two "); },
     "P T'one two ' SB T'three'"},
    {"LongWordSplitAfterHardBreak", "a<br>abcdefgh", [](EngineTest& t) { return W(t, "abcd"); },
     "P T'a' BR T'abcd' SB T'efgh'"},
    {"FirstWordTooWide", "abcdefgh", [](EngineTest& t) { return W(t, "abcd"); }, "P SB T'abcd' SB T'efgh'"},
    {"OneCharacterPerLine", "abc", [](EngineTest&) { return 1; }, "P SB T'a' SB T'b' SB T'c'"},
    // A reference read at the break keeps its character on the new line.
    {"ReferenceAtTheBreak", "hello &amp;", [](EngineTest& t) { return W(t, "hello "); },
     "P T'hello ' SB T'&'"},
    // A blank that overflows ends its line; the next line starts with the word.
    {"OverflowingBlank", "hello x", [](EngineTest& t) { return W(t, "hello"); }, "P T'hello ' SB T'x'"},
    {"EmptyTextStaysEmpty", "", [](EngineTest&) { return 10; }, ""},
    {"NegativeWidth", "ab c", [](EngineTest&) { return -5; }, "P SB T'a' SB T'b ' SB SB T'c'"},
    // A character outside the basic plane is two code units that stay together.
    {"SurrogatePairStaysWhole", QString::fromUtf8("a\xF0\x9F\x98\x80"), [](EngineTest& t) { return W(t, "a"); },
     "P SB T'a' SB T'\\ud83d\\ude00'"},
};
INSTANTIATE_TEST_SUITE_P(Rows, WrapStep, testing::ValuesIn(kWrapCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, RunAfterOtherItemsMovesWholeLeavingNoEmptyRun)
{
    Parse(QStringLiteral("<b>aaaa</b>"));
    const int boldWidth = Item(1).FWidth;
    const int width = boldWidth + RunWidth(QStringLiteral("b"));
    EXPECT_EQ(Dump(QStringLiteral("<b>aaaa</b>bbbb"), width, true), "P T'aaaa' SB T'bbbb'");
}

TEST_F(EngineTest, SoftBreaksCarryAlignmentAndListState)
{
    const int width = RunWidth(QStringLiteral("three"));
    Parse(QStringLiteral("<p align=right>one two three four"), width, true);
    ASSERT_FALSE(OfKind(hitSoftBreak).empty());
    for (TLarkHTMLItem* item : OfKind(hitSoftBreak))
        EXPECT_EQ(static_cast<TLarkHTMLBreakItem*>(item)->Alignment(), 2);

    detail::Internals(Render).CurListItem = 0;
    Parse(QStringLiteral("<ol><li>one two three four"), width + 40, true);
    ASSERT_FALSE(OfKind(hitSoftBreak).empty());
    for (TLarkHTMLItem* item : OfKind(hitSoftBreak)) {
        const auto* softBreak = static_cast<TLarkHTMLBreakItem*>(item);
        EXPECT_EQ(softBreak->FListItemN, 1);
        EXPECT_EQ(softBreak->FListLevel, 1);
        EXPECT_EQ(softBreak->FIndent, OfKind(hitOL).front()->FIndent);
    }
}

TEST_F(EngineTest, WrappedLinkStaysOneFocusableItem)
{
    const int width = RunWidth(QStringLiteral("aaa bbb"));
    Parse(QStringLiteral("x <a href=t>aaa bbb ccc ddd</a>"), width, true);
    ASSERT_EQ(Data().ControlsArray().size(), 1);
    EXPECT_GE(Data().IndexOfItem(Data().ControlsArray().front()), 0);
    for (TLarkHTMLItem* item : OfKind(hitChar)) {
        if (item->Text().contains(QLatin1Char('c'))) {
            EXPECT_TRUE(item->IsLink());
        }
    }
}

TEST_F(EngineTest, LinkStartingAtTheBreakStaysFocusable)
{
    Parse(QStringLiteral("xxxx <a href=t>yy</a>"), RunWidth(QStringLiteral("xxxx ")), true);
    EXPECT_EQ(DumpItems(Data()), "P T'xxxx ' SB T'yy'");
    ASSERT_EQ(Data().ControlsArray().size(), 1);
    EXPECT_EQ(Data().ControlsArray().front(), &Run(QStringLiteral("yy")));
}

// The lines of a document wrapped from one run: the texts of its runs
// between break items, and the widths the line metrics gave them.
QStringList LinesOf(const TLarkHTMLData& data, std::vector<int>& widths)
{
    QStringList lines;
    widths.clear();
    for (const auto& item : data.Items()) {
        if (item->IsBreakItem()) {
            lines << QString();
            widths.push_back(item->FWidth);
        }
        else if (!lines.isEmpty()) {
            lines.back() += item->Text();
        }
    }
    return lines;
}

// Wherever the character that overflows a line is a blank, the blank ends
// that line, without widening it, and the next starts with its word. Every other break stays where
// the wrap step puts it: a line holds as much as fits (its trailing blank not
// counted), and what follows it did not fit.
TEST_F(EngineTest, OverflowingBlankEndsItsLine)
{
    const QString texts[] = {
        QStringLiteral("The quick brown fox jumps over the lazy dog, again and again."),
        QStringLiteral("a bb ccc dddd eeeee ffffff ggggggg hhhhhhhh i j k"),
        QStringLiteral("Wide WWW words, mmm and iii: AVATar To Wa."),
    };
    int blanksThatOverflowed = 0;
    for (const QString& text : texts) {
        for (int width = RunWidth(QStringLiteral("W")); width <= RunWidth(text) + 2; ++width) {
            SCOPED_TRACE(text.toStdString() + " at " + std::to_string(width));
            Parse(text, width, true);
            std::vector<int> widths;
            const QStringList lines = LinesOf(Data(), widths);
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_EQ(lines.join(QString()), text) << DumpItems(Data());
            // The first line of a word too wide for it is empty.
            const qsizetype first = lines.front().isEmpty() ? 1 : 0;
            for (qsizetype i = first; i < lines.size(); ++i) {
                const QString& line = lines[i];
                SCOPED_TRACE(QStringLiteral("[%1]").arg(line).toStdString());
                ASSERT_FALSE(line.isEmpty());
                EXPECT_FALSE(line.startsWith(QLatin1Char(' ')));
                const QString shown = line.endsWith(QLatin1Char(' ')) ? line.chopped(1) : line;
                // The blank ending a line takes no room on it either.
                if (shown.size() > 1) {
                    EXPECT_LE(RunWidth(shown), width);
                    EXPECT_LE(widths[size_t(i)], width);
                }
                if (i + 1 == lines.size())
                    continue;
                const QString& next = lines[i + 1];
                if (!line.endsWith(QLatin1Char(' '))) {
                    // A word split where it stopped fitting.
                    EXPECT_GT(RunWidth(line + next.front()), width);
                    continue;
                }
                if (RunWidth(line) > width) {
                    ++blanksThatOverflowed;
                    continue;
                }
                // The next word (which may go on over several lines of its
                // own) did not fit after the blank.
                const QString rest = QStringList(lines.mid(i + 1)).join(QString());
                EXPECT_GT(RunWidth(line + rest.section(QLatin1Char(' '), 0, 0)), width) << DumpItems(Data());
            }
        }
    }
    EXPECT_GT(blanksThatOverflowed, 10);
}

// The width of a line without the blanks that end it: a blank that does not
// fit stays at the end of its line, where it shows nothing.
int VisibleLineWidth(const std::vector<std::unique_ptr<TLarkHTMLItem>>& items, std::size_t start, std::size_t end)
{
    int width = items[start]->FWidth;
    const TLarkHTMLItem& last = *items[end - 1];
    if (end - 1 == start || last.ItemType() != hitChar || !last.Text().endsWith(QLatin1Char(' ')))
        return width;
    TLarkHTMLItem trimmed(last.FOwner);
    trimmed.Assign(&last);
    trimmed.SetText(last.Text().trimmed());
    return width - last.FWidth + (trimmed.Text().isEmpty() ? 0 : trimmed.GetWidth());
}

// With wrapping on, a line is never wider than the wrap width, except where
// a single character alone is wider. Checked over a spread of widths on
// texts with bold and italic runs, links, fonts and absolute indents.
TEST_F(EngineTest, WrappedLinesStayWithinTheWidth)
{
    const QString texts[] = {
        QStringLiteral("The quick brown fox jumps over the lazy dog, again and again and again."),
        QStringLiteral("<b>Bold words</b> then <i>italic ones</i> and <a href=x>a link that is long</a> end."),
        QStringLiteral("<font size=+3>Large</font> small <font face=Courier>fixed width text</font> done"),
        QStringLiteral("<ind width=20 pos=abs><b>tab</b> stop text goes on and on <ind width=25 pos=abs>more"),
        QStringLiteral("Averyveryverylongwordthatneverends and short ones"),
        QStringLiteral("<ul><li>list item text that wraps<li>another one</ul>after the list"),
    };
    for (const QString& text : texts) {
        for (int width = 30; width <= 330; width += 25) {
            SCOPED_TRACE(text.toStdString() + " at " + std::to_string(width));
            Parse(text, width, true);
            const auto& items = Data().Items();
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (!items[i]->IsBreakItem())
                    continue;
                std::size_t end = i + 1;
                while (end < items.size() && !items[end]->IsBreakItem())
                    ++end;
                int characters = 0;
                for (std::size_t j = i + 1; j < end; ++j)
                    characters += int(items[j]->Text().trimmed().size());
                // A list item's line also counts its bullet, which is drawn
                // left of the indent, outside the text.
                const TLarkHTMLItemType kind = items[i]->ItemType();
                if (characters > 1 && kind != hitLI && kind != hitUL) {
                    EXPECT_LE(VisibleLineWidth(items, i, end), width) << "line at item " << i << ": " << DumpItems(Data());
                }
            }
            EXPECT_EQ(LettersOf(Render.AsText()), LettersOf(QString(text).remove(QRegularExpression("<[^>]*>"))));
        }
    }
}

} // namespace
