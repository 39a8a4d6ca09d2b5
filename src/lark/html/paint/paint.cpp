// The paint pass (DrawText / DrawTextEx).
//
// Layout is not redone here: every size comes from the line metrics pass.
// The pass walks the items line by line. A break item starts a line: y moves
// down by the previous line's height, x goes to the line start its
// alignment gives, and a list item draws its marker. Other items draw at
// (x, y) and move x on. Each item records where it was painted (Left, Top:
// x after its advance, y of its line).
//
//   x, y       document coordinates of the current position
//   Source     the document point shown at the area's top-left (scrolling)
//   Offset     where the area starts on the canvas
//
// The walk stops at the first line starting below the area. It also starts
// late: lines whose drawing cannot reach the area are found by binary search
// in the line index and not walked, except what they leave behind for the
// lines below (body backgrounds, the pen of the last rule, the font list
// numbers use) and the placement of embedded controls on them.

#include "lark/html/layout/line_metrics_p.h"
#include "lark/html/paint/paint_inputs_p.h"
#include "lark/html/paint/paint_p.h"
#include "lark/html/render_p.h"

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/paint/gradient.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QPainter>
#include <QScopeGuard>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace lark {

namespace detail {

namespace {

//---- Lines ----------------------------------------------------------------

// The x where a line starts: its indent when left-aligned; centred or
// right-aligned within W, the wider of the line and the area.
void AlignLine(PaintContext& ctx, const TLarkHTMLBreakItem& line)
{
    switch (line.Alignment()) {
    case 0:
        ctx.X = line.FIndent;
        break;
    case 1:
        ctx.X = (std::int64_t(ctx.W) - 1 - line.FWidth) / 2;
        break;
    case 2:
        ctx.X = std::int64_t(ctx.W) - 1 - line.FWidth;
        break;
    default:
        // Unknown alignments keep x where the previous line ended.
        break;
    }
}

// Makes the break item at index the current line. False when the line
// starts below the area, which ends the walk.
bool BeginLine(PaintContext& ctx, TLarkHTMLBreakItem& line, int index)
{
    const auto& items = ctx.Data.Items();
    if (ctx.Line)
        ctx.Y += ctx.Line->FHeight;
    if (ctx.Y > std::int64_t(ctx.Request.Area.height()) + 1 + ctx.Request.Source.y())
        return false;
    ctx.W = std::max(line.FWidth, SaturatingInt(std::int64_t(ctx.Request.Area.width()) + 1));
    AlignLine(ctx, line);
    ctx.Line = &line;
    ctx.LineIndex = index;
    ctx.Hl = line.FHeight;
    ctx.D = line.LineDescent();
    ctx.LastControl = -1;
    ctx.LineEnd = index + 1;
    while (ctx.LineEnd < int(items.size()) && !items[size_t(ctx.LineEnd)]->IsBreakItem()) {
        if (items[size_t(ctx.LineEnd)]->FItemType == hitControl)
            ctx.LastControl = ctx.LineEnd;
        ++ctx.LineEnd;
    }
    if (line.FItemType == hitLI)
        PaintListMarker(ctx, line, index);
    // A line that ends above the area keeps the position of an earlier paint.
    if (std::int64_t(line.FHeight) + ctx.Y >= ctx.Request.Source.y()) {
        line.FLeft = SaturatingInt(ctx.X);
        line.FTop = SaturatingInt(ctx.Y);
    }
    return true;
}

//---- Items other than text ------------------------------------------------

void PaintBody(PaintContext& ctx, const TLarkHTMLItem& body)
{
    if (body.FBgColor1 == clNone || ctx.Request.TextOnly)
        return;
    const QRect& area = ctx.Request.Area;
    const QRect rect(ctx.Offset, area.size());
    const int steps = body.FBgVertical ? area.height() / 3 : area.width() / 3;
    FillGradient(ctx.Surface, ctx.Resolve(body.FBgColor1), ctx.Resolve(body.FBgColor2), body.FBgVertical, rect,
                 steps, ctx.Resolve(body.FBorderColor));
}

// A rule is drawn in a rectangle two pixels high from the middle of its line,
// across its own width or, without one, the whole line.
void PaintRule(PaintContext& ctx, const TLarkHTMLItem& rule)
{
    const int left = ctx.SurfaceX(ctx.X);
    const int top = std::min(ctx.SurfaceY(ctx.Y + ctx.Hl / 2), INT_MAX - 2);
    const int right = rule.FWidth != 0 ? SaturatingInt(std::int64_t(left) + rule.FWidth)
                                       : SaturatingInt(std::int64_t(ctx.W) + ctx.Offset.x());
    QRect rect = RectLTRB(left, top, right, top + 2);
    DrawRule(ctx.Surface, rect, ctx.Resolve(rule.FBgColor1), ctx.Resolve(rule.FBgColor2), rule.FHeight2);
}

// The pen a rule leaves on the surface, without drawing it.
void TakeRulePen(PaintContext& ctx, const TLarkHTMLItem& rule)
{
    TPen& pen = ctx.Surface.Pen();
    if (rule.FHeight2 == 0)
        return;
    if (rule.FHeight2 == 1) {
        pen.SetWidth(1);
        pen.SetStyle(psSolid);
        pen.SetColor(ctx.Resolve(rule.FBgColor2 != rule.FBgColor1 ? rule.FBgColor2 : rule.FBgColor1));
        return;
    }
    pen.SetStyle(psClear);
    pen.SetWidth(0);
}

void PaintItem(PaintContext& ctx, TLarkHTMLItem& item, int index)
{
    switch (item.FItemType) {
    case hitChar:
    case hitVar:
        PaintTextRun(ctx, item, index);
        ctx.X += item.FWidth;
        break;
    case hitIndent:
        if (item.IsAbsoluteIndent())
            ctx.X = item.FWidth;
        else
            ctx.X += item.FWidth;
        break;
    case hitBitmap:
        if (ctx.Drawing)
            PaintImage(ctx, item);
        // The box is kept whether or not a picture was found.
        ctx.X += std::int64_t(item.FWidth) + 1;
        break;
    case hitHR:
        if (ctx.Drawing)
            PaintRule(ctx, item);
        break;
    case hitInput:
        PaintInputItem(ctx, item);
        ctx.X += item.FWidth;
        break;
    case hitControl:
        // Placed also on lines walked without drawing; a control whose
        // placing failed keeps x where it is.
        if (ctx.Render.Control() && PlaceEmbeddedControl(ctx, item, index))
            ctx.X += item.FWidth;
        break;
    case hitBody:
        if (ctx.Drawing)
            PaintBody(ctx, item);
        break;
    default:
        break;
    }
}

// Walks items [first, end) from the state in ctx.
void WalkItems(PaintContext& ctx, int first, int end)
{
    const auto& items = ctx.Data.Items();
    for (int i = first; i < end; ++i) {
        TLarkHTMLItem& item = *items[size_t(i)];
        if (item.IsBreakItem()) {
            if (!BeginLine(ctx, static_cast<TLarkHTMLBreakItem&>(item), i))
                return;
            continue;
        }
        PaintItem(ctx, item, i);
        item.FLeft = SaturatingInt(ctx.X);
        item.FTop = SaturatingInt(ctx.Y);
    }
}

//---- Starting below the top -----------------------------------------------

// Puts ctx at the start of line k as a walk from the top would leave it,
// without the drawing of the lines above.
void EnterLine(PaintContext& ctx, const LineStart& start)
{
    ctx.Line = nullptr;
    ctx.Y = start.Top;
    ctx.NumberFont = RunFontAt(ctx, start.LastRun);
}

// Walks the lines above k that hold embedded controls, drawing nothing, so
// that the controls are placed (and hidden) as if the lines were painted.
void PlaceControlsAbove(PaintContext& ctx, size_t k)
{
    const LineIndex& index = ctx.Data.LineIndex();
    const int itemCount = ctx.Data.ItemCount();
    ctx.Drawing = false;
    for (int lineNo : index.ControlLines) {
        if (size_t(lineNo) >= k)
            break;
        EnterLine(ctx, index.Lines[size_t(lineNo)]);
        const int end = size_t(lineNo) + 1 < index.Lines.size() ? index.Lines[size_t(lineNo) + 1].Item : itemCount;
        WalkItems(ctx, index.Lines[size_t(lineNo)].Item, end);
    }
    ctx.Drawing = true;
}

// Body backgrounds above line k cover the area, and the last rule above it
// decides the pen that bullets and gradients find; both in document order,
// each body with the pen of the rule before it.
void ReplaySurfaceState(PaintContext& ctx, const LineStart& start)
{
    const auto& items = ctx.Data.Items();
    int taken = -1;
    auto takeRule = [&](int rule) {
        if (rule >= 0 && rule != taken)
            TakeRulePen(ctx, *items[size_t(rule)]);
        taken = rule;
    };
    int lastBody = -1;
    for (const BodyStart& body : ctx.Data.LineIndex().Bodies) {
        if (body.Item >= start.Item)
            break;
        takeRule(body.LastRule);
        PaintBody(ctx, *items[size_t(body.Item)]);
        lastBody = body.Item;
    }
    if (start.LastRule > lastBody)
        takeRule(start.LastRule);
}

// The item index to start the walk at; everything above it is accounted for.
int SkipLinesAbove(PaintContext& ctx)
{
    const int sy = ctx.Request.Source.y();
    const LineIndex& index = ctx.Data.LineIndex();
    if (sy <= 0 || !LineIndexIsCurrent(ctx.Data) || index.Lines.empty() || index.Lines.front().Item != 0)
        return 0;
    // Lines whose ink ends above the area draw nothing visible.
    const auto first = std::lower_bound(index.Lines.begin(), index.Lines.end(), sy,
                                        [](const LineStart& line, int y) { return line.InkBottom < y; });
    const size_t k = size_t(first - index.Lines.begin());
    if (k == 0)
        return 0;
    if (k < index.Lines.size()) {
        const auto& line = static_cast<const TLarkHTMLBreakItem&>(*ctx.Data.Items()[size_t(first->Item)]);
        // A line of unknown alignment starts where the line above ended.
        if (line.Alignment() > 2)
            return 0;
    }
    PlaceControlsAbove(ctx, k);
    if (k == index.Lines.size()) {
        // Nothing is drawn any more; only the backgrounds show.
        ReplaySurfaceState(ctx, LineStart{ ctx.Data.ItemCount(), 0, 0, -1, -1 });
        return ctx.Data.ItemCount();
    }
    ReplaySurfaceState(ctx, *first);
    EnterLine(ctx, *first);
    return first->Item;
}

} // namespace

TColor PaintContext::Resolve(TColor color) const
{
    return color == clNone ? clNone : ColorToRGB(color, Palette);
}

void PaintItems(PaintContext& ctx)
{
    const int start = SkipLinesAbove(ctx);
    WalkItems(ctx, start, ctx.Data.ItemCount());
}

} // namespace detail

//---- The frame: buffering, alignment ---------------------------------------
//
// Double buffering exists to keep painting from flickering. Qt already
// paints every widget off screen (its backing store), and a widget being
// painted cannot be read back, so copying the target into a buffer first
// would lose what the host painted under the text (a view's gradient). A
// buffered paint therefore draws straight onto the target, with exactly what
// a buffer gives: drawing clipped to the buffer's rectangle (the area and one
// pixel more each way), and a surface that starts every paint in the same
// state (the target's brush colour, a plain pen, the default font), the
// target's own state being left untouched.

namespace {

// The canvas state a paint changes; put back after a buffered paint.
class SavedCanvasState
{
public:
    explicit SavedCanvasState(TCanvas& canvas)
        : FCanvas(canvas)
        , FBrush(canvas.Brush())
        , FPen(canvas.Pen())
    {
        FFont.Assign(canvas.Font());
    }
    ~SavedCanvasState()
    {
        FCanvas.Brush() = FBrush;
        FCanvas.Pen() = FPen;
        FCanvas.Font().Assign(FFont);
    }
    SavedCanvasState(const SavedCanvasState&) = delete;
    SavedCanvasState& operator=(const SavedCanvasState&) = delete;

private:
    TCanvas& FCanvas;
    TBrush FBrush;
    TPen FPen;
    TFont FFont;
};

void StartLikeAFreshBuffer(TCanvas& canvas)
{
    canvas.Pen() = TPen();
    const TFont defaults;
    canvas.Font().Assign(defaults);
}

} // namespace

void TLarkHTMLRender::DrawText(TCanvas& canvas, QPoint srcPoint, const QRect& r, TColor adjustFromColor,
                               const QRect& clipRect)
{
    DrawTextEx(canvas, srcPoint, r, false, 0, 0, 0, 0, adjustFromColor, clipRect);
}

void TLarkHTMLRender::DrawTextInColor(TCanvas& canvas, QPoint srcPoint, const QRect& r, TColor color,
                                      const QRect& clipRect)
{
    FTextOnlyPass = true;
    const auto done = qScopeGuard([this] { FTextOnlyPass = false; });
    DrawTextEx(canvas, srcPoint, r, true, color, clNone, color, clNone, clNone, clipRect);
}

void TLarkHTMLRender::DrawTextEx(TCanvas& aCanvas, QPoint aSrcPoint, const QRect& ar, bool useOverColors,
                                 TColor aColor, TColor aBkColor, TColor aSelColor, TColor aSelBkColor,
                                 TColor aAdjustFromColor, const QRect& clipRect)
{
    if (!FData || ar.isEmpty())
        return;
    QPainter* painter = aCanvas.Painter();
    if (!painter)
        return;
    FInternals->Measurer.Trim();
    const detail::PaintRequest request{ aSrcPoint, ar,         useOverColors,    aColor,  aBkColor,
                                        aSelColor, aSelBkColor, aAdjustFromColor, clipRect, FTextOnlyPass };
    std::optional<SavedCanvasState> saved;
    if (FDoubleBuffered) {
        saved.emplace(aCanvas);
        painter->save();
        painter->setClipRect(QRect(ar.topLeft(), ar.size() + QSize(1, 1)), Qt::IntersectClip);
        StartLikeAFreshBuffer(aCanvas);
    }
    const unsigned savedAlign = aCanvas.TextAlign();
    aCanvas.SetTextAlign(TA_BASELINE);
    aCanvas.Font().SetCharset(FData->Charset());
    FData->SetRect(ar);
    // Mouse input maps back to the document through this paint's origin.
    NotePaintSource(aSrcPoint);

    detail::PaintContext ctx{ *this,   *FData,          FInternals->Measurer, aCanvas, painter, request,
                              Control(), ar.topLeft(), aCanvas.ClipRect(), aCanvas.Brush().Color() };
    detail::PaintItems(ctx);

    aCanvas.SetTextAlign(savedAlign);
    if (saved)
        painter->restore();
}

} // namespace lark
