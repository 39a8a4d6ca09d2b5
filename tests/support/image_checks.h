#pragma once
// Pixel probes for rendering tests. Compare relations (a colour is present in a
// region, a region is empty) rather than whole images, so that a font hinting
// difference does not fail a test; on failure the image is saved for review.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

namespace lark::test {

// Number of pixels in r whose colour is within tolerance of c.
int CountPixels(const QImage& img, const QRect& r, QColor c, int tolerance = 0);
// True when every pixel in r has colour c (within tolerance).
bool RegionIs(const QImage& img, const QRect& r, QColor c, int tolerance = 0);
// Bounding box of pixels in r that differ from the background colour bg.
QRect InkBounds(const QImage& img, const QRect& r, QColor bg, int tolerance = 16);
// Saves img under the build's test-output folder and returns the path, for
// failure messages ("see /…/failed-<name>.png").
QString SaveForReview(const QImage& img, const QString& name);

// The widget as painted now (QWidget::grab, children included), in the
// RGB32 format the probes read.
QImage GrabRGB32(QWidget& widget);
// An image of one colour.
QImage Filled(int width, int height, QColor colour, QImage::Format format = QImage::Format_RGB32);

} // namespace lark::test
