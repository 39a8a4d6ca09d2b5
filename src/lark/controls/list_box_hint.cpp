// The tooltip of the list box: a row too wide for the list shows in full in
// a hint window laid over it while the mouse rests on it. Selected rows,
// rows that fit, and the time the editor is open show none.
#include <lark/controls/list_box.h>
#include "lark/controls/list_box_model_p.h"

#include <QScreen>

namespace lark {

namespace detail {

TLarkListBoxHint::TLarkListBoxHint()
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setPalette(QPalette(palette().color(QPalette::ToolTipText), palette().color(QPalette::ToolTipBase)));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(1);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TLarkListBoxHint::Activate(QPoint topLeft, const QString& text, int maxWidth)
{
    setText(text);
    // One line when the text fits the widest hint, else wrapped at it.
    const int frame = 2 * (margin() + frameWidth()) + 6;
    const int width = std::min(fontMetrics().horizontalAdvance(text) + frame, std::max(maxWidth, frame + 1));
    resize(width, heightForWidth(width));
    move(topLeft);
    show();
}

} // namespace detail

QWidget* TLarkCustomListBox::HintWindow() const
{
    return FHintWindow && FHintWindow->isVisible() ? FHintWindow.get() : nullptr;
}

void TLarkCustomListBox::HideHint()
{
    if (FHintWindow)
        FHintWindow->hide();
}

void TLarkCustomListBox::UpdateHint(QPoint viewportPos)
{
    if (FLargeTextOptions != lbltShowHint || FEdit)
        return;
    const int index = ItemAtPos(viewportPos);
    if (index < 0 || index == ItemIndex() || (FMultiSelect && Selected(index))) {
        HideHint();
        return;
    }
    const QRect r = GetItemRect(index);
    if (ItemTextWidth(index) < r.width()) {
        HideHint();
        return;
    }
    const QString text = HintText(index);
    const QPoint topLeft = viewport()->mapToGlobal(r.topLeft());
    if (HintWindow() && FHintWindow->y() == topLeft.y()) {
        if (FHintWindow->text() != text)
            HideHint();
        return;
    }
    if (!FHintWindow)
        FHintWindow = std::make_unique<detail::TLarkListBoxHint>();
    const int maxWidth = parentWidget() ? parentWidget()->width() : width();
    FHintWindow->Activate(topLeft, text, maxWidth);
}

} // namespace lark
