// The view's geometry and scrolling: the client and text rectangles, the
// scroll ranges and scroll bars, the scroll requests, the wheel and the keys.
//
//   +--------------------------------+  border (style frame width)
//   | client area          |  vert.  |
//   |   +--------------+   |  scroll |
//   |   | text rect    |   |  bar    |  text rect = client less padding
//   |   +--------------+   |         |
//   |----------------------+---------|
//   | horz. scroll bar     | corner  |
//   +--------------------------------+
//
// A scroll range is (Max, Page): the document extent and the visible extent.
// Vertically Page is the client height; horizontally it is half the client
// width. The scroll bars mirror a range as positions 0 .. Max - Page + 1, the
// last one showing one pixel past the end, as a page-down to the bottom does.
//
// Scroll requests compute a new position and apply it only inside the range
// (0 .. Max vertically, 0 .. Max - 1 horizontally); anything else is
// ignored, never clamped. Positions are plain ints, so there is no limit at
// 32767 pixels.
#include <lark/controls/view.h>

#include <lark/framework/limits.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace lark {

namespace {

// One wheel notch, in eighths of a degree.
constexpr int kWheelDelta = 120;

struct SliderActionCode
{
    QAbstractSlider::SliderAction Action;
    TScrollCode Code;
};

// What a scroll bar's user action asks for.
constexpr SliderActionCode kSliderActionCodes[] = {
    {QAbstractSlider::SliderSingleStepSub, scLineUp},
    {QAbstractSlider::SliderSingleStepAdd, scLineDown},
    {QAbstractSlider::SliderPageStepSub, scPageUp},
    {QAbstractSlider::SliderPageStepAdd, scPageDown},
    {QAbstractSlider::SliderToMinimum, scTop},
    {QAbstractSlider::SliderToMaximum, scBottom},
    {QAbstractSlider::SliderMove, scTrack},
};

std::optional<TScrollCode> ScrollCodeOf(int action)
{
    for (const SliderActionCode& entry : kSliderActionCodes) {
        if (entry.Action == action)
            return entry.Code;
    }
    return std::nullopt;
}

// Shows Range on a scroll bar without it reporting anything back.
void MirrorRange(QScrollBar& bar, int max, int page, int position)
{
    const QSignalBlocker blocker(bar);
    const int last = std::max(0, SaturatingInt(std::int64_t(max) - page + 1));
    bar.setRange(0, last);
    bar.setPageStep(std::max(page, 0));
    bar.setValue(std::clamp(position, 0, last));
}

} // namespace

//---- Geometry -------------------------------------------------------------

int TLarkCustomHTMLView::FrameWidth() const
{
    if (FBorderStyle == bsNone)
        return 0;
    QStyleOptionFrame option;
    option.initFrom(this);
    option.frameShape = QFrame::StyledPanel;
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
}

int TLarkCustomHTMLView::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FVertScrollBar);
}

QRect TLarkCustomHTMLView::InnerRect() const
{
    const int frame = FrameWidth();
    return rect().adjusted(frame, frame, -frame, -frame);
}

QRect TLarkCustomHTMLView::ClientRect() const
{
    QRect client = InnerRect();
    const int extent = ScrollBarExtent();
    if (FVScrollVisible)
        client.setRight(client.right() - extent);
    if (FHScrollVisible)
        client.setBottom(client.bottom() - extent);
    return client;
}

QPoint TLarkCustomHTMLView::GetOffset() const
{
    const int frame = FrameWidth();
    return {frame, frame};
}

void TLarkCustomHTMLView::SetViewRect(const QRect& r)
{
    // The margin takes no part: the padding alone separates text and edge.
    const QRect view = r.marginsRemoved(GetPadding()->Margins());
    if (view == FViewRect)
        return;
    FViewRect = view;
    FTextRect = FViewRect;
    update();
}

//---- Scroll ranges ----------------------------------------------------------

// CW and CH are the inner size, scroll bars included; a bar that shows takes
// its real extent from the other direction's page.
bool TLarkCustomHTMLView::UpdateHorzRange(int clientWidth, int textWidth)
{
    const int allowance = FVScrollVisible ? ScrollBarExtent() : 0;
    const int visible = clientWidth - allowance;
    FHorzRange.Max = !FWordWrap && textWidth >= FTextRect.width() ? textWidth : 0;
    FHorzRange.Page = visible / 2;
    MirrorRange(*FHorzScrollBar, FHorzRange.Max, FHorzRange.Page, FOffset.x());
    const bool shown = visible < FHorzRange.Max;
    const bool changed = shown != FHScrollVisible;
    FHScrollVisible = shown;
    return changed;
}

bool TLarkCustomHTMLView::UpdateVertRange(int clientHeight, int textHeight)
{
    const int allowance = FHScrollVisible ? ScrollBarExtent() : 0;
    FVertRange.Max = textHeight;
    FVertRange.Page = clientHeight - allowance;
    MirrorRange(*FVertScrollBar, FVertRange.Max, FVertRange.Page, FOffset.y());
    FVertScrollBar->setSingleStep(std::max(1, std::abs(Font().Height())));
    const bool shown = FVertRange.Max > FVertRange.Page;
    const bool changed = shown != FVScrollVisible;
    FVScrollVisible = shown;
    return changed;
}

bool TLarkCustomHTMLView::NeedsRewrap() const
{
    return FWordWrap && FBuiltWidth != FTextRect.width();
}

void TLarkCustomHTMLView::UpdateScrollBars()
{
    if (FUpdatingScrollBars || HostDestroying())
        return;
    FUpdatingScrollBars = true;
    const auto done = qScopeGuard([this] { FUpdatingScrollBars = false; });

    const QRect inner = InnerRect();
    QSize text = Render()->Data()->TextSize();
    FHScrollVisible = !FWordWrap && inner.width() < text.width();
    for (int round = 0;; ++round) {
        bool changed = UpdateHorzRange(inner.width(), text.width());
        if (!changed)
            changed = UpdateVertRange(inner.height(), text.height());
        // The text rectangle follows the bars at once, so that a wrapped
        // document re-wraps at the width it will be shown at.
        SetViewRect(ClientRect());
        if ((!changed && !NeedsRewrap()) || round == limits::kMaxScrollBarRounds)
            break;
        if (FWordWrap) {
            if (FPainting) {
                // Re-wrapping now would free the items being painted.
                DeferContentChange();
                break;
            }
            const QPoint offset = FOffset;
            RebuildDocument();
            FOffset = offset;
            text = Render()->Data()->TextSize();
        }
    }
    PlaceScrollBars();
}

void TLarkCustomHTMLView::PlaceScrollBars()
{
    const QRect inner = InnerRect();
    const QRect client = ClientRect();
    const int extent = ScrollBarExtent();
    FVertScrollBar->setGeometry(client.right() + 1, inner.top(), extent, client.height());
    FHorzScrollBar->setGeometry(inner.left(), client.bottom() + 1, client.width(), extent);
    FVertScrollBar->setVisible(FVScrollVisible);
    FHorzScrollBar->setVisible(FHScrollVisible);
}

//---- Scroll requests ---------------------------------------------------------

void TLarkCustomHTMLView::ScrollTo(int x, int y)
{
    if (x == FOffset.x() && y == FOffset.y())
        return;
    FOffset = QPoint(x, y);
    UpdateScrollBars();
    update(ClientRect());
}

void TLarkCustomHTMLView::VScroll(TScrollCode scrollCode, int scrollPos)
{
    const std::int64_t max = FVertRange.Max;
    const std::int64_t page = FVertRange.Page;
    const std::int64_t line = std::abs(std::int64_t(Font().Height()));
    const std::int64_t y = FOffset.y();
    if (max < page)
        return; // the document fits
    std::int64_t n = y;
    switch (scrollCode) {
    case scLineUp:
        n = std::max<std::int64_t>(y - line, 0);
        break;
    case scLineDown:
        n = max > page + y ? y + line : y;
        break;
    case scPageUp:
        n = std::max<std::int64_t>(y - page, 0);
        break;
    case scPageDown:
        n = y + page;
        // The last page shows one pixel past the end, like the bottom.
        if (page + n >= max)
            n = max - page + 1;
        break;
    case scPosition:
    case scTrack:
        n = scrollPos;
        break;
    case scTop:
        n = 0;
        break;
    case scBottom:
        n = std::int64_t(Render()->Data()->TextSize().height()) - page + 1;
        break;
    case scEndScroll:
        break;
    }
    if (n < 0 || n > max)
        return;
    ScrollTo(FOffset.x(), int(n));
}

void TLarkCustomHTMLView::HScroll(TScrollCode scrollCode, int scrollPos)
{
    const std::int64_t max = FHorzRange.Max;
    const std::int64_t page = FHorzRange.Page;
    const std::int64_t x = FOffset.x();
    std::int64_t n = x;
    switch (scrollCode) {
    case scLineUp:
        n = x - 1;
        break;
    case scLineDown:
        n = x + 1;
        break;
    case scPageUp:
        n = std::max<std::int64_t>(x - page, 0);
        break;
    case scPageDown:
        n = x + page;
        break;
    case scPosition:
    case scTrack:
        n = scrollPos;
        break;
    case scTop:
        n = 0;
        break;
    case scBottom: {
        // The right end of the document at the client's right edge (and one
        // pixel past it, as at the bottom); the page is only half the width.
        const int visible = InnerRect().width() - (FVScrollVisible ? ScrollBarExtent() : 0);
        n = max - visible + 1;
        break;
    }
    case scEndScroll:
        break;
    }
    if (n < 0 || n >= max)
        return;
    ScrollTo(int(n), FOffset.y());
}

void TLarkCustomHTMLView::ScrollBarAction(QScrollBar* bar, int action)
{
    const std::optional<TScrollCode> code = ScrollCodeOf(action);
    if (code) {
        if (bar == FVertScrollBar)
            VScroll(*code, bar->sliderPosition());
        else
            HScroll(*code, bar->sliderPosition());
    }
    // The bar shows where the view is, not where it would have gone itself.
    const int position = bar == FVertScrollBar ? FOffset.y() : FOffset.x();
    bar->setSliderPosition(std::clamp(position, bar->minimum(), bar->maximum()));
}

//---- Wheel --------------------------------------------------------------------

void TLarkCustomHTMLView::MouseWheelScroll(int wheelDelta)
{
    const int lines = std::max(QApplication::wheelScrollLines(), 1);
    // More lines than eighths of a degree per notch would divide by zero.
    const int unit = std::max(kWheelDelta / lines, 1);
    // High-resolution wheels send fractions of a notch; they add up rather
    // than being lost. A turn the other way starts afresh.
    if ((wheelDelta > 0) != (FWheelRemainder > 0))
        FWheelRemainder = 0;
    FWheelRemainder += wheelDelta;
    const int steps = FWheelRemainder / unit;
    FWheelRemainder -= steps * unit;
    if (steps == 0)
        return;
    const std::int64_t y = FOffset.y();
    if (steps < 0 && std::int64_t(FVertRange.Page) + y >= FVertRange.Max)
        return; // already at the bottom
    std::int64_t n = y - std::int64_t(steps) * FScrollStep;
    if (n < 0 && steps > 0)
        n = 0;
    if (n < 0 || n > INT_MAX)
        return;
    VScroll(scPosition, int(n));
}

void TLarkCustomHTMLView::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        e->ignore();
        return;
    }
    MouseWheelScroll(delta);
    e->accept();
}

//---- Keys ---------------------------------------------------------------------

bool TLarkCustomHTMLView::event(QEvent* e)
{
    // The view wants Tab for moving between its links and inputs (the
    // render object's hook already did that), so it must not move the focus.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(e);
}

void TLarkCustomHTMLView::keyPressEvent(QKeyEvent* e)
{
    const QPointer<TLarkCustomHTMLView> self(this);
    int key = e->key();
    const TShiftState shift = ShiftStateOf(e->modifiers());
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (!self)
            return;
    }
    // Tab was the hook's; a key the handler cleared is done with.
    const bool done = key == 0 || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    // Keys the view does not use (Home and End among them) go on to the parent.
    e->setAccepted(done || HandleKey(key, shift));
}

namespace {

// Unshifted keys that scroll the view, and how.
struct ScrollKey
{
    int Key;
    bool Vertical;
    TScrollCode Code;
};

constexpr ScrollKey kScrollKeys[] = {
    {Qt::Key_Space, true, scPageDown}, {Qt::Key_PageDown, true, scPageDown}, {Qt::Key_PageUp, true, scPageUp},
    {Qt::Key_Up, true, scLineUp},      {Qt::Key_Down, true, scLineDown},     {Qt::Key_Left, false, scLineUp},
    {Qt::Key_Right, false, scLineDown},
};

} // namespace

bool TLarkCustomHTMLView::HandleKey(int key, TShiftState shift)
{
    if (shift == TShiftState{ssCtrl}) {
        if (key == Qt::Key_Left)
            HScroll(scPageUp);
        else if (key == Qt::Key_Right)
            HScroll(scPageDown);
        else
            return false;
        return true;
    }
    if (!shift.IsEmpty())
        return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const TLarkHTMLItem* selected = Render()->Data()->SelectedItem();
        if (selected && selected->IsLink()) {
            // A copy: following the link may re-parse and free the item.
            const QString href = selected->LinkRef();
            TriggerLinkClickEvent(this, href);
        }
        return true;
    }
    default:
        break;
    }
    for (const ScrollKey& k : kScrollKeys) {
        if (k.Key != key)
            continue;
        if (k.Vertical)
            VScroll(k.Code);
        else
            HScroll(k.Code);
        return true;
    }
    return false;
}

} // namespace lark
