// A text cut into runs of different colours keeps every glyph where the
// uncut run puts it. Glyphs stand at whole-pixel advances, so the only
// difference a cut makes is the one pixel every run ends with (a run is as
// wide as its text plus one): each run after a cut starts that much later.
//
// The reference is Qt's own: each character drawn by QPainter::drawText at
// the sum of the QFontMetrics advances of the characters before it. Images
// are painted on a transparent ground and compared by coverage (alpha), which
// is the same whatever colour a run is drawn in.
#include "layout_fixture.h"
#include "support/image_checks.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <vector>

using namespace lark;
using namespace lark::test;

namespace {

// What a run adds to its text's width (see measure.cpp).
constexpr int kRunEdge = 1;
constexpr int kLeft = 4;
const QSize kArea(260, 40);

const TColor kPieceColors[] = { clRed, clGreen, clBlue };

struct SplitCase
{
    const char* face;
    int height;
    TFontStyles style;
    const char* text;
};

// Kerning pairs (AV, To, Wa, LT …) that a shaped layout would pull together,
// italic overhangs that reach into the neighbour's cell, and punctuation.
const SplitCase kSplitCases[] = {
    { "Tahoma", -11, {}, "Hello, world! AVATar" },
    { "Tahoma", -11, { fsBold }, "To Wa, yes: LT fly" },
    { "Tahoma", -16, {}, "Wavy AV \"To\" ok." },
    { "DejaVu Sans", -13, {}, "Hello, world! AV To" },
    { "DejaVu Sans", -12, { fsItalic }, "Wa fjord LT yAWN" },
    { "DejaVu Sans", -16, { fsBold, fsItalic }, "AVAT To Wa!" },
    { "Liberation Serif", -13, {}, "Type AVOW, Ta." },
    { "Liberation Serif", 20, { fsItalic }, "fly To Wa" },
    { "Liberation Serif", -11, { fsBold }, "P.S. AV-To (Wa)" },
};

// Coverage of every pixel: what the text covers, whatever its colour.
std::vector<int> Coverage(const QImage& image)
{
    std::vector<int> alpha;
    alpha.reserve(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            alpha.push_back(qAlpha(image.pixel(x, y)));
    }
    return alpha;
}

QImage TransparentImage()
{
    QImage image(kArea, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

class RunSplitTest : public testing::TestWithParam<SplitCase>
{
protected:
    QString Face() const { return QString::fromLatin1(GetParam().face); }
    QString Text() const { return QString::fromUtf8(GetParam().text); }

    // Paints the text as runs ending at the given cuts (character counts),
    // each in the next colour; returns the image and the line's base line.
    QImage PaintRuns(const std::vector<qsizetype>& cuts, int& baseLine)
    {
        TLarkHTMLRender render;
        TLarkHTMLData& data = *render.Data();
        DocBuilder doc{ data };
        doc.Face = Face();
        TLarkHTMLBreakItem& line = doc.Break();
        line.FIndent = kLeft;
        const QString text = Text();
        qsizetype from = 0;
        size_t piece = 0;
        for (qsizetype to : cuts) {
            doc.Color = kPieceColors[piece++ % std::size(kPieceColors)];
            doc.Text(text.mid(from, to - from), GetParam().style, GetParam().height);
            from = to;
        }
        doc.Layout();
        QImage image = TransparentImage();
        {
            TCanvas canvas(&image);
            render.DrawText(canvas, {}, image.rect(), clNone, image.rect());
        }
        baseLine = line.Top() + line.FHeight - line.LineDescent();
        return image;
    }

    // Qt's drawing of the same characters, each at its whole-pixel advance,
    // runs after a cut moved by the run edge.
    QImage Expected(const std::vector<qsizetype>& cuts, int baseLine) const
    {
        const QFont font = MakeQFont(Face(), GetParam().height, GetParam().style);
        const QFontMetrics metrics(font);
        const QString text = Text();
        QImage image = TransparentImage();
        QPainter painter(&image);
        painter.setFont(font);
        int x = kLeft;
        size_t piece = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            while (i == cuts[piece]) {
                x += kRunEdge;
                ++piece;
            }
            painter.setPen(ToQColor(kPieceColors[piece % std::size(kPieceColors)]));
            painter.drawText(QPoint(x, baseLine), QString(text[i]));
            x += metrics.horizontalAdvance(text[i]);
        }
        return image;
    }

    void ExpectSameCoverage(const std::vector<qsizetype>& cuts)
    {
        int baseLine = 0;
        const QImage painted = PaintRuns(cuts, baseLine);
        const QImage expected = Expected(cuts, baseLine);
        if (Coverage(painted) != Coverage(expected)) {
            std::string where;
            for (qsizetype cut : cuts)
                where += std::to_string(cut) + " ";
            ADD_FAILURE() << "runs ending at " << where << "of '" << GetParam().text << "': see "
                          << SaveForReview(painted, QStringLiteral("split")).toStdString() << " and "
                          << SaveForReview(expected, QStringLiteral("split-expected")).toStdString();
        }
    }
};

TEST_P(RunSplitTest, UncutRunPlacesEachGlyphAtItsWholePixelAdvance)
{
    ExpectSameCoverage({ Text().size() });
}

TEST_P(RunSplitTest, TwoRunsKeepTheGlyphsOfTheUncutRun)
{
    const qsizetype size = Text().size();
    for (qsizetype cut = 1; cut < size; ++cut)
        ExpectSameCoverage({ cut, size });
}

TEST_P(RunSplitTest, ThreeRunsKeepTheGlyphsOfTheUncutRun)
{
    const qsizetype size = Text().size();
    for (qsizetype first = 1; first < size; ++first) {
        for (qsizetype second = first + 1; second < size; ++second)
            ExpectSameCoverage({ first, second, size });
    }
}

// The text's own width: a cut adds the run edge and nothing else.
TEST_P(RunSplitTest, RunWidthsAddUp)
{
    const QString text = Text();
    const QFontMetrics metrics(MakeQFont(Face(), GetParam().height, GetParam().style));
    int sum = 0;
    for (QChar c : text)
        sum += metrics.horizontalAdvance(c);
    TLarkHTMLRender render;
    DocBuilder doc{ *render.Data() };
    doc.Face = Face();
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        TLarkHTMLItem& head = doc.Text(text.left(cut), GetParam().style, GetParam().height);
        TLarkHTMLItem& tail = doc.Text(text.mid(cut), GetParam().style, GetParam().height);
        EXPECT_EQ(head.GetWidth() + tail.GetWidth(), sum + 2 * kRunEdge) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, RunSplitTest, testing::ValuesIn(kSplitCases), [](const auto& info) {
    QString name = QString::fromLatin1(info.param.face).remove(u' ') + QString::number(std::abs(info.param.height));
    if (info.param.style.Contains(fsBold))
        name += u"Bold";
    if (info.param.style.Contains(fsItalic))
        name += u"Italic";
    return name.toStdString();
});

} // namespace
