#include "screenshot_demo.h"

#include "core_form.h"
#include "demo_messages.h"
#include "direct_drawing_page.h"
#include "page_table.h"

#include <page_screenshots.h>

#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>

#include <cstdio>
#include <iterator>

using namespace Qt::StringLiterals;

namespace lark::demo {

QString ScreenshotStem(const QString& caption)
{
    static const QRegularExpression runs(u"[^A-Za-z0-9]+"_s);
    QString stem = caption;
    stem.replace(runs, u"_"_s);
    while (stem.endsWith(u'_'))
        stem.chop(1);
    return stem;
}

int WriteScreenshots(TfrmLarkHTMLCore& form, const QString& folder)
{
    // Nobody is there to close a message box.
    const TMessageSink previous = SetMessageSink([](QWidget*, const QString& text) {
        std::fprintf(stderr, "coredemo: message: %s\n", qUtf8Printable(text));
    });
    const auto restore = qScopeGuard([&previous] { SetMessageSink(previous); });

    const auto& pages = DemoPages();
    apps::TPageScreenshots shots;
    shots.Program = u"coredemo"_s;
    shots.Folder = folder;
    shots.PageCount = int(std::size(pages));
    shots.ShowPage = [&form, &pages](int i) {
        const QString caption = QString::fromLatin1(pages[i].Caption);
        form.NavigationButtonClicked(caption);
        // A blank paint box shows nothing: draw on it as a user would.
        if (auto* drawing = qobject_cast<TFrameDirectDraw*>(form.CurrentFrame()))
            drawing->DrawButton()->click();
        return ScreenshotStem(caption);
    };
    return apps::WriteScreenshots(form, shots);
}

} // namespace lark::demo
