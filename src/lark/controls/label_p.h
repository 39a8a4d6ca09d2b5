#pragma once
// Internal: plain text and content sizes, shared by the label and the panel
// (their re-layout and their painting).

#include <lark/framework/font.h>
#include <lark/framework/limits.h>

#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cstdint>

namespace lark::detail {

// Plain text as Qt draws it: CR LF and lone CR become line feeds.
inline QString PlainLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

// The extent of plain text: the widest line by the lines' height, without
// wrapping; "&" marks the next character as a mnemonic, as when drawn.
inline QSize MeasurePlainText(const QString& text, const TFont& font, const QRect& client)
{
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics(font.ToQFont());
    return metrics.boundingRect(client, Qt::TextShowMnemonic, PlainLines(text)).size();
}

// The content size a host works with: a document can be far larger than
// any window (see kMaxAutoSizeExtent), and sizes near the int range would
// overflow once the padding is added.
inline QSize BoundedContentSize(QSize content)
{
    const int width = std::clamp(content.width(), 0, limits::kMaxAutoSizeExtent);
    const auto pixelRows = limits::kMaxAutoSizePixels / std::max(width, 1);
    const int height = int(std::clamp<std::int64_t>(content.height(), 0,
                                                    std::min<std::int64_t>(limits::kMaxAutoSizeExtent, pixelRows)));
    return {width, height};
}

} // namespace lark::detail
