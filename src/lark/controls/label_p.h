#pragma once
// Internal: what the label's re-layout and its painting share.

#include <QString>

namespace lark::detail {

// Plain text as Qt draws it: CR LF and lone CR become line feeds.
inline QString PlainLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

} // namespace lark::detail
