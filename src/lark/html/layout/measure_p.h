#pragma once
// Internal: text measurement shared by measuring and painting, so both use
// the same QFont and agree to the pixel.
//
// Widths. Runs are laid side by side in whole pixels, so each character
// advances by a whole number of pixels too: its QFontMetrics advance (Qt's
// advance rounded half up). A run is then exactly as wide as the sum of its
// characters, and a text cut into runs keeps every glyph where the uncut run
// has it. Each font keeps a table of those advances; a run is measured by
// summing, and a run that grew by one character costs one lookup. Controls
// and formatting characters take no room. Characters whose advance depends on
// their neighbours (marks, tabs, scripts that need shaping, surrogates,
// glyphs taken from a fallback font) make the run fall back to
// QFontMetrics::horizontalAdvance of the whole text.
//
// Glyph layouts. Painting draws each run from glyph runs laid out once and
// kept in a small cache keyed by the run, so that a repaint does not lay the
// text out again. Text that is measured by summing is laid out from the same
// sums: each glyph (from a per-font table like the advances) at the whole
// pixel the advances before it add up to. Other text is laid out by
// QTextLayout.

#include <lark/framework/font.h>
#include <lark/framework/saturate.h>

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

class QPaintDevice;

namespace lark::detail {

class Measurer
{
public:
    Measurer();
    ~Measurer();
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;

    // Measures with another device's metrics (its resolution decides point
    // sizes); nullptr restores the screen's. Forgets every cached font.
    void SetDevice(QPaintDevice* device);
    // Ends a pass (a parse or a paint): forgets the cached fonts and glyph
    // layouts when there are more than a document normally uses, and the
    // layouts no recent pass asked for. Entries must not be in use: call it
    // only between passes.
    void Trim();
    size_t PreparedRunCount() const { return FRuns.size(); }

    struct FontMetrics
    {
        int Height = 0; // ascent + descent
        int Ascent = 0;
        int Descent = 0;
        int AveCharWidth = 0;
        int MaxCharWidth = 0;
    };

    // One font as the engine asks for it (face, height in the component
    // model's convention, style), with what has been learnt about it. Entries
    // live as long as the measurer's device does; their addresses are stable.
    class FontEntry
    {
    public:
        FontEntry(const QFont& font, const QPaintDevice* device);
        ~FontEntry();

        const QFont& Font() const { return FFont; }
        const FontMetrics& Metrics() const { return FMetrics; }
        // QFontMetrics::horizontalAdvance of the whole text, whatever it holds.
        int ShapedWidth(QStringView text) const;
        // The advance of c in whole pixels, or kNeedsShaping when c cannot be
        // measured on its own.
        std::int32_t Advance(QChar c)
        {
            // Latin-1 in the entry itself: one load for most text.
            if (c.unicode() < FLatin1.size() && FLatin1[c.unicode()] != kUnknown)
                return FLatin1[c.unicode()];
            if (const Page* page = FPages[c.unicode() >> 8].get()) {
                const std::int32_t advance = (*page)[c.unicode() & 0xFF];
                if (advance != kUnknown)
                    return advance;
            }
            return LearnAdvance(c);
        }

        static constexpr std::int32_t kNeedsShaping = -1;

        // The face's glyph for c, or 0 when c is not laid out glyph by glyph
        // (it needs shaping, is invisible, or is missing from the face).
        quint32 GlyphIndex(QChar c)
        {
            if (c.unicode() < FLatin1Glyphs.size() && FLatin1Glyphs[c.unicode()] != kUnknownGlyph)
                return FLatin1Glyphs[c.unicode()];
            return LearnGlyphIndex(c);
        }
        // Spaces draw nothing, so painting leaves their glyphs out.
        bool IsBlankGlyph(quint32 glyph) const { return glyph == FBlankGlyphs[0] || glyph == FBlankGlyphs[1]; }
        const QRawFont& Raw() const { return FRaw; }

    private:
        static constexpr std::int32_t kUnknown = -2;
        using Page = std::array<std::int32_t, 256>;
        std::int32_t LearnAdvance(QChar c);
        std::int32_t LookUpAdvance(QChar c) const;
        static constexpr quint32 kUnknownGlyph = 0xFFFFFFFF;
        using GlyphPage = std::array<quint32, 256>;
        quint32 LearnGlyphIndex(QChar c);
        quint32 LookUpGlyphIndex(QChar c);

        QFont FFont;
        QFontMetrics FIntMetrics;
        QRawFont FRaw;
        FontMetrics FMetrics;
        Page FLatin1;
        std::array<std::unique_ptr<Page>, 256> FPages;
        GlyphPage FLatin1Glyphs;
        std::array<std::unique_ptr<GlyphPage>, 256> FGlyphPages;
        std::array<quint32, 2> FBlankGlyphs{}; // space and no-break space; 0 when missing
    };

    FontEntry& Entry(const QString& face, int height, TFontStyles style)
    {
        // Runs measured one after another mostly share their font, and their
        // face names share one string.
        if (FLast && FLastKey.Height == height && FLastKey.Style == style.ToInt()
            && ((FLastKey.Face.constData() == face.constData() && FLastKey.Face.size() == face.size())
                || FLastKey.Face == face))
            return *FLast;
        return LookUp(face, height, style);
    }

    // The font the engine measures and paints a run with.
    QFont Font(const QString& face, int height, TFontStyles style) { return Entry(face, height, style).Font(); }
    const FontMetrics& Metrics(const QString& face, int height, TFontStyles style)
    {
        return Entry(face, height, style).Metrics();
    }
    // Width of a single-line text in that font (QFontMetrics::horizontalAdvance).
    int TextWidth(const QString& face, int height, TFontStyles style, QStringView text);

    // Width of text in font, continuing a measurement: sum holds the advance
    // of the first len characters, and both are brought up to the whole text. len is set to kShapedRun when the
    // text needs whole-run measurement; appending keeps that state, so later
    // calls go straight to the whole-run path. Reset both to 0 whenever the
    // text changes other than by appending.
    static constexpr qsizetype kShapedRun = -1;
    int RunWidth(FontEntry& font, QStringView text, std::int64_t& sum, qsizetype& len)
    {
        // The wrap step's case: the run grew by one character.
        if (len >= 0 && len + 1 == text.size()) {
            const std::int32_t advance = font.Advance(text[len]);
            if (advance != FontEntry::kNeedsShaping) {
                sum += advance;
                len += 1;
                return ClampedWidth(sum);
            }
        }
        return ResumeRunWidth(font, text, sum, len);
    }

    // Glyph layout of a run for painting, base line at y 0. slot identifies
    // the caller's run (an item); the layout is reused while that slot asks
    // for the same text in the same font.
    struct PreparedRun
    {
        const FontEntry* Font = nullptr;
        QString Text;
        QList<QGlyphRun> Glyphs;
        int Width = 0;      // advance width, as RunWidth measures it
        bool Plain = false; // drawn with QPainter::drawText (line separators)
        bool HasGlyphs = false;
        bool GlyphByGlyph = false; // Glyphs laid out from the font's tables
        int Advance = 0;           // advance of a run laid out glyph by glyph
        std::uint64_t LastPass = 0; // the last pass that asked for it
    };
    // WidthOnly skips the glyph layout for runs QPainter will lay out anyway.
    enum class PrepareMode { WidthOnly, Glyphs };
    const PreparedRun& Prepare(const void* slot, FontEntry& font, const QString& text,
                               PrepareMode mode = PrepareMode::Glyphs);

private:
    struct Key
    {
        QString Face;
        int Height = 0;
        int Style = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash
    {
        size_t operator()(const Key& k) const noexcept;
    };

    FontEntry& LookUp(const QString& face, int height, TFontStyles style);
    int ResumeRunWidth(FontEntry& font, QStringView text, std::int64_t& sum, qsizetype& len);
    void LayOutWithQt(const FontEntry& font, const QString& text, QList<QGlyphRun>& glyphRuns) const;
    static int ClampedWidth(std::int64_t sum) { return SaturatingInt(sum); }
    const QPaintDevice* MeasuringDevice() const { return FDevice ? &*FDevice : nullptr; }

    // A 1x1 image at the measuring device's resolution; none for the screen.
    std::optional<QImage> FDevice;
    std::unordered_map<Key, std::unique_ptr<FontEntry>, KeyHash> FFonts;
    FontEntry* FLast = nullptr; // the last entry asked for, checked first
    Key FLastKey;
    std::unordered_map<const void*, PreparedRun> FRuns;
    std::uint64_t FPass = 0;
};

} // namespace lark::detail
