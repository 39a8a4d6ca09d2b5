#pragma once
// TCategoryButtons: the page selector on the left of the demo window. Buttons
// are grouped under categories; an expanded category shows its bold caption
// running upwards in a strip on its left, under a minus box, with its buttons
// beside it; a collapsed one is a single row with a plus box and the caption.
// Clicking the box or the caption strip collapses or expands the category;
// clicking a button (or Up/Down and Enter with the keyboard) selects it and
// raises buttonClicked with its caption.
//
// The colours are the bar's own (categories tinted, buttons in a two-tone
// gradient, the selected one darker). On a dark palette they are blended into
// the palette's window colour, so that the bar keeps its tints without
// glaring.

#include <lark/framework/color.h>

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace lark::demo {

class TCategoryButtons : public QWidget
{
    Q_OBJECT

public:
    explicit TCategoryButtons(QWidget* parent = nullptr);

    // Returns the new category's index. Caption "&&" shows as "&".
    int AddCategory(const QString& Caption, TColor Color);
    void AddButton(int Category, const QString& Caption);
    void SetButtonColors(TColor Regular, TColor Selected);

    int CategoryCount() const { return int(FCategories.size()); }
    QString CategoryCaption(int Category) const;
    QStringList Buttons(int Category) const { return FCategories.at(Category).Buttons; }
    bool Collapsed(int Category) const { return FCategories.at(Category).Collapsed; }
    void SetCollapsed(int Category, bool Value);

    // The selected button's caption, or empty.
    QString SelectedButton() const { return FSelected; }
    // Selects the button (no signal); an unknown caption selects none.
    void SetSelectedButton(const QString& Caption);

    // Where things are, in widget coordinates; empty when hidden or unknown.
    QRect ButtonRect(const QString& Caption) const;
    QRect ToggleRect(int Category) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void buttonClicked(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Category
    {
        QString Caption;
        TColor Color = clNone;
        QStringList Buttons;
        bool Collapsed = false;
        // Placed by Relayout:
        QRect Frame;        // the whole category
        QRect Toggle;       // the plus/minus box
        QRect CaptionArea;  // the strip or the header row
        QList<QRect> ButtonRects;
    };

    void Relayout();
    int VerticalCaptionLength(const Category& category) const;
    QString ShownCaption(const QString& Caption) const;
    // The button under Pos: category and button index, or {-1, -1}.
    std::pair<int, int> ButtonAt(QPoint Pos) const;
    int CategoryToggleAt(QPoint Pos) const;
    QStringList VisibleButtons() const;
    void Click(const QString& Caption);

    QColor Tint(TColor Color, double DarkStrength) const;
    void PaintCategory(QPainter& Painter, const Category& category) const;
    void PaintButton(QPainter& Painter, const QRect& R, const QString& Caption) const;
    void PaintToggle(QPainter& Painter, const QRect& R, bool Collapsed, const QColor& Background) const;

    QList<Category> FCategories;
    TColor FButtonColor = clBtnFace;
    TColor FSelectedColor = clHighlight;
    QString FSelected;
    QString FHot;
    QString FPressed;
    int FContentHeight = 0;
};

} // namespace lark::demo
