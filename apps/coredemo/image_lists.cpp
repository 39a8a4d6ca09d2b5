#include "image_lists.h"

#include <lark/framework/image_list.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

using Drawing = std::function<void(QPainter&)>;

QImage Draw(const Drawing& drawing)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    return image;
}

void Document(QPainter& p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x4A, 0x5A, 0x70), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QColor(0x7A, 0x9C, 0xC6));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(QPointF(5.5, y + 0.5), QPointF(11.5, y + 0.5));
}

void Folder(QPainter& p)
{
    p.setPen(QPen(QColor(0x9A, 0x6A, 0x10), 1));
    p.setBrush(QColor(0xF2, 0xC2, 0x4E));
    p.drawRoundedRect(QRectF(1.5, 3.5, 6, 3), 1, 1);
    QLinearGradient body(0, 5, 0, 14);
    body.setColorAt(0, QColor(0xFF, 0xDE, 0x7A));
    body.setColorAt(1, QColor(0xE8, 0xAE, 0x2C));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 8.5), 1, 1);
}

void Star(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 3.0 : 7.0;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
    }
    p.setPen(QPen(QColor(0xB0, 0x70, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xC8, 0x20));
    p.drawPolygon(star);
}

void Check(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x9E, 0x48));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({ QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5) }));
}

void Globe(QPainter& p)
{
    QRadialGradient sea(QPointF(6, 6), 9);
    sea.setColorAt(0, QColor(0x8E, 0xCB, 0xFF));
    sea.setColorAt(1, QColor(0x1C, 0x6C, 0xC8));
    p.setPen(QPen(QColor(0x15, 0x4A, 0x8A), 1));
    p.setBrush(sea);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
}

} // namespace

TfrmImages::TfrmImages(QObject* parent)
    : QObject(parent)
    , FImageList(new TCustomImageList(16, 16, this))
{
    setObjectName(u"frmImages"_s);
    FImageList->setObjectName(u"ImageList"_s);
    for (const Drawing& drawing : { Drawing(Document), Drawing(Folder), Drawing(Star), Drawing(Check),
                                    Drawing(Globe) })
        FImageList->Add(Draw(drawing));
}

} // namespace lark
