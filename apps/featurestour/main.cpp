// FeaturesTour: a help browser whose pages document the Lark HTML tag
// language with live examples.
//
//   featurestour                      the window
//   featurestour --screenshots DIR    one picture per page into DIR, then exit
//                                     (works without a display)

#include "features_form.h"
#include "screenshot_tour.h"

#include <lark/framework/framework.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString kScreenshotsOption = u"screenshots"_s;

bool WantsScreenshots(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--screenshots" || arg.startsWith("--screenshots="))
            return true;
    }
    return false;
}

// Screenshots need no screen: without one, draw off screen.
void ChoosePlatform(int argc, char** argv)
{
    if (!WantsScreenshots(argc, argv) || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The pages load "file:img1.bmp" and "file:image.png" from the working
// directory; the build puts them next to the program, so a tour started from
// elsewhere works in the program's folder.
void UseProgramFolderForImages()
{
    const QString image = u"image.png"_s;
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!QFileInfo::exists(image) && QFileInfo::exists(QDir(programFolder).filePath(image)))
        QDir::setCurrent(programFolder);
}

} // namespace

int main(int argc, char** argv)
{
    ChoosePlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"featurestour"_s);
    lark::InitializeFramework();

    QCommandLineParser parser;
    parser.setApplicationDescription(u"The Lark HTML features tour."_s);
    parser.addHelpOption();
    parser.addOption({ kScreenshotsOption, u"Write one picture per page into DIR and exit."_s, u"DIR"_s });
    parser.process(app);

    // Named before the working directory may change.
    const QString screenshots =
        parser.isSet(kScreenshotsOption) ? QDir(parser.value(kScreenshotsOption)).absolutePath() : QString();
    UseProgramFolderForImages();
    lark::TfrmLarkHTMLFeatures form;
    if (!screenshots.isEmpty())
        return lark::tour::WriteScreenshots(form, screenshots);
    form.show();
    return QApplication::exec();
}
