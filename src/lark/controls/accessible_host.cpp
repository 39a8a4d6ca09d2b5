// The accessible interface of the label, view and panel: the document's
// children (links, inputs, embedded widgets) and its plain text.
//
// Offsets are those of TLarkHTMLTextLayout, the document's plain text. Words
// and lines come from the layout (visual lines, as the document is wrapped
// now); characters, sentences and paragraphs from Qt's own text boundaries.
#include "lark/controls/accessible_html_p.h"

#include <lark/controls/html_host_base.h>
#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/html/layout/text_layout.h>

#include <QTextBoundaryFinder>
#include <QSet>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <utility>

namespace lark::detail {

THostAccessible::THostAccessible(QWidget* widget, TLarkHTMLHostBase* host, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
    , FHost(host)
    , FRole(role)
{
    if (AccessibleClientListening())
        FAnnouncedText = AllText();
}

THostAccessible::~THostAccessible()
{
    DropChildren();
}

void THostAccessible::HostReleased()
{
    DropChildren();
    FHost = nullptr;
    FListed = false;
}

//---- The document's children ---------------------------------------------------

void THostAccessible::DropChildren() const
{
    for (TEntry& entry : FEntries) {
        if (entry.Id)
            QAccessible::deleteAccessibleInterface(entry.Id);
    }
    FEntries.clear();
    ++FGeneration;
}

bool THostAccessible::ListingCurrent() const
{
    const TLarkHTMLData* data = FHost && FHost->Render() ? FHost->Render()->Data() : nullptr;
    return FListed && data && data == FListedData && data->ListVersion() == FListedVersion;
}

const THostAccessible::TEntry* THostAccessible::ListedEntry(int entry) const
{
    return entry >= 0 && entry < int(FEntries.size()) ? &FEntries[std::size_t(entry)] : nullptr;
}

// A link is the run of link items from the focusable item that starts it,
// through soft breaks, while the target stays the same.
void THostAccessible::Sync() const
{
    const TLarkHTMLData* data = FHost && FHost->Render() ? FHost->Render()->Data() : nullptr;
    if (FListed && data == FListedData && (!data || data->ListVersion() == FListedVersion))
        return;
    DropChildren();
    FListed = true;
    FListedData = data;
    FListedVersion = data ? data->ListVersion() : 0;
    if (!data)
        return;
    const auto& items = data->Items();
    const QList<TLarkHTMLItem*>& focusable = data->ControlsArray();
    const QSet<const TLarkHTMLItem*> starts(focusable.begin(), focusable.end());
    for (TLarkHTMLItem* item : focusable) {
        const int first = data->IndexOfItem(item);
        if (first < 0)
            continue;
        TEntry entry;
        entry.FirstItem = entry.LastItem = first;
        if (item->ItemType() == hitInput) {
            entry.Kind = TKind::Input;
            entry.Checked = static_cast<const TLarkHTMLInputItem*>(item)->Checked();
        } else if (item->ItemType() == hitControl) {
            entry.Kind = TKind::Control;
            entry.Control = static_cast<const TLarkHTMLControlItem*>(item)->Control();
            // A label puts its controls on its parent; they are listed there.
            if (!entry.Control || entry.Control->parentWidget() != widget())
                continue;
        } else if (item->IsLink()) {
            entry.Kind = TKind::Link;
            for (int i = first + 1; i < int(items.size()); ++i) {
                const TLarkHTMLItem& next = *items[std::size_t(i)];
                if (starts.contains(&next))
                    break;
                if (next.ItemType() == hitSoftBreak)
                    continue;
                if (!next.IsLink() || next.LinkRef() != item->LinkRef())
                    break;
                entry.LastItem = i;
            }
        } else {
            continue;
        }
        FEntries.push_back(entry);
    }
}

const THostAccessible::TEntry* THostAccessible::EntryAt(int entry) const
{
    Sync();
    return entry >= 0 && entry < int(FEntries.size()) ? &FEntries[std::size_t(entry)] : nullptr;
}

TLarkHTMLItem* THostAccessible::ItemOf(const TEntry& entry) const
{
    const TLarkHTMLData* data = FHost && FHost->Render() ? FHost->Render()->Data() : nullptr;
    if (!data || entry.FirstItem >= data->ItemCount())
        return nullptr;
    return data->Items()[std::size_t(entry.FirstItem)].get();
}

QAccessibleInterface* THostAccessible::EntryInterface(int index) const
{
    TEntry& entry = FEntries[std::size_t(index)];
    if (entry.Kind == TKind::Control)
        return entry.Control ? QAccessible::queryAccessibleInterface(entry.Control) : nullptr;
    if (QAccessibleInterface* made = entry.Id ? QAccessible::accessibleInterface(entry.Id) : nullptr)
        return made;
    // The cache owns it from here; DropChildren deletes it.
    auto* made = new TDocumentItemAccessible(const_cast<THostAccessible*>(this), index);
    entry.Id = QAccessible::registerAccessibleInterface(made);
    return made;
}

// The widget's own children as Qt lists them, less the document's and the
// hidden ones (a view's scroll bars while the document fits).
QList<QWidget*> THostAccessible::OtherChildren() const
{
    QSet<const QWidget*> listed;
    for (const TEntry& entry : FEntries) {
        if (entry.Kind == TKind::Control && entry.Control)
            listed.insert(entry.Control);
    }
    QList<QWidget*> others;
    for (QObject* o : widget()->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && !w->isHidden() && !listed.contains(w))
            others.append(w);
    }
    return others;
}

int THostAccessible::childCount() const
{
    Sync();
    return int(FEntries.size() + OtherChildren().size());
}

QAccessibleInterface* THostAccessible::child(int index) const
{
    Sync();
    if (index < 0)
        return nullptr;
    if (index < int(FEntries.size()))
        return EntryInterface(index);
    const QList<QWidget*> others = OtherChildren();
    index -= int(FEntries.size());
    return index < others.size() ? QAccessible::queryAccessibleInterface(others.at(index)) : nullptr;
}

int THostAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    Sync();
    if (!child)
        return -1;
    for (int i = 0; i < int(FEntries.size()); ++i) {
        const TEntry& entry = FEntries[std::size_t(i)];
        const bool same = entry.Kind == TKind::Control
            ? child->object() && child->object() == entry.Control.data()
            : entry.Id && QAccessible::accessibleInterface(entry.Id) == child;
        if (same)
            return i;
    }
    auto* w = qobject_cast<QWidget*>(child->object());
    const int other = w ? int(OtherChildren().indexOf(w)) : -1;
    return other < 0 ? -1 : int(FEntries.size()) + other;
}

QAccessibleInterface* THostAccessible::childAt(int x, int y) const
{
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* c = child(i);
        if (c && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

//---- Entries ---------------------------------------------------------------------

const TLarkHTMLTextLayout* THostAccessible::Layout() const
{
    return FHost && FHost->Render() ? FHost->TextLayout() : nullptr;
}

QRect THostAccessible::EntryScreenRect(const TEntry& entry) const
{
    if (entry.Kind == TKind::Control)
        return entry.Control ? QRect(entry.Control->mapToGlobal(QPoint(0, 0)), entry.Control->size()) : QRect();
    const TLarkHTMLTextLayout* layout = Layout();
    if (!layout)
        return {};
    QRect doc;
    for (int i = entry.FirstItem; i <= entry.LastItem; ++i)
        doc |= layout->ItemRect(i);
    if (doc.isNull())
        return {};
    const QRect client = FHost->DocumentToClient(doc);
    return QRect(widget()->mapToGlobal(client.topLeft()), client.size());
}

QString THostAccessible::EntryName(const TEntry& entry) const
{
    const TLarkHTMLTextLayout* layout = Layout();
    const TLarkHTMLData* data = FHost && FHost->Render() ? FHost->Render()->Data() : nullptr;
    if (!layout || !data || entry.LastItem >= data->ItemCount())
        return {};
    const auto& items = data->Items();
    if (entry.Kind == TKind::Link) {
        const int start = layout->ItemOffset(entry.FirstItem);
        const int end = layout->ItemOffset(entry.LastItem) + int(items[std::size_t(entry.LastItem)]->Text().size());
        const QString text = layout->RangeText({start, end}).simplified();
        return text.isEmpty() ? items[std::size_t(entry.FirstItem)]->LinkRef() : text;
    }
    // An inline input has no caption of its own: the words beside it on its
    // line name it, those after it first (a box, then its text).
    const auto isBoundary = [&](int i) {
        const TLarkHTMLItem& item = *items[std::size_t(i)];
        return item.IsBreakItem() || item.ItemType() == hitInput || item.ItemType() == hitControl;
    };
    int end = entry.FirstItem + 1;
    while (end < int(items.size()) && !isBoundary(end))
        ++end;
    const int after = layout->ItemOffset(entry.FirstItem);
    const int afterEnd = end < int(items.size()) ? layout->ItemOffset(end) : layout->Length();
    QString name = layout->RangeText({after, afterEnd}).simplified();
    if (name.isEmpty()) {
        int begin = entry.FirstItem;
        while (begin > 0 && !isBoundary(begin - 1))
            --begin;
        name = layout->RangeText({layout->ItemOffset(begin), after}).simplified();
    }
    if (name.isEmpty())
        name = static_cast<const TLarkHTMLInputItem*>(items[std::size_t(entry.FirstItem)].get())->Name();
    return name;
}

bool THostAccessible::EntryHasFocus(const TEntry& entry) const
{
    const TLarkHTMLItem* item = ItemOf(entry);
    return item && widget()->hasFocus() && FHost->Render()->Data()->SelectedItem() == item;
}

void THostAccessible::PressEntry(int index)
{
    const TEntry* entry = EntryAt(index);
    TLarkHTMLItem* item = entry ? ItemOf(*entry) : nullptr;
    if (!item)
        return;
    TLarkHTMLRender* render = FHost->Render();
    TLarkHTMLData* data = render->Data();
    // As the render object's click handling does, then the host's.
    data->StoreSelectedItem(nullptr);
    if (entry->Kind == TKind::Input) {
        auto* input = static_cast<TLarkHTMLInputItem*>(item);
        data->StoreSelectedItem(input);
        const QPointer<TLarkHTMLRender> alive(render);
        input->Click();
        if (alive)
            render->Change();
        return;
    }
    if (entry->Kind != TKind::Link)
        return;
    if (render->LinkSelect())
        data->StoreSelectedItem(item);
    // A copy: following the link may re-parse and free the item.
    const QString href = item->LinkRef();
    const QPointer<QObject> alive(widget());
    render->Change();
    if (alive && FHost)
        FHost->TriggerLinkClickEvent(widget(), href);
}

void THostAccessible::FocusEntry(int index)
{
    const TEntry* entry = EntryAt(index);
    TLarkHTMLItem* item = entry ? ItemOf(*entry) : nullptr;
    if (!item)
        return;
    FHost->Render()->Data()->SetSelectedItem(item);
    FHost->Render()->Change();
}

//---- Notifications ------------------------------------------------------------------

void THostAccessible::DocumentChanged()
{
    if (!FHost || !FHost->Render() || !FHost->Render()->Data())
        return;
    Sync();
    const TLarkHTMLItem* selected = FHost->Render()->Data()->SelectedItem();
    int focused = -1;
    for (int i = 0; i < int(FEntries.size()); ++i) {
        TEntry& entry = FEntries[std::size_t(i)];
        const TLarkHTMLItem* item = ItemOf(entry);
        if (!item)
            continue;
        if (item == selected)
            focused = i;
        if (entry.Kind != TKind::Input)
            continue;
        const bool checked = static_cast<const TLarkHTMLInputItem*>(item)->Checked();
        if (checked == entry.Checked)
            continue;
        entry.Checked = checked;
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(EntryInterface(i), changed);
        Announce(&event);
    }
    if (focused == FAnnouncedFocus && FAnnouncedIn == FGeneration)
        return;
    FAnnouncedFocus = focused;
    FAnnouncedIn = FGeneration;
    // Embedded widgets announce their own focus.
    if (focused < 0 || FEntries[std::size_t(focused)].Kind == TKind::Control || !widget()->hasFocus())
        return;
    QAccessibleEvent event(EntryInterface(focused), QAccessible::Focus);
    Announce(&event);
}

void THostAccessible::DocumentRebuilt()
{
    if (!FHost)
        return;
    QString text = AllText();
    if (text == FAnnouncedText)
        return;
    const QString old = std::exchange(FAnnouncedText, std::move(text));
    if (FRole != QAccessible::Document && widget()->accessibleName().isEmpty()) {
        QAccessibleEvent renamed(widget(), QAccessible::NameChanged);
        Announce(&renamed);
    }
    QAccessibleTextUpdateEvent updated(widget(), 0, old, FAnnouncedText);
    Announce(&updated);
}

//---- The widget itself -------------------------------------------------------------

QString THostAccessible::text(QAccessible::Text t) const
{
    QString s = QAccessibleWidget::text(t);
    // A label or panel is named by what it shows, as Qt's labels are.
    if (t == QAccessible::Name && s.isEmpty() && FRole != QAccessible::Document)
        s = AllText().simplified();
    return s;
}

QAccessible::State THostAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = FHost && FHost->TextSelection();
    return s;
}

void* THostAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

//---- Text ----------------------------------------------------------------------------

bool THostAccessible::PlainCaption(QString* text) const
{
    const auto* label = qobject_cast<const TLarkCustomHTMLLabel*>(object());
    if (!FHost || !label || label->IsHTML())
        return false;
    *text = label->Caption();
    return true;
}

QString THostAccessible::AllText() const
{
    QString plain;
    if (PlainCaption(&plain))
        return plain;
    const TLarkHTMLTextLayout* layout = Layout();
    return layout ? layout->Text() : QString();
}

int THostAccessible::characterCount() const
{
    QString plain;
    if (PlainCaption(&plain))
        return int(plain.size());
    const TLarkHTMLTextLayout* layout = Layout();
    return layout ? layout->Length() : 0;
}

QString THostAccessible::text(int startOffset, int endOffset) const
{
    const QString all = AllText();
    const int start = std::clamp(startOffset, 0, int(all.size()));
    // -1 as the end means "to the end" to AT-SPI clients.
    const int end = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, start, int(all.size()));
    return all.mid(start, end - start);
}

namespace {

// The word or line unit at an offset, or nothing for boundaries Qt's own
// helpers answer.
std::optional<TLarkHTMLTextRange> UnitAt(const TLarkHTMLTextLayout& layout, QAccessible::TextBoundaryType type,
                                         int offset)
{
    if (type == QAccessible::WordBoundary)
        return layout.WordAt(offset);
    if (type == QAccessible::LineBoundary)
        return layout.LineAt(offset);
    return std::nullopt;
}

} // namespace

bool THostAccessible::FindsUnitsOf(QAccessible::TextBoundaryType type) const
{
    if (type == QAccessible::SentenceBoundary)
        return true;
    if (type != QAccessible::WordBoundary && type != QAccessible::LineBoundary)
        return false;
    QString plain;
    return !PlainCaption(&plain) && Layout();
}

QString THostAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                      int* endOffset) const
{
    if (boundaryType == QAccessible::SentenceBoundary)
        return SentenceAt(offset == -2 ? cursorPosition() : offset, startOffset, endOffset);
    if (!FindsUnitsOf(boundaryType))
        return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
    const TLarkHTMLTextLayout* layout = Layout();
    *startOffset = *endOffset = -1;
    const int length = layout->Length();
    if (offset == -2)
        offset = cursorPosition();
    if (offset < 0 || offset > length)
        return {};
    if (length == 0) {
        *startOffset = *endOffset = 0;
        return {};
    }
    const TLarkHTMLTextRange unit = *UnitAt(*layout, boundaryType, std::min(offset, length - 1));
    *startOffset = unit.Start;
    *endOffset = unit.End;
    return layout->RangeText(unit);
}

QString THostAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                          int* endOffset) const
{
    if (!FindsUnitsOf(boundaryType))
        return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset, endOffset);
    int start = -1;
    int end = -1;
    textAtOffset(offset, boundaryType, &start, &end);
    *startOffset = *endOffset = -1;
    if (start <= 0)
        return {};
    return textAtOffset(start - 1, boundaryType, startOffset, endOffset);
}

QString THostAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const
{
    if (!FindsUnitsOf(boundaryType))
        return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
    int start = -1;
    int end = -1;
    textAtOffset(offset, boundaryType, &start, &end);
    *startOffset = *endOffset = -1;
    if (end < 0 || end >= characterCount())
        return {};
    return textAtOffset(end, boundaryType, startOffset, endOffset);
}

// Qt's own sentence search loops forever on some texts (a separator control
// character after a space), so sentences are found here, each step bounded.
QString THostAccessible::SentenceAt(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = -1;
    const QString all = text(0, characterCount());
    if (offset < 0 || offset > all.size())
        return {};
    if (all.isEmpty()) {
        *startOffset = *endOffset = 0;
        return {};
    }
    offset = std::min<int>(offset, all.size() - 1);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, all);
    finder.setPosition(offset + 1);
    const int start = std::max<int>(0, finder.toPreviousBoundary());
    finder.setPosition(offset);
    const qsizetype next = finder.toNextBoundary();
    const int end = next < 0 ? int(all.size()) : int(next);
    *startOffset = start;
    *endOffset = end;
    return all.mid(start, end - start);
}

QRect THostAccessible::characterRect(int offset) const
{
    QString plain;
    const TLarkHTMLTextLayout* layout = PlainCaption(&plain) ? nullptr : Layout();
    if (!layout || offset < 0 || offset > layout->Length())
        return {};
    const QRect doc = layout->CharRect(offset);
    if (doc.isNull())
        return {};
    const QRect client = FHost->DocumentToClient(doc);
    return QRect(widget()->mapToGlobal(client.topLeft()), client.size());
}

int THostAccessible::offsetAtPoint(const QPoint& point) const
{
    QString plain;
    const TLarkHTMLTextLayout* layout = PlainCaption(&plain) ? nullptr : Layout();
    const QPoint client = widget()->mapFromGlobal(point);
    if (!layout || !widget()->rect().contains(client))
        return -1;
    return layout->OffsetAt(FHost->ClientToDocument(client));
}

int THostAccessible::EntryAtOffset(int offset) const
{
    const TLarkHTMLTextLayout* layout = Layout();
    if (!layout)
        return -1;
    Sync();
    for (int i = 0; i < int(FEntries.size()); ++i) {
        const TEntry& entry = FEntries[std::size_t(i)];
        if (entry.Kind == TKind::Control)
            continue;
        const TLarkHTMLItem* last = ItemOf(entry) ? FHost->Render()->Data()->Item(entry.LastItem) : nullptr;
        const int start = layout->ItemOffset(entry.FirstItem);
        const int end = last ? layout->ItemOffset(entry.LastItem) + int(last->Text().size()) : start;
        if (offset >= start && (offset < end || offset == start))
            return i;
    }
    return -1;
}

int THostAccessible::cursorPosition() const
{
    const TLarkHTMLTextLayout* layout = Layout();
    if (!layout)
        return 0;
    const TLarkHTMLData* data = FHost->Render()->Data();
    if (const TLarkHTMLItem* selected = data->SelectedItem()) {
        const int index = data->IndexOfItem(selected);
        if (index >= 0)
            return layout->ItemOffset(index);
    }
    const TLarkHTMLTextRange selection = FHost->SelectedRange();
    if (!selection.IsEmpty())
        return selection.End;
    return std::clamp(FCaret, 0, layout->Length());
}

// The caret follows keyboard navigation: on a link or an input it selects
// that item, as Tab would; elsewhere nothing is selected.
void THostAccessible::setCursorPosition(int position)
{
    const TLarkHTMLTextLayout* layout = Layout();
    if (!layout)
        return;
    FCaret = std::clamp(position, 0, layout->Length());
    const int entry = EntryAtOffset(FCaret);
    if (entry >= 0) {
        FocusEntry(entry);
        return;
    }
    FHost->Render()->Data()->StoreSelectedItem(nullptr);
    FHost->Render()->Change();
}

void THostAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !FHost || !FHost->Render())
        return;
    const TLarkHTMLTextRange range = FHost->SelectedRange().Normalized();
    *startOffset = range.Start;
    *endOffset = range.End;
}

int THostAccessible::selectionCount() const
{
    return FHost && FHost->Render() && !FHost->SelectedRange().IsEmpty() ? 1 : 0;
}

void THostAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void THostAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0 && FHost && FHost->Render())
        FHost->ClearTextSelection();
}

// Only a host with text selection on has a selection to set.
void THostAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0 || !FHost || !FHost->Render() || !FHost->TextSelection())
        return;
    FHost->SetSelectedRange({startOffset, endOffset});
}

void THostAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    (void)endIndex;
    auto* view = qobject_cast<TLarkCustomHTMLView*>(object());
    const TLarkHTMLTextLayout* layout = Layout();
    if (!view || !layout || startIndex < 0 || startIndex > layout->Length())
        return;
    const QRect doc = layout->CharRect(startIndex);
    if (!doc.isNull())
        view->SetPosition(QPoint(view->Position().x(), doc.top()));
}

QString THostAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace lark::detail
