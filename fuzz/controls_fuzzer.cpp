// Embedded controls made from control tags. Whatever the attributes say:
//
//   - only registered classes are created (TDateTimePicker is known to the
//     registry but left unregistered here, so it must never appear);
//   - the host's child widgets are exactly the controls of the document's
//     control items: none is left behind or created twice;
//   - no dynamic property is ever added to a widget (unknown attribute names
//     are refused, not stored);
//   - no top-level window appears, neither on a host nor when the shared
//     render object (which has no host) meets the same markup.
//
// Input: the first byte picks the class of a leading control tag whose
// attribute list the rest of the bytes (UTF-8) continues; the rest may close
// that tag and hold any markup, further control tags included.

#include "fuzz_support.h"

#include "support/test_host.h"

#include <lark/framework/canvas.h>
#include <lark/framework/class_registry.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <iterator>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

constexpr const char16_t* kClassNames[] = {
    u"TEdit", u"TButton", u"tcheckbox", u"TRadioButton", u"TMemo", u"TComboBox", u"TDateTimePicker",
    u"TForm", u"QWidget", u"\"TEdit\"", u"'TButton'", u"",
};

QSet<QWidget*>& TopLevelsAtStart()
{
    static QSet<QWidget*> widgets;
    return widgets;
}

QSet<QWidget*> TopLevels()
{
    const QWidgetList list = QApplication::topLevelWidgets();
    return QSet<QWidget*>(list.begin(), list.end());
}

void CheckNoDynamicProperties(const QWidget* widget)
{
    LARK_FUZZ_CHECK(widget->dynamicPropertyNames().isEmpty(),
                    QString::fromLatin1(widget->dynamicPropertyNames().value(0)));
    for (const QWidget* child : widget->findChildren<QWidget*>())
        LARK_FUZZ_CHECK(child->dynamicPropertyNames().isEmpty(),
                        QString::fromLatin1(child->dynamicPropertyNames().value(0)));
}

// The widgets by class, for the failure message.
QString Describe(const QList<QWidget*>& widgets)
{
    QString out;
    for (const QWidget* widget : widgets)
        out += QString::fromLatin1(widget->metaObject()->className()) + u' ';
    return out + u"| "_s;
}

void CheckControls(const QString& text)
{
    test::TestHost& host = fuzz::SharedHost();
    const TLarkHTMLData& data = host.Data();
    const ClassRegistry& registry = ClassRegistry::Instance();
    const QStringList registered = registry.RegisteredClasses();

    // Controls of replaced items are released with deleteLater.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QSet<QWidget*> controls;
    for (const auto& item : data.Items()) {
        if (item->FItemType != hitControl)
            continue;
        LARK_FUZZ_CHECK(data.ControlsArray().contains(item.get()), text);
        QWidget* control = static_cast<const TLarkHTMLControlItem&>(*item).Control();
        if (!control)
            continue;
        LARK_FUZZ_CHECK(!controls.contains(control), text);
        controls.insert(control);
        const QString className = registry.ClassNameOf(control);
        LARK_FUZZ_CHECK(registered.contains(className, Qt::CaseInsensitive), className);
        LARK_FUZZ_CHECK(control->parentWidget() == &host, className);
        CheckNoDynamicProperties(control);
    }
    const QList<QWidget*> children = host.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    LARK_FUZZ_CHECK(QSet<QWidget*>(children.begin(), children.end()) == controls, Describe(children) + text);
    CheckNoDynamicProperties(&host);
}

// While controls live, the only new windows may be their own hidden popups
// (a combo box's list); once the document is gone, none at all.
void CheckNoNewWindows(const QString& text, bool controlsGone)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QSet<QWidget*> now = TopLevels();
    if (controlsGone) {
        LARK_FUZZ_CHECK(now == TopLevelsAtStart(), Describe(now.values()) + text);
        return;
    }
    for (QWidget* window : now - TopLevelsAtStart())
        LARK_FUZZ_CHECK(window->parentWidget() && !window->isVisible() && fuzz::SharedHost().isAncestorOf(window->parentWidget()),
                        Describe({ window }) + text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lark::fuzz::InitializeEnvironment(argc, argv);
    // Two of the optional classes take part; TDateTimePicker stays out.
    ClassRegistry::Instance().RegisterClass(u"TMemo");
    ClassRegistry::Instance().RegisterClass(u"TComboBox");
    fuzz::SharedHost();
    // The shared render object and its measuring surfaces exist before the count.
    QImage image(8, 8, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    DrawHTMLText(canvas, u"x"_s, QRect(0, 0, 8, 8), false);
    TopLevelsAtStart() = TopLevels();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString className = QString::fromUtf16(kClassNames[data[0] % std::size(kClassNames)]);
    const QString text = u"<control vclclass="_s + className + u" "_s + lark::fuzz::TextOf(data + 1, size - 1);

    test::TestHost& host = fuzz::SharedHost();
    for (int width : { 300, 10000 }) {
        host.Data().AssignSettings(&host);
        host.Render().PrepareText(text, width, width < 1000);
        QImage image(320, 240, QImage::Format_RGB32);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        // Placing the controls sets their bounds and visibility from the paint.
        host.Render().DrawText(canvas, QPoint(0, 0), QRect(0, 0, 320, 240), clNone, QRect(0, 0, 320, 240));
        CheckControls(text);
        (void)host.Data().GenerateHTML();
        CheckNoNewWindows(text, false);
    }

    // Without a host no control may be made at all.
    QImage image(64, 64, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    DrawHTMLText(canvas, text, QRect(0, 0, 64, 64), false);
    CheckNoNewWindows(text, false);

    host.Render().PrepareText(QString(), 300, true);
    CheckNoNewWindows(text, true);
    LARK_FUZZ_CHECK(host.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty(), text);
    return 0;
}
