// Placing embedded controls during the paint pass. A control is moved to the
// place of its item in the host's coordinates (or in the host's parent's,
// for a host without a window of its own) and shown while that place lies
// above and left of the host's visible edge; the application may move it or
// override the visibility through the render object's events. The host's
// updating lock is held meanwhile, so that moving the control does not make
// the host re-lay out or repaint from inside its own paint.
//
// In editor preview and design mode the control is left alone and a grey
// dashed outline with the control's name marks its place instead.
#include "lark/html/paint/paint_inputs_p.h"

#include <lark/framework/canvas.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/host_traits.h>
#include <lark/html/host/padding.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QPointer>
#include <QWidget>

#include <cstdint>

namespace lark::detail {

namespace {

constexpr TColor kPlaceholderColor = 0x808080; // RGB (128, 128, 128)

// The nearest text run or paragraph before the control, handed to the
// application's events as the control's context; nullptr when none.
TLarkHTMLItem* ContextItemBefore(const TLarkHTMLData& data, int index)
{
    const auto& items = data.Items();
    for (int i = std::min(index, int(items.size())) - 1; i >= 0; --i) {
        TLarkHTMLItem* item = items[size_t(i)].get();
        if (item->FItemType == hitChar || item->FItemType == hitPara)
            return item;
    }
    return nullptr;
}

struct Placement
{
    std::int64_t X = 0;
    std::int64_t Y = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
};

// Right and bottom edges in the component model's sense (exclusive).
std::int64_t RightOf(const QRect& r)
{
    return std::int64_t(r.x()) + r.width();
}

std::int64_t BottomOf(const QRect& r)
{
    return std::int64_t(r.y()) + r.height();
}

// Where the control goes: r is the item's box in area coordinates.
Placement ComputePlacement(const PaintContext& ctx, QWidget& host, const QWidget& control,
                           const TLarkHTMLItem& item, const QRect& r, bool outlineOnly)
{
    Placement p;
    const bool windowed = IsWindowedHost(&host);
    if (windowed) {
        p.X = std::int64_t(ctx.Data.HOffset()) + r.left();
        p.Y = std::int64_t(ctx.Data.VOffset()) + r.top();
    } else if (host.parentWidget()) {
        p.X = r.left();
        p.Y = r.top();
        // The control lives in the parent; an outline is drawn on the host.
        if (!outlineOnly) {
            p.X += host.x();
            p.Y += host.y();
        }
    }
    if (ILarkHTMLControl* html = HTMLControlOf(&host)) {
        const QPoint offset = html->GetOffset();
        p.X += offset.x();
        p.Y += offset.y();
        if (const TPadding* padding = html->GetPadding()) {
            p.X += padding->Left();
            p.Y += padding->Top();
        }
    }
    p.Width = control.width() > 0 ? control.width() : item.FWidth;
    p.Height = control.height() > 0 ? control.height() : item.FHeight;
    const QRect& clip = ctx.Request.Clip;
    if (windowed)
        p.Visible = p.X <= RightOf(clip) && p.Y <= BottomOf(clip);
    else
        p.Visible = std::int64_t(r.left()) + p.Width <= RightOf(clip) && std::int64_t(r.top()) + p.Height <= BottomOf(clip);
    return p;
}

void DrawPlaceholder(PaintContext& ctx, const QWidget& control, const Placement& p)
{
    TCanvas& canvas = ctx.Surface;
    // The outline leaves the surface as it found it, so that what is drawn
    // after it does not depend on whether a placeholder came first.
    const TPen pen = canvas.Pen();
    const TBrush brush = canvas.Brush();
    const TColor fontColor = canvas.Font().Color();
    const int x = SaturatingInt(p.X);
    const int y = SaturatingInt(p.Y);
    canvas.Pen().SetColor(kPlaceholderColor);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psDash);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(RectLTRB(x, y, SaturatingInt(p.X + p.Width), SaturatingInt(p.Y + p.Height)));
    const QString name = control.objectName();
    if (!name.isEmpty()) {
        canvas.Font().SetColor(kPlaceholderColor);
        canvas.TextOut(SaturatingInt(p.X + 2), SaturatingInt(p.Y + p.Height - 2), name);
    }
    canvas.Pen() = pen;
    canvas.Brush() = brush;
    canvas.Font().SetColor(fontColor);
}

void MoveControl(PaintContext& ctx, QWidget& host, QWidget& widget, TLarkHTMLItem* context, const Placement& p)
{
    TLarkHTMLRender& render = ctx.Render;
    QPointer<QWidget> control(&widget);
    TLarkUpdatingLock lock(HTMLControlOf(&host));
    int x = SaturatingInt(p.X);
    int y = SaturatingInt(p.Y);
    render.DoAdjustControlPosition(control, context, x, y);
    if (!control)
        return;
    control->setGeometry(x, y, p.Width, p.Height);
    bool visible = p.Visible;
    render.DoSetControlVisibility(control, context, visible);
    if (!control)
        return;
    // A control an application took away from its parent would show as a
    // window of its own.
    control->setVisible(visible && control->parentWidget());
}

} // namespace

bool PlaceEmbeddedControl(PaintContext& ctx, TLarkHTMLItem& item, int index)
{
    auto* controlItem = dynamic_cast<TLarkHTMLControlItem*>(&item);
    QWidget* control = controlItem ? controlItem->Control() : nullptr;
    QWidget* host = ctx.Render.Control();
    if (!control || !host)
        return true;
    const std::int64_t left = ctx.X - ctx.Request.Source.x();
    const std::int64_t top = ctx.Y + ctx.Data.LineGap() - ctx.Request.Source.y();
    const QRect r = RectLTRB(SaturatingInt(left), SaturatingInt(top),
                             SaturatingInt(left + item.FWidth),
                             SaturatingInt(ctx.Y + item.FHeight - ctx.Request.Source.y()));
    const bool outlineOnly = ctx.Render.EditorPreview() || IsDesigningHost(host);
    try {
        const Placement p = ComputePlacement(ctx, *host, *control, item, r, outlineOnly);
        if (outlineOnly) {
            if (ctx.Drawing)
                DrawPlaceholder(ctx, *control, p);
            return true;
        }
        MoveControl(ctx, *host, *control, ContextItemBefore(ctx.Data, index), p);
    } catch (...) {
        // The application's handler failed for this control only.
        return false;
    }
    return true;
}

} // namespace lark::detail
