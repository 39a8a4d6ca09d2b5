#pragma once
// The tour's pages as they are edited: one HTML fragment per page, named
// "NN_Name.html", where NN is the page's position (00, 01, ...) and Name the
// page name that links use. Each line of a file is one line of the page; the
// page's text joins them with CR LF, which the parser skips, so a line break
// in a fragment neither breaks the shown line nor separates words.
//
// pages.txt, the text form the program carries, is made from the fragments by
// the featurestour-pages tool (see pages/README.md).

#include <QString>

namespace lark {
class TLarkHTMLStorageItems;
}

namespace lark::tour {

// Replaces the items of Pages by the fragments of Folder, in position order.
// Throws EReadError, naming the file, when the folder holds no fragment, a
// file cannot be read or is not UTF-8, or the positions do not run 00, 01, ...
// without gaps.
void ReadPageFragments(const QString& folder, TLarkHTMLStorageItems& pages);

} // namespace lark::tour
