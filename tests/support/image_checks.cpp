#include "image_checks.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

namespace lark::test {
namespace {
bool Near(QRgb p, QColor c, int tol)
{
    return std::abs(qRed(p) - c.red()) <= tol && std::abs(qGreen(p) - c.green()) <= tol
        && std::abs(qBlue(p) - c.blue()) <= tol;
}
} // namespace

int CountPixels(const QImage& img, const QRect& r, QColor c, int tolerance)
{
    const QRect area = r.intersected(img.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Near(img.pixel(x, y), c, tolerance))
                ++n;
    return n;
}

bool RegionIs(const QImage& img, const QRect& r, QColor c, int tolerance)
{
    const QRect area = r.intersected(img.rect());
    return !area.isEmpty() && CountPixels(img, area, c, tolerance) == area.width() * area.height();
}

QRect InkBounds(const QImage& img, const QRect& r, QColor bg, int tolerance)
{
    const QRect area = r.intersected(img.rect());
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!Near(img.pixel(x, y), bg, tolerance))
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage GrabRGB32(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Filled(int width, int height, QColor colour, QImage::Format format)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

QString SaveForReview(const QImage& img, const QString& name)
{
    QDir dir(QDir::current().filePath(QStringLiteral("test-output")));
    dir.mkpath(QStringLiteral("."));
    const QString path = dir.filePath(QStringLiteral("failed-%1.png").arg(name));
    img.save(path);
    return path;
}

} // namespace lark::test
