// lark-render: an HTML snippet through the Lark HTML engine, to a PNG image or
// to the dumps the golden tests compare (plain text, text size, item list).
//
//   lark-render --width 300 -o out.png page.html
//   echo '<b>x</b>' | lark-render --items -
//
// Exit codes: 0 done, 1 the image could not be made or written, 2 a bad
// command line or an input that cannot be read.

#include "item_dump.h"
#include "render_options.h"
#include "snippet_render.h"

#include <lark/framework/framework.h>

#include <QApplication>
#include <QImageWriter>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void Write(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int Fail(int code, const QString& message)
{
    Write(stderr, u"lark-render: %1\n"_s.arg(message).toUtf8());
    return code;
}

// Without a display the tool still works: it never shows a window.
void ChoosePlatform()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int Run(const lark::render_app::RenderOptions& options)
{
    using namespace lark::render_app;
    QString error;
    const std::optional<QString> html = ReadSnippet(options.input, error);
    if (!html)
        return Fail(kExitUsage, error);

    SnippetRenderer renderer(options);
    renderer.Prepare(*html);
    // Painting records each item's Left and Top, which the item dump shows.
    QImage image;
    if (options.output.isEmpty()) {
        renderer.RecordPositions();
    } else {
        image = renderer.Paint(error);
        if (image.isNull())
            return Fail(kExitFailure, error);
    }

    if (options.dumpText)
        Write(stdout, renderer.AsText().toUtf8() + '\n');
    if (options.dumpHtml)
        Write(stdout, renderer.GenerateHTML().toUtf8() + '\n');
    if (options.dumpSize)
        Write(stdout, QByteArray::number(renderer.TextSize().width()) + ' '
                          + QByteArray::number(renderer.TextSize().height()) + '\n');
    if (options.dumpItems)
        Write(stdout, DumpItems(renderer.Data()));
    std::fflush(stdout);

    if (options.output.isEmpty())
        return 0;
    QImageWriter writer(options.output, "png");
    if (!writer.write(image))
        return Fail(kExitFailure, u"cannot write '%1': %2"_s.arg(options.output, writer.errorString()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ChoosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"lark-render"_s);
    QApplication::setApplicationVersion(QString::fromLatin1(LARK_VERSION));
    lark::InitializeFramework();

    const auto parsed = lark::render_app::ParseRenderOptions(QApplication::arguments());
    switch (parsed.status) {
    case lark::render_app::ParseResult::Help:
    case lark::render_app::ParseResult::Version:
        Write(stdout, parsed.message.toUtf8());
        return 0;
    case lark::render_app::ParseResult::Error:
        return Fail(kExitUsage, parsed.message + u"\n(try --help)"_s);
    case lark::render_app::ParseResult::Ok:
        break;
    }
    return Run(parsed.options);
}
