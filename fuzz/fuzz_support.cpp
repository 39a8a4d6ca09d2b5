#include "fuzz_support.h"

#include "support/test_host.h"

#include <lark/framework/framework.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
