// The HTML list box: rows drawn, measured and hit-tested as HTML.
//
// The render object's own input hook stays off on list boxes: it would act
// on whichever row was laid out last (Tab would walk through that row's
// links, space would toggle its check boxes). Links and inputs are handled
// here instead, on the row under the mouse.
#include <lark/controls/html_list_box.h>

#include <QEvent>

#include <lark/hook/hook_component.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QMouseEvent>
#include <QPointer>

namespace lark {

TLarkHTMLListBox::TLarkHTMLListBox(QWidget* parent)
    : TLarkCustomListBox(parent)
    , TLarkHTMLHostBase(this, std::make_unique<TLarkPadding>())
    , FRowDelegate(std::make_unique<TLarkHTMLItemDelegate>(Render(), this, nullptr))
{
    Render()->Hook()->SetActive(false);
    // Rows are drawn straight onto the view's painter.
    Render()->SetDoubleBuffered(false);
    SetItemAutoHeight(THTMLListBoxDefaults::ItemAutoHeight);
    OptionsChanged();
}

TLarkHTMLListBox::~TLarkHTMLListBox()
{
    // Rows must not be drawn or measured through a half-destroyed host.
    setItemDelegate(nullptr);
    ReleaseHost();
}

QString TLarkHTMLListBox::GetHTML() const
{
    return Items().ToStringList().join(u"\r\n");
}

void TLarkHTMLListBox::SetIsHTML(bool value)
{
    FIsHTML = value;
    FontChanged();
}

void TLarkHTMLListBox::SetCursor(const QCursor& value)
{
    FCursor = value;
    // The new cursor shows at once where the mouse is.
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    const THit hit = FIsHTML && viewport()->rect().contains(pos) ? RowAt(pos) : THit();
    ShowCursor(hit.Index >= 0 && FRowDelegate->LinkAt(hit.Text, hit.Rect, pos - hit.Rect.topLeft(), MultiLine()));
}

void TLarkHTMLListBox::OptionsChanged()
{
    if (HostDestroying())
        return;
    // The plain-text rows and the measuring use the document font too.
    const QFont font = Font().ToQFont();
    if (QWidget::font() != font)
        setFont(font);
    FontChanged();
    DoUpdate();
}

void TLarkHTMLListBox::StorageChanged()
{
    OptionsChanged();
}

void TLarkHTMLListBox::changeEvent(QEvent* event)
{
    TLarkCustomListBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        WidgetFontChanged();
}

TColor TLarkHTMLListBox::ItemTextColor() const
{
    return isEnabled() ? Font().Color() : clGrayText;
}

bool TLarkHTMLListBox::HeightsCacheable() const
{
    return TLarkCustomListBox::HeightsCacheable() && !OnGetVariable && !OnTagFound && !OnGetImage;
}

//---- Drawing and measuring --------------------------------------------------------

void TLarkHTMLListBox::DrawItem(TCanvas& canvas, int index, const QRect& rect, TOwnerDrawState state)
{
    if (!FIsHTML || OnDrawItem) {
        DrawPlainItem(canvas, index, rect, state);
        return;
    }
    TLarkHTMLItemDelegate::TRowLook look;
    if (state.testFlag(odSelected)) {
        look.Text = SelectedFontColor();
        look.Background = SelectedColor();
        look.Style = SelectedFontStyle();
    } else {
        look.Text = ItemTextColor();
        look.Background = BackgroundColor();
    }
    QRect r = rect;
    AdjustItemRect(r);
    FRowDelegate->DrawRow(canvas, GetStringValue(index), r, MultiLine(), look);
}

void TLarkHTMLListBox::MeasureItem(int index, int& height)
{
    if (!FIsHTML) {
        MeasurePlainItem(index, height);
        return;
    }
    height = FRowDelegate->MeasureRow(GetStringValue(index), viewport()->width(), MultiLine());
}

int TLarkHTMLListBox::ItemTextWidth(int index)
{
    if (!FIsHTML)
        return TLarkCustomListBox::ItemTextWidth(index);
    FRowDelegate->MeasureRow(GetStringValue(index), viewport()->width(), MultiLine());
    return Render()->Data()->TextSize().width() + 2 + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QString TLarkHTMLListBox::PlainItemText(int index)
{
    if (!FIsHTML)
        return GetStringValue(index);
    FRowDelegate->MeasureRow(GetStringValue(index), viewport()->width(), MultiLine());
    return Render()->AsText();
}

//---- Mouse ------------------------------------------------------------------------------

TLarkHTMLListBox::THit TLarkHTMLListBox::RowAt(QPoint pos)
{
    THit hit;
    const int index = ItemAtPos(pos);
    if (index < 0 || index >= Count())
        return hit;
    QRect r = GetItemRect(index);
    AdjustItemRect(r);
    if (!r.contains(pos))
        return hit;
    hit.Index = index;
    hit.Rect = r;
    hit.Text = GetStringValue(index);
    PrepareItemText(hit.Text);
    return hit;
}

void TLarkHTMLListBox::ShowCursor(bool overLink)
{
    viewport()->setCursor(overLink ? QCursor(Qt::PointingHandCursor) : FCursor);
}

void TLarkHTMLListBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const THit hit = FIsHTML ? RowAt(pos) : THit();
    if (hit.Index < 0) {
        TLarkCustomListBox::mousePressEvent(event);
        return;
    }
    const QPoint inRow = pos - hit.Rect.topLeft();
    if (const std::optional<QString> href = FRowDelegate->LinkAt(hit.Text, hit.Rect, inRow, MultiLine())) {
        HideHint();
        event->accept();
        if (event->button() == Qt::RightButton && LinkPopupMenu())
            PopupLinkMenu(event->globalPosition().toPoint());
        else
            TriggerLinkClickEvent(this, *href);
        return;
    }
    // A check box or radio button toggles in the row and stays toggled.
    if (event->button() == Qt::LeftButton && !VirtualMode()) {
        if (const std::optional<QString> changed = FRowDelegate->ClickInputAt(hit.Text, hit.Rect, inRow, MultiLine()))
            Items().SetStrings(hit.Index, *changed);
    }
    TLarkCustomListBox::mousePressEvent(event);
}

void TLarkHTMLListBox::mouseMoveEvent(QMouseEvent* event)
{
    TLarkCustomListBox::mouseMoveEvent(event);
    if (!FIsHTML)
        return;
    const QPoint pos = event->position().toPoint();
    const THit hit = RowAt(pos);
    ShowCursor(hit.Index >= 0 && FRowDelegate->LinkAt(hit.Text, hit.Rect, pos - hit.Rect.topLeft(), MultiLine()));
}

bool TLarkHTMLListBox::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        viewport()->setCursor(FCursor);
    // The right button's link menu comes with the press; no context menu
    // follows it.
    if (event->type() == QEvent::ContextMenu && FIsHTML && LinkPopupMenu()) {
        const QPoint pos = static_cast<QContextMenuEvent*>(event)->pos();
        const THit hit = RowAt(pos);
        if (hit.Index >= 0 && FRowDelegate->LinkAt(hit.Text, hit.Rect, pos - hit.Rect.topLeft(), MultiLine())) {
            event->accept();
            return true;
        }
    }
    return TLarkCustomListBox::viewportEvent(event);
}

void TLarkHTMLListBox::keyboardSearch(const QString& search)
{
    if (FAutoComplete)
        TLarkCustomListBox::keyboardSearch(search);
}

} // namespace lark
