// The Qt Designer plugin, loaded as Designer, QUiLoader and QFormBuilder load
// it. This program links no part of the library itself: everything it sees
// of the widgets comes through the plugin and Qt's meta-object system.
#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPluginLoader>
#include <QTimer>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtDesigner/QFormBuilder>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QStringList kWidgets = {u"lark::TLarkHTMLLabel"_s,   u"lark::TLarkHTMLPanel"_s,
                              u"lark::TLarkHTMLView"_s,    u"lark::TLarkHTMLListBox"_s,
                              u"lark::TLarkHTMLDBLabel"_s, u"lark::TLarkHTMLDBView"_s};

QDesignerCustomWidgetCollectionInterface* Collection()
{
    static QPluginLoader loader(QString::fromUtf8(LARK_DESIGNER_PLUGIN));
    return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
}

QDesignerCustomWidgetInterface* Plugin(const QString& name)
{
    for (QDesignerCustomWidgetInterface* plugin : Collection()->customWidgets())
        if (plugin->name() == name)
            return plugin;
    return nullptr;
}

TEST(DesignerPlugin, ListsEveryWidgetInTheLarkGroup)
{
    QPluginLoader loader(QString::fromUtf8(LARK_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    ASSERT_NE(Collection(), nullptr);
    QStringList names;
    for (QDesignerCustomWidgetInterface* plugin : Collection()->customWidgets()) {
        names << plugin->name();
        EXPECT_EQ(plugin->group(), u"Lark HTML"_s);
        EXPECT_TRUE(plugin->includeFile().startsWith(u"lark/"_s));
        EXPECT_FALSE(plugin->toolTip().isEmpty());
    }
    EXPECT_EQ(names, kWidgets);
}

// Each widget comes with a name, a size and (but the data-aware ones, which
// show their field) a snippet, as Designer drops it on a form.
TEST(DesignerPlugin, CreatesEachWidgetWithItsDefaults)
{
    for (const QString& name : kWidgets) {
        SCOPED_TRACE(name.toStdString());
        QDesignerCustomWidgetInterface* plugin = Plugin(name);
        ASSERT_NE(plugin, nullptr);
        QWidget form;
        QWidget* widget = plugin->createWidget(&form);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), name);

        QXmlStreamReader xml(plugin->domXml());
        QString caption;
        QString snippetProperty;
        bool multiline = false;
        QSize size;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"property" && (xml.attributes().value(u"name"_s) == u"Caption" ||
                                                xml.attributes().value(u"name"_s) == u"Items")) {
                snippetProperty = xml.attributes().value(u"name"_s).toString();
                xml.readNextStartElement();
                if (xml.name() == u"stringlist")
                    xml.readNextStartElement();
                caption = xml.readElementText();
            } else if (xml.name() == u"stringpropertyspecification") {
                multiline = xml.attributes().value(u"name"_s) == u"Caption" &&
                            xml.attributes().value(u"type"_s) == u"multiline";
            } else if (xml.name() == u"width") {
                size.setWidth(xml.readElementText().toInt());
            } else if (xml.name() == u"height") {
                size.setHeight(xml.readElementText().toInt());
            }
        }
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_TRUE(multiline);
        EXPECT_GE(size.width(), 100);
        EXPECT_GE(size.height(), 30);
        const bool dataAware = name.contains(u"DB"_s);
        EXPECT_EQ(caption.isEmpty(), dataAware);
        if (!dataAware) {
            // The property exists: setting it creates no dynamic property.
            EXPECT_TRUE(widget->setProperty(snippetProperty.toLatin1().constData(),
                                            snippetProperty == u"Items" ? QVariant(QStringList{caption})
                                                                         : QVariant(caption)));
        }
    }
}

// A value unlike the property's current one, for every kind of property a
// form stores; an invalid QVariant for kinds a form does not store.
QVariant OtherValue(const QMetaProperty& p, const QVariant& current)
{
    if (p.isEnumType()) {
        const QMetaEnum e = p.enumerator();
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) != current.toInt())
                return e.value(i);
        return {};
    }
    switch (p.metaType().id()) {
    case QMetaType::Bool:
        return !current.toBool();
    case QMetaType::Int:
        return current.toInt() + 3;
    case QMetaType::UInt:
        // An RGB colour and a system colour identifier's value alike.
        return current.toUInt() == 0x00336699u ? 0xFF00000Fu : 0x00336699u;
    case QMetaType::QCursor:
        return QCursor(Qt::CrossCursor);
    case QMetaType::QColor:
        return current.value<QColor>() == QColor(12, 34, 56) ? QColor(65, 43, 21) : QColor(12, 34, 56);
    case QMetaType::QStringList:
        return current.toStringList() + QStringList{u"<b>row</b>"_s, u"<i>another</i>"_s};
    case QMetaType::QString:
        // XML keeps line feeds, not carriage returns.
        return current.toString() + u"<b>changed</b>\nsecond line"_s;
    default:
        return {};
    }
}

// Saves the library's widgets as Designer saves custom widgets: without the
// internal children a scroll area makes for itself (the list box's scroll
// bar containers, whose layouts QFormBuilder cannot read back).
class FormWriter : public QFormBuilder
{
protected:
    using QFormBuilder::createDom;
    DomWidget* createDom(QWidget* widget, DomWidget* parent, bool recursive) override
    {
        const bool library = QByteArray(widget->metaObject()->className()).startsWith("lark::");
        return QFormBuilder::createDom(widget, parent, recursive && !library);
    }
};

// Designer writes what QFormBuilder writes: every published property a form
// stores survives saving and loading, through the plugin.
TEST(DesignerPlugin, EveryPropertyRoundTripsThroughAUiFile)
{
    const QString pluginDir = QFileInfo(QString::fromUtf8(LARK_DESIGNER_PLUGIN)).absolutePath();
    for (const QString& name : kWidgets) {
        SCOPED_TRACE(name.toStdString());
        QWidget form;
        form.setObjectName(u"Form"_s);
        QWidget* widget = Plugin(name)->createWidget(&form);
        widget->setObjectName(u"subject"_s);
        const QMetaObject* meta = widget->metaObject();
        // The library's own properties: from its first Qt ancestor on.
        const QMetaObject* qtBase = meta;
        while (QByteArray(qtBase->className()).startsWith("lark::"))
            qtBase = qtBase->superClass();
        QList<QMetaProperty> written;
        for (int i = qtBase->propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            // Qt 6.4's QFormBuilder writes no enumeration (Qt's own neither);
            // Designer does, and lark_form.ui holds them as it writes them.
            if (!p.isWritable() || !p.isStored() || !p.isDesignable() || p.isEnumType())
                continue;
            const QVariant value = OtherValue(p, p.read(widget));
            ASSERT_TRUE(value.isValid()) << "a stored property of an unknown kind: " << p.name();
            ASSERT_TRUE(p.write(widget, value)) << p.name();
            written << p;
        }
        // What the widget holds once all are set (ParentColor decides Color).
        QMap<QString, QVariant> expected;
        for (const QMetaProperty& p : written)
            expected.insert(QString::fromLatin1(p.name()), p.read(widget));
        ASSERT_GE(expected.size(), 2);

        FormWriter builder;
        builder.addPluginPath(pluginDir);
        QBuffer file;
        file.open(QIODevice::ReadWrite);
        builder.save(&file, &form);
        file.seek(0);
        const QByteArray xml = file.data();
        std::unique_ptr<QWidget> loaded(builder.load(&file));
        ASSERT_NE(loaded, nullptr) << builder.errorString().toStdString();
        QWidget* copy = loaded->findChild<QWidget*>(u"subject"_s);
        ASSERT_NE(copy, nullptr) << xml.toStdString();
        EXPECT_STREQ(copy->metaObject()->className(), meta->className());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            SCOPED_TRACE(it.key().toStdString());
            const QVariant got = copy->property(it.key().toLatin1().constData());
            if (it.value().metaType().id() == QMetaType::QCursor)
                EXPECT_EQ(got.value<QCursor>().shape(), it.value().value<QCursor>().shape());
            else
                EXPECT_EQ(got, it.value()) << xml.toStdString();
        }

        // QUiLoader reads the same file.
        QUiLoader uiLoader;
        uiLoader.addPluginPath(pluginDir);
        file.seek(0);
        std::unique_ptr<QWidget> viaUiLoader(uiLoader.load(&file));
        ASSERT_NE(viaUiLoader, nullptr) << uiLoader.errorString().toStdString();
        QWidget* uiCopy = viaUiLoader->findChild<QWidget*>(u"subject"_s);
        ASSERT_NE(uiCopy, nullptr);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QVariant got = uiCopy->property(it.key().toLatin1().constData());
            if (it.value().metaType().id() == QMetaType::QCursor)
                EXPECT_EQ(got.value<QCursor>().shape(), it.value().value<QCursor>().shape());
            else
                EXPECT_EQ(got.toString(), it.value().toString()) << it.key().toStdString();
        }
    }
}

// Saves Form with QFormBuilder and loads it back through the plugin.
std::unique_ptr<QWidget> SavedAndLoaded(QWidget& form, QByteArray* xml = nullptr)
{
    FormWriter builder;
    builder.addPluginPath(QFileInfo(QString::fromUtf8(LARK_DESIGNER_PLUGIN)).absolutePath());
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    builder.save(&file, &form);
    if (xml)
        *xml = file.data();
    file.seek(0);
    return std::unique_ptr<QWidget>(builder.load(&file));
}

// The value of a system colour identifier, as the drop-down offers it.
int SystemColorValue(const char* key)
{
    const std::unique_ptr<QWidget> label(Plugin(u"lark::TLarkHTMLLabel"_s)->createWidget(nullptr));
    const QMetaObject* meta = label->metaObject();
    return meta->property(meta->indexOfProperty("ColorSystem")).enumerator().keyToValue(key);
}

// A colour is edited as a picked QColor or a system colour identifier from
// a drop-down; both write the widget's TColor, so a system colour stays one
// (and follows the palette) through a saved form.
TEST(DesignerPlugin, ColoursAreEditedAsColoursOrSystemIdentifiers)
{
    struct Row
    {
        const char* Widget;
        const char* Property;
        const char* Choice;   // a system identifier, or nullptr: pick Picked
        QColor Picked;
        unsigned Expected;    // the TColor the widget then holds
    };
    const Row rows[] = {
        {"lark::TLarkHTMLLabel", "Color", "clBtnFace", {}, 0xFF00000Fu},
        {"lark::TLarkHTMLLabel", "Color", nullptr, QColor(10, 20, 30), 0x001E140Au},
        {"lark::TLarkHTMLLabel", "OptionsLinkColor", "clHotLight", {}, 0xFF00001Au},
        {"lark::TLarkHTMLView", "GradientEndColor", "clHighlight", {}, 0xFF00000Du},
        {"lark::TLarkHTMLListBox", "SelectedColor", nullptr, QColor(255, 0, 0), 0x000000FFu},
        {"lark::TLarkHTMLListBox", "OptionsLinkColor", "clWindowText", {}, 0xFF000008u},
        {"lark::TLarkHTMLPanel", "Color", "clInfoBk", {}, 0xFF000018u},
        {"lark::TLarkHTMLDBLabel", "Color", "clWindow", {}, 0xFF000005u},
    };
    for (const Row& row : rows) {
        const QByteArray property(row.Property);
        SCOPED_TRACE(std::string(row.Widget) + " " + row.Property);
        QWidget form;
        form.setObjectName(u"Form"_s);
        QWidget* widget = Plugin(QString::fromLatin1(row.Widget))->createWidget(&form);
        widget->setObjectName(u"subject"_s);
        const QMetaObject* meta = widget->metaObject();
        // The raw value is no editor's business; the pair is.
        const QMetaProperty raw = meta->property(meta->indexOfProperty(property));
        const QMetaProperty picker = meta->property(meta->indexOfProperty(property + "Value"));
        const QMetaProperty choice = meta->property(meta->indexOfProperty(property + "System"));
        ASSERT_TRUE(raw.isValid() && picker.isValid() && choice.isValid());
        EXPECT_FALSE(raw.isDesignable());
        EXPECT_TRUE(picker.isDesignable());
        EXPECT_EQ(picker.metaType().id(), QMetaType::QColor);
        ASSERT_TRUE(choice.isEnumType());
        EXPECT_STREQ(choice.enumerator().valueToKey(-1), "RGBColor");

        if (row.Choice)
            ASSERT_TRUE(choice.write(widget, choice.enumerator().keyToValue(row.Choice)));
        else
            ASSERT_TRUE(picker.write(widget, row.Picked));
        EXPECT_EQ(raw.read(widget).toUInt(), row.Expected);
        const char* key = choice.enumerator().valueToKey(choice.read(widget).toInt());
        EXPECT_STREQ(key, row.Choice ? row.Choice : "RGBColor");

        QByteArray xml;
        std::unique_ptr<QWidget> loaded = SavedAndLoaded(form, &xml);
        ASSERT_NE(loaded, nullptr);
        QWidget* copy = loaded->findChild<QWidget*>(u"subject"_s);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->property(property).toUInt(), row.Expected) << xml.toStdString();
        EXPECT_EQ(copy->property(property + "System").toInt(), choice.read(widget).toInt());
    }
}

// The picker shows a system colour as the palette paints it; picking a
// colour turns it into that RGB value, choosing RGBColor keeps what shows.
TEST(DesignerPlugin, ThePickerShowsASystemColourInThePalettesColour)
{
    QWidget form;
    QPalette palette = form.palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    form.setPalette(palette);
    QWidget* label = Plugin(u"lark::TLarkHTMLLabel"_s)->createWidget(&form);
    ASSERT_TRUE(label->setProperty("ColorSystem", SystemColorValue("clBtnFace")));
    EXPECT_EQ(label->property("ColorValue").value<QColor>(), QColor(1, 2, 3));
    // The same colour picked again (a form storing both halves): unchanged.
    ASSERT_TRUE(label->setProperty("ColorValue", QColor(1, 2, 3)));
    EXPECT_EQ(label->property("Color").toUInt(), 0xFF00000Fu);
    ASSERT_TRUE(label->setProperty("ColorSystem", SystemColorValue("RGBColor")));
    EXPECT_EQ(label->property("Color").toUInt(), 0x00030201u);
    ASSERT_TRUE(label->setProperty("ColorSystem", SystemColorValue("clBtnFace")));
    ASSERT_TRUE(label->setProperty("ColorValue", QColor(4, 5, 6)));
    EXPECT_EQ(label->property("Color").toUInt(), 0x00060504u);
    EXPECT_EQ(label->property("ColorSystem").toInt(), SystemColorValue("RGBColor"));
}

// Options and Padding appear one part each, typed for their editors: the
// link style as a set of flags (a check list), the sides as numbers.
TEST(DesignerPlugin, OptionsAndPaddingAreEditedPartByPart)
{
    struct Row
    {
        const char* Widget;
        bool HasPadding;
    };
    const Row rows[] = {
        {"lark::TLarkHTMLLabel", true},   {"lark::TLarkHTMLPanel", true},    {"lark::TLarkHTMLView", true},
        {"lark::TLarkHTMLDBView", true},  {"lark::TLarkHTMLListBox", false}, {"lark::TLarkHTMLDBLabel", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Widget);
        QWidget form;
        form.setObjectName(u"Form"_s);
        QWidget* widget = Plugin(QString::fromLatin1(row.Widget))->createWidget(&form);
        widget->setObjectName(u"subject"_s);
        const QMetaObject* meta = widget->metaObject();
        const QMetaProperty style = meta->property(meta->indexOfProperty("OptionsLinkStyle"));
        ASSERT_TRUE(style.isValid());
        EXPECT_TRUE(style.isFlagType());
        EXPECT_TRUE(style.isDesignable());
        QStringList keys;
        for (int i = 0; i < style.enumerator().keyCount(); ++i)
            keys << QString::fromLatin1(style.enumerator().key(i));
        EXPECT_EQ(keys, (QStringList{u"lsBold"_s, u"lsItalic"_s, u"lsUnderline"_s, u"lsStrikeOut"_s}));
        ASSERT_TRUE(style.write(widget, QVariant::fromValue(style.enumerator().keysToValue("lsItalic|lsStrikeOut"))));
        EXPECT_EQ(style.enumerator().valueToKeys(style.read(widget).toInt()), "lsItalic|lsStrikeOut");

        QStringList sides = {u"PaddingLeft"_s, u"PaddingTop"_s, u"PaddingRight"_s, u"PaddingBottom"_s};
        for (const QString& side : sides) {
            const int index = meta->indexOfProperty(side.toLatin1().constData());
            EXPECT_EQ(index >= 0, row.HasPadding) << side.toStdString();
            if (index >= 0) {
                EXPECT_EQ(meta->property(index).metaType().id(), QMetaType::Int);
            }
        }
        ASSERT_TRUE(widget->setProperty("OptionsLineGap", 3));
        if (row.HasPadding) {
            ASSERT_TRUE(widget->setProperty("PaddingTop", 7));
            ASSERT_TRUE(widget->setProperty("PaddingBottom", 0));
        }

        std::unique_ptr<QWidget> loaded = SavedAndLoaded(form);
        ASSERT_NE(loaded, nullptr);
        QWidget* copy = loaded->findChild<QWidget*>(u"subject"_s);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->property("OptionsLineGap").toInt(), 3);
        if (row.HasPadding) {
            EXPECT_EQ(copy->property("PaddingTop").toInt(), 7);
            EXPECT_EQ(copy->property("PaddingBottom").toInt(), 0);
            EXPECT_EQ(copy->property("PaddingLeft"), widget->property("PaddingLeft"));
        }
    }
}

// The form Designer saved, with enumerations as Designer writes them, loads
// through the plugin.
class UiLoaderForm : public testing::TestWithParam<const char*>
{
};

TEST_P(UiLoaderForm, ReadsADesignerForm)
{
    QUiLoader loader;
    loader.addPluginPath(QFileInfo(QString::fromUtf8(LARK_DESIGNER_PLUGIN)).absolutePath());
    QFile file(QString::fromUtf8(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    QWidget* label = form->findChild<QWidget*>(u"label"_s);
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->metaObject()->className(), "lark::TLarkHTMLLabel");
    EXPECT_EQ(label->property("Caption").toString(), u"<b>Lark</b> label"_s);
    EXPECT_EQ(label->property("Alignment").toInt(), 2); // taCenter
    EXPECT_EQ(label->property("Layout").toInt(), 2);    // tlBottom
    EXPECT_EQ(label->property("Color").toUInt(), 0xFF00000Fu); // clBtnFace, from the drop-down
    EXPECT_EQ(label->property("OptionsLinkColor").toUInt(), 0xFF00001Au); // clHotLight
    EXPECT_EQ(label->property("OptionsLineGap").toInt(), 2);
    EXPECT_EQ(label->property("OptionsLinkStyle").toInt(), 1 | 4); // bold, underline
    EXPECT_EQ(label->property("PaddingLeft").toInt(), 4);
    EXPECT_EQ(label->property("PaddingBottom").toInt(), 0);
    QWidget* view = form->findChild<QWidget*>(u"view"_s);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->property("BackgroundType").toInt(), 2); // bgtVertGradient
    EXPECT_EQ(view->property("GradientSteps").toInt(), 8);
    EXPECT_EQ(view->property("GradientStartColor").toUInt(), 0x003264C8u); // picked
    EXPECT_EQ(view->property("GradientEndColor").toUInt(), 0xFF00000Du);   // clHighlight
    QWidget* panel = form->findChild<QWidget*>(u"panel"_s);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->property("BevelOuter").toInt(), 1); // bvLowered
    EXPECT_EQ(panel->property("ColorValue").value<QColor>(), QColor(10, 20, 30));
    QWidget* list = form->findChild<QWidget*>(u"listBox"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->property("Items").toStringList().size(), 2);
}

// Written with the widgets' setter names, and as Designer saves it.
INSTANTIATE_TEST_SUITE_P(Forms, UiLoaderForm, testing::Values(LARK_DESIGNER_FORM, LARK_DESIGNER_SAVED_FORM));

// "Edit HTML..." opens the source beside a live preview and writes the
// edited source back into Caption.
// Designer's core, with just the extension manager the plugin registers with.
class TestCore : public QDesignerFormEditorInterface
{
public:
    TestCore() { setExtensionManager(new QExtensionManager(this)); }
};

TEST(DesignerPlugin, EditHtmlTaskMenuEditsTheCaption)
{
    // Lives as long as the plugin, which keeps the core it was given.
    static TestCore core;
    QExtensionManager* manager = core.extensionManager();
    QDesignerCustomWidgetInterface* plugin = Plugin(u"lark::TLarkHTMLLabel"_s);
    plugin->initialize(&core);
    QWidget form;
    QWidget* widget = plugin->createWidget(&form);
    widget->setProperty("Caption", u"<b>old</b>"_s);

    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(manager, widget);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->taskActions().size(), 1);
    QAction* edit = menu->preferredEditAction();
    EXPECT_EQ(edit->text(), u"Edit HTML..."_s);

    QString shownSource;
    QString previewed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* editor = dialog->findChild<QPlainTextEdit*>();
        ASSERT_NE(editor, nullptr);
        shownSource = editor->toPlainText();
        editor->setPlainText(u"<i>new</i> text"_s);
        // The preview is one of the library's views, showing the edit.
        for (QWidget* child : dialog->findChildren<QWidget*>())
            if (QString::fromLatin1(child->metaObject()->className()) == u"lark::TLarkHTMLView"_s)
                previewed = child->property("Caption").toString();
        dialog->accept();
    });
    edit->trigger();
    EXPECT_EQ(shownSource, u"<b>old</b>"_s);
    EXPECT_EQ(previewed, u"<i>new</i> text"_s);
    EXPECT_EQ(widget->property("Caption").toString(), u"<i>new</i> text"_s);
}

// Designer's property sheet as far as groups go: one row per property of
// the widget's class, in the class's group until the plugin regroups it.
class GroupSheet : public QObject, public QDesignerPropertySheetExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)

public:
    GroupSheet(QObject* object, QObject* parent)
        : QObject(parent)
    {
        const QMetaObject* meta = object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            Names << QString::fromLatin1(meta->property(i).name());
            Groups << QString::fromLatin1(meta->className());
        }
    }
    int count() const override { return int(Names.size()); }
    int indexOf(const QString& name) const override { return int(Names.indexOf(name)); }
    QString propertyName(int index) const override { return Names.value(index); }
    QString propertyGroup(int index) const override { return Groups.value(index); }
    void setPropertyGroup(int index, const QString& group) override { Groups[index] = group; }
    bool hasReset(int) const override { return false; }
    bool reset(int) override { return false; }
    bool isVisible(int) const override { return true; }
    void setVisible(int, bool) override {}
    bool isAttribute(int) const override { return false; }
    void setAttribute(int, bool) override {}
    QVariant property(int) const override { return {}; }
    void setProperty(int, const QVariant&) override {}
    bool isChanged(int) const override { return false; }
    void setChanged(int, bool) override {}
    bool isEnabled(int) const override { return true; }

    QStringList Names;
    QStringList Groups;
};

class GroupSheetFactory : public QExtensionFactory
{
public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override
    {
        if (iid != QLatin1StringView(Q_TYPEID(QDesignerPropertySheetExtension)))
            return nullptr;
        return new GroupSheet(object, parent);
    }
};

// In Designer the parts of Options and of Padding show under a group of
// their own name, not among the class's properties.
TEST(DesignerPlugin, OptionsAndPaddingPartsAreGroupedInDesigner)
{
    // Lives as long as the plugin, which keeps the core it was given.
    static TestCore core;
    QExtensionManager* manager = core.extensionManager();
    manager->registerExtensions(new GroupSheetFactory(manager), Q_TYPEID(QDesignerPropertySheetExtension));
    QDesignerCustomWidgetInterface* plugin = Plugin(u"lark::TLarkHTMLView"_s);
    plugin->initialize(&core);
    QWidget form;
    QWidget* view = plugin->createWidget(&form);
    auto* sheet = qobject_cast<GroupSheet*>(manager->extension(view, Q_TYPEID(QDesignerPropertySheetExtension)));
    ASSERT_NE(sheet, nullptr);
    QMap<QString, QStringList> groups;
    for (int i = 0; i < sheet->count(); ++i)
        groups[sheet->propertyGroup(i)] << sheet->propertyName(i);
    EXPECT_EQ(groups.value(u"Options"_s), (QStringList{u"OptionsLinkColor"_s, u"OptionsLinkColorValue"_s,
                                                       u"OptionsLinkColorSystem"_s, u"OptionsLineGap"_s,
                                                       u"OptionsLinkStyle"_s}));
    EXPECT_EQ(groups.value(u"Padding"_s), (QStringList{u"PaddingLeft"_s, u"PaddingTop"_s, u"PaddingRight"_s,
                                                       u"PaddingBottom"_s}));
    // The objects themselves and the class's own properties stay put.
    EXPECT_EQ(sheet->propertyGroup(sheet->indexOf(u"Options"_s)), u"lark::TLarkHTMLView"_s);
    EXPECT_EQ(sheet->propertyGroup(sheet->indexOf(u"ColorValue"_s)), u"lark::TLarkHTMLView"_s);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "designer_plugin_test.moc"
