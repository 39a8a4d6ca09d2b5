#include "layout_fixture.h"
#include "support/image_checks.h"

#include "lark/html/layout/measure_p.h"
#include "lark/html/paint/paint_p.h"
#include "lark/html/render_p.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace lark;
using namespace lark::test;

namespace {

class PaintTest : public testing::Test
{
protected:
    // Paints the document into a white image of the area's size, the area
    // at the image's top-left; brush is the canvas's brush colour.
    QImage Paint(QSize area, QPoint source = {}, TColor adjust = clNone, TColor brush = clWhite)
    {
        QImage image = WhiteImage(area.width(), area.height());
        TCanvas canvas(&image);
        canvas.Brush().SetColor(brush);
        const QRect rect(QPoint(0, 0), area);
        Render.DrawText(canvas, source, rect, adjust, rect);
        return image;
    }
    QImage PaintOver(QSize area, TColor color, TColor bkColor, TColor selColor, TColor selBkColor)
    {
        QImage image = WhiteImage(area.width(), area.height());
        TCanvas canvas(&image);
        const QRect rect(QPoint(0, 0), area);
        Render.DrawTextEx(canvas, {}, rect, true, color, bkColor, selColor, selBkColor, clNone, rect);
        return image;
    }
    // Where a run was drawn: from its start to its Left (x after it).
    static QRect RunBox(const TLarkHTMLItem& run, const TLarkHTMLBreakItem& line)
    {
        return QRect(run.Left() - run.FWidth, run.Top(), run.FWidth, line.FHeight);
    }
    static int BaseLine(const TLarkHTMLBreakItem& line) { return line.Top() + line.FHeight - line.LineDescent(); }

    TLarkHTMLRender Render;
    TLarkHTMLData& Data = *Render.Data();
    DocBuilder Doc{ Data };
};

//---- Line starts --------------------------------------------------------------

struct AlignCase
{
    const char* name;
    int alignment;
    int lineWidth;
    int start;
};

class PaintAlignTest : public PaintTest, public testing::WithParamInterface<AlignCase>
{
};

// An area 201 pixels wide (right - left + 1): the paint's own convention.
TEST_P(PaintAlignTest, LineStartsWhereItsAlignmentSays)
{
    const AlignCase& c = GetParam();
    TLarkHTMLBreakItem& line = Doc.Break(hitPara, c.alignment);
    line.FIndent = 7;
    TLarkHTMLItem& run = Doc.Text(QStringLiteral("Mm"));
    Doc.Layout();
    line.FWidth = c.lineWidth; // only the stored width counts
    const QImage image = Paint(QSize(200, 30));
    EXPECT_EQ(line.Left(), c.start);
    EXPECT_EQ(run.Left(), c.start + run.FWidth);
    const QRect ink = InkBounds(image, image.rect(), Qt::white);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), std::max(c.start, 0));
    EXPECT_LE(ink.left(), std::max(c.start, 0) + 3);
}

INSTANTIATE_TEST_SUITE_P(Alignments, PaintAlignTest,
                         testing::Values(AlignCase{ "LeftAtIndent", 0, 80, 7 }, AlignCase{ "Centred", 1, 80, 60 },
                                         AlignCase{ "Right", 2, 80, 120 }, AlignCase{ "CentredTooWide", 1, 300, 0 },
                                         AlignCase{ "RightTooWide", 2, 300, -1 }),
                         [](const auto& info) { return std::string(info.param.name); });

//---- Text runs ------------------------------------------------------------

TEST_F(PaintTest, LinkUsesLinkColourAndStyleAlone)
{
    Data.SetLinkColor(clRed);
    TLarkHTMLBreakItem& line = Doc.Break();
    TLarkHTMLItem& link = Doc.Text(QStringLiteral("Link text"), { fsBold });
    link.SetIsLink(true);
    link.FontColor = clNone;
    Doc.Layout();
    const QImage bold = Paint(QSize(150, 30));
    const QRect box = RunBox(link, line);
    EXPECT_GT(CountPixels(bold, box, Qt::red, 40), 20);
    EXPECT_EQ(CountPixels(bold, box, Qt::black, 80), 0);
    // The underline: a red row under the base line across the run.
    int longest = 0;
    for (int y = BaseLine(line); y <= box.bottom(); ++y)
        longest = std::max(longest, CountPixels(bold, QRect(box.left(), y, box.width(), 1), Qt::red, 40));
    EXPECT_GE(longest, box.width() * 8 / 10) << SaveForReview(bold, QStringLiteral("link")).toStdString();
    // Not bold: the same as a link that was never bold, over-colours or not.
    link.FontStyle = {};
    EXPECT_TRUE(Paint(QSize(150, 30)) == bold);
    EXPECT_TRUE(PaintOver(QSize(150, 30), clGreen, clNone, clNone, clNone) == bold);
    // A colour of its own wins over the link colour.
    link.FontColor = clBlue;
    EXPECT_GT(CountPixels(Paint(QSize(150, 30)), box, Qt::blue, 40), 20);
}

// Runs are painted from glyphs the engine lays out (and lines it draws), or
// by Qt when the text needs shaping. Glyphs laid out by the engine are Qt's
// glyphs of the run's characters, each drawn at the whole pixel the advances
// before it add up to, under and through which the decorations run across
// the run's width; shaped text gives the pixels of QPainter::drawText of the
// run's text.
TEST(PaintRunPixels, RunsPaintAsQtDrawsTheirCharacters)
{
    struct Case
    {
        const char* face;
        int height;
        TFontStyles style;
        const char* text;
        bool glyphByGlyph;
    };
    const Case cases[] = {
        { "DejaVu Sans", -13, {}, "Plain office words, fluffy AVAT digits 0123 (punctuation)!", true },
        { "Tahoma", -11, { fsUnderline }, "underlined  with\u00A0blanks, to the end ", true },
        { "Liberation Serif", -16, { fsStrikeOut, fsItalic }, "struck italic \u00C0\u00C9\u00CE \u0416\u0437 \u03B1\u03B2", true },
        { "Liberation Serif", 20, { fsBold, fsUnderline, fsStrikeOut }, "both lines WAVy Ta.", true },
        { "MS Sans Serif", -11, { fsUnderline }, "shaped \u0645\u0631\u062D\u0628\u0627 e\u0301", false },
        { "DejaVu Sans", -12, {}, "tab\tand soft\u00ADhyphen", false },
        { "Liberation Mono", -12, {}, "fi fl \uFB01 \u2192 \u00BD", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TLarkHTMLRender render;
        DocBuilder doc{ *render.Data() };
        doc.Face = QString::fromLatin1(c.face);
        TLarkHTMLBreakItem& line = doc.Break();
        line.FIndent = 3;
        TLarkHTMLItem& run = doc.Text(QString::fromUtf8(c.text), c.style, c.height);
        doc.Layout();
        QImage image = WhiteImage(420, 40);
        {
            TCanvas canvas(&image);
            canvas.Brush().SetColor(clWhite);
            render.DrawText(canvas, {}, image.rect(), clNone, image.rect());
        }
        auto& font = detail::Internals(render).Measurer.Entry(doc.Face, c.height, c.style);
        EXPECT_EQ(detail::Internals(render).Measurer.Prepare(&run, font, run.Text()).GlyphByGlyph, c.glyphByGlyph);

        const QPoint origin(run.Left() - run.FWidth, line.Top() + line.FHeight - line.LineDescent());
        QImage expected = WhiteImage(420, 40);
        {
            QPainter painter(&expected);
            painter.setPen(Qt::black);
            if (c.glyphByGlyph) {
                QFont plain = font.Font();
                plain.setUnderline(false);
                plain.setStrikeOut(false);
                painter.setFont(plain);
                const QFontMetrics metrics(plain);
                int x = origin.x();
                for (QChar ch : run.Text()) {
                    painter.drawText(QPoint(x, origin.y()), QString(ch));
                    x += metrics.horizontalAdvance(ch);
                }
                EXPECT_EQ(x - origin.x(), run.FWidth - 1);
            }
            else {
                painter.setFont(font.Font());
                painter.drawText(origin, run.Text());
            }
        }
        ASSERT_FALSE(InkBounds(expected, expected.rect(), Qt::white).isEmpty());
        // A decoration is a row of the text colour from the run's start to
        // its end; every other row is the characters' own.
        const QRect span(origin.x(), 0, run.FWidth - 1, 1);
        int decorationRows = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRect row(0, y, image.width(), 1);
            if (image.copy(row) == expected.copy(row))
                continue;
            SCOPED_TRACE("row " + std::to_string(y));
            ASSERT_TRUE(c.glyphByGlyph) << SaveForReview(image, QStringLiteral("run-pixels")).toStdString();
            EXPECT_TRUE(RegionIs(image, span.translated(0, y), Qt::black))
                << SaveForReview(image, QStringLiteral("run-pixels")).toStdString();
            const QRect after(span.right() + 1, y, image.width() - span.right() - 1, 1);
            EXPECT_TRUE(image.copy(after) == expected.copy(after));
            EXPECT_TRUE(image.copy(QRect(0, y, span.left(), 1)) == expected.copy(QRect(0, y, span.left(), 1)));
            ++decorationRows;
        }
        const int decorations = int(c.style.Contains(fsUnderline)) + int(c.style.Contains(fsStrikeOut));
        if (c.glyphByGlyph) {
            EXPECT_GE(decorationRows, decorations);
            EXPECT_LE(decorationRows, 3 * decorations);
        }
    }
}

TEST_F(PaintTest, OverColoursReplaceOnlyRunsWithoutColourOfTheirOwn)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    TLarkHTMLItem& plain = Doc.Text(QStringLiteral("HHH"), { fsBold }, -20);
    TLarkHTMLItem& own = Doc.Text(QStringLiteral("HHH"), { fsBold }, -20);
    own.FFntCnt = 1;
    own.FontColor = clRed;
    Doc.Layout();
    const QImage image = PaintOver(QSize(200, 40), clLime, clYellow, clNone, clNone);
    const QRect plainBox = RunBox(plain, line);
    const QRect ownBox = RunBox(own, line);
    EXPECT_GT(CountPixels(image, plainBox, Qt::green, 60), 20);
    EXPECT_GT(CountPixels(image, plainBox, Qt::yellow), 20); // the background cell
    EXPECT_GT(CountPixels(image, ownBox, Qt::red, 40), 20);
    EXPECT_EQ(CountPixels(image, ownBox, Qt::yellow), 0);
}

TEST_F(PaintTest, BackgroundColourFillsTheTextCell)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    Doc.Text(QStringLiteral("tall"), {}, -24);
    TLarkHTMLItem& run = Doc.Text(QStringLiteral("cell"));
    run.FontBgColor = clAqua;
    Doc.Layout();
    const QImage image = Paint(QSize(200, 40));
    const QFontMetrics metrics = QtMetrics(kSans, -13);
    const QRect cell(run.Left() - run.FWidth, BaseLine(line) - metrics.ascent(),
                     QtWidth(kSans, -13, {}, run.Text()), metrics.height());
    for (const QPoint& corner : { cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight() })
        EXPECT_EQ(QColor(image.pixel(corner)), QColor(Qt::cyan)) << corner.x() << "," << corner.y();
    EXPECT_EQ(CountPixels(image, cell.adjusted(0, -2, 0, -cell.height() - 1), Qt::cyan), 0);
    EXPECT_EQ(CountPixels(image, QRect(cell.right() + 1, cell.top(), 3, cell.height()), Qt::cyan), 0);
}

TEST_F(PaintTest, SelectedRunShowsInHighlightColours)
{
    Doc.Break();
    TLarkHTMLItem& run = Doc.Text(QStringLiteral("HHH"), { fsBold }, -20);
    Doc.Layout();
    Data.SetSelectedItem(&run);
    Data.SetHighlightBgColor(clNavy);
    Data.SetHighlightColor(clYellow);
    const QImage image = Paint(QSize(100, 30));
    EXPECT_GT(CountPixels(image, image.rect(), QColor(0, 0, 128)), 50);
    EXPECT_GT(CountPixels(image, image.rect(), Qt::yellow, 40), 20);
    const QImage over = PaintOver(QSize(100, 30), clBlack, clNone, clRed, clLime);
    EXPECT_GT(CountPixels(over, over.rect(), Qt::green), 50);
    EXPECT_GT(CountPixels(over, over.rect(), Qt::red, 40), 20);
}

TEST_F(PaintTest, SubAndSuperscriptsMoveTheirBaseLine)
{
    TLarkHTMLBreakItem& line = Doc.Break();
    TLarkHTMLItem& plain = Doc.Text(QStringLiteral("x"), {}, -16);
    TLarkHTMLItem& super = Doc.Text(QStringLiteral("x"), {}, -16);
    super.SetIsSuper(true);
    TLarkHTMLItem& sub = Doc.Text(QStringLiteral("x"), {}, -16);
    sub.SetIsSub(true);
    Doc.Layout();
    const QImage image = Paint(QSize(100, 60));
    const int scriptHeight = QtMetrics(kSans, -14).height(); // GetHeight, gap 0
    struct Expect
    {
        const TLarkHTMLItem* run;
        int baseLine;
    };
    const Expect expects[] = { { &plain, BaseLine(line) },
                               { &super, BaseLine(line) - scriptHeight / 2 },
                               { &sub, BaseLine(line) + scriptHeight / 4 } };
    for (const Expect& e : expects) {
        const QRect column(e.run->Left() - e.run->FWidth, 0, e.run->FWidth, 60);
        const QRect ink = InkBounds(image, column, Qt::white, 60);
        // "x" stands on its base line.
        EXPECT_NEAR(ink.bottom(), e.baseLine - 1, 1) << SaveForReview(image, QStringLiteral("scripts")).toStdString();
    }
}

//---- Contrast -------------------------------------------------------------

TEST(ContrastAdjustment, MovesAwayFromTheBackground)
{
    struct Case
    {
        TColor text;
        TColor background;
        TColor expected;
    };
    const Case cases[] = {
        { RGB(128, 128, 128), clBlack, RGB(192, 192, 192) },
        { RGB(128, 128, 128), clWhite, RGB(64, 64, 64) },
        { clWhite, RGB(230, 230, 230), clWhite },
        { clBlack, clBlack, RGB(128, 128, 128) }, // 127.5 rounds away from zero
        { clBlack, clWhite, clBlack },            // never below 0
        { RGB(10, 200, 255), RGB(200, 200, 0), RGB(133, 228, 255) },
        { RGB(3, 5, 7), RGB(161, 161, 161), RGB(129, 130, 131) },     // luminance 160: lightened
        { RGB(100, 101, 100), RGB(163, 163, 163), RGB(22, 24, 22) }, // 162: darkened, 77.5 to even
        { clNone, clWhite, clNone },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.text << " on " << c.background);
        EXPECT_EQ(detail::AdjustContrast(c.text, c.background, nullptr), c.expected);
    }
}

TEST_F(PaintTest, ContrastAdjustmentAppliesToTextColours)
{
    Doc.Color = RGB(128, 128, 128);
    Doc.Break();
    Doc.Text(QStringLiteral("HHHH"), { fsBold }, -30);
    Doc.Layout();
    for (const auto& [from, expected] : { std::pair{ clBlack, QColor(192, 192, 192) }, std::pair{ clWhite, QColor(64, 64, 64) } }) {
        const QImage image = Paint(QSize(120, 40), {}, from);
        // Glyph stems are fully covered: there the colour is exact, and
        // nothing is darker.
        EXPECT_GT(CountPixels(image, image.rect(), expected), 20);
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = std::min(darkest, qRed(image.pixel(x, y)));
        EXPECT_EQ(darkest, expected.red());
    }
}

//---- Lists, rules, backgrounds ------------------------------------------------

TEST_F(PaintTest, BulletIsAFilledCircleLeftOfTheLine)
{
    Doc.Break(hitUL);
    TLarkHTMLBreakItem& li = Doc.Break(hitLI);
    li.FIndent = 30;
    li.FListItemN = -1;
    li.FontColor = clRed;
    TLarkHTMLItem& text = Doc.Text(QStringLiteral("item"));
    Doc.Layout();
    const QImage image = Paint(QSize(120, 40));
    const int size = QtMetrics(kSans, -13).averageCharWidth();
    const int right = 30 - 1 - 5;
    const int top = li.Top() + li.LineDescent() + (li.FHeight - li.LineDescent() - size) / 2;
    const QPoint centre(right - (size + 1) / 2, top + size / 2);
    EXPECT_EQ(QColor(image.pixel(centre)), QColor(Qt::red)) << SaveForReview(image, QStringLiteral("bullet")).toStdString();
    EXPECT_EQ(CountPixels(image, QRect(right + 1, 0, 30 - right - 1, 40), Qt::red, 60), 0);
    EXPECT_EQ(text.Left(), 30 + text.FWidth);
}

TEST_F(PaintTest, NumberUsesThePreviousRunsFontAndTheItemsColour)
{
    Doc.Break();
    Doc.Text(QStringLiteral("Big"), { fsBold }, -20);
    Doc.Break(hitOL);
    TLarkHTMLBreakItem& li = Doc.Break(hitLI);
    li.FIndent = 30;
    li.FListItemN = 1;
    li.FontColor = clLime;
    TLarkHTMLItem& text = Doc.Text(QStringLiteral("first"));
    Doc.Layout();
    // The number's cell shows the canvas's brush colour.
    const QImage image = Paint(QSize(160, 60), {}, clNone, clYellow);
    const int numberWidth = QtWidth(kSans, -20, { fsBold }, QStringLiteral("1."));
    EXPECT_EQ(li.Left(), 30 + numberWidth);
    EXPECT_EQ(text.Left(), 30 + numberWidth + text.FWidth);
    const QRect numberBox(30, li.Top(), numberWidth, li.FHeight);
    EXPECT_GT(CountPixels(image, numberBox, Qt::green, 60), 10);
    EXPECT_GT(CountPixels(image, numberBox, Qt::yellow), 20);
    EXPECT_EQ(CountPixels(image, QRect(0, li.Top(), 30, li.FHeight), Qt::green, 60), 0);
}

TEST_F(PaintTest, RuleWithoutAttributesIsAnEtchedPairAcrossTheLine)
{
    Doc.Break();
    Doc.Text(QStringLiteral("above"));
    TLarkHTMLBreakItem& line = Doc.Break(hitBreak);
    TLarkHTMLItem& rule = Doc.Item(hitHR);
    rule.FHeight2 = 1;
    rule.FBgColor1 = clBtnShadow;
    rule.FBgColor2 = clBtnFace;
    // A rule takes no room: the text beside it is drawn over its start.
    TLarkHTMLItem& beside = Doc.Text(QStringLiteral("beside"));
    Doc.Layout();
    const QImage image = Paint(QSize(150, 60));
    const int y = line.Top() + line.FHeight / 2;
    const QRect clear(beside.Left(), y, 150 - beside.Left(), 1);
    EXPECT_TRUE(RegionIs(image, clear, ToQColor(ColorToRGB(clBtnShadow))))
        << SaveForReview(image, QStringLiteral("rule")).toStdString();
    EXPECT_TRUE(RegionIs(image, clear.translated(0, 1), ToQColor(ColorToRGB(clBtnFace))));
    EXPECT_TRUE(RegionIs(image, QRect(0, y + 2, 150, line.FHeight - line.FHeight / 2 - 2).intersected(
                                    QRect(beside.Left(), 0, 150, 60)), Qt::white));
}

TEST_F(PaintTest, BodyBackgroundCoversTheAreaAndWhatCameBefore)
{
    Doc.Break();
    Doc.Text(QStringLiteral("hidden"));
    TLarkHTMLItem& body = Doc.Item(hitBody);
    body.FBgColor1 = RGB(255, 255, 225);
    body.FBgColor2 = clWhite;
    Doc.Layout();
    const QImage image = Paint(QSize(90, 60));
    // 30 horizontal bands of two rows; the text painted before is gone.
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 90, 2), QColor(255, 255, 225)));
    EXPECT_TRUE(RegionIs(image, QRect(0, 2, 90, 2), QColor(255, 255, 226)));
    EXPECT_TRUE(RegionIs(image, QRect(0, 58, 90, 2), QColor(255, 255, 254)));
}

//---- Where painting starts and stops -----------------------------------------

// A long document with everything that carries state from line to line.
void BuildLongDocument(DocBuilder& doc)
{
    doc.Break();
    TLarkHTMLItem& body = doc.Item(hitBody);
    body.FBgColor1 = RGB(250, 250, 240);
    body.FBgColor2 = RGB(250, 250, 240);
    // A thick rule leaves a clear pen behind: the second body's border is
    // then not drawn, however far down the paint starts.
    doc.Break(hitBreak);
    TLarkHTMLItem& thick = doc.Item(hitHR);
    thick.FHeight2 = 4;
    thick.FBgColor1 = clTeal;
    thick.FBgColor2 = clTeal;
    TLarkHTMLItem& bordered = doc.Item(hitBody);
    bordered.FBgColor1 = RGB(240, 250, 250);
    bordered.FBgColor2 = RGB(240, 250, 250);
    bordered.FBorderColor = clBlue;
    for (int i = 0; i < 120; ++i) {
        doc.Break(hitBreak, i % 3);
        doc.Text(QStringLiteral("Line %1 of the document").arg(i), i % 4 == 0 ? TFontStyles{ fsBold } : TFontStyles{},
                 -11 - i % 7);
        if (i % 9 == 0) {
            TLarkHTMLItem& rule = doc.Item(hitHR);
            rule.FHeight2 = i % 2 ? 1 : 3;
            rule.FBgColor1 = clSilver;
            rule.FBgColor2 = clGray;
        }
        if (i % 5 == 0) {
            doc.Break(hitOL);
            TLarkHTMLBreakItem& li = doc.Break(hitLI);
            li.FIndent = 20;
            li.FListItemN = i % 10 == 0 ? i : -1;
            li.FontColor = clMaroon;
            doc.Text(QStringLiteral("list item %1").arg(i));
        }
    }
}

// Starting the walk late must not change a pixel, also when lines overlap
// (a negative gap) or are spaced out.
TEST_F(PaintTest, ScrolledPaintEqualsTheSameRowsOfAFullPaint)
{
    for (int gap : { 0, -6, 5 }) {
        SCOPED_TRACE(testing::Message() << "gap " << gap);
        Data.ClearArrays();
        Data.SetLineGap(gap);
        BuildLongDocument(Doc);
        Doc.Layout();
        int height = 0;
        for (const auto& line : Data.LineIndex().Lines)
            height += Data.Item(line.Item)->FHeight;
        ASSERT_GT(height, 1200);
        const QImage full = Paint(QSize(300, height + 220));
        // Scroll positions all over the document, at varied offsets into
        // their lines.
        std::vector<int> scrolls;
        for (int scroll = 1; scroll < height - 100; scroll += 23)
            scrolls.push_back(scroll);
        // Also start the walk at a numbered line, whose number takes the font
        // of the last run above it.
        const auto& lines = Data.LineIndex().Lines;
        for (size_t k = 30; k < lines.size(); ++k) {
            const auto& item = static_cast<const TLarkHTMLBreakItem&>(*Data.Item(lines[k].Item));
            if (item.FItemType == hitLI && item.FListItemN > 0 && lines[k - 1].InkBottom < lines[k].InkBottom) {
                scrolls.push_back(lines[k - 1].InkBottom + 1);
                break;
            }
        }
        ASSERT_GT(scrolls.size(), 50u);
        for (int scroll : scrolls) {
            SCOPED_TRACE(scroll);
            for (const auto& item : Data.Items())
                item->FLeft = -999;
            // Below the area the walk stops, and a line starting there that
            // reaches up into it (a negative gap) is not drawn; compare the
            // rows above its reach.
            const QImage part = Paint(QSize(300, 200), QPoint(0, scroll));
            ASSERT_TRUE(part.copy(0, 0, 300, 160) == full.copy(0, scroll, 300, 160))
                << SaveForReview(part, QStringLiteral("scrolled-%1").arg(scroll)).toStdString();
            // Lines far above the area were not walked.
            if (scroll > 500) {
                EXPECT_EQ(Data.Item(2)->Left(), -999);
            }
        }
    }
}

TEST_F(PaintTest, PaintingStopsAtTheFirstLineBelowTheArea)
{
    BuildLongDocument(Doc);
    Doc.Layout();
    for (const auto& item : Data.Items())
        item->FLeft = -999;
    const int scroll = 100;
    const int height = 80;
    Paint(QSize(300, height), QPoint(0, scroll));
    const detail::LineIndex& index = Data.LineIndex();
    for (size_t k = 0; k < index.Lines.size(); ++k) {
        const detail::LineStart& line = index.Lines[k];
        const TLarkHTMLItem& item = *Data.Items()[size_t(line.Item)];
        const bool endsAbove = line.Top + item.FHeight < scroll;
        const bool startsBelow = line.Top > height + 1 + scroll;
        SCOPED_TRACE(k);
        EXPECT_EQ(item.Left() != -999, !endsAbove && !startsBelow);
        if (startsBelow)
            break;
    }
}

TEST_F(PaintTest, DoubleBufferingDoesNotChangeThePixels)
{
    BuildLongDocument(Doc);
    Doc.Layout();
    auto paintAt = [this](bool buffered) {
        Render.SetDoubleBuffered(buffered);
        QImage image = WhiteImage(340, 260);
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clCream);
        const QRect area(20, 30, 300, 200);
        Render.DrawText(canvas, QPoint(0, 40), area, clNone, area);
        return image;
    };
    const QImage buffered = paintAt(true);
    const QImage direct = paintAt(false);
    // Direct drawing is not clipped to the area; compare the area itself.
    EXPECT_TRUE(buffered.copy(20, 30, 300, 200) == direct.copy(20, 30, 300, 200));
    EXPECT_TRUE(RegionIs(buffered, QRect(0, 0, 340, 30), Qt::white));
}

// Buffered painting keeps what the host drew under the text and reaches one
// pixel past the area, no further; unbuffered painting relies on the
// canvas's own clipping.
TEST_F(PaintTest, BufferedPaintKeepsTheBackgroundAndStaysInItsRectangle)
{
    Doc.Break();
    Doc.Text(QStringLiteral("a line much wider than the area it is painted in"), { fsBold }, -16);
    Doc.Layout();
    auto paint = [this](bool buffered) {
        Render.SetDoubleBuffered(buffered);
        QImage image = WhiteImage(120, 40);
        image.fill(QColor(Qt::yellow));
        TCanvas canvas(&image);
        const QRect area(10, 5, 60, 30);
        Render.DrawText(canvas, {}, area, clNone, area);
        return image;
    };
    const QImage buffered = paint(true);
    const QImage direct = paint(false);
    EXPECT_GT(CountPixels(buffered, QRect(10, 5, 60, 30), Qt::yellow), 600);
    EXPECT_TRUE(RegionIs(buffered, QRect(71, 0, 49, 40), Qt::yellow));
    EXPECT_FALSE(RegionIs(direct, QRect(71, 0, 49, 40), Qt::yellow));
}

TEST_F(PaintTest, EmptyAreaOrDocumentPaintsNothing)
{
    Doc.Break();
    Doc.Text(QStringLiteral("text"));
    Doc.Layout();
    QImage untouched = WhiteImage(50, 20);
    {
        TCanvas canvas(&untouched);
        Render.DrawText(canvas, {}, QRect(0, 0, 0, 20), clNone, untouched.rect());
    }
    EXPECT_TRUE(RegionIs(untouched, untouched.rect(), Qt::white));
    Data.ClearArrays();
    const QImage image = Paint(QSize(50, 20));
    EXPECT_TRUE(RegionIs(image, image.rect(), Qt::white));
}

} // namespace

// A run that starts well left of the visible area still shows its right part
// (a view scrolled sideways lost whole lines).
TEST(PaintScrolledSideways, RunStartingLeftOfTheAreaIsDrawn)
{
    TLarkHTMLRender render;
    render.PrepareText(QStringLiteral("A long unwrapped line of text that runs far to the right of the area"),
                       10000, false);
    ASSERT_GT(render.Data()->TextSize().width(), 250);
    QImage image(120, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        const QRect area(0, 0, 119, 19);
        render.DrawText(canvas, QPoint(128, 0), area, clNone, area);
    }
    EXPECT_FALSE(InkBounds(image, image.rect(), Qt::white).isEmpty())
        << SaveForReview(image, QStringLiteral("scrolled-sideways")).toStdString();
}
