#include "lark/controls/graphic_host_events_p.h"
#include <lark/controls/html_host_base.h>

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace lark {

TGraphicHostEvents::TGraphicHostEvents(QWidget* widget, TLarkHTMLHostBase& host, THooks hooks)
    : FWidget(widget)
    , FHost(host)
    , FHooks(std::move(hooks))
{
}

bool TGraphicHostEvents::Handle(QEvent* event)
{
    bool handled = false;
    switch (event->type()) {
    case QEvent::Leave:
        ShowLinkCursor(false);
        break;
    case QEvent::MouseMove:
        ShowLinkCursor(IsOverLink(static_cast<QMouseEvent*>(event)->position().toPoint()));
        break;
    case QEvent::MouseButtonPress:
        handled = Press(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        // Accepted before the click runs: its handler may destroy the widget
        // and this object with it.
        if (!IsOurRelease(static_cast<QMouseEvent*>(event)))
            return false;
        event->accept();
        Release(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::ContextMenu:
        handled = ContextMenu(static_cast<QContextMenuEvent*>(event));
        break;
    case QEvent::Resize:
        FHooks.Resized();
        break;
    default:
        FHost.GraphicHostChanged(event, FHooks.Relayout);
        break;
    }
    if (handled)
        event->accept();
    return handled;
}

void TGraphicHostEvents::ShowLinkCursor(bool overLink)
{
    if (overLink == FShowingHand)
        return;
    FShowingHand = overLink;
    if (overLink) {
        FHadOwnCursor = FWidget->testAttribute(Qt::WA_SetCursor);
        FCursor = FHadOwnCursor ? FWidget->cursor() : QCursor();
        FWidget->setCursor(Qt::PointingHandCursor);
        return;
    }
    if (FHadOwnCursor)
        FWidget->setCursor(FCursor);
    else
        FWidget->unsetCursor();
}

bool TGraphicHostEvents::Press(const QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    // Keeping the press makes the release (the click) come to this widget.
    FPressedInside = true;
    return true;
}

bool TGraphicHostEvents::IsOurRelease(const QMouseEvent* event) const
{
    return event->button() == Qt::LeftButton && FPressedInside;
}

void TGraphicHostEvents::Release(QPoint clientPoint)
{
    FPressedInside = false;
    // Released off the widget: nothing.
    if (!FWidget->rect().contains(clientPoint))
        return;
    if (const std::optional<QString> href = FHooks.LinkAt(clientPoint))
        FHost.TriggerLinkClickEvent(FWidget, *href);
    else
        FHooks.Click();
}

bool TGraphicHostEvents::ContextMenu(const QContextMenuEvent* event)
{
    if (!FHost.LinkPopupMenu() || !IsOverLink(event->pos()))
        return false;
    FHost.PopupLinkMenu(event->globalPos());
    return true;
}

} // namespace lark
