#include "demo_widgets.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

#include <algorithm>
#include <utility>

namespace lark::demo {

namespace {

// Watches a widget and its children for a left-button release inside the
// widget.
class ClickFilter : public QObject
{
public:
    ClickFilter(QWidget* control, std::function<void()> handler)
        : QObject(control)
        , FControl(control)
        , FHandler(std::move(handler))
    {
        control->installEventFilter(this);
        for (QWidget* child : control->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint at = widget->mapTo(FControl, mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && FControl->rect().contains(at))
            FHandler();
        return false;
    }

private:
    QWidget* FControl;
    std::function<void()> FHandler;
};

} // namespace

TShape::TShape(QWidget* parent)
    : QWidget(parent)
{
}

void TShape::SetBrushColor(TColor value)
{
    FBrushColor = value;
    update();
}

void TShape::SetPenColor(TColor value)
{
    FPenColor = value;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ToQColor(FPenColor, this), 1));
    painter.setBrush(QBrush(ToQColor(FBrushColor, this), Qt::DiagCrossPattern));
    // The classic rounded rectangle: corner ellipses a quarter of the shorter
    // side across.
    const double radius = std::min(width(), height()) / 8.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
}

void TPaintBox::Clear()
{
    FImage.fill(ToQColor(FColor, this));
    update();
}

void TPaintBox::SetColor(TColor value)
{
    FColor = value;
    Clear();
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, FImage);
}

void TPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FImage = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    Clear();
}

QSlider* CreateTrackBar(int min, int max, QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(min, max);
    slider->setValue(min);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setPageStep(2);
    return slider;
}

void OnControlClick(QWidget* control, std::function<void()> handler)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [handler = std::move(handler)] { handler(); });
        return;
    }
    new ClickFilter(control, std::move(handler));
}

} // namespace lark::demo
