// The view's mouse handling: the cursor over links, clicks on links, and the
// context menu (LinkPopupMenu over a link, PopupMenu elsewhere). Check boxes,
// radio buttons, hover and link selection are the render object's, through
// the hook it keeps on the view, before any of this runs.
#include <lark/controls/view.h>

#include <lark/html/render.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

namespace lark {

//---- Links under the mouse ----------------------------------------------------

// The document point at the widget's origin: a client position plus this
// is a document position.
QPoint TLarkCustomHTMLView::DocumentSource() const
{
    return FOffset - FTextRect.topLeft();
}

bool TLarkCustomHTMLView::LinkAt(QPoint clientPos, QString& hRef)
{
    return Render()->IsCursorOverLink(clientPos, DocumentSource(), FTextRect, hRef);
}

void TLarkCustomHTMLView::ShowCursorAt(QPoint clientPos)
{
    QString href;
    if (LinkAt(clientPos, href))
        setCursor(Qt::PointingHandCursor);
    else
        setCursor(FCursor);
}

//---- Mouse ----------------------------------------------------------------------

void TLarkCustomHTMLView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        FLeftPressed = true;
    QWidget::mousePressEvent(e);
}

void TLarkCustomHTMLView::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = e->button() == Qt::LeftButton && FLeftPressed && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        FLeftPressed = false;
    if (click)
        Click(e->position().toPoint());
    else
        QWidget::mouseReleaseEvent(e);
}

void TLarkCustomHTMLView::mouseMoveEvent(QMouseEvent* e)
{
    ShowCursorAt(e->position().toPoint());
    QWidget::mouseMoveEvent(e);
}

void TLarkCustomHTMLView::Click(QPoint clientPos)
{
    QString href;
    if (LinkAt(clientPos, href)) {
        TriggerLinkClickEvent(this, href);
        return;
    }
    const QPointer<TLarkCustomHTMLView> self(this);
    if (OnClick)
        OnClick(this);
    if (self)
        Q_EMIT clicked();
}

void TLarkCustomHTMLView::enterEvent(QEnterEvent* e)
{
    FMouseOver = true;
    QWidget::enterEvent(e);
}

void TLarkCustomHTMLView::leaveEvent(QEvent* e)
{
    FMouseOver = false;
    QWidget::leaveEvent(e);
}

//---- Context menu -------------------------------------------------------------

void TLarkCustomHTMLView::contextMenuEvent(QContextMenuEvent* e)
{
    if (IsDesigning()) {
        e->ignore();
        return;
    }
    const QPointer<TLarkCustomHTMLView> self(this);
    QString href;
    const bool overLink = LinkAt(e->pos(), href);
    bool handled = false;
    if (OnContextPopup) {
        OnContextPopup(this, e->pos(), handled);
        if (!self)
            return;
    }
    if (handled) {
        e->accept();
        return;
    }
    // Over a link the link menu answers, even when there is none to show.
    if (overLink) {
        PopupLinkMenu(e->globalPos());
        e->accept();
        return;
    }
    if (FPopupMenu) {
        FPopupMenu->popup(e->globalPos());
        e->accept();
        return;
    }
    e->ignore();
}

} // namespace lark
