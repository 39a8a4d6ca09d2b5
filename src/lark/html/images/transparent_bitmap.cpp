// Bitmaps drawn with one colour left out.
//
// The pixels of the wanted part that have the transparent colour are made
// fully transparent in a copy, and the copy is blended onto the canvas: the
// canvas keeps its pixels there and takes the bitmap's everywhere else,
// unscaled. Only the part that can reach the canvas is copied.
#include <lark/framework/canvas.h>
#include <lark/framework/picture.h>
#include <lark/html/images/transparent_bitmap.h>
#include <lark/framework/saturate.h>

#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdint>

namespace lark {

namespace {

// System colours resolve through the widget painted on, or the application.
const QWidget* PaletteSource(const TCanvas& canvas)
{
    const QPaintDevice* device = canvas.Device();
    if (device && device->devType() == QInternal::Widget)
        return static_cast<const QWidget*>(device);
    return nullptr;
}

// Makes every pixel of colour key fully transparent; key is 0xRRGGBB.
void LeaveOut(QImage& image, QRgb key)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
        }
    }
}

} // namespace

void DrawTransparentBitmap(TCanvas& dc, const TBitmap& bitmap, int x, int y, const QRect& rect, TColor transColor)
{
    const QImage& image = bitmap.Image();
    // Rect and the canvas count logical pixels; a high-DPI bitmap (an image
    // list's twice-sized twin) has ratio device pixels to each.
    const qreal ratio = image.devicePixelRatio();
    // Only what the bitmap has can be drawn, each pixel where Rect puts it.
    const QRect source = rect.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
    if (source.isEmpty())
        return;
    const std::int64_t targetX = std::int64_t(x) + source.x() - rect.x();
    const std::int64_t targetY = std::int64_t(y) + source.y() - rect.y();
    const QRect reach = dc.ClipRect();
    const std::int64_t left = std::max<std::int64_t>(targetX, reach.left());
    const std::int64_t top = std::max<std::int64_t>(targetY, reach.top());
    const std::int64_t right = std::min<std::int64_t>(targetX + source.width(), std::int64_t(reach.right()) + 1);
    const std::int64_t bottom = std::min<std::int64_t>(targetY + source.height(), std::int64_t(reach.bottom()) + 1);
    if (left >= right || top >= bottom)
        return;
    QPainter* painter = dc.Painter();
    if (!painter)
        return;

    const QRect visible(source.x() + SaturatingInt(left - targetX), source.y() + SaturatingInt(top - targetY),
                        SaturatingInt(right - left), SaturatingInt(bottom - top));
    // Straight (not premultiplied) alpha, so that colours compare as written.
    const QRect pixels = ratio == 1.0 ? visible
                                      : QRect(QPointF(visible.topLeft() * ratio).toPoint(),
                                              (QSizeF(visible.size()) * ratio).toSize());
    QImage part = image.copy(pixels).convertToFormat(QImage::Format_ARGB32);
    part.setDevicePixelRatio(ratio);
    if (transColor != clNone) {
        const QColor key = ToQColor(ColorToRGB(transColor, PaletteSource(dc)));
        LeaveOut(part, key.rgb() & 0x00FFFFFFu);
    }
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawImage(QPoint(SaturatingInt(left), SaturatingInt(top)), part);
    painter->setCompositionMode(mode);
}

TColor BitmapTransparentColor(const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return clNone;
    const QImage& image = bitmap.Image();
    const QImage corner = image.copy(0, image.height() - 1, 1, 1).convertToFormat(QImage::Format_ARGB32);
    const QRgb pixel = corner.pixel(0, 0);
    if (qAlpha(pixel) == 0)
        return clNone;
    return FromQColor(QColor::fromRgb(pixel));
}

} // namespace lark
