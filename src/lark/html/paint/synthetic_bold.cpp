#include "lark/html/paint/synthetic_bold_p.h"

#include <lark/framework/canvas.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QPainter>

namespace lark::detail {

namespace {

// FreeType's emboldening widens a glyph by 1/24 of the nominal pixel size.
constexpr qreal kEmboldenShare = 1.0 / 24.0;

bool FamilyHasBoldFace(const QString& family)
{
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    if (found != known.cend())
        return *found;
    bool bold = false;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::weight(family, style) >= QFont::DemiBold)
            bold = true;
    }
    known.insert(family, bold);
    return bold;
}

} // namespace

bool IsSyntheticBold(const QFont& font)
{
    if (font.weight() < QFont::DemiBold)
        return false;
    return !FamilyHasBoldFace(QFontInfo(font).family());
}

void RestoreSyntheticBold(QPainter& painter, const QFont& font, QPointF origin, const QString& text)
{
    const qreal ratio = PaintDeviceRatio(painter);
    if (ratio <= 1.0 || text.isEmpty() || !IsSyntheticBold(font))
        return;
    // The width the ratio-1 emboldening has, scaled with the glyphs, less
    // the width Qt gave on the device; in logical pixels.
    const qreal logicalWidening = QFontInfo(font).pixelSize() * kEmboldenShare;
    const qreal missing = logicalWidening * (ratio - 1.0) / ratio;
    painter.drawText(origin + QPointF(missing, 0), text);
}

} // namespace lark::detail
