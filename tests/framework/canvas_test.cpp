// TCanvas drawing, checked on QImage pixels.
#include <lark/framework/canvas.h>

#include "support/image_checks.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lark;
using lark::test::CountPixels;
using lark::test::InkBounds;
using lark::test::RegionIs;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

class CanvasTest : public testing::Test
{
protected:
    CanvasTest()
        : FImage(120, 80, QImage::Format_RGB32)
    {
        FImage.fill(kWhite);
        FCanvas = std::make_unique<TCanvas>(&FImage);
    }

    // The image after the canvas stopped painting on it.
    const QImage& Image()
    {
        FCanvas->Release();
        return FImage;
    }
    QColor At(int x, int y) { return Image().pixelColor(x, y); }

    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
};

TEST_F(CanvasTest, FillRectLeavesRightAndBottomOut)
{
    FCanvas->Brush().SetColor(clRed);
    FCanvas->FillRect(RectLTRB(10, 5, 20, 15));
    EXPECT_TRUE(RegionIs(Image(), QRect(10, 5, 10, 10), kRed));
    EXPECT_EQ(CountPixels(Image(), FImage.rect(), kRed), 100);
    EXPECT_EQ(RectLTRB(10, 5, 20, 15), QRect(10, 5, 10, 10));
}

TEST_F(CanvasTest, ClearBrushFillsNothingUntilGivenAColour)
{
    FCanvas->Brush().SetStyle(bsClear);
    FCanvas->FillRect(RectLTRB(0, 0, 50, 50));
    EXPECT_TRUE(RegionIs(Image(), FImage.rect(), kWhite));
    FCanvas->Brush().SetColor(clBlue);
    EXPECT_EQ(FCanvas->Brush().Style(), bsSolid);
    FCanvas->FillRect(RectLTRB(0, 0, 50, 50));
    EXPECT_TRUE(RegionIs(Image(), QRect(0, 0, 50, 50), kBlue));
}

TEST_F(CanvasTest, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    FCanvas->Pen().SetColor(clBlack);
    FCanvas->Brush().SetColor(clYellow);
    FCanvas->Rectangle(RectLTRB(10, 10, 30, 20));
    for (QPoint corner : { QPoint(10, 10), QPoint(29, 10), QPoint(10, 19), QPoint(29, 19) })
        EXPECT_EQ(At(corner.x(), corner.y()), kBlack) << corner.x() << "," << corner.y();
    EXPECT_TRUE(RegionIs(Image(), QRect(11, 11, 18, 8), kYellow));
    EXPECT_EQ(CountPixels(Image(), FImage.rect(), kBlack), 2 * 20 + 2 * 8);
    EXPECT_EQ(At(30, 10), kWhite);
    EXPECT_EQ(At(10, 20), kWhite);

    FCanvas->Pen().SetStyle(psClear);
    FCanvas->Rectangle(RectLTRB(40, 10, 60, 20));
    EXPECT_TRUE(RegionIs(Image(), QRect(40, 10, 20, 10), kYellow));
    EXPECT_EQ(At(60, 10), kWhite);
}

TEST_F(CanvasTest, LineToLeavesOutTheEndPoint)
{
    FCanvas->MoveTo(5, 5);
    FCanvas->LineTo(25, 5);
    EXPECT_EQ(FCanvas->PenPos(), QPoint(25, 5));
    FCanvas->LineTo(25, 30);
    EXPECT_TRUE(RegionIs(Image(), QRect(5, 5, 20, 1), kBlack));
    EXPECT_TRUE(RegionIs(Image(), QRect(25, 5, 1, 25), kBlack));
    EXPECT_EQ(At(25, 30), kWhite);
    EXPECT_EQ(CountPixels(Image(), FImage.rect(), kBlack), 45);

    FCanvas->MoveTo(60, 40);
    FCanvas->LineTo(70, 50);
    FCanvas->LineTo(70, 50); // no length: draws nothing
    EXPECT_EQ(At(60, 40), kBlack);
    EXPECT_EQ(At(69, 49), kBlack);
    EXPECT_EQ(At(70, 50), kWhite);
    EXPECT_EQ(CountPixels(Image(), QRect(60, 40, 11, 11), kBlack), 10);
}

struct DashCase
{
    const char* name;
    TPenStyle style;
    int width;
    int onPixelsIn48; // pixels drawn on a 48-pixel line
};

// Dashes are 18 on 6 off and dots 3 on 3 off; wide pens are always solid.
constexpr DashCase kDashCases[] = {
    { "Solid", psSolid, 1, 48 },
    { "Dash", psDash, 1, 36 },
    { "Dot", psDot, 1, 24 },
    { "WideDashIsSolid", psDash, 2, 48 },
    { "Clear", psClear, 1, 0 },
};

TEST_F(CanvasTest, PenStylesDrawDashesWithGaps)
{
    int y = 5;
    for (const DashCase& row : kDashCases) {
        SCOPED_TRACE(row.name);
        FCanvas->Pen().SetStyle(row.style);
        FCanvas->Pen().SetWidth(row.width);
        FCanvas->MoveTo(10, y);
        FCanvas->LineTo(58, y);
        EXPECT_EQ(CountPixels(Image(), QRect(10, y, 48, 1), kBlack, 64), row.onPixelsIn48);
        y += 10;
    }
}

TEST_F(CanvasTest, EllipseFillsItsCentreNotItsCorners)
{
    FCanvas->Brush().SetColor(clRed);
    FCanvas->Pen().SetColor(clBlue);
    FCanvas->Ellipse(RectLTRB(20, 10, 60, 50));
    EXPECT_TRUE(RegionIs(Image(), QRect(35, 25, 10, 10), kRed));
    for (QPoint corner : { QPoint(20, 10), QPoint(59, 10), QPoint(20, 49), QPoint(59, 49) })
        EXPECT_EQ(At(corner.x(), corner.y()), kWhite) << corner.x() << "," << corner.y();
    // The outline touches the middle of each side, inside the rectangle.
    EXPECT_EQ(At(40, 10), kBlue);
    EXPECT_EQ(At(20, 30), kBlue);
    EXPECT_GT(CountPixels(Image(), QRect(59, 25, 1, 10), kBlue), 0);
    EXPECT_EQ(CountPixels(Image(), QRect(60, 0, 60, 80), kBlue), 0);
}

TEST_F(CanvasTest, PolylineJoinsPointsAndLeavesOutTheLast)
{
    FCanvas->Pen().SetColor(clRed);
    FCanvas->Polyline({ QPoint(10, 10), QPoint(30, 10), QPoint(30, 30) });
    EXPECT_TRUE(RegionIs(Image(), QRect(10, 10, 21, 1), kRed));
    EXPECT_TRUE(RegionIs(Image(), QRect(30, 10, 1, 20), kRed));
    EXPECT_EQ(At(30, 30), kWhite);
}

class CanvasTextTest : public CanvasTest
{
protected:
    CanvasTextTest()
    {
        FCanvas->Font().SetName("DejaVu Sans");
        FCanvas->Font().SetHeight(-20);
        FCanvas->Font().SetColor(clBlack);
        FCanvas->Brush().SetStyle(bsClear);
    }
};

TEST_F(CanvasTextTest, TextAlignPicksTheReferenceLine)
{
    const QFontMetrics metrics = FCanvas->FontMetrics();
    const int top = 10;
    FCanvas->SetTextAlign(TA_TOP);
    FCanvas->TextOut(5, top, "H");
    FCanvas->SetTextAlign(TA_BASELINE);
    FCanvas->TextOut(45, top + metrics.ascent(), "H");
    FCanvas->SetTextAlign(TA_BOTTOM);
    FCanvas->TextOut(85, top + metrics.height(), "H");
    EXPECT_EQ(FCanvas->TextAlign(), TA_BOTTOM);

    const QRect atTop = InkBounds(Image(), QRect(0, 0, 40, 80), kWhite);
    const QRect onBase = InkBounds(Image(), QRect(40, 0, 40, 80), kWhite);
    const QRect atBottom = InkBounds(Image(), QRect(80, 0, 40, 80), kWhite);
    ASSERT_FALSE(atTop.isEmpty());
    EXPECT_EQ(onBase.top(), atTop.top());
    EXPECT_EQ(onBase.bottom(), atTop.bottom());
    EXPECT_EQ(atBottom.top(), atTop.top());
    // An "H" stands on its base line: ink above it, none below.
    EXPECT_LE(onBase.bottom(), top + metrics.ascent());
    EXPECT_GE(onBase.bottom(), top + metrics.ascent() - 2);
    EXPECT_GT(onBase.height(), metrics.ascent() / 2);
}

TEST_F(CanvasTextTest, SolidBrushFillsTheTextCellClearBrushDoesNot)
{
    const int width = FCanvas->TextWidth("ab");
    const int height = FCanvas->TextHeight("ab");
    FCanvas->Brush().SetColor(clYellow);
    FCanvas->TextOut(10, 10, "ab");
    EXPECT_EQ(FCanvas->PenPos(), QPoint(10 + width, 10));
    FCanvas->Brush().SetStyle(bsClear);
    FCanvas->TextOut(10, 45, "ab");

    // The opaque cell has no background white left, only yellow and ink.
    const QRect cell(10, 10, width, height);
    EXPECT_EQ(CountPixels(Image(), cell, kWhite, 60), 0);
    EXPECT_GT(CountPixels(Image(), cell, kYellow), width * height / 2);
    EXPECT_FALSE(InkBounds(Image(), cell, kYellow).isEmpty());
    EXPECT_EQ(At(10, 10), kYellow);
    EXPECT_EQ(At(10 + width - 1, 10 + height - 1), kYellow);
    EXPECT_EQ(At(10 + width, 10), kWhite);

    const QRect clearCell(10, 45, width, height);
    EXPECT_EQ(CountPixels(Image(), clearCell, kYellow, 60), 0);
    EXPECT_GT(CountPixels(Image(), clearCell, kWhite), width * height / 2);
    EXPECT_FALSE(InkBounds(Image(), clearCell, kWhite).isEmpty());
}

TEST_F(CanvasTextTest, MeasuresWithTheFontsMetrics)
{
    const QFontMetrics metrics(MakeQFont("DejaVu Sans", -20, {}));
    for (const char* text : { "", "i", "Hello, world", "WWW mmm" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FCanvas->TextWidth(text), metrics.horizontalAdvance(text));
        EXPECT_EQ(FCanvas->TextHeight(text), metrics.ascent() + metrics.descent());
        EXPECT_EQ(FCanvas->TextExtent(text), QSize(FCanvas->TextWidth(text), FCanvas->TextHeight(text)));
    }
    const int narrow = FCanvas->TextWidth("WWW");
    FCanvas->Font().SetStyle({ fsBold });
    EXPECT_GT(FCanvas->TextWidth("WWW"), narrow);
}

TEST_F(CanvasTest, ClipRectFollowsTheClip)
{
    EXPECT_EQ(FCanvas->ClipRect(), FImage.rect());
    FCanvas->SetClipRect(RectLTRB(10, 10, 30, 20));
    EXPECT_EQ(FCanvas->ClipRect(), QRect(10, 10, 20, 10));
    FCanvas->Brush().SetColor(clRed);
    FCanvas->FillRect(FImage.rect());
    EXPECT_EQ(CountPixels(Image(), FImage.rect(), kRed), 200);
    // The clip survives the end of painting.
    FCanvas->FillRect(FImage.rect());
    EXPECT_EQ(FCanvas->ClipRect(), QRect(10, 10, 20, 10));
    FCanvas->ClearClip();
    EXPECT_EQ(FCanvas->ClipRect(), FImage.rect());
    FCanvas->FillRect(FImage.rect());
    EXPECT_TRUE(RegionIs(Image(), FImage.rect(), kRed));
}

TEST_F(CanvasTest, CopyRectReplacesPixelsFromAnotherCanvasOrItself)
{
    QImage source(20, 20, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::transparent);
    {
        TCanvas canvas(&source);
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect(RectLTRB(0, 0, 10, 10));
        FCanvas->Brush().SetColor(clRed);
        FCanvas->FillRect(RectLTRB(0, 0, 40, 40));
        FCanvas->CopyRect(RectLTRB(0, 0, 20, 20), canvas, RectLTRB(0, 0, 20, 20));
    }
    EXPECT_TRUE(RegionIs(Image(), QRect(0, 0, 10, 10), kBlue));
    // Transparent source pixels replace, they do not blend.
    EXPECT_EQ(CountPixels(Image(), QRect(0, 0, 20, 20), kRed), 0);
    EXPECT_TRUE(RegionIs(Image(), QRect(20, 0, 20, 40), kRed));

    // Overlapping copy within one canvas: the source is read before writing.
    FCanvas->CopyRect(RectLTRB(5, 0, 25, 20), *FCanvas, RectLTRB(0, 0, 20, 20));
    EXPECT_TRUE(RegionIs(Image(), QRect(5, 0, 10, 10), kBlue));
}

TEST_F(CanvasTest, StretchDrawScalesWithoutSmoothing)
{
    QImage tiny(2, 1, QImage::Format_RGB32);
    tiny.setPixelColor(0, 0, kRed);
    tiny.setPixelColor(1, 0, kBlue);
    FCanvas->StretchDraw(RectLTRB(10, 10, 30, 20), tiny);
    EXPECT_TRUE(RegionIs(Image(), QRect(10, 10, 10, 10), kRed));
    EXPECT_TRUE(RegionIs(Image(), QRect(20, 10, 10, 10), kBlue));
    EXPECT_EQ(At(30, 10), kWhite);
    FCanvas->Draw(50, 50, tiny);
    EXPECT_EQ(At(50, 50), kRed);
    EXPECT_EQ(At(51, 50), kBlue);
}

TEST(CanvasOverPainter, DrawsThroughAPainterItDoesNotOwn)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    {
        TCanvas canvas(&painter);
        EXPECT_EQ(canvas.Device(), &image);
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(RectLTRB(0, 0, 5, 5));
    }
    EXPECT_TRUE(painter.isActive());
    painter.end();
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 5, 5), kRed));
    EXPECT_EQ(CountPixels(image, image.rect(), kRed), 25);
}

// Paints its whole area with a system colour through a widget canvas.
class SystemColorWidget : public QWidget
{
public:
    QRect FClipSeen;

protected:
    void paintEvent(QPaintEvent*) override
    {
        TCanvas canvas(this);
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(rect());
        FClipSeen = canvas.ClipRect();
    }
};

TEST(CanvasOnWidget, ResolvesSystemColoursThroughTheWidgetPalette)
{
    SystemColorWidget widget;
    widget.resize(30, 20);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    widget.setPalette(palette);
    const QImage image = widget.grab().toImage();
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 30, 20), QColor(1, 2, 3)));
    EXPECT_EQ(widget.FClipSeen, QRect(0, 0, 30, 20));
}

} // namespace
