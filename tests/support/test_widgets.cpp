#include "test_widgets.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace lark::test {

CheckerboardWidget::CheckerboardWidget(QColor first, QColor second, int square, QWidget* parent)
    : QWidget(parent)
    , FFirst(first)
    , FSecond(second)
    , FSquare(std::max(square, 1))
{
}

QColor CheckerboardWidget::ColorAt(QPoint p) const
{
    return (p.x() / FSquare + p.y() / FSquare) % 2 ? FSecond : FFirst;
}

void CheckerboardWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int y = 0; y < height(); y += FSquare)
        for (int x = 0; x < width(); x += FSquare)
            painter.fillRect(x, y, FSquare, FSquare, ColorAt({x, y}));
}

void ShowActive(QWidget& window, QWidget* focus)
{
    window.show();
    QApplication::setActiveWindow(&window);
    focus->setFocus(Qt::OtherFocusReason);
}

} // namespace lark::test
