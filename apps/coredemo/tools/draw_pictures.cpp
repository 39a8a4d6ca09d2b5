// Draws the two pictures the demo's panel page shows by file name into the
// folder given: logo.png (a lark over a sunrise, with the library's name)
// and sample.png (a small landscape). Run through the target
// coredemo-pictures-update; the results are committed.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void DrawLark(QPainter& p, QPointF at, double scale, const QColor& colour)
{
    // A bird in flight: two wing arcs meeting at the body.
    QPainterPath bird;
    bird.moveTo(at + QPointF(-24, -4) * scale);
    bird.quadTo(at + QPointF(-12, -16) * scale, at);
    bird.quadTo(at + QPointF(12, -18) * scale, at + QPointF(26, -8) * scale);
    bird.quadTo(at + QPointF(12, -10) * scale, at + QPointF(2, 4) * scale);
    bird.quadTo(at + QPointF(-10, -8) * scale, at + QPointF(-24, -4) * scale);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(bird);
}

QImage Logo()
{
    QImage image(160, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(QPointF(32, 58), 40);
    sun.setColorAt(0, QColor(0xFF, 0xD2, 0x4A));
    sun.setColorAt(0.6, QColor(0xFF, 0x9A, 0x2E));
    sun.setColorAt(1, QColor(0xFF, 0x9A, 0x2E, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 58), 40, 40);
    DrawLark(p, QPointF(34, 30), 0.9, QColor(0x2B, 0x3A, 0x55));
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x2B, 0x3A, 0x55));
    p.drawText(QRect(66, 8, 94, 28), Qt::AlignLeft | Qt::AlignVCenter, u"Lark"_s);
    font.setPixelSize(12);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(0xC0, 0x5A, 0x10));
    p.drawText(QRect(67, 34, 94, 18), Qt::AlignLeft | Qt::AlignVCenter, u"HTML controls"_s);
    return image;
}

QImage Sample()
{
    QImage image(120, 80, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 50);
    sky.setColorAt(0, QColor(0x5A, 0x9B, 0xE6));
    sky.setColorAt(1, QColor(0xCD, 0xE6, 0xFA));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF0, 0xA0));
    p.drawEllipse(QPointF(92, 18), 9, 9);
    QPainterPath far;
    far.moveTo(0, 56);
    far.cubicTo(30, 30, 50, 34, 70, 50);
    far.cubicTo(85, 40, 105, 36, 120, 48);
    far.lineTo(120, 80);
    far.lineTo(0, 80);
    p.setBrush(QColor(0x6F, 0x9E, 0x6A));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 66);
    near.cubicTo(40, 54, 80, 60, 120, 64);
    near.lineTo(120, 80);
    near.lineTo(0, 80);
    p.setBrush(QColor(0x3E, 0x7A, 0x3A));
    p.drawPath(near);
    DrawLark(p, QPointF(40, 24), 0.45, QColor(0x20, 0x28, 0x38));
    p.setPen(QPen(QColor(0x20, 0x28, 0x38), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 119, 79));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: coredemo-pictures FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const auto& [name, image] : { std::pair{ u"logo.png"_s, Logo() }, std::pair{ u"sample.png"_s, Sample() } }) {
        const QString path = folder.filePath(name);
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "coredemo-pictures: cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
        std::printf("%s\n", qUtf8Printable(path));
    }
    return 0;
}
