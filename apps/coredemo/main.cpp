// CoreDemo: every control of the Lark HTML library on a page of its own.
//
//   coredemo                                 the window
//   coredemo --theme NAME                    start with a theme ("Slate", or
//                                            "Slate (Fusion)"); --theme list
//                                            prints them
//   coredemo --screenshots DIR [--theme N]   one picture per page into DIR,
//                                            then exit (works without a display)
//   coredemo --database FILE                 the DB pages read FILE (also
//                                            COREDEMO_DATABASE) instead of
//                                            the one in the data folder; a
//                                            missing file is made with sample
//                                            records

#include "core_form.h"
#include "demo_database.h"
#include "screenshot_demo.h"
#include "themes.h"

#include <app_startup.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString kThemeOption = u"theme"_s;
const QString kDatabaseOption = u"database"_s;

// The option, else the environment, else the data folder's file; made with
// the sample records when missing. A file that cannot be made is reported
// here and again, with the driver's words, by the DB pages.
QString PrepareDatabase(const QCommandLineParser& parser)
{
    QString file = parser.value(kDatabaseOption);
    if (file.isEmpty())
        file = qEnvironmentVariable("COREDEMO_DATABASE");
    if (file.isEmpty())
        file = lark::demo::DefaultDatabaseFile();
    file = QFileInfo(file).absoluteFilePath();
    QString error;
    if (!lark::demo::CreateSampleDatabase(file, error))
        std::fprintf(stderr, "coredemo: cannot create the sample database %s: %s\n", qUtf8Printable(file),
                     qUtf8Printable(error));
    return file;
}

void ListThemes()
{
    for (const lark::demo::TTheme& theme : lark::demo::AvailableThemes())
        std::printf("%s%s\n", qUtf8Printable(theme.Name()),
                    lark::demo::IsDarkPalette(theme.Palette) ? " - dark" : "");
}

} // namespace

int main(int argc, char** argv)
{
    lark::apps::ChooseScreenshotPlatform(argc, argv);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    lark::apps::StartDemo(u"coredemo"_s, u"The Lark HTML controls demo."_s, parser);
    parser.addOption({ kThemeOption, u"Start with theme NAME (\"list\" prints the themes)."_s, u"NAME"_s });
    parser.addOption({ kDatabaseOption, u"Read the DB pages from the SQLite FILE (made when missing)."_s, u"FILE"_s });
    parser.process(app);

    lark::demo::TTheme theme = lark::demo::DefaultTheme();
    if (parser.isSet(kThemeOption)) {
        const QString name = parser.value(kThemeOption);
        if (name == u"list"_s) {
            ListThemes();
            return 0;
        }
        if (!lark::demo::FindTheme(name, theme)) {
            std::fprintf(stderr, "coredemo: no theme \"%s\" (--theme list names them)\n", qUtf8Printable(name));
            return 2;
        }
    }
    try {
        lark::demo::ApplyTheme(theme);
    } catch (const std::exception& error) {
        // The platform's own look is as good a start.
        std::fprintf(stderr, "coredemo: %s\n", error.what());
    }

    // Named before the working directory may change.
    const QString screenshots = lark::apps::ScreenshotFolder(parser);
    const QString database = PrepareDatabase(parser);
    // The pages load "file:logo.png" and other pictures from the working directory.
    lark::apps::UseProgramFolderFor(u"logo.png"_s);
    lark::TfrmLarkHTMLCore form;
    form.SetDatabaseName(database);
    if (!screenshots.isEmpty())
        return lark::demo::WriteScreenshots(form, screenshots);
    form.show();
    return QApplication::exec();
}
