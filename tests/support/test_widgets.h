#pragma once
// Widgets that tests place controls on.
#include <QColor>
#include <QWidget>

namespace lark::test {

// A parent painting a checkerboard of Square-pixel squares in two colours
// (the top-left one in First), so that a transparent child shows both.
class CheckerboardWidget : public QWidget
{
public:
    explicit CheckerboardWidget(QColor first, QColor second, int square, QWidget* parent = nullptr);

    // The colour painted at a point.
    QColor ColorAt(QPoint p) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FFirst;
    QColor FSecond;
    int FSquare;
};

// Shows window as the active window, with the keyboard focus on focus, as a
// form is when the user works in it.
void ShowActive(QWidget& window, QWidget* focus);

} // namespace lark::test
