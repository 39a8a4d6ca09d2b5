#pragma once
// Internal: plain text, content sizes and where the text goes, shared by the
// label and the panel (their re-layout, painting and hit tests).

#include <lark/controls/control_types.h>
#include <lark/framework/canvas.h>
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

// The rectangle the text is drawn in, inside box (the client area less
// whatever the host keeps clear), for text of the given size:
//
//   tlTop     the box
//   tlCenter  top = max(CH / 2 - TH / 2, 0), height min(TH, CH), full width
//   tlBottom  the box from CH - TH - 1 down
//
// then the alignment narrows it to the text's width (right-justified or
// centred). CW x CH is the box, TW x TH the text; divisions truncate toward
// zero, and the rectangle may stick out of a box smaller than the text.
inline QRect PlaceText(const QRect& box, QSize text, TAlignment alignment, TTextLayout layout)
{
    const int cw = box.width();
    const int ch = box.height();
    const int tw = text.width();
    const int th = text.height();
    int left = 0;
    int top = 0;
    int right = cw;
    int bottom = ch;
    switch (layout) {
    case tlCenter:
        top = std::max(ch / 2 - th / 2, 0);
        bottom = top + std::min(th, ch);
        break;
    case tlBottom:
        top = ch - th - 1;
        break;
    case tlTop:
        break;
    }
    switch (alignment) {
    case taRightJustify:
        left = cw - tw;
        break;
    case taCenter:
        left = (cw - tw) / 2;
        right = left + tw;
        break;
    case taLeftJustify:
        break;
    }
    return RectLTRB(box.left() + left, box.top() + top, box.left() + right, box.top() + bottom);
}

} // namespace lark::detail
