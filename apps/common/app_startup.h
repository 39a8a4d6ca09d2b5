#pragma once
// Start-up steps of the demo programs.

#include <QString>

class QCommandLineParser;

namespace lark::apps {

// Call before the QApplication: a run with --screenshots needs no screen, so
// without a display (and without QT_QPA_PLATFORM set) it draws off screen.
void ChooseScreenshotPlatform(int argc, char** argv);

// Call after the QApplication: the pages load pictures by file name from the
// working directory, and the build puts them next to the program. When
// imageFile is not in the working directory but beside the program, the
// program's folder becomes the working directory.
void UseProgramFolderFor(const QString& imageFile);

// Call after the QApplication: names the application, starts the library's
// framework and prepares parser with description, --help and the
// --screenshots DIR option ("Write one picture per page into DIR and exit.").
void StartDemo(const QString& name, const QString& description, QCommandLineParser& parser);

// The folder --screenshots names, as an absolute path; empty without it.
// Read it before the working directory may change.
QString ScreenshotFolder(const QCommandLineParser& parser);

} // namespace lark::apps
