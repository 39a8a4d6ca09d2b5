#pragma once
// A minimal HTML host for engine tests: a plain QWidget that implements the
// host interface and owns a render object, so that inputs, embedded controls
// and interaction run against a live widget before the library's controls
// exist. It re-lays out on SetHTML and resize and paints with DrawText on a
// white background. It can also pose as a host without a window of its own
// (SetWindowed(false)) or as one in design mode.
//
//     lark::test::TestHost host;
//     host.resize(300, 200);
//     host.SetHTML(u"<input type=checkbox name=a>"_s);
//     QImage shot = host.Grab();
#include <lark/framework/font.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/host_traits.h>
#include <lark/html/model/items.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/render.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <vector>

namespace lark::test {

class TestHost : public QWidget, public ILarkHTMLControl, public ILarkHTMLHostTraits
{
public:
    explicit TestHost(QWidget* parent = nullptr);
    ~TestHost() override;

    //---- host interface
    TFont* GetFont() override { return &FFont; }
    TLarkHTMLOptions* GetOptions() override { return &FOptions; }
    QString GetHTML() const override { return FHTML; }
    // Stores the text and lays it out again (AssignSettings + PrepareText).
    void SetHTML(const QString& value) override;
    TPadding* GetPadding() override { return &FPadding; }
    QPoint GetOffset() const override { return {}; }
    void LockUpdating() override;
    void UnlockUpdating() override;
    void SetParameter(const QString& aName, const QString& aValue) override;

    //---- host traits
    bool IsWindowedControl() const override { return FWindowed; }
    bool IsDesigning() const override { return FDesigning; }
    void SetWindowed(bool v) { FWindowed = v; }
    void SetDesigning(bool v);

    //---- test helpers
    TLarkHTMLRender& Render() { return FRender; }
    TLarkHTMLData& Data() { return *FRender.Data(); }
    // Client rectangle less the padding: where the document is drawn.
    QRect TextRect() const;
    // Document point shown at the top-left of the text rectangle.
    QPoint ScrollPos() const { return FScrollPos; }
    void SetScrollPos(QPoint p);
    bool AutoWrap() const { return FAutoWrap; }
    void SetAutoWrap(bool v);
    // The render object's untrusted mode; a change re-lays the document out.
    bool Untrusted() const { return FRender.Untrusted(); }
    void SetUntrusted(bool v);
    // Re-parses the current HTML for the current width.
    void Rebuild();
    // The document's control items, in document order.
    std::vector<TLarkHTMLControlItem*> ControlItems();
    // The widget as painted now (QWidget::grab), children included.
    QImage Grab();

    int LockCount() const { return FLockCount; }
    // Largest lock depth seen while the host painted or re-laid out.
    int MaxLockCount() const { return FMaxLockCount; }
    int PaintCount() const { return FPaintCount; }
    int RebuildCount() const { return FRebuildCount; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TFont FFont;
    TLarkHTMLOptions FOptions{this};
    TLarkPadding FPadding{this};
    TLarkHTMLRender FRender;
    QString FHTML;
    QPoint FScrollPos;
    bool FAutoWrap = true;
    bool FWindowed = true;
    bool FDesigning = false;
    int FLockCount = 0;
    int FMaxLockCount = 0;
    int FPaintCount = 0;
    int FRebuildCount = 0;
};

} // namespace lark::test
