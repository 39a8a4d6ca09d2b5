#include "app_startup.h"

#include <lark/framework/framework.h>

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lark::apps {

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

} // namespace

void ChooseScreenshotPlatform(int argc, char** argv)
{
    if (!WantsScreenshots(argc, argv) || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void UseProgramFolderFor(const QString& imageFile)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!QFileInfo::exists(imageFile) && QFileInfo::exists(QDir(programFolder).filePath(imageFile)))
        QDir::setCurrent(programFolder);
}

void StartDemo(const QString& name, const QString& description, QCommandLineParser& parser)
{
    QCoreApplication::setApplicationName(name);
    InitializeFramework();
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOption({kScreenshotsOption, u"Write one picture per page into DIR and exit."_s, u"DIR"_s});
}

QString ScreenshotFolder(const QCommandLineParser& parser)
{
    return parser.isSet(kScreenshotsOption) ? QDir(parser.value(kScreenshotsOption)).absolutePath() : QString();
}

} // namespace lark::apps
