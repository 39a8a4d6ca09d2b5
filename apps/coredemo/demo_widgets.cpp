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
    ClickFilter(QWidget* Control, std::function<void()> Handler)
        : QObject(Control)
        , FControl(Control)
        , FHandler(std::move(Handler))
    {
        Control->installEventFilter(this);
        for (QWidget* child : Control->findChildren<QWidget*>())
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

void TShape::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    update();
}

void TShape::SetPenColor(TColor Value)
{
    FPenColor = Value;
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

void TPaintBox::SetColor(TColor Value)
{
    FColor = Value;
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

QSlider* CreateTrackBar(int Min, int Max, QWidget* Parent)
{
    auto* slider = new QSlider(Qt::Horizontal, Parent);
    slider->setRange(Min, Max);
    slider->setValue(Min);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setPageStep(2);
    return slider;
}

void OnControlClick(QWidget* Control, std::function<void()> Handler)
{
    if (auto* button = qobject_cast<QAbstractButton*>(Control)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [handler = std::move(Handler)] { handler(); });
        return;
    }
    new ClickFilter(Control, std::move(Handler));
}

} // namespace lark::demo
