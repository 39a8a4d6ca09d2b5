#pragma once
// What the demo's pages share: a panel filled with a colour that may be a
// style colour (resolved when painting, so it follows the theme), and the
// page layout of a display area above a strip of settings.

#include <lark/framework/color.h>

#include <QWidget>

class QBoxLayout;
class QLabel;

namespace lark::demo {

// A plain panel filled with Color; children are placed by the page.
class TDemoPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TDemoPanel(TColor color, QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor FColor;
};

// The display area (Panel3: the showcased controls at fixed positions, on
// clAppWorkSpace unless a page says otherwise) over the strip (Panel1: the
// settings, in rows). The page adds anything between them itself.
class TPageFrame : public QWidget
{
    Q_OBJECT

public:
    explicit TPageFrame(QWidget* parent = nullptr);

protected:
    TDemoPanel* DisplayArea() const { return Panel3; }
    TDemoPanel* Strip() const { return Panel1; }
    // The page's own vertical layout: display area, (what the page inserts),
    // strip.
    QBoxLayout* PageLayout() const { return FLayout; }
    // A new row of the strip.
    QBoxLayout* AddStripRow();
    // A caption for a setting in the strip.
    QLabel* StripLabel(const QString& caption);

    // Gives the page's controls the colours that depend on the theme; runs
    // on every palette change (the page calls it once after construction).
    virtual void ApplyThemeColors() {}
    void changeEvent(QEvent* event) override;

    TDemoPanel* Panel3 = nullptr;
    TDemoPanel* Panel1 = nullptr;

private:
    QBoxLayout* FLayout = nullptr;
    QBoxLayout* FStripRows = nullptr;
};

} // namespace lark::demo
