#pragma once
// Internal: what screen readers see of the HTML label, view and panel.
//
// Qt asks the factory (accessible_factory.cpp) for an interface the first
// time an assistive technology, or anybody else, queries a widget; until
// then nothing here exists or runs. The host's interface shows the
// document's plain text through QAccessibleTextInterface and lists the
// document's links, inline check boxes and radio buttons (one child each,
// made on demand and kept until the document's item list changes) and its
// embedded widgets, in document order, followed by the widget's other
// children (scroll bars, a panel's own children).

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QWidget;

namespace lark {

class TLarkHTMLData;
class TLarkHTMLHostBase;
class TLarkHTMLItem;
class TLarkHTMLTextLayout;

namespace detail {

// Installs the factory once per process; every HTML widget calls it when it
// is made, so programs need no set-up of their own.
void InstallAccessibleFactory();
// Whether anybody hears the events: a platform bridge (a screen reader
// runs) or the sink. Qt makes interfaces for every widget it shows, client
// or not, so the interfaces themselves do nothing costly without one.
bool AccessibleClientListening();
// The host's document changed its looks (the keyboard selection moved, an
// input was toggled): announces focus and state changes when a client
// listens. Costs a flag test otherwise.
void NotifyAccessibleDocumentChange(QWidget* host);
// The host laid its document out anew: announces new text the same way.
void NotifyAccessibleDocumentRebuilt(QWidget* host);
// The host starts to go away: its interface stops reading the document.
void NotifyAccessibleHostReleased(QWidget* host);

// Sends an event of the interfaces to Qt, which passes it on to the
// platform's bridge while one is active, and first to the sink when one is
// set: tests watch the events there, on platforms without a bridge.
void Announce(QAccessibleEvent* event);
using TAccessibleEventSink = void (*)(QAccessibleEvent* event);
void SetAccessibleEventSink(TAccessibleEventSink sink);

// The plain text of an HTML snippet, as a host would show it (no embedded
// controls, no images from files); Html itself when no application runs.
QString HTMLPlainText(const QString& html);

class THostAccessible;

// The label, view or panel itself.
class THostAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    enum class TKind : std::uint8_t { Link, Input, Control };
    // One child of the document: a link's items, an input item or an
    // embedded widget.
    struct TEntry
    {
        TKind Kind = TKind::Link;
        int FirstItem = 0;
        int LastItem = 0;
        QPointer<QWidget> Control;
        QAccessible::Id Id = 0; // of its TDocumentItemAccessible, once made
        bool Checked = false;   // as last announced
    };

    THostAccessible(QWidget* widget, TLarkHTMLHostBase* host, QAccessible::Role role);
    ~THostAccessible() override;

    //---- QAccessibleInterface
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    //---- QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    // The sentence holding offset, found without Qt's default search.
    QString SentenceAt(int offset, int* startOffset, int* endOffset) const;
    // Whether the text units of that kind are found here rather than by Qt:
    // sentences always, words and lines when a document lays the text out.
    bool FindsUnitsOf(QAccessible::TextBoundaryType type) const;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    //---- for the children and the notifications
    // Null once the host is going away.
    TLarkHTMLHostBase* Host() const { return FHost; }
    QWidget* HostWidget() const { return widget(); }
    // Counts the listings of the document's children. Children read the
    // listing as it is (ListedEntry) and never list anew, which would
    // delete them.
    std::uint64_t ListedGeneration() const { return FGeneration; }
    // Whether the listing still describes the document's item list.
    bool ListingCurrent() const;
    const TEntry* ListedEntry(int entry) const;
    // Lists anew first when the document changed.
    const TEntry* EntryAt(int entry) const;
    TLarkHTMLItem* ItemOf(const TEntry& entry) const;
    const TLarkHTMLTextLayout* Layout() const;
    // Where an entry is drawn, in screen coordinates.
    QRect EntryScreenRect(const TEntry& entry) const;
    QString EntryName(const TEntry& entry) const;
    bool EntryHasFocus(const TEntry& entry) const;
    // What a click on the entry does.
    void PressEntry(int entry);
    // Moves the keyboard selection to the entry.
    void FocusEntry(int entry);

    void DocumentChanged();
    void DocumentRebuilt();
    void HostReleased();

private:
    // Lists the document's children again when its item list changed.
    void Sync() const;
    void DropChildren() const;
    QAccessibleInterface* EntryInterface(int entry) const;
    QList<QWidget*> OtherChildren() const;
    // The shown text when it does not come from a document (a label with
    // IsHTML off); null otherwise.
    bool PlainCaption(QString* text) const;
    QString AllText() const;
    int EntryAtOffset(int offset) const;

    TLarkHTMLHostBase* FHost;
    const QAccessible::Role FRole;
    mutable std::vector<TEntry> FEntries;
    mutable const TLarkHTMLData* FListedData = nullptr;
    mutable std::uint64_t FListedVersion = 0;
    mutable std::uint64_t FGeneration = 0;
    mutable bool FListed = false;
    int FCaret = 0;
    QString FAnnouncedText;
    // The entry last announced as focused, in the listing of FAnnouncedIn.
    int FAnnouncedFocus = -1;
    std::uint64_t FAnnouncedIn = 0;
};

// A link, check box or radio button of a host's document.
class TDocumentItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TDocumentItemAccessible(THostAccessible* host, int entry);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Entry() const { return FEntry; }

private:
    // The entry, while this child still stands for it.
    const THostAccessible::TEntry* Current() const;

    THostAccessible* const FHost;
    const int FEntry;
    const std::uint64_t FGeneration;
};

} // namespace detail

} // namespace lark
