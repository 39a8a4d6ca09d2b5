#include "lark/controls/link_pointer_p.h"

#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace lark {

TLinkPointer::TLinkPointer(QWidget* aWidget, TLinkLookup aLinkAt)
    : FWidget(aWidget)
    , FLinkAt(std::move(aLinkAt))
{
}

void TLinkPointer::ShowLinkCursor(bool OverLink)
{
    if (OverLink == FShowingHand)
        return;
    FShowingHand = OverLink;
    if (OverLink) {
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

bool TLinkPointer::Press(const QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton)
        return false;
    // Keeping the press makes the release (the click) come to this widget.
    FPressedInside = true;
    return true;
}

TLinkPointer::TRelease TLinkPointer::Release(const QMouseEvent* Event, QString& HRef)
{
    if (Event->button() != Qt::LeftButton || !FPressedInside)
        return TRelease::NotOurs;
    FPressedInside = false;
    const QPoint p = Event->position().toPoint();
    if (!FWidget->rect().contains(p))
        return TRelease::Outside;
    const std::optional<QString> href = FLinkAt(p);
    if (!href)
        return TRelease::Click;
    HRef = *href;
    return TRelease::Link;
}

} // namespace lark
