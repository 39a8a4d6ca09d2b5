#include "fuzz_support.h"

#include "support/test_host.h"

#include <lark/framework/framework.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QUrl>

#include <QSet>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace lark::fuzz {

void InitializeEnvironment(int* argc, char*** argv)
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt warns about every widget of an unregistered class and every refused
    // property; thousands of inputs a second would drown the fuzzer's output.
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    // Kept for the whole run: the application must outlive every input, and
    // a pointer held here keeps the leak checker quiet about it.
    static int appArgc = *argc;
    static QApplication* app = new QApplication(appArgc, *argv);
    (void)app;
    InitializeFramework();
}

QString TextOf(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "lark fuzz oracle failed: %s\n", what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

int ByteReader::Coordinate(int extent)
{
    const int b = Byte();
    if (b >= 250)
        return b == 255 ? -1 : extent + (b - 250);
    return extent > 0 ? b * extent / 250 : 0;
}

TextAndScript SplitInput(const std::uint8_t* data, std::size_t size)
{
    const auto* end = data + size;
    const auto* mark = std::find(data, end, std::uint8_t(0xFF));
    TextAndScript out;
    out.Text = TextOf(data, std::size_t(mark - data));
    if (mark != end) {
        out.Script = mark + 1;
        out.ScriptSize = std::size_t(end - mark - 1);
    }
    return out;
}

namespace {

QSet<QWidget*>& TopLevelsAtStart()
{
    static QSet<QWidget*> widgets;
    return widgets;
}

QSet<QWidget*> TopLevelsNow()
{
    const QWidgetList list = QApplication::topLevelWidgets();
    return QSet<QWidget*>(list.begin(), list.end());
}

} // namespace

void NoteTopLevelsAtStart()
{
    TopLevelsAtStart() = TopLevelsNow();
}

void CheckNoNewTopLevels(const QString& detail)
{
    // Widgets closed by the input go with deleteLater.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QSet<QWidget*> added = TopLevelsNow() - TopLevelsAtStart();
    if (added.isEmpty())
        return;
    Fail("no new top-level window",
         QString::fromLatin1((*added.begin())->metaObject()->className()) + u" | "_s + detail);
}

test::TestHost& SharedHost()
{
    static test::TestHost* host = [] {
        auto* h = new test::TestHost;
        h->resize(320, 240);
        return h;
    }();
    return *host;
}

} // namespace lark::fuzz

namespace lark::fuzz {

QWidget& ActiveWindow()
{
    static QWidget* window = [] {
        auto* w = new QWidget;
        w->resize(360, 280);
        w->show();
        QApplication::setActiveWindow(w);
        return w;
    }();
    return *window;
}

void InitializeWidgetTarget(int* argc, char*** argv)
{
    InitializeEnvironment(argc, argv);
    TLarkHTMLRender::SetUrlOpener([](const QUrl&) { return true; });
    ActiveWindow();
    NoteTopLevelsAtStart();
}

} // namespace lark::fuzz
