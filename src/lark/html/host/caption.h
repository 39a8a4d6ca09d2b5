#pragma once

#include <QString>

namespace lark {

// The caption of the HTML label and panel: an ordinary string whose type
// name of its own tells design tools to offer an HTML editor for it.
using TLarkHTMLCaption = QString;

} // namespace lark
