#pragma once
// The demo without a user: shows every page in turn and writes a picture of
// the window for each, so that the pages can be looked at on a machine
// without a display (make demo there).

#include <QString>

namespace lark {

class TfrmLarkHTMLCore;

namespace demo {

// Shows Form, then each page in navigation order (pressing the draw button of
// "Direct drawing"), and writes the window as
// Folder/NN_Caption.png (NN from 01, the caption's blanks and brackets made
// "_"), printing each path on standard output. Messages the pages would show
// are printed on standard error instead. Returns the exit code: 0, or 1 when
// the folder or a picture could not be written (said on standard error).
int WriteScreenshots(TfrmLarkHTMLCore& form, const QString& folder);

// "DB Controls (1)" -> "DB_Controls_1"
QString ScreenshotStem(const QString& caption);

} // namespace demo
} // namespace lark
