#pragma once
// The screenshot mode of the demo programs: each page in turn, one picture of
// the window per page.

#include <QString>

#include <functional>

class QWidget;

namespace lark::apps {

struct TPageScreenshots
{
    // Names the program in messages ("coredemo: cannot write ...").
    QString Program;
    QString Folder;
    int PageCount = 0;
    // The number in the first file name; later pages count on from it.
    int FirstNumber = 1;
    // Shows page i (0 to PageCount - 1) and returns the rest of its file name.
    std::function<QString(int page)> ShowPage;
};

// Shows window, then each page, lets it lay out, and writes the window as
// Folder/NN_Stem.png (NN two digits at least), printing each path on
// standard output. Returns the exit code: 0, or 1 when the folder or a
// picture could not be written (said on standard error).
int WriteScreenshots(QWidget& window, const TPageScreenshots& pages);

} // namespace lark::apps
