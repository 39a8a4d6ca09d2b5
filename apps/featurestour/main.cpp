// FeaturesTour: a help browser whose pages document the Lark HTML tag
// language with live examples.
//
//   featurestour                      the window
//   featurestour --screenshots DIR    one picture per page into DIR, then exit
//                                     (works without a display)

#include "features_form.h"
#include "screenshot_tour.h"

#include <app_startup.h>

#include <QApplication>
#include <QCommandLineParser>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    lark::apps::ChooseScreenshotPlatform(argc, argv);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    lark::apps::StartDemo(u"featurestour"_s, u"The Lark HTML features tour."_s, parser);
    parser.process(app);

    // Named before the working directory may change.
    const QString screenshots = lark::apps::ScreenshotFolder(parser);
    // The pages load "file:image.png" and other pictures from the working directory.
    lark::apps::UseProgramFolderFor(u"image.png"_s);
    lark::TfrmLarkHTMLFeatures form;
    if (!screenshots.isEmpty())
        return lark::tour::WriteScreenshots(form, screenshots);
    form.show();
    return QApplication::exec();
}
