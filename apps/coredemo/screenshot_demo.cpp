#include "screenshot_demo.h"

#include "core_form.h"
#include "demo_messages.h"
#include "direct_drawing_page.h"
#include "page_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "coredemo: %s\n", qUtf8Printable(message));
    return 1;
}

} // namespace

QString ScreenshotStem(const QString& Caption)
{
    static const QRegularExpression runs(u"[^A-Za-z0-9]+"_s);
    QString stem = Caption;
    stem.replace(runs, u"_"_s);
    while (stem.endsWith(u'_'))
        stem.chop(1);
    return stem;
}

int WriteScreenshots(TfrmLarkHTMLCore& Form, const QString& Folder)
{
    const QDir folder(Folder);
    if (!folder.mkpath(u"."_s))
        return Fail(u"cannot create the folder %1"_s.arg(Folder));

    // Nobody is there to close a message box.
    const TMessageSink previous = SetMessageSink([](QWidget*, const QString& text) {
        std::fprintf(stderr, "coredemo: message: %s\n", qUtf8Printable(text));
    });
    const auto restore = qScopeGuard([&previous] { SetMessageSink(previous); });

    Form.show();
    int number = 0;
    for (const TDemoPage& page : DemoPages()) {
        const QString caption = QString::fromLatin1(page.Caption);
        Form.NavigationButtonClicked(caption);
        // A blank paint box shows nothing: draw on it as a user would.
        if (auto* drawing = qobject_cast<TFrameDirectDraw*>(Form.CurrentFrame()))
            drawing->DrawButton()->click();
        // Let the page lay out, parse and place its embedded controls.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QImage shot = Form.grab().toImage();
        const QString name = u"%1_%2.png"_s.arg(++number, 2, 10, QChar(u'0')).arg(ScreenshotStem(caption));
        const QString path = folder.filePath(name);
        if (!shot.save(path, "PNG"))
            return Fail(u"cannot write %1"_s.arg(path));
        std::printf("%s\n", qUtf8Printable(QDir::toNativeSeparators(path)));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace lark::demo
