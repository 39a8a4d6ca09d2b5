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
    int AddCategory(const QString& caption, TColor color);
    void AddButton(int category, const QString& caption);
    void SetButtonColors(TColor regular, TColor selected);

    int CategoryCount() const { return int(FCategories.size()); }
    QString CategoryCaption(int category) const;
    QStringList Buttons(int category) const { return FCategories.at(category).Buttons; }
    bool Collapsed(int category) const { return FCategories.at(category).Collapsed; }
    void SetCollapsed(int category, bool value);

    // The selected button's caption, or empty.
    QString SelectedButton() const { return FSelected; }
    // Selects the button (no signal); an unknown caption selects none.
    void SetSelectedButton(const QString& caption);

    // Where things are, in widget coordinates; empty when hidden or unknown.
    QRect ButtonRect(const QString& caption) const;
    QRect ToggleRect(int category) const;

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
    QString ShownCaption(const QString& caption) const;
    // The button under Pos: category and button index, or {-1, -1}.
    std::pair<int, int> ButtonAt(QPoint pos) const;
    int CategoryToggleAt(QPoint pos) const;
    QStringList VisibleButtons() const;
    void Click(const QString& caption);

    QColor Tint(TColor color, double darkStrength) const;
    void PaintCategory(QPainter& painter, const Category& category) const;
    void PaintButton(QPainter& painter, const QRect& r, const QString& caption) const;
    void PaintToggle(QPainter& painter, const QRect& r, bool collapsed, const QColor& background) const;

    QList<Category> FCategories;
    TColor FButtonColor = clBtnFace;
    TColor FSelectedColor = clHighlight;
    QString FSelected;
    QString FHot;
    QString FPressed;
    int FContentHeight = 0;
};

} // namespace lark::demo
