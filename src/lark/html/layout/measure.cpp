// Text measurement: the fonts' advance tables, the glyph layout cache, and
// the sizes of items (GetWidth / GetHeight).
//
// A text run is as wide as its text's advance plus one pixel, and a run of no
// text is therefore 1 wide. Heights include the document's line gap.

#include "lark/html/layout/line_metrics_p.h"
#include "lark/html/layout/measure_p.h"
#include "lark/html/render_p.h"

#include <lark/framework/limits.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/framework/saturate.h>
#include <lark/html/render.h>

#include <QTextLayout>
#include <QTextLine>
#include <QTextOption>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lark::detail {

namespace {

// Controls, formatting characters and separators take no room in a
// single-line measurement, wherever they stand; except the tab, which
// advances to the next tab stop, U+009C, which ends the measured text, and
// the Syriac abbreviation mark, which has a glyph.
bool IsInvisible(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return c != QLatin1Char('\t') && c.unicode() != 0x9C && c.unicode() != 0x070F;
    default:
        return false;
    }
}

// The characters whose advance does not depend on their neighbours once
// shaping is off: letters, digits, punctuation and symbols of scripts Qt
// lays out glyph by glyph. Marks attach to the previous character, and every
// other script may be shaped.
bool HasOwnAdvance(QChar c)
{
    // The object replacement character is an inline object to Qt's layout.
    if (c.unicode() == 0xFFFC)
        return false;
    switch (c.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        break;
    }
    switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
    case QChar::Script_Armenian:
    case QChar::Script_Georgian:
        return true;
    default:
        return false;
    }
}

// Text that QTextLayout would lay out differently from a single-line
// QFontMetrics measurement: a line separator starts a new line in a layout,
// and U+009C ends the text QFontMetrics measures.
bool NeedsPlainDrawing(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() == 0x2028 || c.unicode() == 0x9C)
            return true;
    }
    return false;
}

// Point sizes depend on the resolution of the device a font is used on;
// pixel sizes do not. Fonts are fixed in pixels so that painting on any
// device matches the measurement.
QFont InPixels(QFont font, const QPaintDevice* device)
{
    if (font.pixelSize() > 0)
        return font;
    const int dpi = device ? device->logicalDpiY() : ScreenPixelsPerInch();
    font.setPixelSize(std::max(1, int(std::lround(font.pointSizeF() * dpi / 72.0))));
    return font;
}

// Blanks draw nothing but still cost a glyph lookup each; without an
// underline or strike-out line to span them they are left out.
bool KeepsBlanks(const QFont& font)
{
    return font.underline() || font.strikeOut();
}

// Lays text out as it is measured: one glyph per character at the whole
// pixel the advances before it add up to, on the base line. False, with
// glyphRuns left alone, when some character is not laid out glyph by glyph.
bool LayOutGlyphByGlyph(Measurer::FontEntry& font, QStringView text, QList<QGlyphRun>& glyphRuns, int& advance)
{
    if (!font.Raw().isValid())
        return false;
    const bool keepBlanks = KeepsBlanks(font.Font());
    QList<quint32> indexes(text.size());
    QList<QPointF> positions(text.size());
    quint32* glyphOut = indexes.data();
    QPointF* positionOut = positions.data();
    qsizetype kept = 0;
    std::int64_t x = 0;
    for (QChar c : text) {
        const quint32 glyph = font.GlyphIndex(c);
        if (glyph == 0)
            return false;
        if (keepBlanks || !font.IsBlankGlyph(glyph)) {
            glyphOut[kept] = glyph;
            positionOut[kept] = QPointF(qreal(x), 0.0);
            ++kept;
        }
        x += font.Advance(c);
    }
    advance = SaturatingInt(x);
    if (kept == 0)
        return true;
    indexes.resize(kept);
    positions.resize(kept);
    QGlyphRun glyphs;
    glyphs.setRawFont(font.Raw());
    glyphs.setGlyphIndexes(indexes);
    glyphs.setPositions(positions);
    glyphs.setUnderline(font.Font().underline());
    glyphs.setStrikeOut(font.Font().strikeOut());
    glyphs.setOverline(font.Font().overline());
    glyphRuns.append(std::move(glyphs));
    return true;
}

} // namespace

//---- FontEntry ------------------------------------------------------------

Measurer::FontEntry::FontEntry(const QFont& font, const QPaintDevice* device)
    : FFont(InPixels(font, device))
    , FIntMetrics(FFont, device)
    , FRaw(QRawFont::fromFont(FFont))
{
    FMetrics.Ascent = FIntMetrics.ascent();
    FMetrics.Descent = FIntMetrics.descent();
    FMetrics.Height = FIntMetrics.height();
    FMetrics.AveCharWidth = FIntMetrics.averageCharWidth();
    FMetrics.MaxCharWidth = FIntMetrics.maxWidth();
    FLatin1.fill(kUnknown);
    FLatin1Glyphs.fill(kUnknownGlyph);
    if (FRaw.isValid()) {
        const QChar blanks[] = { QLatin1Char(' '), QChar(0x00A0) };
        int count = int(FBlankGlyphs.size());
        if (!FRaw.glyphIndexesForChars(blanks, int(std::size(blanks)), FBlankGlyphs.data(), &count))
            FBlankGlyphs.fill(0);
    }
}

Measurer::FontEntry::~FontEntry() = default;

int Measurer::FontEntry::ShapedWidth(QStringView text) const
{
    if (text.isEmpty())
        return 0;
    return FIntMetrics.horizontalAdvance(text.toString());
}

std::int32_t Measurer::FontEntry::LearnAdvance(QChar c)
{
    if (c.unicode() < FLatin1.size())
        return FLatin1[c.unicode()] = LookUpAdvance(c);
    auto& page = FPages[c.unicode() >> 8];
    if (!page) {
        page = std::make_unique<Page>();
        page->fill(kUnknown);
    }
    return (*page)[c.unicode() & 0xFF] = LookUpAdvance(c);
}

std::int32_t Measurer::FontEntry::LookUpAdvance(QChar c) const
{
    if (IsInvisible(c))
        return 0;
    // A glyph from a fallback font may come from a different fallback in a
    // run of another script, so only the face's own glyphs are summed.
    if (!HasOwnAdvance(c) || !FRaw.isValid() || !FRaw.supportsCharacter(c))
        return kNeedsShaping;
    // Whole pixels, so that runs add up: a cut never moves a glyph.
    return FIntMetrics.horizontalAdvance(c);
}

quint32 Measurer::FontEntry::LearnGlyphIndex(QChar c)
{
    if (c.unicode() < FLatin1Glyphs.size())
        return FLatin1Glyphs[c.unicode()] = LookUpGlyphIndex(c);
    auto& page = FGlyphPages[c.unicode() >> 8];
    if (!page) {
        page = std::make_unique<GlyphPage>();
        page->fill(kUnknownGlyph);
    }
    quint32& glyph = (*page)[c.unicode() & 0xFF];
    if (glyph == kUnknownGlyph)
        glyph = LookUpGlyphIndex(c);
    return glyph;
}

quint32 Measurer::FontEntry::LookUpGlyphIndex(QChar c)
{
    // Only characters summed for their width are laid out glyph by glyph;
    // Qt's layout gives invisible ones glyphs of its own choosing.
    if (IsInvisible(c) || Advance(c) == kNeedsShaping)
        return 0;
    quint32 glyph = 0;
    int count = 1;
    if (!FRaw.glyphIndexesForChars(&c, 1, &glyph, &count) || count != 1)
        return 0;
    return glyph;
}

//---- Measurer -------------------------------------------------------------

size_t Measurer::KeyHash::operator()(const Key& k) const noexcept
{
    return qHashMulti(0, k.Face, k.Height, k.Style);
}

Measurer::Measurer() = default;
Measurer::~Measurer() = default;

void Measurer::SetDevice(QPaintDevice* device)
{
    FRuns.clear();
    FLast = nullptr;
    FFonts.clear();
    FDevice.reset();
    if (!device)
        return;
    // Only the device's resolution matters to font metrics; keep a stand-in
    // with that resolution rather than a pointer the caller may delete.
    QImage standIn(1, 1, QImage::Format_ARGB32_Premultiplied);
    standIn.setDotsPerMeterX(int(std::lround(device->logicalDpiX() / 0.0254)));
    standIn.setDotsPerMeterY(int(std::lround(device->logicalDpiY() / 0.0254)));
    FDevice = std::move(standIn);
}

void Measurer::Trim()
{
    ++FPass;
    if (FRuns.size() > limits::kRunsBeforeSweep) {
        std::erase_if(FRuns, [this](const auto& entry) { return FPass - entry.second.LastPass > limits::kIdlePasses; });
    }
    if (FFonts.size() <= limits::kMaxFonts)
        return;
    FRuns.clear();
    FLast = nullptr;
    FFonts.clear();
}

Measurer::FontEntry& Measurer::LookUp(const QString& face, int height, TFontStyles style)
{
    Key key{ face, height, style.ToInt() };
    auto it = FFonts.find(key);
    if (it == FFonts.end())
        it = FFonts.emplace(key, std::make_unique<FontEntry>(MakeQFont(face, height, style), MeasuringDevice()))
                 .first;
    FLast = it->second.get();
    FLastKey = std::move(key);
    return *FLast;
}

int Measurer::TextWidth(const QString& face, int height, TFontStyles style, QStringView text)
{
    std::int64_t sum = 0;
    qsizetype len = 0;
    return RunWidth(Entry(face, height, style), text, sum, len);
}

int Measurer::ResumeRunWidth(FontEntry& font, QStringView text, std::int64_t& sum, qsizetype& len)
{
    if (len != kShapedRun && (len < 0 || len > text.size())) {
        sum = 0;
        len = 0;
    }
    if (len != kShapedRun) {
        std::int64_t total = sum;
        qsizetype i = len;
        for (; i < text.size(); ++i) {
            const std::int32_t advance = font.Advance(text[i]);
            if (advance == FontEntry::kNeedsShaping)
                break;
            total += advance;
        }
        if (i == text.size()) {
            sum = total;
            len = i;
            return ClampedWidth(sum);
        }
        len = kShapedRun;
    }
    sum = 0;
    return font.ShapedWidth(text);
}

const Measurer::PreparedRun& Measurer::Prepare(const void* slot, FontEntry& font, const QString& text,
                                                PrepareMode mode)
{
    const bool wantGlyphs = mode == PrepareMode::Glyphs;
    auto found = FRuns.find(slot);
    if (found != FRuns.end() && found->second.Font == &font && found->second.Text == text
        && (found->second.HasGlyphs || !wantGlyphs || found->second.Plain)) {
        found->second.LastPass = FPass;
        return found->second;
    }
    if (found == FRuns.end() && FRuns.size() >= limits::kMaxPreparedRuns) {
        FRuns.clear();
        found = FRuns.end();
    }
    PreparedRun& run = found != FRuns.end() ? found->second : FRuns[slot];
    run.LastPass = FPass;
    run.Font = &font;
    run.Text = text;
    run.Glyphs.clear();
    run.HasGlyphs = false;
    run.Width = 0;
    run.GlyphByGlyph = false;
    run.Advance = 0;
    run.Plain = NeedsPlainDrawing(text);
    if (text.isEmpty())
        return run;
    std::int64_t sum = 0;
    qsizetype len = 0;
    run.Width = RunWidth(font, text, sum, len);
    if (run.Plain || !wantGlyphs)
        return run;
    run.HasGlyphs = true;
    run.GlyphByGlyph = LayOutGlyphByGlyph(font, text, run.Glyphs, run.Advance);
    if (!run.GlyphByGlyph)
        LayOutWithQt(font, text, run.Glyphs);
    return run;
}

void Measurer::LayOutWithQt(const FontEntry& font, const QString& text, QList<QGlyphRun>& glyphRuns) const
{
    QTextLayout layout(text, font.Font(), MeasuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    if (!line.isValid())
        return;
    // Glyph positions relative to the base line, so that painting places a
    // run by its base line as the measurement does.
    const qreal ascent = line.ascent();
    const bool keepBlanks = KeepsBlanks(font.Font());
    glyphRuns = layout.glyphRuns();
    for (QGlyphRun& glyphs : glyphRuns) {
        QList<quint32> blanks = glyphs.rawFont().glyphIndexesForString(QStringLiteral(" \u00A0"));
        blanks.removeAll(0); // a missing character's box is not blank
        const QList<quint32> indexes = glyphs.glyphIndexes();
        const QList<QPointF> positions = glyphs.positions();
        QList<quint32> keptIndexes;
        QList<QPointF> keptPositions;
        keptIndexes.reserve(indexes.size());
        keptPositions.reserve(indexes.size());
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            if (!keepBlanks && blanks.contains(indexes[i]))
                continue;
            keptIndexes.append(indexes[i]);
            keptPositions.append(positions[i] - QPointF(0, ascent));
        }
        glyphs.setGlyphIndexes(keptIndexes);
        glyphs.setPositions(keptPositions);
    }
}

} // namespace lark::detail

//---- Item sizes -----------------------------------------------------------

namespace lark {

namespace {

detail::Measurer* MeasurerOf(const TLarkHTMLItem& item)
{
    TLarkHTMLRender* render = item.FOwner ? item.FOwner->Render() : nullptr;
    return render ? &detail::Internals(*render).Measurer : nullptr;
}

// A height with the document's line gap added (which may be anything).
int WithLineGap(const TLarkHTMLItem& item, int height)
{
    const std::int64_t gap = item.FOwner ? item.FOwner->LineGap() : 0;
    return SaturatingInt(height + gap);
}

// The width of a text run: the advance of its text plus one, cached until
// the text changes.
int TextRunWidth(TLarkHTMLItem& item)
{
    if (item.FTWidth != kNotMeasured)
        return item.FTWidth;
    detail::Measurer* measurer = MeasurerOf(item);
    if (!measurer) {
        item.FTWidth = 0;
        return 0;
    }
    auto& font = measurer->Entry(item.FFontRef, item.EffectiveFontHeight(), item.FontStyle);
    item.FTWidth = measurer->RunWidth(font, item.Text(), item.FAdvanceSum, item.FAdvanceLen) + 1;
    return item.FTWidth;
}

} // namespace

int TLarkHTMLItem::GetWidth()
{
    switch (FItemType) {
    case hitChar:
    case hitVar:
        return TextRunWidth(*this);
    case hitBitmap:
    case hitHR:
    case hitIndent:
    case hitInput:
    case hitControl:
        return FWidth;
    case hitUL:
    case hitOL: {
        // One list level indents by the widest character of the list's font.
        detail::Measurer* measurer = MeasurerOf(*this);
        return measurer ? measurer->Metrics(FFontRef, FontHeight, FontStyle).MaxCharWidth : 0;
    }
    default:
        return 0;
    }
}

int TLarkHTMLItem::GetHeight(int& baseLine)
{
    baseLine = 0;
    int height = 0;
    switch (FItemType) {
    case hitChar:
        if (detail::Measurer* measurer = MeasurerOf(*this)) {
            const auto& metrics = measurer->Metrics(FFontRef, EffectiveFontHeight(), FontStyle);
            height = metrics.Height;
            baseLine = metrics.Descent;
        }
        break;
    case hitBitmap:
    case hitInput:
    case hitControl:
        height = FHeight;
        break;
    default:
        // A variable's text is measured for width only: it never raises a
        // line on its own.
        break;
    }
    return WithLineGap(*this, height);
}

int TLarkHTMLBreakItem::GetWidth()
{
    switch (FItemType) {
    case hitSoftBreak:
    case hitBreak:
    case hitPara:
        return 0;
    case hitLI: {
        // The bullet is as wide as an average character.
        detail::Measurer* measurer = MeasurerOf(*this);
        return measurer ? measurer->Metrics(FFontRef, FontHeight, FontStyle).AveCharWidth : 0;
    }
    default:
        return TLarkHTMLItem::GetWidth();
    }
}

namespace detail {

int BreakHeight(TLarkHTMLBreakItem& item, bool lineIsEmpty, int& baseLine)
{
    baseLine = 0;
    int height = 0;
    switch (item.FItemType) {
    case hitSoftBreak:
    case hitBreak:
    case hitLI:
        // A line with content takes its height from the content; an empty
        // line is as high as the break's own font.
        if (lineIsEmpty) {
            if (Measurer* measurer = MeasurerOf(item)) {
                const auto& metrics = measurer->Metrics(item.FFontRef, item.EffectiveFontHeight(), item.FontStyle);
                height = metrics.Height;
                baseLine = metrics.Descent;
            }
        }
        break;
    default:
        break;
    }
    if (item.FOwner && item.FOwner->LineSpacing() != 0)
        height = std::max(height, item.FOwner->LineSpacing());
    return WithLineGap(item, height);
}

} // namespace detail

int TLarkHTMLBreakItem::GetHeight(int& baseLine)
{
    bool lineIsEmpty = true;
    if (FOwner) {
        const int index = FOwner->IndexOfItem(this);
        if (index >= 0 && index + 1 < FOwner->ItemCount())
            lineIsEmpty = FOwner->Items()[size_t(index) + 1]->IsBreakItem();
    }
    return detail::BreakHeight(*this, lineIsEmpty, baseLine);
}

} // namespace lark
