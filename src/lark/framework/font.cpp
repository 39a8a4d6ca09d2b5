#include <lark/framework/convert.h>
#include <lark/framework/font.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kFallbackPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

// Metrics do not depend on underline and strike-out, so the cache of cell
// height searches ignores them.
struct CellHeightKey
{
    QString family;
    int height;
    bool bold;
    bool italic;
    friend bool operator==(const CellHeightKey&, const CellHeightKey&) = default;
};

size_t qHash(const CellHeightKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.family, key.height, key.bold, key.italic);
}

int CellHeightAt(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The pixel size whose ascent + descent is nearest to cell (the smaller size
// on a tie). Starts from a proportional guess, then steps one pixel at a time.
int SearchPixelSizeForCell(const QFont& font, int cell)
{
    int size = std::min(cell, kMaxFontPixelSize);
    const int probe = CellHeightAt(font, size);
    if (probe > 0 && probe != cell)
        size = std::clamp(int(std::lround(double(size) * cell / probe)), 1, kMaxFontPixelSize);
    while (size > 1 && CellHeightAt(font, size) > cell)
        --size;
    while (size < kMaxFontPixelSize && CellHeightAt(font, size + 1) <= cell)
        ++size;
    if (size < kMaxFontPixelSize) {
        const int below = CellHeightAt(font, size);
        const int above = CellHeightAt(font, size + 1);
        if (above - cell < cell - below)
            ++size;
    }
    return size;
}

int PixelSizeForCell(const QFont& font, int cell)
{
    static QHash<CellHeightKey, int> cache;
    const CellHeightKey key{ font.family(), cell, font.bold(), font.italic() };
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const int size = SearchPixelSizeForCell(font, cell);
    cache.insert(key, size);
    return size;
}

int DefaultPixelSize()
{
    return std::clamp(QFontInfo(QGuiApplication::font()).pixelSize(), 1, kMaxFontPixelSize);
}

} // namespace

int ScreenPixelsPerInch()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return kFallbackPixelsPerInch;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return kFallbackPixelsPerInch;
    return std::max(1, int(std::lround(screen->logicalDotsPerInchY())));
}

QFont MakeQFont(const QString& name, int height, TFontStyles style)
{
    QFont font;
    font.setFamily(name);
    font.setBold(style.Contains(fsBold));
    font.setItalic(style.Contains(fsItalic));
    font.setUnderline(style.Contains(fsUnderline));
    font.setStrikeOut(style.Contains(fsStrikeOut));
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (height < 0)
        font.setPixelSize(height < -kMaxFontPixelSize ? kMaxFontPixelSize : -height);
    else if (height == 0)
        font.setPixelSize(DefaultPixelSize());
    else
        font.setPixelSize(PixelSizeForCell(font, std::min(height, kMaxFontPixelSize)));
    return font;
}

TFont::TFont(QObject* parent)
    : QObject(parent)
    , FName(u"MS Sans Serif"_s)
    , FPixelsPerInch(ScreenPixelsPerInch())
{
}

void TFont::SetName(const QString& value)
{
    if (FName == value)
        return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (FHeight == value)
        return;
    FHeight = value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, kPointsPerInch, FPixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(-MulDiv(value, FPixelsPerInch, kPointsPerInch));
}

void TFont::SetStyle(TFontStyles value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(int value)
{
    if (FCharset == value)
        return;
    FCharset = value;
    Changed();
}

void TFont::SetPixelsPerInch(int value)
{
    // A resolution of 0 or less would make Size divide by zero.
    FPixelsPerInch = std::max(1, value);
}

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    const bool same = FName == source.FName && FHeight == source.FHeight && FStyle == source.FStyle
        && FColor == source.FColor && FCharset == source.FCharset;
    FPixelsPerInch = source.FPixelsPerInch;
    if (same)
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    Changed();
}

void TFont::AssignQFont(const QFont& source)
{
    int height = 0;
    if (source.pixelSize() > 0)
        height = -source.pixelSize();
    else if (source.pointSizeF() > 0)
        height = -int(std::lround(source.pointSizeF() * FPixelsPerInch / kPointsPerInch));
    else
        height = FHeight;
    TFontStyles style;
    if (source.bold())
        style.Include(fsBold);
    if (source.italic())
        style.Include(fsItalic);
    if (source.underline())
        style.Include(fsUnderline);
    if (source.strikeOut())
        style.Include(fsStrikeOut);
    const bool same = FName == source.family() && FHeight == height && FStyle == style;
    if (same)
        return;
    FName = source.family();
    FHeight = height;
    FStyle = style;
    Changed();
}

QFont TFont::ToQFont() const
{
    if (!FQFontValid) {
        FQFont = MakeQFont(FName, FHeight, FStyle);
        FQFontValid = true;
    }
    return FQFont;
}

void TFont::Changed()
{
    FQFontValid = false;
    if (OnChange)
        OnChange(this);
    Q_EMIT changed();
}

} // namespace lark
