// Images: sources, the application's image events, transparent and stretched
// drawing, the image file cache, and the refusal of files that are not safe
// to read.
#include "support/image_checks.h"

#include <lark/framework/canvas.h>
#include <lark/framework/image_list.h>
#include <lark/framework/picture.h>
#include "lark/html/images/image_cache_p.h"
#include <lark/framework/limits.h>
#include <lark/html/render.h>
#include <lark/html/images/transparent_bitmap.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace lark;
using namespace lark::test;
using namespace Qt::StringLiterals;
using detail::ImageFileCache;
using detail::ImageFileError;

namespace {

const QColor kGround = Qt::green; // what the canvas holds before the paint
const QColor kMagenta = QColor(255, 0, 255);

// A width x height image of colour fill whose bottom-left pixel is corner.
QImage Solid(int width, int height, QColor fill, QColor corner)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    image.setPixelColor(0, height - 1, corner);
    return image;
}

// Colour fill inside a one-pixel frame of colour frame; the frame gives the
// bottom-left pixel, so it is the colour a transparent drawing leaves out.
QImage Framed(int width, int height, QColor frame, QColor fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(frame);
    QPainter painter(&image);
    painter.fillRect(1, 1, width - 2, height - 2, fill);
    return image;
}

//---- A PNG written byte by byte, so that its header can claim any size ----

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void AppendBigEndian(QByteArray& out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xFF));
}

QByteArray Chunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    AppendBigEndian(out, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    out += body;
    AppendBigEndian(out, Crc32(body));
    return out;
}

// An 8-bit grey PNG of the stated size whose pixel data is rawRows (filter
// byte and pixels per row); a few hundred bytes for any stated size.
QByteArray GreyPng(quint32 width, quint32 height, const QByteArray& rawRows)
{
    QByteArray header;
    AppendBigEndian(header, width);
    AppendBigEndian(header, height);
    header.append("\x08\x00\x00\x00\x00", 5); // depth 8, grey, deflate, no filter, no interlace
    // qCompress puts the length in front of the zlib stream.
    const QByteArray zlib = qCompress(rawRows).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", {});
}

// Rows of the tables below print as their name.
template <typename Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

//---- Fixture --------------------------------------------------------------

class ImageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ImageFileCache::Instance().Clear();
    }

    QString Path(const QString& name) const { return Dir.filePath(name); }
    QString Save(const QString& name, const QImage& image, const char* format)
    {
        const QString path = Path(name);
        EXPECT_TRUE(image.save(path, format)) << path.toStdString();
        return path;
    }
    QString WriteBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    void Parse(const QString& html) { Render.PrepareText(html, 10000, false); }
    TLarkHTMLItem* FirstImage()
    {
        for (const auto& item : Render.Data()->Items()) {
            if (item->ItemType() == hitBitmap)
                return item.get();
        }
        return nullptr;
    }
    // The current document painted at the top-left of a ground-coloured image.
    QImage Paint(QSize size = QSize(80, 40))
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(kGround);
        {
            TCanvas canvas(&image);
            const QRect area(QPoint(0, 0), size);
            Render.DrawText(canvas, {}, area, clNone, area);
        }
        return image;
    }
    QImage Resolve(const QString& source, bool* isBitmap = nullptr)
    {
        TPicture picture;
        Render.HandleImage(source, picture);
        if (isBitmap)
            *isBitmap = picture.IsBitmap();
        return picture.Image();
    }
    static std::string Review(const QImage& image, const char* name)
    {
        return "see " + SaveForReview(image, QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir Dir;
    TLarkHTMLRender Render;
};

//---- The img tag ------------------------------------------------------------

struct TagCase
{
    const char* name;
    const char16_t* tag;
    int width;  // -1: the tag makes no item
    int height;
};

// The application supplies a 20 x 10 picture for "pic" and none for others.
constexpr TagCase kTagCases[] = {
    { "SizeOfThePicture", u"<img src=pic>", 20, 10 },
    { "WidthGiven", u"<img src=pic width=5>", 5, 10 },
    { "NotANumberFallsBackToThePicture", u"<img src=pic width=abc height=3>", 20, 3 },
    { "NoPictureGivesZero", u"<img src=other>", 0, 0 },
    { "NoPictureKeepsGivenSizes", u"<img src=other width=4 height=6>", 4, 6 },
    { "WithoutSource", u"<img width=5>", -1, 0 },
    { "EmptySource", u"<img src=\"\" width=5>", -1, 0 },
    { "WithoutAttributes", u"<img>", -1, 0 },
};

class ImageTag : public ImageTest, public testing::WithParamInterface<TagCase>
{
};

TEST_P(ImageTag, SizesTheItem)
{
    Render.OnImageNeededEx = [](QObject*, const QString& src, TPicture* image) {
        if (src == u"pic")
            image->SetImage(Solid(20, 10, Qt::blue, Qt::blue));
    };
    Parse(QString::fromUtf16(GetParam().tag) + u"after"_s);
    TLarkHTMLItem* item = FirstImage();
    if (GetParam().width < 0) {
        EXPECT_EQ(item, nullptr);
        return;
    }
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FWidth, GetParam().width);
    EXPECT_EQ(item->FHeight, GetParam().height);
    EXPECT_TRUE(item->Transparent());
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageTag, testing::ValuesIn(kTagCases),
                         [](const auto& info) { return std::string(info.param.name); });

//---- Image list sources ---------------------------------------------------

struct IndexCase
{
    const char* name;
    const char16_t* source;
    int image; // index of the list image expected, -1 for none
};

constexpr IndexCase kIndexCases[] = {
    { "Lower", u"index:0", 0 },
    { "Capitals", u"INDEX:2", 2 },
    { "MixedCase", u"Index:1", 1 },
    { "OutOfRange", u"index:3", -1 },
    { "Negative", u"index:-1", -1 },
    { "NotANumber", u"index:a", -1 },
    { "Empty", u"index:", -1 },
};

class ImageListSource : public ImageTest, public testing::WithParamInterface<IndexCase>
{
};

TEST_P(ImageListSource, ResolvesWithoutEvents)
{
    const QColor colours[] = { Qt::red, Qt::blue, Qt::black };
    TCustomImageList list(8, 6);
    for (const QColor& colour : colours)
        list.Add(Solid(8, 6, colour, kMagenta));
    Render.SetImageList(&list);
    int events = 0;
    Render.OnBitmapNeeded = [&](QObject*, const QString&, TBitmap*&) { ++events; };
    Render.OnImageNeededEx = [&](QObject*, const QString&, TPicture*) { ++events; };

    Parse(u"<img src=\"%1\">x"_s.arg(QString::fromUtf16(GetParam().source)));
    const QImage image = Paint();
    TLarkHTMLItem* item = FirstImage();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(events, 0);
    if (GetParam().image < 0) {
        EXPECT_EQ(item->FWidth, 0);
        EXPECT_EQ(item->FHeight, 0);
        return;
    }
    EXPECT_EQ(item->FWidth, 8);
    EXPECT_EQ(item->FHeight, 6);
    // A list image is a bitmap: drawn with its magenta corner left out.
    const QColor expected = colours[GetParam().image];
    EXPECT_TRUE(RegionIs(image, QRect(1, 0, 7, 6), expected)) << Review(image, GetParam().name);
    EXPECT_EQ(image.pixelColor(0, 5), kGround);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageListSource, testing::ValuesIn(kIndexCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageTest, IndexWithoutImageListStaysEmpty)
{
    EXPECT_TRUE(Resolve(u"index:0"_s).isNull());
}

//---- Files and resources that give nothing --------------------------------

TEST_F(ImageTest, MissingFileKeepsItsBox)
{
    Parse(u"<img src=\"file:%1\" width=20 height=10>x"_s.arg(Path(u"missing.bmp"_s)));
    const QImage image = Paint();
    TLarkHTMLItem* item = FirstImage();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->FWidth, 20);
    EXPECT_EQ(item->FHeight, 10);
    // The line advances past the empty box and one pixel more.
    EXPECT_EQ(item->Left(), 21);
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 20, 10), kGround));

    Parse(u"<img src=\"file:%1\">"_s.arg(Path(u"missing.bmp"_s)));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->FWidth, 0);
    EXPECT_EQ(FirstImage()->FHeight, 0);
}

TEST_F(ImageTest, SourcesThatNameNoImageRaiseNoEvent)
{
    int events = 0;
    Render.OnImageNeededEx = [&](QObject*, const QString&, TPicture*) { ++events; };
    for (const QString& source : { u"file:"_s, u"FILE:nothing-here.png"_s, u"res:no-such-resource"_s,
                                   u"Res:"_s }) {
        SCOPED_TRACE(source.toStdString());
        EXPECT_TRUE(Resolve(source).isNull());
    }
    EXPECT_EQ(events, 0);
}

TEST_F(ImageTest, FileNameIsRelativeToTheCurrentDirectory)
{
    Save(u"dot.png"_s, Solid(3, 2, Qt::blue, Qt::blue), "PNG");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Dir.path()));
    const QImage image = Resolve(u"file:dot.png"_s);
    QDir::setCurrent(previous);
    EXPECT_EQ(image.size(), QSize(3, 2));
}

//---- Images from the application ------------------------------------------

enum class Answer { Nothing, Bitmap, Throw };

struct EventCase
{
    const char* name;
    bool bitmapHandler;
    Answer bitmapAnswer;
    bool imageHandler;
    Answer imageAnswer;
    const char* events;  // the events raised, in order
    QRgb colour;         // the picture's colour; 0 for an empty picture
};

// The bitmap handler answers in red, the image handler in blue.
constexpr EventCase kEventCases[] = {
    { "BitmapAnswers", true, Answer::Bitmap, true, Answer::Bitmap, "bitmap ", 0xFFFF0000 },
    { "BitmapDeclines", true, Answer::Nothing, true, Answer::Bitmap, "bitmap image ", 0xFF0000FF },
    { "BitmapThrows", true, Answer::Throw, true, Answer::Bitmap, "bitmap image ", 0xFF0000FF },
    { "OnlyImageHandler", false, Answer::Nothing, true, Answer::Bitmap, "image ", 0xFF0000FF },
    { "ImageThrows", false, Answer::Nothing, true, Answer::Throw, "image ", 0 },
    { "NobodyAnswers", true, Answer::Nothing, true, Answer::Nothing, "bitmap image ", 0 },
    { "NoHandlers", false, Answer::Nothing, false, Answer::Nothing, "", 0 },
};

class ApplicationImages : public ImageTest, public testing::WithParamInterface<EventCase>
{
};

TEST_P(ApplicationImages, EventOrderAndExceptions)
{
    const EventCase& c = GetParam();
    std::string events;
    TBitmap own;
    own.SetImage(Solid(4, 3, Qt::red, Qt::red));
    if (c.bitmapHandler) {
        Render.OnBitmapNeeded = [&](QObject* sender, const QString& src, TBitmap*& image) {
            EXPECT_EQ(sender, &Render);
            EXPECT_EQ(src, u"logo"_s);
            EXPECT_EQ(image, nullptr);
            events += "bitmap ";
            if (c.bitmapAnswer == Answer::Bitmap)
                image = &own;
            if (c.bitmapAnswer == Answer::Throw)
                throw std::runtime_error("no bitmap");
        };
    }
    if (c.imageHandler) {
        Render.OnImageNeededEx = [&](QObject* sender, const QString& src, TPicture* image) {
            EXPECT_EQ(sender, &Render);
            EXPECT_EQ(src, u"logo"_s);
            events += "image ";
            if (c.imageAnswer == Answer::Throw)
                throw std::runtime_error("no such image");
            if (c.imageAnswer == Answer::Bitmap)
                image->SetImage(Solid(4, 3, Qt::blue, Qt::blue));
        };
    }
    bool isBitmap = false;
    const QImage image = Resolve(u"logo"_s, &isBitmap);
    EXPECT_EQ(events, c.events);
    if (c.colour == 0) {
        EXPECT_TRUE(image.isNull());
        return;
    }
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(1, 1), c.colour);
    // The handler keeps its bitmap; the picture has a copy of it.
    EXPECT_EQ(isBitmap, c.bitmapAnswer == Answer::Bitmap);
    EXPECT_FALSE(own.Empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ApplicationImages, testing::ValuesIn(kEventCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageTest, EventsAreRaisedOnParseAndOnEveryPaint)
{
    std::vector<QString> asked;
    Render.OnImageNeededEx = [&](QObject*, const QString& src, TPicture* image) {
        asked.push_back(src);
        image->SetImage(Solid(5, 4, Qt::blue, Qt::blue));
    };
    Parse(u"<img src=app:one> <img src=two width=7>"_s);
    EXPECT_EQ(asked, (std::vector<QString>{ u"app:one"_s, u"two"_s }));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->FWidth, 5);
    asked.clear();
    Paint();
    Paint();
    EXPECT_EQ(asked, (std::vector<QString>{ u"app:one"_s, u"two"_s, u"app:one"_s, u"two"_s }));
}

//---- Drawing --------------------------------------------------------------

struct TransparencyCase
{
    const char* name;
    const char16_t* attributes;
    bool magentaShows;
};

constexpr TransparencyCase kTransparencyCases[] = {
    { "TransparentByDefault", u"", false },
    { "Solid", u"transparent=solid", true },
    { "SolidIsCaseSensitive", u"transparent=SOLID", false },
    { "AnyOtherValue", u"transparent=no", false },
};

class MagentaTransparency : public ImageTest, public testing::WithParamInterface<TransparencyCase>
{
};

// A 10 x 8 bitmap: a magenta frame around black; given a 20 x 16 box.
TEST_P(MagentaTransparency, BitmapKeyOrStretch)
{
    const QString path = Save(u"framed.bmp"_s, Framed(10, 8, kMagenta, Qt::black), "BMP");
    Parse(u"<img src=\"file:%1\" width=20 height=16 %2>"_s.arg(path, QString::fromUtf16(GetParam().attributes)));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->Transparent(), !GetParam().magentaShows);
    const QImage image = Paint();
    const char* name = GetParam().name;
    if (GetParam().magentaShows) {
        // Stretched over the whole box, frame included.
        EXPECT_TRUE(RegionIs(image, QRect(0, 0, 20, 2), kMagenta)) << Review(image, name);
        EXPECT_TRUE(RegionIs(image, QRect(2, 2, 16, 12), Qt::black)) << Review(image, name);
        return;
    }
    // Unscaled at the top-left, the frame showing the ground.
    EXPECT_EQ(CountPixels(image, image.rect(), kMagenta), 0) << Review(image, name);
    EXPECT_TRUE(RegionIs(image, QRect(1, 1, 8, 6), Qt::black)) << Review(image, name);
    EXPECT_EQ(CountPixels(image, image.rect(), Qt::black), 8 * 6) << Review(image, name);
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 10, 1), kGround)) << Review(image, name);
}

INSTANTIATE_TEST_SUITE_P(Rows, MagentaTransparency, testing::ValuesIn(kTransparencyCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FormatCase
{
    const char* name;
    const char* format;
    bool stretched;
};

constexpr FormatCase kFormatCases[] = {
    { "Png", "PNG", true },
    { "Bmp", "BMP", false },
};

class ImageFormats : public ImageTest, public testing::WithParamInterface<FormatCase>
{
};

// A 4 x 2 picture, red left half, blue right half, magenta corner, in a box
// 20 x 10. "transparent" is not given, so images count as transparent; only
// bitmaps are drawn that way.
TEST_P(ImageFormats, PngIsAlwaysStretched)
{
    QImage picture = Solid(4, 2, Qt::red, kMagenta);
    QPainter(&picture).fillRect(2, 0, 2, 2, Qt::blue);
    const QString path = Save(u"halves"_s, picture, GetParam().format);
    Parse(u"<img src=\"file:%1\" width=20 height=10>"_s.arg(path));
    const QImage image = Paint();
    const char* name = GetParam().name;
    if (GetParam().stretched) {
        // Each source pixel becomes a 5 x 5 square.
        EXPECT_TRUE(RegionIs(image, QRect(0, 0, 10, 5), Qt::red)) << Review(image, name);
        EXPECT_TRUE(RegionIs(image, QRect(0, 5, 5, 5), kMagenta)) << Review(image, name);
        EXPECT_TRUE(RegionIs(image, QRect(5, 5, 5, 5), Qt::red)) << Review(image, name);
        EXPECT_TRUE(RegionIs(image, QRect(10, 0, 10, 10), Qt::blue)) << Review(image, name);
        return;
    }
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 2, 1), Qt::red)) << Review(image, name);
    EXPECT_TRUE(RegionIs(image, QRect(2, 0, 2, 2), Qt::blue)) << Review(image, name);
    EXPECT_TRUE(RegionIs(image, QRect(4, 0, 16, 10), kGround)) << Review(image, name);
    EXPECT_EQ(CountPixels(image, image.rect(), kMagenta), 0) << Review(image, name);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageFormats, testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

// 20 x 10: red columns 0-9, blue columns 10-19, magenta corner.
TEST_F(ImageTest, TransparentBitmapIsCroppedNotScaled)
{
    QImage picture = Solid(20, 10, Qt::red, kMagenta);
    QPainter(&picture).fillRect(10, 0, 10, 10, Qt::blue);
    const QString path = Save(u"wide.bmp"_s, picture, "BMP");
    struct Row
    {
        const char* name;
        int width;
        int height;
        int red;
        int blue;
    };
    const Row rows[] = {
        { "Narrower", 10, 10, 10 * 10 - 1, 0 },
        { "Lower", 20, 4, 10 * 4, 10 * 4 },
        { "WiderThanTheBitmap", 40, 10, 10 * 10 - 1, 10 * 10 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Parse(u"<img src=\"file:%1\" width=%2 height=%3>"_s.arg(path).arg(row.width).arg(row.height));
        const QImage image = Paint();
        EXPECT_EQ(CountPixels(image, image.rect(), Qt::red), row.red) << Review(image, row.name);
        EXPECT_EQ(CountPixels(image, image.rect(), Qt::blue), row.blue) << Review(image, row.name);
    }
}

TEST_F(ImageTest, LineGapPlacesBothKindsOfPicture)
{
    Render.Data()->SetLineGap(3);
    const QString bitmap = Save(u"b.bmp"_s, Solid(6, 5, Qt::red, kMagenta), "BMP");
    const QString png = Save(u"p.png"_s, Solid(6, 5, Qt::blue, Qt::blue), "PNG");
    Parse(u"<img src=\"file:%1\"><img src=\"file:%2\">"_s.arg(bitmap, png));
    const QImage image = Paint();
    // The line is 5 + 3 high. The bitmap hangs from the line's top plus the
    // gap; the stretched picture is as high as its box (gap included) and
    // stands on the line's bottom plus the gap.
    EXPECT_TRUE(RegionIs(image, QRect(1, 3, 5, 5), Qt::red)) << Review(image, "gap");
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 6, 3), kGround));
    EXPECT_TRUE(RegionIs(image, QRect(7, 3, 6, 8), Qt::blue)) << Review(image, "gap");
    EXPECT_TRUE(RegionIs(image, QRect(7, 0, 6, 3), kGround));
}

// Sizes from the markup may be anything; drawing stays within the surface.
TEST_F(ImageTest, ExtremeBoxSizesDrawSafely)
{
    const QString path = Save(u"small.bmp"_s, Solid(6, 4, Qt::red, kMagenta), "BMP");
    struct Row
    {
        const char* name;
        const char* attributes;
        bool drawn;
    };
    const Row rows[] = {
        { "HugeTransparent", "width=2147483647 height=2147483647", true },
        { "HugeSolid", "width=2147483647 height=2147483647 transparent=solid", true },
        { "NegativeTransparent", "width=-5 height=-7", false },
        { "NegativeSolid", "width=-5 height=-7 transparent=solid", false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Parse(u"<img src=\"file:%1\" %2>"_s.arg(path, QString::fromLatin1(row.attributes)));
        const QImage image = Paint();
        EXPECT_EQ(CountPixels(image, image.rect(), Qt::red) > 0, row.drawn) << Review(image, row.name);
    }
    // Unscaled, a transparent bitmap shows all of itself but its key colour.
    Parse(u"<img src=\"file:%1\" %2>"_s.arg(path, QString::fromLatin1(rows[0].attributes)));
    EXPECT_EQ(CountPixels(Paint(), QRect(0, 0, 6, 4), Qt::red), 6 * 4 - 1);
}

TEST_F(ImageTest, DrawTransparentBitmapKeepsTheCanvasUnderTheKeyColour)
{
    TBitmap bitmap;
    bitmap.SetImage(Framed(6, 6, kMagenta, Qt::black));
    const QImage before = bitmap.Image();
    EXPECT_EQ(BitmapTransparentColor(bitmap), clFuchsia);
    QImage target(12, 12, QImage::Format_RGB32);
    target.fill(kGround);
    {
        TCanvas canvas(&target);
        // Only columns and rows 1..4 of the bitmap, drawn at (2, 3).
        DrawTransparentBitmap(canvas, bitmap, 2, 3, QRect(1, 1, 4, 5), clFuchsia);
    }
    EXPECT_TRUE(RegionIs(target, QRect(2, 3, 4, 4), Qt::black)) << Review(target, "direct");
    EXPECT_EQ(CountPixels(target, target.rect(), Qt::black), 16);
    EXPECT_EQ(CountPixels(target, target.rect(), kMagenta), 0);
    EXPECT_TRUE(bitmap.Image() == before);
}

TEST_F(ImageTest, FullyTransparentCornerKeysNoColour)
{
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    picture.setPixel(0, 3, 0);
    TBitmap bitmap;
    bitmap.SetImage(picture);
    EXPECT_EQ(BitmapTransparentColor(bitmap), clNone);
    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(kGround);
    {
        TCanvas canvas(&target);
        DrawTransparentBitmap(canvas, bitmap, 0, 0, QRect(0, 0, 4, 4), BitmapTransparentColor(bitmap));
    }
    EXPECT_EQ(CountPixels(target, target.rect(), Qt::black), 15);
    EXPECT_EQ(target.pixelColor(0, 3), kGround);
}

//---- The image file cache -------------------------------------------------

TEST_F(ImageTest, RepaintDoesNotDecodeAgain)
{
    const QString path = Save(u"c.png"_s, Solid(5, 5, Qt::blue, Qt::blue), "PNG");
    const ImageFileCache::Statistics start = ImageFileCache::Instance().Stats();
    Parse(u"<img src=\"file:%1\"> <img src=\"file:%1\">"_s.arg(path));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CountPixels(Paint(), QRect(0, 0, 80, 40), Qt::blue), 2 * 5 * 5);
    const ImageFileCache::Statistics& now = ImageFileCache::Instance().Stats();
    EXPECT_EQ(now.Decodes - start.Decodes, 1);
    EXPECT_EQ(now.Hits - start.Hits, 1 + 3 * 2);
}

enum class Change { None, Size, ModifiedTime };

struct CacheCase
{
    const char* name;
    Change change;
    QColor shown; // after the file was rewritten in blue
};

const CacheCase kCacheCases[] = {
    { "SameSizeAndTimeKeepsTheDecodedPicture", Change::None, Qt::red },
    { "OtherSize", Change::Size, Qt::blue },
    { "OtherModificationTime", Change::ModifiedTime, Qt::blue },
};

class ImageCache : public ImageTest, public testing::WithParamInterface<CacheCase>
{
};

// BMP files of one size have the same number of bytes, so only the content
// differs unless the row says otherwise.
TEST_P(ImageCache, ChangedFileIsDecodedAgain)
{
    const QString path = Save(u"changing.bmp"_s, Solid(6, 6, Qt::red, Qt::red), "BMP");
    const QDateTime written = QDateTime::fromSecsSinceEpoch(1700000000);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    }
    Parse(u"<img src=\"file:%1\" width=6 height=6 transparent=solid>"_s.arg(path));
    EXPECT_TRUE(RegionIs(Paint(), QRect(0, 0, 6, 6), Qt::red));

    const int width = GetParam().change == Change::Size ? 7 : 6;
    Save(u"changing.bmp"_s, Solid(width, 6, Qt::blue, Qt::blue), "BMP");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime modified = GetParam().change == Change::ModifiedTime ? written.addSecs(60) : written;
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    const QImage image = Paint();
    EXPECT_TRUE(RegionIs(image, QRect(0, 0, 6, 6), GetParam().shown)) << Review(image, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImageCache, testing::ValuesIn(kCacheCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageTest, CacheStaysWithinItsEntryLimit)
{
    const QString path = Save(u"one.png"_s, Solid(2, 2, Qt::red, Qt::red), "PNG");
    for (int i = 0; i < limits::kImageCacheEntries + 5; ++i) {
        const QString copy = Path(u"copy%1.png"_s.arg(i));
        ASSERT_TRUE(QFile::copy(path, copy));
        detail::DecodedImage picture;
        EXPECT_EQ(ImageFileCache::Instance().Load(copy, picture), ImageFileError::None);
    }
    EXPECT_EQ(ImageFileCache::Instance().Count(), limits::kImageCacheEntries);
}

//---- Files that are not safe to read --------------------------------------

TEST_F(ImageTest, NonRegularFilesAreRefusedWithoutBlocking)
{
    // Nobody ever writes to the FIFO: opening it for reading would wait.
    const QString fifo = Path(u"pipe"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString sources[] = { fifo, u"/dev/zero"_s, Dir.path() };
    for (const QString& source : sources) {
        SCOPED_TRACE(source.toStdString());
        detail::DecodedImage picture;
        EXPECT_EQ(ImageFileCache::Instance().Load(source, picture), ImageFileError::NotRegularFile);
        EXPECT_TRUE(picture.Image.isNull());
        Parse(u"<img src=\"file:%1\" width=20 height=10>x"_s.arg(source));
        ASSERT_NE(FirstImage(), nullptr);
        EXPECT_EQ(FirstImage()->FWidth, 20);
        EXPECT_TRUE(RegionIs(Paint(), QRect(0, 0, 20, 10), kGround));
    }
}

TEST_F(ImageTest, FileLargerThanTheCapIsRefused)
{
    const QString path = Save(u"big.bmp"_s, Solid(4, 4, Qt::blue, Qt::blue), "BMP");
    detail::DecodedImage picture;
    ASSERT_EQ(ImageFileCache::Instance().Load(path, picture), ImageFileError::None);
    // Trailing bytes do not stop a BMP from decoding; only the size refuses it.
    ASSERT_TRUE(QFile::resize(path, limits::kMaxImageFileBytes + 1));
    EXPECT_EQ(ImageFileCache::Instance().Load(path, picture), ImageFileError::TooLarge);
    EXPECT_TRUE(picture.Image.isNull());
    Parse(u"<img src=\"file:%1\">"_s.arg(path));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->FWidth, 0);
}

struct BombCase
{
    const char* name;
    quint32 width;
    quint32 height;
    ImageFileError error;
};

constexpr BombCase kBombCases[] = {
    { "ValidSmallPicture", 1, 1, ImageFileError::None },
    { "HundredThousandSquare", 100000, 100000, ImageFileError::TooManyPixels },
    { "OneSideTooLong", limits::kMaxImageSide + 1, 1, ImageFileError::TooManyPixels },
    { "TooManyPixelsWithinTheSideCap", 12000, 12000, ImageFileError::TooManyPixels },
};

class DecompressionBomb : public ImageTest, public testing::WithParamInterface<BombCase>
{
};

// The header claims the size; the data is one real row of one grey pixel,
// so that only the size check can tell the rows apart.
TEST_P(DecompressionBomb, LeavesThePictureEmpty)
{
    const BombCase& c = GetParam();
    const QString path = WriteBytes(u"bomb.png"_s, GreyPng(c.width, c.height, QByteArray("\x00\x80", 2)));
    detail::DecodedImage picture;
    EXPECT_EQ(ImageFileCache::Instance().Load(path, picture), c.error);
    Parse(u"<img src=\"file:%1\">"_s.arg(path));
    ASSERT_NE(FirstImage(), nullptr);
    EXPECT_EQ(FirstImage()->FWidth, c.error == ImageFileError::None ? 1 : 0);
    EXPECT_EQ(picture.Image.isNull(), c.error != ImageFileError::None);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecompressionBomb, testing::ValuesIn(kBombCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
