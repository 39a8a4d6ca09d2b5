#include "screenshot_tour.h"

#include "features_form.h"

#include <lark/controls/view.h>
#include <lark/storage/storage.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace lark::tour {

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "featurestour: %s\n", qUtf8Printable(message));
    return 1;
}

QString ScreenshotName(int index, const QString& pageName)
{
    return u"%1_%2.png"_s.arg(index, 2, 10, QChar(u'0')).arg(pageName);
}

} // namespace

int WriteScreenshots(TfrmLarkHTMLFeatures& Form, const QString& Folder)
{
    const QDir folder(Folder);
    if (!folder.mkpath(u"."_s))
        return Fail(u"cannot create the folder %1"_s.arg(Folder));

    Form.show();
    const TLarkHTMLStorageItems& pages = *Form.Pages()->Items();
    for (int i = 0; i < pages.Count(); ++i) {
        Form.View()->SetStorageItemIndex(i);
        // Let the view re-parse and place its embedded controls.
        QCoreApplication::processEvents();
        const QImage shot = Form.grab().toImage();
        const QString path = folder.filePath(ScreenshotName(i, pages[i]->Name()));
        if (!shot.save(path, "PNG"))
            return Fail(u"cannot write %1"_s.arg(path));
        std::printf("%s\n", qUtf8Printable(QDir::toNativeSeparators(path)));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace lark::tour
