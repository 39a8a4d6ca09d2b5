#include "layout_fixture.h"

#include "lark/html/layout/measure_p.h"
#include "lark/html/render_p.h"

#include <gtest/gtest.h>

#include <QRawFont>

#include <algorithm>
#include <random>
#include <vector>

using namespace lark;
using namespace lark::test;

namespace {

class MeasureTest : public testing::Test
{
protected:
    TLarkHTMLRender Render;
    TLarkHTMLData& Data = *Render.Data();
    DocBuilder Doc{ Data };
};

TEST_F(MeasureTest, TextWidthIsAdvancePlusOne)
{
    struct Case
    {
        const char* text;
        TFontStyles style;
        int height;
    };
    const Case cases[] = {
        { "", {}, -13 },          // an empty run is one pixel wide
        { "Hello, world", {}, -13 },
        { "Hello, world", { fsBold, fsItalic }, -13 },
        { "Wide WWW", {}, 20 },   // positive: cell height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TLarkHTMLItem& run = Doc.Text(QString::fromUtf8(c.text), c.style, c.height);
        EXPECT_EQ(run.GetWidth(), QtWidth(kSans, c.height, c.style, run.Text()) + 1);
    }
}

TEST_F(MeasureTest, SubAndSuperscriptsMeasureTwoPixelsSmaller)
{
    struct Case
    {
        int height;
        int effective;
        bool super;
    };
    const Case cases[] = { { -11, -9, false }, { -11, -9, true }, { 20, 18, false }, { 20, 18, true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << (c.super ? " sup" : " sub"));
        TLarkHTMLItem& run = Doc.Text(QStringLiteral("x2"), {}, c.height);
        if (c.super)
            run.SetIsSuper(true);
        else
            run.SetIsSub(true);
        int descent = -1;
        const QFontMetrics expected = QtMetrics(kSans, c.effective);
        EXPECT_EQ(run.GetWidth(), SummedWidth(expected, run.Text()) + 1);
        EXPECT_EQ(run.GetHeight(descent), expected.height());
        EXPECT_EQ(descent, expected.descent());
    }
}

TEST_F(MeasureTest, ListMarkersMeasureInTheirFont)
{
    TLarkHTMLBreakItem& li = Doc.Break(hitLI);
    TLarkHTMLBreakItem& ul = Doc.Break(hitUL);
    TLarkHTMLItem& ol = Doc.Item(hitOL);
    // List markers keep the unreduced height even inside a subscript.
    li.SetIsSub(true);
    const QFontMetrics metrics = QtMetrics(kSans, -13);
    EXPECT_EQ(li.GetWidth(), metrics.averageCharWidth());
    EXPECT_EQ(ul.GetWidth(), metrics.maxWidth());
    EXPECT_EQ(ol.GetWidth(), metrics.maxWidth());
    EXPECT_EQ(Doc.Break(hitBreak).GetWidth(), 0);
}

TEST_F(MeasureTest, ItemsOfFixedSizeReportTheirFieldsAndTheGap)
{
    Data.SetLineGap(2);
    int descent = -1;
    EXPECT_EQ(Doc.Item(hitBitmap, 30, 40).GetHeight(descent), 42);
    EXPECT_EQ(descent, 0);
    EXPECT_EQ(Doc.Item(hitBitmap, 30, 40).GetWidth(), 30);
    EXPECT_EQ(Doc.Item(hitHR, 50, 9).GetHeight(descent), 2);
    EXPECT_EQ(Doc.Item(hitIndent, 17).GetWidth(), 17);
    // A variable is measured for width, but never raises its line.
    TLarkHTMLItem& var = Doc.Text(QStringLiteral("value"));
    var.FItemType = hitVar;
    EXPECT_EQ(var.GetWidth(), QtWidth(kSans, -13, {}, var.Text()) + 1);
    EXPECT_EQ(var.GetHeight(descent), 2);
}

TEST_F(MeasureTest, BreakHeightDependsOnWhatFollows)
{
    struct Case
    {
        const char* name;
        TLarkHTMLItemType kind;
        bool textFollows;
        int lineSpacing;
        bool fontHeight; // else 0
    };
    const Case cases[] = {
        { "BreakBeforeText", hitBreak, true, 0, false },
        { "BreakAtEnd", hitBreak, false, 0, true },
        { "SoftBreakAtEnd", hitSoftBreak, false, 0, true },
        { "ListItemAtEnd", hitLI, false, 0, true },
        { "ParagraphAtEnd", hitPara, false, 0, false },
        { "ListStartAtEnd", hitUL, false, 0, false },
    };
    const QFontMetrics metrics = QtMetrics(kSans, -13);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Data.ClearArrays();
        Data.SetLineGap(3);
        TLarkHTMLBreakItem& item = Doc.Break(c.kind);
        if (c.textFollows)
            Doc.Text(QStringLiteral("text"));
        int descent = -1;
        EXPECT_EQ(item.GetHeight(descent), (c.fontHeight ? metrics.height() : 0) + 3);
        EXPECT_EQ(descent, c.fontHeight ? metrics.descent() : 0);
    }
    // An empty line between two breaks, and a minimum line spacing.
    Data.ClearArrays();
    TLarkHTMLBreakItem& first = Doc.Break(hitBreak);
    Doc.Break(hitBreak);
    int descent = 0;
    EXPECT_EQ(first.GetHeight(descent), metrics.height() + 3);
    Data.SetLineSpacing(30);
    EXPECT_EQ(first.GetHeight(descent), std::max(30, metrics.height()) + 3);
}

TEST_F(MeasureTest, WidthIsCachedUntilTheTextChanges)
{
    TLarkHTMLItem& run = Doc.Text(QStringLiteral("cached"));
    const int width = run.GetWidth();
    EXPECT_EQ(run.GetWidth(), width);
    // A valid cache is answered as it stands: no second measurement.
    run.FTWidth = width + 1000;
    EXPECT_EQ(run.GetWidth(), width + 1000);
    run.SetText(QStringLiteral("a much longer text than before"));
    EXPECT_EQ(run.GetWidth(), QtWidth(kSans, -13, {}, run.Text()) + 1);
    run.ChopText(5);
    EXPECT_EQ(run.GetWidth(), QtWidth(kSans, -13, {}, run.Text()) + 1);
}

TEST_F(MeasureTest, WithoutRenderObjectEverythingMeasuresZero)
{
    TLarkHTMLData orphan;
    orphan.SetLineGap(4);
    DocBuilder doc(orphan);
    TLarkHTMLItem& run = doc.Text(QStringLiteral("text"));
    int descent = -1;
    EXPECT_EQ(run.GetWidth(), 0);
    EXPECT_EQ(run.FTWidth, 0);
    EXPECT_EQ(run.GetHeight(descent), 4);
    EXPECT_EQ(doc.Break(hitLI).GetWidth(), 0);
}

// The fast measurement (whole-pixel advances summed, extended as a run
// grows) must give exactly the reference: Qt's advance of each character
// summed when every character has an advance of its own in the face, and
// Qt's width of the whole run when some character needs shaping. Texts mix
// scripts that are summed with ones that need shaping (Arabic, Hebrew,
// Devanagari, marks, surrogate pairs, tabs).
TEST_F(MeasureTest, FastMeasurementEqualsReferenceMeasurement)
{
    const QString visible = QString::fromUtf8(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     .,;:!?'\"()[]-_&%$#@/\\*+=<>"
        "àáâãäåæçèéêëìíîïñòóôõöøùúûüýÿßÀÉÎÕÜŒœŠšŽžƒ€£¥©®°±²³µ¶·¹º»¼½¾¿×÷‘’‚“”„†‡•…‰‹›™"
        "ΑΒΓΔΕαβγδεζηθλμπσφψωЖЗИЙКЛМжзийклмнопрстуфхцчшщъыьэюяԱԲԳաբգ"
        "ﬁﬂ−∑√∞≈≠≤≥←↑→↓↔■□▪▫○●◊");
    // Invisible in a single line: line feeds, controls, soft hyphens,
    // zero-width and direction marks.
    const QString invisible = QString::fromUtf8("\n\n\x01\x1f\u0085\u00ad\u200b\u200e\u2029\ufeff");
    const QString pool = visible + invisible;
    const QStringList shaped = {
        QString::fromUtf8("مرحبا"), QString::fromUtf8("שָׁלוֹם"), QString::fromUtf8("नमस्ते"),
        QString::fromUtf8("e\u0301"), QString::fromUtf8("\U0001F600"), QStringLiteral("\t"),
        QString::fromUtf8("中文字"), QString(QChar(0xD800)), QString::fromUtf8("\u009c\u2028\u070f"),
    };
    struct Font
    {
        QString face;
        int height;
        TFontStyles style;
    };
    const Font fonts[] = {
        { QStringLiteral("Tahoma"), -11, {} },          { QStringLiteral("MS Sans Serif"), -11, { fsBold } },
        { kSans, -13, {} },                             { kSans, -16, { fsItalic } },
        { kSerif, -11, { fsBold, fsItalic } },          { kSerif, 20, {} },
        { QStringLiteral("Liberation Mono"), -12, {} }, { QStringLiteral("No Such Face"), -9, { fsUnderline } },
    };
    std::mt19937 random(20240611);
    for (const Font& font : fonts) {
        SCOPED_TRACE(font.face.toStdString() + " " + std::to_string(font.height));
        const QFont qfont = MakeQFont(font.face, font.height, font.style);
        const QFontMetrics qt(qfont);
        const QRawFont raw = QRawFont::fromFont(qfont);
        for (int n = 0; n < 150; ++n) {
            Doc.Face = font.face;
            TLarkHTMLItem& run = Doc.Text(QString(), font.style, font.height);
            const int length = 1 + int(random() % 60);
            const bool mixed = n % 5 == 4;
            QString text;
            std::vector<bool> fromShaped;
            for (int i = 0; i < length; ++i) {
                const QString piece = mixed && random() % 8 == 0 ? shaped[random() % shaped.size()]
                                                                 : QString(pool[qsizetype(random() % pool.size())]);
                text += piece;
                // A base letter keeps its own advance until its mark follows.
                const bool isShaped = piece.size() > 1 || shaped.contains(piece);
                for (qsizetype k = 0; k < piece.size(); ++k)
                    fromShaped.push_back(isShaped && !(k == 0 && piece[0] == u'e'));
            }
            // Grow the run as the wrap step does, comparing every prefix.
            int summed = 0;
            bool needsShaping = false;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text[i];
                run.AppendText(c);
                if (fromShaped[size_t(i)] || (visible.contains(c) && !raw.supportsCharacter(c)))
                    needsShaping = true;
                else if (visible.contains(c))
                    summed += qt.horizontalAdvance(c);
                const int reference = needsShaping ? qt.horizontalAdvance(run.Text()) : summed;
                ASSERT_EQ(run.GetWidth(), reference + 1) << run.Text().toStdString();
            }
        }
    }
}

// Layouts are kept per item, and a new parse makes new items: those of
// replaced documents are dropped once no pass has asked for them for a
// while, and layouts still painted stay.
TEST_F(MeasureTest, LayoutsOfItemsNoLongerPaintedAreForgotten)
{
    detail::Measurer& measurer = detail::Internals(Render).Measurer;
    auto& font = measurer.Entry(kSans, -13, {});
    std::vector<int> replaced(3000);
    for (int& slot : replaced)
        measurer.Prepare(&slot, font, QStringLiteral("replaced"));
    int painted = 0;
    const QString text = QStringLiteral("still painted");
    const auto* layout = &measurer.Prepare(&painted, font, text);
    for (int pass = 0; pass < 40; ++pass) {
        measurer.Trim();
        EXPECT_EQ(&measurer.Prepare(&painted, font, text), layout);
    }
    EXPECT_LT(measurer.PreparedRunCount(), size_t(100));
    EXPECT_EQ(measurer.Prepare(&painted, font, text).Glyphs.size(), 1);
}

// End to end: lines wrapped while parsing break exactly where the summed
// advances say: each line's text fits, and what came next did not.
TEST_F(MeasureTest, WrappedLinesBreakWhereSummedWidthsSay)
{
    const QStringList words = QString::fromUtf8(
        "Lorem ipsum dolor sit amet, consectetur adipiscing élit; Ж'аба quick brown fox jumps over "
        "the lazy dog. Vivamus «lacinia» café naïve façade Øresund Ελλάδα Москва 12:45 (x+y)=z "
        "ﬁne ﬂow — “quoted” ‘single’ mmm iii WWW lll")
                                  .split(QLatin1Char(' '));
    struct Font
    {
        const char* face;
        int height;
        TFontStyles style;
        int width;
    };
    const Font fonts[] = {
        { "MS Sans Serif", -11, {}, 150 },      { "Tahoma", -11, { fsBold }, 97 }, { "DejaVu Sans", -13, {}, 233 },
        { "Liberation Serif", 16, { fsItalic }, 181 }, { "Liberation Mono", -12, {}, 120 },
    };
    std::mt19937 random(7);
    for (const Font& font : fonts) {
        SCOPED_TRACE(font.face);
        const QString face = QString::fromLatin1(font.face);
        const QFont qfont = MakeQFont(face, font.height, font.style);
        const QFontMetrics qt(qfont);
        const QRawFont raw = QRawFont::fromFont(qfont);
        // Characters the face lacks are measured with the whole run.
        const auto width = [&](const QString& text) {
            const bool own = std::all_of(text.begin(), text.end(), [&](QChar c) { return raw.supportsCharacter(c); });
            return (own ? SummedWidth(qt, text) : qt.horizontalAdvance(text)) + 1;
        };
        Data.SetDefaultFont(face);
        Data.SetDefaultHeight(font.height);
        Data.SetDefaultStyle(font.style);
        for (int n = 0; n < 20; ++n) {
            QStringList text;
            for (int i = 0; i < 40; ++i)
                text << words[qsizetype(random() % words.size())];
            Render.PrepareText(text.join(QLatin1Char(' ')), font.width, true);
            // The document is paragraph, run, then soft break and run per line.
            QStringList lines;
            for (const auto& item : Data.Items()) {
                if (item->FItemType == hitChar)
                    lines << item->Text();
            }
            ASSERT_GT(lines.size(), 2);
            for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
                const QString& line = lines[i];
                SCOPED_TRACE(QStringLiteral("[%1]").arg(line).toStdString());
                ASSERT_TRUE(line.endsWith(QLatin1Char(' ')));
                EXPECT_LE(width(line.chopped(1)), font.width);
                // Either the blank ending the line overflowed it, or the next
                // word did.
                EXPECT_FALSE(lines[i + 1].startsWith(QLatin1Char(' ')));
                if (width(line) <= font.width) {
                    EXPECT_GT(width(line + lines[i + 1].section(QLatin1Char(' '), 0, 0)), font.width);
                }
            }
        }
    }
}

} // namespace
