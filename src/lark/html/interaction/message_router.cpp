// The message router and the input transfers.
//
// The render object's hook shows it every event of its host before the host
// handles it. The router picks three: key presses (Tab navigation, space on
// inputs), mouse moves (hover over inputs) and left-button releases (clicks
// on inputs and links). It never consumes an event; the host's own handling
// always follows.
#include "lark/html/interaction/interaction_p.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <cstdint>

namespace lark {

namespace {

// Host positions become document positions the way the last paint placed
// the document: its area's origin and the source point shown there. Passing
// host positions straight through would hit the wrong item in a scrolled or
// padded host.
QPoint DocumentPoint(QPoint hostPoint, QPoint areaOrigin, QPoint source)
{
    return QPoint(SaturatingInt(std::int64_t(hostPoint.x()) - areaOrigin.x() + source.x()),
                  SaturatingInt(std::int64_t(hostPoint.y()) - areaOrigin.y() + source.y()));
}

} // namespace

//---- The router -----------------------------------------------------------------

void TLarkHTMLRender::RouteHostEvent(QEvent* message, bool& handled)
{
    handled = false;
    if (!FData || !message)
        return;
    switch (message->type()) {
    case QEvent::KeyPress: {
        const auto* event = static_cast<const QKeyEvent*>(message);
        // A Qt key event cannot be changed, and nothing here changes the key.
        int key = event->key();
        KeyDownTransfer(key, ShiftStateOf(event->modifiers()));
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto* event = static_cast<const QMouseEvent*>(message);
        const QPoint p = DocumentPoint(event->position().toPoint(), FData->Rect().topLeft(), FPaintSource);
        if (message->type() == QEvent::MouseMove)
            MouseMoveTransfer(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y(), FData->Rect());
        else if (event->button() == Qt::LeftButton)
            ClickTransfer(p.x(), p.y(), FData->Rect());
        break;
    }
    default:
        break;
    }
}

//---- Transfers --------------------------------------------------------------------

void TLarkHTMLRender::MouseMoveTransfer(TShiftState /*Shift*/, int x, int y, const QRect& r)
{
    if (!FData)
        return;
    // Only inputs show a hover state; the container raises Change when the
    // hovered input changes.
    FData->SetActiveItem(dynamic_cast<TLarkHTMLInputItem*>(GetItemAt(QPoint(x, y), QPoint(), r)));
}

void TLarkHTMLRender::ClickTransfer(int x, int y, const QRect& r)
{
    if (!FData)
        return;
    TLarkHTMLItem* item = GetItemAt(QPoint(x, y), QPoint(), r);
    detail::StoreSelectedItem(*FData, nullptr);
    // A click beside everything only drops the selection; nobody repaints
    // for that until something else changes.
    if (!item)
        return;
    const QPointer<TLarkHTMLRender> self(this);
    if (auto* input = dynamic_cast<TLarkHTMLInputItem*>(item)) {
        detail::StoreSelectedItem(*FData, input);
        input->Click();
    } else if (FLinkSelect && item->IsLink()) {
        detail::StoreSelectedItem(*FData, item);
    }
    if (self)
        Change();
}

void TLarkHTMLRender::KeyDownTransfer(int& key, TShiftState shift)
{
    if (!FData)
        return;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // Qt reports Shift+Tab as Backtab (with Shift held, mostly).
        if (key == Qt::Key_Backtab)
            shift.Include(ssShift);
        // Any other modifier leaves the selection alone; hosts still repaint.
        if (shift.IsEmpty())
            SelectNextSuitableItem();
        else if (shift == TShiftState{ ssShift })
            SelectPrevSuitableItem();
        Change();
        return;
    }
    if (auto* input = dynamic_cast<TLarkHTMLInputItem*>(FData->SelectedItem()))
        input->KeyDownTransfer(key);
}

} // namespace lark
