#include "widget_plugin.h"

#include "task_menu.h"

#include <lark/controls/html_host_base.h>
#include <lark/framework/framework.h>

#include <QIcon>
#include <QXmlStreamWriter>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

using namespace Qt::StringLiterals;

namespace lark::designer {

namespace {

// Properties that stand for one part of a nested object, shown together in
// the property editor under the object's name instead of among the class's
// own properties.
constexpr const char* kNestedGroups[] = {"Options", "Padding"};

void GroupNestedProperties(QDesignerFormEditorInterface* core, QWidget* widget)
{
    auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(core->extensionManager(), widget);
    if (!sheet)
        return;
    for (int i = 0; i < sheet->count(); ++i) {
        const QString name = sheet->propertyName(i);
        for (const char* group : kNestedGroups) {
            const QLatin1StringView prefix(group);
            if (name.size() > prefix.size() && name.startsWith(prefix))
                sheet->setPropertyGroup(i, prefix);
        }
    }
}

} // namespace

TWidgetPlugin::TWidgetPlugin(const TDesignerWidget& row, QObject* parent)
    : QObject(parent)
    , FRow(row)
{
}

QString TWidgetPlugin::name() const
{
    return QString::fromLatin1(FRow.ClassName);
}

QString TWidgetPlugin::group() const
{
    return QString::fromLatin1(kDesignerGroup);
}

QString TWidgetPlugin::toolTip() const
{
    return QString::fromLatin1(FRow.ToolTip);
}

QString TWidgetPlugin::whatsThis() const
{
    return toolTip();
}

QString TWidgetPlugin::includeFile() const
{
    return QString::fromLatin1(FRow.Header);
}

QIcon TWidgetPlugin::icon() const
{
    return {};
}

bool TWidgetPlugin::isContainer() const
{
    return FRow.Container;
}

QWidget* TWidgetPlugin::createWidget(QWidget* parent)
{
    // Fonts and embedded-control classes, as the library's programs have them.
    InitializeFramework();
    QWidget* widget = FRow.Create(parent);
    // In Designer an empty widget shows its outline; forms loaded by a
    // program (no core) get ordinary widgets.
    if (FCore) {
        if (auto* host = dynamic_cast<TLarkHTMLHostBase*>(widget))
            host->SetDesigning(true);
        GroupNestedProperties(FCore, widget);
    }
    return widget;
}

void TWidgetPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (FInitialized)
        return;
    FInitialized = true;
    FCore = core;
    if (core)
        RegisterTaskMenu(core->extensionManager());
}

// The new widget's name, size and snippet; Caption edits as several lines
// and is not translated.
QString TWidgetPlugin::domXml() const
{
    QString xml;
    QXmlStreamWriter w(&xml);
    w.writeStartElement(u"ui"_s);
    w.writeAttribute(u"language"_s, u"c++"_s);
    w.writeStartElement(u"widget"_s);
    w.writeAttribute(u"class"_s, name());
    QString objectName = name().section(u"::"_s, -1);
    objectName.remove(0, 1); // "TLarkHTMLLabel" -> "larkHTMLLabel"
    objectName[0] = objectName[0].toLower();
    w.writeAttribute(u"name"_s, objectName);
    w.writeStartElement(u"property"_s);
    w.writeAttribute(u"name"_s, u"geometry"_s);
    w.writeStartElement(u"rect"_s);
    w.writeTextElement(u"x"_s, u"0"_s);
    w.writeTextElement(u"y"_s, u"0"_s);
    w.writeTextElement(u"width"_s, QString::number(FRow.Size.width()));
    w.writeTextElement(u"height"_s, QString::number(FRow.Size.height()));
    w.writeEndElement();
    w.writeEndElement();
    if (FRow.Caption) {
        w.writeStartElement(u"property"_s);
        w.writeAttribute(u"name"_s, FRow.ItemsList ? u"Items"_s : u"Caption"_s);
        if (FRow.ItemsList) {
            w.writeStartElement(u"stringlist"_s);
            w.writeAttribute(u"notr"_s, u"true"_s);
        }
        w.writeStartElement(u"string"_s);
        if (!FRow.ItemsList)
            w.writeAttribute(u"notr"_s, u"true"_s);
        w.writeCharacters(QString::fromUtf8(FRow.Caption));
        w.writeEndElement();
        if (FRow.ItemsList)
            w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement(); // widget
    w.writeStartElement(u"customwidgets"_s);
    w.writeStartElement(u"customwidget"_s);
    w.writeTextElement(u"class"_s, name());
    w.writeStartElement(u"propertyspecifications"_s);
    w.writeStartElement(u"stringpropertyspecification"_s);
    w.writeAttribute(u"name"_s, u"Caption"_s);
    w.writeAttribute(u"type"_s, u"multiline"_s);
    w.writeAttribute(u"notr"_s, u"true"_s);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement(); // ui
    return xml;
}

} // namespace lark::designer
