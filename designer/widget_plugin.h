#pragma once
// One widget of the library as Designer sees it: built from its table row.

#include "widget_table.h"

#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace lark::designer {

class TWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    TWidgetPlugin(const TDesignerWidget& row, QObject* parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    const TDesignerWidget& FRow;
    // Designer's core, when loaded by Designer; a core may go before the plugin.
    QPointer<QDesignerFormEditorInterface> FCore;
    bool FInitialized = false;
};

} // namespace lark::designer
