#pragma once
// The "Edit HTML..." entry of the widgets' context menu in Designer.

#include <QAction>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QExtensionManager;

namespace lark::designer {

class THTMLTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    THTMLTaskMenu(QWidget* widget, QObject* parent);
    QAction* preferredEditAction() const override { return FEditAction; }
    QList<QAction*> taskActions() const override { return {FEditAction}; }

private:
    void EditHTML();

    QPointer<QWidget> FWidget;
    QAction* FEditAction = nullptr;
};

class THTMLTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT

public:
    explicit THTMLTaskMenuFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

// Registers the factory with Designer's extension manager (once per manager).
void RegisterTaskMenu(QExtensionManager* manager);

} // namespace lark::designer
