// The accessible children of a document: links (press follows them as a
// click does) and inline check boxes and radio buttons (toggle changes them
// as a click does). Each child stands for one entry of its host's listing
// and goes invalid, never dangling, when the document is listed anew.
#include "lark/controls/accessible_html_p.h"

#include <lark/controls/html_host_base.h>
#include <lark/html/model/items.h>

#include <QWidget>
#include <QWindow>

namespace lark::detail {

TDocumentItemAccessible::TDocumentItemAccessible(THostAccessible* host, int entry)
    : FHost(host)
    , FEntry(entry)
    , FGeneration(host->ListedGeneration())
{
}

const THostAccessible::TEntry* TDocumentItemAccessible::Current() const
{
    if (!FHost->ListingCurrent() || FHost->ListedGeneration() != FGeneration)
        return nullptr;
    const THostAccessible::TEntry* entry = FHost->ListedEntry(FEntry);
    return entry && FHost->ItemOf(*entry) ? entry : nullptr;
}

bool TDocumentItemAccessible::isValid() const
{
    return Current();
}

QWindow* TDocumentItemAccessible::window() const
{
    return FHost->window();
}

QAccessibleInterface* TDocumentItemAccessible::parent() const
{
    return FHost;
}

QString TDocumentItemAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const THostAccessible::TEntry& entry = *Current();
    switch (t) {
    case QAccessible::Name:
        return FHost->EntryName(entry);
    case QAccessible::Description:
        // Where a link leads.
        return entry.Kind == THostAccessible::TKind::Link ? FHost->ItemOf(entry)->LinkRef() : QString();
    default:
        return {};
    }
}

QRect TDocumentItemAccessible::rect() const
{
    return isValid() ? FHost->EntryScreenRect(*Current()) : QRect();
}

QAccessible::Role TDocumentItemAccessible::role() const
{
    if (!isValid())
        return QAccessible::NoRole;
    const THostAccessible::TEntry& entry = *Current();
    if (entry.Kind == THostAccessible::TKind::Link)
        return QAccessible::Link;
    const auto* input = static_cast<const TLarkHTMLInputItem*>(FHost->ItemOf(entry));
    return input->InputType() == itRadioButton ? QAccessible::RadioButton : QAccessible::CheckBox;
}

QAccessible::State TDocumentItemAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const THostAccessible::TEntry& entry = *Current();
    const QWidget* host = FHost->HostWidget();
    s.focusable = true;
    s.focused = FHost->EntryHasFocus(entry);
    s.disabled = !host->isEnabled();
    s.invisible = !host->isVisible();
    const QRect shown(host->mapToGlobal(QPoint(0, 0)), host->size());
    s.offscreen = !rect().intersects(shown);
    if (entry.Kind == THostAccessible::TKind::Link) {
        s.linked = true;
    } else {
        s.checkable = true;
        s.checked = static_cast<const TLarkHTMLInputItem*>(FHost->ItemOf(entry))->Checked();
    }
    return s;
}

void* TDocumentItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList TDocumentItemAccessible::actionNames() const
{
    if (!isValid() || !FHost->HostWidget()->isEnabled())
        return {};
    const bool link = Current()->Kind == THostAccessible::TKind::Link;
    return {link ? pressAction() : toggleAction(), setFocusAction()};
}

void TDocumentItemAccessible::doAction(const QString& actionName)
{
    if (!actionNames().contains(actionName))
        return;
    if (actionName == setFocusAction())
        FHost->FocusEntry(FEntry);
    else
        FHost->PressEntry(FEntry);
}

} // namespace lark::detail
