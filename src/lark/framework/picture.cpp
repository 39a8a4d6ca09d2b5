#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/picture.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {

namespace detail {

QImage ReadImageFile(const QString& path, bool* isBitmap)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(u"Cannot open file \"%1\". %2"_s.arg(path, file.errorString()));
    QImageReader reader(&file);
    // Ask before reading: the format is detected from the data's start.
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(u"Cannot read the image in \"%1\": %2"_s.arg(path, reader.errorString()));
    if (isBitmap)
        *isBitmap = format == "bmp" || format == "dib";
    return image;
}

} // namespace detail

namespace {

// QPainter cannot draw on indexed or 1-bit images.
QImage Paintable(const QImage& image)
{
    if (image.isNull())
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::EndPainting() const
{
    if (FCanvas)
        FCanvas->Release();
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas) {
        FImage = Paintable(FImage);
        FCanvas = std::make_unique<TCanvas>(&FImage);
    }
    return *FCanvas;
}

const QImage& TBitmap::Image() const
{
    EndPainting();
    return FImage;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    EndPainting();
    if (width == 0 || height == 0) {
        FImage = QImage();
        return;
    }
    QImage resized(width, height, FImage.isNull() ? QImage::Format_RGB32 : Paintable(FImage).format());
    if (resized.isNull())
        return; // not enough memory for that size: keep the old image
    resized.fill(Qt::white);
    if (!FImage.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), FImage);
    }
    FImage = resized;
}

void TBitmap::SetImage(const QImage& image)
{
    EndPainting();
    FImage = FCanvas ? Paintable(image) : image;
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source != this)
        SetImage(source.Image());
}

void TBitmap::LoadFromFile(const QString& path)
{
    SetImage(detail::ReadImageFile(path, nullptr));
}

void TBitmap::LoadFromResourceName(const QString& name)
{
    for (const QString& suffix : { QString(), u".bmp"_s, u".png"_s }) {
        const QString path = u":/"_s + name + suffix;
        if (QFile::exists(path)) {
            LoadFromFile(path);
            return;
        }
    }
    throw EResNotFound(u"Resource %1 not found"_s.arg(name));
}

TColor TBitmap::TransparentColor() const
{
    if (Empty())
        return clNone;
    return FromQColor(QColor::fromRgb(Image().pixel(0, Height() - 1)));
}

TPicture::TPicture(QObject* parent)
    : QObject(parent)
{
}

TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
    Q_EMIT changed();
}

void TPicture::SetImage(const QImage& image, bool isBitmap)
{
    FBitmap.SetImage(image);
    FIsBitmap = isBitmap;
    Changed();
}

TBitmap& TPicture::Bitmap()
{
    if (!FIsBitmap) {
        FBitmap.SetImage(QImage());
        FIsBitmap = true;
        Changed();
    }
    return FBitmap;
}

void TPicture::LoadFromFile(const QString& path)
{
    bool isBitmap = false;
    const QImage image = detail::ReadImageFile(path, &isBitmap);
    SetImage(image, isBitmap);
}

void TPicture::Assign(const TPicture& source)
{
    if (&source != this)
        SetImage(source.Image(), source.IsBitmap());
}

void TPicture::Assign(const TBitmap& source)
{
    SetImage(source.Image(), true);
}

void TPicture::Clear()
{
    SetImage(QImage(), false);
}

} // namespace lark
