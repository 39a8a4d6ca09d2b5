// The accessibility factory, the notifications hosts send through it, and
// the plain text of row snippets for item views.
#include "lark/controls/accessible_html_p.h"

#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/render.h>
#include <lark/html/untrusted/untrusted.h>

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace lark::detail {

namespace {

// The interfaces Qt made for hosts, by widget. Never freed: Qt's cache may
// delete interfaces left at program end after function statics are gone.
QHash<const QObject*, THostAccessible*>& LiveInterfaces()
{
    static auto* live = new QHash<const QObject*, THostAccessible*>;
    return *live;
}

class TRegisteredHostAccessible : public THostAccessible
{
public:
    TRegisteredHostAccessible(QWidget* widget, TLarkHTMLHostBase* host, QAccessible::Role role)
        : THostAccessible(widget, host, role)
        , FKey(widget)
    {
        LiveInterfaces().insert(FKey, this);
    }
    ~TRegisteredHostAccessible() override { LiveInterfaces().remove(FKey); }

private:
    const QObject* const FKey;
};

// The list boxes keep Qt's own item-view interfaces: their rows read the
// model's Qt::AccessibleTextRole.
QAccessibleInterface* HostFactory(const QString& className, QObject* object)
{
    (void)className;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || LiveInterfaces().contains(widget))
        return nullptr;
    if (auto* label = qobject_cast<TLarkCustomHTMLLabel*>(widget))
        return new TRegisteredHostAccessible(widget, label, QAccessible::StaticText);
    if (auto* view = qobject_cast<TLarkCustomHTMLView*>(widget))
        return new TRegisteredHostAccessible(widget, view, QAccessible::Document);
    if (auto* panel = qobject_cast<TLarkCustomHTMLPanel*>(widget))
        return new TRegisteredHostAccessible(widget, panel, QAccessible::Pane);
    return nullptr;
}

} // namespace

void InstallAccessibleFactory()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(HostFactory);
}

namespace {
TAccessibleEventSink EventSink = nullptr;
} // namespace

bool AccessibleClientListening()
{
    return EventSink || QAccessible::isActive();
}

void SetAccessibleEventSink(TAccessibleEventSink sink)
{
    EventSink = sink;
}

void Announce(QAccessibleEvent* event)
{
    if (EventSink)
        EventSink(event);
    QAccessible::updateAccessibility(event);
}

void NotifyAccessibleDocumentChange(QWidget* host)
{
    if (!AccessibleClientListening())
        return;
    if (THostAccessible* iface = LiveInterfaces().value(host))
        iface->DocumentChanged();
}

void NotifyAccessibleDocumentRebuilt(QWidget* host)
{
    if (!AccessibleClientListening())
        return;
    if (THostAccessible* iface = LiveInterfaces().value(host))
        iface->DocumentRebuilt();
}

void NotifyAccessibleHostReleased(QWidget* host)
{
    if (THostAccessible* iface = LiveInterfaces().value(host))
        iface->HostReleased();
}

QString HTMLPlainText(const QString& html)
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return html;
    // One render object for all rows, freed with the application. Untrusted
    // with an empty allow list: reading a row creates no widget and opens
    // no file.
    static QPointer<TLarkHTMLRender> render;
    if (!render) {
        render = new TLarkHTMLRender(app);
        render->SetUntrusted(true);
    }
    render->PrepareText(html, 0, false);
    const QString text = render->AsText();
    render->PrepareText(QString(), 0, false);
    return text;
}

} // namespace lark::detail
