#include <lark/framework/canvas.h>

#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace lark {

namespace {

// Dash patterns of one-pixel pens, in pixels on / off, as the classic
// desktop draws them.
QList<qreal> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash:
        return { 18, 6 };
    case psDot:
        return { 3, 3 };
    case psDashDot:
        return { 9, 6, 3, 6 };
    case psDashDotDot:
        return { 9, 3, 3, 3, 3, 3 };
    default:
        return {};
    }
}

int CellTop(unsigned align, int y, const QFontMetrics& metrics)
{
    switch (align & TA_BASELINE) {
    case TA_BASELINE:
        return y - metrics.ascent();
    case TA_BOTTOM:
        return y - metrics.height();
    default:
        return y;
    }
}

} // namespace

void TBrush::SetColor(TColor value)
{
    FColor = value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
}

TCanvas::TCanvas(QPaintDevice* device)
    : FDevice(device)
{
    QObject::connect(&FFont, &TFont::changed, &FFont, [this] { FMetrics.reset(); });
}

TCanvas::TCanvas(QPainter* painter)
    : FExternal(painter)
{
    QObject::connect(&FFont, &TFont::changed, &FFont, [this] { FMetrics.reset(); });
}

TCanvas::~TCanvas() = default;

QPaintDevice* TCanvas::Device() const
{
    if (FExternal)
        return FExternal->device();
    return FDevice;
}

QPainter* TCanvas::Painter()
{
    return ActivePainter();
}

QPainter* TCanvas::ActivePainter()
{
    if (FExternal)
        return FExternal->isActive() ? FExternal : nullptr;
    if (FOwned)
        return FOwned.get();
    if (!FDevice)
        return nullptr;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(FDevice))
        return nullptr;
    if (FClip)
        painter->setClipRect(*FClip);
    FOwned = std::move(painter);
    return FOwned.get();
}

void TCanvas::Release()
{
    FOwned.reset();
}

const QWidget* TCanvas::ColorSource() const
{
    const QPaintDevice* device = Device();
    if (device && device->devType() == QInternal::Widget)
        return static_cast<const QWidget*>(device);
    return nullptr;
}

QColor TCanvas::Resolve(TColor color) const
{
    return ToQColor(color, ColorSource());
}

void TCanvas::UsePen(QPainter& painter) const
{
    if (FPen.Style() == psClear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(Resolve(FPen.Color()));
    pen.setWidth(std::max(1, FPen.Width()));
    // A flat cap stops a one-pixel line before its end point.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (FPen.Width() <= 1 && FPen.Style() != psSolid)
        pen.setDashPattern(DashPattern(FPen.Style()));
    painter.setPen(pen);
}

void TCanvas::UseBrush(QPainter& painter) const
{
    if (FBrush.Style() == bsClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(Resolve(FBrush.Color()));
}

QFontMetrics TCanvas::FontMetrics() const
{
    if (!FMetrics) {
        const QPaintDevice* device = Device();
        FMetrics = device ? QFontMetrics(FFont.ToQFont(), device) : QFontMetrics(FFont.ToQFont());
    }
    return *FMetrics;
}

int TCanvas::TextWidth(const QString& text) const
{
    return FontMetrics().horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const
{
    return FontMetrics().height();
}

QSize TCanvas::TextExtent(const QString& text) const
{
    const QFontMetrics metrics = FontMetrics();
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics = FontMetrics();
    const int width = metrics.horizontalAdvance(text);
    FPenPos = QPoint(x + width, y);
    QPainter* painter = ActivePainter();
    if (!painter)
        return;
    const int top = CellTop(FTextAlign, y, metrics);
    if (FBrush.Style() == bsSolid)
        painter->fillRect(QRect(x, top, width, metrics.height()), Resolve(FBrush.Color()));
    painter->setFont(FFont.ToQFont());
    painter->setPen(Resolve(FFont.Color()));
    painter->drawText(QPoint(x, top + metrics.ascent()), text);
}

void TCanvas::FillRect(const QRect& rect)
{
    QPainter* painter = ActivePainter();
    if (!painter || FBrush.Style() == bsClear || rect.isEmpty())
        return;
    painter->fillRect(rect, Resolve(FBrush.Color()));
}

void TCanvas::Rectangle(const QRect& rect)
{
    QPainter* painter = ActivePainter();
    if (!painter || rect.isEmpty())
        return;
    if (FBrush.Style() == bsSolid)
        painter->fillRect(rect, Resolve(FBrush.Color()));
    if (FPen.Style() == psClear)
        return;
    UsePen(*painter);
    painter->setBrush(Qt::NoBrush);
    // A one-pixel outline of QRect(x, y, w, h) covers x .. x + w inclusive.
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

void TCanvas::Ellipse(const QRect& rect)
{
    QPainter* painter = ActivePainter();
    if (!painter || rect.isEmpty())
        return;
    UsePen(*painter);
    UseBrush(*painter);
    painter->drawEllipse(rect.adjusted(0, 0, -1, -1));
}

void TCanvas::Polyline(const QList<QPoint>& points)
{
    QPainter* painter = ActivePainter();
    if (!painter || points.size() < 2 || FPen.Style() == psClear)
        return;
    UsePen(*painter);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(points.constData(), int(points.size()));
}

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = QPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = FPenPos;
    FPenPos = QPoint(x, y);
    QPainter* painter = ActivePainter();
    if (!painter || FPen.Style() == psClear || from == FPenPos)
        return;
    UsePen(*painter);
    painter->drawLine(from, FPenPos);
}

void TCanvas::StretchDraw(const QRect& rect, const QImage& image)
{
    QPainter* painter = ActivePainter();
    if (!painter || rect.isEmpty() || image.isNull())
        return;
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(rect, image);
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    QPainter* painter = ActivePainter();
    if (!painter || image.isNull())
        return;
    painter->drawImage(QPoint(x, y), image);
}

void TCanvas::Draw(int x, int y, const QPixmap& pixmap)
{
    QPainter* painter = ActivePainter();
    if (!painter || pixmap.isNull())
        return;
    painter->drawPixmap(QPoint(x, y), pixmap);
}

QImage TCanvas::ReadPixels(const QRect& rect)
{
    QPaintDevice* device = Device();
    if (!device)
        return {};
    switch (device->devType()) {
    case QInternal::Image:
        return static_cast<const QImage*>(device)->copy(rect);
    case QInternal::Pixmap:
        return static_cast<const QPixmap*>(device)->copy(rect).toImage();
    case QInternal::Widget: {
        auto* widget = static_cast<QWidget*>(device);
        // Grabbing a widget from inside its own paint would paint it again.
        if (widget->paintingActive()) {
            QImage background(rect.size(), QImage::Format_ARGB32_Premultiplied);
            background.fill(widget->palette().color(widget->backgroundRole()));
            return background;
        }
        return widget->grab(rect).toImage();
    }
    default:
        return {};
    }
}

void TCanvas::CopyRect(const QRect& dest, TCanvas& src, const QRect& srcRect)
{
    if (dest.isEmpty() || srcRect.isEmpty())
        return;
    // Read first: src may be this very canvas, with overlapping rectangles.
    const QImage pixels = src.ReadPixels(srcRect);
    QPainter* painter = ActivePainter();
    if (!painter || pixels.isNull())
        return;
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(dest, pixels);
    painter->setCompositionMode(mode);
}

QRect TCanvas::ClipRect() const
{
    const QPaintDevice* device = Device();
    if (!device)
        return {};
    QRect box(0, 0, device->width(), device->height());
    const QPainter* painter = FExternal ? (FExternal->isActive() ? FExternal : nullptr) : FOwned.get();
    if (!painter)
        return FClip ? box & *FClip : box;
    box = painter->worldTransform().inverted().mapRect(box);
    // The region of a paint event lives in device coordinates.
    const QRegion system = painter->paintEngine() ? painter->paintEngine()->systemClip() : QRegion();
    if (!system.isEmpty())
        box &= painter->deviceTransform().inverted().mapRect(system.boundingRect());
    if (painter->hasClipping())
        box &= painter->clipBoundingRect().toAlignedRect();
    return box;
}

void TCanvas::SetClipRect(const QRect& rect)
{
    FClip = rect;
    if (QPainter* painter = FExternal ? FExternal : FOwned.get(); painter && painter->isActive())
        painter->setClipRect(rect);
}

void TCanvas::ClearClip()
{
    FClip.reset();
    if (QPainter* painter = FExternal ? FExternal : FOwned.get(); painter && painter->isActive())
        painter->setClipping(false);
}

qreal PaintDeviceRatio(const QPainter& painter)
{
    if (const QPaintEngine* engine = painter.paintEngine(); engine && engine->paintDevice())
        return engine->paintDevice()->devicePixelRatioF();
    return painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
}

} // namespace lark
