// Text selection in the HTML controls: the selected range and its contents,
// the highlight, and the mouse and key handling every host shares.
//
// The handling is an event filter on the host widget. It is installed after
// the render object's hook, so it sees each event first: it can keep the
// release that ends a drag from the hook (which would toggle a check box
// under it) and from the host (which would follow a link), while a click
// without a drag goes on to both as before.
#include <lark/controls/html_host_base.h>

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

class TextSelector : public QObject
{
public:
    TextSelector(QWidget* widget, TLarkHTMLHostBase& host)
        : QObject(widget)
        , FWidget(widget)
        , FHost(host)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != FWidget)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return Press(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            Move(static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::MouseButtonRelease:
            return Release(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick:
            return DoubleClick(static_cast<QMouseEvent*>(event));
        case QEvent::ShortcutOverride:
            // The window's own shortcuts must not take the keys the
            // selection answers while the host has the focus.
            if (IsSelectionKey(static_cast<QKeyEvent*>(event))) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            return Key(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            return ContextMenu(static_cast<QContextMenuEvent*>(event));
        default:
            return false;
        }
    }

private:
    int OffsetAt(QPointF clientPos) const
    {
        const TLarkHTMLTextLayout* layout = FHost.TextLayout();
        return layout ? layout->OffsetAt(FHost.ClientToDocument(clientPos.toPoint())) : 0;
    }

    // A link or an input under the point keeps its double-click behaviour
    // (two clicks).
    bool OverActiveItem(QPointF clientPos) const
    {
        TLarkHTMLRender* render = FHost.Render();
        if (!render || !render->Data())
            return false;
        const TLarkHTMLItem* item = render->GetItemAt(FHost.ClientToDocument(clientPos.toPoint()), QPoint(),
                                                      render->Data()->Rect());
        return item && (item->IsLink() || item->ItemType() == hitInput);
    }

    bool Press(QMouseEvent* e)
    {
        if (e->button() != Qt::LeftButton)
            return false;
        FPressed = true;
        FDragging = false;
        FPressPos = e->position();
        const int at = OffsetAt(e->position());
        if (e->modifiers().testFlag(Qt::ShiftModifier) && !FHost.SelectedRange().IsEmpty()) {
            FAnchor = FHost.SelectedRange().Start;
            FHost.SetSelectedRange({FAnchor, at});
            FDragging = true;
        } else {
            FAnchor = at;
            FHost.ClearTextSelection();
        }
        return false;
    }

    void Move(QMouseEvent* e)
    {
        if (!FPressed || !e->buttons().testFlag(Qt::LeftButton))
            return;
        if (!FDragging) {
            const QPointF moved = e->position() - FPressPos;
            if (moved.manhattanLength() < QApplication::startDragDistance())
                return;
            FDragging = true;
        }
        FHost.SetSelectedRange({FAnchor, OffsetAt(e->position())});
    }

    bool Release(QMouseEvent* e)
    {
        if (e->button() != Qt::LeftButton)
            return false;
        const bool swallow = FDragging || FWordSelected;
        FPressed = false;
        FDragging = false;
        FWordSelected = false;
        return swallow;
    }

    bool DoubleClick(QMouseEvent* e)
    {
        if (e->button() != Qt::LeftButton || OverActiveItem(e->position()))
            return false;
        const TLarkHTMLTextLayout* layout = FHost.TextLayout();
        if (!layout)
            return false;
        const TLarkHTMLTextRange word = layout->WordAt(OffsetAt(e->position()));
        FHost.SetSelectedRange(word);
        FAnchor = word.Start;
        FWordSelected = true;
        FPressed = false;
        return true;
    }

    static bool IsSelectionKey(QKeyEvent* e)
    {
        return e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll);
    }

    bool Key(QKeyEvent* e)
    {
        if (e->matches(QKeySequence::SelectAll)) {
            FHost.SelectAll();
            return true;
        }
        if (e->matches(QKeySequence::Copy)) {
            FHost.CopySelection();
            return true;
        }
        return false;
    }

    bool ContextMenu(QContextMenuEvent* e)
    {
        // Without a selection the host's own menus answer as before.
        if (FHost.SelectedRange().IsEmpty())
            return false;
        auto* menu = new QMenu(FWidget);
        menu->setObjectName(u"TextSelectionMenu"_s);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* copy = menu->addAction(QObject::tr("Copy"), [this] { FHost.CopySelection(); });
        copy->setShortcut(QKeySequence::Copy);
        QAction* all = menu->addAction(QObject::tr("Select All"), [this] { FHost.SelectAll(); });
        all->setShortcut(QKeySequence::SelectAll);
        menu->popup(e->globalPos());
        e->accept();
        return true;
    }

    QWidget* const FWidget;
    TLarkHTMLHostBase& FHost;
    bool FPressed = false;
    bool FDragging = false;
    bool FWordSelected = false;
    QPointF FPressPos;
    int FAnchor = 0;
};

} // namespace

void TLarkHTMLHostBase::SetTextSelection(bool value)
{
    if (value == FTextSelection)
        return;
    FTextSelection = value;
    if (value) {
        FTextSelector = new TextSelector(FSelf, *this);
        FFocusPolicyBeforeSelection = FSelf->focusPolicy();
        // Ctrl+C and Ctrl+A need the keyboard focus.
        if (FFocusPolicyBeforeSelection == Qt::NoFocus)
            FSelf->setFocusPolicy(Qt::ClickFocus);
        return;
    }
    delete FTextSelector.data();
    if (FFocusPolicyBeforeSelection == Qt::NoFocus)
        FSelf->setFocusPolicy(Qt::NoFocus);
    ClearTextSelection();
}

TLarkHTMLTextRange TLarkHTMLHostBase::SelectedRange() const
{
    // A selection belongs to the source it was made in.
    if (FSelection.IsEmpty() || FSelectionSource != GetSourceText())
        return {};
    const TLarkHTMLTextLayout* layout = TextLayout();
    if (!layout)
        return {};
    const auto clamp = [layout](int offset) { return std::clamp(offset, 0, layout->Length()); };
    return {clamp(FSelection.Start), clamp(FSelection.End)};
}

void TLarkHTMLHostBase::SetSelectedRange(TLarkHTMLTextRange value)
{
    const TLarkHTMLTextRange before = SelectedRange();
    FSelection = value;
    FSelectionSource = value.IsEmpty() ? QString() : GetSourceText();
    if (SelectedRange() != before)
        FSelf->update();
}

void TLarkHTMLHostBase::SelectAll()
{
    if (const TLarkHTMLTextLayout* layout = TextLayout())
        SetSelectedRange({0, layout->Length()});
}

QString TLarkHTMLHostBase::SelectedText() const
{
    const TLarkHTMLTextLayout* layout = TextLayout();
    return layout ? layout->RangeText(SelectedRange()) : QString();
}

QString TLarkHTMLHostBase::SelectedHTML() const
{
    const TLarkHTMLTextLayout* layout = TextLayout();
    return layout ? layout->RangeHTML(SelectedRange()) : QString();
}

void TLarkHTMLHostBase::CopySelection() const
{
    const TLarkHTMLTextRange range = SelectedRange();
    if (range.IsEmpty())
        return;
    auto* mime = new QMimeData;
    mime->setText(SelectedText());
    mime->setHtml(SelectedHTML());
    QApplication::clipboard()->setMimeData(mime);
}

const TLarkHTMLTextLayout* TLarkHTMLHostBase::TextLayout() const
{
    const TLarkHTMLData* data = FRender ? FRender->Data() : nullptr;
    if (!data)
        return nullptr;
    const int width = data->Rect().width();
    if (!FTextLayout || FTextLayoutData != data || FTextLayout->ListVersion() != data->ListVersion()
        || FTextLayout->AreaWidth() != width) {
        FTextLayout = std::make_unique<TLarkHTMLTextLayout>(*FRender->Data(), width);
        FTextLayoutData = data;
    }
    return FTextLayout.get();
}

QPoint TLarkHTMLHostBase::ClientToDocument(QPoint clientPoint) const
{
    const TLarkHTMLData* data = FRender ? FRender->Data() : nullptr;
    if (!data)
        return clientPoint;
    return clientPoint - data->Rect().topLeft() + FRender->PaintSource();
}

QRect TLarkHTMLHostBase::DocumentToClient(const QRect& docRect) const
{
    const TLarkHTMLData* data = FRender ? FRender->Data() : nullptr;
    if (!data)
        return docRect;
    return docRect.translated(data->Rect().topLeft() - FRender->PaintSource());
}

TColor TLarkHTMLHostBase::DisabledTextColor() const
{
    return FromQColor(FSelf->palette().color(QPalette::Disabled, QPalette::WindowText));
}

void TLarkHTMLHostBase::DrawHostDocument(TCanvas& canvas, QPoint srcPoint, const QRect& r, const QRect& clipRect)
{
    if (!FSelf->isEnabled()) {
        FRender->DrawTextEx(canvas, srcPoint, r, true, DisabledTextColor(), clNone, clNone, clNone, 0, clipRect);
        return;
    }
    FRender->DrawText(canvas, srcPoint, r, clNone, clipRect);
    PaintTextSelection(canvas, srcPoint, r, clipRect);
}

void TLarkHTMLHostBase::PaintTextSelection(TCanvas& canvas, QPoint srcPoint, const QRect& rect, const QRect& clipRect)
{
    QPainter* painter = canvas.Painter();
    if (!FTextSelection || !painter || !FRender->Data())
        return;
    const TLarkHTMLTextRange range = SelectedRange();
    if (range.IsEmpty())
        return;
    QRegion region;
    for (const QRect& r : TextLayout()->RangeRects(range))
        region += r.translated(rect.topLeft() - srcPoint).intersected(clipRect);
    if (region.isEmpty())
        return;
    const QPalette& palette = FSelf->palette();
    painter->save();
    painter->setClipRegion(region, Qt::IntersectClip);
    painter->fillRect(region.boundingRect(), palette.color(QPalette::Highlight));
    FRender->DrawTextInColor(canvas, srcPoint, rect, FromQColor(palette.color(QPalette::HighlightedText)), clipRect);
    painter->restore();
}

} // namespace lark
