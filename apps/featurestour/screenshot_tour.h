#pragma once
// The tour without a user: shows every page in turn and writes a picture of
// the window for each, so that the pages can be looked at on a machine
// without a display (make demo there).

#include <QString>

namespace lark {

class TfrmLarkHTMLFeatures;

namespace tour {

// Shows Form, then each page in storage order, and writes the window as
// Folder/NN_Name.png (NN the page's index), printing each path on standard
// output. Returns the exit code: 0, or 1 when the folder or a picture could
// not be written (said on standard error).
int WriteScreenshots(TfrmLarkHTMLFeatures& form, const QString& folder);

} // namespace tour
} // namespace lark
