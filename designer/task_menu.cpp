#include "task_menu.h"

#include "html_editor_dialog.h"

#include <lark/controls/html_host_base.h>

#include <QSet>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

using namespace Qt::StringLiterals;

namespace lark::designer {

THTMLTaskMenu::THTMLTaskMenu(QWidget* widget, QObject* parent)
    : QObject(parent)
    , FWidget(widget)
    , FEditAction(new QAction(u"Edit HTML..."_s, this))
{
    connect(FEditAction, &QAction::triggered, this, &THTMLTaskMenu::EditHTML);
}

void THTMLTaskMenu::EditHTML()
{
    auto* host = dynamic_cast<TLarkHTMLHostBase*>(FWidget.data());
    if (!host)
        return;
    THTMLEditorDialog dialog(host->Caption(), FWidget, FWidget->window());
    if (dialog.exec() != QDialog::Accepted || !FWidget)
        return;
    // Through the form window's cursor, so that the change can be undone
    // and marks the form as modified.
    if (QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(FWidget))
        form->cursor()->setWidgetProperty(FWidget, u"Caption"_s, dialog.Source());
    else
        host->SetCaption(dialog.Source());
}

THTMLTaskMenuFactory::THTMLTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent)
{
}

QObject* THTMLTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != QLatin1StringView(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    // Only widgets whose snippet is their Caption property.
    if (!widget || !dynamic_cast<TLarkHTMLHostBase*>(widget) || widget->metaObject()->indexOfProperty("Caption") < 0)
        return nullptr;
    return new THTMLTaskMenu(widget, parent);
}

void RegisterTaskMenu(QExtensionManager* manager)
{
    static QSet<QExtensionManager*> registered;
    if (!manager || registered.contains(manager))
        return;
    registered.insert(manager);
    manager->registerExtensions(new THTMLTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
}

} // namespace lark::designer
