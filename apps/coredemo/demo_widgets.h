#pragma once
// Small widgets the pages need that Qt has no ready match for: a shape
// painted with a pen and a hatched brush, a paint box that keeps what was
// drawn on it, and the click hook for embedded controls.

#include <lark/framework/color.h>

#include <QImage>
#include <QWidget>

#include <functional>

class QSlider;

namespace lark::demo {

// A rounded rectangle with a white pen, filled with a diagonal cross hatch.
class TShape : public QWidget
{
    Q_OBJECT

public:
    explicit TShape(QWidget* parent = nullptr);

    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor value);
    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor FBrushColor = 0x939393;
    TColor FPenColor = clWhite;
};

// A surface to draw on outside of painting: Canvas() is an image the size of
// the box, filled with its colour on every resize, and shown as it is.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget* parent = nullptr);

    QImage& Canvas() { return FImage; }
    // Fills the canvas with the box's colour.
    void Clear();
    TColor Color() const { return FColor; }
    void SetColor(TColor value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage FImage;
    TColor FColor = clWhite;
};

// A horizontal track bar from Min to Max, at Min.
QSlider* CreateTrackBar(int min, int max, QWidget* parent);

// Calls Handler when Control is clicked: buttons, check boxes and radio
// buttons by their clicked signal (mouse or keyboard), any other widget by a
// left-button release inside it or one of its children.
void OnControlClick(QWidget* control, std::function<void()> handler);

} // namespace lark::demo
