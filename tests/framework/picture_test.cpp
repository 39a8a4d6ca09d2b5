// Bitmaps and pictures: sizes, canvases, loading and its errors.
#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/picture.h>

#include "support/image_checks.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lark;
using lark::test::RegionIs;

namespace {

TEST(Bitmap, NewAreaIsWhiteAndOldPixelsStay)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.TransparentColor(), clNone);
    bitmap.SetSize(10, 10);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(RectLTRB(0, 0, 5, 10));
    bitmap.SetSize(20, 12);
    EXPECT_EQ(bitmap.Width(), 20);
    EXPECT_EQ(bitmap.Height(), 12);
    EXPECT_TRUE(RegionIs(bitmap.Image(), QRect(0, 0, 5, 10), Qt::red));
    EXPECT_TRUE(RegionIs(bitmap.Image(), QRect(5, 0, 15, 12), Qt::white));
    // The bottom-left pixel marks the transparent colour.
    EXPECT_EQ(bitmap.TransparentColor(), clWhite);
    // The canvas keeps working after the resize.
    bitmap.Canvas().FillRect(RectLTRB(0, 11, 1, 12));
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    bitmap.SetSize(-3, 4);
    EXPECT_TRUE(bitmap.Empty());
}

class PictureFiles : public testing::Test
{
protected:
    QString Path(const char* name) const { return FDir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir FDir;
};

TEST_F(PictureFiles, LoadsBitmapsAndOtherFormats)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(Path("blue.bmp")));
    ASSERT_TRUE(image.save(Path("blue.png")));
    // The data decides, not the name.
    ASSERT_TRUE(image.save(Path("disguised.png"), "BMP"));

    struct Case
    {
        const char* file;
        bool isBitmap;
    };
    for (const Case& row : { Case{ "blue.bmp", true }, Case{ "blue.png", false }, Case{ "disguised.png", true } }) {
        SCOPED_TRACE(row.file);
        TPicture picture;
        int changes = 0;
        picture.OnChange = [&](QObject* sender) {
            ++changes;
            EXPECT_EQ(sender, &picture);
        };
        picture.LoadFromFile(Path(row.file));
        EXPECT_EQ(changes, 1);
        EXPECT_FALSE(picture.Empty());
        EXPECT_EQ(picture.IsBitmap(), row.isBitmap);
        EXPECT_EQ(picture.Width(), 3);
        EXPECT_EQ(picture.Height(), 2);
        EXPECT_EQ(picture.Image().pixelColor(2, 1), QColor(Qt::blue));
    }
}

TEST_F(PictureFiles, MissingAndUndecodableFilesThrow)
{
    QFile junk(Path("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not an image");
    junk.close();

    TPicture picture;
    QImage red(1, 1, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.SetImage(red);
    try {
        picture.LoadFromFile(Path("missing.png"));
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot open file \"" + Path("missing.png") + "\""));
    }
    EXPECT_THROW(picture.LoadFromFile(Path("junk.png")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(FDir.path()), Exception);
    // A failed load leaves the picture as it was.
    EXPECT_EQ(picture.Image().pixelColor(0, 0), QColor(Qt::red));
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromFile(Path("missing.bmp")), EFOpenError);
    EXPECT_THROW(bitmap.LoadFromResourceName("NoSuchResource"), EResNotFound);
}

TEST(Bitmap, LoadsProgramResourcesByName)
{
    TBitmap bitmap;
    bitmap.LoadFromResourceName("LarkDot");
    ASSERT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Image().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(bitmap.Image().pixelColor(1, 0), QColor(Qt::blue));
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
}

TEST(Picture, BitmapAccessMakesTheGraphicABitmap)
{
    TPicture picture;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    picture.SetImage(image);
    EXPECT_FALSE(picture.IsBitmap());
    TBitmap& bitmap = picture.Bitmap();
    EXPECT_TRUE(picture.IsBitmap());
    EXPECT_TRUE(picture.Empty());
    bitmap.SetSize(2, 2);
    EXPECT_EQ(picture.Width(), 2);

    TPicture copy;
    copy.Assign(picture);
    EXPECT_TRUE(copy.IsBitmap());
    EXPECT_EQ(copy.Width(), 2);
    copy.Clear();
    EXPECT_TRUE(copy.Empty());
    EXPECT_FALSE(copy.IsBitmap());
}

} // namespace
