#pragma once
// The item list of a prepared document as JSON Lines: one object per item, in
// list order. This is the test oracle of the golden tests, so the keys and
// their order are a contract; add keys at the end of an object, never rename.

#include <QByteArray>

namespace lark {
class TLarkHTMLData;
}

namespace lark::render_app {

// Every item of data, one JSON object per line, UTF-8, each line ending in "\n".
QByteArray DumpItems(const TLarkHTMLData& data);

} // namespace lark::render_app
