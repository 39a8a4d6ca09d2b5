#include "page_screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace lark::apps {

namespace {

int Fail(const QString& program, const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(program), qUtf8Printable(message));
    return 1;
}

} // namespace

int WriteScreenshots(QWidget& window, const TPageScreenshots& pages)
{
    const QDir folder(pages.Folder);
    if (!folder.mkpath(u"."_s))
        return Fail(pages.Program, u"cannot create the folder %1"_s.arg(pages.Folder));

    window.show();
    for (int i = 0; i < pages.PageCount; ++i) {
        const QString stem = pages.ShowPage(i);
        // Let the page lay out, parse and place its embedded controls.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QImage shot = window.grab().toImage();
        const QString name = u"%1_%2.png"_s.arg(pages.FirstNumber + i, 2, 10, QChar(u'0')).arg(stem);
        const QString path = folder.filePath(name);
        if (!shot.save(path, "PNG"))
            return Fail(pages.Program, u"cannot write %1"_s.arg(path));
        std::printf("%s\n", qUtf8Printable(QDir::toNativeSeparators(path)));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace lark::apps
