#pragma once
// Internal: bold text that stays bold on high-DPI screens.
//
// A family without a bold face of its own (fonts-wine's Tahoma) is drawn
// bold by Qt emboldening the regular outlines. FreeType widens them by a
// fixed share of the font's nominal size, and with a scaled painter that
// size is the logical one: at a device pixel ratio of 2 the stems grow by
// the same half device pixel as at ratio 1, on glyphs twice as large, and
// at ratio 4 bold looks nearly regular. Drawing such a run a second time,
// shifted right by the width the scale left out, restores the weight it
// has at ratio 1 (the same stroke share of the glyph).

#include <QPointF>
#include <QString>

class QFont;
class QPainter;

namespace lark::detail {

// True when Qt draws font bold by emboldening a regular face.
bool IsSyntheticBold(const QFont& font);

// After a run was drawn at Origin with font on a scaled painter: draws it
// again as wide as its weight at ratio 1 needs, when font is synthetic bold.
void RestoreSyntheticBold(QPainter& painter, const QFont& font, QPointF origin, const QString& text);

} // namespace lark::detail
